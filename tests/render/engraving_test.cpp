// What a player reads at a glance, measured in pixels: dots clear of flags and rests,
// ledger lines on the stave's grid, and a breve rest off the stave between two lines.

#include "drawtest.h"
#include "render/dispatch.h"
#include "render/glyphcatalogue.h"
#include "render/page.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// One stave (middle line at y 100) with one object, drawn on the screen or on paper.
QImage drawn(const ScoreObject& object, bool print, bool withStave = false) {
    Score score = test::makeScore(1);
    Stave& s = score.stave(1);
    s.Ycoord = 100, s.LeftX = 10, s.RightX = 190, s.PageNum = 1;
    test::append(s, object);
    DrawContext dc;
    dc.HighResMode = print;
    print ? dc.newPrintPage(200, 200) : dc.newScreenPage(200, 200);
    if (withStave) DrawStaveLines(dc, score, 1, 0x000000);
    DrawObject(dc, score, 1, 1, 0x000000, false);
    return print ? dc.Printimage : dc.MainImage;
}

// Whether any ink of `added` (the dotted drawing less the plain one) touches the plain one's ink.
bool touches(const QImage& plain, const QImage& dotted) {
    for (int y = 1; y + 1 < plain.height(); ++y)
        for (int x = 1; x + 1 < plain.width(); ++x) {
            if (test::rgb(dotted, x, y) == 0xFFFFFF || test::rgb(plain, x, y) != 0xFFFFFF) continue;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (test::rgb(plain, x + dx, y + dy) != 0xFFFFFF) return true;
        }
    return false;
}

TEST(Dots, StandClearOfFlagsAndRestsOnTheScreenAndOnPaper) {
    for (const bool print : {false, true}) {
        for (int duration = 4; duration <= 7; ++duration)
            for (const int position : {0, 1, -2, 3}) {
                ScoreObject note = test::makeNote(100, position, duration, 100);
                note.setStem(StemUp);
                note.setSymbolCode(NoteGlyphTable(duration, StemUp, 0));
                const QImage plain = drawn(note, print);
                note.setDots(1 + duration % 2);
                EXPECT_FALSE(touches(plain, drawn(note, print)))
                    << "duration " << duration << " position " << position << (print ? " print" : " screen");
            }
        for (int duration = 0; duration <= 7; ++duration) {
            ScoreObject rest = test::makeRest(100, duration);
            rest.setY(100 - (duration == 1 ? 8 : 0));
            const QImage plain = drawn(rest, print);
            rest.setDots(2);
            EXPECT_FALSE(touches(plain, drawn(rest, print))) << "rest " << duration << (print ? " print" : " screen");
        }
    }
}

// The rows of column x that carry ink.
std::vector<int> inkRows(const QImage& image, int x) {
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y)
        if (test::rgb(image, x, y) != 0xFFFFFF) rows.push_back(y);
    return rows;
}

TEST(LedgerLines, LieOnTheStavesGridAndFrameABreveRestOffTheStave) {
    ScoreObject high = test::makeNote(100, 6, 1, 100), low = test::makeNote(100, -6, 1, 100);
    high.setSymbolCode(NoteGlyphTable(1, StemUp, 0)), low.setSymbolCode(NoteGlyphTable(1, StemUp, 0));
    // Column 92 is clear of the head, so only lines cross it.
    EXPECT_EQ(inkRows(drawn(high, false, true), 92), (std::vector<int>{75, 83, 91, 99, 107, 115}));
    EXPECT_EQ(inkRows(drawn(low, false, true), 92), (std::vector<int>{83, 91, 99, 107, 115, 123}));
    ScoreObject breve = test::makeRest(100, 0);
    for (const auto& [position, lines] : {std::pair{-8, std::vector<int>{123, 131}}, {8, {75, 67}}}) {
        breve.setY(100 - 4 * position), breve.setStaffPosition(position);
        const std::vector<int> rows = inkRows(drawn(breve, false), 93);
        for (int line : lines)
            EXPECT_TRUE(std::ranges::count(rows, line) == 1) << "a line at " << line << " for a breve rest at " << position;
    }
}

// The first or last column with ink.
int inkEdge(const QImage& image, bool last) {
    int edge = last ? -1 : image.width();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (test::rgb(image, x, y) != 0xFFFFFF) edge = last ? std::max(edge, x) : std::min(edge, x);
    return edge;
}

TEST(Accidentals, EveryOneKeepsAClearGapBeforeTheHeadOfItsNote) {
    ScoreObject note = test::makeNote(100, 2, 3, 100);
    note.setStem(StemDown), note.setSymbolCode(NoteGlyphTable(3, StemDown, 0));
    for (const bool print : {false, true})
        for (int value = -2; value <= 2; ++value) {
            ScoreObject sign = makeObject(ObjectKind::Accidental, 92, 92);
            sign.setAccPosition(2), sign.setAccValue(value);
            const int gap = inkEdge(drawn(note, print), false) - inkEdge(drawn(sign, print), true) - 1;
            EXPECT_GE(gap, print ? 6 : 2) << "value " << value << (print ? " print" : " screen");
        }
}

TEST(Brackets, OfASystemWithAnInvisibleStavePrintWhole) {
    Score score = test::makeScore(2);
    for (int s : {1, 2}) {
        Stave& st = score.stave(s);
        st.Ycoord = 60 + 60 * (s - 1), st.LeftX = 40, st.RightX = 190, st.PageNum = 1, st.bracket = true;
    }
    score.stave(1).bracketWithNext = score.stave(1).joinToNext = true;
    score.stave(1).invisible = true;
    DrawContext dc;
    dc.HighResMode = true;
    dc.newPrintPage(200, 200);
    DrawPage(dc, score, 1);
    // The bracket's thick line, 3 left of the staves, from the top of the first to the bottom of the last.
    for (int y = 3 * 44 + 2; y < 3 * 136 - 2; ++y)
        ASSERT_NE(test::rgb(dc.Printimage, 3 * 37 + 1, y), 0xFFFFFFu) << "a gap in the bracket at print row " << y;
    EXPECT_EQ(test::inked(dc.Printimage, QRect(3 * 50, 3 * 40, 60, 3 * 40)), 0) << "the invisible stave's lines stay off paper";
}

} // namespace
} // namespace qv
