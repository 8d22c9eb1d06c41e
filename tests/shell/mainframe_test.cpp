// The main frame and the score window driven through their real widgets: start-up
// with a file on the command line, paging, goto, the header/footer screen, the
// preview, closing, recent files, the competence level and the keyboard.

#include "edit/navigation.h"
#include "files/partialsave.h"
#include "shell/configfile.h"
#include "shell/mainframe.h"
#include "shell/pageview.h"
#include "shell/previewpanel.h"
#include "shell/recentfiles.h"
#include "shell/scorewindow.h"
#include "shell/statusline.h"
#include "support/scriptedui.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace qv {
namespace {

namespace fs = std::filesystem;

const fs::path DemoScore = fs::path(QUAVERLY_SOURCE_DIR) / "resources/demo/demo.QVR";

struct Frame {
    QTemporaryDir dir;
    test::ScriptedUi ui;
    MainFrame frame{&ui};
    std::string config;

    explicit Frame(int level = 3, const std::string& extra = "") {
        config = (fs::path(dir.path().toStdString()) / "QUAVLY.INI").string();
        std::ofstream(config) << "[User]\nLevel=" << level << "\nTutorial=1\n[Options]\nTips=0\nSound=1\n" << extra;
        frame.clickSound().setAudible(false);
        frame.show();
        frame.activateWindow(); // menu shortcuts act only in the active window
        EXPECT_TRUE(QTest::qWaitForWindowActive(&frame));
    }
    // A copy of the demo score in a folder and under a name with spaces.
    std::string demoCopy(const std::string& name = "demo copy.QVR") {
        const fs::path folder = fs::path(dir.path().toStdString()) / "my scores";
        fs::create_directories(folder);
        const fs::path target = folder / name;
        fs::copy_file(DemoScore, target, fs::copy_options::overwrite_existing);
        return target.string();
    }
    void startWith(const std::string& file) {
        QStringList words = QString::fromStdString(file).split(' ');
        frame.start(config, words);
    }
    ScoreWindow& window() { return *frame.scoreWindow(); }
    QAction* item(const char* name) { return window().action(QString::fromUtf8(name)); }
    void key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(&window(), Qt::Key(key), mods);
    }
};

TEST(Startup, OpensTheFileNamedBySeveralParametersOnItsFirstPage) {
    Frame f;
    const std::string file = f.demoCopy();
    f.startWith(file);
    ASSERT_NE(f.frame.scoreWindow(), nullptr);
    EXPECT_TRUE(f.ui.messages.empty());
    const Score& score = f.window().document().score;
    EXPECT_EQ(f.frame.statusText().toStdString(),
              "Page 1 of 2   System 1 of " + std::to_string(systemNumber(score, score.Nstaves)) + "   Stave 1 of " +
                  std::to_string(score.Nstaves) + ":  " + std::to_string(score.stave(1).Nobjec) + " objects.");
    EXPECT_EQ(f.frame.modeLabel()->text(), "Nothing");
    EXPECT_EQ(f.frame.settings().recentFiles.front(), file);
    EXPECT_FALSE(f.frame.speedAction(SpeedButton::sbOpen)->isVisible());
    EXPECT_TRUE(f.frame.speedAction(SpeedButton::sbSave)->isVisible());
    // The page bitmap holds the music: some ink on a white page.
    const QImage& page = f.window().drawContext().MainImage;
    ASSERT_FALSE(page.isNull());
    EXPECT_NE(page.pixel(0, 0), 0u);
    int inked = 0;
    for (int y = 0; y < page.height(); y += 2)
        for (int x = 0; x < page.width(); x += 2)
            inked += qGray(page.pixel(x, y)) < 128;
    EXPECT_GT(inked, 500);
}

TEST(Startup, AMissingFileIsReportedAndNoWindowOpens) {
    Frame f;
    f.startWith(f.dir.path().toStdString() + "/no such score.QVR");
    EXPECT_EQ(f.frame.scoreWindow(), nullptr);
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_NE(f.ui.messages[0].text.find("File cannot be found"), std::string::npos);
}

