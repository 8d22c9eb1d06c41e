// The page setup dialog's model: the unit and orientation switches, Largest, and
// the ways OK closes the dialog or keeps it open.

#include "print/pagesetup.h"

#include "fakeprinter.h"
#include "model/settings.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using F = PageSetupDialog::Field;
inline const char* const Invalid = "Box contains invalid numeric format";

// An A4 page (as the default page setup has it) and a printer of 8.5 x 11.69 inches.
struct Dialog {
    test::FakePrinter device{8.5, 11.69, 0.25};
    Tpagedata printer{&device};
    test::ScriptedUi ui;
    PageSetupDialog dialog;
    explicit Dialog(DisplayUnit unit = DisplayUnit::Inches)
        : dialog(Settings().defaultPage, false, unit, printer, ui) {}
};

TEST(PageSetup, TheSwitchesShowTheFieldsAgainAndRefuseAFieldThatIsNotANumber) {
    Dialog d;
    ASSERT_TRUE(d.dialog.setUnit(DisplayUnit::Millimetres));
    EXPECT_EQ(d.dialog.text(F::Width), "210.1");
    EXPECT_EQ(d.dialog.printableWidth(), "184.7mm");
    d.dialog.setText(F::Gutter, "5 mm");
    EXPECT_FALSE(d.dialog.setUnit(DisplayUnit::Inches));
    EXPECT_FALSE(d.dialog.setLandscape(true));
    EXPECT_EQ(d.ui.messages.size(), 2u);
    EXPECT_EQ(d.ui.lastText(), Invalid);
    EXPECT_TRUE(d.dialog.unit() == DisplayUnit::Millimetres && !d.dialog.landscape());
    d.dialog.setText(F::Gutter, "25.4");
    d.dialog.setText(F::Left, "25.4");
    ASSERT_TRUE(d.dialog.setUnit(DisplayUnit::Inches));
    EXPECT_EQ(d.dialog.text(F::Gutter), "1.000");
    ASSERT_TRUE(d.dialog.setLandscape(true));
    EXPECT_EQ((std::vector<std::string>{d.dialog.text(F::Width), d.dialog.text(F::Length),
                                        d.dialog.text(F::Top), d.dialog.text(F::Gutter)}),
              (std::vector<std::string>{"11.690", "8.270", "1.000", "1.000"}));
    ASSERT_TRUE(d.dialog.setLandscape(false));
    ASSERT_TRUE(d.dialog.accept());
    EXPECT_EQ(d.dialog.page().Width, 8.27) << "210.1 mm shown, 8.27 inches kept";
    EXPECT_DOUBLE_EQ(d.dialog.page().LeftM, 1.0);
}

TEST(PageSetup, LargestReadsThePrinterInTheChosenOrientation) {
    Dialog d;
    ASSERT_TRUE(d.dialog.setLandscape(true));
    d.dialog.setText(F::Header, "0.75");
    ASSERT_TRUE(d.dialog.largest());
    EXPECT_TRUE(d.device.land);
    EXPECT_EQ(d.dialog.text(F::Width) + " " + d.dialog.text(F::Top) + " " + d.dialog.text(F::Header),
              "11.690 0.250 0.000");
    d.device.refuse = true;
    EXPECT_FALSE(d.dialog.largest());
    EXPECT_EQ(d.ui.lastText(), "Problem addressing the printer driver for this printer.");
}

// What the user types, how the questions are answered, and what OK comes to.
TEST(PageSetup, OKClosesWithTheValuesTheLargestPageOrNotAtAll) {
    const std::string beyond =
        "Your page width is 9.000\", printer maximum is 8.500\".\n"
        "\n\nShall I load the largest page size your printer will hold for ALL these details?";
    const std::string noRoom =
        "Margins, gutter, header and footer cannot be negative, and must leave at least "
        "1.000\" of paper for the music each way.";
    const struct {
        F field;
        const char* text;
        bool refuse;
        std::deque<Button> answers;
        double widthKept; // 0: the dialog stays open
        std::vector<std::string> shown;
    } cases[] = {
        {F::Width, "8.4", false, {}, 8.4, {}},
        {F::Width, "9", false, {ButtonYes}, 8.5, {beyond}},
        {F::Width, "9", false, {ButtonNo, ButtonOk}, 9.0, {beyond, "Save these values anyway?"}},
        {F::Width, "9", false, {ButtonNo, ButtonCancel}, 0, {beyond, "Save these values anyway?"}},
        {F::Width, "9..", false, {}, 0, {Invalid}},
        {F::Width, "9", true, {}, 9.0, {"Problem addressing the printer driver for this printer."}},
        {F::Width,
         "30",
         false,
         {},
         0,
         {"The paper must be from 3.000\" to 24.000\" each way, and no more than 12.000\" on its shorter "
          "side."}},
        {F::Left, "7.5", false, {}, 0, {noRoom}},
        {F::Gutter, "-0.5", false, {}, 0, {noRoom}},
    };
    for (const auto& c : cases) {
        Dialog d;
        d.device.refuse = c.refuse;
        d.ui.buttonAnswers = c.answers;
        d.dialog.setText(c.field, c.text);
        d.dialog.setText(F::Footer, "0.25");
        EXPECT_EQ(d.dialog.accept(), c.widthKept > 0) << c.text;
        EXPECT_EQ(d.dialog.isOpen(), c.widthKept == 0) << c.text;
        std::vector<std::string> shown;
        for (const auto& m : d.ui.messages)
            shown.push_back(m.text);
        EXPECT_EQ(shown, c.shown) << c.text;
        if (d.dialog.isOpen()) continue;
        EXPECT_DOUBLE_EQ(d.dialog.page().Width, c.widthKept) << c.text;
        EXPECT_DOUBLE_EQ(d.dialog.page().Footer, c.answers.empty() || c.answers[0] != ButtonYes ? 0.25 : 0.0);
    }
}

} // namespace
} // namespace qv
