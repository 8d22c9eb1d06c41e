// The main frame and the score window through their real widgets: keys, clicks, menu items and speed
// buttons reach the editing commands and the window shows what they did (the rules: tests/edit).

#include "edit/modes.h"
#include "print/pictureexport.h"
#include "render/drawcontext.h"
#include "shell/configfile.h"
#include "shell/contrast.h"
#include "shell/mainframe.h"
#include "shell/pageview.h"
#include "shell/previewpanel.h"
#include "shell/recentfiles.h"
#include "shell/scorewindow.h"
#include "shell/statusline.h"
#include "support/scratchfolder.h"
#include "support/scriptedui.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>

#include <cstring>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace qv {
namespace {

namespace fs = std::filesystem;

const auto purple = [](QRgb p) { return (p & 0xFFFFFF) == 0x800080; };
const auto red = [](QRgb p) { return qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60; };
const auto dark = [](QRgb p) { return qGray(p) < 128; };

// The demo score: staves 1 to 8 on page 1 (stave 2 at y 202, stave 4 at 352),
// 9 to 16 on page 2, all from x 17 to 575.
struct Frame {
    test::ScratchFolder dir;
    test::ScriptedUi ui;
    MainFrame frame{&ui};
    const std::string config = dir.at("QUAVLY.INI");
    explicit Frame(int level = 3, const std::string& more = "") {
        std::ofstream(config) << "[User]\nLevel=" << level << "\nTutorial=1\n[Options]\nTips=0\nSound=1\n"
                              << more;
        frame.clickSound().setAudible(false);
        frame.show();
        frame.activateWindow(); // menu shortcuts act only in the active window
        EXPECT_TRUE(QTest::qWaitForWindowActive(&frame));
    }
    // A copy of the demo score named by several parameters (spaces), then Music mode by a click on stave 1.
    std::string open(bool music = true) {
        fs::create_directories(dir.at("my scores"));
        const std::string file = dir.at("my scores/demo copy.QVR");
        fs::copy_file(fs::path(QUAVERLY_SOURCE_DIR) / "resources/demo/demo.QVR", file);
        frame.start(config, QString::fromStdString(file).split(' '));
        if (music && frame.scoreWindow()) click({300, 130});
        return file;
    }
    ScoreWindow& window() { return *frame.scoreWindow(); }
    Editor& editor() { return window().editor(); }
    PageView& view() { return *window().pageView(); }
    QAction* item(const char* name) { return window().action(QString::fromUtf8(name)); }
    QAction* button(SpeedButton id) { return frame.speedAction(id); }
    std::string status() { return frame.statusText().toStdString(); }
    void key(int key, Qt::KeyboardModifiers mods = {}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), mods);
    }
    void click(QPoint page, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseClick(&view(), b, {}, view().toWidget(page));
    }
    // Pixels of the page bitmap for which `is` holds, and the page rows they span.
    int count(bool (*is)(QRgb), int* top = nullptr, int* bottom = nullptr) {
        const QImage& page = window().drawContext().MainImage;
        const int originY = window().drawContext().ScreenOrigin.y();
        int n = 0, first = 0, last = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (is(page.pixel(x, y))) first = n++ ? first : y, last = y;
        if (top) *top = first - originY, *bottom = last - originY;
        return n;
    }
    // Whether the purple ink spans the middle line of stave s and of no other stave.
    bool lit(int s) {
        int top = 0, bottom = 0, spans = 0;
        if (!count(purple, &top, &bottom)) return false;
        for (int t = 1; t <= window().document().score.Nstaves; ++t) {
            const Stave& st = window().document().score.stave(t);
            if (st.PageNum == editor().currentPage() && top <= st.Ycoord && st.Ycoord <= bottom)
                spans += t == s ? 1 : 2;
        }
        return spans == 1;
    }
};

