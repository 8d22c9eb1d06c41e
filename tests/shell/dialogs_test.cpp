// The desktop's dialogs through their widgets: the Qt Ui's message and input boxes, and the Options dialog.

#include "files/partialsave.h"
#include "files/templates.h"
#include "model/score.h"
#include "shell/optionsdialog.h"
#include "shell/qtui.h"
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
#include <QMessageBox>
#include <QPointer>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <deque>
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

QAbstractButton* button(QWidget& parent, const QString& caption) {
    for (QAbstractButton* b : parent.findChildren<QAbstractButton*>())
        if (b->text() == caption) return b;
    ADD_FAILURE() << "no button \"" << caption.toStdString() << "\"";
    return nullptr;
}

template <typename Box = QSpinBox> Box* field(QWidget& w, const QString& caption) {
    for (QLabel* l : w.findChildren<QLabel*>())
        if (auto* box = qobject_cast<Box*>(l->buddy()); box && l->text() == caption) return box;
    ADD_FAILURE() << "no box labelled \"" << caption.toStdString() << "\"";
    return nullptr;
}

TEST(QtUi, MessageBoxesAndTheInputBoxShowWhatTheyAreGivenAndAnswerWhatWasChosen) {
    using B = QMessageBox;
    using M = MessageType;
    const std::tuple<M, Buttons, B::Icon, B::StandardButtons, B::StandardButton, Button> cases[] = {
        {M::Error, ButtonAbort | ButtonRetry | ButtonIgnore, B::Critical, B::Abort | B::Retry | B::Ignore,
         B::Retry, ButtonRetry},
        {M::Warning, ButtonOk | ButtonCancel, B::Warning, B::Ok | B::Cancel, B::Ok, ButtonOk},
        {M::Information, ButtonNone, B::Information, B::Ok, B::Ok, ButtonOk}, // always a way out
        {M::Confirmation, ButtonYes | ButtonNo | ButtonCancel | ButtonHelp, B::Question,
         B::Yes | B::No | B::Cancel | B::Help, B::Cancel, ButtonCancel},
        {M::Confirmation, ButtonYes | ButtonNo, B::Question, B::Yes | B::No, B::NoButton, ButtonNo},
    };
    DrivenUi ui;
    for (const auto& [type, buttons, icon, shown, press, answer] : cases) {
        ui.steps.push_back([&](QDialog& d) {
            auto* box = qobject_cast<QMessageBox*>(&d);
            EXPECT_EQ(std::pair(box->icon(), box->standardButtons()), std::pair(icon, shown));
            EXPECT_EQ(box->windowTitle() + box->text(), "QuaverlyAbout \"<b>x</b>\"\n\nline two");
            EXPECT_EQ(box->textFormat(), Qt::PlainText) << "markup in a name is shown as typed";
            press ? QTest::mouseClick(box->button(press), Qt::LeftButton)
                  : QTest::keyClick(box, Qt::Key_Escape);
        });
        EXPECT_EQ(ui.message(type, "About \"<b>x</b>\"\n\nline two", buttons), answer) << int(buttons);
    }
    ui.steps.push_back([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle() + qobject_cast<QInputDialog*>(&d)->labelText(),
                  "Quaverly TemplateGive a <b>description</b>:");
        QLineEdit* edit = d.findChild<QLineEdit*>();
        EXPECT_EQ(edit->text(), "old");
        edit->clear();
        QTest::keyClicks(edit, "Hymn tunes");
        QTest::keyClick(edit, Qt::Key_Return);
    });
    EXPECT_EQ(ui.inputBox("Quaverly Template", "Give a <b>description</b>:", "old"), "Hymn tunes");
    EXPECT_EQ(ui.inputBox("Set stave height", "New stave height (mm):", "8.5"), std::nullopt); // cancelled
    EXPECT_TRUE(ui.steps.empty());
    EXPECT_EQ(withDefaultExtension("/music/song.qvr", "QVR"), "/music/song.qvr");
    EXPECT_EQ(withDefaultExtension("/music.d/song", "QVR"), "/music.d/song.QVR") << "a dot in a folder";
    EXPECT_EQ(withDefaultExtension("/music/song", ""), "/music/song");
}

