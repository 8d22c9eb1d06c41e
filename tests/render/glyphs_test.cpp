// Placing and copying glyph bitmaps: the centring rule, the placement corrections,
// the three ways of copying, and names matched without regard to case.

#include "render/glyphinkbox.h"
#include "render/glyphs.h"
#include "render/glyphstore.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

QRgb rgb(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

// A white bitmap with ink at the given pixels.
QImage bitmap(int w, int h, std::initializer_list<QPoint> ink) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (const QPoint& p : ink) image.setPixel(p, qRgb(0, 0, 0));
    return image;
}

struct Fixture {
    GlyphStore store;
    DrawContext dc;
    Fixture() {
        dc.glyphs = &store;
        dc.newScreenPage(300, 300);
        dc.newPrintPage(100, 100);
    }
};

TEST(DrawGlyph, TheAltoClefCornerLandsAtTheCentringPoint) {
    Fixture f;
    f.store.insert("bmACLEF", bitmap(41, 64, {{0, 0}, {21, 32}}));
    DrawGlyph(f.dc, 0, 100, 200, false, 0x000000);
    // Top-left at (100 - 21, 200 + 1 - 32): the alto clef is moved one down.
    EXPECT_EQ(rgb(f.dc.MainImage, 79, 169), 0x000000u);
    EXPECT_EQ(rgb(f.dc.MainImage, 100, 201), 0x000000u) << "column 21, row 32 is the reference point";
    EXPECT_EQ(rgb(f.dc.MainImage, 80, 169), 0xFFFFFFu);

    Fixture shifted;
    shifted.dc.ScreenOrigin = QPoint(10, 20);
    shifted.store.insert("bmacleF", bitmap(41, 64, {{0, 0}}));
    DrawGlyph(shifted.dc, 0, 100, 200, false, 0x000000);
    EXPECT_EQ(rgb(shifted.dc.MainImage, 89, 189), 0x000000u) << "names match whatever their case; origin added";
}

TEST(DrawGlyph, HighResolutionPlacesAtThreeTimesWithItsOwnCorrection) {
    Fixture f;
    f.dc.HighResMode = true;
    f.dc.HiResOrigin = QPoint(100, 120);
    f.store.insert("hbm2U", bitmap(123, 192, {{62, 96}}));
    f.store.insert("bm2U", bitmap(41, 64, {{21, 32}}));
    DrawGlyph(f.dc, 23, 10, 10, false, 0x0000FF);
    // Target (29 + 100, 30 + 120): three times, the origin, then one pixel left.
    EXPECT_EQ(rgb(f.dc.Printimage, 129, 150), 0x000000u) << "black on paper whatever the colour";
    for (int y = 0; y < f.dc.MainImage.height(); y += 7)
        ASSERT_EQ(rgb(f.dc.MainImage, y % 300, y), 0xFFFFFFu) << "the screen page is not touched";
}

TEST(DrawGlyph, ColourCopyIsTransparentAndExclusiveOrRestores) {
    Fixture f;
    f.store.insert("bm4_", bitmap(41, 64, {{20, 31}, {21, 31}, {20, 32}, {21, 32}}));
    f.dc.MainImage.setPixel(99, 99, qRgb(1, 2, 3)); // background inside the cell
    f.dc.MainImage.setPixel(101, 100, qRgb(9, 9, 9));
    DrawGlyph(f.dc, 25, 100, 100, false, 0x00FF00);
    EXPECT_EQ(rgb(f.dc.MainImage, 99, 99), 0x00FF00u);
    EXPECT_EQ(rgb(f.dc.MainImage, 101, 100), 0x090909u) << "the glyph's background leaves the page alone";

    const QImage before = f.dc.MainImage.copy();
    DrawGlyph(f.dc, 25, 100, 100, true, 0x0000FF);
    EXPECT_NE(f.dc.MainImage, before);
    DrawGlyph(f.dc, 25, 100, 100, true, 0x0000FF);
    EXPECT_EQ(f.dc.MainImage, before);

    Fixture white;
    white.store.insert("bm4_", bitmap(41, 64, {{21, 32}}));
    DrawGlyph(white.dc, 25, 50, 50, true, 0x0000FF);
    EXPECT_EQ(rgb(white.dc.MainImage, 50, 50), 0xFF0000u) << "exclusive-or on white shows the colour";
}

