// What a hostile file, an edit or an import can put on a page (objects far larger than it, looped
// chains, fonts past the dialog's): drawing shows what lies on the page and takes no more than it.

#include "drawtest.h"
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
#include "support/scriptedui.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <random>

namespace qv {
namespace {

using test::inked, test::rgb;
constexpr QRgb WhiteRgb = 0xFFFFFF;

// A recorded page of 200 x 100 units and a score of one stave whose font 1 is `points` large.
struct HostilePage : test::Recording {
    Score score = test::makeScore(1);
    explicit HostilePage(int points = 12) : Recording(200, 100) {
        score.fonts.setFont(1, FontDesc{"Times New Roman", points, 0, 0});
    }
    void draw(bool paper) { dc.HighResMode = paper, DrawObject(dc, score, 1, 1, dc.colours.Ink, false); }
};

// 249 copies of `chunk`, the longest text a stave holds when the chunk fills a record.
std::string longest(const std::string& chunk) {
    std::string text;
    for (int k = 0; k < 249; ++k) text += chunk;
    return text;
}

TEST(HostileDrawing, PageSurfacesStopAtTheLargestPaperEitherWayRound) {
    const int cases[][4] = {{100000, 100000, 1920, 3840}, {100000, 1920, 3840, 1920}, {5000, 100, 3840, 100},
                            {3000, 2500, 3000, 1920},     {-5, 10, 0, 0},            {696, 960, 696, 960}};
    for (const auto& [width, height, expectedWidth, expectedHeight] : cases) {
        const test::Recording page(width, height);
        EXPECT_EQ(std::pair(page.dc.MainImage.size(), page.dc.Printimage.size()),
                  std::pair(QSize(expectedWidth, expectedHeight), 3 * QSize(expectedWidth, expectedHeight)))
            << width << " x " << height;
    }
}

// `inside` and `outside` are at least two units from the shape's edge; an `outside` of
// (-1, -1) says the shape covers the whole page.
TEST(HostileDrawing, ShapesFarLargerThanThePageCoverWhatLiesOnIt) {
    using test::makeShape;
    const std::tuple<const char*, ScoreObject, QPoint, QPoint> cases[] = {
        {"filled square of half side 32767", makeShape(1, 100, 50, 32767, 0, true), {0, 0}, {-1, -1}},
        {"filled circle whose edge crosses the page", makeShape(0, -29900, 50, 30000, 0, true), {95, 50}, {105, 50}},
        {"outlined rectangle from inside the page", makeShape(2, 50, 40, 32767, 32767, false), {50, 60}, {60, 60}},
        {"filled ellipse from far above and left", makeShape(3, -16000, -16000, 32767, 32767, true), {0, 0}, {-1, -1}},
    };
    for (const auto& [label, shape, inside, outside] : cases)
        for (const bool paper : {false, true}) {
            test::Recording page(200, 100);
            page.dc.HighResMode = paper;
            DrawShape(page.dc, shape, 0x0000FF, false);
            const QImage& image = paper ? page.dc.Printimage : page.dc.MainImage;
            const int k = paper ? 3 : 1;
            const std::string what = label + std::string(paper ? " on paper" : " on screen");
            EXPECT_EQ(rgb(image, k * inside.x(), k * inside.y()), paper ? 0x000000u : 0xFF0000u) << what;
                    EXPECT_TRUE(outside.x() >= 0 ? rgb(image, k * outside.x(), k * outside.y()) == WhiteRgb
                                         : inked(image) == image.width() * image.height()) << what;
        }
}

TEST(HostileDrawing, StrokesFarLongerThanThePageTouchEachPixelOnce) {
    for (const auto& [label, x1, y1, x2, y2, thickness, style] :
         {std::tuple{"wide diagonal", -30000, -30000, 30000, 30000, 4, 0},
          {"wide and shallow", -32000, 10, 32000, 90, 9, 0}, {"dashed diagonal", -30000, -30000, 30000, 30000, 3, 1}}) {
        test::Recording page(200, 100);
        const auto draw = [&](bool xorMode) {
            style ? DrawStyledLine(page.dc, x1, y1, x2, xorMode, 0x0000FF, style, thickness, y2)
                  : DrawLine(page.dc, x1, y1, x2, xorMode, 0x0000FF, thickness, y2);
        };
        draw(true);
        EXPECT_GT(inked(page.dc.MainImage), 0) << label;
        draw(true);
        EXPECT_EQ(inked(page.dc.MainImage), 0) << label << ": drawn twice by exclusive-or";
        page.dc.HighResMode = true;
        draw(false);
        EXPECT_GT(inked(page.dc.Printimage), 0) << label << " on paper";
        const auto at = [&](int x, int y) { return rgb(page.dc.Printimage, 3 * x, 3 * y); };
        EXPECT_TRUE(thickness != 4 || (at(50, 50) == 0 && at(50, 80) == WhiteRgb)) << "the wide diagonal's path";
    }
}

TEST(HostileDrawing, ThinLinesReachingFarOffThePageKeepTheirPixels) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> far(-3000, 3000), near(-20, 60);
    for (int k = 0; k < 400; ++k) {
        const int x1 = k % 2 == 0 ? far(rng) : near(rng), y1 = k % 2 == 0 ? far(rng) : near(rng);
        const int x2 = far(rng), y2 = k % 3 == 0 ? y1 : far(rng);
        QImage image(40, 40, QImage::Format_RGB32), expected(40, 40, QImage::Format_RGB32);
        image.fill(Qt::white), expected.fill(Qt::white);
        DrawPenLine(image, x1, y1, false, 0x000000, 0, 1, y2, x2);
        // The walk the thin lines always took, every step visited: the pixels a line must keep.
        const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1), sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
        for (int err = dx + dy, x = x1, y = y1; x != x2 || y != y2;) {
            if (expected.rect().contains(x, y)) expected.setPixel(x, y, qRgb(0, 0, 0));
            const int e2 = 2 * err;
            if (e2 >= dy) err += dy, x += sx;
            if (e2 <= dx) err += dx, y += sy;
        }
        ASSERT_EQ(image, expected) << "(" << x1 << ", " << y1 << ")-(" << x2 << ", " << y2 << ")";
    }
}

