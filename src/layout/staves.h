#pragma once
// Changing the set of staves and the way they are grouped into systems: inserting
// and deleting a stave, binding a stave to the next, appending a copy of the last
// system, and fitting the stave widths to a changed usable paper width.
//
// Positions are page units (32 to one stave size), y growing downwards. Every
// operation records the staves it touches in the undo store as one step before it
// changes anything, so that one Undo puts every stave back as it was, page numbers
// and positions included.

#include "layout/pagination.h"

#include <string>

namespace qv {

class Ui;

inline constexpr int NewStaveLeftX = 17; // a new stave's LeftX; its RightX is W - 5
inline constexpr int NewStaveRightMargin = 5;

inline const char* const OnlyStaveMessage = "Cannot delete the only stave.";
inline const char* const BarLinesLostMessage = "Too many objects on new top stave to retain bar lines correctly.";
inline const char* const BindCaption = "You have selected an option to bind this stave to the next stave.";
inline const char* const BindLastStaveMessage =
    "You are currently working on the last stave and there's no stave to bind to.";
inline const char* const WidenQuestion =
    "The usable paper width has changed.\n\nDo you want to increase the width of your staves in line with this?";
inline const char* const SpreadQuestion =
    "... and would you like me to spread the objects proportionately across the page?";
inline const char* const NarrowRefusal = "The staves below have objects which would fall off the edge of the paper "
                                         "if I reduced the paper width:\n\nStaves %s\n\nI fear I cannot do this.";

// The usable width W of a stave line: the music area's width in page units.
int usableStaveWidth(const Score& score);

// Inserts an empty stave after stave p (0: at the top), moves the later staves
// down by the spacing there and repaginates with usable height H. Refused with a
// message at 255 staves. The new stave becomes current.
bool insertStaveAfter(Score& score, int p, int H, Ui& ui, PageState& state);

// Deletes stave c. The top stave of a system hands its bar lines to the stave
// below; when the bottom stave goes, the stave above ends the system. Pages are
// not recomputed. Refused with a message for the only stave.
bool deleteStaveAt(Score& score, int c, Ui& ui, PageState& state);

// The eight flags the binding dialog sets on a stave.
struct BindingFlags {
    bool joinToNext = false;
    bool bracketWithNext = false;
    bool bracket = false;
    bool brace = false;
    bool barLineThrough = false;
    bool fullEndBar = false;
    bool ForcedBk = false;
    bool invisible = false;
    bool operator==(const BindingFlags&) const = default;
    static BindingFlags of(const Stave& st);
};

// Writes the flags on stave s, runs brackets down from it and repairs the stave
// above; repaginates when the page break changed or a join now spans two pages.
// Returns false (nothing changed, nothing recorded) when the flags are as they were.
bool applyBinding(Score& score, int s, const BindingFlags& flags, int H, Ui& ui, PageState& state);

// Cycles stave s through not joined, joined with bracket, joined with brace. The
// last stave cannot be bound (a message says so).
bool toggleBinding(Score& score, int s, int H, Ui& ui, PageState& state);

// Appends a copy of the last system (clef and key signature only) below it or on
// a new page; the first copied stave becomes current.
bool appendSystem(Score& score, int H, Ui& ui, PageState& state);
// A brand-new score's first stave, with the score's default values.
void createFirstStave(Score& score, int spacing, PageState& state);

// Every stave grows by delta at its right end; with `spread` every object's x is
// rescaled from the stave's LeftX to keep its place along the stave.
void widenStaves(Score& score, int delta, bool spread);
// Brings every RightX within newWidth - 5; refused (with the list of staves in a
// message) when an object lies beyond that limit.
bool narrowStaves(Score& score, int newWidth, Ui& ui);
// The staves follow a change of the usable width from oldWidth to newWidth: wider
// asks whether to widen them (and whether to spread), narrower narrows them.
// False when the user aborts or the narrowing is refused: the caller puts the old
// size or page back.
bool adaptStaveWidths(Score& score, int oldWidth, int newWidth, Ui& ui);

} // namespace qv
