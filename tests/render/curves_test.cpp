// Curves, ties and styled lines, read from the pixels they leave and the calls
// they record.

#include "layout/staveextent.h"
#include "render/curves.h"
#include "render/glyphstore.h"
#include "support/scorebuilder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qv {
namespace {

using Points = std::vector<QPoint>;

struct Page {
    GlyphStore store;
    DrawContext dc;
    std::vector<std::string> calls;
    Page() {
        dc.glyphs = &store;
        dc.record = &calls;
        dc.newScreenPage(200, 200);
    }
    bool ink(int x, int y) const { return (dc.MainImage.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF; }
    // Inked pixels in column x, and the topmost of them (-1 when none).
    int columnInk(int x) const {
        int n = 0;
        for (int y = 0; y < dc.MainImage.height(); ++y)
            n += ink(x, y);
        return n;
    }
    int top(int x) const {
        for (int y = 0; y < dc.MainImage.height(); ++y)
            if (ink(x, y)) return y;
        return -1;
    }
    int pageInk() const {
        int n = 0;
        for (int x = 0; x < dc.MainImage.width(); ++x)
            n += columnInk(x);
        return n;
    }
};

TEST(DrawSpline, PointsWithinOnePixelInXAreDropped) {
    Page p;
    // All in one column or its neighbour: nothing is left to draw.
    DrawSpline(p.dc, Points{{50, 40}, {51, 90}, {50, 10}}, 3, false, false, 0);
    EXPECT_EQ(p.pageInk(), 0);
    // The crowded second point does not bend the curve: what remains is straight.
    DrawSpline(p.dc, Points{{10, 50}, {11, 90}, {110, 50}}, 1, false, false, 0);
    for (int x : {10, 30, 60, 100})
        EXPECT_EQ(p.top(x), 50) << x;
    // Points arrive in any order; they are sorted by x.
    Page q;
    DrawSpline(q.dc, Points{{110, 80}, {10, 80}, {60, 60}}, 1, false, false, 0);
    EXPECT_EQ(q.top(60), 60);
    EXPECT_EQ(q.top(10), 80);
}

TEST(DrawSpline, TwoPointsOfThicknessThreeAreThreeParallelLines) {
    Page p;
    const SplineBounds b = DrawSpline(p.dc, Points{{10, 20}, {50, 20}}, 3, false, false, 0);
    for (int x : {10, 30, 49}) {
        EXPECT_EQ(p.columnInk(x), 3) << x;
        EXPECT_EQ(p.top(x), 20) << x;
    }
    EXPECT_EQ(b, (SplineBounds{20, 23}));
}

TEST(DrawSpline, ThickensBelowTheLineTaperingToOnePixelAtTheEnds) {
    Page p;
    const SplineBounds b = DrawSpline(p.dc, Points{{0, 60}, {50, 40}, {100, 60}}, 4, false, false, 0);
    EXPECT_EQ(p.columnInk(50), 4);
    EXPECT_EQ(p.top(50), 40);
    EXPECT_EQ(p.columnInk(25), 2);
    EXPECT_EQ(p.columnInk(75), 2);
    EXPECT_EQ(p.columnInk(0), 1);
    EXPECT_EQ(p.columnInk(100), 1);
    EXPECT_EQ(p.columnInk(101), 0);
    // The highest curve point, and the lowest plus the thickness.
    EXPECT_EQ(b, (SplineBounds{40, 64}));
}

TEST(DrawSpline, DottedCurvesStartWithAGapAndUseDotsOfAtMostFive) {
    Page p;
    // 110 wide: 110 div 11 = 10, limited to 5.
    DrawSpline(p.dc, Points{{0, 50}, {110, 50}}, 2, true, false, 0);
    for (int x = 0; x <= 110; ++x)
        EXPECT_EQ(p.columnInk(x), (x / 5) % 2 == 1 ? 2 : 0) << x;

    // 30 wide: 30 div 11 = 2; a thin dotted curve still shows its dots.
    Page q;
    DrawSpline(q.dc, Points{{0, 50}, {15, 45}, {30, 50}}, 1, true, false, 0);
    for (int x = 0; x <= 30; ++x)
        EXPECT_EQ(q.columnInk(x) > 0, (x / 2) % 2 == 1) << x;
}

TEST(DrawSpline, ExclusiveOrDrawsOnlyTheThinLineAndTwiceRestores) {
    Page p;
    p.dc.MainImage.setPixel(50, 42, qRgb(10, 200, 30)); // something under the curve
    const QImage before = p.dc.MainImage.copy();
    const Points curve{{0, 60}, {50, 40}, {100, 60}};
    DrawSpline(p.dc, curve, 4, false, true, 0x008000);
    EXPECT_EQ(p.columnInk(25), 1);
    EXPECT_EQ(p.dc.MainImage.pixel(25, p.top(25)) & 0xFFFFFF, 0x008000u);
    DrawSpline(p.dc, curve, 4, false, true, 0x008000);
    EXPECT_EQ(p.dc.MainImage, before);
    // A dotted curve too.
    DrawSpline(p.dc, curve, 3, true, true, 0x008000);
    DrawSpline(p.dc, curve, 3, true, true, 0x008000);
    EXPECT_EQ(p.dc.MainImage, before);
}

TEST(DrawSpline, HighResolutionDrawsThreeTimesLargerAtTheOrigin) {
    Page p;
    p.dc.newPrintPage(100, 100);
    p.dc.HiResOrigin = QPoint(5, 7);
    DrawHiResSpline(p.dc, Points{{10, 20}, {50, 20}}, 6, false);
    const QImage& img = p.dc.Printimage;
    auto black = [&](int x, int y) { return (img.pixel(x, y) & 0xFFFFFF) == 0; };
    for (int y = 66; y < 73; ++y)
        EXPECT_EQ(black(80, y), y >= 67 && y < 73) << y;
    EXPECT_TRUE(black(35, 67));
    EXPECT_FALSE(black(34, 67));

    // Dots as long as on the screen: 15 print columns for a 110-wide curve.
    Page d;
    d.dc.newPrintPage(150, 100);
    DrawHiResSpline(d.dc, Points{{0, 20}, {110, 20}}, 3, true);
    std::string row;
    for (int x = 0; x < 60; ++x)
        row += (d.dc.Printimage.pixel(x, 60) & 0xFFFFFF) == 0 ? '#' : '.';
    EXPECT_EQ(row, std::string(15, '.') + std::string(15, '#') + std::string(15, '.') + std::string(15, '#'));
}

struct CurveFixture : Page {
    Score score = test::makeScore(1);
    Stave& stave = score.stave(1);
    int first = 0;
    // A curve on stave 1, by default of three points and thickness 2 above the stave.
    explicit CurveFixture(const Points& pts = {{20, 90}, {70, 60}, {120, 90}}, int thickness = 2) {
        stave.Ycoord = 100;
        stave.MinY = 70;
        stave.MaxY = 130;
        int previous = 0;
        for (const QPoint& pt : pts) {
            ScoreObject o = makeObject(ObjectKind::CurvePoint, pt.x(), pt.y());
            o.setCurveThickness(thickness);
            o.setCurvePrev(previous);
            const int index = test::append(stave, o);
            if (previous) stave.object(previous).setCurveNext(index);
            previous = index;
        }
        first = 1;
    }
};

TEST(DrawCurve, RewritesTheReachBytesAndWidensTheStaveOnTheScreenOnly) {
    CurveFixture f;
    f.stave.object(f.first).setCurveTop(999);
    DrawCurve(f.dc, f.score, 1, f.first, 0, false, false);
    ASSERT_EQ(f.calls.size(), 1u);
    EXPECT_EQ(f.calls[0], "spline (20, 90) (70, 60) (120, 90) thickness 2 colour 000000");
    // Curve from y 60 to 90, with 7 to spare, relative to Ycoord 100; the thickness
    // is added by whoever reads the bottom.
    EXPECT_EQ(f.stave.object(f.first).curveTop(), 60 - 7 - 100);
    EXPECT_EQ(f.stave.object(f.first).curveBottom(), 90 + 7 - 100);
    EXPECT_EQ(f.stave.MinY, 53);
    EXPECT_EQ(f.stave.MaxY, 130); // already below the curve

    CurveFixture h;
    h.dc.HighResMode = true;
    h.dc.newPrintPage(200, 200);
    DrawCurve(h.dc, h.score, 1, h.first, 0, true, false);
    EXPECT_EQ(h.calls, std::vector<std::string>{"hires spline (20, 90) (70, 60) (120, 90) thickness 6"});
    EXPECT_EQ(h.stave.object(h.first).curveTop(), 0);
    EXPECT_EQ(h.stave.MinY, 70);
}

TEST(DrawCurve, TheStaveExtentCountsAThickCurvesThicknessOnce) {
    // A slur of thickness 4 hanging below the stave, lowest at y 150 in its middle.
    CurveFixture f(Points{{20, 130}, {70, 150}, {120, 130}}, 4);
    DrawCurve(f.dc, f.score, 1, f.first, 0, false, false);
    int lowestInk = 0;
    for (int x = 0; x < f.dc.MainImage.width(); ++x)
        for (int y = 0; y < f.dc.MainImage.height(); ++y)
            if (f.ink(x, y)) lowestInk = std::max(lowestInk, y);
    EXPECT_EQ(lowestInk, 150 + 4 - 1);
    EXPECT_EQ(f.stave.MaxY, 150 + 4 + 7) << "the drawer's own reach: one past the ink, and 7";
    StaveExtent(f.score, 1); // reads the reach bytes back
    EXPECT_EQ(f.stave.MaxY, 150 + 4 + 7) << "the stave extent agrees with the drawer";
}

TEST(DrawCurve, AnchorsTheFirstPointInTheAnchorColourAndTheOthersInTheCurveColour) {
    CurveFixture f;
    DrawCurve(f.dc, f.score, 1, f.first, 0x0000FF, true, true);
    ASSERT_EQ(f.calls.size(), 4u);
    EXPECT_EQ(f.calls[0], "bitmap bmAnchor at (20, 90) xor colour 808080");
    EXPECT_EQ(f.calls[1], "bitmap bmAnchor at (70, 60) xor colour 0000FF");
    EXPECT_EQ(f.calls[2], "bitmap bmAnchor at (120, 90) xor colour 0000FF");
}

struct TieFixture : Page {
    Score score = test::makeScore(1);
    int a = 0, b = 0;
    void notes(int stemA, int stemB, int ya, int yb, int xb = 140, int duration = 3) {
        Stave& s = score.stave(1);
        ScoreObject n = test::makeNote(100, 0, duration);
        n.setY(ya);
        n.setStem(stemA);
        a = test::append(s, n);
        n.setX(xb);
        n.setY(yb);
        n.setStem(stemB);
        b = test::append(s, n);
    }
    std::string tie(int direction) {
        calls.clear();
        DrawTie(dc, score, 1, 0, false, a, b, direction);
        return calls.empty() ? "" : calls[0];
    }
};

TEST(DrawTie, UnderhandTieOnStemUpNotesLiesBelowTheHeads) {
    TieFixture f;
    f.notes(StemUp, StemUp, 60, 60);
    // 4 below the heads at the ends, 13 at the middle; the right end 4 further right.
    EXPECT_EQ(f.tie(+1), "spline (106, 64) (122, 73) (138, 64) thickness 1 colour 000000");
    EXPECT_EQ(f.top(122), 73);
    EXPECT_EQ(f.top(106), 64);
}

TEST(DrawTie, OverhandTieOnStemUpNotesGoesOverTheStems) {
    TieFixture f;
    f.notes(StemUp, StemAuto, 60, 60); // automatic resolves to up below the middle line
    // Stem top 33 above the head, 1 further; left end cleared 2 from the stem; lifted 2.
    EXPECT_EQ(f.tie(-1), "spline (107, 24) (126, 15) (145, 24) thickness 1 colour 000000");
    TieFixture d;
    d.notes(StemDown, StemDown, 60, 60, 140, 7);
    d.score.stave(1).object(d.a).setStemExtra(1);
    EXPECT_EQ(d.tie(+1), "spline (96, 110) (116, 117) (136, 106) thickness 1 colour 000000");
}

TEST(DrawTie, HeadSideWhenStemsOrHeightsDiffer) {
    TieFixture f;
    f.notes(StemUp, StemDown, 60, 60);
    EXPECT_EQ(f.tie(-1), "spline (108, 54) (123, 45) (138, 54) thickness 1 colour 000000");
    TieFixture g;
    g.notes(StemDown, StemDown, 60, 68, 300);
    // Different heights: ends 8 off the heads, from the head's own x; a wide tie rises
    // 2 + 7 (w - 6) / 54.
    EXPECT_EQ(g.tie(+1), "spline (100, 68) (199, 99) (298, 76) thickness 1 colour 000000");
}

TEST(DrawTie, StemLengthsByDuration) {
    EXPECT_EQ(TieStemLength(0, true, 0), 0);
    EXPECT_EQ(TieStemLength(1, false, 2), 8);
    EXPECT_EQ(TieStemLength(2, true, 0), 33);
    EXPECT_EQ(TieStemLength(5, true, -1), 30);
    EXPECT_EQ(TieStemLength(6, false, 0), 38);
    EXPECT_EQ(TieStemLength(7, false, 0), 43);
    EXPECT_EQ(TieStemLength(7, true, 0), 48);
}

TEST(DrawStyledLine, ShowsItsDashPatternAndRestoresUnderExclusiveOr) {
    Page p;
    DrawStyledLine(p.dc, 10, 20, 70, false, 0, 1, 1, 20);
    std::string row;
    for (int x = 10; x < 30; ++x)
        row += p.ink(x, 20) ? '#' : '.';
    EXPECT_EQ(row, "######....######....");
    DrawStyledLine(p.dc, 10, 40, 70, false, 0, 2, 1, 40);
    row.clear();
    for (int x = 10; x < 26; ++x)
        row += p.ink(x, 40) ? '#' : '.';
    EXPECT_EQ(row, "#...#...#...#...");
    DrawStyledLine(p.dc, 10, 60, 70, false, 0, 0, 3, 60);
    for (int x = 12; x < 68; ++x)
        EXPECT_TRUE(p.ink(x, 60)) << x;

    const QImage before = p.dc.MainImage.copy();
    for (int k = 0; k < 2; ++k)
        DrawStyledLine(p.dc, 5, 5, 150, true, 0xFF0000, 3, 2, 90);
    EXPECT_EQ(p.dc.MainImage, before);
}

} // namespace
} // namespace qv
