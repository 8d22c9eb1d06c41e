// The Options dialog: filled from the settings and read back unchanged, each
// control setting its own value, the undo depth refused while a score is open,
// colours chosen and reset, units, language, and the open score's options.

#include "shell/optionsdialog.h"

#include "model/score.h"
#include "support/scriptedui.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <functional>

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::ScriptedUi;

QAbstractButton* button(QWidget& w, const QString& caption) {
    for (QAbstractButton* b : w.findChildren<QAbstractButton*>())
        if (b->text() == caption) return b;
    ADD_FAILURE() << "no control \"" << caption.toStdString() << "\"";
    return nullptr;
}

template <typename Box> Box* field(QWidget& w, const QString& caption) {
    for (QLabel* l : w.findChildren<QLabel*>())
        if (l->text() == caption)
            if (auto* box = qobject_cast<Box*>(l->buddy())) return box;
    ADD_FAILURE() << "no box labelled \"" << caption.toStdString() << "\"";
    return nullptr;
}

QSpinBox* spin(QWidget& w, const QString& caption) {
    return field<QSpinBox>(w, caption);
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
    o.Undo = 250;
    o.Units = false;
    o.Sound = false;
    o.Scrollbars = true;
    o.Tips = false;
    o.Slowscroll = false;
    o.Scrollspeed = 8;
    o.Cursorthickness = 3;
    o.Cursortype = 2;
    o.Linewidth = 4;
    o.Curvedepth = 0;
    o.Speedpanel = false;
    o.HintsOff = true;
    o.CClef = false;
    o.FiveStyles = false;
    o.TwoDot = false;
    o.NaturalsInKeyChange = false;
    o.Previewdetails = true;
    o.FastCPU = true;
    o.Templates = false;
    o.Language = 1;
    o.EditCursor = 5;
    o.Infilter = 1;
    s.colours.Ink = 0x102030;
    s.colours.Cursor = 0x00AA00;
    s.colours.Defaultform = 0x405060;
    s.colours.Background = 0x111111;
    s.defaultStaveSize = 0.45;
    s.defaultSpacing = 5;
    s.Level = 3;
    s.recentFiles = {"/music/a.QVR"};
    s.templates = {templateEntry("Hymn", "hymn.QVT")};
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
        const std::optional<DocumentOptions> score = DocumentOptions{5, 6, 33};
        OptionsDialog dialog(s, score, ui);
        EXPECT_EQ(dialog.settings(), s);
        EXPECT_EQ(dialog.document(), score);
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
        QAbstractButton* control = button(dialog, c.caption);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(pageOf(dialog, control), c.page) << c.caption;
        control->click();
        Settings expected = original;
        c.expect(expected.options);
        EXPECT_EQ(dialog.settings(), expected) << c.caption;
    }

    const std::pair<const char*, std::pair<int, int OptionSettings::*>> spins[] = {
        {"U&ndo depth", {330, &OptionSettings::Undo}},
        {"&Scroll Speed", {2, &OptionSettings::Scrollspeed}},
        {"Line &Width", {5, &OptionSettings::Linewidth}},
        {"Cur&ve Depth", {0, &OptionSettings::Curvedepth}},
    };
    for (const auto& [caption, change] : spins) {
        OptionsDialog dialog(original, std::nullopt, ui);
        QSpinBox* box = spin(dialog, caption);
        ASSERT_NE(box, nullptr);
        box->setValue(change.first);
        Settings expected = original;
        expected.options.*change.second = change.first;
        EXPECT_EQ(dialog.settings(), expected) << caption;
    }
    OptionsDialog dialog(original, std::nullopt, ui);
    EXPECT_EQ(spin(dialog, "U&ndo depth")->maximum(), 1000);
    EXPECT_EQ(spin(dialog, "U&ndo depth")->singleStep(), 10);
    EXPECT_EQ(pageOf(dialog, spin(dialog, "U&ndo depth")), "Desktop");
    const std::pair<const char*, const char*> groups[] = {{"Spacing Gap", "Document"},
                                                          {"Pulse", "Document"},
                                                          {"Thickness", "Cursor"},
                                                          {"Type", "Cursor"},
                                                          {"Units of measurements", "Size"}};
    for (const auto& [title, page] : groups) {
        QGroupBox* found = nullptr;
        for (QGroupBox* g : dialog.findChildren<QGroupBox*>())
            if (g->title() == title) found = g;
        ASSERT_NE(found, nullptr) << title;
        EXPECT_EQ(pageOf(dialog, found), page) << title;
    }
    EXPECT_EQ(pageOf(dialog, button(dialog, "&New Colour")), "Cursor");
    EXPECT_EQ(pageOf(dialog, button(dialog, "Reset to De&fault")), "Colours");
    field<QComboBox>(dialog, "Default s&pacing for new scores")->setCurrentIndex(0);
    EXPECT_EQ(dialog.settings().defaultSpacing, 1);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(OptionsDialog, UndoDepthIsRefusedWhileAScoreIsOpen) {
    const Settings original; // depth 100
    {
        ScriptedUi ui;
        OptionsDialog dialog(original, DocumentOptions{}, ui);
        spin(dialog, "U&ndo depth")->setValue(300);
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << "the other options are still taken";
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text,
                  "Undo depth cannot be changed while a score is loaded.\n\nUndo depth is unchanged at 100");
        EXPECT_EQ(dialog.settings().options.Undo, 100);
    }
    {
        ScriptedUi ui;
        OptionsDialog dialog(original, std::nullopt, ui);
        spin(dialog, "U&ndo depth")->setValue(300);
        dialog.accept();
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(dialog.settings().options.Undo, 300);
    }
    {
        // Untouched, even a depth the box cannot show is no change.
        Settings deep;
        deep.options.Undo = 1500;
        ScriptedUi ui;
        OptionsDialog dialog(deep, DocumentOptions{}, ui);
        dialog.accept();
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(dialog.settings().options.Undo, 1500);
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
    button(dialog, "&Ink (normal)")->click();
    button(dialog, "&New Colour")->click();
    answer.reset(); // cancelled
    button(dialog, "Strin&gs")->click();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0], std::make_pair(std::uint32_t{0x102030}, QString("Ink (normal)")));
    EXPECT_EQ(asked[1], std::make_pair(std::uint32_t{0x00AA00}, QString("New Colour")));
    EXPECT_EQ(dialog.settings().colours.Ink, 0x123456u);
    EXPECT_EQ(dialog.settings().colours.Cursor, 0x123456u);
    EXPECT_EQ(dialog.settings().colours.Strings, original.colours.Strings);

    // The settings say American; the user switches to British before resetting.
    ui.buttonAnswers = {ButtonNo, ButtonYes};
    button(dialog, "Reset to De&fault")->click();
    EXPECT_EQ(ui.lastText(), "Please confirm reset of colors (including cursor) to program default.");
    EXPECT_EQ(ui.messages.back().buttons, ButtonYes | ButtonNo);
    EXPECT_EQ(dialog.settings().colours.Ink, 0x123456u) << "No keeps the colours";
    button(dialog, "Us&e UK names")->click();
    button(dialog, "Reset to De&fault")->click();
    EXPECT_EQ(ui.lastText(), "Please confirm reset of colours (including cursor) to program default.");
    ColourSettings expected;
    expected.Background = original.colours.Background; // not the dialog's to reset
    EXPECT_EQ(dialog.settings().colours, expected);
}