// The longest text a stave holds, 2490 characters, shows its beginning exactly as its first
// ten letters do, accidentals too. From far left of the page it shows its letters where the
// whole text set in one piece has them; the blank (a special character) makes it set letter
// by letter. A font past the dialog's largest is drawn at it.
TEST(HostileDrawing, TextFarWiderThanThePageShowsItsBeginningAndFromFarLeftItsLettersInPlace) {
    constexpr int StartX = -20000;
    const std::string chunk = std::string("W") + char(141) + "WW" + char(143) + "WWWWW";
    const std::string kerned = longest(std::string("AVTA") + char(30) + "WAYfi"); // pairs and a ligature
    for (const int points : {48, 255}) {
        HostilePage whole(points), first(points), far(points);
        test::appendLongText(whole.score.stave(1), 2, 10, 1, longest(chunk));
        test::appendLongText(first.score.stave(1), 2, 10, 1, chunk);
        test::appendLongText(far.score.stave(1), StartX, 10, 1, kerned);
        whole.draw(false), first.draw(false), far.draw(false), whole.draw(true), first.draw(true);
        EXPECT_GT(inked(first.dc.MainImage), 0) << points;
        EXPECT_TRUE(whole.dc.MainImage == first.dc.MainImage && whole.dc.Printimage == first.dc.Printimage)
            << points;
        QImage reference(far.dc.MainImage.size(), QImage::Format_ARGB32);
        reference.fill(Qt::transparent);
        QPainter painter(&reference);
        painter.setFont(TextFont(far.score.fonts.font(1), 1)), DrawTextSpecial(painter, StartX, 10, kerned);
        painter.end();
        int differ = 0, ink = 0;
        for (int y = 0; y < reference.height(); ++y)
            for (int x = 0; x < reference.width(); ++x) {
                const bool expected = qAlpha(reference.pixel(x, y)) != 0;
                ink += expected, differ += expected != (rgb(far.dc.MainImage, x, y) != WhiteRgb);
            }
        EXPECT_TRUE(ink > 0 && differ == 0) << points << ": " << differ << " pixels differ";
    }
    for (const int scale : {1, 3})
        EXPECT_EQ(TextFont({"Arial", 12000, 0, 0}, scale).pixelSize(),
                  TextFont({"Arial", 255, 0, 0}, scale).pixelSize());
}

