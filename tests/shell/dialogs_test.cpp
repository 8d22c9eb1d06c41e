// The desktop's dialogs driven through their widgets: the Qt Ui's message boxes,
// input box, file choosers, busy pointer and progress window; the save-part and
// template dialogs; and the Options dialog.

#include "files/partialsave.h"
#include "files/templates.h"
#include "model/score.h"
#include "shell/optionsdialog.h"
#include "shell/qtui.h"
#include "support/scorebuilder.h"
#include "support/scratchfolder.h"
#include "support/scriptedui.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::ScriptedUi;

// A QtUi whose modal dialogs each run the test's next step once their event loop
// runs; a dialog without a step is cancelled, one its step leaves open fails.
struct DrivenUi : QtUi {
    std::deque<std::function<void(QDialog&)>> steps;
    int execDialog(QDialog& dialog) override {
        const auto step = steps.empty() ? [](QDialog& d) { d.reject(); } : steps.front();
        if (!steps.empty()) steps.pop_front();
        QPointer<QDialog> open(&dialog);
        QTimer::singleShot(0, &dialog, [open, step] { open ? step(*open) : void(); });
        QTimer::singleShot(5000, &dialog,
                           [open] { open ? (ADD_FAILURE() << "left open", open->reject()) : void(); });
        return QtUi::execDialog(dialog);
    }
};

// The child button with exactly this caption; fails the test when there is none.
QAbstractButton* button(QWidget& parent, const QString& caption) {
    for (QAbstractButton* b : parent.findChildren<QAbstractButton*>())
        if (b->text() == caption) return b;
    ADD_FAILURE() << "no button \"" << caption.toStdString() << "\"";
    return nullptr;
}

// The box a label stands for.
template <typename Box = QSpinBox> Box* field(QWidget& w, const QString& caption) {
    for (QLabel* l : w.findChildren<QLabel*>())
        if (auto* box = qobject_cast<Box*>(l->buddy()); box && l->text() == caption) return box;
    ADD_FAILURE() << "no box labelled \"" << caption.toStdString() << "\"";
    return nullptr;
}

TEST(QtUi, MessageBoxesShowTheTypeTextAndButtonsAndAnswerTheButtonPressed) {
    using B = QMessageBox;
    using M = MessageType;
    const std::tuple<M, Buttons, B::Icon, B::StandardButtons, B::StandardButton, Button> cases[] = {
        {M::Error, ButtonAbort | ButtonRetry | ButtonIgnore, B::Critical, B::Abort | B::Retry | B::Ignore,
         B::Retry, ButtonRetry},
        {M::Warning, ButtonOk | ButtonCancel, B::Warning, B::Ok | B::Cancel, B::Ok, ButtonOk},
        {M::Information, ButtonNone, B::Information, B::Ok, B::Ok, ButtonOk}, // always a way out
        {M::Confirmation, ButtonYes | ButtonNo | ButtonCancel | ButtonHelp, B::Question,
         B::Yes | B::No | B::Cancel | B::Help, B::Cancel, ButtonCancel},
        {M::Confirmation, ButtonYes | ButtonAbort, B::Question, B::Yes | B::Abort, B::NoButton, ButtonAbort},
        {M::Confirmation, ButtonYes | ButtonNo, B::Question, B::Yes | B::No, B::NoButton, ButtonNo},
    };
    for (const auto& [type, buttons, icon, shown, press, answer] : cases) {
        DrivenUi ui;
        ui.steps.push_back([&](QDialog& d) {
            auto* box = qobject_cast<QMessageBox*>(&d);
            EXPECT_EQ(box->icon(), icon);
            EXPECT_EQ(box->standardButtons(), shown) << "exactly the buttons asked for";
            EXPECT_EQ(box->windowTitle() + box->text(), "QuaverlyAbout \"<b>x</b>\"\n\nline two");
            EXPECT_EQ(box->textFormat(), Qt::PlainText) << "markup in a name is shown as typed";
            press ? QTest::mouseClick(box->button(press), Qt::LeftButton)
                  : QTest::keyClick(box, Qt::Key_Escape);
        });
        EXPECT_EQ(ui.message(type, "About \"<b>x</b>\"\n\nline two", buttons), answer) << int(buttons);
    }
}