TEST(DrawGlyph, MissingBitmapsAndCodesOutOfRangeDrawNothing) {
    Fixture f;
    std::vector<std::string> calls;
    f.dc.record = &calls;
    const QImage before = f.dc.MainImage.copy();
    DrawGlyph(f.dc, 3, 50, 50, false, 0); // no bitmap in this store
    DrawGlyph(f.dc, 240, 50, 50, false, 0);
    DrawGlyph(f.dc, -4, 50, 50, false, 0);
    DrawGlyph(f.dc, 300, 50, 50, false, 0);
    EXPECT_EQ(f.dc.MainImage, before);
    EXPECT_EQ(calls.at(0), "glyph 3 at (50, 50) colour 000000");
}

TEST(DrawGlyph, GlyphsAtThePageEdgeAreClipped) {
    Fixture f;
    QImage solid(41, 64, QImage::Format_RGB32);
    solid.fill(Qt::black);
    f.store.insert("bmGCLEF", solid);
    DrawGlyph(f.dc, 3, 2, 2, false, 0x000000);
    DrawGlyph(f.dc, 3, 298, 298, true, 0x000000);
    EXPECT_EQ(rgb(f.dc.MainImage, 0, 0), 0x000000u);
    EXPECT_EQ(rgb(f.dc.MainImage, 299, 299), 0x000000u);
}

TEST(DrawAnchor, ShowsOnTheScreenOnlyAtEveryCurvePoint) {
    Fixture f;
    f.store.insert("bmAnchor", bitmap(12, 12, {{7, 6}}));
    Stave s;
    s.Nobjec = 3;
    s.object(1) = makeObject(ObjectKind::CurvePoint, 20, 30);
    s.object(2) = makeObject(ObjectKind::Note, 40, 30);
    s.object(3) = makeObject(ObjectKind::CurvePoint, 60, 35);
    DrawStaveAnchors(f.dc, s);
    EXPECT_EQ(rgb(f.dc.MainImage, 20, 30), 0x808080u) << "the Anchor colour, centred on the point";
    EXPECT_EQ(rgb(f.dc.MainImage, 60, 35), 0x808080u);
    EXPECT_EQ(rgb(f.dc.MainImage, 40, 30), 0xFFFFFFu);

    f.dc.HighResMode = true;
    const QImage print = f.dc.Printimage.copy();
    DrawAnchor(f.dc, 20, 20, 0, false);
    EXPECT_EQ(f.dc.Printimage, print);
}

} // namespace
} // namespace qv

namespace qv {
namespace {

TEST(GlyphInkBox, MeasuredFromTheScreenBitmapsWithTheFixedExceptions) {
    GlyphStore store;
    store.insert("bm4_", bitmap(41, 64, {{17, 29}, {25, 35}}));
    store.insert("bm8U", bitmap(41, 64, {{26, 4}, {34, 20}}));
    store.insert("bm2Z", bitmap(41, 64, {{10, 12}, {30, 40}}));
    store.insert("bm2UX", bitmap(41, 64, {{14, 2}, {30, 33}}));
    store.insert("bmDIAGLINE", bitmap(41, 64, {{3, 3}}));
    const InkBoxTable t = computeInkBoxes(store);
    EXPECT_EQ(t[25], (InkBox{17, 25, 29, 35}));
    EXPECT_EQ(t[28], (InkBox{17, 34, 4, 20})) << "the quaver's flag box starts at its head";
    EXPECT_EQ(t[51], (InkBox{10, 30, 12, 31})) << "only the bottom is fixed";
    EXPECT_EQ(t[228], (InkBox{14, 27, 2, 33})) << "only the right is fixed";
    EXPECT_EQ(t[36], InkBox{}) << "drawn apart from its bitmap";
    EXPECT_EQ(t[244], (InkBox{42, 1, 65, 1}));
    EXPECT_EQ(t[103], (InkBox{8, 26, 27, 34}));
    EXPECT_EQ(t[3], InkBox{}) << "no bitmap, no ink";
}

} // namespace
} // namespace qv