TEST(OptionsDialog, TheColourDialogGivesWindowsColourValues) {
    ScriptedUi ui;
    OptionsDialog dialog(Settings{}, std::nullopt, ui);
    QTimer::singleShot(0, [] {
        auto* chooser = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(chooser->currentColor(), QColor(0x80, 0x80, 0x80)) << "opens on the anchors' grey";
        chooser->setCurrentColor(QColor(0x12, 0x34, 0x56));
        chooser->accept();
    });
    button(dialog, "&Anchors")->click();
    EXPECT_EQ(dialog.settings().colours.Anchor, 0x563412u);
}

TEST(OptionsDialog, UnitsChangeHowTheDefaultStaveSizeIsShownNotItsValue) {
    ScriptedUi ui;
    Settings original;
    original.defaultStaveSize = 0.333;
    OptionsDialog dialog(original, std::nullopt, ui);
    QDoubleSpinBox* size = field<QDoubleSpinBox>(dialog, "Default stave si&ze");
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(pageOf(dialog, size), "Size");
    EXPECT_DOUBLE_EQ(size->value(), 0.333);
    EXPECT_EQ(size->suffix(), "\"");

    button(dialog, "&Millimetres")->click();
    EXPECT_DOUBLE_EQ(size->value(), 8.5);
    EXPECT_EQ(size->suffix(), " mm");
    EXPECT_GE(size->minimum() * 0.03937, 0.2);
    EXPECT_LE(size->maximum() * 0.03937, 0.6);
    EXPECT_FALSE(dialog.settings().options.Units);
    EXPECT_DOUBLE_EQ(dialog.settings().defaultStaveSize, 0.333) << "shown rounded, kept exact";

    size->setValue(10.0);
    EXPECT_NEAR(dialog.settings().defaultStaveSize, 0.3937, 1e-9);
    button(dialog, "In&ches")->click();
    EXPECT_DOUBLE_EQ(size->value(), 0.394);
    EXPECT_TRUE(dialog.settings().options.Units);
}