TEST(Startup, ABeginnerIsToldAboutTheTutorial) {
    Frame f(1, "");
    std::ofstream(f.config) << "[User]\nLevel=1\n[Options]\nTips=0\n";
    f.frame.start(f.config, {});
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_EQ(f.ui.messages[0].text, "To get started quickly, why not run the tutorial?\n\nSelect it from the Help "
                                     "menu, or press Alt+F1 to run.");
}

TEST(Navigation, AltPageKeysStepThePagesAndTheStatusLineFollows) {
    Frame f;
    f.startWith(f.demoCopy());
    f.key(Qt::Key_PageDown, Qt::AltModifier);
    EXPECT_EQ(f.window().editor().currentPage(), 2);
    EXPECT_TRUE(f.frame.statusText().startsWith("Page 2 of 2"));
    f.key(Qt::Key_PageDown, Qt::AltModifier); // past the end: nothing
    EXPECT_EQ(f.window().editor().currentPage(), 2);
    f.key(Qt::Key_PageUp, Qt::AltModifier);
    EXPECT_TRUE(f.frame.statusText().startsWith("Page 1 of 2   System 1 of"));
    EXPECT_EQ(f.window().editor().currentStave(), 1);
}

TEST(Navigation, GotoPageOutOfRangeIsReportedOnlyBelowAdvanced) {
    for (int level : {1, 2, 3}) {
        Frame f(level);
        f.startWith(f.demoCopy());
        f.ui.messages.clear();
        f.ui.inputAnswers = {std::string("0"), std::string("7")};
        f.item("GotoPage")->trigger();
        EXPECT_EQ(f.window().editor().currentPage(), 1);
        f.item("GotoPage")->trigger();
        EXPECT_EQ(f.window().editor().currentPage(), 2);
        EXPECT_EQ(f.ui.messages.size(), level <= 2 ? 2u : 0u) << "level " << level;
        if (level <= 2) {
            EXPECT_EQ(f.ui.messages[1].text, "Page  7 does not exist. Moving to page 2.");
        }
    }
}

TEST(HeaderFooterScreen, MakesStaveAndPageZeroAndRestoresThePage) {
    Frame f;
    f.startWith(f.demoCopy());
    f.key(Qt::Key_PageDown, Qt::AltModifier);
    QTest::mouseClick(f.window().pageView(), Qt::LeftButton, {}, QPoint(300, 300)); // into Music mode
    ASSERT_EQ(f.window().editor().mode, ModeMusic);
    f.item("DefineHeadersFooters")->trigger();
    ASSERT_TRUE(f.ui.messages.empty()); // the demo score has a footer strip
    EXPECT_EQ(f.window().editor().currentStave(), 0);
    EXPECT_EQ(f.window().editor().currentPage(), 0);
    EXPECT_EQ(f.window().editor().mode, ModeHeadFoot);
    EXPECT_EQ(f.frame.modeLabel()->text(), "HeadFoot");
    EXPECT_EQ(f.item("DefineHeadersFooters")->text(), "Close &Header/Footer screen");
    EXPECT_TRUE(f.frame.statusText().startsWith("Header/Footer screen. "));
    EXPECT_TRUE(f.frame.speedAction(SpeedButton::sbcloseHF)->isVisible());
    f.frame.speedAction(SpeedButton::sbcloseHF)->trigger();
    EXPECT_EQ(f.window().editor().currentPage(), 2);
    EXPECT_EQ(f.window().editor().mode, ModeMusic);
    EXPECT_EQ(f.item("DefineHeadersFooters")->text(), "Define &Header/Footer");
}

TEST(Preview, AOnePageScoreCannotStep) {
    Frame f;
    const std::string file = f.demoCopy();
    f.startWith(file);
    // Make the score one page long: every stave on page 1.
    Score& score = f.window().document().score;
    for (int s = 1; s <= score.Nstaves; ++s)
        score.stave(s).PageNum = 1;
    QTest::mouseClick(f.window().pageView(), Qt::LeftButton, {}, QPoint(300, 300));
    f.item("filePreview")->trigger();
    ASSERT_EQ(f.window().editor().mode, ModePreview);
    PreviewPanel& preview = *f.window().previewPanel();
    EXPECT_EQ(preview.label(), "Page 1");
    EXPECT_FALSE(preview.previousButton()->isEnabled());
    EXPECT_FALSE(preview.nextButton()->isEnabled());
    preview.next();
    preview.previous();
    EXPECT_EQ(preview.label(), "Page 1");
    EXPECT_FALSE(preview.rightImage()->pixmap().isNull());
    QTest::keyClick(&preview, Qt::Key_Escape);
    EXPECT_EQ(f.window().editor().mode, ModeMusic);
}

