// Text through the scratch bitmap: the special characters, the fonts at three
// times, the long-text attributes and the box. Needs a QGuiApplication for fonts.

#include "render/text.h"
#include "render/textmetrics.h"
#include "support/scorebuilder.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

#include <algorithm>

namespace qv {
namespace {

const std::string SharpC = std::string("C") + char(143);

FontDesc serif(int size) {
    return FontDesc{"Times New Roman", size, 0, 0};
}

struct Page {
    Score score = test::makeScore(1);
    DrawContext dc;
    std::vector<std::string> calls;
    Page() {
        dc.record = &calls;
        dc.newScreenPage(300, 200);
        dc.newPrintPage(300, 200);
        score.fonts.setFont(1, serif(12));
        score.fonts.setFont(2, serif(20));
    }
    int add(const ScoreObject& o) { return test::append(score.stave(1), o); }
    // Pixels of `image` in `rect` that are not white, and those of one colour.
    static int ink(const QImage& image, QRect rect, int only = -1) {
        int n = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x) {
                const QRgb c = image.pixel(x, y) & 0xFFFFFF;
                n += c != 0xFFFFFF && (only < 0 || c == static_cast<QRgb>(only));
            }
        return n;
    }
    int screenInk(QRect r = {0, 0, 300, 200}) const { return ink(dc.MainImage, r); }
    std::vector<std::string> accidentals() const {
        std::vector<std::string> out;
        for (const std::string& c : calls)
            if (c.rfind("accidental ", 0) == 0) out.push_back(c.substr(11, c.find(' ', 11) - 11));
        return out;
    }
};

// 0x00BBGGRR to the QRgb the image holds.
int rgb(ColourValue c) {
    return static_cast<int>(toQColor(c).rgb() & 0xFFFFFF);
}

TEST(TextSpecials, AccidentalsAreTheSizedBitmapsInACellAsWideAsD) {
    const QFont font = TextFont(serif(12), 1);
    const int wC = TextWidthSpecial(font, "C"), wCd = TextWidthSpecial(font, "Cd");
    EXPECT_EQ(TextWidthSpecial(font, SharpC), wCd);
    EXPECT_EQ(TextWidthSpecial(font, std::string("C") + char(30) + char(141)), TextWidthSpecial(font, "Cdd"));

    Page p;
    DrawText(p.dc, SharpC, serif(12), false, 1, 0, 50, 40);
    const QRect cell(40 + wC, 30, wCd - wC, 50);
    const int sharpInk = p.screenInk(cell);
    EXPECT_GT(sharpInk, 20);
    EXPECT_EQ(p.accidentals(), std::vector<std::string>{"bmSHARP015"});

    // Character 30 keeps its cell blank; the letter before it is drawn.
    Page q;
    DrawText(q.dc, std::string("C") + char(30), serif(12), false, 1, 0, 50, 40);
    EXPECT_EQ(q.screenInk(cell), 0);
    EXPECT_GT(q.screenInk(QRect(40, 30, wC, 50)), 20);
    EXPECT_TRUE(q.accidentals().empty());

    // The sharp bitmap is not the letter d.
    Page r;
    DrawText(r.dc, "Cd", serif(12), false, 1, 0, 50, 40);
    EXPECT_NE(r.dc.MainImage.copy(cell), p.dc.MainImage.copy(cell));
}

TEST(TextSpecials, BitmapSizeFollowsThePointSizeAlsoAtThreeTimes) {
    const std::string all = std::string("x") + char(141) + char(142) + char(143);
    Page p;
    DrawText(p.dc, all, serif(19), false, 1, 0, 20, 20);
    DrawText(p.dc, all, serif(20), false, 1, 0, 20, 20);
    DrawText(p.dc, all, serif(7), false, 1, 0, 20, 20);
    DrawText(p.dc, all, serif(19), false, 3, 0, 20, 20);
    const std::vector<std::string> expected{"bmFLAT015",  "bmNAT015",   "bmSHARP015", "bmFLAT026",
                                            "bmNAT026",   "bmSHARP026", "bmFLAT006",  "bmNAT006",
                                            "bmSHARP006", "hbmFLAT015", "hbmNAT015",  "hbmSHARP015"};
    EXPECT_EQ(p.accidentals(), expected);
}

TEST(TextSpecials, OffsetsAreThreeTimesLargerAtThreeTimes) {
    // The sharp of a 12-point text sits 3 right of its cell and 38 above the line's
    // bottom; at three times both are multiplied by 3.
    for (int scale : {1, 3}) {
        Page p;
        DrawText(p.dc, SharpC, serif(12), false, scale, 0, 20, 20);
        const QFont font = TextFont(serif(12), scale);
        const QFontMetrics m(font);
        const int left = m.horizontalAdvance('M') + TextWidthSpecial(font, "C") + 3 * scale;
        const int top = m.height() - 38 * scale;
        const std::string name = scale == 3 ? "hbmSHARP015" : "bmSHARP015";
        EXPECT_NE(std::find(p.calls.begin(), p.calls.end(),
                            "accidental " + name + " at (" + std::to_string(left) + ", " +
                                std::to_string(top) + ")"),
                  p.calls.end())
            << scale;
    }
}

TEST(TextFonts, ThreeTimesTheSizeLessTwoPointsOnThePrintImage) {
    EXPECT_EQ(TextFont(serif(12), 1).pixelSize(), screenPixelSize(12));
    EXPECT_EQ(TextFont(serif(12), 3).pixelSize(), screenPixelSize(34));
    EXPECT_EQ(TextFont(serif(20), 3).pixelSize(), screenPixelSize(58));
    // Times New Roman resolves to a metric twin, not a fallback of another width.
    EXPECT_EQ(QFontInfo(TextFont(serif(12), 1)).family(), "Liberation Serif");

    // The print image text lands at three times the page position plus the origin.
    Page p;
    p.dc.HiResOrigin = QPoint(6, 9);
    DrawText(p.dc, "Il", serif(12), false, 3, 0, 20, 30);
    const QImage& print = p.dc.Printimage;
    EXPECT_EQ(Page::ink(print, QRect(0, 0, 96, 600)), 0);
    EXPECT_GT(Page::ink(print, QRect(96, 69, 30, 60), 0), 100);
    EXPECT_EQ(Page::ink(print, QRect(0, 0, 900, 69)), 0);
}

TEST(TextDrawing, ColourTransparentBackgroundAndExclusiveOr) {
    Page p;
    p.dc.MainImage.setPixel(45, 45, qRgb(1, 2, 3));
    const QImage before = p.dc.MainImage.copy();
    DrawText(p.dc, "Allegro", serif(12), false, 1, 0x0000FF, 40, 40);
    const QRect box(30, 30, 100, 40);
    EXPECT_GT(Page::ink(p.dc.MainImage, box, rgb(0x0000FF)), 50);
    EXPECT_EQ(Page::ink(p.dc.MainImage, box), Page::ink(p.dc.MainImage, box, rgb(0x0000FF)) + 1);
    EXPECT_EQ(p.dc.MainImage.pixel(45, 45) & 0xFFFFFF, qRgb(1, 2, 3) & 0xFFFFFFu);

    Page q;
    q.dc.MainImage = before.copy();
    const std::string text = std::string("F") + char(141) + "ancy";
    DrawText(q.dc, text, serif(12), true, 1, 0x008000, 40, 40);
    EXPECT_NE(q.dc.MainImage, before);
    DrawText(q.dc, text, serif(12), true, 1, 0x008000, 40, 40);
    EXPECT_EQ(q.dc.MainImage, before);
}

TEST(ShortText, DrawsItsStringInItsFont) {
    Page p;
    DrawShortText(p.dc, p.score, 1, test::makeShortText(50, 40, 2, "Allegro"), 0, false);
    EXPECT_EQ(p.calls[0], "text \"Allegro\" at (50, 40) font 2 colour 000000");
    p.calls.clear();
    p.dc.HighResMode = true;
    DrawShortText(p.dc, p.score, 1, test::makeShortText(50, 40, 1, "Allegro"), 0x0000FF, true);
    EXPECT_EQ(p.calls[0], "text \"Allegro\" at (50, 40) font 1 scale 3");
    EXPECT_GT(Page::ink(p.dc.Printimage, QRect(0, 0, 900, 600), 0), 100);
}

TEST(LongText, ChunksDrawAsOneStringFromTheHead) {
    Page p;
    Stave& s = p.score.stave(1);
    const int head = p.add(test::makeTextHead(30, 60, 1, "Andante co"));
    ScoreObject chunk = makeObject(ObjectKind::LongText, 0, 0);
    chunk.setTextAttributes(TextContinuation);
    chunk.setChunkText("n moto e l");
    const int second = p.add(chunk);
    chunk.setChunkText("eg");
    const int third = p.add(chunk);
    s.object(head).setTextNext(second);
    s.object(second).setTextNext(third);
    DrawLongText(p.dc, p.score, 1, second, 0, false); // a continuation draws nothing
    EXPECT_TRUE(p.calls.empty());
    DrawLongText(p.dc, p.score, 1, head, 0, false);
    EXPECT_EQ(p.calls,
              std::vector<std::string>{"text \"Andante con moto e leg\" at (30, 60) font 1 colour 000000"});
}

TEST(LongText, UniversalAndNonPrintingColoursOnScreenOnly) {
    Page p;
    const int universal = p.add(test::makeTextHead(20, 40, 1, "Title", TextUniversal));
    const int hidden = p.add(test::makeTextHead(20, 100, 1, "cue", TextNonPrinting | TextUniversal));
    DrawLongText(p.dc, p.score, 1, universal, p.dc.colours.Ink, false);
    DrawLongText(p.dc, p.score, 1, hidden, p.dc.colours.Ink, false);
    EXPECT_GT(Page::ink(p.dc.MainImage, QRect(10, 30, 100, 40), rgb(p.dc.colours.UniversalText)), 30);
    EXPECT_GT(Page::ink(p.dc.MainImage, QRect(10, 90, 100, 40), rgb(Lime)), 20);
    EXPECT_EQ(p.calls[1], "text \"cue\" at (20, 100) font 1 colour 00FF00");

    // A selection colour is used as given, so that the selection shows.
    p.calls.clear();
    DrawLongText(p.dc, p.score, 1, hidden, p.dc.colours.Edit, true);
    EXPECT_EQ(p.calls[0], "text \"cue\" at (20, 100) font 1 xor colour 0000FF");

    // In print the universal text is black and the non-printing one absent.
    p.calls.clear();
    p.dc.HighResMode = true;
    DrawLongText(p.dc, p.score, 1, universal, p.dc.colours.Ink, false);
    DrawLongText(p.dc, p.score, 1, hidden, p.dc.colours.Ink, false);
    EXPECT_EQ(p.calls, std::vector<std::string>{"text \"Title\" at (20, 40) font 1 scale 3"});
    EXPECT_GT(Page::ink(p.dc.Printimage, QRect(30, 90, 300, 120), 0), 100);
    EXPECT_EQ(Page::ink(p.dc.Printimage, QRect(0, 270, 900, 330)), 0);
}

TEST(LongText, BoxedTextHasASpaceOfMarginEitherSide) {
    Page p;
    const std::string text = std::string("in B") + char(141);
    const int head = p.add(test::makeTextHead(60, 50, 1, text, TextBoxed));
    DrawLongText(p.dc, p.score, 1, head, 0, false);
    const QFont font = TextFont(serif(12), 1);
    const int sw = QFontMetrics(font).horizontalAdvance(' ');
    const int tw = TextWidthSpecial(font, text), h = QFontMetrics(font).height();
    ASSERT_EQ(p.calls.size(), 6u); // text, one accidental, four sides
    EXPECT_EQ(p.calls[2], "line (" + std::to_string(60 - sw) + ", 50)-(" + std::to_string(60 + tw + sw) +
                              ", 50) thickness 1 colour 000000");
    EXPECT_EQ(p.calls[3], "line (" + std::to_string(60 + tw + sw) + ", 50)-(" + std::to_string(60 + tw + sw) +
                              ", " + std::to_string(50 + h) + ") thickness 1 colour 000000");
    // The frame's left side is clear of the text by the space.
    EXPECT_EQ(p.screenInk(QRect(60 - sw + 1, 51, sw - 1, h - 2)), 0);
    EXPECT_GT(p.screenInk(QRect(60 - sw, 51, 1, h - 2)), h - 4);
}

} // namespace
} // namespace qv