TEST(Startup, TheSettingsAndParametersDecideWhatTheFrameShows) {
    Frame f;
    const std::string file = f.open(false);
    ASSERT_NE(f.frame.scoreWindow(), nullptr);
    EXPECT_TRUE(f.ui.messages.empty() && f.frame.settings().recentFiles.front() == file);
    EXPECT_EQ(f.status() + "|" + f.frame.modeLabel()->text().toStdString(),
              "Page 1 of 2   System 1 of 8   Stave 1 of 16:  40 objects.|Nothing");
    EXPECT_TRUE(f.frame.speedBar()->isVisible() && f.button(SpeedButton::sbSave)->isVisible() &&
                !f.button(SpeedButton::sbOpen)->isVisible());
    EXPECT_GT(f.count(dark), 2000) << "the music is drawn";
    EXPECT_EQ(f.count(purple), 0) << "no current stave before the first mode";
    // A beginner is sent to the tutorial only when its pane is not already open.
    for (const bool paneOpen : {true, false}) {
        Frame beginner(1);
        std::ofstream(beginner.config) << "[User]\nLevel=1\n[Options]\nTips=0\nSpeedpanel=0\n";
        beginner.frame.tutorialPane()->setVisible(paneOpen);
        beginner.frame.start(beginner.config, {"/no/such/score.QVR"});
        EXPECT_FALSE(beginner.frame.speedBar()->isVisible() || beginner.frame.scoreWindow());
        ASSERT_EQ(beginner.ui.messages.size(), paneOpen ? 1u : 2u);
        EXPECT_NE(beginner.ui.messages.back().text.find("File cannot be found"), std::string::npos);
        if (!paneOpen) {
            EXPECT_NE(beginner.ui.messages[0].text.find("run the tutorial"), std::string::npos);
        }
    }
}

// Without a score only open, new, exit and the two font buttons act; the buttons for a state of a score
// (complete, close header/footer) are gone and the rest are drawn faint. Every
// button explains itself to "&Please explain this!", and the open chooser offers
// every file as well as the scores.
TEST(Startup, WithoutAScoreTheBarOffersOpenNewAndExitAndExplainsEveryButton) {
    for (const int filter : {2, 1}) {
        Frame f(3, "Infilter=" + std::to_string(filter) + "\n");
        f.frame.start(f.config, {});
        for (const SpeedButtonInfo& info : speedButtons()) {
            QAction* a = f.button(info.id);
            const bool acts = info.id == SpeedButton::sbOpen || info.id == SpeedButton::sbNew ||
                              info.id == SpeedButton::sbExit || info.id == SpeedButton::sbfont ||
                              info.id == SpeedButton::sbfavfont;
            const bool gone = info.id == SpeedButton::sbcomplete || info.id == SpeedButton::sbcloseHF ||
                              info.id == SpeedButton::sbSave || info.id == SpeedButton::sbClose;
            EXPECT_EQ(a->isEnabled(), acts) << info.name;
            EXPECT_EQ(a->isVisible(), !gone) << info.name;
            QWidget* button = f.frame.speedBar()->widgetForAction(a);
            EXPECT_TRUE(button->whatsThis().startsWith(QString::fromUtf8(info.hint)) &&
                        button->whatsThis().size() > int(std::strlen(info.hint)) + 20)
                << info.name;
        }
        for (const QWidget* w : f.frame.findChildren<QWidget*>())
            EXPECT_TRUE(w->toolTip().isEmpty() || w->whatsThis().startsWith(w->toolTip()))
                << w->objectName().toStdString();
        f.ui.fileAnswers.push_back(std::nullopt);
        f.button(SpeedButton::sbOpen)->trigger();
        ASSERT_EQ(f.ui.fileRequests.size(), 1u);
        const QStringList filters = QString::fromStdString(f.ui.fileRequests[0].filter).split(";;");
        EXPECT_TRUE(filters.contains("Quaverly files (*.QVR *.qvr)") && filters.contains("All files (*)"));
        EXPECT_EQ(filters.value(f.ui.fileRequests[0].selectedFilter),
                  filter == 1 ? "All files (*)" : "Quaverly files (*.QVR *.qvr)");
    }
}

// Whatever the mode, its name stands out from the label's ground.
TEST(Modes, EveryModeNameIsReadableOnTheModeLabel) {
    Frame f;
    for (int mode = 0; mode < ModeCount; ++mode) {
        f.frame.showModeLabel(QString::fromUtf8(modeInfo(mode).label), toQColor(modeInfo(mode).colour));
        const QPalette& p = f.frame.modeLabel()->palette();
        EXPECT_GE(contrastRatio(p.color(QPalette::WindowText), p.color(QPalette::Window)), 4.5) << mode;
    }
}

