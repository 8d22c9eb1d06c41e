// The Options dialog: filled from the settings and read back unchanged, each
// control setting its own value on its page, the undo depth refused while a score
// is open, colours chosen and reset, units, language, and the open score's options.

#include "shell/optionsdialog.h"

#include "drivenui.h"
#include "model/score.h"
#include "support/scriptedui.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

#include <cmath>
#include <functional>

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::buttonCalled;
using test::ScriptedUi;

template <typename Box = QSpinBox> Box* field(QWidget& w, const QString& caption) {
    for (QLabel* l : w.findChildren<QLabel*>())
        if (l->text() == caption)
            if (auto* box = qobject_cast<Box*>(l->buddy())) return box;
    ADD_FAILURE() << "no box labelled \"" << caption.toStdString() << "\"";
    return nullptr;
}

// The tab page a control sits on.
QString pageOf(QWidget& dialog, QWidget* control) {
    auto* tabs = dialog.findChild<QTabWidget*>();
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i)->isAncestorOf(control)) return tabs->tabText(i);
    return {};
}

// Every setting with a control, away from its default.
Settings unusualSettings() {
    Settings s;
    OptionSettings& o = s.options;
    o.Units = o.Sound = o.Tips = o.Slowscroll = o.Speedpanel = false;
    o.CClef = o.FiveStyles = o.TwoDot = o.NaturalsInKeyChange = o.Templates = false;
    o.Scrollbars = o.HintsOff = o.Previewdetails = o.FastCPU = true;
    o.Undo = 250;
    o.Scrollspeed = 8;
    o.Cursorthickness = 3;
    o.Cursortype = 2;
    o.Linewidth = 4;
    o.Curvedepth = 0;
    o.Language = 1;
    o.EditCursor = 5;
    s.colours.Ink = 0x102030;
    s.colours.Cursor = 0x00AA00;
    s.colours.Background = 0x111111;
    s.defaultStaveSize = 0.45;
    s.defaultSpacing = 5;
    s.Level = 3;
    s.recentFiles = {"/music/a.QVR"};
    return s;
}

