#pragma once
// Pagination: which staves form a system and lie on a page, laying the staves out
// as one continuous strip, breaking it into pages system by system, moving staves
// vertically, and whether another system fits on the last page. Vertical positions
// are page units, y growing downwards from the top of the music area.

#include "model/score.h"
#include "model/staveops.h"

namespace qv {

class Ui;

// The part of the editing state that pagination keeps right.
struct DragLimits {
    int upper = -2147483647; // a stave dragged up may not pass this y
    int lower = 2147483647;  // nor down past this one
};
struct PageState {
    int currentStave = 1;
    int currentPage = 1;
    int pages = 1; // PageNum of the last stave
    DragLimits drag;
};

// Competence levels of the user.
inline constexpr int Beginner = 1;
inline constexpr int Standard = 2;
inline constexpr int Advanced = 3;

inline constexpr int FirstStaveY = 66; // the first stave of a brand-new score

struct SystemRange {
    int first = 1;
    int last = 1;
};

// The number of pages: the page of the last stave (0 for a score without staves).
int pageCount(const Score& score);

// Whether the music staves' page numbers run from 1 up, never back and never more
// than a page at a time: what every page and system count relies on.
bool pagesConsistent(const Score& score);

// The system that holds stave s (clamped to 1..Nstaves).
SystemRange SystemExtent(const Score& score, int s);
// The first stave on page p or after it; 0 for page 0, and 0 with a message when
// no stave lies on or after p.
inline const char* const FirstStaveProblem = "Problem with firststaveonpage ";
int firststaveonpage(const Score& score, int page, Ui& ui);
// The last stave i such that every stave 2..i lies on page p or before; 0 for page 0.
int laststaveonpage(const Score& score, int page);
// 1 + the number of system ends before stave s.
int systemNumber(const Score& score, int s);
// The first stave of system n; Nstaves + 1 when there are fewer systems.
int firstStaveOfSystem(const Score& score, int n);

// Moves a stave and all its objects so that its middle line is at y (ShiftStave).
void setStavePosition(Score& score, int s, int y);
bool inRange(int low, int value, int high);

// Puts every stave on page 1, the pages glued end to end.
void unpaginate(Score& score);
// Breaks the score into pages of usable height H, system by system; updates the
// page count and the current page in `state`.
inline const char* const CannotFitMessage = "Cannot fit system %d on page %d";
void repaginate(Score& score, int H, Ui& ui, PageState& state);

// Where a copy of the last system goes when a system is appended: refused beyond
// 255 staves, and asked about when the last page has no room for it.
inline const char* const NoRoomQuestion = "No room on this page for another system of this size.\n\nStart new page?";
inline const char* const NotEnoughStaves = "Not enough staves available to complete this operation.";
struct AppendPlacement {
    bool proceed = false; // false: refused or cancelled, nothing is to change
    bool newPage = false;
    int shift = 0;   // page units to move each copied stave by
    int pageNum = 0; // page of the copied staves
};
AppendPlacement placeAppendedSystem(const Score& score, int H, Ui& ui);

// Goes to page p (1..pages; other values do nothing).
void goToPage(const Score& score, PageState& state, int p, Ui& ui);
// Makes stave s current and sets its drag limits: the neighbouring staves on the
// same page, unbounded at a page's ends, above Standard competence and in the
// header/footer screen.
void setCurrentStave(Score& score, PageState& state, int s, int competence, bool headerFooterScreen);
// Those limits for stave s: the middle lines of its neighbours on the same page.
DragLimits neighbourLimits(const Score& score, int s, int competence, bool headerFooterScreen);

} // namespace qv
