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
#include <vector>

namespace qv {
namespace {

using test::append;
using test::makeNote;
using test::ScriptedUi;

void expectLinksWhole(const Score& score) {
    for (int s = 1; s <= score.Nstaves; ++s)
        for (const std::string& broken : brokenLinks(score.stave(s))) ADD_FAILURE() << "stave " << s << ": " << broken;
}

std::vector<ScoreObject> objectsOf(const Stave& s, ObjectKind kind) {
    std::vector<ScoreObject> found;
    for (int i = 1; i <= s.Nobjec; ++i)
        if (s.object(i).is(kind)) found.push_back(s.object(i));
    return found;
}

int beam(Stave& s, std::initializer_list<int> notes) {
    int previous = 0;
    for (int i : notes) {
        if (previous) s.object(previous).setBeamForward(i), s.object(i).setBeamBack(previous);
        previous = i;
    }
    return previous;
}

TEST(MarkBox, LeftAndTopEdgesAreInsideRightAndBottomAreNot) {
    Score score = test::makeScore(1);
    ScriptedUi ui;
    Stave& st = score.stave(1);
    append(st, makeObject(ObjectKind::Symbol, 100, 20));  // on the left edge
    append(st, makeObject(ObjectKind::Symbol, 150, 10));  // on the top edge
    append(st, makeObject(ObjectKind::Symbol, 200, 30));  // on the right edge
    append(st, makeObject(ObjectKind::Symbol, 150, 50));  // on the bottom edge
    append(st, makeObject(ObjectKind::Symbol, 199, 49));  // just inside the far corner
    BlockState block;
    ASSERT_TRUE(markBox(score, block, BlockBox::spanning(200, 50, 100, 10), 1, ui));
    EXPECT_EQ(score.marked[1].to_string().substr(256 - 6), "100110"); // objects 1, 2 and 5
    EXPECT_EQ(block.first, 1);
    EXPECT_TRUE(block.has(ObjectKind::Symbol));
    EXPECT_TRUE(block.freePlacing());
}

TEST(MarkBox, CurvesOnlyWholeAndLongTextsWithTheirChunks) {
    Score score = test::makeScore(1);
    ScriptedUi ui;
    Stave& st = score.stave(1);
    // A curve with its last point outside, a curve wholly inside, and a long text
    // whose continuation lies outside the box.
    for (int c = 0; c < 2; ++c) {
        const int a = append(st, makeObject(ObjectKind::CurvePoint, 110 + 40 * c, 20));
        const int b = append(st, makeObject(ObjectKind::CurvePoint, 120 + 40 * c, 20));
        const int e = append(st, makeObject(ObjectKind::CurvePoint, c == 0 ? 400 : 140 + 40 * c, 20));
        st.object(a).setCurveNext(b), st.object(b).setCurvePrev(a);
        st.object(b).setCurveNext(e), st.object(e).setCurvePrev(b);
    }
    const int head = append(st, test::makeTextHead(130, 30, 1, "0123456789"));
    const int chunk = append(st, test::makeTextHead(500, 30, 1, "xy", TextContinuation));
    st.object(head).setTextNext(chunk);
    const int lone = append(st, test::makeTextHead(140, 30, 1, "zz", TextContinuation));

    BlockState block;
    ASSERT_TRUE(markBox(score, block, BlockBox::spanning(100, 0, 300, 60), 1, ui));
    for (int i : {1, 2, 3, lone}) EXPECT_FALSE(score.marked[1].test(static_cast<std::size_t>(i))) << i;
    for (int i : {4, 5, 6, head, chunk}) EXPECT_TRUE(score.marked[1].test(static_cast<std::size_t>(i))) << i;
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.lastText(), IncompleteCurveMessage);

