#include "render/drawcontext.h"

#include <QColor>

namespace qv {

QColor toQColor(ColourValue bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

Colours coloursFrom(const ColourSettings& c) {
    Colours out;
    out.Ink = c.Ink;
    out.Nonprinting = c.Nonprinting;
    out.Putative = c.Putative;
    out.Line = c.Line;
    out.Erase = c.Erase;
    out.Anchor = c.Anchor;
    out.Edit = c.Edit;
    out.Cursor = c.Cursor;
    out.Block = c.Block;
    out.Marked = c.Marked;
    out.UniversalText = c.UniversalText;
    out.Strings = c.Strings;
    return out;
}

void DrawContext::newScreenPage(int width, int height) {
    MainImage = QImage(width, height, QImage::Format_RGB32);
    MainImage.fill(Qt::white);
}

void DrawContext::newPrintPage(int width, int height) {
    Printimage = QImage(3 * width, 3 * height, QImage::Format_RGB32);
    Printimage.fill(Qt::white);
}

} // namespace qv
