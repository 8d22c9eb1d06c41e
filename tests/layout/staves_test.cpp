// Inserting, deleting, binding and appending staves, the widths following the
// paper, and one Undo putting back every stave after each of them.

#include "layout/staves.h"
#include "support/randomscore.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

namespace qv {
namespace {

using test::makeScore;
using test::ScriptedUi;

constexpr int TallPage = 100000; // every system fits on page 1

std::vector<Stave> staves(const Score& score) {
    std::vector<Stave> v;
    for (int i = 0; i <= score.Nstaves; ++i) v.push_back(score.stave(i));
    return v;
}

TEST(Staves, InsertingAboveTheFirstStaveTakesItsPlaceAndMovesEveryStaveDownByIt) {
    Score score = makeScore(3);
    score.stave(1).LeftX = 17;
    score.stave(1).RightX = 500;
    test::append(score.stave(2), test::makeNote(40, 2, 3, score.stave(2).Ycoord));
    const std::vector<Stave> before = staves(score);
    ScriptedUi ui;
    PageState state;
    ASSERT_TRUE(insertStaveAfter(score, 0, TallPage, ui, state));
    ASSERT_EQ(score.Nstaves, 4);
    const int s = before[1].Ycoord;
    const Stave& fresh = score.stave(1);
    EXPECT_TRUE(fresh.Ycoord == s && fresh.MinY == s - 22 && fresh.MaxY == s + 22);
    EXPECT_EQ(BindingFlags::of(fresh), BindingFlags{.bracket = true});
    EXPECT_TRUE(fresh.LeftX == 17 && fresh.RightX == 500 && fresh.Nobjec == 0);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(score.stave(i + 1).Ycoord, before[i].Ycoord + s) << i;
    EXPECT_EQ(score.stave(3).object(1).y(), before[2].object(1).y() + s) << "objects move with their stave";
    EXPECT_EQ(state.currentStave, 1);
    // Between staves on two pages, and below the last one, the spacing is their
    // distance with the pages glued together.
    Score paged = makeScore(3), glued = makeScore(3);
    paged.stave(3).PageNum = glued.stave(3).PageNum = 2;
    unpaginate(glued);
    ASSERT_TRUE(insertStaveAfter(paged, 2, TallPage, ui, state) && insertStaveAfter(paged, 4, TallPage, ui, state));
    const int gap = glued.stave(3).Ycoord - glued.stave(2).Ycoord;
    for (int i : {2, 3, 4}) EXPECT_EQ(paged.stave(i + 1).Ycoord - paged.stave(i).Ycoord, gap) << i;
    Score full = makeScore(MaxStaves);
    EXPECT_FALSE(insertStaveAfter(full, 3, TallPage, ui, state));
    EXPECT_TRUE(full.Nstaves == MaxStaves && ui.lastText() == NotEnoughStaves);
}

TEST(Staves, DeletingTheTopOrBottomStaveOfASystemKeepsItsBarLinesAndItsEnd) {
    auto system = [] {
        Score score = makeScore(4);
        score.stave(1).joinToNext = score.stave(2).joinToNext = true;
        score.stave(1).brace = score.stave(2).brace = score.stave(2).bracketWithNext = true;
        for (int x : {120, 300}) test::append(score.stave(1), makeObject(ObjectKind::Barline, x, 40));
        test::append(score.stave(1), test::makeNote(200, 0, 3, 40));
        return score;
    };
    ScriptedUi ui;
    PageState state;
    Score top = system();
    const Stave second = top.stave(2);
    ASSERT_TRUE(deleteStaveAt(top, 1, ui, state));
    ASSERT_EQ(top.Nstaves, 3);
    const Stave& heir = top.stave(1);
    ASSERT_EQ(heir.Nobjec, 2) << "the bar lines, not the note";
    for (int j : {1, 2}) EXPECT_TRUE(heir.object(j).is(ObjectKind::Barline) && heir.object(j).y() == heir.Ycoord);
    EXPECT_EQ(heir.Ycoord, second.Ycoord) << "no repagination";
    EXPECT_EQ(SystemExtent(top, 1).last, 2);

    Score bottom = system();
    state.currentStave = 3;
    ASSERT_TRUE(deleteStaveAt(bottom, 3, ui, state));
    EXPECT_EQ(BindingFlags::of(bottom.stave(2)), BindingFlags{}) << "the middle stave ends the system";
    EXPECT_EQ(SystemExtent(bottom, 1).last, 2);
    EXPECT_EQ(state.currentStave, 3);
    EXPECT_TRUE(ui.messages.empty());

    // A full second stave takes what fits and the user hears of the rest.
    Score full = system();
    while (full.stave(2).Nobjec < MaxObjects - 1) test::append(full.stave(2), test::makeRest(500));
    ASSERT_TRUE(deleteStaveAt(full, 1, ui, state));
    EXPECT_EQ(ui.lastText(), BarLinesLostMessage);
    Score lone = makeScore(1);
    EXPECT_FALSE(deleteStaveAt(lone, 1, ui, state));
    EXPECT_EQ(ui.lastText(), OnlyStaveMessage);
    // A page left empty is closed up.
    Score paged = makeScore(3);
    paged.stave(2).PageNum = 2;
    paged.stave(3).PageNum = 3;
    ASSERT_TRUE(deleteStaveAt(paged, 2, ui, state));
    EXPECT_TRUE(paged.stave(2).PageNum == 2 && state.pages == 2);
}

TEST(Staves, AppendingAfterAPageBreakStartsANewPageWithoutAsking) {
    Score score = makeScore(2);
    score.stave(1).joinToNext = true;
    score.stave(2).ForcedBk = true;
    score.stave(1).LeftX = 30;
    test::append(score.stave(1), test::makeClef(40, 1, score.stave(1).Ycoord));
    test::append(score.stave(1), makeObject(ObjectKind::KeySignature, 45, score.stave(1).Ycoord));
    test::append(score.stave(1), test::makeNote(120, 0, 3, score.stave(1).Ycoord));
    ScriptedUi ui;
    PageState state;
    ASSERT_TRUE(appendSystem(score, TallPage, ui, state));
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(score.Nstaves, 4);
    const Stave& copy = score.stave(3);
    EXPECT_EQ(copy.PageNum, 2);
    EXPECT_EQ(copy.Ycoord, 50);
    EXPECT_EQ(score.stave(4).Ycoord - copy.Ycoord, score.stave(2).Ycoord - score.stave(1).Ycoord);
    EXPECT_TRUE(copy.joinToNext && !score.stave(4).ForcedBk);
    EXPECT_TRUE(copy.LeftX == NewStaveLeftX && copy.RightX == usableStaveWidth(score) - 5);
    ASSERT_EQ(copy.Nobjec, 2) << "the clef and the key signature only";
    EXPECT_EQ(copy.object(1).x(), 45 - 30 + 17) << "the key keeps its distance from LeftX, sorted first";
    EXPECT_EQ(copy.object(2).x(), 37);
    EXPECT_EQ(copy.object(2).y(), copy.Ycoord);
    EXPECT_TRUE(state.currentStave == 3 && state.currentPage == 2 && state.pages == 2);
}

// For random scores, each operation followed by one Undo gives every stave back
// byte for byte, page numbers and positions included.
TEST(Staves, OneUndoPutsBackEveryStaveAfterEachOperation) {
    std::mt19937 rng(16);
    const std::vector<std::pair<const char*, std::function<void(Score&, Ui&, PageState&, int)>>> ops = {
        {"insert", [](Score& s, Ui& ui, PageState& st, int r) { insertStaveAfter(s, r % (s.Nstaves + 1), 900, ui, st); }},
        {"delete", [](Score& s, Ui& ui, PageState& st, int r) { deleteStaveAt(s, 1 + r % s.Nstaves, ui, st); }},
        {"bind", [](Score& s, Ui& ui, PageState& st, int r) {
             applyBinding(s, 1 + r % s.Nstaves, BindingFlags{r % 2 == 0, r % 3 == 0, true, false, r % 5 == 0, false, r % 7 < 3, false}, 900, ui, st);
         }},
        {"toggle", [](Score& s, Ui& ui, PageState& st, int r) { toggleBinding(s, 1 + r % s.Nstaves, 900, ui, st); }},
        {"append", [](Score& s, Ui& ui, PageState& st, int) { appendSystem(s, 900, ui, st); }},
        {"widen", [](Score& s, Ui&, PageState&, int r) { widenStaves(s, 1 + r % 400, true); }},
        {"narrow", [](Score& s, Ui& ui, PageState&, int r) { narrowStaves(s, 1500 + r % 500, ui); }},
    };
    for (int round = 0; round < 12; ++round) {
        for (const auto& [name, op] : ops) {
            Score score = test::randomScore(rng, {.minStaves = 1, .maxStaves = 10, .maxObjectsPerStave = 40});
            score.undo.open(100);
            const int n = score.Nstaves;
            const std::vector<Stave> before = staves(score);
            ScriptedUi ui;
            PageState state;
            op(score, ui, state, static_cast<int>(rng() % 1000));
            if (score.undo.live() == 0) continue; // refused or nothing to change
            score.undo.undoStep(score, ui);
            EXPECT_EQ(score.undo.live(), 0) << name << " is one step";
            ASSERT_EQ(score.Nstaves, n) << name;
            for (int i = 1; i <= n; ++i) EXPECT_TRUE(score.stave(i) == before[i]) << name << " stave " << i;
        }
    }
}

} // namespace
} // namespace qv