// The lines from objects to their staves show only while the strings button is held.
TEST(Modes, TheStringsButtonShowsWhichStaveEachObjectBelongsToWhileHeld) {
    Frame f;
    f.open();
    auto* strings =
        qobject_cast<QAbstractButton*>(f.frame.speedBar()->widgetForAction(f.button(SpeedButton::sbstrings)));
    ASSERT_TRUE(strings && strings->isEnabled());
    EXPECT_TRUE(f.view().strings().empty());
    QTest::mousePress(strings, Qt::LeftButton);
    const std::vector<QLine> lines = f.view().strings();
    ASSERT_FALSE(lines.empty());
    const Score& score = f.window().document().score;
    for (const QLine& line : lines) { // upright, ending on the middle line of a stave on page 1
        EXPECT_EQ(line.x1(), line.x2());
        bool onAStave = false;
        for (int s = 1; s <= score.Nstaves; ++s)
            onAStave |= score.stave(s).PageNum == 1 && score.stave(s).Ycoord == line.y2();
        EXPECT_TRUE(onAStave);
    }
    QTest::mouseRelease(strings, Qt::LeftButton);
    EXPECT_TRUE(f.view().strings().empty());
}

TEST(Navigation, KeysClicksItemsButtonsAndDragsMoveTheCurrentStaveAndItsPurple) {
    Frame f;
    f.open();
    EXPECT_TRUE(f.lit(1));
    QScrollBar* down = f.window().scrollBox()->verticalScrollBar();
    ASSERT_GT(down->maximum(), 0) << "the page is taller than the window";
    down->setValue(down->maximum());
    f.key(Qt::Key_PageDown, Qt::AltModifier);
    EXPECT_EQ(down->value(), 0) << "a new page is shown from its top";
    EXPECT_TRUE(f.status().starts_with("Page 2 of 2   System 5 of 8   Stave 9 of 16"));
    EXPECT_TRUE(f.lit(9)) << "page 2 drawn with its first stave current";
    f.button(SpeedButton::sbPgUp)->trigger();
    EXPECT_EQ(f.editor().currentPage(), 1);
    f.ui.inputAnswers = {std::string("4"), std::string("7"), std::string("6")};
    f.item("GotoStave")->trigger();
    EXPECT_TRUE(f.lit(4));
    const std::pair<const char*, int> items[] = {{"GotoSystem", 13}, {"GotoPage", 9}, {"GotoTop", 1},
                                                 {"Nextpage", 9},    {"GotoEnd", 16}, {"PreviousPage", 1}};
    for (auto [name, stave] : items) {
        f.item(name)->trigger();
        EXPECT_EQ(f.editor().currentStave(), stave) << name;
    }
    EXPECT_TRUE(f.ui.messages.empty()) << "an advanced user is not told about the clamping";
    f.click({200, 355});
    EXPECT_TRUE(f.lit(4));
    EXPECT_TRUE(f.status().starts_with("Page 1 of 2   System 2 of 8   Stave 4 of 16"));
    f.click({300, 500}, Qt::RightButton);
    EXPECT_TRUE(f.lit(6) && f.editor().cursorX == 200);
    f.key(Qt::Key_Right), f.key(Qt::Key_Right, Qt::ControlModifier), f.key(Qt::Key_Left);
    EXPECT_EQ(f.editor().cursorX, 210) << "the arrows move the cursor 1 and 10, not the page";
    for (int i = 0; i < 20; ++i)
        f.key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(f.editor().cursorX, 17) << "the cursor stays on the stave";
    // A stave's handle dragged moves it and those below, and leaves nothing behind.
    Score& score = f.window().document().score;
    const int y3 = score.stave(3).Ycoord;
    QTest::mousePress(&f.view(), Qt::LeftButton, {}, f.view().toWidget({17, 202}));
    EXPECT_EQ(std::pair(f.editor().mode, f.editor().currentStave()), std::pair(int(ModeMovestave), 2));
    QTest::mouseMove(&f.view(), f.view().toWidget({17, 208}));
    QTest::mouseRelease(&f.view(), Qt::LeftButton, {}, f.view().toWidget({17, 208}));
    EXPECT_EQ(std::tuple(f.editor().mode, score.stave(2).Ycoord, score.stave(3).Ycoord, score.modified),
              std::tuple(int(ModeMusic), 208, y3 + 6, true));
    const QImage dragged = f.window().drawContext().MainImage.copy();
    f.item("pageRedraw")->trigger();
    EXPECT_TRUE(dragged == f.window().drawContext().MainImage) << "nothing left where the stave was";
}

TEST(Export, TheFileMenusPcxItemWritesTheCurrentPage) {
    Frame f;
    f.open();
    f.ui.fileAnswers = {f.dir.at("page.PCX")};
    f.item("PcxOutput")->trigger();
    ASSERT_EQ(f.ui.fileRequests.size(), 1u);
    EXPECT_EQ(f.ui.fileRequests[0].fileName, "demo copy.PCX");
    EXPECT_EQ(f.ui.lastText(), PcxSavedMessage);
    EXPECT_GT(fs::file_size(f.dir.at("page.PCX")), 128u);
    EXPECT_EQ(f.editor().mode, ModeMusic);
}

