#include "render/drawcontext.h"

#include "model/bounds.h"

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

// A page larger than the largest paper is cut to it: whatever page data a caller
// hands in, the surface never takes more memory than the largest page does.
void DrawContext::newScreenPage(int width, int height) {
    const SurfaceSize page = boundSurface(width, height);
    MainImage = QImage(page.width, page.height, QImage::Format_RGB32);
    MainImage.fill(Qt::white);
}

void DrawContext::newPrintPage(int width, int height) {
    const SurfaceSize page = boundSurface(width, height);
    Printimage = QImage(3 * page.width, 3 * page.height, QImage::Format_RGB32);
    Printimage.fill(Qt::white);
}

bool DrawContext::keepPrintPage(int width, int height) {
    const SurfaceSize page = boundSurface(width, height);
    const bool fits = Printimage.width() == 3 * page.width && Printimage.height() == 3 * page.height &&
                      Printimage.format() == QImage::Format_RGB32 && Printimage.isDetached();
    if (!fits) newPrintPage(width, height);
    return !fits;
}

} // namespace qv