TEST(Preview, TwoPagesShowPageOneAloneThenStepNoFurther) {
    Frame f;
    f.startWith(f.demoCopy());
    QTest::mouseClick(f.window().pageView(), Qt::LeftButton, {}, QPoint(300, 300));
    f.item("filePreview")->trigger();
    PreviewPanel& preview = *f.window().previewPanel();
    EXPECT_EQ(preview.label(), "Page 1");
    EXPECT_TRUE(preview.nextButton()->isEnabled());
    preview.nextButton()->click();
    EXPECT_EQ(preview.label(), "Page 2");
    EXPECT_FALSE(preview.nextButton()->isEnabled());
    EXPECT_TRUE(preview.previousButton()->isEnabled());
}

TEST(Close, AModifiedScoreAsksAndEachChoiceDoesItsPart) {
    for (CloseChoice choice : {CloseChoice::BackToScore, CloseChoice::QuitAndAbort, CloseChoice::SaveAndExit}) {
        Frame f;
        const std::string file = f.demoCopy();
        f.startWith(file);
        const auto before = fs::last_write_time(file);
        f.window().document().score.modified = true;
        int asked = 0;
        f.window().closeQuestion = [&] {
            ++asked;
            return choice;
        };
        const bool closed = f.frame.closeScore();
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(closed, choice != CloseChoice::BackToScore);
        EXPECT_EQ(f.frame.scoreWindow() == nullptr, closed);
        const bool saved = fs::exists(fs::path(file).replace_extension(".QVB"));
        EXPECT_EQ(saved, choice == CloseChoice::SaveAndExit);
        if (choice != CloseChoice::SaveAndExit) {
            EXPECT_EQ(fs::last_write_time(file), before);
        }
    }
}

TEST(Close, AnUnmodifiedScoreClosesWithoutAskingAndFreesTheTools) {
    Frame f;
    f.startWith(f.demoCopy());
    f.window().closeQuestion = [] {
        ADD_FAILURE() << "asked";
        return CloseChoice::BackToScore;
    };
    f.item("FileCloseItem")->trigger();
    EXPECT_EQ(f.frame.scoreWindow(), nullptr);
    EXPECT_TRUE(f.frame.speedAction(SpeedButton::sbOpen)->isVisible());
    EXPECT_TRUE(f.frame.modeLabel()->text().isEmpty());
}

