// The main frame opens with its caption and its File menu closes it.

#include "shell/mainframe.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

namespace qv {
namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "shell_tests";
    static char* argv[] = {name, nullptr};
    static QApplication instance(argc, argv);
    return instance;
}

QAction* findAction(QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions())
        if (a->text() == text) return a;
    return nullptr;
}

TEST(MainFrame, FileExitClosesTheCaptionedFrame) {
    app();
    MainFrame frame;
    frame.show();
    EXPECT_EQ(frame.windowTitle(), "Quaverly 32");
    QMenu* file = nullptr;
    for (QAction* a : frame.menuBar()->actions())
        if (a->text() == "&File") file = a->menu();
    ASSERT_NE(file, nullptr);
    QAction* exit = findAction(file, "E&xit");
    ASSERT_NE(exit, nullptr);
    EXPECT_TRUE(frame.isVisible());
    exit->trigger();
    EXPECT_FALSE(frame.isVisible());
}

} // namespace
} // namespace qv
