// The undo store: depth, groups, the codes that insert, remove and move staves, and over
// many random edit and undo sequences that a wrapped ring never restores a wrong stave.

#include "model/staveops.h"
#include "model/undostore.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

namespace qv {
namespace {

using test::ScriptedUi;

// The music staves as they are, to compare against after an undo.
std::vector<Stave> staves(const Score& score) {
    std::vector<Stave> v;
    for (int s = 1; s <= score.Nstaves; ++s) v.push_back(score.stave(s));
    return v;
}

// A change to stave s that the test can see: one more note, a little lower.
void edit(Score& score, int s, int x) {
    test::append(score.stave(s), test::makeNote(x, 1));
    ShiftStave(score, s, 3);
}

TEST(UndoStore, OffItStillMarksModifiedThreeDeepItKeepsTheLastThreeOfFiveEdits) {
    Score off = test::makeScore(2);
    ScriptedUi ui;
    off.undo.pushStave(off, 1, UndoStave);
    EXPECT_TRUE(off.modified);
    off.modified = false;
    off.undo.pushStaveRange(off, 1, UndoStaveRange, 2);
    EXPECT_TRUE(off.modified) << "a group with undo off must still ask to be saved";
    EXPECT_EQ(off.undo.undoStep(off, ui), -1);
    EXPECT_EQ(std::exchange(ui.messages, {}).back().text, "Undo is off: depth set at 0.\n\nCannot undo.");
    Score score = test::makeScore(5);
    score.undo.open(3);
    std::vector<std::vector<Stave>> before;
    for (int k = 1; k <= 5; ++k) {
        before.push_back(staves(score));
        score.undo.pushStave(score, k, UndoStave);
        edit(score, k, 10 * k);
    }
    for (int k = 5; k >= 3; --k) {
        EXPECT_EQ(score.undo.undoStep(score, ui), k);
        EXPECT_EQ(staves(score), before[static_cast<std::size_t>(k - 1)]) << "undo of edit " << k;
    }
    EXPECT_TRUE(ui.messages.empty());
    const std::vector<Stave> kept = staves(score);
    for (int attempt = 0; attempt < 3; ++attempt) {
        EXPECT_EQ(score.undo.undoStep(score, ui), -1);
        EXPECT_EQ(ui.lastText(), "Undo depth exceeded. Cannot undo.");
        EXPECT_EQ(staves(score), kept);
    }
}

TEST(UndoStore, AGroupLargerThanTheDepthIsUndoneInOneStep) {
    Score score = test::makeScore(12);
    score.undo.open(3);
    ScriptedUi ui;
    score.undo.pushStave(score, 1, UndoStave);
    edit(score, 1, 5);
    const std::vector<Stave> original = staves(score);
    score.undo.pushStaveRange(score, 1, UndoStaveRange, 12);
    for (int s = 1; s <= 12; ++s) edit(score, s, 40);
    EXPECT_EQ(score.undo.undoStep(score, ui), 12) << "the head record comes back first, the highest stave last";
    EXPECT_EQ(staves(score), original);
    EXPECT_EQ(score.undo.undoStep(score, ui), 1) << "the edit before the group is still there";
    EXPECT_EQ(score.stave(1).Nobjec, 0);
    EXPECT_TRUE(ui.messages.empty());
    std::bitset<256> set;
    set.set(3).set(7).set(9);
    score.undo.pushStaveSet(score, set, UndoStaveRange);
    const std::vector<Stave> beforeSet = staves(score);
    for (int s : {3, 7, 9}) edit(score, s, 70);
    EXPECT_EQ(score.undo.undoStep(score, ui), 9);
    EXPECT_EQ(staves(score), beforeSet);
}

TEST(UndoStore, DeletedStavesComeBackAndInsertedOnesGo) {
    Score score = test::makeScore(5);
    for (int s = 1; s <= 5; ++s) edit(score, s, 10 * s);
    score.undo.open(10);
    ScriptedUi ui;
    const std::vector<Stave> original = staves(score);
    // Deleting stave 2: the later staves move up; undone, they move down again.
    score.undo.pushStave(score, 2, UndoDeletedStave);
    score.removeStaves(2, 1);
    ASSERT_EQ(score.Nstaves, 4);
    EXPECT_EQ(score.stave(2).staveNumber, 2);
    EXPECT_EQ(score.undo.undoStep(score, ui), 2);
    EXPECT_EQ(staves(score), original);
    // Inserting two staves after stave 1: the stave below moved down by 100 with the
    // ones after it on its page.
    Score ins = test::makeScore(4);
    for (int s = 1; s <= 4; ++s) edit(ins, s, 10 * s);
    ins.undo.open(10);
    const std::vector<Stave> beforeInsert = staves(ins);
    ins.undo.pushStaveRange(ins, 1, UndoInsertedStaves, 2);
    for (int s = 2; s <= 4; ++s) ShiftStave(ins, s, 100);
    ins.insertStave(2, Stave{});
    ins.insertStave(2, Stave{});
    ASSERT_EQ(ins.Nstaves, 6);
    EXPECT_EQ(ins.undo.undoStep(ins, ui), 2) << "the next stave's record follows the head";
    EXPECT_EQ(staves(ins), beforeInsert);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(UndoStore, BindingUndoesBothStavesAndDroppedRecordsAreForgotten) {
    Score score = test::makeScore(3);
    score.undo.open(10);
    ScriptedUi ui;
    const std::vector<Stave> original = staves(score);
    score.undo.pushStave(score, 1, UndoBinding);
    EXPECT_EQ(score.undo.live(), 2) << "the next stave is recorded first";
    score.stave(1).joinToNext = true;
    score.stave(2).bracket = true;
    EXPECT_EQ(score.undo.undoStep(score, ui), 2);
    EXPECT_EQ(staves(score), original);
    score.undo.pushStave(score, 3, UndoStave);
    edit(score, 3, 9);
    score.undo.pushStave(score, 2, UndoStave);
    score.undo.dropRecords(1); // the edit of stave 2 was abandoned
    EXPECT_EQ(score.undo.undoStep(score, ui), 3);
    EXPECT_EQ(staves(score), original);
    score.undo.dropRecords(5);
    EXPECT_EQ(score.undo.live(), 0);
    EXPECT_EQ(score.undo.undoStep(score, ui), -1);
}

// Random edits, groups, deletions, insertions, bindings and moves mixed with undos on a small
// ring: every undo restores exactly the staves before its step, or says the depth was
// exceeded and changes nothing; an undo right after a step always succeeds.
TEST(UndoStoreProperties, AWrappedRingNeverRestoresAWrongStave) {
    std::mt19937 rng(20261207);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 30; ++round) {
        Score score = test::makeScore(pick(1, 8));
        for (int s = 1; s <= score.Nstaves; ++s) score.stave(s).PageNum = 1;
        score.undo.open(pick(1, 6));
        ScriptedUi ui;
        std::vector<std::vector<Stave>> steps;
        bool justPushed = false;
        for (int op = 0; op < 120; ++op) {
            const int n = score.Nstaves;
            const int s = pick(1, n);
            const int kind = pick(0, 8);
            if (kind >= 6) {
                if (steps.empty()) continue;
                const std::vector<Stave> expected = steps.back(), now = staves(score);
                steps.pop_back();
                ui.messages.clear();
                const int restored = score.undo.undoStep(score, ui);
                if (restored < 0) {
                    ASSERT_FALSE(justPushed) << "round " << round << " op " << op;
                    ASSERT_EQ(staves(score), now) << "round " << round << " op " << op;
                } else {
                    ASSERT_EQ(staves(score), expected) << "round " << round << " op " << op;
                }
                justPushed = false;
                continue;
            }
            steps.push_back(staves(score));
            justPushed = true;
            switch (kind) {
            case 0:
                score.undo.pushStave(score, s, UndoStave);
                edit(score, s, op);
                break;
            case 1: {
                const int c = pick(1, n - s + 1);
                score.undo.pushStaveRange(score, s, UndoStaveRange, c);
                for (int t = s; t < s + c; ++t) edit(score, t, op);
                break;
            }
            case 2:
                if (n < 2) {
                    steps.pop_back();
                    justPushed = false;
                    break;
                }
                score.undo.pushStave(score, s, UndoDeletedStave);
                score.removeStaves(s, 1);
                break;
            case 3: {
                if (n > 250) break;
                const int c = pick(1, 2);
                score.undo.pushStaveRange(score, s, UndoInsertedStaves, c);
                for (int t = s + 1; t <= n; ++t) ShiftStave(score, t, 48 * c);
                edit(score, s, op);
                for (int k = 0; k < c; ++k) {
                    Stave fresh;
                    fresh.PageNum = 1;
                    score.insertStave(s + 1, fresh);
                }
                break;
            }
            case 4:
                score.undo.pushStave(score, s, UndoBinding);
                score.stave(s).joinToNext = !score.stave(s).joinToNext;
                if (s < n) edit(score, s + 1, op);
                break;
            default: {
                score.undo.pushStave(score, s, UndoFollowingStave);
                const int dy = pick(-30, 30) | 1;
                for (int t = s; t <= n; ++t) ShiftStave(score, t, dy);
                break;
            }
            }
        }
    }
}

} // namespace
} // namespace qv
