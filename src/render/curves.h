#pragma once
// Curves through anchor points (slurs and phrase marks), ties and styled lines.

#include "model/score.h"
#include "render/drawcontext.h"

namespace qv {

// The curve whose first point is object `firstIndex` of `stave`.
void DrawCurve(DrawContext& dc, Score& score, int stave, int firstIndex, ColourValue colour, bool showAnchors,
               bool xorMode);
// The tie from note `fromIndex` to the later note `toIndex` of `stave`;
// direction -1 is overhand, +1 underhand.
void DrawTie(DrawContext& dc, Score& score, int stave, ColourValue colour, bool xorMode, int fromIndex, int toIndex,
             int direction);
// A line with a dash style.
void DrawStyledLine(DrawContext& dc, int x1, int y1, int x2, bool xorMode, ColourValue colour, int dashStyle,
                    int thickness, int y2);

} // namespace qv