TEST(Screens, TheHeaderFooterScreenAndThePreviewOpenAndClose) {
    Frame f;
    f.open();
    f.item("DefineHeadersFooters")->trigger();
    ASSERT_TRUE(f.ui.messages.empty()); // the demo score has a footer strip
    EXPECT_EQ(f.frame.modeLabel()->text() + "|" + f.item("DefineHeadersFooters")->text(),
              "HeadFoot|Close &Header/Footer screen");
    EXPECT_TRUE(f.status().starts_with("Header/Footer screen. "));
    f.button(SpeedButton::sbcloseHF)->trigger();
    EXPECT_TRUE(f.editor().mode == ModeMusic && f.status().starts_with("Page 1 of 2"));
    f.item("filePreview")->trigger();
    ASSERT_EQ(f.editor().mode, ModePreview);
    PreviewPanel& preview = *f.window().previewPanel();
    EXPECT_EQ(preview.label(), "Page 1");
    EXPECT_FALSE(preview.rightImage()->pixmap().isNull());
    EXPECT_FALSE(preview.leftImage()->isVisibleTo(&preview) || preview.previousButton()->isEnabled());
    preview.nextButton()->click();
    EXPECT_EQ(preview.label(), "Page 2") << "the even page alone, on the left";
    EXPECT_TRUE(!preview.leftImage()->pixmap().isNull() && preview.leftImage()->isVisibleTo(&preview));
    EXPECT_FALSE(preview.rightImage()->isVisibleTo(&preview) || preview.nextButton()->isEnabled());
    preview.previousButton()->click();
    EXPECT_TRUE(preview.label() == "Page 1" && preview.rightImage()->isVisibleTo(&preview));
    QTest::keyClick(&preview, Qt::Key_Escape);
    EXPECT_EQ(f.editor().mode, ModeMusic);
}

// Page 1 is a right-hand page: alone, it stands right of the middle, where page 3
// of the next spread will stand; the even page 2 stands left of the middle.
TEST(Screens, ThePreviewShowsPageOneOnTheRightAndStartsWithTheDetailsSetting) {
    for (const bool details : {false, true}) {
        Frame f(3, details ? "Previewdetails=1\n" : "Previewdetails=0\n");
        f.open();
        f.item("filePreview")->trigger();
        PreviewPanel& preview = *f.window().previewPanel();
        EXPECT_EQ(preview.detailsButton()->isChecked(), details);
        EXPECT_EQ(preview.details(), details);
        const int middle = preview.width() / 2;
        EXPECT_GE(preview.rightImage()->geometry().left(), middle - 10);
        preview.nextButton()->click();
        EXPECT_LE(preview.leftImage()->geometry().right(), middle + 10);
        QTest::keyClick(&preview, Qt::Key_Escape);
        preview.detailsButton()->toggle(); // the next preview starts from the setting again
        f.item("filePreview")->trigger();
        EXPECT_EQ(preview.detailsButton()->isChecked(), details);
    }
}