TEST(QtUi, InputBoxAndFileChoosersStartAsAskedAndGiveWhatWasChosenOrNothing) {
    DrivenUi ui;
    ui.steps.push_back([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Quaverly Template");
        EXPECT_EQ(qobject_cast<QInputDialog*>(&d)->labelText(), "Give a <b>description</b>:");
        EXPECT_EQ(d.findChild<QLabel*>()->textFormat(), Qt::PlainText);
        QLineEdit* edit = d.findChild<QLineEdit*>();
        EXPECT_EQ(edit->text(), "old");
        edit->clear();
        QTest::keyClicks(edit, "Hymn tunes");
        QTest::keyClick(edit, Qt::Key_Return);
    });
    EXPECT_EQ(ui.inputBox("Quaverly Template", "Give a <b>description</b>:", "old"), "Hymn tunes");
    ui.steps.push_back([](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); });
    EXPECT_EQ(ui.inputBox("Set stave height", "New stave height (mm):", "8.5"), std::nullopt);

    EXPECT_EQ(withDefaultExtension("/music/song.qvr", "QVR"), "/music/song.qvr");
    EXPECT_EQ(withDefaultExtension("/music.d/song", "QVR"), "/music.d/song.QVR") << "a dot in a folder";
    EXPECT_EQ(withDefaultExtension("/music/song", ""), "/music/song");
    const test::ScratchFolder dir;
    std::ofstream(dir.at("Minuet.QVR")) << "x";
    for (bool saving : {true, false}) {
        ui.steps.push_back([&](QDialog& d) {
            auto* chooser = qobject_cast<QFileDialog*>(&d);
            EXPECT_EQ(chooser->windowTitle(), "Part");
            EXPECT_EQ(chooser->directory().canonicalPath().toStdString(),
                      std::filesystem::canonical(dir.path()).string());
            EXPECT_EQ(chooser->acceptMode(), saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
            EXPECT_EQ(chooser->fileMode(), saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
            EXPECT_EQ(chooser->nameFilters(), QStringList("Quaverly files (*.QVR)"));
            if (!saving) chooser->selectFile("Minuet.QVR");
            d.accept(); // QFileDialog::accept, as the chooser's own button does
        });
        ui.steps.push_back([](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); });
        const FileDialogRequest request{"Part", dir.path(), "part", "Quaverly files (*.QVR)", "QVR"};
        EXPECT_EQ(saving ? ui.saveFileName(request) : ui.openFileName(request),
                  dir.at(saving ? "part.QVR" : "Minuet.QVR"));
        EXPECT_EQ(saving ? ui.saveFileName(request) : ui.openFileName(request), std::nullopt);
    }
    EXPECT_TRUE(ui.steps.empty());
}

TEST(QtUi, TheWaitPointerIsBalancedAndTheProgressWindowShowsTheLatestText) {
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    {
        QtUi ui;
        ui.setBusy(true);
        ui.setBusy(true); // a long operation inside another
        ui.setBusy(false);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor) << "the outer one still runs";
        ui.setBusy(false);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        QApplication::setOverrideCursor(Qt::CrossCursor);
        ui.setBusy(false); // one too many: must not pop a pointer someone else set
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::CrossCursor);
        QApplication::restoreOverrideCursor();
        ui.setBusy(true);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "a Ui going away clears the busy pointer it set";

    QtUi ui;
    ui.showProgress("Score saved as /tmp/Minuet.QVR");
    QWidget* window = ui.progressWindow();
    ui.showProgress("Staves 3-4 saved as <part>.QVR");
    ASSERT_EQ(ui.progressWindow(), window);
    const QList<QLabel*> texts = window->findChildren<QLabel*>();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(window->isVisible() && !window->isModal());
    EXPECT_EQ(texts[0]->text() + "|" + texts[1]->text(), "Staves 3-4 saved as <part>.QVR|Please wait");
    EXPECT_EQ(texts[0]->textFormat(), Qt::PlainText) << "a name is not markup";
    ui.closeProgress();
    ui.closeProgress(); // closing twice is harmless
    EXPECT_EQ(ui.progressWindow(), nullptr);
}

