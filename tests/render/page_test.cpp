// Whole pages as the score window asks for them: hooks, the band redrawn after an edit,
// stave colours, the header/footer page and its fields, the preview, and any page's rules.

#include "densepage.h"
#include "drawtest.h"
#include "model/staveops.h"
#include "render/dispatch.h"
#include "render/headerfooter.h"
#include "render/page.h"

#include <gtest/gtest.h>

#include <stdexcept>

// Options are given by naming the fields that differ from the defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace qv {
namespace {

using test::Calls, test::rgb;
constexpr QRgb WhiteRgb = 0xFFFFFF;

int count(const Calls& calls, const std::string& prefix) { return int(test::only(calls, prefix).size()); }

TEST(DrawStave, AForcedBreakIsMarkedAcrossTheScreenOnlyAndThePreviewShowsNoLinesNorOpenBraces) {
    Score score = test::makeScore(5);
    score.stave(1).joinToNext = score.stave(2).ForcedBk = true;
    test::Recording r(700, 400);
    r.dc.ScreenOrigin = QPoint(10, 5);
    DrawStave(r.dc, score, 2, 0);
    EXPECT_EQ(r.calls.back(), "line (-10, 104)-(690, 104) thickness 2 colour FF00FF");
    DrawStave(r.dc, score, 2, 0, PageOptions{.preview = true});
    r.dc.HighResMode = true;
    DrawStave(r.dc, score, 2, 0);
    EXPECT_EQ(std::pair(count(r.calls, "line (-10"), count(r.calls, "line (0, 71)")), std::pair(1, 1))
        << "the break neither in the preview nor on paper, and no stave lines in the preview";
    score.stave(1).brace = score.stave(2).brace = score.stave(5).brace = true; // 5 is never closed
    r.calls.clear();
    DrawBraces(r.dc, score, 1, 5, 0);
    EXPECT_EQ(r.calls, Calls{"brace x -2 from 24 to 152"});
}

TEST(DrawPage, ClearsThePageAndDrawsItsStavesWithTheWindowsHooksEvenWhenDrawingFails) {
    Score score = test::makeScore(3);
    score.page = PageData{};
    score.StvSiz = 1.0 / 3.0; // 96 units per inch: music area 696 x 960
    score.stave(3).PageNum = 2, score.stave(1).brace = true;
    for (int i = 0; i < 20; ++i) test::append(score.stave(1), test::makeGlyph(10 * i, 40, 60));
    test::Recording r(700, 1000);
    r.dc.MainImage.fill(Qt::black);
    DrawPage(r.dc, score, 7, PageOptions{.pageView = true});
    EXPECT_EQ(r.calls.front() + "; " + r.calls.at(3),
              "clear screen page; line (696, 960)-(0, 960) thickness 1 colour 0000FF");
    EXPECT_EQ(rgb(r.dc.MainImage, 5, 5), WhiteRgb);
    Calls events;
    PageOptions options;
    options.busy = [&](bool on) { events.push_back(on ? "busy" : "idle"); };
    options.repaint = [&] { events.push_back("repaint"); };
    options.afterPage = [&] { events.push_back("after"); };
    r.dc.cursor.shown = true, r.calls.clear();
    DrawPage(r.dc, score, 1, options);
    EXPECT_EQ(r.calls[1], "brace x -2 from 24 to 104");
    EXPECT_EQ(std::pair(count(r.calls, "line (0, 71)-"), count(r.calls, "line (0, 119)-")), std::pair(1, 0))
        << "stave 2, and stave 3 is on page 2";
    EXPECT_EQ(events, (Calls{"busy", "repaint", "repaint", "idle", "after"})) << "a repaint after each stave";
    EXPECT_FALSE(r.dc.cursor.shown) << "the page was cleared under the cursor";
    options.fastCpu = true, events.clear(); // a stave shows before its objects and after every sixteenth
    DrawPage(r.dc, score, 1, options);
    EXPECT_EQ(std::count(events.begin(), events.end(), "repaint"), 5);
    options.repaint = [&] { throw std::runtime_error("window gone"); };
    events.clear(), r.dc.cursor.shown = true;
    EXPECT_THROW(DrawPage(r.dc, score, 1, options), std::runtime_error);
    EXPECT_EQ(events, (Calls{"busy", "idle", "after"}));
    EXPECT_FALSE(r.dc.cursor.shown);
}

TEST(RedrawBand, RedrawsTheStavesReachingIntoTheBandOrElseTheWholePage) {
    Score score = test::makeScore(3); // MinY/MaxY 24/56, 72/104, 120/152
    score.stave(1).brace = score.stave(1).joinToNext = true;
    test::Recording r(700, 400);
    DrawPage(r.dc, score, 1);
    const QImage page = r.dc.MainImage.copy();
    int cursor = 0;
    PageOptions options{.currentStave = 3, .highlightedStave = 2};
    options.drawCursor = [&] { ++cursor; };
    for (const auto& [y1, y2] : {std::pair{60, 60}, {60, 65}}) {
        r.calls.clear();
        RedrawBand(r.dc, score, 1, y1, y2, options);
        EXPECT_EQ(r.calls.front(), "clear screen page") << y1 << ", " << y2;
    }
    r.calls.clear();
    RedrawBand(r.dc, score, 1, 30, 100, options);
    EXPECT_EQ(r.calls.front() + "; " + r.calls[1], "clear band 24 to 105; brace x -2 from 24 to 104");
    r.dc.ScreenOrigin.ry() = 7, RedrawBand(r.dc, score, 1, 30, 100, options), r.dc.ScreenOrigin.ry() = 0;
    EXPECT_TRUE(test::has(r.calls, "clear band 31 to 112")) << "the band lies below the page's origin";
    EXPECT_TRUE(test::has(r.calls, "line (0, 23)-(600, 23) thickness 1 colour 000000") &&
                test::has(r.calls, "line (0, 71)-(600, 71) thickness 1 colour 800080")) << "stave 2 highlighted";
    EXPECT_EQ(std::pair(count(r.calls, "line (0, 119)-"), cursor), std::pair(0, 0)) << "stave 3 outside the band";
    options.highlightedStave = -1;
    RedrawBand(r.dc, score, 1, 100, 125, options);
    EXPECT_EQ(cursor, 1) << "the cursor's stave was redrawn";
    RedrawBand(r.dc, score, 1, 30, 100, options);
    EXPECT_EQ(r.dc.MainImage, page);
    options.highlightedStave = 2, r.calls.clear(), r.dc.HighResMode = true;
    DrawPage(r.dc, score, 1, options);
    for (const std::string& call : r.calls) EXPECT_EQ(call.find("800080"), std::string::npos) << "on paper: " << call;
}

TEST(HeaderFooterFields, AWholeTextOfACodeBecomesItsFieldCutToItsLengthInACopyOfStaveZero) {
    const HeaderFooterFields f =
        headerFooterFields(12, "C:\\SCORES\\SONATA.QVR", QDateTime(QDate(2026, 3, 4), QTime(9, 5)));
    const std::pair<const char*, std::string> cases[] = {
        {"@P", "12"}, {"@p", "12"}, {"@f", "C:\\SCORES\\SONATA.QVR"}, {"@N", "SONATA.QVR"}, {"@t", f.time},
        {"@D", f.longDate}, {"@d", f.shortDate}, {"@P ", "@P "}, {"Page @P", "Page @P"}, {"@X", "@X"},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(substituteField(text, f), value) << text;
    EXPECT_EQ(fileNameOnly("C:SONATA.QVR"), "SONATA.QVR");
    const std::string longPath = "/" + std::string(200, 'd') + "/" + std::string(40, 'n');
    const HeaderFooterFields cut = headerFooterFields(1234567, longPath, QDateTime::currentDateTime());
    EXPECT_EQ(std::tuple(cut.page, cut.fullPath, cut.name),
              std::tuple("12345", longPath.substr(0, 144), std::string(32, 'n')));
    Stave st;
    const auto text = [&](const std::string& t) { return test::appendLongText(st, 10, 10, 0, t); };
    const int page = text("@p"), path = text("@F"), words = text("a long title of the piece"), date = text("@d");
    const Stave filled = withFieldsFilledIn(st, f);
    EXPECT_EQ(longTextOf(filled, page) + "|" + longTextOf(filled, path) + "|" + longTextOf(filled, words) + "|" +
                  longTextOf(filled, date), "12|C:\\SCORES\\SONATA.QVR|a long title of the piece|" + f.shortDate);
    EXPECT_TRUE(filled.Nobjec == st.Nobjec + 1 && filled.object(filled.Nobjec).isContinuation());
    EXPECT_EQ(longTextOf(st, path), "@F") << "the original is untouched";
}

// The header/footer page shows its objects in the universal text colour, on the screen
// over a guide that greys the music page between header and footer.
TEST(DrawPage, TheHeaderFooterPageInUniversalTextOverItsGuideOnTheScreen) {
    Score score = test::makeScore(1);
    score.page = PageData{};
    score.page.Header = 0.5, score.page.Footer = 0.25; // 48 and 24 units
    score.stave(0).MinY = 0, score.stave(0).MaxY = 30;
    test::append(score.stave(0), test::makeGlyph(50, 10, 60));
    test::Recording r(700, 1000);
    r.dc.colours.UniversalText = 0x123456;
    DrawPage(r.dc, score, 0);
    EXPECT_EQ(r.calls.at(2) + "; " + r.calls.at(3),
              "line (0, 48)-(696, 48) thickness 1 colour 0000FF; fill (0, 49)-(696, 934) colour C0C0C0");
    for (const auto& [y, colour] : {std::pair{40, WhiteRgb}, {49, 0xC0C0C0u}, {934, 0xC0C0C0u}, {935, WhiteRgb}})
        EXPECT_EQ(rgb(r.dc.MainImage, 5, y), colour) << y;
    EXPECT_EQ(count(r.calls, "text "), 6) << "lines of guidance";
    EXPECT_TRUE(test::has(r.calls, "glyph 60 at (50, 10) colour 123456"));
    EXPECT_NE(test::only(r.calls, "text ").at(0).find(", 88) size 15"), std::string::npos);
    r.calls.clear();
    RedrawBand(r.dc, score, 0, 20, 40);
    EXPECT_EQ(r.calls, (Calls{"clear band 0 to 31", "glyph 60 at (50, 10) colour 123456"}));
    r.calls.clear();
    DrawPage(r.dc, score, 0, PageOptions{.preview = true});
    EXPECT_EQ(r.calls, (Calls{"clear screen page", "glyph 60 at (50, 10) colour 000000"}));
    r.calls.clear();
    DrawHeaderFooterScreenGuide(r.dc, score, 250);
    EXPECT_EQ(r.calls.at(2).find("size 15"), std::string::npos) << "smaller for a narrow screen: " << r.calls[2];
}

// At 20 pixels per inch of a page at 96 units per inch, the music's (x, y) lies at
// (10 + x / 4.8, 20 + y / 4.8), the header's at (10 + x / 4.8, 10 + y / 4.8).
TEST(DrawPreviewPage, StaveLinesAloneOrTheDrawnPageWithItsHeaderAndBlankingShapes) {
    Score score = test::makeScore(2);
    score.page = PageData{};
    score.page.Header = 0.5, score.StvSiz = 1.0 / 3.0, score.stave(1).joinToNext = true;
    test::append(score.stave(0), test::makeLine(0, 20, 300, 0, 1));
    test::append(score.stave(1), test::makeLine(500, 200, 0, 60, 1)); // one pixel wide
    for (const int type : {0, 1})
        test::append(score.stave(1), test::makeShape(type, 200 + 200 * type, 40, 20, 0, false, true));
    DrawContext dc;
    QImage image(165, 220, QImage::Format_RGB32);
    const auto pixels = [&](bool details, std::initializer_list<std::tuple<int, int, QRgb>> expected) {
        DrawPreviewPage(dc, score, image, PreviewRequest{.details = details, .ppi = 20.0});
        for (const auto& [x, y, colour] : expected) EXPECT_EQ(rgb(image, x, y), colour) << x << ", " << y;
    };
    pixels(false, {{72, 28, 0x0000FF}, {10, 33, 0xFF0000}, {72, 33, WhiteRgb}}); // blue lines, red joined ends
    // Black; a one-pixel line still shows shrunk; the header ANDed over the page as far as
    // its rule goes, below the top margin; blanked round the shapes' centres (x 190 to 410).
    pixels(true, {{72, 28, 0}, {114, 67, 0}, {72, 14, 0}, {74, 14, WhiteRgb}, {72, 6, WhiteRgb}, {49, 28, WhiteRgb},
                  {53, 28, WhiteRgb}, {91, 28, WhiteRgb}, {95, 28, WhiteRgb}, {60, 28, 0}});
}

// A crowded page less its header and footer (printed from the paper's top) moves with its
// origin, prints black whatever the colours, and every object drawn twice by exclusive-or
// leaves it as it was, where strokes, shapes and texts overlap.
TEST(DrawPage, ADensePageMovesWithItsOriginPrintsInBlackAndDrawnTwiceByExclusiveOrComesBack) {
    Score score = test::densePage();
    score.stave(0).Nobjec = 0;
    const QPoint shift(13, 9);
    for (const bool paper : {false, true}) {
        QImage drawn[2];
        for (int k = 0; k < 2; ++k) {
            test::Recording r(test::DensePageWidth + 10, test::DensePageHeight + 10);
            r.dc.HighResMode = paper, r.dc.colours.Ink = 0x123456;
            (paper ? r.dc.HiResOrigin : r.dc.ScreenOrigin) = k * shift;
            DrawPage(r.dc, score, 1);
            drawn[k] = paper ? r.dc.Printimage : r.dc.MainImage;
        }
        const QRect area(QPoint(0, 0), drawn[0].size() - QSize(shift.x(), shift.y()));
        EXPECT_EQ(drawn[0].copy(area), drawn[1].copy(area.translated(shift))) << (paper ? "paper" : "screen");
        const int ink = test::inked(drawn[0]);
        EXPECT_TRUE(!paper || (ink == test::inked(drawn[0], {}, 0) && ink > 100000));
    }
    DrawContext dc;
    dc.newScreenPage(test::DensePageWidth, test::DensePageHeight);
    DrawPage(dc, score, 1);
    const QImage page = dc.MainImage.copy();
    const auto drawAll = [&] {
        for (int s = 1; s <= score.Nstaves; ++s)
            for (int i = 1; i <= score.stave(s).Nobjec; ++i)
                DrawObject(dc, score, s, i, dc.colours.Edit, true);
    };
    drawAll();
    EXPECT_NE(dc.MainImage, page);
    drawAll();
    EXPECT_EQ(dc.MainImage, page);
}

// Zoomed in, the screen is the print image in the screen's colours: every pixel
// paper inks shows in the ink colour, nothing else shows in it, and whatever only
// the screen shows (anchors, non-printing marks) is in colours of its own. Drawn
// twice by exclusive-or at three times, every object leaves the page as it was.
// (Blanking shapes are left out: the screen shows what they hide on paper.)
TEST(DrawPage, ZoomedInTheScreenShowsThePrintImageInItsColoursAndExclusiveOrComesBack) {
    Score score = test::densePage();
    score.stave(0).Nobjec = 0;
    for (int s = 1; s <= score.Nstaves; ++s)
        for (int i = 1; i <= score.stave(s).Nobjec; ++i)
            if (score.stave(s).object(i).is(ObjectKind::Shape)) score.stave(s).object(i).setShapeBlanking(false);
    const auto draw = [&](bool screen) {
        DrawContext dc;
        dc.newPrintPage(test::DensePageWidth, test::DensePageHeight);
        dc.HighResMode = true, dc.ZoomedScreen = screen, dc.colours.Ink = 0x123456;
        DrawPage(dc, score, 1);
        return dc;
    };
    const QImage paper = draw(false).Printimage;
    DrawContext zoomed = draw(true);
    const QRgb ink = toQColor(zoomed.colours.Ink).rgb() & 0xFFFFFF;
    int inkOnPaper = 0, missing = 0, strayInk = 0;
    for (int y = 0; y < paper.height(); ++y)
        for (int x = 0; x < paper.width(); ++x) {
            const bool printed = test::rgb(paper, x, y) == 0;
            const QRgb shown = test::rgb(zoomed.Printimage, x, y);
            inkOnPaper += printed;
            missing += printed && shown == 0xFFFFFF;
            strayInk += !printed && shown == ink;
        }
    EXPECT_GT(inkOnPaper, 100000);
    EXPECT_EQ(missing, 0) << "everything that prints shows";
    EXPECT_EQ(strayInk, 0) << "nothing shows in ink that does not print";
    EXPECT_EQ(test::inked(zoomed.Printimage, {}, 0), 0) << "the screen's colours, not paper black";

    const QImage page = zoomed.Printimage.copy();
    const auto drawAll = [&] {
        for (int s = 1; s <= score.Nstaves; ++s)
            for (int i = 1; i <= score.stave(s).Nobjec; ++i)
                DrawObject(zoomed, score, s, i, zoomed.colours.Edit, true);
    };
    drawAll();
    EXPECT_NE(zoomed.Printimage, page);
    drawAll();
    EXPECT_EQ(zoomed.Printimage, page);
}

} // namespace
} // namespace qv
