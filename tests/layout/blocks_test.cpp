// Block marking and the copy, move and delete operations: the box's edges, whole
// curves, beams in part, a move to the next system, bar lines kept, and on random
// scores that every operation leaves the links whole and is undone in one step.

#include "layout/blocks.h"
#include "layout/tidystave.h"
#include "model/linkcheck.h"
#include "support/randomscore.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

namespace qv {
namespace {

using test::append;
using test::makeNote;

void expectLinksWhole(const Score& score) {
    for (int s = 1; s <= score.Nstaves; ++s)
        for (const std::string& broken : brokenLinks(score.stave(s)))
            ADD_FAILURE() << "stave " << s << ": " << broken;
}

const ScoreObject& firstOf(const Stave& s, ObjectKind kind) {
    for (int i = 1; i <= s.Nobjec; ++i)
        if (s.object(i).is(kind)) return s.object(i);
    throw std::runtime_error("no such object");
}

TEST(MarkBox, EdgesWholeCurvesAndWholeTexts) {
    Score score = test::makeScore(1);
    test::ScriptedUi ui;
    Stave& st = score.stave(1);
    // Symbols on the left, top, right and bottom edges and just inside the far corner.
    for (auto [x, y] : {std::pair{100, 20}, {150, 10}, {200, 30}, {150, 50}, {199, 49}})
        append(st, makeObject(ObjectKind::Symbol, x, y));
    // A curve with its last point outside (6..8), one wholly inside (9..11), a long
    // text whose chunk lies outside (12, 13) and a chunk on its own inside (14).
    for (int c = 0; c < 2; ++c) {
        const int a = append(st, makeObject(ObjectKind::CurvePoint, 110 + 40 * c, 20));
        append(st, makeObject(ObjectKind::CurvePoint, 120 + 40 * c, 20));
        append(st, makeObject(ObjectKind::CurvePoint, c == 0 ? 400 : 180, 20));
        for (int k : {0, 1})
            st.object(a + k).setCurveNext(a + k + 1), st.object(a + k + 1).setCurvePrev(a + k);
    }
    st.object(append(st, test::makeTextHead(130, 30, 1, "0123456789"))).setTextNext(13);
    append(st, test::makeTextHead(500, 30, 1, "xy", TextContinuation));
    append(st, test::makeTextHead(140, 30, 1, "zz", TextContinuation));

    BlockState block;
    ASSERT_TRUE(markBox(score, block, BlockBox::spanning(200, 50, 100, 10), 1, ui));
    EXPECT_EQ(score.marked[1].to_string().substr(256 - 15), "011111000100110");
    EXPECT_TRUE(block.has(ObjectKind::Symbol) && block.freePlacing());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.lastText(), IncompleteCurveMessage);

