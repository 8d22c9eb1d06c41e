// The two Merge items of the File menu on the real score window: refused where the
// cursor's stave is inside a system, the file chosen in the dialog merged and shown,
// and the whole merge taken back by one Undo.

#include "edit/mergecommand.h"
#include "windowfixture.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// Two staves joined into one system, then a third on its own.
void systemAndStave(Score& score) {
    score.stave(1).joinToNext = true;
}

struct Merging : test::Entry {
    Merging() : Entry(3, 3, systemAndStave) {}
    std::vector<Stave> staves() {
        std::vector<Stave> all;
        for (int s = 0; s <= score().Nstaves; ++s) all.push_back(stave(s));
        return all;
    }
    // A file of two staves with four notes each, beside the open score's.
    std::string mergeable() {
        Score merged = test::makeScore(2);
        for (int s = 1; s <= 2; ++s)
            for (int i = 0; i < 4; ++i)
                test::append(merged.stave(s), test::makeNote(120 + 40 * i, i - 2, 3, merged.stave(s).Ycoord));
        const std::string path = dir.at("TUNE.QVR");
        test::writeBytes(path, encodeScore(merged, WriteRange{0, 2}, WriteOptions{}));
        return path;
    }
    void trigger(const char* name) {
        QAction* a = window().action(name);
        ASSERT_TRUE(a->isEnabled()) << name;
        a->trigger();
    }
};

TEST(MergeItems, InsideASystemEachItemIsRefusedWithItsReason) {
    Merging f;
    f.click(100, f.stave(1).Ycoord);
    ASSERT_EQ(f.window().editor().currentStave(), 1);
    f.trigger("MergeAfter");
    EXPECT_EQ(f.ui.lastText(), MergeAfterRefusal);
    f.click(100, f.stave(2).Ycoord);
    ASSERT_EQ(f.window().editor().currentStave(), 2);
    f.trigger("MergeBefore");
    EXPECT_EQ(f.ui.lastText(), MergeBeforeRefusal);
    EXPECT_TRUE(f.ui.fileRequests.empty()) << "no dialog is opened";
    EXPECT_EQ(f.score().Nstaves, 3);
}

TEST(MergeItems, TheChosenFileIsMergedBelowTheSystemShownAndUndoneAtOnce) {
    Merging f;
    const std::vector<Stave> before = f.staves();
    f.click(100, f.stave(2).Ycoord);
    f.ui.fileAnswers = {std::nullopt};
    f.trigger("MergeAfter");
    EXPECT_EQ(f.score().Nstaves, 3) << "a cancelled dialog merges nothing";

    f.ui.fileAnswers = {f.mergeable()};
    const QImage pageBefore = f.page().copy();
    f.trigger("MergeAfter");
    ASSERT_EQ(f.ui.fileRequests.size(), 2u);
    EXPECT_EQ(f.ui.fileRequests.back().filter, MergeFilter);
    ASSERT_EQ(f.score().Nstaves, 5);
    EXPECT_EQ(f.stave(3).Nobjec, 4);
    EXPECT_EQ(f.stave(5).MinY, f.stave(4).MaxY + 10) << "the old third stave below the merged ones";
    EXPECT_EQ(f.window().editor().currentStave(), 2);
    // The merged staves are drawn: the page below the old system changed.
    const QRect below(0, before[2].MaxY + 2, f.page().width(), f.stave(4).MaxY - before[2].MaxY);
    EXPECT_NE(f.page().copy(below), pageBefore.copy(below));

    f.ui.buttonAnswers.clear();
    f.trigger("Undo1");
    EXPECT_TRUE(f.staves() == before) << "one Undo takes the merge back";
}

TEST(MergeItems, BeforeTheFirstStaveTheMergedStavesGoOnTop) {
    Merging f;
    f.click(100, f.stave(1).Ycoord);
    f.ui.fileAnswers = {f.mergeable()};
    f.trigger("MergeBefore");
    ASSERT_EQ(f.score().Nstaves, 5);
    EXPECT_EQ(f.stave(1).MinY, 10);
    EXPECT_EQ(f.stave(1).Nobjec, 4);
    EXPECT_TRUE(f.stave(3).joinToNext) << "the old system, now below";
    EXPECT_EQ(f.stave(3).MinY, f.stave(2).MaxY + 10);
}

} // namespace
} // namespace qv
