#pragma once
// The commands of the horizontal layout operations on the current system, as the
// score window's menu calls them, and the choices the Justify and Compressi modes
// end in. Each acts in Music mode only; the layout layer does the arithmetic.

#include "edit/setmode.h"

namespace qv {

// "&Justify right from cursor...": checks that the system ends in a bar line,
// then asks for the x to justify from and enters Justify mode.
void justifyRightFromCursor(EditSession& session);
// "Compre&ss Left or right": enters Compressi mode, where a drag picks the side.
void compressLeftOrRight(EditSession& session);
// "Cut off L&eft at cursor" and "Cut off R&ight at cursor": the staves of the
// current system start, or end, at the cursor.
void cutOffLeftAtCursor(EditSession& session);
void cutOffRightAtCursor(EditSession& session);

// Justify mode's choice made: the current system justified from the cursor, then
// back to Music mode.
void justifyAtCursor(EditSession& session);
// Compressi mode's drag: the button went down at x; the pointer moved to x; the
// button came up at x. The drag ends in Music mode.
void compressPress(EditSession& session, int x);
void compressDrag(EditSession& session, int x);
void compressRelease(EditSession& session, int x);

} // namespace qv