// Each chunk of a looped chain is read once; a link to an object that is no text ends the
// text. An arpeggio draws at most 127 segments. A header field linked to another kind of
// object takes chunks of its own and the object prints as it stands.
TEST(HostileDrawing, LoopedOrStrayTextChainsAreReadOnceArpeggiosCutAndHeaderFieldsKeepToThemselves) {
    // The head's link (to itself or chunk 2), chunk 2's link, and the text drawn.
    const std::tuple<const char*, int, int, std::string> cases[] = {
        {"head continued by itself", 1, 0, "ABCDEFGHIJ"}, {"chunk back to the head", 2, 1, "ABCDEFGHIJKLMNOPQRST"},
        {"chunk leading to itself", 2, 2, "ABCDEFGHIJKLMNOPQRST"}, {"chunk to a line", 2, 3, "ABCDEFGHIJKLMNOPQRST"}};
    for (const auto& [label, headNext, chunkNext, drawn] : cases) {
        HostilePage page;
        ScoreObject head = test::makeTextHead(2, 10, 1, "ABCDEFGHIJ");
        ScoreObject chunk = test::makeTextHead(0, 0, 1, "KLMNOPQRST", TextContinuation);
        ScoreObject line = makeObject(ObjectKind::Line, 5, 5); // whose bytes read as a chunk add "XYZ"
        head.setTextNext(headNext), chunk.setTextNext(chunkNext);
        for (int at = 9; at <= 12; ++at) line.setU8(at, "\3XYZ"[at - 9]);
        for (const ScoreObject& o : {head, chunk, line}) test::append(page.score.stave(1), o);
        page.draw(false);
        EXPECT_EQ(page.calls.at(0).substr(0, page.calls.at(0).find(" at ")), "text \"" + drawn + "\"") << label;
    }
    HostilePage page;
    ScoreObject arpeggio = makeObject(ObjectKind::Arpeggio, 20, 48);
    arpeggio.setSegments(200), test::append(page.score.stave(1), arpeggio), page.draw(false);
    EXPECT_EQ(page.calls.size(), 127u);
    page.calls.clear();
    ScoreObject field = test::makeTextHead(10, 5, 1, "@F");
    const ScoreObject line = test::makeLine(10, 30, 100, 0, 2);
    field.setTextNext(2), test::append(page.score.stave(0), field), test::append(page.score.stave(0), line);
    page.dc.HighResMode = true;
    const std::string path = "/scores/a folder with a long name/and another one/Sonata.QVR";
    DrawHeaderFooter(page.dc, page.score, headerFooterFields(1, path, QDateTime::currentDateTime()));
    EXPECT_TRUE(test::has(page.calls, "line (10, 30)-(110, 30) thickness 2 colour 000000"));
    EXPECT_EQ(test::only(page.calls, "text \"" + path + "\"").size(), 1u);
    EXPECT_EQ(page.score.stave(0).object(2), line) << "stave 0 is left as it was";
}

// A file whose staves count more objects than it holds, linked into the slots it never
// filled: on a music stave the slots and links go; on stave 0, which loading does not tidy,
// they stay deleted and a text ends at its missing chunk. The pages draw.
TEST(HostileDrawing, LinksIntoMissingRecordsLoadAndDraw) {
    Score score = test::makeScore(1);
    Stave& s = score.stave(1);
    ScoreObject first = test::makeNote(100, 0, 4, s.Ycoord), second = test::makeNote(120, 0, 4, s.Ycoord);
    ScoreObject head = test::makeTextHead(200, 10, 1, "ABCDEFGHIJ");
    ScoreObject header = test::makeTextHead(10, 5, 1, "@P page ..");
    const ScoreObject chunk = test::makeTextHead(0, 0, 1, "KLM", TextContinuation);
    ScoreObject from = makeObject(ObjectKind::CurvePoint, 300, 40), to = makeObject(ObjectKind::CurvePoint, 340, 40);
    first.setBeamForward(2), second.setBeamBack(1), head.setTextNext(4), header.setTextNext(2);
    from.setCurveNext(6), to.setCurvePrev(5);
    for (const ScoreObject& o : {first, second, head, chunk, from, to}) test::append(s, o);
    test::append(score.stave(0), header), test::append(score.stave(0), chunk);
    const std::vector<std::uint8_t> bytes = encodeScore(score, WriteRange{0, 1}, WriteOptions{});
    // The eight object records come last; those of the even objects are left out.
    const std::size_t objectsFrom = bytes.size() - 8 * RecordSize;
    std::vector<std::uint8_t> damaged(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(objectsFrom));
    for (std::size_t r = objectsFrom; r < bytes.size(); r += RecordSize)
        if (bytes[r + 1] % 2 == 1) damaged.insert(damaged.end(), bytes.begin() + r, bytes.begin() + r + RecordSize);
    test::ScriptedUi ui;
    Score loaded;
    ASSERT_TRUE(loadScoreBytes(damaged, "MISSING.QVR", LoadOptions{}, ui, loaded));
    EXPECT_TRUE(ui.saw("Problem with stave 0: 1 object missing\nFile is bad.") &&
                ui.saw("Problem with stave 1: 3 objects missing\nFile is bad."));
    const Stave& tidied = loaded.stave(1);
    ASSERT_EQ(tidied.Nobjec, 2) << "the note and the text head; the lone curve point goes";
    EXPECT_EQ((std::pair<int, int>(tidied.object(1).beamForward(), tidied.object(2).textNext())), std::pair(0, 0));
    EXPECT_EQ(loaded.stave(0).object(2), makeObject(ObjectKind::Deleted));
    EXPECT_EQ(longTextOf(loaded.stave(0), 1), "@P page ..");
    for (const QImage& page :
         {renderScreenPage(loaded, 1), renderScreenPage(loaded, 0), renderPrintPage(loaded, 1, "MISSING.QVR")})
        EXPECT_GT(inked(page), 0);
}

} // namespace
} // namespace qv
