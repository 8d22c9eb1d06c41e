#include "render/shapes.h"

#include "render/primitives.h"

#include <QPainter>

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

// The shape painted into a stencil: the brush inside, a 1-pixel pen round it.
QImage shapeStencil(QSize size, bool round, ColourValue pen, ColourValue brush) {
    QImage stencil(size, QImage::Format_ARGB32);
    stencil.fill(Qt::transparent);
    if (size.isEmpty()) return stencil;
    QPainter p(&stencil);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(toQColor(pen), 1));
    p.setBrush(toQColor(brush));
    const QRect inside(0, 0, size.width() - 1, size.height() - 1);
    if (round)
        p.drawEllipse(inside);
    else
        p.drawRect(inside);
    return stencil;
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
    if (dc.HighResMode) {
        const QRect area = covered(QRect(box.topLeft() * 3 + dc.HiResOrigin, box.bottomRight() * 3 + dc.HiResOrigin));
        if (s.shapeBlanking()) {
            applyStencil(dc.Printimage, shapeStencil(area.size(), round, White, White), area.topLeft(), PenMode::Copy);
            return;
        }
        const ColourValue brush = s.shapeFilled() ? 0x000000 : White;
        applyStencil(dc.Printimage, shapeStencil(area.size(), round, 0x000000, brush), area.topLeft(), PenMode::Mask);
        return;
    }
    const QRect area = covered(box.translated(dc.ScreenOrigin));
    const ColourValue pen = s.shapeBlanking() ? dc.colours.Erase : colour;
    const ColourValue brush = s.shapeFilled() ? pen : White;
    applyStencil(dc.MainImage, shapeStencil(area.size(), round, pen, brush), area.topLeft(),
                 xorMode ? PenMode::NotXor : PenMode::Mask);
}

} // namespace qv
