#pragma once
// Choosing what the score window shows: going to a page, system or stave, the
// first and last stave, the next and previous page, the header/footer screen, the
// status line and the stave nearest to a point.

#include "edit/setmode.h"

#include <string>

namespace qv {

enum class GotoTarget { Page, System, Stave };

inline const char* const GotoMissingMessage = "%s %d does not exist. Moving to %s %d.";

// Asks for a number in an input box and goes there; an entry that is not a number
// changes nothing.
void gotoCommand(EditSession& session, GotoTarget target);
// Goes to page, system or stave n, clamped into range; the clamping is reported at
// levels 1 and 2.
void gotoNumber(EditSession& session, GotoTarget target, int n);

void gotoTop(EditSession& session);
void gotoEnd(EditSession& session); // also puts the cursor 20 right of the stave's LeftX
// The next (+1) or previous (-1) page with its first stave current; out of range
// does nothing.
void stepPage(EditSession& session, int direction);

// "Define &Header/Footer": opens the header/footer screen, or closes it when open.
void toggleHeaderFooterScreen(EditSession& session);
// The refusal shown when both the header and the footer are below 0.1 inch.
std::string headerFooterTooSmallMessage(const PageData& page);

// The pages of a score just opened: a file whose page numbers do not run from 1
// up a page at a time (a damaged or hand-made file) is repaginated, so that every
// count the window shows holds together. Sets the page count in `state`.
void settleOpenedPages(Score& score, PageState& state, Ui& ui);

// The status line for the current stave.
std::string statusLine(const Editor& editor, const Score& score, bool blockCopying = false);

// The stave of page `page` whose Ycoord is nearest to y (the first among equals);
// 0 when the page has no stave.
int nearestStave(const Score& score, int page, int y);

// Makes stave s current the way every command does it: drag limits, tools, status.
void makeStaveCurrent(EditSession& session, int s);

} // namespace qv