// The two choosers of the score files run as dialogs: the part's systems and the templates.
TEST(QtUi, ThePartAndTemplateChoosersAnswerWhatWasChosen) {
    DrivenUi ui;
    Score score;
    score.setStaveCount(4);
    SavePartDialog part(score, 1, ui);
    ui.steps.push_back([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Save Part of Score");
        button(d, "OK")->click();
    });
    EXPECT_TRUE(ui.runSavePartDialog(part));
    EXPECT_TRUE(part.chosen().has_value());
    Settings settings;
    settings.templates = {templateEntry("Hymn", "hymn.QVT"), templateEntry("Quartet", "quartet.QVT")};
    for (const bool choose : {true, false}) {
        TemplateSelectionDialog templates(settings, ui, "/templates");
        ui.steps.push_back([choose](QDialog& d) { choose ? button(d, "OK")->click() : d.reject(); });
        EXPECT_EQ(ui.runTemplateSelection(templates), choose);
        EXPECT_EQ(templates.chosenFile(), choose ? std::optional<std::string>("/templates/hymn.QVT") : std::nullopt);
    }
}

// A save chooser of several filters answers the name and the filter in force.
TEST(QtUi, TheSaveChooserTellsWhichFilterWasChosen) {
    DrivenUi ui;
    test::ScratchFolder dir;
    ui.steps.push_back([&](QDialog& d) {
        auto& chooser = dynamic_cast<QFileDialog&>(d);
        EXPECT_EQ(chooser.nameFilters().size(), 2);
        chooser.selectNameFilter(chooser.nameFilters().at(1));
        chooser.selectFile(QString::fromStdString(dir.at("box")));
        d.accept(); // QFileDialog::accept, which takes the name typed
    });
    const FileDialogRequest request{"PCX Export", dir.path(), "NONAME.PCX",
                                    "PCX files (*.PCX);;Windows bitmaps (*.BMP)", "PCX"};
    const std::optional<SaveChoice> choice = ui.saveFileChoice(request);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->filter, 1);
    EXPECT_EQ(choice->fileName, dir.at("box.PCX"));
    EXPECT_EQ(ui.saveFileChoice(request), std::nullopt); // cancelled
}

TEST(OptionsDialog, AtItsOwnSizeEveryTabShowsWithoutScrollArrows) {
    ScriptedUi ui;
    OptionsDialog dialog(Settings{}, DocumentOptions{}, ui);
    dialog.show();
    auto* bar = dialog.findChild<QTabBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_GE(bar->width(), bar->sizeHint().width());
    for (int i = 0; i < bar->count(); ++i)
        EXPECT_TRUE(bar->rect().contains(bar->tabRect(i))) << bar->tabText(i).toStdString();
}

TEST(OptionsDialog, FilledFromTheSettingsAndReadBackUnchangedAndEachControlSetsItsOwnSetting) {
    Settings unusual; // every setting with a control away from its default
    OptionSettings& o = unusual.options;
    o.Units = o.Sound = o.Tips = o.Slowscroll = o.Speedpanel = false;
    o.CClef = o.FiveStyles = o.TwoDot = o.NaturalsInKeyChange = o.Templates = false;
    o.Scrollbars = o.HintsOff = o.Previewdetails = o.FastCPU = true;
    o.Undo = 250, o.Scrollspeed = 8, o.Cursorthickness = 3, o.Cursortype = 2, o.Linewidth = 4, o.Language = 1;
    o.Curvedepth = 0, o.EditCursor = 5, unusual.colours.Ink = 0x102030, unusual.colours.Background = 0x111111;
    unusual.defaultStaveSize = 0.45, unusual.defaultSpacing = 5, unusual.Level = 3;
    Settings outOfRange; // left as they are unless the user changes them
    outOfRange.options.Undo = 1500, outOfRange.options.Scrollspeed = 40, outOfRange.options.Linewidth = 12;
    outOfRange.options.Cursorthickness = 7, outOfRange.options.Cursortype = 9;
    ScriptedUi ui;
    for (const Settings& s : {Settings{}, unusual, outOfRange}) {
        OptionsDialog dialog(s, DocumentOptions{5, 6, 33}, ui);
        EXPECT_TRUE(dialog.settings() == s && dialog.document() == DocumentOptions({5, 6, 33}));
    }
    using O = OptionSettings;
    bool O::*const flags[] = {&O::Sound,     &O::Speedpanel, &O::HintsOff,   &O::FastCPU,
                              &O::Templates, &O::Scrollbars, &O::Tips,       &O::Previewdetails,
                              &O::TwoDot,    &O::CClef,      &O::FiveStyles, &O::NaturalsInKeyChange,
                              &O::Slowscroll};
    const Settings original;
    const auto after = [&](const auto& act) {
        OptionsDialog dialog(original, std::nullopt, ui);
        return act(dialog), dialog.settings();
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
        if (typed) field(dialog, "U&ndo depth")->setValue(typed);
        dialog.accept();
        EXPECT_EQ(std::pair(dialog.result(), dialog.settings().options.Undo),
                  std::pair(int(QDialog::Accepted), kept));
        EXPECT_EQ(ui.lastText().ends_with("score is loaded.\n\nUndo depth is unchanged at 100"),
                  kept != typed && typed);
        ui.messages.clear();
    }
}

