// The frame's caption names the open score and stars it while it has unsaved
// changes.

#include "windowfixture.h"

#include <QAction>

#include <filesystem>

namespace qv {
namespace {

const QString Program = QString::fromUtf8(" \u2014 Quaverly 32");

TEST(Caption, NamesTheScoreAndStarsItWhileItHasUnsavedChanges) {
    test::Entry f;
    EXPECT_EQ(f.frame.windowTitle(), "entry.QVR" + Program);
    f.type("c ");
    EXPECT_EQ(f.frame.windowTitle(), "entry.QVR*" + Program) << "a note entered";
    const std::string minuet = f.dir.at("Minuet.QVR");
    f.ui.fileAnswers = {minuet};
    f.window().action("FileSaveAsItem")->trigger();
    ASSERT_TRUE(std::filesystem::exists(minuet));
    EXPECT_EQ(f.frame.windowTitle(), "Minuet.QVR" + Program);
    // A command that sets the flag without tidying a stave stars the caption too.
    f.window().action("SortStave")->trigger();
    EXPECT_EQ(f.frame.windowTitle(), "Minuet.QVR*" + Program);
    f.window().action("FileSaveItem")->trigger();
    EXPECT_EQ(f.frame.windowTitle(), "Minuet.QVR" + Program);
    f.frame.closeScore();
    EXPECT_EQ(f.frame.windowTitle(), "Quaverly 32");
    f.frame.newScore();
    ASSERT_NE(f.frame.scoreWindow(), nullptr);
    EXPECT_EQ(f.frame.windowTitle(), "NONAME1" + Program);
}

} // namespace
} // namespace qv
