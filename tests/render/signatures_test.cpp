// Key and time signatures, bar lines and accidentals, read through the recording
// mode, with a few looks at the pixels.

#include "render/dispatch.h"
#include "render/signatures.h"
#include "support/scorebuilder.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using Calls = std::vector<std::string>;

struct Fixture {
    Score score;
    DrawContext dc; // the glyphs compiled into the program
    Calls calls;
    explicit Fixture(int staves = 1) : score(test::makeScore(staves)) {
        dc.record = &calls;
        dc.newScreenPage(300, 200);
        score.naturalsInKeyChange = true;
    }
    Stave& stave(int s = 1) { return score.stave(s); }
    int addKey(int x, int key, int s = 1) {
        ScoreObject o = makeObject(ObjectKind::KeySignature, x, stave(s).Ycoord);
        o.setKeyCount(key);
        return test::append(stave(s), o);
    }
    int addBar(int x, int type, int s = 1) {
        ScoreObject o = makeObject(ObjectKind::Barline, x, stave(s).Ycoord);
        o.setBarType(type);
        return test::append(stave(s), o);
    }
    void draw(int index, int s = 1, ColourValue colour = 0x000000) {
        calls.clear();
        DrawObject(dc, score, s, index, colour, false);
    }
};

std::string glyph(int code, int x, int y, const char* colour = "000000") {
    return "glyph " + std::to_string(code) + " at (" + std::to_string(x) + ", " + std::to_string(y) + ") colour " +
           colour;
}

// Ycoord of stave 1 is 40, so staff position p lies at y = 40 - 4p.
TEST(KeySignature, ThreeSharpsInTheBassClef) {
    Fixture f;
    test::append(f.stave(), test::makeClef(10, Bass, 40));
    f.draw(f.addKey(30, 3));
    EXPECT_EQ(f.calls, (Calls{glyph(46, 30, 32), glyph(46, 38, 44), glyph(46, 46, 28)}));
}

TEST(KeySignature, ChangeOfSignCancelsTheOldKeyFirst) {
    Fixture f;
    f.addKey(20, 2);
    f.draw(f.addKey(100, -3));
    EXPECT_EQ(f.calls, (Calls{glyph(48, 98, 24), glyph(48, 106, 36), glyph(44, 116, 40), glyph(44, 124, 28),
                              glyph(44, 132, 44)}));

    // Without the option the flats stand at the signature's own x.
    f.score.naturalsInKeyChange = false;
    f.draw(f.stave().Nobjec);
    EXPECT_EQ(f.calls, (Calls{glyph(44, 100, 40), glyph(44, 108, 28), glyph(44, 116, 44)}));
}

TEST(KeySignature, ChangeToNoKeyCancelsOnlyWithTheOption) {
    Fixture f;
    f.addKey(20, -1);
    const int none = f.addKey(100, 0);
    f.draw(none);
    EXPECT_EQ(f.calls, (Calls{glyph(48, 98, 40)}));
    // Without them the signature prints nothing, so the screen marks its place.
    f.score.naturalsInKeyChange = false;
    f.draw(none);
    EXPECT_EQ(f.calls, (Calls{glyph(48, 100, 40, "FF00FF")}));
}

TEST(KeySignature, ReductionFollowsTheKeyWithNaturals) {
    Fixture f;
    f.addKey(20, -4);
    f.draw(f.addKey(100, -1));
    EXPECT_EQ(f.calls, (Calls{glyph(44, 100, 40), glyph(48, 108, 28), glyph(48, 116, 44), glyph(48, 124, 32)}));
}

TEST(KeySignature, CountsPastSevenDrawSeven) {
    Fixture f;
    f.draw(f.addKey(40, -9));
    ASSERT_EQ(f.calls.size(), 7u);
    EXPECT_EQ(f.calls.back(), glyph(44, 88, 52));
}

TEST(KeySignature, TheNearestEarlierKeyAndClefCount) {
    Fixture f;
    test::append(f.stave(), test::makeClef(5, Bass, 40));
    f.addKey(20, 5);
    test::append(f.stave(), test::makeClef(60, Alto, 40));
    f.addKey(80, 1);
    const int key = f.addKey(120, 2);
    f.addKey(200, -7); // to the right: no influence
    f.draw(key);
    EXPECT_EQ(f.calls, (Calls{glyph(46, 120, 28), glyph(46, 128, 40)}));
}

TEST(KeySignature, EmptySignatureShowsOnlyOnTheScreen) {
    Fixture f;
    const int key = f.addKey(50, 0);
    f.draw(key);
    EXPECT_EQ(f.calls, (Calls{glyph(48, 50, 40, "FF00FF")}));

    f.dc.HighResMode = true;
    f.dc.newPrintPage(300, 200);
    f.draw(key);
    EXPECT_TRUE(f.calls.empty());
}