    ui.messages.clear();
    EXPECT_FALSE(markBox(score, block, BlockBox::spanning(0, 100, 50, 120), 1, ui));
    EXPECT_TRUE(score.marked[1].none() && ui.messages.empty());
}

TEST(CopyBlock, PartOfABeamedGroupKeepsOnlyItsInnerBeams) {
    Score score = test::makeScore(1);
    score.undo.open(10);
    test::ScriptedUi ui;
    Stave& st = score.stave(1);
    for (int x : {100, 130, 160})
        append(st, makeNote(x, 0, 4, st.Ycoord));
    for (int i : {1, 2})
        st.object(i).setBeamForward(i + 1), st.object(i + 1).setBeamBack(i);
    const Stave before = st;
    for (const auto& [right, beamedCopies] : {std::pair{145, 2}, std::pair{115, 0}}) {
        BlockState block;
        ASSERT_TRUE(markBox(score, block, BlockBox::spanning(90, 0, right, 80), 1, ui));
        block.targetX += 300;
        ASSERT_TRUE(copyBlock(score, block, false, ui));
        expectLinksWhole(score);
        int beamed = 0;
        for (int i = 1; i <= st.Nobjec; ++i)
            beamed += st.object(i).x() >= 400 && (st.object(i).beamBack() || st.object(i).beamForward());
        EXPECT_EQ(beamed, beamedCopies);
        EXPECT_GT(score.undo.undoStep(score, ui), 0);
        EXPECT_EQ(st, before);
    }
}

TEST(MoveBlock, OneSystemDownNotesKeepTheirPositionsFreeObjectsTheirOffset) {
    Score score = test::makeScore(4);
    test::ScriptedUi ui;
    score.stave(1).joinToNext = score.stave(3).joinToNext = true; // systems 1-2 and 3-4
    Stave& st = score.stave(1);
    append(st, makeNote(100, 3, 3, st.Ycoord));
    append(st, test::makeShortText(110, st.Ycoord - 30, 1, "dolce"));
    append(st, makeObject(ObjectKind::Hairpin, 120, st.Ycoord + 20));
    append(score.stave(2), makeNote(100, -2, 3, score.stave(2).Ycoord));

    BlockState block;
    ASSERT_TRUE(markBox(score, block, BlockBox::spanning(90, 0, 200, 150), 1, ui));
    ASSERT_TRUE(stepTargetSystem(score, block, +1, ui));
    EXPECT_EQ(block.targetFirst, 3);
    EXPECT_EQ(block.targetY, block.sourceY + score.stave(3).Ycoord - score.stave(1).Ycoord);
    block.targetX += 50;
    block.targetY += 7; // the drop point a little lower still
    ASSERT_TRUE(copyBlock(score, block, true, ui));
    expectLinksWhole(score);
    EXPECT_EQ(score.stave(1).Nobjec + score.stave(2).Nobjec, 0);
    const Stave& three = score.stave(3);
    EXPECT_EQ(firstOf(three, ObjectKind::Note).staffPosition(), 3);
    EXPECT_EQ(firstOf(three, ObjectKind::Note).y(), three.Ycoord - 12);
    EXPECT_EQ(firstOf(three, ObjectKind::Note).x(), 150);
    EXPECT_EQ(firstOf(three, ObjectKind::ShortText).y(), three.Ycoord - 30 + 7);
    EXPECT_EQ(firstOf(three, ObjectKind::Hairpin).y(), three.Ycoord + 20 + 7);
    EXPECT_EQ(firstOf(score.stave(4), ObjectKind::Note).y(), score.stave(4).Ycoord + 8);
    EXPECT_FALSE(stepTargetSystem(score, block, +1, ui)); // no system below
    EXPECT_EQ(ui.lastText(), CannotFitBlockMessage);
    // Put down so far left that its note would fall before the stave's start, the
    // block is refused rather than losing the note to the tidy.
    ASSERT_TRUE(markBox(score, block, BlockBox::spanning(140, 0, 200, 150), 1, ui));
    const Stave before = score.stave(3);
    block.targetX = block.sourceX - 200;
    EXPECT_FALSE(copyBlock(score, block, true, ui));
    EXPECT_EQ(ui.lastText(), BlockBeyondStaveMessage);
    EXPECT_TRUE(score.stave(3) == before);
}

TEST(DeleteBlock, BarLinesStayWhenTheAnswerIsNo) {
    Score score = test::makeScore(2);
    test::ScriptedUi ui;
    for (int s : {1, 2})
        for (auto kind : {ObjectKind::Note, ObjectKind::Barline, ObjectKind::Note})
            append(score.stave(s), makeObject(kind, 100 + 50 * score.stave(s).Nobjec, score.stave(s).Ycoord));
    BlockState block;
    ASSERT_TRUE(markBox(score, block, BlockBox::spanning(0, 0, 600, 200), 1, ui));
    ui.buttonAnswers = {ButtonNo};
    ASSERT_TRUE(deleteBlock(score, block, ui));
    EXPECT_EQ(ui.lastText(), DeleteBarLinesQuestion);
    for (int s : {1, 2}) {
        ASSERT_EQ(score.stave(s).Nobjec, 1);
        EXPECT_TRUE(score.stave(s).object(1).is(ObjectKind::Barline));
    }
}

TEST(Blocks, RandomOperationsKeepLinksWholeAndUndoInOneStep) {
    std::mt19937 rng(20261207);
    const auto pick = [&](int a, int b) {
        return std::uniform_int_distribution<int>(std::min(a, b), std::max(a, b))(rng);
    };
    int changes = 0;
    for (int round = 0; round < 40; ++round) {
        Score score =
            test::randomScore(rng, {.minStaves = 2, .maxStaves = 6, .maxObjectsPerStave = 60, .maxFonts = 3});
        for (int s = 1; s <= score.Nstaves; ++s)
            score.stave(s).PageNum = 1, TidyStave(score.stave(s));
        score.undo.open(100);
        test::ScriptedUi ui;
        const int top = score.stave(1).MinY - 20, bottom = score.stave(score.Nstaves).MaxY + 20;
        for (int op = 0; op < 5; ++op) {
            std::vector<Stave> kept;
            for (int s = 0; s <= score.Nstaves; ++s)
                kept.push_back(score.stave(s));
            BlockState block;
            if (!markBox(
                    score, block,
                    BlockBox::spanning(pick(-50, 800), pick(top, bottom), pick(-50, 800), pick(top, bottom)),
                    1, ui))
                continue;
            const int kind = pick(0, 2);
            bool changed = false;
            if (kind == 2) {
                ui.buttonAnswers = {pick(0, 1) ? ButtonYes : ButtonNo};
                changed = deleteBlock(score, block, ui);
            } else {
                moveTargetByStaves(score, block, pick(1 - block.first, score.Nstaves - block.last), ui);
                block.targetX += pick(-100, 100);
                block.targetY += pick(-40, 40);
                changed = copyBlock(score, block, kind == 1, ui);
            }
            expectLinksWhole(score);
            releaseBlock(score, block);
            if (!changed) continue;
            ++changes;
            ASSERT_GE(score.undo.undoStep(score, ui), 1) << ui.lastText();
            for (int s = 0; s <= score.Nstaves; ++s)
                EXPECT_EQ(score.stave(s), kept[static_cast<std::size_t>(s)]) << s;
        }
    }
    EXPECT_GT(changes, 40);
}

} // namespace
} // namespace qv
