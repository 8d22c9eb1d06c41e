#pragma once
// The entry cursor: an I-beam, a box or four corner strokes round the cursor's x on
// the current stave, drawn by exclusive-or so that drawing it again hides it.

#include "render/drawcontext.h"

namespace qv {

enum class CursorType { IBeam = 0, Box = 1, Corners = 2 };

// x is the cursor's x, y the current stave's middle line. The caller leaves the
// cursor out in the header/footer screen and when no stave is current.
void DrawCursor(DrawContext& dc, int x, int y, int thickness, int type);

} // namespace qv