TEST(KeySignature, StepTableCoversEveryClefAndLandsOnTheRightNotes) {
    // Bass and alto signatures keep the treble shape, drawn a third and a step lower.
    const int shift[4] = {0, -2, -1, 0};
    for (int clef : {Bass, Alto}) {
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(KeyStepTable(clef, false, i), KeyStepTable(Treble, false, i) + shift[clef]) << clef << i;
            EXPECT_EQ(KeyStepTable(clef, true, i), KeyStepTable(Treble, true, i) + shift[clef]) << clef << i;
        }
    }
    // Tenor sharps are written low, not on the treble pattern.
    EXPECT_EQ(KeyStepTable(Tenor, true, 0), -2);
    EXPECT_EQ(KeyStepTable(Tenor, false, 6), -2);
    EXPECT_EQ(KeyStepTable(9, true, 0), KeyStepTable(Treble, true, 0));
}

TEST(ClefAt, LastClefStrictlyLeftOfX) {
    Fixture f;
    EXPECT_EQ(ClefAt(f.stave(), 100), Treble);
    test::append(f.stave(), test::makeClef(10, Bass, 40));
    test::append(f.stave(), test::makeClef(50, Tenor, 40));
    EXPECT_EQ(ClefAt(f.stave(), 10), Treble);
    EXPECT_EQ(ClefAt(f.stave(), 11), Bass);
    EXPECT_EQ(ClefAt(f.stave(), 50), Bass);
    EXPECT_EQ(ClefAt(f.stave(), 51), Tenor);
}

TEST(TimeSignature, TableOfFigures) {
    Fixture f;
    auto draw = [&](int index) {
        f.calls.clear();
        DrawTimeSignature(f.dc, index, 50, 32, false, 0);
        return f.calls;
    };
    EXPECT_EQ(draw(0), (Calls{glyph(19, 50, 32)}));
    EXPECT_EQ(draw(1), (Calls{glyph(20, 50, 32)}));
    EXPECT_EQ(draw(2), (Calls{glyph(9, 50, 40)}));
    EXPECT_EQ(draw(3), (Calls{glyph(10, 50, 32), glyph(10, 50, 48)}));
    EXPECT_EQ(draw(10), (Calls{glyph(15, 50, 32), glyph(12, 50, 48)}));
    EXPECT_EQ(draw(13), (Calls{glyph(17, 50, 32), glyph(16, 50, 48)}));
    EXPECT_EQ(draw(14), (Calls{glyph(9, 45, 32), glyph(10, 55, 32), glyph(16, 50, 48)}));
    EXPECT_TRUE(draw(15).empty());
    EXPECT_TRUE(draw(-1).empty());
}

TEST(TimeSignature, ObjectUsesItsOwnPosition) {
    Fixture f;
    ScoreObject o = makeObject(ObjectKind::TimeSignature, 70, 36);
    o.setTimeType(11);
    f.draw(test::append(f.stave(), o));
    EXPECT_EQ(f.calls, (Calls{glyph(11, 70, 36), glyph(16, 70, 52)}));
}

// Staves at Ycoord 40, 88 and 136.
TEST(Barline, SingleBarThroughAThreeStaveSystem) {
    Fixture f(3);
    for (int s : {1, 2}) {
        f.stave(s).joinToNext = true;
        f.stave(s).barLineThrough = true;
    }
    const int bar = f.addBar(120, 0);
    f.draw(bar);
    EXPECT_EQ(f.calls, (Calls{
                           "line (120, 56)-(120, 72) thickness 2 colour C0C0C0",
                           "line (120, 104)-(120, 120) thickness 2 colour C0C0C0",
                           glyph(39, 120, 40),
                           glyph(39, 120, 88, "C0C0C0"),
                           glyph(39, 120, 136, "C0C0C0"),
                       }));

    // The staves below draw nothing of their own.
    const int lower = f.addBar(120, 0, 2);
    f.draw(lower, 2);
    EXPECT_TRUE(f.calls.empty());
}

TEST(Barline, StrokesOnlyWhereTheFlagAsksAndSystemsEnd) {
    Fixture f(4);
    f.stave(1).joinToNext = true; // system 1-2 without bar line through
    f.stave(3).joinToNext = true;
    f.stave(3).barLineThrough = true; // system 3-4
    f.draw(f.addBar(60, 1));
    EXPECT_EQ(f.calls, (Calls{glyph(40, 60, 40), glyph(40, 60, 88, "C0C0C0")}));
    f.draw(f.addBar(60, 5, 3), 3);
    EXPECT_EQ(f.calls, (Calls{
                           "line (53, 152)-(53, 168) thickness 2 colour C0C0C0",
                           "line (58, 152)-(58, 168) thickness 5 colour C0C0C0",
                           glyph(41, 60, 136),
                           glyph(41, 60, 184, "C0C0C0"),
                       }));
}