TEST(SavePartWidget, TheArrowsTypingAndButtonsReachTheModel) {
    Score score = test::makeScore(6); // three systems of two staves
    for (int s : {1, 3, 5})
        score.stave(s).joinToNext = true;
    DrivenUi ui;
    SavePartDialog model(score, 4, ui);
    QDialog* outer = nullptr;
    ui.steps.push_back([&](QDialog& d) {
        outer = &d;
        auto* start = d.findChild<QSpinBox*>("startSystem");
        auto* end = d.findChild<QSpinBox*>("endSystem");
        const auto staves = [&d] {
            return d.findChild<QLabel*>("startStave")->text() + "-" +
                   d.findChild<QLabel*>("endStave")->text();
        };
        const auto type = [](QSpinBox* box, const char* text) {
            box->findChild<QLineEdit*>()->selectAll();
            QTest::keyClicks(box->findChild<QLineEdit*>(), text);
        };
        EXPECT_EQ(d.windowTitle(), "Save Part of Score");
        EXPECT_EQ(start->maximum(), 3);
        EXPECT_EQ(staves(), "Stave 3-Stave 4");
        QTest::keyClick(start, Qt::Key_Up); // above the end: the end follows
        EXPECT_EQ(staves(), "Stave 5-Stave 6");
        QTest::keyClick(end, Qt::Key_Down);
        QTest::keyClick(end, Qt::Key_Down); // below the start: the start follows
        EXPECT_EQ(staves(), "Stave 1-Stave 2");
        type(end, "2"); // typed, not committed: the start stays
        type(start, "3");
        EXPECT_EQ(staves(), "Stave 5-Stave 4");
        d.accept(); // OK with the start above the end: refused, the dialog stays open
        EXPECT_TRUE(d.isVisible());
        type(start, "1");
        type(end, "2"); // the refusal may have committed the start's 3, which moved the end
        button(d, "OK")->click();
    });
    ui.steps.push_back([&](QDialog& d) {
        EXPECT_EQ(qobject_cast<QMessageBox*>(&d)->text(),
                  "Start system number must not be greater than end system number.");
        EXPECT_EQ(d.parentWidget(), outer) << "the refusal stands over the dialog it refuses";
        d.accept();
    });
    ASSERT_TRUE(ui.runSavePartDialog(model));
    EXPECT_EQ(std::pair(model.chosen()->first, model.chosen()->last), std::pair(1, 4));
    for (const char* way : {"Let me show you!", "Cancel"}) {
        SavePartDialog again(score, 3, ui);
        ui.steps.push_back([way](QDialog& d) { button(d, way)->click(); });
        EXPECT_EQ(ui.runSavePartDialog(again), way[0] == 'L');
        EXPECT_EQ(again.chosen() ? again.chosen()->last : 0, way[0] == 'L' ? 6 : 0);
    }
    EXPECT_TRUE(ui.steps.empty());
}

TEST(TemplateSelectionWidget, TheListAndButtonsReachTheModel) {
    const test::ScratchFolder folder;
    Settings settings;
    for (const char* name : {"Hymn", "Piano <solo>", "Quartet"}) {
        settings.templates.push_back(templateEntry(name, std::string(name, 4) + ".QVT"));
        std::ofstream(folder.at(std::string(name, 4) + ".QVT")) << "x";
    }
    DrivenUi ui;
    const auto list = [](QDialog& d) { return d.findChild<QListWidget*>(); };
    const auto clickRow = [list](QDialog& d, int row, bool twice = false) {
        const QPoint at = list(d)->visualItemRect(list(d)->item(row)).center();
        QTest::mouseClick(list(d)->viewport(), Qt::LeftButton, {}, at);
        if (twice) QTest::mouseDClick(list(d)->viewport(), Qt::LeftButton, {}, at); // the second press
    };
    const std::function<void(QDialog&)> ways[] = {
        [&](QDialog& d) {
            EXPECT_EQ(list(d)->item(1)->text(), "Piano <solo>");
            clickRow(d, 2), button(d, "OK")->click();
        },
        [&](QDialog& d) { clickRow(d, 1, true); },
        [&](QDialog& d) {
            clickRow(d, 2), button(d, "Delete")->click(); // answered No
            EXPECT_EQ(list(d)->count(), 3);
            button(d, "Delete")->click(); // answered Yes
            EXPECT_EQ(std::pair(list(d)->count(), list(d)->currentRow()), std::pair(2, 0));
            button(d, "Delete")->click(), button(d, "Delete")->click();
            EXPECT_FALSE(button(d, "OK")->isEnabled() || button(d, "Delete")->isEnabled());
            QTest::keyClick(&d, Qt::Key_Escape); // no template
        },
    };
    const char* chosen[] = {"Quar.QVT", "Pian.QVT", nullptr};
    for (int i = 0; i < 3; ++i) {
        TemplateSelectionDialog model(settings, ui, folder.path());
        ui.steps.push_back(ways[i]);
        for (auto press : {QMessageBox::No, QMessageBox::Yes, QMessageBox::Yes, QMessageBox::Yes})
            if (i == 2)
                ui.steps.push_back(
                    [press](QDialog& d) { qobject_cast<QMessageBox*>(&d)->button(press)->click(); });
        EXPECT_EQ(ui.runTemplateSelection(model), chosen[i] != nullptr) << i;
        EXPECT_EQ(model.chosenFile(), chosen[i] ? std::optional(folder.at(chosen[i])) : std::nullopt) << i;
    }
    EXPECT_TRUE(settings.templates.empty() && folder.names().empty() && ui.steps.empty());
}

