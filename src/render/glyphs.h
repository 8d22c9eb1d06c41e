#pragma once
// Drawing glyphs and other bitmaps: transparent in a colour on the screen page,
// by exclusive-or (drawn twice, the page is as it was), or in black on the print
// image. Positions are page positions in screen pixels.

#include "model/score.h"
#include "render/drawcontext.h"

#include <string>

namespace qv {

// Glyph `code` with its cell centre at (x, y), after the code's placement corrections.
void DrawGlyph(DrawContext& dc, int code, int x, int y, bool xorMode, ColourValue colour);

// A bitmap by resource name with its centre at the target position (X, Y): on the
// screen ScreenOrigin is added, in high-resolution mode (X, Y) is already a print
// image position.
void DrawResourceBitmap(DrawContext& dc, const std::string& name, int X, int Y, bool xorMode, ColourValue colour);

// The anchor mark of a curve point, on the screen only.
void DrawAnchor(DrawContext& dc, int x, int y, ColourValue colour, bool xorMode);
// Anchor marks on every curve point of a stave, in the Anchor colour.
void DrawStaveAnchors(DrawContext& dc, const Stave& stave);

} // namespace qv
