#pragma once
// What the placing modes (Text, Symbol, Line, Curve, Hairpin, Drawing) share: the
// band around the current stave that the pointer is held in, the tether mark from
// the stave to the pointer, moving the work to a neighbouring stave, the room left
// on the stave, and putting the marks on the screen.

#include "edit/setmode.h"

namespace qv {

// Holds the pointer between the middle lines of the staves above and below stave s
// (for users below the advanced level, on music staves only).
void SetPlacementLimits(EditSession& session, int s);
// The point the placing modes use for a pointer at p: its y held within the limits.
MarkPoint heldPoint(const DrawingState& drawing, PagePoint p);

// The tether from the current stave's middle line to p, rising at 45 degrees; left
// off when p is not on the page. DrawTether shows it, removeTether takes it away.
void DrawTether(EditSession& session, MarkPoint p);
void removeTether(EditSession& session);

// The marks as they stand in the editing state, drawn over whatever was shown.
void showMarks(EditSession& session);

// PgUp (-1) and PgDn (+1): the work moves to the neighbouring stave of the page.
void AttachToStave(EditSession& session, int d);

// Whether the current stave can take another object; tells the user when it cannot.
bool staveHasRoom(EditSession& session);

// Leaving a placing mode: the marks and the provisional object go from the screen
// and whatever was not completed is forgotten.
void endPlacing(EditSession& session);

// Where a placing mode that finishes returns: the header/footer screen's Music when
// it came from there, else Music.
void returnFromPlacing(EditSession& session);

} // namespace qv
