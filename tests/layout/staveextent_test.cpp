// How far a stave and its objects reach up and down.

#include "layout/staveextent.h"
#include "render/glyphcatalogue.h"
#include "render/glyphinkbox.h"
#include "support/scorebuilder.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

struct Fixture {
    Score score = test::makeScore(1);
    Stave& stave() { return score.stave(1); }
    int y() { return score.stave(1).Ycoord; }
    // The extent of the stave alone.
    int emptyMin() { return y() - GlyphInkBox(42).top - 32 + GlyphOffset(42).dy; }
    int emptyMax() { return y() + GlyphInkBox(43).bottom - 32 + GlyphOffset(43).dy; }
    void measure(const ScoreObject& o) {
        stave().Nobjec = 0;
        test::append(stave(), o);
        StaveExtent(score, 1);
    }
};

TEST(StaveExtent, AnEmptyStaveCoversItsLinesAndNotesReachByStemAndBeam) {
    Fixture f;
    StaveExtent(f.score, 1);
    EXPECT_EQ(f.stave().MinY, f.emptyMin());
    EXPECT_EQ(f.stave().MaxY, f.emptyMax());
    EXPECT_LT(f.stave().MinY, f.y() - 16) << "above the top line";
    EXPECT_GT(f.stave().MaxY, f.y() + 16) << "below the bottom line";
    const int high = f.y() - 60; // a note far above the stave
    ScoreObject n = test::makeNote(10, 15, 4, f.y());
    ASSERT_EQ(n.y(), high);
    n.setStem(StemDown);
    f.measure(n);
    EXPECT_EQ(f.stave().MinY, high - 8);
    n.setStem(StemUp);
    f.measure(n);
    EXPECT_EQ(f.stave().MinY, high - 28);
    n.setStem(StemAuto);
    f.measure(n);
    EXPECT_EQ(f.stave().MinY, f.emptyMin()) << "an automatic stem adds nothing";
    // Beamed: a quaver's stem is (4 - 3) x 5 + 13 = 18, small heads (4 - 3) x 4 + 9 = 13.
    n.setStem(StemUp);
    n.setBeamForward(2);
    f.measure(n);
    EXPECT_EQ(f.stave().MinY, high - 19);
    n.setHeadStyle(1);
    f.measure(n);
    EXPECT_EQ(f.stave().MinY, high - 14);
    ScoreObject low = test::makeNote(10, -16, 6, f.y());
    low.setStem(StemDown);
    low.setBeamBack(1);
    f.measure(low);
    EXPECT_EQ(f.stave().MaxY, low.y() + 3 * 5 + 13 + 1);
}

TEST(StaveExtent, LinesHairpinsArpeggiosAndCurves) {
    Fixture f;
    ScoreObject line = makeObject(ObjectKind::Line, 0, f.y() + 40);
    line.setLineDy(10);
    line.setLineThickness(3);
    f.measure(line);
    EXPECT_EQ(f.stave().MaxY, f.y() + 53);
    ScoreObject hairpin = makeObject(ObjectKind::Hairpin, 0, f.y() - 40);
    hairpin.setHairpinDy(-6);
    hairpin.setHairpinThickness(2);
    f.measure(hairpin);
    EXPECT_EQ(f.stave().MinY, f.y() - 48);
    ScoreObject arpeggio = makeObject(ObjectKind::Arpeggio, 0, f.y() + 8);
    arpeggio.setSegments(10);
    f.measure(arpeggio);
    EXPECT_EQ(f.stave().MinY, f.y() - 72);
    ScoreObject first = makeObject(ObjectKind::CurvePoint, 0, 0);
    first.setCurveNext(2);
    first.setCurveThickness(2);
    first.setCurveTop(-70);
    first.setCurveBottom(50);
    f.measure(first);
    EXPECT_EQ(f.stave().MinY, f.y() - 70);
    EXPECT_EQ(f.stave().MaxY, f.y() + 52);
    first.setCurvePrev(3); // not the first point: the reach is the first point's to give
    f.measure(first);
    EXPECT_EQ(f.stave().MinY, f.emptyMin());
}

TEST(StaveExtent, TextsReachDownByTheirFontsHeight) {
    Fixture f;
    f.score.fonts.setFont(2, {"Liberation Serif", 12, 0, 0});
    f.score.fonts.setFont(3, {"Liberation Serif", 36, FontBold, 0});
    const int below = f.y() + 30;
    f.measure(test::makeShortText(0, below, 2, "dolce"));
    const int small = f.stave().MaxY - below;
    f.measure(test::makeTextHead(0, below, 3, "Allegro"));
    const int large = f.stave().MaxY - below;
    EXPECT_GT(small, 12) << "12 points are 16 pixels on the page";
    EXPECT_LT(small, 24);
    EXPECT_GT(large, 2 * small);
    ScoreObject chunk = test::makeTextHead(0, f.y() + 200, 3, "continued", TextContinuation);
    f.measure(chunk);
    EXPECT_EQ(f.stave().MaxY, f.emptyMax()) << "only a text's head chunk counts";
}

TEST(StaveExtent, KeySignaturesOfManyAccidentals) {
    Fixture f;
    ScoreObject key = makeObject(ObjectKind::KeySignature, 0, f.y());
    key.setKeyCount(2);
    f.measure(key);
    EXPECT_EQ(f.stave().MinY, f.emptyMin());
    key.setKeyCount(-7);
    f.measure(key);
    EXPECT_EQ(f.stave().MinY, std::min(f.emptyMin(), f.y() - 20 + GlyphInkBox(46).top));
    EXPECT_EQ(f.stave().MaxY, std::max(f.emptyMax(), f.y() + 20 + GlyphInkBox(44).bottom));
}

} // namespace
} // namespace qv
