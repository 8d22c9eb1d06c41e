#include "render/glyphs.h"

#include "render/glyphcatalogue.h"
#include "render/glyphstore.h"
#include "render/primitives.h"

#include <algorithm>

namespace qv {

namespace {

// The three ways a bitmap's ink reaches a page.
enum class Copy { Colour, ExclusiveOr, Black };

void blit(QImage& target, const GlyphBitmap& bitmap, int left, int top, Copy how, ColourValue colour) {
    const QRgb pen = toQColor(colour).rgb() & 0xFFFFFF;
    const QRgb inverse = ~pen & 0xFFFFFF;
    const int width = target.width(), height = target.height();
    for (const GlyphBitmap::Run& run : bitmap.runs()) {
        const int y = top + run.row;
        if (y < 0 || y >= height) continue;
        const int first = std::max(0, left + run.first), end = std::min(width, left + run.end);
        QRgb* row = reinterpret_cast<QRgb*>(target.scanLine(y));
        for (int x = first; x < end; ++x) {
            switch (how) {
            case Copy::Colour: row[x] = 0xFF000000 | pen; break; // AND black, then OR the colour
            case Copy::ExclusiveOr: row[x] = 0xFF000000 | ((row[x] ^ inverse) & 0xFFFFFF); break;
            case Copy::Black: row[x] = 0xFF000000; break;
            }
        }
    }
}

void drawBitmap(DrawContext& dc, const GlyphBitmap& bitmap, int X, int Y, bool xorMode, ColourValue colour) {
    // Column w div 2 + 1 from the left and row h div 2 from the top sit on the point.
    int left = X - (bitmap.width() / 2 + 1);
    int top = Y - bitmap.height() / 2;
    if (dc.HighResMode) {
        blit(dc.Printimage, bitmap, left, top, Copy::Black, 0);
        return;
    }
    left += dc.ScreenOrigin.x();
    top += dc.ScreenOrigin.y();
    blit(dc.MainImage, bitmap, left, top, xorMode ? Copy::ExclusiveOr : Copy::Colour, colour);
}

const GlyphStore& glyphsOf(const DrawContext& dc) { return dc.glyphs ? *dc.glyphs : GlyphStore::builtIn(); }

} // namespace

void DrawGlyph(DrawContext& dc, int code, int x, int y, bool xorMode, ColourValue colour) {
    dc.note("glyph " + std::to_string(code) + " at (" + std::to_string(x) + ", " + std::to_string(y) + ")" +
            describeColour(xorMode, colour));
    const GlyphShift shift = GlyphOffset(code);
    x += shift.dx;
    y += shift.dy;
    int X = x, Y = y;
    if (dc.HighResMode) {
        const GlyphShift fine = GlyphHiResOffset(code);
        X = 3 * x + dc.HiResOrigin.x() + fine.dx;
        Y = 3 * y + dc.HiResOrigin.y() + fine.dy;
    }
    drawBitmap(dc, glyphsOf(dc).glyph(code, dc.HighResMode), X, Y, xorMode, colour);
}

void DrawResourceBitmap(DrawContext& dc, const std::string& name, int X, int Y, bool xorMode, ColourValue colour) {
    dc.note("bitmap " + name + " at (" + std::to_string(X) + ", " + std::to_string(Y) + ")" +
            describeColour(xorMode, colour));
    drawBitmap(dc, glyphsOf(dc).find(name), X, Y, xorMode, colour);
}

void DrawAnchor(DrawContext& dc, int x, int y, ColourValue colour, bool xorMode) {
    if (dc.HighResMode) return; // anchors are an editing aid, never printed
    DrawResourceBitmap(dc, "bmAnchor", x, y, xorMode, colour);
}

void DrawStaveAnchors(DrawContext& dc, const Stave& stave) {
    for (int i = 1; i <= stave.Nobjec; ++i) {
        const ScoreObject& o = stave.object(i);
        if (o.is(ObjectKind::CurvePoint)) DrawAnchor(dc, o.x(), o.y(), dc.colours.Anchor, false);
    }
}

} // namespace qv