    // Nothing in the box: nothing marked, no message.
    ui.messages.clear();
    EXPECT_FALSE(markBox(score, block, BlockBox::spanning(0, 100, 50, 120), 1, ui));
    EXPECT_TRUE(score.marked[1].none());
    EXPECT_TRUE(ui.messages.empty());
}

TEST(CopyBlock, PartOfABeamedGroupKeepsOnlyItsInnerBeams) {
    Score score = test::makeScore(1);
    score.undo.open(10);
    ScriptedUi ui;
    Stave& st = score.stave(1);
    for (int x : {100, 130, 160}) append(st, makeNote(x, 0, 4, st.Ycoord));
    beam(st, {1, 2, 3});
    const Stave before = st;

    for (const auto& [right, beamedCopies] : {std::pair{145, 2}, std::pair{115, 0}}) {
        BlockState block;
        ASSERT_TRUE(markBox(score, block, BlockBox::spanning(90, 0, right, 80), 1, ui));
        block.targetX += 300;
        ASSERT_TRUE(copyBlock(score, block, false, ui));
        expectLinksWhole(score);
        int beamed = 0;
        for (int i = 1; i <= score.stave(1).Nobjec; ++i) {
            const ScoreObject& o = score.stave(1).object(i);
            if (o.x() >= 400 && (o.beamBack() || o.beamForward())) ++beamed;
        }
        EXPECT_EQ(beamed, beamedCopies);
        EXPECT_GT(score.undo.undoStep(score, ui), 0);
        EXPECT_EQ(score.stave(1), before);
    }
}

TEST(MoveBlock, OneSystemDownNotesKeepTheirPositionsFreeObjectsTheirOffset) {
    Score score = test::makeScore(4);
    score.undo.open(10);
    ScriptedUi ui;
    score.stave(1).joinToNext = score.stave(3).joinToNext = true; // systems 1-2 and 3-4
    Stave& st = score.stave(1);
    append(st, makeNote(100, 3, 3, st.Ycoord));
    append(st, test::makeShortText(110, st.Ycoord - 30, 1, "dolce"));
    ScoreObject pin = makeObject(ObjectKind::Hairpin, 120, st.Ycoord + 20);
    pin.setHairpinDx(40);
    append(st, pin);
    append(score.stave(2), makeNote(100, -2, 3, score.stave(2).Ycoord));

    BlockState block;
    ASSERT_TRUE(markBox(score, block, BlockBox::spanning(90, 0, 200, 150), 1, ui));
    ASSERT_EQ(block.last, 2);
    ASSERT_TRUE(stepTargetSystem(score, block, +1, ui));
    EXPECT_EQ(block.targetFirst, 3);
    const int systemDrop = score.stave(3).Ycoord - score.stave(1).Ycoord;
    EXPECT_EQ(block.targetY, block.sourceY + systemDrop);
    block.targetX += 50;
    block.targetY += 7; // the drop point lowered a little more
    ASSERT_TRUE(copyBlock(score, block, true, ui));
    expectLinksWhole(score);

    EXPECT_EQ(score.stave(1).Nobjec, 0);
    EXPECT_EQ(score.stave(2).Nobjec, 0);
    const Stave& three = score.stave(3);
    const auto notes = objectsOf(three, ObjectKind::Note);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].staffPosition(), 3);
    EXPECT_EQ(notes[0].y(), three.Ycoord - 12);
    EXPECT_EQ(notes[0].x(), 150);
    const auto texts = objectsOf(three, ObjectKind::ShortText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].y(), three.Ycoord - 30 + 7);
    EXPECT_EQ(objectsOf(three, ObjectKind::Hairpin).at(0).y(), three.Ycoord + 20 + 7);
    EXPECT_EQ(objectsOf(score.stave(4), ObjectKind::Note).at(0).y(), score.stave(4).Ycoord + 8);

    // Stepping down from the last system does not fit.
    EXPECT_FALSE(stepTargetSystem(score, block, +1, ui));
    EXPECT_EQ(ui.lastText(), CannotFitBlockMessage);
}

TEST(DeleteBlock, BarLinesStayWhenTheAnswerIsNo) {
    Score score = test::makeScore(2);
    score.undo.open(10);
    ScriptedUi ui;
    for (int s : {1, 2}) {
        Stave& st = score.stave(s);
        append(st, makeNote(100, 0, 3, st.Ycoord));
        append(st, makeObject(ObjectKind::Barline, 150, st.Ycoord));
        append(st, makeNote(200, 1, 3, st.Ycoord));
    }
    const Stave one = score.stave(1), two = score.stave(2);
    BlockState block;
    ASSERT_TRUE(markBox(score, block, BlockBox::spanning(0, 0, 600, 200), 1, ui));
    ui.buttonAnswers = {ButtonNo};
    ASSERT_TRUE(deleteBlock(score, block, ui));
    EXPECT_EQ(ui.lastText(), DeleteBarLinesQuestion);
    for (int s : {1, 2}) {
        ASSERT_EQ(score.stave(s).Nobjec, 1);
        EXPECT_TRUE(score.stave(s).object(1).is(ObjectKind::Barline));
    }
    EXPECT_GT(score.undo.undoStep(score, ui), 0);
    EXPECT_EQ(score.stave(1), one);
    EXPECT_EQ(score.stave(2), two);
}

TEST(Blocks, RandomOperationsKeepLinksWholeAndUndoInOneStep) {
    std::mt19937 rng(20261207);
    for (int round = 0; round < 30; ++round) {
        Score score = test::randomScore(rng, {.minStaves = 2, .maxStaves = 6, .maxObjectsPerStave = 60, .maxFonts = 3});
        for (int s = 1; s <= score.Nstaves; ++s) score.stave(s).PageNum = 1, TidyStave(score.stave(s));
        score.undo.open(100);
        ScriptedUi ui;
        const auto pick = [&](int a, int b) {
            return std::uniform_int_distribution<int>(std::min(a, b), std::max(a, b))(rng);
        };
        for (int op = 0; op < 4; ++op) {
            std::vector<Stave> kept;
            for (int s = 0; s <= score.Nstaves; ++s) kept.push_back(score.stave(s));
            const int top = score.stave(1).MinY - 20, bottom = score.stave(score.Nstaves).MaxY + 20;
            BlockState block;
            if (!markBox(score, block, BlockBox::spanning(pick(-50, 800), pick(top, bottom), pick(-50, 800),
                                                          pick(top, bottom)),
                         1, ui))
                continue;
            bool changed = false;
            const int kind = pick(0, 2);
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
            if (!changed) continue;
            ASSERT_GE(score.undo.undoStep(score, ui), 1) << ui.lastText();
            for (int s = 0; s <= score.Nstaves; ++s)
                EXPECT_EQ(score.stave(s), kept[static_cast<std::size_t>(s)]) << "round " << round << " stave " << s;
            releaseBlock(score, block);
        }
    }
}

} // namespace
} // namespace qv
