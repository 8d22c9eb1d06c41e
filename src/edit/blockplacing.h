#pragma once
// Block mode's commands that the window's menus reach: while a copy or move is
// being placed, "P&revious Page" and "&Next page" carry the block instead of the view.

namespace qv {

struct EditSession;

inline const char* const NothingEnclosedMessage =
    "There are no objects enclosed in the box, so this operation has been cancelled.\n\nNote that the "
    "\"handles\" "
    "of some objects may be a little distance from them. In particular text words have their handles a "
    "little to "
    "the top and left.";

// True in BlockVb and BlockCpy, where the page commands move the placement.
bool placingBlock(const EditSession& session);
// Carries the block's target to the first stave of the next (+1) or previous (-1) page.
void carryBlockToPage(EditSession& session, int direction);
// "Alt&er Attributes" on the marked block: the kind chooser, then the kind's dialog.
void alterBlockAttributes(EditSession& session);

} // namespace qv