TEST(Saving, TheAdvancedFileItemsNeedStandardLevelAndWriteTheirFiles) {
    Frame beginner(1);
    beginner.startWith(beginner.demoCopy());
    QTest::mouseClick(beginner.window().pageView(), Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_FALSE(beginner.item("SaveAsTemplate")->isEnabled());
    EXPECT_TRUE(beginner.item("FileSaveItem")->isEnabled());

    Frame f(2);
    const QTemporaryDir templates;
    qputenv("QUAVERLY_TEMPLATES", templates.path().toUtf8());
    f.startWith(f.demoCopy());
    QTest::mouseClick(f.window().pageView(), Qt::LeftButton, {}, QPoint(300, 300));
    ASSERT_TRUE(f.item("SaveAsTemplate")->isEnabled());
    f.ui.fileAnswers = {std::string("minuet.QVT")};
    f.ui.buttonAnswers = {ButtonYes}; // keep the music in the template
    f.ui.inputAnswers = {std::string("Minuet for keyboard")};
    f.item("SaveAsTemplate")->trigger();
    qunsetenv("QUAVERLY_TEMPLATES");
    EXPECT_TRUE(fs::exists(fs::path(templates.path().toStdString()) / "minuet.QVT"));
    ASSERT_EQ(f.frame.settings().templates.size(), 1u);

    const std::string part = f.dir.path().toStdString() + "/part.QVR";
    f.ui.savePartScript = [](SavePartDialog& dialog) { return dialog.accept(); };
    f.ui.fileAnswers = {part};
    f.item("SavePartOfScore")->trigger();
    EXPECT_TRUE(fs::exists(part));
}

TEST(OpenAndNew, ASecondScoreIsRefusedWhileOneIsOpen) {
    Frame f;
    f.startWith(f.demoCopy());
    EXPECT_FALSE(f.frame.openFile(f.demoCopy("other.QVR")));
    f.frame.newScore();
    ASSERT_EQ(f.ui.messages.size(), 2u);
    EXPECT_EQ(f.ui.messages[0].text, "Please close the current score before opening another one.");
    EXPECT_EQ(f.ui.messages[0].type, MessageType::Warning);
}

TEST(RecentFiles, TheTenthDropsTheOldestAndReopeningTheFirstChangesNothing) {
    std::vector<std::string> files;
    for (int i = 1; i <= 10; ++i)
        addRecentFile(files, "score" + std::to_string(i));
    ASSERT_EQ(files.size(), 9u);
    EXPECT_EQ(files.front(), "score10");
    EXPECT_EQ(files.back(), "score2");
    const auto before = files;
    addRecentFile(files, "score10");
    EXPECT_EQ(files, before);
    addRecentFile(files, "score5");
    EXPECT_EQ(files.front(), "score5");
    EXPECT_EQ(files.size(), 9u);
    EXPECT_EQ(std::count(files.begin(), files.end(), "score5"), 1);
    EXPECT_EQ(joinedFileName({"/my", "scores/a", "b.QVR"}), "/my scores/a b.QVR");
}

TEST(RecentFiles, TheFileMenuListsThemNumbered) {
    Frame f;
    std::string extra = "[Files]\n";
    for (int i = 1; i <= 9; ++i)
        extra += std::to_string(i) + "=/scores/s" + std::to_string(i) + ".QVR\n";
    std::ofstream(f.config, std::ios::app) << extra;
    f.frame.start(f.config, {});
    QStringList recent;
    for (QAction* a : f.frame.fileMenu()->actions())
        if (a->text().startsWith('&') && a->text().at(1).isDigit()) recent << a->text();
    ASSERT_EQ(recent.size(), 9);
    EXPECT_EQ(recent.front(), "&1 /scores/s1.QVR");
    EXPECT_EQ(recent.back(), "&9 /scores/s9.QVR");
}

TEST(Level, ABeginnerHasNoPlacingModeButtonsEvenWithAScore) {
    Frame f(1);
    f.startWith(f.demoCopy());
    QTest::mouseClick(f.window().pageView(), Qt::LeftButton, {}, QPoint(300, 300));
    ASSERT_EQ(f.window().editor().mode, ModeMusic);
    for (SpeedButton id : {SpeedButton::sbText, SpeedButton::sbLine, SpeedButton::sbcurve, SpeedButton::sbsymbol,
                           SpeedButton::sbHairpin, SpeedButton::sbdraw})
        EXPECT_FALSE(f.frame.speedAction(id)->isEnabled());
    EXPECT_TRUE(f.frame.speedAction(SpeedButton::sbredraw)->isEnabled());
}

TEST(Modes, TheFirstClickEntersMusicWithOneClickAndTheSameModeAgainIsSilent) {
    Frame f;
    f.startWith(f.demoCopy());
    f.frame.clickSound().resetCount();
    QTest::mouseClick(f.window().pageView(), Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_EQ(f.window().editor().mode, ModeMusic);
    EXPECT_EQ(f.frame.modeLabel()->text(), "Music");
    EXPECT_EQ(f.frame.clickSound().playCount(), 1);
    SetMode(f.window().session(), ModeMusic);
    EXPECT_EQ(f.frame.clickSound().playCount(), 1);
    EXPECT_TRUE(f.frame.speedAction(SpeedButton::sbMusic)->isChecked());
}

TEST(Modes, DelReachesEditModeInsteadOfDeletingTheStave) {
    Frame f;
    f.startWith(f.demoCopy());
    QTest::mouseClick(f.window().pageView(), Qt::LeftButton, {}, QPoint(300, 300));
    QAction* deleteStave = f.item("DeleteStaveitem");
    EXPECT_EQ(deleteStave->shortcut(), QKeySequence(Qt::Key_Delete));
    std::vector<std::pair<int, int>> reached;
    f.window().modeKeyHandler = [&](int mode, int key, Qt::KeyboardModifiers) { reached.push_back({mode, key}); };
    SetMode(f.window().session(), ModeEdit);
    EXPECT_TRUE(deleteStave->shortcut().isEmpty());
    f.key(Qt::Key_Delete);
    ASSERT_EQ(reached.size(), 1u);
    EXPECT_EQ(reached[0], (std::pair<int, int>{ModeEdit, Qt::Key_Delete}));
    SetMode(f.window().session(), ModeMusic);
    EXPECT_EQ(deleteStave->shortcut(), QKeySequence(Qt::Key_Delete));
}

TEST(Modes, TextModeFreesCtrlSUntilItEnds) {
    Frame f;
    f.startWith(f.demoCopy());
    QTest::mouseClick(f.window().pageView(), Qt::LeftButton, {}, QPoint(300, 300));
    SetMode(f.window().session(), ModeText);
    EXPECT_TRUE(f.item("FileSaveItem")->shortcut().isEmpty());
    EXPECT_TRUE(f.item("PlaceClef")->shortcut().isEmpty());
    SetMode(f.window().session(), ModeMusic);
    EXPECT_EQ(f.item("FileSaveItem")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
}

TEST(Mouse, AStaveHandleDragMovesTheStaveAndThoseBelowIt) {
    Frame f;
    f.startWith(f.demoCopy());
    Score& score = f.window().document().score;
    QTest::mouseClick(f.window().pageView(), Qt::LeftButton, {}, QPoint(300, 300));
    const int s = 2;
    const int y2 = score.stave(s).Ycoord;
    const int y3 = score.stave(s + 1).Ycoord;
    PageView& view = *f.window().pageView();
    const QPoint handle = view.toWidget(QPoint(score.stave(s).LeftX, y2));
    QTest::mousePress(&view, Qt::LeftButton, {}, handle);
    EXPECT_EQ(f.window().editor().mode, ModeMovestave);
    EXPECT_EQ(f.window().editor().currentStave(), s);
    QTest::mouseMove(&view, handle + QPoint(0, 6));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, handle + QPoint(0, 6));
    EXPECT_EQ(f.window().editor().mode, ModeMusic);
    EXPECT_EQ(score.stave(s).Ycoord, y2 + 6);
    EXPECT_EQ(score.stave(s + 1).Ycoord, y3 + 6);
    EXPECT_TRUE(score.modified);
}

TEST(Keyboard, OpeningAMenuSwallowsTheNextKeyRelease) {
    Frame f;
    f.startWith(f.demoCopy());
    int reached = 0;
    f.window().modeKeyHandler = [&](int, int, Qt::KeyboardModifiers) { ++reached; };
    QMenu* menu = f.window().menus().front();
    emit menu->aboutToShow();
    QTest::keyRelease(&f.window(), Qt::Key_A);
    EXPECT_EQ(reached, 0);
    QTest::keyRelease(&f.window(), Qt::Key_A);
    EXPECT_EQ(reached, 1);
}

TEST(Frame, ShuttingDownWritesTheConfigurationAndTheRecentFiles) {
    Frame f(2);
    const std::string file = f.demoCopy();
    f.startWith(file);
    f.frame.setLevel(3);
    f.frame.close();
    const Settings written = readConfiguration(f.config);
    EXPECT_EQ(written.Level, 3);
    ASSERT_FALSE(written.recentFiles.empty());
    EXPECT_EQ(written.recentFiles.front(), file);
}

TEST(Frame, TheTutorialPaneKeepsItsLimits) {
    EXPECT_EQ(clampTutorialHeight(20, 900), 100);
    EXPECT_EQ(clampTutorialHeight(250, 900), 250);
    EXPECT_EQ(clampTutorialHeight(800, 900), 600);
    EXPECT_EQ(clampTutorialHeight(300, 120), 100); // a tiny frame still keeps the least height
}

TEST(Frame, FileExitClosesTheCaptionedFrame) {
    Frame f;
    EXPECT_EQ(f.frame.windowTitle(), "Quaverly 32");
    QAction* exit = nullptr;
    for (QAction* a : f.frame.fileMenu()->actions())
        if (a->text() == "E&xit") exit = a;
    ASSERT_NE(exit, nullptr);
    exit->trigger();
    EXPECT_FALSE(f.frame.isVisible());
}

} // namespace
} // namespace qv