TEST(OptionsDialog, FilledFromTheSettingsAndReadBackUnchanged) {
    ScriptedUi ui;
    Settings outOfRange;
    outOfRange.options.Undo = 1500;
    outOfRange.options.Scrollspeed = 40;
    outOfRange.options.Cursorthickness = 7;
    outOfRange.options.Cursortype = 9;
    outOfRange.options.Linewidth = 12;
    for (const Settings& s : {Settings{}, unusualSettings(), outOfRange}) {
        OptionsDialog dialog(s, DocumentOptions{5, 6, 33}, ui);
        EXPECT_EQ(dialog.settings(), s);
        EXPECT_EQ(dialog.document(), (DocumentOptions{5, 6, 33}));
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST(OptionsDialog, EachControlSetsItsOwnSettingOnItsPage) {
    struct Case {
        const char* page;
        const char* caption;
        std::function<void(OptionSettings&)> expect;
    };
    const Case clicks[] = {
        {"Desktop", "Sound &effects", [](OptionSettings& o) { o.Sound = false; }},
        {"Desktop", "S&peed bar", [](OptionSettings& o) { o.Speedpanel = false; }},
        {"Desktop", "Signposts o&ff", [](OptionSettings& o) { o.HintsOff = true; }},
        {"Desktop", "&I have a fast computer", [](OptionSettings& o) { o.FastCPU = true; }},
        {"Desktop", "No templ&ates", [](OptionSettings& o) { o.Templates = false; }},
        {"Desktop", "Use scroll &bars instead of dragging the page",
         [](OptionSettings& o) { o.Scrollbars = true; }},
        {"Desktop", "Show the &tip of the day at start-up", [](OptionSettings& o) { o.Tips = false; }},
        {"Desktop", "Print preview shows the music in &detail",
         [](OptionSettings& o) { o.Previewdetails = true; }},
        {"Musical", "Allo&w Double/triple dotting with . after note name",
         [](OptionSettings& o) { o.TwoDot = false; }},
        {"Musical", "Alto and tenor &clefs in the clef cycle", [](OptionSettings& o) { o.CClef = false; }},
        {"Musical", "All five note &head styles in the style cycle",
         [](OptionSettings& o) { o.FiveStyles = false; }},
        {"Musical", "Natu&rals in key changes (new scores)",
         [](OptionSettings& o) { o.NaturalsInKeyChange = false; }},
        {"Language", "Use U&S names", [](OptionSettings& o) { o.Language = 1; }},
        {"Cursor", "&3", [](OptionSettings& o) { o.Cursorthickness = 3; }},
        {"Cursor", "C&ross", [](OptionSettings& o) { o.Cursortype = 2; }},
        {"Cursor", "B&ox", [](OptionSettings& o) { o.Cursortype = 1; }},
        {"Cursor", "Slow Scrollin&g", [](OptionSettings& o) { o.Slowscroll = false; }},
        {"Size", "&Millimetres", [](OptionSettings& o) { o.Units = false; }},
    };
    ScriptedUi ui;
    const Settings original;
    for (const Case& c : clicks) {
        OptionsDialog dialog(original, std::nullopt, ui);
        QAbstractButton* control = buttonCalled(dialog, c.caption);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(pageOf(dialog, control), c.page) << c.caption;
        control->click();
        Settings expected = original;
        c.expect(expected.options);
        EXPECT_EQ(dialog.settings(), expected) << c.caption;
    }
    const std::tuple<const char*, int, int, int, int OptionSettings::*> spins[] = {
        {"U&ndo depth", 0, 1000, 330, &OptionSettings::Undo},
        {"&Scroll Speed", 1, 10, 2, &OptionSettings::Scrollspeed},
        {"Line &Width", 0, 5, 5, &OptionSettings::Linewidth},
        {"Cur&ve Depth", 0, 5, 0, &OptionSettings::Curvedepth},
    };
    for (const auto& [caption, low, high, value, member] : spins) {
        OptionsDialog dialog(original, std::nullopt, ui);
        QSpinBox* box = field(dialog, caption);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->minimum(), low) << caption;
        EXPECT_EQ(box->maximum(), high) << caption;
        box->setValue(value);
        Settings expected = original;
        expected.options.*member = value;
        EXPECT_EQ(dialog.settings(), expected) << caption;
    }
    OptionsDialog dialog(original, std::nullopt, ui);
    EXPECT_EQ(field(dialog, "U&ndo depth")->singleStep(), 10);
    field<QComboBox>(dialog, "Default s&pacing for new scores")->setCurrentIndex(0);
    EXPECT_EQ(dialog.settings().defaultSpacing, 1);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(OptionsDialog, UndoDepthIsRefusedWhileAScoreIsOpen) {
    for (auto [open, depth, typed, kept] :
         {std::tuple{true, 100, 300, 100},
          {false, 100, 300, 300},
          {true, 1500, 0, 1500}}) { // untouched: even a depth the box cannot show
        ScriptedUi ui;
        Settings original;
        original.options.Undo = depth;
        OptionsDialog dialog(original, open ? std::optional(DocumentOptions{}) : std::nullopt, ui);
        if (typed) field(dialog, "U&ndo depth")->setValue(typed);
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << "the other options are still taken";
        EXPECT_EQ(dialog.settings().options.Undo, kept);
        EXPECT_EQ(ui.lastText(), kept == typed || !typed
                                     ? ""
                                     : "Undo depth cannot be changed while a score is loaded.\n\n"
                                       "Undo depth is unchanged at 100");
    }
}

TEST(OptionsDialog, ColoursAreChosenAndResetOnlyOnYesInTheUsersSpelling) {
    ScriptedUi ui;
    const Settings original = unusualSettings();
    OptionsDialog dialog(original, std::nullopt, ui);
    std::vector<std::pair<std::uint32_t, QString>> asked;
    std::optional<std::uint32_t> answer = 0x123456;
    dialog.setColourChooser([&](std::uint32_t current, const QString& title) {
        asked.emplace_back(current, title);
        return answer;
    });
    buttonCalled(dialog, "&Ink (normal)")->click();
    EXPECT_EQ(pageOf(dialog, buttonCalled(dialog, "&New Colour")), "Cursor");
    buttonCalled(dialog, "&New Colour")->click();
    answer.reset(); // cancelled
    buttonCalled(dialog, "Strin&gs")->click();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0], std::make_pair(std::uint32_t{0x102030}, QString("Ink (normal)")));
    EXPECT_EQ(asked[1], std::make_pair(std::uint32_t{0x00AA00}, QString("New Colour")));
    EXPECT_EQ(dialog.settings().colours.Ink, 0x123456u);
    EXPECT_EQ(dialog.settings().colours.Cursor, 0x123456u);
    EXPECT_EQ(dialog.settings().colours.Strings, original.colours.Strings);

    // The settings say American; the user switches to British before resetting.
    ui.buttonAnswers = {ButtonNo, ButtonYes};
    buttonCalled(dialog, "Reset to De&fault")->click();
    EXPECT_EQ(ui.lastText(), "Please confirm reset of colors (including cursor) to program default.");
    EXPECT_EQ(ui.messages.back().buttons, ButtonYes | ButtonNo);
    EXPECT_EQ(dialog.settings().colours.Ink, 0x123456u) << "No keeps the colours";
    buttonCalled(dialog, "Us&e UK names")->click();
    buttonCalled(dialog, "Reset to De&fault")->click();
    EXPECT_EQ(ui.lastText(), "Please confirm reset of colours (including cursor) to program default.");
    ColourSettings expected;
    expected.Background = original.colours.Background; // not the dialog's to reset
    EXPECT_EQ(dialog.settings().colours, expected);

    // The real chooser: it opens on the colour and gives it back as 0x00BBGGRR.
    OptionsDialog plain(Settings{}, std::nullopt, ui);
    QTimer::singleShot(0, [] {
        auto* chooser = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(chooser->currentColor(), QColor(0x80, 0x80, 0x80)) << "opens on the anchors' grey";
        chooser->setCurrentColor(QColor(0x12, 0x34, 0x56));
        chooser->accept();
    });
    buttonCalled(plain, "&Anchors")->click();
    EXPECT_EQ(plain.settings().colours.Anchor, 0x563412u);
}