TEST(OptionsDialog, FilledFromTheSettingsAndReadBackUnchanged) {
    Settings unusual; // every setting with a control away from its default
    OptionSettings& o = unusual.options;
    o.Units = o.Sound = o.Tips = o.Slowscroll = o.Speedpanel = false;
    o.CClef = o.FiveStyles = o.TwoDot = o.NaturalsInKeyChange = o.Templates = false;
    o.Scrollbars = o.HintsOff = o.Previewdetails = o.FastCPU = true;
    o.Undo = 250, o.Scrollspeed = 8, o.Cursorthickness = 3, o.Cursortype = 2, o.Linewidth = 4,
    o.Curvedepth = 0;
    o.Language = 1, o.EditCursor = 5, unusual.colours.Ink = 0x102030, unusual.colours.Background = 0x111111;
    unusual.defaultStaveSize = 0.45, unusual.defaultSpacing = 5, unusual.Level = 3;
    Settings outOfRange; // left as they are unless the user changes them
    outOfRange.options.Undo = 1500, outOfRange.options.Scrollspeed = 40, outOfRange.options.Linewidth = 12;
    outOfRange.options.Cursorthickness = 7, outOfRange.options.Cursortype = 9;
    ScriptedUi ui;
    for (const Settings& s : {Settings{}, unusual, outOfRange}) {
        OptionsDialog dialog(s, DocumentOptions{5, 6, 33}, ui);
        EXPECT_EQ(dialog.settings(), s);
        EXPECT_EQ(dialog.document(), (DocumentOptions{5, 6, 33}));
    }
    EXPECT_TRUE(ui.messages.empty());
}

