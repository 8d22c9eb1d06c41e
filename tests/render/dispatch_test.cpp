// The kind table of the three dispatchers, read through the recording mode.

#include "render/dispatch.h"
#include "render/glyphstore.h"
#include "support/scorebuilder.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using Calls = std::vector<std::string>;

struct Fixture {
    Score score = test::makeScore(2);
    GlyphStore store;
    DrawContext dc;
    Calls calls;
    Fixture() {
        dc.glyphs = &store;
        dc.record = &calls;
        dc.newScreenPage(200, 200);
    }
    int add(const ScoreObject& o) { return test::append(score.stave(1), o); }
};

TEST(DrawObject, KindsWithoutADrawingDrawNothing) {
    Fixture f;
    for (int kind : {6, 8, 10, 15, 19, 200}) {
        ScoreObject o = makeObject(ObjectKind::Clef, 50, 50);
        o.bytes[5] = static_cast<std::uint8_t>(kind);
        DrawObject(f.dc, f.score, 1, f.add(o), 0, false);
    }
    DrawObject(f.dc, f.score, 1, 0, 0, false);   // slot 0 is never used
    DrawObject(f.dc, f.score, 1, 251, 0, false); // past the array
    DrawObject(f.dc, f.score, 9, 1, 0, false);   // no such stave
    EXPECT_TRUE(f.calls.empty());
}

TEST(DrawObject, GlyphKindsLinesSymbolsArpeggiosHairpinsAndShapes) {
    Fixture f;
    ScoreObject clef = test::makeClef(10, 1, 40);
    clef.setClefSmall(true);
    ScoreObject glyph = makeObject(ObjectKind::Glyph, 20, 24);
    glyph.setSymbolCode(12);
    ScoreObject line = makeObject(ObjectKind::Line, 30, 40);
    line.setLineDx(50);
    line.setLineDy(-10);
    line.setLineThickness(3);
    ScoreObject symbol = makeObject(ObjectKind::Symbol, 100, 20);
    symbol.setSymbolCode(166);
    symbol.setRepeats(2);
    symbol.setStepDx(9);
    symbol.setStepDy(1);
    ScoreObject arpeggio = makeObject(ObjectKind::Arpeggio, 60, 48);
    arpeggio.setSegments(3);
    ScoreObject hairpin = makeObject(ObjectKind::Hairpin, 70, 60);
    hairpin.setHairpinDx(40);
    hairpin.setHairpinDy(5);
    hairpin.setHairpinThickness(2);
    ScoreObject shape = makeObject(ObjectKind::Shape, 5, 5);
    shape.setShapeType(2);
    shape.setShapeSize1(10);
    shape.setShapeSize2(4);
    for (const ScoreObject& o : {clef, glyph, line, symbol, arpeggio, hairpin, shape})
        DrawObject(f.dc, f.score, 1, f.add(o), 0x000000, false);
    EXPECT_EQ(f.calls, (Calls{
                           "glyph 6 at (10, 40) colour 000000",
                           "glyph 12 at (20, 24) colour 000000",
                           "line (30, 40)-(80, 30) thickness 3 colour 000000",
                           "glyph 166 at (100, 20) colour 000000",
                           "glyph 166 at (109, 21) colour 000000",
                           "glyph 166 at (118, 22) colour 000000",
                           "glyph 157 at (62, 54) colour 000000",
                           "glyph 157 at (62, 46) colour 000000",
                           "glyph 157 at (62, 38) colour 000000",
                           "line (70, 60)-(110, 65) thickness 2 colour 000000",
                           "line (70, 60)-(110, 55) thickness 2 colour 000000",
                           "shape rectangle at (5, 5) size 10, 4 colour 000000",
                       }));
}

TEST(DrawCurrentObject, OnlyInEditModeThinAndWithAnAnchorOnCurvePoints) {
    Fixture f;
    ScoreObject line = makeObject(ObjectKind::Line, 30, 40);
    line.setLineDx(5);
    line.setLineThickness(4);
    const int l = f.add(line);
    const int c = f.add(makeObject(ObjectKind::CurvePoint, 90, 30));
    DrawCurrentObject(f.dc, f.score, {false, 1, l}, 0x0000FF, true);
    EXPECT_TRUE(f.calls.empty()) << "outside Edit mode nothing is current";
    DrawCurrentObject(f.dc, f.score, {true, 1, l}, 0x0000FF, true);
    DrawCurrentObject(f.dc, f.score, {true, 1, c}, 0x0000FF, true);
    EXPECT_EQ(f.calls, (Calls{
                           "line (30, 40)-(35, 40) thickness 1 xor colour 0000FF",
                           "bitmap bmAnchor at (90, 30) xor colour 0000FF",
                       }));
}

TEST(DrawProvisionalObject, ANoteIsDrawnFromTheScratchSlotAndTwiceRemovesAClef) {
    Fixture f;
    f.add(test::makeNote(10, 0));
    f.score.provisional.present = true;
    f.score.provisional.object = test::makeNote(40, 3, 3, f.score.stave(1).Ycoord);
    DrawProvisionalObject(f.dc, f.score, 1);
    const Stave& s = f.score.stave(1);
    EXPECT_EQ(s.Nobjec, 1) << "the stave keeps its count";
    EXPECT_EQ(s.object(2), f.score.provisional.object);
    EXPECT_EQ(s.lastPosition, 3);

    QImage glyph(41, 64, QImage::Format_RGB32);
    glyph.fill(Qt::white);
    for (int y = 20; y < 44; ++y) glyph.setPixel(21, y, qRgb(0, 0, 0));
    f.store.insert("bmGCLEF", glyph);
    f.score.provisional.object = test::makeClef(60, 0, 40);
    const QImage before = f.dc.MainImage.copy();
    DrawProvisionalObject(f.dc, f.score, 1);
    EXPECT_EQ(f.dc.MainImage.pixel(60, 40) & 0xFFFFFF, 0xC0C0C0u) << "grey, the Putative colour";
    DrawProvisionalObject(f.dc, f.score, 1);
    EXPECT_EQ(f.dc.MainImage, before);

    f.calls.clear();
    f.score.provisional.object = makeObject(ObjectKind::Line, 1, 1); // not entered from the keyboard
    DrawProvisionalObject(f.dc, f.score, 1);
    f.score.provisional.clear();
    DrawProvisionalObject(f.dc, f.score, 1);
    EXPECT_TRUE(f.calls.empty());
}

} // namespace
} // namespace qv
