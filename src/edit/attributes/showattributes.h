#pragma once
// The one way into the attribute dialogs: for the provisional object in Music mode,
// for the current object in Edit mode, and for the objects of one kind in a marked
// block. A dialog works on a copy; only OK (or the note dialog's "Set De&fault")
// writes it back.

#include "edit/setmode.h"

namespace qv {

// '?', the right button on a provisional or current object, the attributes speed
// button and the Place items. In Music mode without a provisional object the stave's
// binding dialog opens instead. Kinds without a dialog are left alone.
void ShowAttributes(EditSession& session);

// The dialog of `kind` for the marked block: one undo step for the block's staves,
// then every marked object of the kind takes the values chosen. Returns whether
// anything was changed.
bool blockAttributes(EditSession& session, ObjectKind kind);

} // namespace qv
