// The Merge items of the File menu on the real score window: refused inside a
// system, the chosen file merged below the system and drawn, and taken back by one Undo.

#include "edit/mergecommand.h"
#include "windowfixture.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(MergeItems, TheChosenFileIsMergedBelowTheSystemAndUndoneAtOnce) {
    test::Entry f(3, 3, [](Score& s) { s.stave(1).joinToNext = true; }); // a system of two, then one stave
    std::vector<Stave> before;
    for (int s = 0; s <= 3; ++s)
        before.push_back(f.stave(s));
    const auto trigger = [&](const char* name) {
        ASSERT_TRUE(f.window().action(name)->isEnabled()) << name;
        f.window().action(name)->trigger();
    };
    trigger("MergeAfter"); // on stave 1, joined to the next
    EXPECT_EQ(f.ui.lastText(), MergeAfterRefusal);
    f.click(100, f.stave(2).Ycoord);
    trigger("MergeBefore");
    EXPECT_EQ(f.ui.lastText(), MergeBeforeRefusal);
    EXPECT_TRUE(f.ui.fileRequests.empty()) << "no dialog opened";

    Score file = test::makeScore(2);
    for (int i = 0; i < 4; ++i)
        test::append(file.stave(1), test::makeNote(120 + 40 * i, i - 2, 3, file.stave(1).Ycoord));
    test::writeBytes(f.dir.at("TUNE.QVR"), encodeScore(file, WriteRange{0, 2}, WriteOptions{}));
    f.ui.fileAnswers = {f.dir.at("TUNE.QVR")};
    const QImage shown = f.page().copy();
    trigger("MergeAfter");
    ASSERT_EQ(f.score().Nstaves, 5);
    EXPECT_EQ(f.ui.fileRequests.back().filter, MergeFilter);
    EXPECT_EQ(f.stave(3).Nobjec, 4);
    EXPECT_EQ(f.stave(5).MinY, f.stave(4).MaxY + 10) << "the old third stave below the merged ones";
    EXPECT_EQ(f.window().editor().currentStave(), 2);
    const QRect merged(0, before[2].MaxY + 2, f.page().width(), f.stave(4).MaxY - before[2].MaxY);
    EXPECT_NE(f.page().copy(merged), shown.copy(merged)) << "the merged staves are drawn";

    trigger("Undo1");
    ASSERT_EQ(f.score().Nstaves, 3);
    for (int s = 0; s <= 3; ++s)
        EXPECT_EQ(f.stave(s), before[static_cast<std::size_t>(s)]) << s;
}

} // namespace
} // namespace qv
