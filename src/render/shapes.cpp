#include "render/shapes.h"

#include "render/primitives.h"
#include "render/stencils.h"

#include <QPainter>

#include <tuple>

namespace qv {

namespace {

enum ShapeType { Circle = 0, Square = 1, Rectangle = 2, Ellipse = 3 };

// The box a shape fills, in page units: right and bottom edges are not covered.
QRect shapeBox(const ScoreObject& s) {
    const int x = s.x(), y = s.y(), a = s.shapeSize1(), b = s.shapeSize2();
    if (s.shapeType() == Circle || s.shapeType() == Square) return QRect(QPoint(x - a, y - a), QPoint(x + a, y + a));
    return QRect(QPoint(x, y), QPoint(x + a, y + b));
}

// Pixels l..r-1 across and t..b-1 down of the box given by its corners.
QRect covered(QRect corners) {
    const QRect n = corners.normalized();
    return QRect(n.left(), n.top(), n.right() - n.left(), n.bottom() - n.top());
}

// The outline (a 1-pixel pen) and the inside (the brush) of a shape that fills a
// box of `size`, painted once per size and kind.
struct ShapeStencil {
    GlyphBitmap outline;
    GlyphBitmap inside;

    std::size_t cost() const { return outline.runs().size() + inside.runs().size() + 1; }
};

// Two colours tell the pen's pixels from the brush's; which pixels are covered does
// not depend on the colours.
constexpr QRgb StencilPen = 0xFFFF0000, StencilBrush = 0xFF0000FF;

// The shape filling `area` (pixels l..r-1 across, t..b-1 down) painted in the
// stencil colours, in the painter's coordinates.
void paintStencilShape(QPainter& p, const QRect& area, bool round) {
    p.setPen(QPen(QColor::fromRgb(StencilPen), 1));
    p.setBrush(QColor::fromRgb(StencilBrush));
    const QRect inside(area.topLeft(), QSize(area.width() - 1, area.height() - 1));
    if (round)
        p.drawEllipse(inside);
    else
        p.drawRect(inside);
}

ShapeStencil stencilOf(const QImage& painted) {
    return ShapeStencil{GlyphBitmap::fromColour(painted, StencilPen),
                        GlyphBitmap::fromColour(painted, StencilBrush)};
}

const ShapeStencil& shapeStencil(QSize size, bool round) {
    using Key = std::tuple<int, int, bool>;
    static thread_local StencilCache<Key, ShapeStencil> cache(StencilRunLimit);
    return cache.get(Key{size.width(), size.height(), round}, [&] {
        return stencilOf(paintedScratch(
            size, [&](QPainter& p) { paintStencilShape(p, QRect(QPoint(0, 0), size), round); }));
    });
}

// A white brush leaves the page as it was in the mask and exclusive-or modes, so
// it is not drawn at all.
void applyShape(QImage& target, const ShapeStencil& stencil, QPoint at, ColourValue pen, ColourValue brush,
                PenMode mode) {
    if (brush != White || mode == PenMode::Copy) applyRuns(target, stencil.inside, at, brush, mode);
    applyRuns(target, stencil.outline, at, pen, mode);
}

// The shape in its pen and brush colours with `mode`. A shape too large for a kept
// stencil is painted only where it meets the target, a band at a time.
void paintShape(QImage& target, const QRect& area, bool round, ColourValue pen, ColourValue brush, PenMode mode) {
    if (area.isEmpty()) return;
    if (withinScratchBudget(area.size())) {
        applyShape(target, shapeStencil(area.size(), round), area.topLeft(), pen, brush, mode);
        return;
    }
    paintInBands(
        area & target.rect(), [&](QPainter& p) { paintStencilShape(p, area, round); },
        [&](const QImage& band, QPoint at) { applyShape(target, stencilOf(band), at, pen, brush, mode); });
}

const char* typeName(int type) {
    switch (type) {
    case Circle: return "circle";
    case Square: return "square";
    case Rectangle: return "rectangle";
    case Ellipse: return "ellipse";
    }
    return "shape";
}

} // namespace

void DrawShape(DrawContext& dc, const ScoreObject& s, ColourValue colour, bool xorMode) {
    if (dc.record) dc.note(std::string("shape ") + typeName(s.shapeType()) + " at (" + std::to_string(s.x()) + ", " +
            std::to_string(s.y()) + ") size " + std::to_string(s.shapeSize1()) + ", " +
            std::to_string(s.shapeSize2()) + (s.shapeFilled() ? " filled" : "") +
            (s.shapeBlanking() ? " blanking" : "") + describeColour(xorMode, colour));
    const bool round = s.shapeType() == Circle || s.shapeType() == Ellipse;
    const QRect box = shapeBox(s);
    if (dc.onPaper()) {
        const QRect area = covered(QRect(box.topLeft() * 3 + dc.HiResOrigin, box.bottomRight() * 3 + dc.HiResOrigin));
        if (s.shapeBlanking()) {
            paintShape(dc.Printimage, area, round, White, White, PenMode::Copy);
            return;
        }
        paintShape(dc.Printimage, area, round, 0x000000, s.shapeFilled() ? 0x000000 : White, PenMode::Mask);
        return;
    }
    const int k = dc.scale();
    const QRect area = covered(QRect(box.topLeft() * k + dc.origin(), box.bottomRight() * k + dc.origin()));
    const ColourValue pen = s.shapeBlanking() ? dc.colours.Erase : colour;
    const ColourValue brush = s.shapeFilled() ? pen : White;
    paintShape(dc.surface(), area, round, pen, brush, xorMode ? PenMode::NotXor : PenMode::Mask);
}

} // namespace qv
