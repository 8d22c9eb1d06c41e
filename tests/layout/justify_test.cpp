// Justifying, compressing and cutting off a system: the arithmetic, the refusals
// and their messages, and over random systems that one Undo puts every stave back.

#include "layout/compress.h"
#include "layout/cutoff.h"
#include "layout/justify.h"
#include "model/ui.h"
#include "render/glyphinkbox.h"
#include "support/randomscore.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

namespace qv {
namespace {

using test::append;
using test::makeNote;

ScoreObject barLine(int x, int type = 0) {
    ScoreObject o = makeObject(ObjectKind::Barline);
    o.setX(x);
    o.setBarType(type);
    o.setSymbolCode(type == 2 ? 67 : type == 4 ? 69 : 39);
    return o;
}

ScoreObject stemless(ScoreObject note) {
    note.setStem(StemNone);
    return note;
}

// A system of `staves` staves from x 20 to 500, undo on.
Score system(int staves) {
    Score score = test::makeScore(staves);
    for (int s = 1; s <= staves; ++s) {
        score.stave(s).LeftX = 20;
        score.stave(s).RightX = 500;
        score.stave(s).joinToNext = s < staves;
    }
    score.undo.open(100);
    return score;
}

// The x of every object of stave s, in order.
std::vector<int> xs(const Score& score, int s) {
    std::vector<int> v;
    for (int i = 1; i <= score.stave(s).Nobjec; ++i)
        v.push_back(score.stave(s).object(i).x());
    return v;
}

TEST(Justify, StretchesEverythingRightOfTheCursorSoThatTheLastObjectReachesTheEnd) {
    Score score = system(2);
    append(score.stave(1), makeNote(60, 0));
    append(score.stave(1), makeNote(200, 0));
    append(score.stave(1), barLine(300));
    append(score.stave(2), makeNote(150, 0));
    append(score.stave(2), test::makeTextHead(250, 0, 1, "fine", TextImmobile));
    append(score.stave(2), barLine(300));
    test::ScriptedUi ui;
    ASSERT_TRUE(JustifyCheck(score, 2, ui));
    ASSERT_TRUE(Justify(score, 2, 100, ui));
    EXPECT_TRUE(ui.messages.empty());
    // From 100 to a last object at 300 and an end at 500: every distance doubles.
    EXPECT_EQ(xs(score, 1), (std::vector<int>{60, 300, 500}));
    EXPECT_EQ(xs(score, 2), (std::vector<int>{200, 250, 500})); // the immobile text stays
    EXPECT_TRUE(score.modified);

    // Nothing beyond the cursor: refused, nothing recorded.
    const int live = score.undo.live();
    EXPECT_FALSE(Justify(score, 1, 500, ui));
    EXPECT_EQ(ui.lastText(), NothingBeyondCursor);
    EXPECT_EQ(score.undo.live(), live);
}

TEST(Justify, AChordsStemlessNoteKeepsItsDistanceToItsStemmedNote) {
    Score score = system(1);
    Stave& st = score.stave(1);
    append(st, makeNote(100, 2));           // stemmed, at the cursor: stays
    append(st, stemless(makeNote(103, 4))); // its chord partner
    append(st, makeNote(200, 0));
    append(st, stemless(makeNote(203, 2)));
    append(st, barLine(300));
    test::ScriptedUi ui;
    ASSERT_TRUE(Justify(score, 1, 100, ui));
    EXPECT_EQ(xs(score, 1), (std::vector<int>{100, 103, 300, 303, 500}));
}

TEST(Justify, TheCheckWantsABarLineThatOpensNoRepeatAtTheEnd) {
    struct Case {
        ScoreObject last;
        const char* message; // nullptr: accepted
    };
    const std::vector<Case> cases = {
        {barLine(400), nullptr},
        {barLine(400, 3), nullptr},
        {test::makeTextHead(400, 0, 1, "D.C.", TextImmobile), nullptr},
        {barLine(400, 2), JustifyRepeatAtEnd},
        {barLine(400, 4), JustifyRepeatAtEnd},
        {test::makeShortText(400, 0, 1, "rit."), JustifyTextAtEnd},
        {test::makeTextHead(400, 0, 1, "a tempo"), JustifyTextAtEnd},
        {makeNote(400, 0), JustifyNeedsBarLine},
    };
    for (const Case& c : cases) {
        Score score = system(2);
        append(score.stave(1), barLine(300));
        append(score.stave(2), c.last);
        test::ScriptedUi ui;
        EXPECT_EQ(JustifyCheck(score, 1, ui), c.message == nullptr);
        EXPECT_EQ(ui.lastText(), c.message ? c.message : "");
    }
    Score empty = system(1);
    test::ScriptedUi ui;
    EXPECT_FALSE(JustifyCheck(empty, 1, ui));
    EXPECT_EQ(ui.lastText(), JustifyNeedsBarLine);
}

TEST(Compress, LeftWithHalfScaleHalvesEmptyColumnsAndKeepsInkWhole) {
    Score score = system(2);
    const int lcl = 0;
    append(score.stave(1), makeNote(150, 0));
    append(score.stave(1), makeNote(260, 0));
    append(score.stave(2), makeNote(200, 0));
    append(score.stave(2), makeNote(450, 0)); // beyond the press: stays
    const ColumnMap map = systemColumns(score, 1, lcl);
    const int leftX = 20;
    int s = 400; // the press, where an even number of columns is free to its left
    if (((s - leftX) - map.count(leftX, s)) % 2 != 0) ++s;
    const int n = map.count(leftX, s);
    const int free = (s - leftX) - n;
    const int r = leftX + n + free / 2; // target = free / 2: f = 0.5
    // What lies between two x on the old page, in occupied and empty columns.
    auto expectedGap = [&](int a, int b) {
        const int inked = map.count(a, b - 1);
        return inked + 0.5 * ((b - a) - inked);
    };
    test::ScriptedUi ui;
    const CompressLimit limit = compressLimit(score, 1, s, CompressDirection::Left, lcl);
    ASSERT_TRUE(limit.possible);
    EXPECT_EQ(limit.x, leftX + n);
    ASSERT_TRUE(Compress(score, 1, s, r, CompressDirection::Left, lcl, ui));
    EXPECT_TRUE(ui.messages.empty());
    const int a = score.stave(1).object(1).x(), b = score.stave(1).object(2).x();
    const int c = score.stave(2).object(1).x();
    EXPECT_NEAR(a - leftX, expectedGap(leftX, 150), 1.0);
    EXPECT_NEAR(b - a, expectedGap(150, 260), 1.0);
    EXPECT_NEAR(c - a, expectedGap(150, 200), 1.0);
    const InkBox head = GlyphInkBox(25);
    EXPECT_GT(b - a, head.right - head.left); // the heads never overlap
    EXPECT_EQ(score.stave(2).object(2).x(), 450);
}

TEST(Compress, RefusalsShowTheirReasonAndRecordNothing) {
    Score score = system(1);
    append(score.stave(1), makeNote(300, 0));
    test::ScriptedUi ui;
    EXPECT_FALSE(Compress(score, 1, 300, 250, CompressDirection::None, 80, ui));
    EXPECT_EQ(ui.lastText(), NoCompressDirection);
    // Everything left of 120 is protected, so no space is free there.
    EXPECT_FALSE(Compress(score, 1, 100, 60, CompressDirection::Left, 100, ui));
    EXPECT_EQ(ui.lastText(), TooLittleSpace);
    EXPECT_FALSE(compressLimit(score, 1, 400, CompressDirection::Right, 80).possible);
    EXPECT_EQ(score.undo.live(), 0);
    EXPECT_FALSE(score.modified);
}

TEST(CutOff, RefusesToLeaveStaffBoundObjectsOutsideAndNamesTheStave) {
    Score score = system(3);
    append(score.stave(2), barLine(300));
    append(score.stave(3), test::makeShortText(460, 0, 1, "x")); // not staff-bound
    test::ScriptedUi ui;
    EXPECT_FALSE(CutOff(score, 1, 350, CutSide::Left, ui));
    EXPECT_EQ(ui.lastText(), "Objects beyond current cursor position on stave 2.\nCannot chop here");
    EXPECT_FALSE(CutOff(score, 3, 299, CutSide::Right, ui));
    EXPECT_EQ(ui.lastText(), "Objects beyond current cursor position on stave 2.\nCannot chop here");
    EXPECT_EQ(score.undo.live(), 0);
    EXPECT_TRUE(CutOff(score, 1, 300, CutSide::Right, ui));
    EXPECT_TRUE(CutOff(score, 1, 299, CutSide::Left, ui));
    for (int s = 1; s <= 3; ++s) {
        EXPECT_EQ(score.stave(s).LeftX, 299);
        EXPECT_EQ(score.stave(s).RightX, 300);
    }
    // The ends may not cross.
    EXPECT_FALSE(CutOff(score, 1, 300, CutSide::Left, ui));
}

// Over random systems every operation either refuses and leaves the score as it
// was, or is taken back byte for byte by one Undo.
TEST(SystemOperations, OneUndoRestoresEveryStave) {
    std::mt19937 rng(4317);
    int done = 0;
    for (int round = 0; round < 60; ++round) {
        Score score = test::randomScore(rng);
        score.undo.open(100);
        std::uniform_int_distribution<int> staveOf(1, score.Nstaves);
        std::uniform_int_distribution<int> xOf(-20, 700);
        std::vector<Stave> before;
        for (int s = 0; s <= score.Nstaves; ++s)
            before.push_back(score.stave(s));
        test::ScriptedUi ui;
        const int s = staveOf(rng);
        const int op = round % 4;
        bool changed = false;
        if (op == 0)
            changed = Justify(score, s, xOf(rng), ui);
        else if (op == 1)
            changed = CutOff(score, s, xOf(rng), round % 8 < 4 ? CutSide::Left : CutSide::Right, ui);
        else {
            const auto direction = op == 2 ? CompressDirection::Left : CompressDirection::Right;
            changed = Compress(score, s, xOf(rng), xOf(rng), direction, 40, ui);
        }
        if (changed) {
            ++done;
            ASSERT_GE(score.undo.undoStep(score, ui), 1) << "round " << round;
        }
        EXPECT_EQ(score.undo.live(), 0) << "round " << round;
        for (int t = 0; t <= score.Nstaves; ++t)
            ASSERT_TRUE(score.stave(t) == before[static_cast<std::size_t>(t)])
                << "round " << round << " stave " << t;
    }
    EXPECT_GT(done, 20);
}

} // namespace
} // namespace qv