// Each check box turns over a setting of its own; the radio buttons and boxes set
// theirs, each box within its range.
TEST(OptionsDialog, EachControlSetsItsOwnSetting) {
    using O = OptionSettings;
    bool O::*const flags[] = {&O::Sound,     &O::Speedpanel, &O::HintsOff,   &O::FastCPU,
                              &O::Templates, &O::Scrollbars, &O::Tips,       &O::Previewdetails,
                              &O::TwoDot,    &O::CClef,      &O::FiveStyles, &O::NaturalsInKeyChange,
                              &O::Slowscroll};
    ScriptedUi ui;
    const Settings original;
    const auto after = [&](const auto& act) {
        OptionsDialog dialog(original, std::nullopt, ui);
        act(dialog);
        return dialog.settings();
    };
    std::set<std::size_t> turned;
    const auto boxes = OptionsDialog(original, std::nullopt, ui).findChildren<QCheckBox*>().size();
    for (qsizetype i = 0; i < boxes; ++i) {
        const Settings changed = after([i](QDialog& d) { d.findChildren<QCheckBox*>()[i]->click(); });
        for (std::size_t f = 0; f < std::size(flags); ++f) {
            Settings expected = original;
            expected.options.*flags[f] = !(original.options.*flags[f]);
            if (changed == expected) turned.insert(f);
        }
    }
    EXPECT_EQ(std::pair(std::size_t(boxes), turned.size()), std::pair(std::size(flags), std::size(flags)));
    EXPECT_FALSE(after([](QDialog& d) { button(d, "Sound &effects")->click(); }).options.Sound);
    for (const auto& [caption, member, value] : {std::tuple{"&3", &O::Cursorthickness, 3},
                                                 {"C&ross", &O::Cursortype, 2},
                                                 {"B&ox", &O::Cursortype, 1},
                                                 {"Use U&S names", &O::Language, 1}})
        EXPECT_EQ(after([&](QDialog& d) { button(d, caption)->click(); }).options.*member, value) << caption;
    for (const auto& [caption, low, high, member] : {std::tuple{"U&ndo depth", 0, 1000, &O::Undo},
                                                     {"&Scroll Speed", 1, 10, &O::Scrollspeed},
                                                     {"Line &Width", 0, 5, &O::Linewidth},
                                                     {"Cur&ve Depth", 0, 5, &O::Curvedepth}})
        for (const int value : {low - 1, low, high, high + 1}) {
            Settings expected = original;
            expected.options.*member = std::clamp(value, low, high);
            EXPECT_EQ(after([&](QDialog& d) { field(d, caption)->setValue(value); }), expected)
                << caption << value;
        }
    const auto spacing = [](QDialog& d) {
        field<QComboBox>(d, "Default s&pacing for new scores")->setCurrentIndex(0);
    };
    EXPECT_EQ(after(spacing).defaultSpacing, 1);
    EXPECT_TRUE(ui.messages.empty());

    // Undo depth: refused while a score is open; untouched, even a depth the box cannot show is kept.
    for (auto [open, depth, typed, kept] :
         {std::tuple{true, 100, 300, 100}, {false, 100, 300, 300}, {true, 1500, 0, 1500}}) {
        Settings s;
        s.options.Undo = depth;
        OptionsDialog dialog(s, open ? std::optional(DocumentOptions{}) : std::nullopt, ui);
        EXPECT_EQ(field(dialog, "U&ndo depth")->singleStep(), 10);
        if (typed) field(dialog, "U&ndo depth")->setValue(typed);
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << "the other options are still taken";
        EXPECT_EQ(dialog.settings().options.Undo, kept);
        EXPECT_EQ(ui.lastText(), kept != typed && typed
                                     ? "Undo depth cannot be changed while a score is loaded.\n\n"
                                       "Undo depth is unchanged at 100"
                                     : "");
        ui.messages.clear();
    }
}

TEST(OptionsDialog, ColoursAreChosenAndResetOnlyOnYesInTheUsersSpelling) {
    ScriptedUi ui;
    Settings original;
    original.colours.Cursor = 0x00AA00, original.colours.Background = 0x111111, original.options.Language = 1;
    OptionsDialog dialog(original, std::nullopt, ui);
    std::vector<std::pair<std::uint32_t, QString>> asked;
    std::optional<std::uint32_t> answer = 0x123456;
    dialog.setColourChooser([&](std::uint32_t current, const QString& title) {
        asked.emplace_back(current, title);
        return answer;
    });
    // Side by side, none under another: a click reaches the button under the pointer.
    auto* tabs = dialog.findChild<QTabWidget*>();
    tabs->setCurrentIndex(5);
    dialog.show();
    for (QPushButton* b : tabs->currentWidget()->findChildren<QPushButton*>())
        EXPECT_EQ(tabs->currentWidget()->childAt(b->geometry().center()), b) << b->text().toStdString();
    button(dialog, "&Ink (normal)")->click();
    button(dialog, "&New Colour")->click();
    answer.reset(); // cancelled
    button(dialog, "Strin&gs")->click();
    EXPECT_EQ(asked, (std::vector<std::pair<std::uint32_t, QString>>{
                         {0, "Ink (normal)"}, {0x00AA00, "New Colour"}, {0xFF00FF, "Strings"}}));
    const ColourSettings chosen = dialog.settings().colours;
    EXPECT_EQ(std::tuple(chosen.Ink, chosen.Cursor, chosen.Strings),
              std::tuple(0x123456u, 0x123456u, 0xFF00FFu));

    // The settings say American; the user switches to British before resetting.
    ui.buttonAnswers = {ButtonNo, ButtonYes};
    button(dialog, "Reset to De&fault")->click();
    EXPECT_EQ(ui.lastText(), "Please confirm reset of colors (including cursor) to program default.");
    EXPECT_EQ(ui.messages.back().buttons, ButtonYes | ButtonNo);
    EXPECT_EQ(dialog.settings().colours, chosen) << "No keeps the colours";
    button(dialog, "Us&e UK names")->click();
    button(dialog, "Reset to De&fault")->click();
    EXPECT_EQ(ui.lastText(), "Please confirm reset of colours (including cursor) to program default.");
    ColourSettings expected;
    expected.Background = original.colours.Background; // not the dialog's to reset
    EXPECT_EQ(dialog.settings().colours, expected);

    // The real chooser: it opens on the colour and gives it back as 0x00BBGGRR.
    QTimer::singleShot(0, [] {
        auto* chooser = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(chooser->currentColor(), QColor(0x80, 0x80, 0x80)) << "opens on the anchors' grey";
        chooser->setCurrentColor(QColor(0x12, 0x34, 0x56));
        chooser->accept();
    });
    OptionsDialog plain(Settings{}, std::nullopt, ui);
    button(plain, "&Anchors")->click();
    EXPECT_EQ(plain.settings().colours.Anchor, 0x563412u);
}

