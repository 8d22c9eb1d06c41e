// Text as a musician reads it: chord names with their accidentals as one word, even
// letter spacing, on the screen and on paper; the header/footer page's texts.

#include "drawtest.h"
#include "render/glyphcatalogue.h"
#include "render/glyphstore.h"
#include "render/headerfooter.h"
#include "render/page.h"
#include "render/text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace qv {
namespace {

constexpr char Blank = char(30);

// The box of the pixels that differ between two images, or of all the ink of one.
QRect inkBox(const QImage& a, const QImage& b = {}) {
    QRect box;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (b.isNull() ? test::rgb(a, x, y) != 0xFFFFFF : a.pixel(x, y) != b.pixel(x, y)) box |= QRect(x, y, 1, 1);
    return box;
}

// `text` in Times New Roman at (10, 10) page units, on the screen (scale 1) or on paper (3).
QImage drawn(const std::string& text, int points, int scale) {
    test::Recording r(scale == 3 ? 240 : 500, 130);
    r.dc.record = nullptr;
    DrawText(r.dc, text, {"Times New Roman", points, 0, 0}, false, scale, 0x000000, 10, 10);
    return scale == 3 ? r.dc.Printimage : r.dc.MainImage;
}

// "F#m", "Bbm", "E(natural)m" at the bottom, middle and top of each size band: the sign's
// ink is whole, follows its letter's ink within one screen pixel (three on paper) without
// overlapping the next letter, and stands on the line: a flat's bowl on the baseline, a
// sharp or natural centred on the capital beside it.
TEST(TextAccidentals, StandBesideTheirLetterWholeOnTheLineOnScreenAndPaper) {
    for (const int scale : {1, 3})
        for (const int points : {6, 8, 11, 12, 16, 20, 24, 29, 36, 45, 60})
            for (const auto& [letter, sign] : {std::pair{'F', char(143)}, {'B', char(141)}, {'E', char(142)}}) {
                const std::string at = std::to_string(points) + "pt " + letter + " scale " + std::to_string(scale);
                const QImage with = drawn({letter, sign, 'm'}, points, scale);
                const QRect ink = inkBox(with, drawn({letter, Blank, 'm'}, points, scale));
                const QRect before = inkBox(drawn({letter}, points, scale));
                const QRect after = inkBox(with, drawn({letter, sign}, points, scale));
                const GlyphBitmap& bitmap = GlyphStore::builtIn().find(
                    AccidentalBitmapName(scale * points, static_cast<unsigned char>(sign), scale == 3));
                int top = bitmap.height(), bottom = -1;
                for (const GlyphBitmap::Run& run : bitmap.runs()) top = std::min(top, run.row), bottom = run.row;
                EXPECT_EQ(ink.height(), bottom - top + 1) << at << ": cut";
                const int gap = ink.left() - before.right() - 1;
                EXPECT_TRUE(gap >= 0 && gap <= scale) << at << ": gap " << gap;
                // Below 11 points the paper's signs are wider than the cell of "d".
                EXPECT_TRUE((scale == 3 && points < 11) || after.left() > ink.right()) << at << ": overlaps";
                if (sign == char(141))
                    EXPECT_LE(std::abs(ink.bottom() - before.bottom()), scale / 3) << at << ": off the baseline";
                else
                    EXPECT_LE(std::abs(ink.center().y() - before.center().y()), scale) << at << ": off centre";
            }
}

// Letters are fitted to whole pixels, so a text is spaced alike drawn whole or in runs
// between special characters, and "Allegretto" keeps its letters together.
TEST(TextSpacing, EvenDrawnWholeOrAroundSpecialCharactersOnScreenAndPaper) {
    for (const int scale : {1, 3})
        for (const int points : {10, 12, 14, 20}) {
            const QImage whole = drawn("Allegretto", points, scale);
            EXPECT_EQ(whole, drawn(std::string("Allegretto") + Blank, points, scale))
                << points << "pt scale " << scale;
            QImage previous = drawn("", points, scale);
            int right = -1;
            for (std::size_t n = 1; n <= 10; ++n) { // letter by letter, gaps of at most two pixels on the screen
                const QImage now = drawn(std::string("Allegretto").substr(0, n), points, scale);
                const QRect letter = inkBox(now, previous);
                if (scale == 1 && right >= 0) {
                    EXPECT_LE(letter.left() - right - 1, 2) << points << "pt letter " << n;
                }
                right = letter.right(), previous = now;
            }
        }
}

// On the screen the header/footer page draws its stave in the universal text colour; a
// non-printing text there still shows in lime. "@F" gives the full path of a score named
// relative to the working folder.
TEST(HeaderFooterPage, NonPrintingTextInLimeAndTheFullPathOfTheScore) {
    Score score = test::makeScore(1);
    score.stave(0).MinY = 0, score.stave(0).MaxY = 30;
    test::append(score.stave(0), test::makeTextHead(20, 10, 1, "note", TextUniversal | TextNonPrinting));
    test::append(score.stave(0), test::makeTextHead(80, 10, 1, "title", TextUniversal));
    test::Recording r(700, 1000);
    r.dc.colours.UniversalText = 0x123456;
    DrawPage(r.dc, score, 0);
    const test::Calls texts = test::only(r.calls, "text \"");
    ASSERT_GE(texts.size(), 2u);
    EXPECT_NE(texts[0].find("colour 00FF00"), std::string::npos) << texts[0];
    EXPECT_NE(texts[1].find("colour 123456"), std::string::npos) << texts[1];

    const std::string name = "texts_test_score.QVR";
    std::ofstream(name) << "x";
    const HeaderFooterFields f = headerFooterFields(2, name, QDateTime::currentDateTime());
    std::filesystem::remove(name);
    EXPECT_EQ(f.fullPath, (std::filesystem::current_path() / name).string());
    EXPECT_EQ(f.name, name);
    EXPECT_EQ(headerFooterFields(2, "NONAME1", QDateTime::currentDateTime()).fullPath, "NONAME1");
}

} // namespace
} // namespace qv