TEST(Barline, ColoursByPurpose) {
    Fixture f(2);
    f.stave(1).joinToNext = true;
    const int bar = f.addBar(60, 3);
    f.draw(bar, 1, f.dc.colours.Edit);
    EXPECT_EQ(f.calls, (Calls{glyph(68, 60, 40, "0000FF"), glyph(68, 60, 88, "C0C0C0")}));
    f.draw(bar, 1, White); // erasing
    EXPECT_EQ(f.calls, (Calls{glyph(68, 60, 40, "FFFFFF"), glyph(68, 60, 88, "FFFFFF")}));
    f.dc.colours.Putative = 0x808080;
    f.draw(bar, 1, 0x808080);
    EXPECT_EQ(f.calls, (Calls{glyph(68, 60, 40, "808080"), glyph(68, 60, 88, "808080")}));
    f.draw(bar, 1, 0x123456);
    EXPECT_EQ(f.calls, (Calls{glyph(68, 60, 40), glyph(68, 60, 88, "C0C0C0")}));
}

TEST(Barline, PrintedSingleBarIsAFilledBar) {
    Fixture f(2);
    f.stave(1).joinToNext = true;
    f.stave(1).barLineThrough = true;
    f.dc.HighResMode = true;
    f.dc.newPrintPage(300, 200);
    f.draw(f.addBar(100, 0));
    EXPECT_EQ(f.calls, (Calls{
                           "line (100, 56)-(100, 72) thickness 1 colour C0C0C0", // printed black
                           "hires rect (300, 73)-(303, 167)",
                           "hires rect (300, 217)-(303, 311)",
                       }));
    // The bar is solid black down its middle, from the top line to the bottom line.
    EXPECT_EQ(f.dc.Printimage.pixel(301, 3 * 40 - 46 + f.dc.HiResOrigin.y()) & 0xFFFFFF, 0u);
    EXPECT_EQ(f.dc.Printimage.pixel(301, 3 * 40 + 46 + f.dc.HiResOrigin.y()) & 0xFFFFFF, 0u);
}

TEST(Accidental, GlyphsByValueDrawnLeftOfX) {
    Fixture f;
    auto draw = [&](int value, bool tiny) {
        f.calls.clear();
        DrawAccidental(f.dc, 50, 30, 0, false, value, tiny);
        return f.calls;
    };
    EXPECT_EQ(draw(-2, false), (Calls{glyph(45, 47, 30)}));
    EXPECT_EQ(draw(-1, false), (Calls{glyph(44, 47, 30)}));
    EXPECT_EQ(draw(0, false), (Calls{glyph(48, 47, 30)}));
    EXPECT_EQ(draw(1, false), (Calls{glyph(46, 47, 30)}));
    EXPECT_EQ(draw(2, false), (Calls{glyph(47, 47, 30)}));
    EXPECT_EQ(draw(-1, true), (Calls{glyph(121, 47, 30)}));
    EXPECT_EQ(draw(0, true), (Calls{glyph(123, 47, 30)}));
    EXPECT_EQ(draw(1, true), (Calls{glyph(122, 47, 30)}));
    EXPECT_EQ(draw(2, true), (Calls{glyph(47, 47, 30)})); // no small double sharp
    EXPECT_TRUE(draw(3, false).empty());
    EXPECT_TRUE(draw(-3, true).empty());
}

TEST(Drawing, ExclusiveOrTwiceRestoresThePage) {
    Fixture f(2);
    f.stave(1).joinToNext = true;
    f.stave(1).barLineThrough = true;
    f.addKey(20, 3);
    const int key = f.addKey(60, -2);
    const int bar = f.addBar(150, 4);
    ScoreObject time = makeObject(ObjectKind::TimeSignature, 100, 32);
    time.setTimeType(14);
    const int t = test::append(f.stave(), time);
    const QImage before = f.dc.MainImage.copy();
    for (int i : {key, bar, t}) DrawObject(f.dc, f.score, 1, i, 0x000000, true);
    EXPECT_NE(f.dc.MainImage, before);
    for (int i : {key, bar, t}) DrawObject(f.dc, f.score, 1, i, 0x000000, true);
    EXPECT_EQ(f.dc.MainImage, before);
}

TEST(Drawing, KeySignatureInkLandsAroundEachStep) {
    // The sharp of G major in the treble clef sits on the top line (y = 24).
    Fixture f;
    f.dc.record = nullptr;
    f.draw(f.addKey(50, 1));
    const QImage& img = f.dc.MainImage;
    const QPoint o = f.dc.ScreenOrigin;
    int top = 1000, bottom = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 40; x < 62; ++x)
            if ((img.pixel(x + o.x(), y + o.y()) & 0xFFFFFF) != 0xFFFFFF) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(bottom, 0);
    EXPECT_NEAR((top + bottom) / 2.0, 24.0, 2.0);
}

} // namespace
} // namespace qv
