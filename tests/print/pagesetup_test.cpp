// The page setup dialog's model: the unit and orientation switches, Largest, the
// printable area, and the ways OK closes the dialog or keeps it open.

#include "print/pagesetup.h"

#include "fakeprinter.h"
#include "model/settings.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::FakePrinter;
using test::ScriptedUi;
using F = PageSetupDialog::Field;

PageData a4() {
    PageData p;
    p.Width = 8.27;
    p.Length = 11.69;
    p.TopM = p.BotM = p.LeftM = p.RightM = 0.5;
    return p;
}

struct Dialog {
    FakePrinter device{8.5, 11.69, 0.25};
    Tpagedata printer{&device};
    ScriptedUi ui;
    PageSetupDialog dialog;
    explicit Dialog(const PageData& page = a4(), DisplayUnit unit = DisplayUnit::Inches)
        : dialog(page, false, unit, printer, ui) {}
};

TEST(PageSetup, TheUnitSwitchShowsEveryFieldAgainAndKeepsWhatWasNotTyped) {
    Dialog d;
    EXPECT_EQ(d.dialog.text(F::Width), "8.270");
    ASSERT_TRUE(d.dialog.setUnit(DisplayUnit::Millimetres));
    EXPECT_EQ(d.dialog.text(F::Width), "210.1");
    EXPECT_EQ(d.dialog.text(F::Top), "12.7");
    EXPECT_EQ(d.dialog.printableWidth(), "184.7mm");
    d.dialog.setText(F::Gutter, "5 mm");
    EXPECT_FALSE(d.dialog.setUnit(DisplayUnit::Inches));
    EXPECT_EQ(d.ui.lastText(), "Box contains invalid numeric format");
    EXPECT_EQ(d.dialog.unit(), DisplayUnit::Millimetres);
    EXPECT_EQ(d.dialog.printableWidth(), "") << "nothing to show while a field is not a number";
    d.dialog.setText(F::Gutter, "25.4");
    ASSERT_TRUE(d.dialog.setUnit(DisplayUnit::Inches));
    EXPECT_EQ(d.dialog.text(F::Gutter), "1.000");
    EXPECT_EQ(d.dialog.text(F::Width), "8.270");
    ASSERT_TRUE(d.dialog.accept());
    EXPECT_EQ(d.dialog.page().Width, 8.27) << "210.1 mm shown, 8.27 inches kept";
    EXPECT_DOUBLE_EQ(d.dialog.page().GutM, 1.0);
}

TEST(PageSetup, TheOrientationSwitchTurnsTheSheetAndItsMargins) {
    PageData p = a4();
    p.TopM = 0.1, p.RightM = 0.2, p.BotM = 0.3, p.LeftM = 0.4, p.Header = 0.6;
    Dialog d(p);
    ASSERT_TRUE(d.dialog.setLandscape(true));
    EXPECT_EQ(
        (std::vector<std::string>{d.dialog.text(F::Length), d.dialog.text(F::Width), d.dialog.text(F::Top),
                                  d.dialog.text(F::Bottom), d.dialog.text(F::Left), d.dialog.text(F::Right),
                                  d.dialog.text(F::Header)}),
        (std::vector<std::string>{"8.270", "11.690", "0.400", "0.200", "0.300", "0.100", "0.600"}));
    d.dialog.setText(F::Left, "?");
    EXPECT_FALSE(d.dialog.setLandscape(false));
    EXPECT_TRUE(d.dialog.landscape());
    EXPECT_TRUE(d.ui.saw("Box contains invalid numeric format"));
}

TEST(PageSetup, LargestTakesThePrintersSheetInTheChosenOrientation) {
    Dialog d;
    d.dialog.setText(F::Header, "0.75");
    ASSERT_TRUE(d.dialog.largest());
    for (const auto& [f, text] : {std::pair{F::Width, "8.500"},
                                  {F::Length, "11.690"},
                                  {F::Top, "0.250"},
                                  {F::Left, "0.250"},
                                  {F::Gutter, "0.000"},
                                  {F::Header, "0.000"}})
        EXPECT_EQ(d.dialog.text(f), text);
    ASSERT_TRUE(d.dialog.setLandscape(true));
    ASSERT_TRUE(d.dialog.largest());
    EXPECT_TRUE(d.device.land) << "the printer read in the chosen orientation";
    EXPECT_EQ(d.dialog.text(F::Width), "11.690");
    d.device.refuse = true;
    EXPECT_FALSE(d.dialog.largest());
    EXPECT_EQ(d.ui.lastText(), "Problem addressing the printer driver for this printer.");
}

