// The frame's caption names the open score and stars it while it has unsaved
// changes; the recent files follow Save As, lose a file that no longer opens when the
// user agrees, and shorten long paths in the menu.

#include "windowfixture.h"

#include "shell/recentfiles.h"

#include <QAction>
#include <QMenu>

#include <filesystem>

namespace qv {
namespace {

const QString Program = QString::fromUtf8(" \u2014 Quaverly 32");

// The File menu's recent-file items in order.
std::vector<QAction*> recentItems(MainFrame& frame) {
    std::vector<QAction*> items;
    for (QAction* a : frame.fileMenu()->actions())
        if (a->text().size() > 2 && a->text()[0] == '&' && a->text()[1].isDigit() && a->text()[2] == ' ')
            items.push_back(a);
    return items;
}

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
    ASSERT_FALSE(recentItems(f.frame).empty());
    EXPECT_EQ(recentItems(f.frame).front()->toolTip().toStdString(), minuet) << "first in the menu at once";
    EXPECT_EQ(f.frame.settings().recentFiles.front(), minuet);
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

TEST(RecentFiles, AFileThatNoLongerOpensIsStruckOffWhenTheUserAgrees) {
    for (const Button answer : {ButtonNo, ButtonYes}) {
        test::Entry f;
        f.frame.closeScore();
        const std::string gone = f.dir.at("gone.QVR");
        f.frame.settings().recentFiles.push_back(gone);
        f.frame.recentFilesChanged();
        ASSERT_EQ(recentItems(f.frame).size(), 2u);
        f.ui.buttonAnswers = {ButtonOk, answer}; // the loader's own message, then the question
        f.ui.messages.clear();
        recentItems(f.frame)[1]->trigger();
        ASSERT_EQ(f.ui.messages.size(), 2u);
        EXPECT_EQ(f.ui.messages[1].text, gone + " could not be opened.\n\nRemove it from the list of recent files?");
        EXPECT_EQ(f.ui.messages[1].buttons, unsigned(ButtonYes | ButtonNo));
        const auto& files = f.frame.settings().recentFiles;
        EXPECT_EQ(std::count(files.begin(), files.end(), gone), answer == ButtonYes ? 0 : 1);
        EXPECT_EQ(recentItems(f.frame).size(), files.size()) << "the menu follows the list";
    }
}

TEST(RecentFiles, ALongPathLosesItsMiddleInTheMenuAndKeepsItsAccelerator) {
    test::Entry f;
    const std::string shortName = "/music/Tom & Jerry.QVR";
    const std::string longName = "/home/someone/" + std::string(150, 'x') + "/scores/Minuet in G.QVR";
    f.frame.settings().recentFiles = {shortName, longName};
    f.frame.recentFilesChanged();
    const auto items = recentItems(f.frame);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]->text(), "&1 /music/Tom && Jerry.QVR") << "the ampersand shown, not an accelerator";
    const QString shown = items[1]->text();
    EXPECT_TRUE(shown.startsWith("&2 /home/") && shown.endsWith("Minuet in G.QVR") &&
                shown.contains(QChar(0x2026)) && shown.size() < 100)
        << shown.toStdString();
    for (std::size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(items[i]->toolTip().toStdString() + "|" + items[i]->statusTip().toStdString(),
                  f.frame.settings().recentFiles[i] + "|" + f.frame.settings().recentFiles[i]);
}

} // namespace
} // namespace qv
