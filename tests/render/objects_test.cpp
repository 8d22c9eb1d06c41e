// Drawing the golden pages do not show, read through the recording mode: ink boxes, the
// cursor, text accidental sizes, the edit form, bar line colours, a curve's reach, damage.

#include "drawtest.h"
#include "layout/staveextent.h"
#include "render/cursor.h"
#include "render/curves.h"
#include "render/dispatch.h"
#include "render/glyphinkbox.h"
#include "render/glyphstore.h"
#include "render/notes.h"
#include "render/signatures.h"
#include "render/text.h"

#include <gtest/gtest.h>

#include <array>

namespace qv {
namespace {

using test::Calls, test::inked, test::only;

TEST(GlyphInkBox, MeasuredFromTheScreenBitmapsWithTheFixedExceptions) {
    GlyphStore store;
    for (const auto& [name, a, b] :
         {std::tuple{"bm4_", QPoint(17, 29), QPoint(25, 35)}, {"bm8U", QPoint(26, 4), QPoint(34, 20)},
          {"bm2Z", QPoint(10, 12), QPoint(30, 40)}, {"bm2UX", QPoint(14, 2), QPoint(30, 33)},
          {"bmDIAGLINE", QPoint(3, 3), QPoint(4, 4)}, {"bmGCLEF", QPoint(0, 0), QPoint(0, 0)}}) {
        QImage image(41, 64, QImage::Format_RGB32);
        image.fill(Qt::white), image.setPixel(a, 0), image.setPixel(b, 0);
        store.insert(name, image);
    }
    const InkBoxTable t = computeInkBoxes(store);
    // 28: a quaver's flag box starts at its head; 51 and 228: only the bottom or the right is
    // fixed; 36 is drawn apart from its bitmap; 2 has none; 103 and 244 are fixed.
    for (const auto& [code, box] :
         {std::pair{25, InkBox{17, 25, 29, 35}}, {28, {17, 34, 4, 20}}, {51, {10, 30, 12, 31}}, {3, {0, 0, 0, 0}},
          {228, {14, 27, 2, 33}}, {36, {}}, {2, {}}, {103, {8, 26, 27, 34}}, {244, {42, 1, 65, 1}}})
        EXPECT_EQ(t[code], box) << code;
    EXPECT_EQ(GlyphInkBox(300), InkBox{});
    EXPECT_EQ(GlyphStore::builtIn().find("BMANCHOR").height(), 12) << "names match whatever their case";
}

TEST(DrawCursor, EachShapeInTheCursorColourShowsAndHidesAndIsKeptInView) {
    const std::vector<std::vector<const char*>> strokes = {
        {"(36, 65)-(64, 65)", "(50, 65)-(50, 15)", "(36, 15)-(64, 15)"},
        {"(36, 65)-(64, 65)", "(36, 15)-(64, 15)", "(64, 15)-(64, 65)", "(36, 15)-(36, 65)"},
        {"(36, 15)-(43, 28)", "(57, 52)-(64, 65)", "(36, 65)-(43, 52)", "(57, 28)-(64, 15)"}};
    ColourSettings settings;
    settings.Cursor = 0x123456;
    for (std::size_t type = 0; type < 3; ++type) {
        test::Recording page(100, 100);
        page.dc.colours = coloursFrom(settings);
        QPoint scrolled;
        page.dc.scrollIntoView = [&](int x, int y) { scrolled = QPoint(x, y); };
        DrawCursor(page.dc, 50, 40, 2, int(type));
        EXPECT_TRUE(page.dc.cursor.shown && QPoint(page.dc.cursor.x, page.dc.cursor.y) == QPoint(50, 40) &&
                    scrolled == QPoint(50, 40)) << type;
        Calls expected;
        for (const char* s : strokes[type])
            expected.push_back(std::string("line ") + s + " thickness 2 xor colour 123456");
        EXPECT_EQ(page.calls, expected) << type;
        EXPECT_EQ(inked(page.dc.MainImage, {}, 0x563412), inked(page.dc.MainImage)) << type;
        DrawCursor(page.dc, 50, 40, 2, int(type));
        EXPECT_FALSE(page.dc.cursor.shown);
    }
}

// A text's sized accidentals come in seven bitmap sizes (the golden pages show each).
TEST(TextAccidentals, ChangeSizeExactlyAtTheBandLimits) {
    std::string previous;
    std::vector<int> changes;
    for (int points = 4; points <= 60; ++points) {
        test::Recording page;
        DrawText(page.dc, {char(141), char(142), char(143)}, {"Times New Roman", points, 0, 0}, false, 1, 0, 20, 20);
        const Calls stamps = only(page.calls, "accidental ");
        ASSERT_EQ(stamps.size(), 3u) << points;
        const std::string name = stamps[2].substr(11, stamps[2].find(" at ") - 11);
        if (!previous.empty() && name != previous) changes.push_back(points);
        previous = name;
    }
    EXPECT_EQ(changes, (std::vector<int>{8, 11, 20, 29, 36, 45}));
    EXPECT_EQ(previous, "bmSHARP050");
}

std::string glyph(int code, int x, int y, const char* colour = "000000") {
    return QString::asprintf("glyph %d at (%d, %d) colour %s", code, x, y, colour).toStdString();
}
std::string line(int x1, int y1, int x2, int y2, int t = -1) {
    return QString::asprintf("line (%d, %d)-(%d, %d) thickness %d colour 000000", x1, y1, x2, y2, t).toStdString();
}

// A note or rest at x 50 on stave 1, whose middle line is y 40.
ScoreObject note(int step, int duration, int stem, int extra = 0) {
    ScoreObject n = test::makeNote(50, step, duration, 40);
    return n.setStem(stem), n.setStemExtra(extra), n;
}
ScoreObject rest(int step, int duration) {
    ScoreObject r = note(step, duration, StemNone);
    return r.setRest(true), r;
}

struct Page : test::Recording {
    Score score = test::makeScore(3);
    int add(const ScoreObject& o, int stave = 1) { return test::append(score.stave(stave), o); }
    // Stave 1 holding `objects` alone: the calls of object `index` as stored or in the edit form.
    Calls draw(std::initializer_list<ScoreObject> objects, int index, const std::string& prefix, bool edit = false) {
        score.stave(1).Nobjec = 0;
        for (const ScoreObject& o : objects) add(o);
        calls.clear();
        (edit ? DrawEditNote : DrawObject)(dc, score, 1, index, 0, false);
        return only(calls, prefix);
    }
};

// Rests below the stave hang from ledger lines by their length; a damaged duration draws a
// head. The edit form shows stems as stored, lines even on paper; high notes keep a short
// stem up to above the stave, low ones down below it; a group draws from any of its notes.
TEST(Notes, RestsADamagedDurationAndTheEditFormsOwnStemsAndGroups) {
    Page page;
    // On the screen ledger lines lie a pixel above their y, with the stave lines.
    EXPECT_EQ(page.draw({rest(-8, 2)}, 1, "line"), (Calls{line(42, 63, 59, 63, 1), line(42, 71, 59, 71, 1)}));
    EXPECT_EQ(page.draw({rest(-8, 0)}, 1, "line"), (Calls{line(42, 63, 59, 63, 1), line(42, 71, 59, 71, 1)}))
        << "a breve rest has a line at both edges";
    EXPECT_EQ(page.draw({rest(-5, 2)}, 1, "line"), Calls{}) << "a minim rest just below needs no line";
    EXPECT_EQ(page.draw({note(0, 9, StemUp)}, 1, ""), (Calls{glyph(230, 50, 41), glyph(25, 50, 41)}));
    const std::pair<ScoreObject, Calls> cases[] = {
        {note(3, 3, StemAuto), {glyph(26, 50, 29)}},
        {note(5, 3, StemUp), {glyph(25, 50, 21), line(55, 21, 55, -5)}},
        {note(-5, 3, StemDown), {glyph(25, 50, 61), line(45, 61, 45, 84)}},
        {note(-9, 3, StemUp), {glyph(25, 50, 77), line(55, 77, 55, 39)}},
        {note(9, 2, StemDown, 1), {glyph(22, 50, 5), line(45, 5, 45, 44)}},
        {note(1, 3, StemUp, 1), {glyph(25, 50, 37), line(55, 37, 55, 4)}},
        {note(-1, 3, StemDown, 1), {glyph(25, 50, 45), line(45, 45, 45, 77)}},
        {note(2, 3, StemDown), {glyph(27, 50, 33)}},
    };
    Page paper;
    paper.dc.HighResMode = true;
    for (const auto& [n, expected] : cases) {
        Calls drawn = paper.draw({n}, 1, "", true);
        std::erase_if(drawn, [](const std::string& c) { return c.starts_with("hires"); }); // ledger lines
        EXPECT_EQ(drawn, expected) << expected.back();
    }
    ScoreObject first = note(0, 4, StemUp), second = note(0, 4, StemUp);
    first.setHeadStyle(4), first.setBeamForward(2), second.setX(80), second.setBeamBack(1);
    page.draw({first, second}, 1, "", true);
    EXPECT_EQ(only(page.calls, "glyph"), Calls{glyph(104, 50, 41)}) << "an X head shows as a diamond";
    EXPECT_EQ(only(page.calls, "fracline").size(), 3u);
}

Calls signs(int code, int x, std::initializer_list<int> ys, const char* colour = "000000") {
    Calls out;
    for (const int y : ys) out.push_back(glyph(code, x + 8 * static_cast<int>(out.size()), y, colour));
    return out;
}

TEST(Signs, AKeyFollowsTheKeyAndClefInForceABarLineItsPurposeAndDamagedSignsDrawNothing) {
    using test::makeKey;
    const std::tuple<const char*, std::vector<ScoreObject>, int, bool, Calls> cases[] = {
        // What, the objects before the signature of `count` at x 100, the naturals option, and its calls.
        {"flats at x without the option", {makeKey(20, 40, 2)}, -3, false, signs(44, 100, {40, 28, 44})},
        {"no key: its place on the screen", {makeKey(20, 40, -1)}, 0, false, signs(48, 100, {40}, "FF00FF")},
        {"no key at all", {}, 0, true, signs(48, 100, {40}, "FF00FF")},
        {"counts past seven", {}, -9, true, signs(44, 100, {40, 28, 44, 32, 48, 36, 52})},
    };
    for (const auto& [what, before, count, naturals, expected] : cases) {
        Page page;
        page.score.naturalsInKeyChange = naturals;
        for (const ScoreObject& o : before) page.add(o);
        const int index = page.add(makeKey(100, 40, count));
        DrawObject(page.dc, page.score, 1, index, 0, false);
        EXPECT_EQ(page.calls, expected) << what;
        page.calls.clear(), page.dc.HighResMode = true;
        DrawObject(page.dc, page.score, 1, index, 0, false);
        EXPECT_EQ(page.calls, expected[0].ends_with("FF00FF") ? Calls{} : expected) << what << ", on paper";
    }
    Page page;
    page.score.stave(1).joinToNext = true;
    page.add(test::makeBar(60, 40, 3));
    page.dc.colours.Putative = 0x808080;
    for (const auto& [colour, first, rest] : {std::tuple{page.dc.colours.Edit, "0000FF", "C0C0C0"},
                                              {White, "FFFFFF", "FFFFFF"}, {0x808080u, "808080", "808080"},
                                              {0x123456u, "000000", "C0C0C0"}}) {
        page.calls.clear();
        DrawObject(page.dc, page.score, 1, 1, colour, false);
        EXPECT_EQ(page.calls, (Calls{glyph(68, 60, 40, first), glyph(68, 60, 88, rest)})) << colour;
    }
    page.calls.clear();
    for (const int type : {15, -1, 255}) DrawTimeSignature(page.dc, type, 50, 32, false, 0);
    for (const int value : {3, -3}) DrawAccidental(page.dc, 50, 30, 0, false, value, value > 0);
    EXPECT_EQ(page.calls, Calls{});
}

struct CurvePage : Page {
    Stave& stave = score.stave(1);
    explicit CurvePage(std::initializer_list<QPoint> points, int thickness = 2) {
        stave.Ycoord = 100, stave.MinY = 70, stave.MaxY = 130, test::appendCurve(stave, points, thickness);
    }
};

// On the screen the first point's reach bytes and the stave's extent follow the curve, 7
// to spare; the bottom byte leaves the thickness to the reader, as StaveExtent adds it.
TEST(DrawCurve, LeavesItsReachForTheStaveExtentOnTheScreenOnly) {
    CurvePage above({{20, 90}, {70, 60}, {120, 90}}), below({{20, 130}, {70, 150}, {120, 130}}, 4),
        paper({{20, 90}, {70, 60}, {120, 90}});
    DrawCurve(above.dc, above.score, 1, 1, 0, false, false);
    EXPECT_EQ(above.calls, Calls{"spline (20, 90) (70, 60) (120, 90) thickness 2 colour 000000"});
    const ScoreObject& point = above.stave.object(1);
    EXPECT_EQ((std::array<int, 4>{point.curveTop(), point.curveBottom(), above.stave.MinY, above.stave.MaxY}),
              (std::array<int, 4>{60 - 7 - 100, 90 + 7 - 100, 53, 130}));
    DrawCurve(below.dc, below.score, 1, 1, 0, false, false);
    const QImage& low = below.dc.MainImage;
    EXPECT_TRUE(inked(low, QRect(0, 154, 300, 46)) == 0 && inked(low, QRect(0, 153, 300, 1)) > 0) << "ink to y 153";
    const int drawn = below.stave.MaxY;
    below.stave.MaxY = 0, StaveExtent(below.score, 1);
    EXPECT_EQ(std::pair(drawn, int(below.stave.MaxY)), std::pair(150 + 4 + 7, 150 + 4 + 7));
    paper.dc.HighResMode = true;
    DrawCurve(paper.dc, paper.score, 1, 1, 0, true, false);
    EXPECT_EQ(paper.calls, Calls{"hires spline (20, 90) (70, 60) (120, 90) thickness 6"}) << "no anchors";
    EXPECT_EQ((std::pair<int, int>(paper.stave.object(1).curveTop(), paper.stave.MinY)), std::pair(0, 70));
}

} // namespace
} // namespace qv
