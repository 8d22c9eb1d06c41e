#include "render/glyphs.h"

#include "render/glyphcatalogue.h"
#include "render/glyphstore.h"
#include "render/primitives.h"

#include <algorithm>

namespace qv {

namespace {

// Column w div 2 + 1 from the left and row h div 2 from the top sit on the point.
QPoint topLeftAt(const GlyphBitmap& bitmap, int X, int Y) {
    return {X - (bitmap.width() / 2 + 1), Y - bitmap.height() / 2};
}

// `at` is in the surface's pixels on the print image, in page units on the screen.
void drawBitmapAt(DrawContext& dc, const GlyphBitmap& bitmap, QPoint at, bool xorMode, ColourValue colour) {
    if (dc.HighResMode) {
        const HiResPen pen = hiResPen(dc, xorMode, colour); // black on paper
        applyRuns(dc.Printimage, bitmap, at, pen.colour, pen.mode);
        return;
    }
    // On the screen the background stays: the ink takes the colour, or with
    // exclusive-or becomes NOT(colour XOR pixel), which a second drawing undoes.
    applyRuns(dc.MainImage, bitmap, at + dc.ScreenOrigin, colour, xorMode ? PenMode::NotXor : PenMode::Copy);
}

void drawBitmap(DrawContext& dc, const GlyphBitmap& bitmap, int X, int Y, bool xorMode, ColourValue colour) {
    drawBitmapAt(dc, bitmap, topLeftAt(bitmap, X, Y), xorMode, colour);
}

const GlyphStore& glyphsOf(const DrawContext& dc) { return dc.glyphs ? *dc.glyphs : GlyphStore::builtIn(); }

} // namespace

void DrawGlyph(DrawContext& dc, int code, int x, int y, bool xorMode, ColourValue colour) {
    if (dc.record) dc.note("glyph " + std::to_string(code) + " at (" + std::to_string(x) + ", " + std::to_string(y) + ")" +
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
    if (dc.record) dc.note("bitmap " + name + " at (" + std::to_string(X) + ", " + std::to_string(Y) + ")" +
            describeColour(xorMode, colour));
    const GlyphBitmap& bitmap = glyphsOf(dc).find(name);
    if (!dc.HighResMode) return drawBitmap(dc, bitmap, X, Y, xorMode, colour);
    // The editing aids have no three-times drawing: each pixel becomes three by three.
    drawBitmapAt(dc, bitmap.magnified(3), topLeftAt(bitmap, X, Y) * 3 + dc.HiResOrigin, xorMode, colour);
}

void DrawAnchor(DrawContext& dc, int x, int y, ColourValue colour, bool xorMode) {
    if (dc.onPaper()) return; // anchors are an editing aid, never printed
    DrawResourceBitmap(dc, "bmAnchor", x, y, xorMode, colour);
}

void DrawStaveAnchors(DrawContext& dc, const Stave& stave) {
    for (int i = 1; i <= stave.Nobjec; ++i) {
        const ScoreObject& o = stave.object(i);
        if (o.is(ObjectKind::CurvePoint)) DrawAnchor(dc, o.x(), o.y(), dc.colours.Anchor, false);
    }
}

} // namespace qv