// What the user types, how the questions are answered, and what OK comes to.
TEST(PageSetup, OKClosesWithTheValuesTheLargestPageOrNotAtAll) {
    const std::string beyond =
        "Your page width is 9.000\", printer maximum is 8.500\".\n"
        "\n\nShall I load the largest page size your printer will hold for ALL these details?";
    const struct {
        const char* name;
        F field;
        const char* text;
        bool refuse;
        std::deque<Button> answers;
        bool closes;
        double widthKept;
        std::vector<std::string> shown;
    } cases[] = {
        {"within", F::Width, "8.4", false, {}, true, 8.4, {}},
        {"load the largest", F::Width, "9", false, {ButtonYes}, true, 8.5, {beyond}},
        {"keep anyway",
         F::Width,
         "9",
         false,
         {ButtonNo, ButtonOk},
         true,
         9.0,
         {beyond, "Save these values anyway?"}},
        {"think again",
         F::Width,
         "9",
         false,
         {ButtonNo, ButtonCancel},
         false,
         0,
         {beyond, "Save these values anyway?"}},
        {"not a number", F::Width, "9..", false, {}, false, 0, {"Box contains invalid numeric format"}},
        {"printer silent",
         F::Width,
         "9",
         true,
         {},
         true,
         9.0,
         {"Problem addressing the printer driver for this printer."}},
        {"paper too large",
         F::Width,
         "30",
         false,
         {},
         false,
         0,
         {"The paper must be from 3.000\" to 24.000\" each way, and no more than 12.000\" on its shorter "
          "side."}},
        {"no room for music",
         F::Left,
         "7.5",
         false,
         {},
         false,
         0,
         {"Margins, gutter, header and footer cannot be negative, and must leave at least 1.000\" of paper "
          "for "
          "the music each way."}},
        {"negative",
         F::Gutter,
         "-0.5",
         false,
         {},
         false,
         0,
         {"Margins, gutter, header and footer cannot be negative, and must leave at least 1.000\" of paper "
          "for "
          "the music each way."}},
    };
    for (const auto& c : cases) {
        Dialog d;
        d.device.refuse = c.refuse;
        d.ui.buttonAnswers = c.answers;
        d.dialog.setText(c.field, c.text);
        d.dialog.setText(F::Footer, "0.25");
        EXPECT_EQ(d.dialog.accept(), c.closes) << c.name;
        EXPECT_EQ(d.dialog.isOpen(), !c.closes) << c.name;
        std::vector<std::string> shown;
        for (const auto& m : d.ui.messages)
            shown.push_back(m.text);
        EXPECT_EQ(shown, c.shown) << c.name;
        if (!c.closes) continue;
        EXPECT_DOUBLE_EQ(d.dialog.page().Width, c.widthKept) << c.name;
        EXPECT_DOUBLE_EQ(d.dialog.page().Footer, c.widthKept == 8.5 ? 0.0 : 0.25) << c.name;
    }
}

TEST(PageSetup, AMillimetrePageIsCheckedInMillimetres) {
    Dialog d(a4(), DisplayUnit::Millimetres);
    d.dialog.setText(F::Width, "216");
    d.ui.buttonAnswers = {ButtonNo, ButtonCancel};
    EXPECT_FALSE(d.dialog.accept());
    EXPECT_EQ(d.ui.messages.at(0).text,
              "Your page width is 216.0mm, printer maximum is 215.9mm.\n"
              "\n\nShall I load the largest page size your printer will hold for ALL "
              "these details?");
}

TEST(PageSetup, TheDefaultPageChangesOnlyWithOK) {
    Settings settings;
    settings.options.Units = false;
    const PageData before = settings.defaultPage;
    FakePrinter device(8.5, 11.69, 0.25);
    ScriptedUi ui;
    ui.pageSetupScript = [](PageSetupDialog& d) {
        EXPECT_EQ(d.unit(), DisplayUnit::Millimetres);
        d.setText(F::Top, "25.4");
        d.setFacing(true);
        d.cancel();
        return false;
    };
    EXPECT_FALSE(defaultPageSetup(settings, &device, ui));
    EXPECT_EQ(settings.defaultPage, before);
    EXPECT_FALSE(settings.defaultFacing);
    ui.pageSetupScript = [](PageSetupDialog& d) {
        d.setText(F::Top, "25.4");
        d.setFacing(true);
        return d.accept();
    };
    EXPECT_TRUE(defaultPageSetup(settings, &device, ui));
    EXPECT_DOUBLE_EQ(settings.defaultPage.TopM, 1.0);
    EXPECT_EQ(settings.defaultPage.Width, before.Width);
    EXPECT_TRUE(settings.defaultFacing);
}

} // namespace
} // namespace qv
