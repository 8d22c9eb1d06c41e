#include "shell/placingmarks.h"

#include "render/curves.h"
#include "render/glyphs.h"
#include "render/primitives.h"
#include "render/text.h"

#include <QPoint>

#include <vector>

namespace qv {

namespace {

void xorLine(DrawContext& dc, const MarkLine& l, ColourValue colour) {
    DrawLine(dc, l.from.x, l.from.y, l.to.x, true, colour, -1, l.to.y);
}

} // namespace

void DrawPlacingMarks(DrawContext& dc, const PlacingMarks& m, const MarkColours& colours) {
    if (m.tether) xorLine(dc, m.tetherLine, colours.stave);
    for (const MarkLine& l : m.band)
        xorLine(dc, l, colours.stave);
    std::vector<QPoint> points;
    for (const MarkPoint& p : m.curve) {
        DrawAnchor(dc, p.x, p.y, colours.anchor, true);
        points.emplace_back(p.x, p.y);
    }
    if (points.size() >= 2) DrawSpline(dc, points, m.curveDepth, m.curveDotted, true, colours.anchor);
    if (!m.text.empty()) DrawText(dc, m.text, m.textFont, true, 1, colours.text, m.textTopLeft.y, m.textTopLeft.x);
}

} // namespace qv