TEST(OptionsDialog, UnitsChangeHowTheDefaultStaveSizeIsShownNotItsValue) {
    ScriptedUi ui;
    Settings original;
    original.defaultStaveSize = 0.333;
    OptionsDialog dialog(original, std::nullopt, ui);
    QDoubleSpinBox* size = field<QDoubleSpinBox>(dialog, "Default stave si&ze");
    ASSERT_NE(size, nullptr);
    EXPECT_DOUBLE_EQ(size->value(), 0.333);
    EXPECT_EQ(size->suffix(), "\"");
    buttonCalled(dialog, "&Millimetres")->click();
    EXPECT_DOUBLE_EQ(size->value(), 8.5);
    EXPECT_EQ(size->suffix(), " mm");
    EXPECT_GE(size->minimum() * 0.03937, 0.2);
    EXPECT_LE(size->maximum() * 0.03937, 0.6);
    EXPECT_DOUBLE_EQ(dialog.settings().defaultStaveSize, 0.333) << "shown rounded, kept exact";
    size->setValue(10.0);
    EXPECT_NEAR(dialog.settings().defaultStaveSize, 0.3937, 1e-9);
    buttonCalled(dialog, "In&ches")->click();
    EXPECT_DOUBLE_EQ(size->value(), 0.394);
}

TEST(OptionsDialog, TheDocumentPageBelongsToTheOpenScoreAndNamesThePulsesInTheLanguage) {
    ScriptedUi ui;
    {
        OptionsDialog dialog(Settings{}, std::nullopt, ui);
        EXPECT_FALSE(dialog.document().has_value());
        EXPECT_FALSE(buttonCalled(dialog, "Crotchet")->isEnabled());
        EXPECT_FALSE(field(dialog, "Change minimum beaming angle")->isEnabled());
    }
    OptionsDialog dialog(Settings{}, DocumentOptions{4, 5, 20}, ui);
    EXPECT_TRUE(buttonCalled(dialog, "Wide")->isChecked());
    EXPECT_TRUE(buttonCalled(dialog, "Semiquaver")->isChecked());
    EXPECT_EQ(field(dialog, "Change minimum beaming angle")->value(), 20);
    EXPECT_EQ(field(dialog, "Change minimum beaming angle")->maximum(), 45);
    buttonCalled(dialog, "Very close")->click();
    buttonCalled(dialog, "Minim")->click();
    field(dialog, "Change minimum beaming angle")->setValue(30);
    EXPECT_EQ(dialog.document(), (DocumentOptions{1, 2, 30}));
    EXPECT_EQ(dialog.settings(), Settings{}) << "the score's options are not settings";
    buttonCalled(dialog, "Use U&S names")->click();
    QStringList pulses;
    for (QRadioButton* r : dialog.findChildren<QRadioButton*>())
        if (pageOf(dialog, r) == "Document") pulses << r->text();
    EXPECT_EQ(pulses.mid(5), QStringList({"Whole note", "Half note", "Quarter note", "Eighth note",
                                          "Sixteenth note", "Thirty-second note"}));

    Score score;
    EXPECT_FALSE(applyDocumentOptions(score, documentOptionsOf(score)));
    EXPECT_FALSE(score.modified);
    ASSERT_TRUE(applyDocumentOptions(score, *dialog.document()));
    EXPECT_EQ(documentOptionsOf(score), (DocumentOptions{1, 2, 30}));
    EXPECT_DOUBLE_EQ(score.beamSlopeLimit, std::tan(30 / 57.3));
    EXPECT_TRUE(score.modified);
}

TEST(OptionsDialog, RunGivesTheSettingsOnOkAndNothingOnCancel) {
    ScriptedUi ui;
    for (auto which : {QDialogButtonBox::Ok, QDialogButtonBox::Cancel}) {
        QTimer::singleShot(0, [which] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), "Options");
            buttonCalled(*dialog, "Sound &effects")->click();
            QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
        });
        const auto result = runOptionsDialog(nullptr, Settings{}, DocumentOptions{2, 3, 10}, ui);
        ASSERT_EQ(result.has_value(), which == QDialogButtonBox::Ok);
        if (result) {
            EXPECT_FALSE(result->settings.options.Sound);
        }
        if (result) {
            EXPECT_EQ(result->document, (DocumentOptions{2, 3, 10}));
        }
    }
}

} // namespace
} // namespace qv