TEST(OptionsDialog, UnitsChangeHowTheDefaultStaveSizeIsShownNotItsValue) {
    ScriptedUi ui;
    OptionsDialog dialog(Settings{}, std::nullopt, ui);
    auto* size = field<QDoubleSpinBox>(dialog, "Default stave si&ze");
    const auto shown = [size] { return std::pair(size->value(), size->suffix()); };
    EXPECT_EQ(shown(), std::pair(0.333, QString("\"")));
    button(dialog, "&Millimetres")->click();
    EXPECT_EQ(shown(), std::pair(8.5, QString(" mm")));
    EXPECT_FALSE(dialog.settings().options.Units);
    EXPECT_TRUE(size->minimum() * 0.03937 >= 0.2 && size->maximum() * 0.03937 <= 0.6);
    EXPECT_DOUBLE_EQ(dialog.settings().defaultStaveSize, 0.333) << "shown rounded, kept exact";
    size->setValue(10.0);
    EXPECT_NEAR(dialog.settings().defaultStaveSize, 0.3937, 1e-9);
    button(dialog, "In&ches")->click();
    EXPECT_EQ(shown(), std::pair(0.394, QString("\"")));
    dialog.findChild<QTabWidget*>()->setCurrentWidget(size->parentWidget());
    dialog.show();
    QWidget* units = button(dialog, "In&ches")->parentWidget();
    EXPECT_EQ(units->height(), units->sizeHint().height()) << "the page's controls keep to its top";
}

TEST(OptionsDialog, TheDocumentPageBelongsToTheOpenScoreAndNamesThePulsesInTheLanguage) {
    ScriptedUi ui;
    OptionsDialog none(Settings{}, std::nullopt, ui);
    EXPECT_EQ(none.document(), std::nullopt);
    EXPECT_FALSE(button(none, "Crotchet")->isEnabled() ||
                 field(none, "Change minimum beaming angle")->isEnabled());
    OptionsDialog dialog(Settings{}, DocumentOptions{4, 5, 20}, ui);
    EXPECT_TRUE(button(dialog, "Wide")->isChecked() && button(dialog, "Semiquaver")->isChecked());
    QSpinBox* angle = field(dialog, "Change minimum beaming angle");
    EXPECT_EQ(std::pair(angle->value(), angle->maximum()), std::pair(20, 45));
    button(dialog, "Very close")->click();
    button(dialog, "Minim")->click();
    angle->setValue(30);
    EXPECT_EQ(dialog.document(), (DocumentOptions{1, 2, 30}));
    EXPECT_EQ(dialog.settings(), Settings{}) << "the score's options are not settings";
    button(dialog, "Use U&S names")->click();
    EXPECT_TRUE(button(dialog, "Half note")->isChecked());

    Score score;
    EXPECT_FALSE(applyDocumentOptions(score, documentOptionsOf(score)) || score.modified);
    ASSERT_TRUE(applyDocumentOptions(score, *dialog.document()));
    EXPECT_EQ(documentOptionsOf(score), (DocumentOptions{1, 2, 30}));
    EXPECT_DOUBLE_EQ(score.beamSlopeLimit, std::tan(30 / 57.3));
    EXPECT_TRUE(score.modified);
}

} // namespace
} // namespace qv
