// Drawing below the objects: the glyph bitmaps compiled into the program, the ink
// boxes the layout measures with, the thinnest line on paper, the entry cursor, and
// where the sized accidentals inside a text stand.

#include "drawtest.h"
#include "render/cursor.h"
#include "render/glyphcatalogue.h"
#include "render/glyphinkbox.h"
#include "render/glyphstore.h"
#include "render/primitives.h"
#include "render/text.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace qv {
namespace {

TEST(BuiltInGlyphs, EveryCodeHasItsOwnScreenAndThreeTimesBitmapAndTextAccidentalsEverySize) {
    const GlyphStore& store = GlyphStore::builtIn();
    std::set<std::string> names;
    for (int code = 0; code <= LastDrawnGlyph; ++code) {
        names.insert(GlyphStem(code));
        const GlyphBitmap& screen = store.find(GlyphResourceName(code, false));
        const GlyphBitmap& print = store.find(GlyphResourceName(code, true));
        ASSERT_EQ(QSize(screen.width(), screen.height()), QSize(41, 64)) << code;
        ASSERT_EQ(QSize(print.width(), print.height()), QSize(123, 192)) << code;
    }
    EXPECT_EQ(names.size(), 230u) << "no two codes share a drawing";
    for (int code : {230, 255, 300, -1})
        EXPECT_TRUE(store.glyph(code, false).empty()) << code;
    EXPECT_EQ(store.find("BMANCHOR").height(), 12) << "names match whatever their case";
    for (const char* sign : {"FLAT", "NAT", "SHARP"})
        for (const char* size : {"006", "010", "015", "026", "032", "040", "050"})
            for (const char* set : {"bm", "hbm"})
                EXPECT_FALSE(store.find(std::string(set) + sign + size).empty()) << set << sign << size;
}

// The boxes are measured from the screen bitmaps, here bitmaps with ink at two points.
TEST(GlyphInkBox, MeasuredFromTheScreenBitmapsWithTheFixedExceptions) {
    GlyphStore store;
    const auto ink = [&](const char* name, QPoint a, QPoint b) {
        QImage image(41, 64, QImage::Format_RGB32);
        image.fill(Qt::white);
        image.setPixel(a, 0);
        image.setPixel(b, 0);
        store.insert(name, image);
    };
    ink("bm4_", {17, 29}, {25, 35});
    ink("bm8U", {26, 4}, {34, 20});
    ink("bm2Z", {10, 12}, {30, 40});
    ink("bm2UX", {14, 2}, {30, 33});
    ink("bmDIAGLINE", {3, 3}, {4, 4});
    ink("bmGCLEF", {0, 0}, {0, 0});
    const InkBoxTable t = computeInkBoxes(store);
    EXPECT_EQ(t[25], (InkBox{17, 25, 29, 35}));
    EXPECT_EQ(t[28], (InkBox{17, 34, 4, 20})) << "the quaver's flag box starts at its head";
    EXPECT_EQ(t[51], (InkBox{10, 30, 12, 31})) << "only the bottom is fixed";
    EXPECT_EQ(t[228], (InkBox{14, 27, 2, 33})) << "only the right is fixed";
    EXPECT_EQ(t[3], (InkBox{0, 0, 0, 0}));
    EXPECT_EQ(t[36], InkBox{}) << "drawn apart from its bitmap";
    EXPECT_EQ(t[2], InkBox{}) << "no bitmap, no ink";
    EXPECT_EQ(t[103], (InkBox{8, 26, 27, 34}));
    EXPECT_EQ(t[244], (InkBox{42, 1, 65, 1}));
    EXPECT_EQ(GlyphInkBox(28).left, GlyphInkBox(25).left);
    EXPECT_EQ(GlyphInkBox(300), InkBox{});
}

TEST(DrawLine, OnPaperTheThinnestUprightLineIsTwoPixelsWideInBlack) {
    test::Recording page(20, 20);
    page.dc.HighResMode = true;
    page.dc.HiResOrigin = QPoint(1, 2);
    DrawLine(page.dc, 5, 2, 5, false, 0x0000FF, -1, 8);
    EXPECT_EQ(test::inked(page.dc.Printimage, page.dc.Printimage.rect(), 0), 2 * 18);
    EXPECT_EQ(test::inked(page.dc.Printimage, QRect(17, 8, 2, 18), 0), 2 * 18);
}

// The three cursors round (50, 40) in the configured colour, each stroke drawn by
// exclusive-or, so that the cursor drawn again is gone.
TEST(DrawCursor, EachShapeInTheCursorColourShowsAndHidesAndIsKeptInView) {
    const std::vector<std::vector<std::string>> strokes = {
        {"(36, 65)-(64, 65)", "(50, 65)-(50, 15)", "(36, 15)-(64, 15)"},
        {"(36, 65)-(64, 65)", "(36, 15)-(64, 15)", "(64, 15)-(64, 65)", "(36, 15)-(36, 65)"},
        {"(36, 15)-(43, 28)", "(57, 52)-(64, 65)", "(36, 65)-(43, 52)", "(57, 28)-(64, 15)"},
    };
    for (int type = 0; type < 3; ++type) {
        ColourSettings settings;
        settings.Cursor = 0x123456;
        test::Recording page(100, 100);
        page.dc.colours = coloursFrom(settings);
        QPoint scrolled;
        page.dc.scrollIntoView = [&](int x, int y) { scrolled = QPoint(x, y); };
        const QImage before = page.dc.MainImage.copy();
        DrawCursor(page.dc, 50, 40, 2, type);
        EXPECT_TRUE(page.dc.cursor.shown);
        EXPECT_EQ(QPoint(page.dc.cursor.x, page.dc.cursor.y), QPoint(50, 40));
        EXPECT_EQ(scrolled, QPoint(50, 40));
        test::Calls expected;
        for (const std::string& s : strokes[static_cast<std::size_t>(type)])
            expected.push_back("line " + s + " thickness 2 xor colour 123456");
        EXPECT_EQ(page.calls, expected) << type;
        const QRect all = page.dc.MainImage.rect();
        EXPECT_EQ(test::inked(page.dc.MainImage, all, 0x563412), test::inked(page.dc.MainImage, all)) << type;
        DrawCursor(page.dc, 50, 40, 2, type);
        EXPECT_FALSE(page.dc.cursor.shown);
        EXPECT_EQ(page.dc.MainImage, before) << type;
    }
}

struct Stamp {
    std::string name;
    QPoint offset; // from the left of the accidental's cell and the bottom of the text line
};

// The stamps of the flat, natural and sharp of one text at `points`.
std::vector<Stamp> stamps(int points) {
    const FontDesc desc{"Times New Roman", points, 0, 0};
    test::Recording page;
    DrawText(page.dc, {char(141), char(142), char(143)}, desc, false, 1, 0, 20, 20);
    const QFontMetrics metrics(TextFont(desc, 1));
    std::vector<Stamp> out;
    for (const std::string& call : test::only(page.calls, "accidental ")) {
        std::istringstream words(call.substr(11)); // "bmFLAT006 at (left, top)"
        Stamp s;
        std::string at;
        char c = 0;
        int left = 0, top = 0;
        words >> s.name >> at >> c >> left >> c >> top;
        const int cell =
            metrics.horizontalAdvance('M') + metrics.horizontalAdvance(QString(int(out.size()), 'd'));
        s.offset = QPoint(left - cell, top - metrics.height());
        out.push_back(s);
    }
    return out;
}

// The bitmaps come in seven sizes, each with its own place in the cell: a text's
// accidentals move exactly where their bitmaps change size. The golden pages show
// where they stand in each.
TEST(TextAccidentals, MoveWithinTheirCellsExactlyWhereTheirBitmapsChangeSize) {
    std::vector<Stamp> previous = stamps(4);
    ASSERT_EQ(previous.size(), 3u);
    int changes = 0;
    for (int points = 5; points <= 60; ++points) {
        const std::vector<Stamp> now = stamps(points);
        ASSERT_EQ(now.size(), 3u) << points;
        for (std::size_t k = 0; k < 3; ++k)
            EXPECT_EQ(now[k].name == previous[k].name, now[k].offset == previous[k].offset)
                << points << " points: " << now[k].name << " after " << previous[k].name;
        changes += now[0].name != previous[0].name;
        previous = now;
    }
    EXPECT_EQ(changes, 6);
    EXPECT_EQ(previous[2].name, "bmSHARP050");
}

} // namespace
} // namespace qv
