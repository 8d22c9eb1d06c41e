// Whole pages: stave frames, braces, page and band drawing, header/footer fields,
// the header/footer guide, blanking shapes on paper and the print preview.

#include "densepage.h"
#include "model/staveops.h"
#include "render/dispatch.h"
#include "render/headerfooter.h"
#include "render/page.h"
#include "support/scorebuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace qv {
namespace {

using Calls = std::vector<std::string>;

QRgb rgb(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}
constexpr QRgb WhiteRgb = 0xFFFFFF;

bool has(const Calls& calls, const std::string& call) {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}
int countStarting(const Calls& calls, const std::string& prefix) {
    return int(std::count_if(calls.begin(), calls.end(),
                             [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
}

struct Recording {
    DrawContext dc;
    Calls calls;
    Recording() {
        dc.newScreenPage(700, 400);
        dc.record = &calls;
    }
};

// A system of two staves at y 40 and 88, x 20..600.
Score twoStaveSystem() {
    Score score = test::makeScore(2);
    for (int s = 1; s <= 2; ++s)
        score.stave(s).LeftX = 20;
    score.stave(1).joinToNext = true;
    return score;
}

TEST(DrawStave, ABracketedSystemWithAFullEndBar) {
    Score score = twoStaveSystem();
    score.stave(1).bracket = score.stave(1).bracketWithNext = score.stave(1).fullEndBar = true;
    score.stave(2).bracket = true;
    Recording r;
    DrawStave(r.dc, score, 1, 0x000000);
    const Calls first = {
        "glyph 42 at (20, 40) colour 000000",
        "line (20, 23)-(600, 23) thickness 1 colour 000000",
        "line (20, 31)-(600, 31) thickness 1 colour 000000",
        "line (20, 39)-(600, 39) thickness 1 colour 000000",
        "line (20, 47)-(600, 47) thickness 1 colour 000000",
        "line (20, 55)-(600, 55) thickness 1 colour 000000",
        "line (20, 24)-(20, 56) thickness 1 colour 000000",
        "line (20, 56)-(20, 72) thickness 1 colour 000000",
        "line (600, 25)-(600, 104) thickness 2 colour 000000",
        "line (17, 24)-(17, 72) thickness 4 colour 000000",
    };
    EXPECT_EQ(r.calls, first);
    r.calls.clear();
    DrawStave(r.dc, score, 2, 0x000000);
    EXPECT_FALSE(has(r.calls, "glyph 42 at (20, 88) colour 000000"))
        << "the bracket opened on the stave above";
    EXPECT_TRUE(has(r.calls, "line (20, 72)-(20, 104) thickness 1 colour 000000")) << "joined from above";
    EXPECT_EQ(r.calls.back(), "glyph 43 at (20, 88) colour 000000");
    EXPECT_EQ(countStarting(r.calls, "line (20, 104)"), 0) << "the last stave joins nothing below";
}

TEST(DrawStave, AnInvisibleStaveShowsItsJoinsInNonprintingAndItsObjectsInTheColour) {
    Score score = twoStaveSystem();
    score.stave(1).invisible = true;
    score.stave(1).Nobjec = 1;
    score.stave(1).object(1) = makeObject(ObjectKind::Glyph, 100, 40);
    score.stave(1).object(1).setSymbolCode(60);
    Recording r;
    DrawStave(r.dc, score, 1, 0x000000);
    const Calls expected = {
        "line (20, 24)-(20, 56) thickness 1 colour FF00FF",
        "line (20, 56)-(20, 72) thickness 1 colour FF00FF",
        "glyph 60 at (100, 40) colour 000000",
    };
    EXPECT_EQ(r.calls, expected);
}

TEST(DrawStave, OnPaperAnInvisibleStavesFrameDoesNotPrintButItsObjectsAndTheStaveBelowDo) {
    Score score = twoStaveSystem();
    Stave& hidden = score.stave(1);
    hidden.invisible = true;
    hidden.bracket = hidden.bracketWithNext = hidden.fullEndBar = true;
    score.stave(2).bracket = true;
    hidden.Nobjec = 1;
    hidden.object(1) = makeObject(ObjectKind::Glyph, 100, 40);
    hidden.object(1).setSymbolCode(60);
    Recording r;
    r.dc.HighResMode = true;
    r.dc.newPrintPage(700, 200);
    DrawStave(r.dc, score, 1, 0x000000);
    EXPECT_EQ(r.calls, (Calls{"glyph 60 at (100, 40) colour 000000"}));
    for (int y = 0; y < 3 * 88; ++y) // the left end, the joins and the bracket beside it
        for (int x = 3 * 20 - 12; x <= 3 * 20 + 3; ++x) ASSERT_EQ(rgb(r.dc.Printimage, x, y), WhiteRgb) << x << ", " << y;
    for (int y = 3 * 25; y < 3 * 104; ++y) ASSERT_EQ(rgb(r.dc.Printimage, 3 * 600 + 1, y), WhiteRgb) << y;

    r.calls.clear();
    DrawStave(r.dc, score, 2, 0x000000);
    EXPECT_TRUE(has(r.calls, "line (20, 72)-(20, 104) thickness 1 colour 000000"))
        << "the visible stave below keeps its own left end";
    EXPECT_EQ(r.calls.back(), "glyph 43 at (20, 88) colour 000000");
}

TEST(DrawStave, TheHeaderFooterStaveHasNoFrameAndAForcedBreakIsMarkedOnTheScreenOnly) {
    Score score = twoStaveSystem();
    Recording r;
    DrawStave(r.dc, score, 0, 0x000000);
    EXPECT_TRUE(r.calls.empty());

    score.stave(2).ForcedBk = true;
    r.dc.ScreenOrigin = QPoint(10, 5);
    DrawStave(r.dc, score, 2, 0x000000);
    EXPECT_EQ(r.calls.back(), "line (-10, 104)-(690, 104) thickness 2 colour FF00FF");
    r.calls.clear();
    PageOptions preview;
    preview.preview = true;
    DrawStave(r.dc, score, 2, 0x000000, preview);
    EXPECT_EQ(r.calls, Calls{"line (20, 72)-(20, 104) thickness 1 colour 000000"})
        << "only the left end: no stave lines and no marker in the preview";
}

TEST(DrawStaveLines, OnPaperTheLinesAreThreePixelBarsInBlack) {
    Score score = twoStaveSystem();
    Recording r;
    r.dc.HighResMode = true;
    r.dc.newPrintPage(700, 200);
    DrawStaveLines(r.dc, score, 1, 0x0000FF);
    ASSERT_EQ(r.calls.size(), 5u);
    EXPECT_EQ(r.calls[0], "hires rect (60, 71)-(1800, 73)");
    EXPECT_EQ(r.calls[4], "hires rect (60, 167)-(1800, 169)");
    EXPECT_EQ(rgb(r.dc.Printimage, 100, 72), 0u);
    EXPECT_EQ(rgb(r.dc.Printimage, 100, 74), WhiteRgb);
}

// The edge case of a braced pair: 16 above the first middle line to 16 below the
// second's, 2 pixels left of the second stave's LeftX, 6 with a bracket.
TEST(DrawBraces, ABracedPairOnTheScreen) {
    Score score = twoStaveSystem();
    score.stave(1).brace = true;
    Recording r;
    DrawBraces(r.dc, score, 1, 2, 0x000000);
    EXPECT_EQ(r.calls, Calls{"brace x 18 from 24 to 104"});
    const QImage& im = r.dc.MainImage;
    EXPECT_EQ(rgb(im, 17, 24), 0u) << "pointed top: one pixel";
    EXPECT_EQ(rgb(im, 18, 24), WhiteRgb);
    EXPECT_EQ(rgb(im, 16, 24), WhiteRgb);
    EXPECT_EQ(rgb(im, 9, 64), 0u) << "the middle bulges 8 to the left";
    EXPECT_EQ(rgb(im, 10, 64), WhiteRgb);
    for (int x = 11; x <= 15; ++x)
        EXPECT_EQ(rgb(im, x, 44), 0u) << "a quarter down it is 5 thick, x " << x;
    EXPECT_EQ(rgb(im, 10, 44), WhiteRgb);
    EXPECT_EQ(rgb(im, 16, 44), WhiteRgb);
    EXPECT_EQ(rgb(im, 17, 104), 0u);

    r.calls.clear();
    score.stave(2).bracket = true;
    DrawBraces(r.dc, score, 1, 2, 0x000000);
    EXPECT_EQ(r.calls, Calls{"brace x 14 from 24 to 104"});
}

TEST(DrawBraces, RunsEndAtTheFirstUnbracedStaveAndAnOpenRunDrawsNothing) {
    Score score = test::makeScore(5);
    score.stave(1).brace = score.stave(2).brace = true; // closed by stave 3
    score.stave(5).brace = true;                        // never closed
    Recording r;
    DrawBraces(r.dc, score, 1, 5, 0x000000);
    EXPECT_EQ(r.calls, Calls{"brace x -2 from 24 to 152"});
}

TEST(DrawBraces, OnPaperTheBraceIsDrawnAtThreeTimesInBlack) {
    Score score = twoStaveSystem();
    score.stave(1).brace = true;
    DrawContext dc;
    dc.HighResMode = true;
    dc.newPrintPage(700, 200);
    dc.HiResOrigin = QPoint(0, 30);
    DrawBraces(dc, score, 1, 2, 0x0000FF);
    EXPECT_EQ(rgb(dc.Printimage, 53, 72 + 30), 0u) << "the top point at 3x - 1";
    EXPECT_EQ(rgb(dc.Printimage, 53 - 24, 192 + 30), 0u) << "the middle 24 pixels out";
    EXPECT_EQ(rgb(dc.Printimage, 53 - 25, 192 + 30), WhiteRgb);
}

TEST(DrawPage, AnEmptyPageIsBackgroundAndThePageViewFrameOutlinesTheMusicArea) {
    Score score = test::makeScore(2);
    score.page = PageData{};
    score.StvSiz = 1.0 / 3.0; // 96 units per inch: music area 696 x 960
    DrawContext dc;
    dc.newScreenPage(800, 1100);
    dc.MainImage.fill(Qt::black);
    Calls calls;
    dc.record = &calls;
    DrawPage(dc, score, 7);
    EXPECT_EQ(calls, Calls{"clear screen page"});
    EXPECT_EQ(rgb(dc.MainImage, 5, 5), WhiteRgb);

    calls.clear();
    PageOptions view;
    view.pageView = true;
    DrawPage(dc, score, 7, view);
    EXPECT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[1], "line (0, 0)-(696, 0) thickness 1 colour 0000FF");
}

TEST(DrawPage, DrawsOnlyThePagesStavesAndItsBraces) {
    Score score = test::makeScore(3);
    score.stave(3).PageNum = 2;
    score.stave(1).brace = true;
    Recording r;
    bool cursorShown = true;
    int repaints = 0;
    int after = 0;
    PageOptions options;
    options.repaint = [&] { ++repaints; };
    options.afterPage = [&] { ++after; };
    r.dc.cursor.shown = cursorShown;
    DrawPage(r.dc, score, 1, options);
    EXPECT_EQ(r.calls[1], "brace x -2 from 24 to 104");
    EXPECT_EQ(countStarting(r.calls, "line (0, 23)-"), 1) << "stave 1";
    EXPECT_EQ(countStarting(r.calls, "line (0, 71)-"), 1) << "stave 2";
    EXPECT_EQ(countStarting(r.calls, "line (0, 119)-"), 0) << "stave 3 is on page 2";
    EXPECT_EQ(repaints, 2) << "once after each stave";
    EXPECT_EQ(after, 1);
    EXPECT_FALSE(r.dc.cursor.shown) << "the page was cleared under the cursor";
}

TEST(DrawPage, TheHeaderFooterPageShowsItsObjectsInUniversalTextOnTheScreen) {
    Score score = test::makeScore(1);
    score.stave(0).Nobjec = 1;
    score.stave(0).object(1) = makeObject(ObjectKind::Glyph, 50, 10);
    score.stave(0).object(1).setSymbolCode(60);
    Recording r;
    r.dc.colours.UniversalText = 0x123456;
    DrawPage(r.dc, score, 0);
    EXPECT_TRUE(has(r.calls, "glyph 60 at (50, 10) colour 123456"));
    EXPECT_EQ(countStarting(r.calls, "text "), 6) << "and the guide";

    r.calls.clear();
    PageOptions preview;
    preview.preview = true;
    DrawPage(r.dc, score, 0, preview);
    EXPECT_TRUE(has(r.calls, "glyph 60 at (50, 10) colour 000000"));
    EXPECT_EQ(countStarting(r.calls, "text "), 0);
}

TEST(RedrawBand, RedrawsTheStavesInTheBandOrTheWholePage) {
    Score score = test::makeScore(3); // MinY/MaxY 24/56, 72/104, 120/152
    Recording r;
    int cursor = 0;
    PageOptions options;
    options.currentStave = 2;
    options.drawCursor = [&] { ++cursor; };
    RedrawBand(r.dc, score, 1, 60, 60, options);
    EXPECT_EQ(r.calls.front(), "clear screen page") << "y1 = y2";
    EXPECT_EQ(cursor, 0);

    r.calls.clear();
    RedrawBand(r.dc, score, 1, 100, 125, options);
    EXPECT_EQ(r.calls.front(), "clear band 72 to 153");
    EXPECT_EQ(countStarting(r.calls, "line (0, 23)-"), 0) << "stave 1 is outside the band";
    EXPECT_EQ(countStarting(r.calls, "line (0, 71)-"), 1);
    EXPECT_EQ(countStarting(r.calls, "line (0, 119)-"), 1);
    EXPECT_EQ(cursor, 1) << "the current stave was redrawn";

    r.calls.clear();
    RedrawBand(r.dc, score, 1, 60, 65, options);
    EXPECT_EQ(r.calls.front(), "clear screen page") << "no stave reaches into the band";
}

TEST(DrawPage, TheHighlightedStaveTakesItsColourOnTheScreenOnly) {
    Score score = test::makeScore(2);
    PageOptions options;
    options.highlightedStave = 2;
    Recording screen;
    DrawPage(screen.dc, score, 1, options);
    EXPECT_EQ(countStarting(screen.calls, "line (0, 23)-(600, 23) thickness 1 colour 000000"), 1);
    EXPECT_EQ(countStarting(screen.calls, "line (0, 71)-(600, 71) thickness 1 colour 800080"), 1);

    screen.calls.clear();
    RedrawBand(screen.dc, score, 1, 70, 110, options);
    EXPECT_EQ(countStarting(screen.calls, "line (0, 71)-(600, 71) thickness 1 colour 800080"), 1);

    Recording paper;
    paper.dc.HighResMode = true;
    paper.dc.newPrintPage(700, 400);
    DrawPage(paper.dc, score, 1, options);
    for (const std::string& call : paper.calls)
        EXPECT_EQ(call.find("800080"), std::string::npos) << call;
}

TEST(DrawPage, AFailureStillRestoresTheWindowAndReachesTheCaller) {
    Score score = test::makeScore(2);
    DrawContext dc;
    dc.newScreenPage(100, 100);
    dc.cursor.shown = true;
    std::vector<std::string> events;
    PageOptions options;
    options.busy = [&](bool on) { events.push_back(on ? "busy" : "idle"); };
    options.repaint = [&] { throw std::runtime_error("window gone"); };
    options.afterPage = [&] { events.push_back("after"); };
    EXPECT_THROW(DrawPage(dc, score, 1, options), std::runtime_error);
    EXPECT_EQ(events, (std::vector<std::string>{"busy", "idle", "after"}));
    EXPECT_FALSE(dc.cursor.shown);
}

TEST(RedrawBand, TheHeaderFooterPageKeepsItsColour) {
    Score score = test::makeScore(1);
    Stave& st = score.stave(0);
    st.MinY = 0;
    st.MaxY = 30;
    test::append(st, makeObject(ObjectKind::Glyph, 50, 10));
    st.object(1).setSymbolCode(60);
    Recording r;
    RedrawBand(r.dc, score, 0, 20, 40);
    EXPECT_EQ(r.calls.front(), "clear band 0 to 31");
    EXPECT_TRUE(has(r.calls, "glyph 60 at (50, 10) colour FF00FF")) << "UniversalText, as DrawPage shows it";
}

TEST(RedrawBand, KeepsTheBracesOfTheBand) {
    Score score = twoStaveSystem();
    score.stave(1).brace = true;
    Recording r;
    DrawPage(r.dc, score, 1);
    const QImage before = r.dc.MainImage.copy();
    RedrawBand(r.dc, score, 1, 50, 110);
    EXPECT_EQ(r.dc.MainImage, before);
}

HeaderFooterFields sampleFields() {
    return headerFooterFields(12, "C:\\SCORES\\SONATA.QVR", QDateTime(QDate(2026, 3, 4), QTime(9, 5)));
}

TEST(HeaderFooterFields, CodesAndTheirCase) {
    const HeaderFooterFields f = sampleFields();
    EXPECT_EQ(substituteField("@P", f), "12");
    EXPECT_EQ(substituteField("@p", f), "12");
    EXPECT_EQ(substituteField("@f", f), "C:\\SCORES\\SONATA.QVR");
    EXPECT_EQ(substituteField("@n", f), "SONATA.QVR");
    EXPECT_EQ(substituteField("@t", f), f.time);
    EXPECT_EQ(substituteField("@D", f), f.longDate);
    EXPECT_EQ(substituteField("@d", f), f.shortDate);
    EXPECT_NE(f.longDate, f.shortDate);
    EXPECT_EQ(substituteField("@P ", f), "@P ") << "only a whole text is a field";
    EXPECT_EQ(substituteField("Page @P", f), "Page @P");
    EXPECT_EQ(substituteField("@X", f), "@X");
}

TEST(HeaderFooterFields, NamesAndLengths) {
    EXPECT_EQ(fileNameOnly("C:SONATA.QVR"), "SONATA.QVR");
    EXPECT_EQ(fileNameOnly("/home/ann/scores/sonata.qvr"), "sonata.qvr");
    EXPECT_EQ(fileNameOnly("sonata.qvr"), "sonata.qvr");
    const std::string longName(40, 'n');
    const std::string longPath = "/" + std::string(200, 'd') + "/" + longName;
    const HeaderFooterFields f = headerFooterFields(1234567, longPath, QDateTime::currentDateTime());
    EXPECT_EQ(f.page, "12345");
    EXPECT_EQ(f.fullPath.size(), 144u);
    EXPECT_EQ(f.name, std::string(32, 'n'));
    EXPECT_LE(f.longDate.size(), 32u);
    EXPECT_LE(f.shortDate.size(), 16u);
    EXPECT_LE(f.time.size(), 16u);
}

int appendText(Stave& st, const std::string& text) {
    const int head = test::append(st, test::makeTextHead(10, 10, 0, text.substr(0, ChunkCapacity)));
    int previous = head;
    for (std::size_t pos = ChunkCapacity; pos < text.size(); pos += ChunkCapacity) {
        ScoreObject chunk = makeObject(ObjectKind::LongText);
        chunk.setTextAttributes(TextContinuation);
        chunk.setChunkText(text.substr(pos, ChunkCapacity));
        const int index = test::append(st, chunk);
        st.object(previous).setTextNext(index);
        previous = index;
    }
    return head;
}

TEST(HeaderFooterFields, FilledInCopiesOfStaveZero) {
    Stave st;
    const int page = appendText(st, "@p");
    const int path = appendText(st, "@F");
    const int words = appendText(st, "a long title of the piece");
    const int date = appendText(st, "@d");
    const Stave filled = withFieldsFilledIn(st, sampleFields());
    EXPECT_EQ(longTextOf(filled, page), "12");
    EXPECT_EQ(longTextOf(filled, path), "C:\\SCORES\\SONATA.QVR") << "grown into new chunks";
    EXPECT_EQ(longTextOf(filled, words), "a long title of the piece");
    EXPECT_EQ(longTextOf(filled, date), sampleFields().shortDate);
    EXPECT_EQ(filled.Nobjec, st.Nobjec + 1);
    EXPECT_TRUE(filled.object(filled.Nobjec).isContinuation());
    EXPECT_EQ(longTextOf(st, path), "@F") << "the original is untouched";
}

TEST(DrawHeaderFooter, DrawsLinesFromTheTopOfThePrintedAreaAndRestoresStaveZero) {
    Score score = test::makeScore(1);
    Stave& st = score.stave(0);
    appendText(st, "@P");
    ScoreObject line = makeObject(ObjectKind::Line, 10, 5);
    line.setLineDx(100);
    line.setLineThickness(1);
    test::append(st, line);
    test::append(st, makeObject(ObjectKind::Glyph, 30, 30));
    const Stave before = st;
    DrawContext dc;
    dc.HighResMode = true;
    dc.newPrintPage(200, 100);
    dc.HiResOrigin = QPoint(0, 90);
    Calls calls;
    dc.record = &calls;
    DrawHeaderFooter(dc, score, sampleFields());
    EXPECT_TRUE(has(calls, "line (10, 5)-(110, 5) thickness 1 colour 000000"));
    EXPECT_EQ(countStarting(calls, "glyph"), 0) << "glyphs are not printed from stave 0";
    const bool pageNumberDrawn = std::any_of(calls.begin(), calls.end(), [](const std::string& c) {
        return c.find("\"12\"") != std::string::npos; // when the text drawer records its texts
    });
    const bool codeDrawn = std::any_of(
        calls.begin(), calls.end(), [](const std::string& c) { return c.find("@P") != std::string::npos; });
    EXPECT_FALSE(codeDrawn);
    if (countStarting(calls, "text") > 0) {
        EXPECT_TRUE(pageNumberDrawn);
    }
    EXPECT_EQ(rgb(dc.Printimage, 60, 15), 0u);
    EXPECT_EQ(dc.HiResOrigin, QPoint(0, 90));
    EXPECT_TRUE(score.stave(0) == before);

    calls.clear();
    dc.HighResMode = false;
    DrawHeaderFooter(dc, score, sampleFields());
    EXPECT_TRUE(calls.empty()) << "paper only";
}

TEST(DrawHeaderFooterScreenGuide, GreyMusicPageBetweenHeaderAndFooter) {
    Score score = test::makeScore(1);
    score.page = PageData{};
    score.page.Header = 0.5; // 48 units
    score.page.Footer = 0.25;
    Recording r;
    r.dc.newScreenPage(700, 1000);
    DrawHeaderFooterScreenGuide(r.dc, score, 0);
    EXPECT_EQ(r.calls[0], "line (0, 48)-(696, 48) thickness 1 colour 0000FF");
    EXPECT_EQ(r.calls[1], "fill (0, 49)-(696, 934) colour C0C0C0");
    EXPECT_EQ(rgb(r.dc.MainImage, 5, 60), 0xC0C0C0u);
    EXPECT_EQ(rgb(r.dc.MainImage, 5, 40), WhiteRgb);
    EXPECT_EQ(rgb(r.dc.MainImage, 5, 950), WhiteRgb);
    ASSERT_EQ(countStarting(r.calls, "text "), 6);
    EXPECT_NE(r.calls[2].find("at ("), std::string::npos);
    EXPECT_NE(r.calls[2].find(", 88) size 15"), std::string::npos) << r.calls[2];

    r.calls.clear();
    DrawHeaderFooterScreenGuide(r.dc, score, 250);
    EXPECT_EQ(r.calls[2].find("size 15"), std::string::npos) << "smaller for a narrow screen: " << r.calls[2];
}

TEST(DrawBlankingShapes, OnlyBlankingShapesOfThePageAreDrawnAgainInWhite) {
    Score score = test::makeScore(2);
    score.stave(2).PageNum = 2;
    ScoreObject blank = makeObject(ObjectKind::Shape, 40, 40);
    blank.setShapeType(2);
    blank.setShapeSize1(10);
    blank.setShapeSize2(10);
    blank.setShapeBlanking(true);
    ScoreObject plain = blank;
    plain.setShapeBlanking(false);
    test::append(score.stave(1), blank);
    test::append(score.stave(1), plain);
    test::append(score.stave(2), blank);
    DrawContext dc;
    dc.HighResMode = true;
    dc.newPrintPage(200, 200);
    dc.Printimage.fill(Qt::black);
    Calls calls;
    dc.record = &calls;
    DrawBlankingShapes(dc, score, 1);
    EXPECT_EQ(countStarting(calls, "shape "), 1);
    EXPECT_EQ(rgb(dc.Printimage, 135, 135), WhiteRgb);
}

TEST(DrawPreviewPage, WithoutDetailsStaveLinesInBlueAndEndLinesInRed) {
    Score score = test::makeScore(2);
    score.page = PageData{};
    score.StvSiz = 1.0 / 3.0; // 96 units per inch
    score.stave(1).joinToNext = true;
    DrawContext dc;
    QImage image(83, 110, QImage::Format_RGB32); // 8.25 x 11 inches at 10 per inch
    PreviewRequest request;
    request.page = 1;
    request.details = false;
    request.ppi = 10.0;
    DrawPreviewPage(dc, score, image, request);
    // Stave 1's middle line y 40 lies at 40 / 96 * 10 + 5 = 9.17 -> 9; x 300 at 36.
    EXPECT_EQ(rgb(image, 36, 9), 0x0000FFu) << "blue";
    EXPECT_EQ(rgb(image, 5, 12), 0xFF0000u) << "the left end line in red, joined down";
    EXPECT_EQ(rgb(image, 36, 12), WhiteRgb);

    request.details = true;
    DrawPreviewPage(dc, score, image, request);
    EXPECT_EQ(rgb(image, 36, 9), 0u) << "black with details";
}

TEST(DrawPreviewPage, WithDetailsThinLinesSurviveAndTheHeaderIsLaidOverThePage) {
    Score score = test::makeScore(1);
    score.page = PageData{};
    score.page.Header = 0.5;
    score.StvSiz = 1.0 / 3.0;
    ScoreObject rule = makeObject(ObjectKind::Line, 0, 20); // in the header strip
    rule.setLineDx(600);
    rule.setLineThickness(1);
    test::append(score.stave(0), rule);
    ScoreObject stem = makeObject(ObjectKind::Line, 300, 200); // one pixel wide, on the music page
    stem.setLineDy(60);
    stem.setLineThickness(1);
    test::append(score.stave(1), stem);
    DrawContext dc;
    QImage image(83, 110, QImage::Format_RGB32);
    PreviewRequest request;
    request.ppi = 10.0;
    DrawPreviewPage(dc, score, image, request);
    // The header rule at 20 / 96 inch below the top margin: row 5 + 2.
    EXPECT_EQ(rgb(image, 40, 7), 0u) << "the header, ANDed over the page";
    EXPECT_EQ(rgb(image, 40, 3), WhiteRgb) << "the top margin";
    // The stem at x 300, y 200..260: column 5 + 31, rows 10 + 20..27.
    EXPECT_EQ(rgb(image, 36, 33), 0u) << "shrunk to a tenth, a one-pixel line still shows";
}

// Every kind of drawing on a crowded page, where strokes, shapes and texts overlap:
// drawn by exclusive-or each touches every pixel once, so drawing all of it twice
// must give the page back exactly.
TEST(DrawPage, EveryObjectOfADensePageDrawnTwiceByExclusiveOrLeavesThePageAsItWas) {
    Score score = test::densePage();
    DrawContext dc;
    dc.newScreenPage(test::DensePageWidth, test::DensePageHeight);
    DrawPage(dc, score, 1);
    const QImage page = dc.MainImage.copy();
    const auto drawAll = [&] {
        for (int s = 1; s <= score.Nstaves; ++s)
            for (int i = 1; i <= score.stave(s).Nobjec; ++i) DrawObject(dc, score, s, i, dc.colours.Edit, true);
    };
    drawAll();
    EXPECT_NE(dc.MainImage, page);
    drawAll();
    EXPECT_EQ(dc.MainImage, page);
}

} // namespace
} // namespace qv