TEST(Modes, TheFirstClickEntersMusicAndTheToolsAndKeysFollowTheMode) {
    Frame f;
    f.open(false);
    f.frame.clickSound().resetCount();
    f.click({300, 130});
    EXPECT_TRUE(f.frame.modeLabel()->text() == "Music" && f.frame.clickSound().playCount() == 1);
    EXPECT_TRUE(f.button(SpeedButton::sbMusic)->isChecked() && f.button(SpeedButton::sbPgDn)->isEnabled());
    EXPECT_TRUE(f.button(SpeedButton::sbredraw)->isEnabled() && f.item("FileSaveItem")->isEnabled());
    EXPECT_FALSE(f.button(SpeedButton::sbPgUp)->isEnabled());
    EXPECT_EQ(f.item("DeleteStaveitem")->shortcut(), QKeySequence(Qt::Key_Delete));
    SetMode(f.window().session(), ModeEdit);
    EXPECT_TRUE(f.item("DeleteStaveitem")->shortcut().isEmpty()) << "Del belongs to Edit mode there";
    SetMode(f.window().session(), ModeMusic);
    EXPECT_EQ(f.item("DeleteStaveitem")->shortcut(), QKeySequence(Qt::Key_Delete));
    SetMode(f.window().session(), ModeText);
    EXPECT_TRUE(f.item("FileSaveItem")->shortcut().isEmpty() && f.item("PlaceClef")->shortcut().isEmpty());
    SetMode(f.window().session(), ModeMusic);
    EXPECT_EQ(f.item("FileSaveItem")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    emit f.window().menus().front()->aboutToShow(); // the key that opened a menu is not the mode's
    QTest::keyRelease(&f.window(), Qt::Key_A);
    EXPECT_FALSE(f.window().document().score.provisional.present);
    QTest::keyRelease(&f.window(), Qt::Key_A);
    EXPECT_TRUE(f.window().document().score.provisional.present) << "the next release is Music mode's A";
}

TEST(Options, OkAppliesTheSettingsRedrawsThePageAndWritesThem) {
    Frame f(3, "[Colours]\nInk=255\n");
    f.open();
    EXPECT_GT(f.count(red), 1000) << "the ink is red";
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
            if (b->text() == "S&peed bar" || b->text() == "Reset to De&fault") b->click(); // reset: Yes
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    for (QAction* a : f.frame.menuBar()->actions())
        if (a->text() == "&Options...") a->trigger();
    EXPECT_FALSE(f.frame.speedBar()->isVisible());
    EXPECT_EQ(f.count(red), 0) << "the page is drawn again in the new ink";
    const Settings written = readConfiguration(f.config);
    EXPECT_TRUE(!written.options.Speedpanel && written.colours.Ink == 0u);
}

TEST(Close, AModifiedScoreAsksAndEachChoiceDoesItsPartAndExitWritesTheSettingsAndRecentList) {
    for (CloseChoice choice :
         {CloseChoice::BackToScore, CloseChoice::QuitAndAbort, CloseChoice::SaveAndExit}) {
        Frame f;
        const std::string file = f.open(false);
        const auto before = fs::last_write_time(file);
        f.window().document().score.modified = true;
        int asked = 0;
        f.window().closeQuestion = [&] { return ++asked, choice; };
        const bool closed = f.frame.closeScore();
        EXPECT_TRUE(asked == 1 && closed == (choice != CloseChoice::BackToScore) &&
                    !f.frame.scoreWindow() == closed);
        EXPECT_EQ(fs::exists(fs::path(file).replace_extension(".QVB")), choice == CloseChoice::SaveAndExit);
        EXPECT_EQ(fs::last_write_time(file) == before, choice != CloseChoice::SaveAndExit);
    }
    Frame f(2, "[Files]\n1=/s1.QVR\n2=/s2.QVR\n");
    const std::string file = f.open(false);
    QStringList recent;
    for (QAction* a : f.frame.fileMenu()->actions())
        if (a->text().startsWith('&') && a->text().at(1).isDigit()) recent << a->text();
    EXPECT_EQ(recent, QStringList({"&1 " + QString::fromStdString(file), "&2 /s1.QVR", "&3 /s2.QVR"}));
    f.frame.newScore();
    EXPECT_EQ(f.ui.lastText(), "Please close the current score before opening another one.");
    f.window().closeQuestion = [] { return ADD_FAILURE() << "asked", CloseChoice::BackToScore; };
    f.item("FileCloseItem")->trigger();
    EXPECT_TRUE(!f.frame.scoreWindow() && f.button(SpeedButton::sbOpen)->isVisible() &&
                f.frame.modeLabel()->text().isEmpty());
    f.frame.setLevel(3);
    for (QAction* a : f.frame.fileMenu()->actions())
        if (a->text() == "E&xit") a->trigger();
    EXPECT_FALSE(f.frame.isVisible());
    const Settings written = readConfiguration(f.config);
    EXPECT_EQ(written.recentFiles, (std::vector<std::string>{file, "/s1.QVR", "/s2.QVR"}));
    EXPECT_EQ(written.Level, 3);
    std::vector<std::string> files;
    for (const int i : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10, 5})
        addRecentFile(files, "/s" + std::to_string(i));
    EXPECT_EQ(files,
              (std::vector<std::string>{"/s5", "/s10", "/s9", "/s8", "/s7", "/s6", "/s4", "/s3", "/s2"}));
    const std::tuple<int, int, int> heights[] = {
        {20, 900, 100}, {250, 900, 250}, {800, 900, 600}, {300, 120, 100}};
    for (auto [wanted, client, height] : heights)
        EXPECT_EQ(clampTutorialHeight(wanted, client), height) << wanted << " in " << client;
}

} // namespace
} // namespace qv
