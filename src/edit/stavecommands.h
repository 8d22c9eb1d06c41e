#pragma once
// The window's commands that change the staves and their systems: new staves,
// deleting a stave, binding, appending a system and the stave size. Each takes
// the editing session, does nothing in the header/footer screen or while a
// provisional object waits, and leaves the page shown with the stave it made current.

#include "edit/setmode.h"

namespace qv {

inline const char* const DeleteStaveQuestion = "I am about to delete this complete stave!\nPlease confirm.";
inline const char* const ResetSizeCaption = "Reset to old value";
inline const char* const PageTooLargeMessage = "Stave size too small, resulting in a page too large.";
// Our own: a stave size the saved score cannot keep.
inline const char* const PageTooSmallMessage = "Stave size too large, resulting in a page too small.";

// A music stave is current and no provisional object waits to be completed (else
// the user is told to finish it first).
bool readyForStaveCommand(EditSession& session);
// "New stave &Above" and "New stave &Below".
void newStaveAbove(EditSession& session);
void newStaveBelow(EditSession& session);
// "Delete Stave": confirmed first below the advanced level.
void deleteStave(EditSession& session);
// "B&inding/attributes..." and "{" on the current stave; a click near a stave's
// left end on that stave.
void bindingDialog(EditSession& session);
void bindingDialogFor(EditSession& session, int stave);
// "[": the quick binding toggle of the current stave.
void quickBinding(EditSession& session);
// "A&nother System" and "Append &New System", in Music mode.
void anotherSystem(EditSession& session);
// "&Stave size...".
void staveSize(EditSession& session);

} // namespace qv
