#pragma once
// Shapes (circle, square, rectangle, ellipse): outlined, filled, or blanking,
// which hides what lies beneath it on paper and shows in the Erase colour on screen.

#include "model/scoreobject.h"
#include "render/drawcontext.h"

namespace qv {

void DrawShape(DrawContext& dc, const ScoreObject& shape, ColourValue colour, bool xorMode);

} // namespace qv