TEST(OptionsDialog, ColoursAreChosenAndResetOnlyOnYesInTheUsersSpelling) {
    ScriptedUi ui;
    Settings original; // American
    original.colours.Cursor = 0x00AA00, original.colours.Background = 0x111111, original.options.Language = 1;
    OptionsDialog dialog(original, std::nullopt, ui);
    std::vector<std::pair<std::uint32_t, QString>> asked;
    std::optional<std::uint32_t> answer = 0x123456;
    dialog.setColourChooser([&](std::uint32_t current, const QString& title) {
        asked.emplace_back(current, title);
        return answer;
    });
    button(dialog, "&Ink (normal)")->click();
    button(dialog, "&New Colour")->click();
    answer.reset(); // cancelled
    button(dialog, "Strin&gs")->click();
    EXPECT_EQ(asked, (std::vector<std::pair<std::uint32_t, QString>>{
                         {0, "Ink (normal)"}, {0x00AA00, "New Colour"}, {0xFF00FF, "Strings"}}));
    const ColourSettings chosen = dialog.settings().colours;
    EXPECT_EQ(std::tuple(chosen.Ink, chosen.Cursor, chosen.Strings),
              std::tuple(0x123456u, 0x123456u, 0xFF00FFu));
    // The user switches to British before the second reset.
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

// Units change how the default stave size is shown, not its value; the document page belongs to the open
// score and names the pulses in the user's language.
TEST(OptionsDialog, UnitsAndTheDocumentPage) {
    ScriptedUi ui;
    OptionsDialog dialog(Settings{}, std::nullopt, ui);
    auto* size = field<QDoubleSpinBox>(dialog, "Default stave si&ze");
    const auto shown = [size] { return std::pair(size->value(), size->suffix()); };
    EXPECT_EQ(shown(), std::pair(0.333, QString("\"")));
    button(dialog, "&Millimetres")->click();
    EXPECT_EQ(shown(), std::pair(8.5, QString(" mm")));
    EXPECT_TRUE(!dialog.settings().options.Units && size->minimum() * 0.03937 >= 0.2 &&
                size->maximum() * 0.03937 <= 0.6);
    EXPECT_DOUBLE_EQ(dialog.settings().defaultStaveSize, 0.333) << "shown rounded, kept exact";
    size->setValue(10.0);
    EXPECT_NEAR(dialog.settings().defaultStaveSize, 0.3937, 1e-9);
    button(dialog, "In&ches")->click();
    EXPECT_EQ(shown(), std::pair(0.394, QString("\"")));
    OptionsDialog none(Settings{}, std::nullopt, ui);
    EXPECT_FALSE(none.document() || button(none, "Crotchet")->isEnabled() || !button(none, "Crotchet")->isChecked() ||
                 field(none, "Change minimum beaming angle")->isEnabled()) << "the crotchet pulse shown, disabled";
    OptionsDialog document(Settings{}, DocumentOptions{4, 5, 20}, ui);
    EXPECT_TRUE(button(document, "Wide")->isChecked() && button(document, "Semiquaver")->isChecked());
    QSpinBox* angle = field(document, "Change minimum beaming angle");
    EXPECT_EQ(std::pair(angle->value(), angle->maximum()), std::pair(20, 45));
    button(document, "Very close")->click();
    button(document, "Minim")->click();
    angle->setValue(30);
    EXPECT_EQ(document.document(), (DocumentOptions{1, 2, 30}));
    button(document, "Use U&S names")->click();
    EXPECT_TRUE(button(document, "Half note")->isChecked());
    Score score;
    EXPECT_FALSE(applyDocumentOptions(score, documentOptionsOf(score)) || score.modified);
    ASSERT_TRUE(applyDocumentOptions(score, *document.document()));
    EXPECT_EQ(documentOptionsOf(score), (DocumentOptions{1, 2, 30}));
    EXPECT_TRUE(score.modified && score.beamSlopeLimit == std::tan(30 / 57.3));
}

} // namespace
} // namespace qv