TEST(OptionsDialog, LanguageNamesThePulses) {
    ScriptedUi ui;
    auto pulseCaptions = [](OptionsDialog& d) {
        QStringList names;
        for (QRadioButton* r : d.findChildren<QRadioButton*>())
            if (pageOf(d, r) == "Document") names << r->text();
        return names.mid(5); // after the five spacing grades
    };
    OptionsDialog british(Settings{}, DocumentOptions{}, ui);
    EXPECT_EQ(pulseCaptions(british),
              QStringList({"Semibreve", "Minim", "Crotchet", "Quaver", "Semiquaver", "Demisemiquaver"}));
    button(british, "Use U&S names")->click();
    EXPECT_EQ(pulseCaptions(british), QStringList({"Whole note", "Half note", "Quarter note", "Eighth note",
                                                   "Sixteenth note", "Thirty-second note"}));
    Settings american;
    american.options.Language = 1;
    OptionsDialog opened(american, DocumentOptions{}, ui);
    EXPECT_TRUE(button(opened, "Use U&S names")->isChecked());
    EXPECT_EQ(pulseCaptions(opened)[2], "Quarter note");
}

TEST(OptionsDialog, TheDocumentPageBelongsToTheOpenScore) {
    ScriptedUi ui;
    {
        OptionsDialog dialog(Settings{}, std::nullopt, ui);
        EXPECT_FALSE(dialog.document().has_value());
        EXPECT_FALSE(button(dialog, "Crotchet")->isEnabled());
        EXPECT_FALSE(spin(dialog, "Change minimum beaming angle")->isEnabled());
    }
    OptionsDialog dialog(Settings{}, DocumentOptions{4, 5, 20}, ui);
    EXPECT_TRUE(button(dialog, "Wide")->isChecked());
    EXPECT_TRUE(button(dialog, "Semiquaver")->isChecked());
    EXPECT_EQ(spin(dialog, "Change minimum beaming angle")->value(), 20);
    button(dialog, "Very close")->click();
    button(dialog, "Minim")->click();
    spin(dialog, "Change minimum beaming angle")->setValue(30);
    EXPECT_EQ(dialog.document(), (DocumentOptions{1, 2, 30}));
    EXPECT_EQ(dialog.settings(), Settings{}) << "the score's options are not settings";

    Score score;
    EXPECT_FALSE(applyDocumentOptions(score, documentOptionsOf(score)));
    EXPECT_FALSE(score.modified);
    ASSERT_TRUE(applyDocumentOptions(score, *dialog.document()));
    EXPECT_EQ(score.Spacing, 1);
    EXPECT_EQ(score.Pulse, 2);
    EXPECT_EQ(score.Beamang, 30);
    EXPECT_DOUBLE_EQ(score.beamSlopeLimit, std::tan(30 / 57.3));
    EXPECT_TRUE(score.modified);
}

TEST(OptionsDialog, RunGivesTheSettingsOnOkAndNothingOnCancel) {
    ScriptedUi ui;
    auto press = [](QDialogButtonBox::StandardButton which) {
        QTimer::singleShot(0, [which] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), "Options");
            button(*dialog, "Sound &effects")->click();
            QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
        });
    };
    press(QDialogButtonBox::Ok);
    const auto result = runOptionsDialog(nullptr, Settings{}, DocumentOptions{2, 3, 10}, ui);
    ASSERT_TRUE(result.has_value());
    EXPECT_FALSE(result->settings.options.Sound);
    EXPECT_EQ(result->document, (DocumentOptions{2, 3, 10}));
    press(QDialogButtonBox::Cancel);
    EXPECT_FALSE(runOptionsDialog(nullptr, Settings{}, std::nullopt, ui).has_value());
}

} // namespace
} // namespace qv
