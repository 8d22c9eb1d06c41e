#pragma once
// Draws the placing modes' marks (the tether, rubber bands, the curve being drawn
// and the text being typed) by exclusive-or, so that drawing them again takes them
// away.

#include "edit/drawingstate.h"
#include "render/drawcontext.h"

namespace qv {

struct MarkColours {
    ColourValue stave = 0x800080;  // tether and rubber bands: the current stave's colour
    ColourValue text = 0xFF0000;   // the text being typed: the Cursor colour
    ColourValue anchor = 0x808080; // the curve's anchors and the curve through them
};

void DrawPlacingMarks(DrawContext& dc, const PlacingMarks& marks, const MarkColours& colours);

} // namespace qv
