// What a hostile file, an edit or an import can put on a page: objects far larger
// than the page, chains that lead back into themselves, fonts past the font
// dialog's sizes. Drawing shows what lies on the page as it would for any object,
// and never takes more than the page (the benchmarks measure how much).

#include "files/loader.h"
#include "files/scorefilewrite.h"
#include "model/staveops.h"
#include "render/curves.h"
#include "render/dispatch.h"
#include "render/headerfooter.h"
#include "render/pageimage.h"
#include "render/primitives.h"
#include "render/shapes.h"
#include "render/text.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace qv {
namespace {

constexpr QRgb WhitePixel = 0xFFFFFF;

QRgb at(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

int inked(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += at(image, x, y) != WhitePixel;
    return n;
}

// A white screen page and print image of 200 x 100 page units.
DrawContext smallPage() {
    DrawContext dc;
    dc.newScreenPage(200, 100);
    dc.newPrintPage(200, 100);
    return dc;
}

ScoreObject shape(int type, int x, int y, int a, int b, bool filled) {
    ScoreObject s = makeObject(ObjectKind::Shape, x, y);
    s.setShapeType(type);
    s.setShapeSize1(a);
    s.setShapeSize2(b);
    s.setShapeFilled(filled);
    return s;
}

TEST(HostileDrawing, PageSurfacesStopAtTheLargestPaperEitherWayRound) {
    struct Case {
        int width, height, expectedWidth, expectedHeight;
    };
    // A square too large is cut to a portrait sheet; no width, no surface at all.
    for (const Case c :
         {Case{100000, 100000, 1920, 3840}, Case{100000, 1920, 3840, 1920}, Case{5000, 100, 3840, 100},
          Case{3000, 2500, 3000, 1920}, Case{-5, 10, 0, 0}, Case{696, 960, 696, 960}}) {
        DrawContext dc;
        dc.newScreenPage(c.width, c.height);
        dc.newPrintPage(c.width, c.height);
        EXPECT_EQ(dc.MainImage.size(), QSize(c.expectedWidth, c.expectedHeight))
            << c.width << " x " << c.height;
        EXPECT_EQ(dc.Printimage.size(), QSize(3 * c.expectedWidth, 3 * c.expectedHeight))
            << c.width << " x " << c.height;
    }
}

// Each shape reaches far past the page on every side it crosses; `inside` and
// `outside` are page positions at least two units from its edge, and an `outside`
// of (-1, -1) says the shape covers the whole page.
TEST(HostileDrawing, ShapesFarLargerThanThePageCoverWhatLiesOnIt) {
    struct Case {
        std::string label;
        ScoreObject shape;
        QPoint inside;  // takes the colour
        QPoint outside; // stays white
    };
    const std::vector<Case> cases = {
        {"filled square of half side 32767", shape(1, 100, 50, 32767, 0, true), {0, 0}, {-1, -1}},
        {"filled circle whose edge crosses the page",
         shape(0, -29900, 50, 30000, 0, true),
         {95, 50},
         {105, 50}},
        {"outlined rectangle from inside the page",
         shape(2, 50, 40, 32767, 32767, false),
         {50, 60},
         {60, 60}},
        {"filled ellipse from far above and left",
         shape(3, -16000, -16000, 32767, 32767, true),
         {0, 0},
         {-1, -1}},
    };
    for (const Case& c : cases) {
        for (const bool paper : {false, true}) {
            DrawContext dc = smallPage();
            dc.HighResMode = paper;
            DrawShape(dc, c.shape, 0x0000FF, false);
            const QImage& image = paper ? dc.Printimage : dc.MainImage;
            const int scale = paper ? 3 : 1;
            const QRgb colour = paper ? 0x000000 : 0xFF0000;
            const std::string label = c.label + (paper ? " on paper" : " on screen");
            EXPECT_EQ(at(image, scale * c.inside.x(), scale * c.inside.y()), colour) << label;
            if (c.outside.x() >= 0)
                EXPECT_EQ(at(image, scale * c.outside.x(), scale * c.outside.y()), WhitePixel) << label;
            else
                EXPECT_EQ(inked(image), image.width() * image.height()) << label << ": the whole page";
        }
    }
}

TEST(HostileDrawing, StrokesFarLongerThanThePageTouchEachPixelOnce) {
    struct Case {
        std::string label;
        int x1, y1, x2, y2, thickness, style;
    };
    for (const Case& c : {Case{"wide diagonal", -30000, -30000, 30000, 30000, 4, 0},
                          Case{"wide and shallow", -32000, 10, 32000, 90, 9, 0},
                          Case{"dashed diagonal", -30000, -30000, 30000, 30000, 3, 1}}) {
        DrawContext dc = smallPage();
        const auto draw = [&](bool xorMode) {
            if (c.style != 0)
                DrawStyledLine(dc, c.x1, c.y1, c.x2, xorMode, 0x0000FF, c.style, c.thickness, c.y2);
            else
                DrawLine(dc, c.x1, c.y1, c.x2, xorMode, 0x0000FF, c.thickness, c.y2);
        };
        draw(true);
        EXPECT_GT(inked(dc.MainImage), 0) << c.label;
        draw(true);
        EXPECT_EQ(inked(dc.MainImage), 0) << c.label << ": drawn twice by exclusive-or";
        dc.HighResMode = true;
        draw(false);
        EXPECT_GT(inked(dc.Printimage), 0) << c.label << " on paper";
    }
    // The wide diagonal on paper runs through (50, 50) and clear of (50, 80).
    DrawContext dc = smallPage();
    dc.HighResMode = true;
    DrawLine(dc, -30000, -30000, 30000, false, 0, 4, 30000);
    EXPECT_EQ(at(dc.Printimage, 150, 150), 0x000000u);
    EXPECT_EQ(at(dc.Printimage, 150, 240), WhitePixel);
}

// The walk the thin lines always took, every step visited: the pixels a line must
// keep now that only its steps on the canvas are visited.
std::vector<QPoint> walkedLine(int x1, int y1, int x2, int y2) {
    std::vector<QPoint> pixels;
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int err = dx + dy, x = x1, y = y1;
    while (x != x2 || y != y2) {
        pixels.emplace_back(x, y);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    return pixels;
}

TEST(HostileDrawing, ThinLinesReachingFarOffThePageKeepTheirPixels) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> far(-3000, 3000), near(-20, 60);
    for (int k = 0; k < 400; ++k) {
        const bool longLine = k % 2 == 0;
        const int x1 = longLine ? far(rng) : near(rng), y1 = longLine ? far(rng) : near(rng);
        const int x2 = far(rng), y2 = k % 3 == 0 ? y1 : far(rng);
        QImage image(40, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        DrawPenLine(image, x1, y1, false, 0x000000, 0, 1, y2, x2);
        QImage expected(40, 40, QImage::Format_RGB32);
        expected.fill(Qt::white);
        for (const QPoint& p : walkedLine(x1, y1, x2, y2))
            if (expected.rect().contains(p)) expected.setPixel(p, qRgb(0, 0, 0));
        ASSERT_EQ(image, expected) << "(" << x1 << ", " << y1 << ")-(" << x2 << ", " << y2 << ")";
    }
}

struct TextPage {
    Score score = test::makeScore(1);
    DrawContext dc = smallPage();
    std::vector<std::string> calls;

    explicit TextPage(int points) { score.fonts.setFont(1, FontDesc{"Times New Roman", points, 0, 0}); }
    // A long text of `chunks` copies of `chunk` from (x, 10), as an edit stores it.
    void longText(int chunks, const std::string& chunk, int x = 2) {
        Stave& s = score.stave(1);
        for (int k = 0; k < chunks; ++k) {
            ScoreObject o =
                test::makeTextHead(k == 0 ? x : 0, k == 0 ? 10 : 0, 1, chunk, k == 0 ? 0 : TextContinuation);
            if (k + 1 < chunks) o.setTextNext(s.Nobjec + 2);
            test::append(s, o);
        }
    }
    void draw() {
        for (const bool paper : {false, true}) {
            dc.HighResMode = paper;
            DrawObject(dc, score, 1, 1, dc.colours.Ink, false);
        }
    }
};

// The longest text a stave holds, 2490 characters, is many pages wide: it shows
// its beginning exactly as a text of its first ten letters does, accidentals too.
TEST(HostileDrawing, TextFarWiderThanThePageShowsItsBeginning) {
    const std::string chunk = std::string("W") + char(141) + "WW" + char(143) + "WWWWW";
    for (const int points : {48, 255}) {
        TextPage longest(points), first(points);
        longest.longText(249, chunk);
        first.longText(1, chunk);
        longest.draw();
        first.draw();
        EXPECT_GT(inked(first.dc.MainImage), 0) << points;
        EXPECT_EQ(longest.dc.MainImage, first.dc.MainImage) << points << " points on screen";
        EXPECT_EQ(longest.dc.Printimage, first.dc.Printimage) << points << " points on paper";
    }
}

TEST(HostileDrawing, FontsPastTheDialogsLargestAreDrawnAtIt) {
    for (const int scale : {1, 3})
        EXPECT_EQ(TextFont(FontDesc{"Arial", 12000, 0, 0}, scale).pixelSize(),
                  TextFont(FontDesc{"Arial", 255, 0, 0}, scale).pixelSize())
            << scale;
}

// Chains an edit or an import may leave behind: each chunk is read once, and a
// link to an object that is no text ends the text.
TEST(HostileDrawing, LoopedOrStrayTextChainsAreReadOnce) {
    struct Case {
        std::string label;
        int headNext;  // chunk 2 follows the head, or the head itself
        int chunkNext; // where chunk 2 leads
        std::string drawn;
    };
    for (const Case& c : {Case{"head continued by itself", 1, 0, "ABCDEFGHIJ"},
                          Case{"chunk leading back to the head", 2, 1, "ABCDEFGHIJKLMNOPQRST"},
                          Case{"chunk leading to itself", 2, 2, "ABCDEFGHIJKLMNOPQRST"},
                          Case{"chunk leading to a line", 2, 3, "ABCDEFGHIJKLMNOPQRST"}}) {
        TextPage page(12);
        Stave& s = page.score.stave(1);
        ScoreObject head = test::makeTextHead(2, 10, 1, "ABCDEFGHIJ");
        head.setTextNext(c.headNext);
        ScoreObject chunk = test::makeTextHead(0, 0, 1, "KLMNOPQRST", TextContinuation);
        chunk.setTextNext(c.chunkNext);
        // A line whose bytes read as a chunk would add "XYZ".
        ScoreObject line = makeObject(ObjectKind::Line, 5, 5);
        line.setU8(9, 3);
        line.setU8(10, 'X');
        line.setU8(11, 'Y');
        line.setU8(12, 'Z');
        test::append(s, head);
        test::append(s, chunk);
        test::append(s, line);
        page.dc.record = &page.calls;
        DrawObject(page.dc, page.score, 1, 1, page.dc.colours.Ink, false);
        ASSERT_FALSE(page.calls.empty()) << c.label;
        EXPECT_EQ(page.calls.front().substr(0, page.calls.front().find(" at ")), "text \"" + c.drawn + "\"")
            << c.label;
    }
}

TEST(HostileDrawing, AnArpeggioDrawsAtMost127Segments) {
    Score score = test::makeScore(1);
    ScoreObject arpeggio = makeObject(ObjectKind::Arpeggio, 20, 48);
    arpeggio.setSegments(200);
    test::append(score.stave(1), arpeggio);
    DrawContext dc = smallPage();
    std::vector<std::string> calls;
    dc.record = &calls;
    DrawObject(dc, score, 1, 1, dc.colours.Ink, false);
    EXPECT_EQ(calls.size(), 127u);
}

// A header text's link that leads to another kind of object: the filled-in field
// takes chunks of its own and the object is printed as it stands.
TEST(HostileDrawing, HeaderFieldsNeverWriteOverOtherObjects) {
    Score score = test::makeScore(1);
    Stave& s0 = score.stave(0);
    ScoreObject field = test::makeTextHead(10, 5, 1, "@F");
    field.setTextNext(2);
    ScoreObject line = makeObject(ObjectKind::Line, 10, 30);
    line.setLineDx(100);
    line.setLineThickness(2);
    test::append(s0, field);
    test::append(s0, line);
    DrawContext dc = smallPage();
    dc.HighResMode = true;
    std::vector<std::string> calls;
    dc.record = &calls;
    const std::string path = "/scores/a folder with a long name/and another one/Sonata.QVR";
    DrawHeaderFooter(dc, score, headerFooterFields(1, path, QDateTime::currentDateTime()));
    EXPECT_NE(std::find(calls.begin(), calls.end(), "line (10, 30)-(110, 30) thickness 2 colour 000000"),
              calls.end());
    EXPECT_NE(
        std::find_if(calls.begin(), calls.end(),
                     [&](const std::string& call) { return call.rfind("text \"" + path + "\"", 0) == 0; }),
        calls.end());
    EXPECT_EQ(score.stave(0).object(2), line) << "stave 0 is left as it was";
}

// A file whose staves count more objects than it holds, with links into the slots
// it never filled: on a music stave the slots go, the links with them; on the
// header/footer stave, which loading does not tidy, the slots stay deleted and a
// text ends where its chunk is missing. The pages draw, on the screen and on paper.
TEST(HostileDrawing, LinksIntoMissingRecordsLoadAndDraw) {
    Score score = test::makeScore(1);
    Stave& s = score.stave(1);
    ScoreObject first = test::makeNote(100, 0, 4, s.Ycoord), second = test::makeNote(120, 0, 4, s.Ycoord);
    first.setBeamForward(2);
    second.setBeamBack(1);
    ScoreObject head = test::makeTextHead(200, 10, 1, "ABCDEFGHIJ");
    head.setTextNext(4);
    const ScoreObject chunk = test::makeTextHead(0, 0, 1, "KLM", TextContinuation);
    ScoreObject from = makeObject(ObjectKind::CurvePoint, 300, 40),
                to = makeObject(ObjectKind::CurvePoint, 340, 40);
    from.setCurveNext(6);
    to.setCurvePrev(5);
    for (const ScoreObject& o : {first, second, head, chunk, from, to})
        test::append(s, o);
    ScoreObject header = test::makeTextHead(10, 5, 1, "@P page ..");
    header.setTextNext(2);
    for (const ScoreObject& o : {header, chunk})
        test::append(score.stave(0), o);
    const std::vector<std::uint8_t> bytes = encodeScore(score, WriteRange{0, 1}, WriteOptions{});
    // The eight object records come last; those of the even objects are left out.
    const std::size_t objectsFrom = bytes.size() - 8 * RecordSize;
    std::vector<std::uint8_t> damaged(bytes.begin(),
                                      bytes.begin() + static_cast<std::ptrdiff_t>(objectsFrom));
    for (std::size_t r = objectsFrom; r < bytes.size(); r += RecordSize)
        if (bytes[r + 1] % 2 == 1)
            damaged.insert(damaged.end(), bytes.begin() + r, bytes.begin() + r + RecordSize);

    test::ScriptedUi ui;
    Score loaded;
    ASSERT_TRUE(loadScoreBytes(damaged, "MISSING.QVR", LoadOptions{}, ui, loaded));
    EXPECT_TRUE(ui.saw("Problem with stave 0: 1 object missing\nFile is bad."));
    EXPECT_TRUE(ui.saw("Problem with stave 1: 3 objects missing\nFile is bad."));
    const Stave& tidied = loaded.stave(1);
    ASSERT_EQ(tidied.Nobjec, 2) << "the note and the text head; the lone curve point goes";
    EXPECT_EQ(tidied.object(1).beamForward(), 0);
    EXPECT_EQ(tidied.object(2).textNext(), 0);
    EXPECT_EQ(loaded.stave(0).object(2), makeObject(ObjectKind::Deleted));
    EXPECT_EQ(longTextOf(loaded.stave(0), 1), "@P page ..");
    EXPECT_GT(inked(renderScreenPage(loaded, 1)), 0);
    EXPECT_GT(inked(renderScreenPage(loaded, 0)), 0);
    EXPECT_GT(inked(renderPrintPage(loaded, 1, "MISSING.QVR")), 0);
}

// A long text that starts far left of the page shows the letters the page holds
// where the whole text, set in one piece, has them; the blank (a special
// character) makes it set letter by letter, of which only those that show are set.
TEST(HostileDrawing, TextStartingFarLeftOfThePageShowsItsLettersInPlace) {
    constexpr int StartX = -20000;
    const std::string chunk = std::string("AVTA") + char(30) + "WAYfi"; // kerned pairs and a ligature
    for (const int points : {48, 255}) {
        TextPage page(points);
        page.longText(249, chunk, StartX);
        DrawObject(page.dc, page.score, 1, 1, page.dc.colours.Ink, false);
        std::string whole;
        for (int k = 0; k < 249; ++k)
            whole += chunk;
        QImage reference(page.dc.MainImage.size(), QImage::Format_ARGB32);
        reference.fill(Qt::transparent);
        QPainter painter(&reference);
        const QFont font = TextFont(page.score.fonts.font(1), 1);
        painter.setFont(font);
        DrawTextSpecial(painter, StartX, 10, whole);
        painter.end();
        int differ = 0, ink = 0;
        for (int y = 0; y < reference.height(); ++y)
            for (int x = 0; x < reference.width(); ++x) {
                const bool expected = qAlpha(reference.pixel(x, y)) != 0;
                ink += expected;
                differ += expected != (at(page.dc.MainImage, x, y) != WhitePixel);
            }
        EXPECT_GT(ink, 0) << points;
        EXPECT_EQ(differ, 0) << points;
    }
}

} // namespace
} // namespace qv
