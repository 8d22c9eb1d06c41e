// Page units, the music area, display units, the stave-size entry, turning the
// sheet and the printer's page capacities.

#include "model/pagegeometry.h"
#include "model/tpagedata.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(PageGeometry, MusicAreaInPageUnits) {
    const double third = 1.0 / 3.0;
    EXPECT_DOUBLE_EQ(pageUnitsPerInch(third), 96.0);
    PageData p;
    p.Width = 8.25;
    p.LeftM = 0.5;
    p.RightM = 0.5;
    p.GutM = 0.0;
    EXPECT_EQ(musicAreaWidth(p, third), 696) << "7.25 inches at 96 to the inch";
    p.Length = 11.0;
    p.TopM = 0.5;
    p.BotM = 0.5;
    p.Header = 0.5;
    p.Footer = 0.25;
    EXPECT_EQ(musicAreaHeight(p, third), 888);
    // At half-inch staves (64 to the inch, exact in binary) 1.5 page units across
    // round to 2 and 2.5 round to 2 as well: halves go to even.
    p.Width = 1.0 + 1.5 / 64.0;
    EXPECT_EQ(musicAreaWidth(p, 0.5), 2);
    p.Width = 1.0 + 2.5 / 64.0;
    EXPECT_EQ(musicAreaWidth(p, 0.5), 2);
    p.Width = 1.0 + 3.5 / 64.0;
    EXPECT_EQ(musicAreaWidth(p, 0.5), 4);
    const ScreenOffset shown = marginOffset(p, third, true);
    EXPECT_EQ(shown.x, 48);
    EXPECT_EQ(shown.y, 48);
    const ScreenOffset hidden = marginOffset(p, third, false);
    EXPECT_EQ(hidden.x, 0);
    EXPECT_EQ(hidden.y, 0);
}

TEST(PageGeometry, StaveSizesAreEnteredAsNumbersOrFractionsAndShownInTheUnit) {
    for (const auto& [typed, size] : {std::pair{"1/3", 1.0 / 3.0}, {"0.25", 0.25}, {" 8 ", 8.0}, {"3 / 8", 0.375}})
        EXPECT_DOUBLE_EQ(*parseStaveSizeEntry(typed), size) << typed;
    for (const char* bad : {"", "abc", "1/0", "1/", "/3", "0.3x", "1/2/3", "nan", "inf"})
        EXPECT_FALSE(parseStaveSizeEntry(bad).has_value()) << '"' << bad << '"';
    test::ScriptedUi ui;
    ui.inputAnswers = {std::string("eight"), std::string("8")};
    EXPECT_NEAR(*askStaveSize(ui, 0.3, DisplayUnit::Millimetres), 0.31496, 1e-9);
    EXPECT_TRUE(ui.saw("Bad number format. Please try again."));
    EXPECT_EQ(ui.prompts, (std::vector<std::string>{"New stave height (mm):", "New stave height (mm):"}));
    test::ScriptedUi inches;
    inches.inputAnswers = {std::string("1/3")};
    EXPECT_NEAR(*askStaveSize(inches, 0.3, DisplayUnit::Inches), 1.0 / 3.0, 1e-12);
    EXPECT_EQ(inches.prompts.at(0), "New stave height (\") or fraction eg 1/3:");
    test::ScriptedUi cancel; // no answers: the box is cancelled
    EXPECT_FALSE(askStaveSize(cancel, 0.3, DisplayUnit::Inches).has_value());
    EXPECT_EQ(formatStaveSize(1.0 / 3.0, DisplayUnit::Inches), "0.333");
    EXPECT_EQ(formatStaveSize(0.31496, DisplayUnit::Millimetres), "8.0");
}

TEST(PageGeometry, TurningTheSheetTurnsTheMargins) {
    PageData p;
    p.Width = 8.5;
    p.Length = 11.0;
    p.TopM = 1.0;
    p.RightM = 2.0;
    p.BotM = 3.0;
    p.LeftM = 4.0;
    const PageData portrait = p;
    toLandscape(p);
    EXPECT_EQ((std::vector<double>{p.Width, p.Length, p.TopM, p.LeftM, p.BotM, p.RightM}),
              (std::vector<double>{11.0, 8.5, 4.0, 3.0, 2.0, 1.0}));
    EXPECT_TRUE(p.landscape);
    toPortrait(p);
    EXPECT_EQ(p, portrait);
}

class FakePrinter : public PrinterDevice {
  public:
    bool refuseSize = false;
    bool upright = false; // a printer that only prints portrait
    bool land = false;
    void setLandscape(bool l) override { land = l && !upright; }
    bool landscape() const override { return land; }
    int resolutionX() const override { return 600; }
    int resolutionY() const override { return 300; }
    std::optional<Size> physicalSize() const override {
        if (refuseSize) return std::nullopt;
        return Size{5100, 3300};
    }
    Size printingOffset() const override { return {75, 60}; }
    Size printableSize() const override { return {4900, 3150}; }
};

TEST(Tpagedata, ReadsThePrinterOrTheStandardSheetAndConvertsToUnits) {
    FakePrinter printer;
    Tpagedata t(&printer);
    ASSERT_TRUE(t.refresh());
    EXPECT_DOUBLE_EQ(t.value(PageValue::PhysicalWidth, PageUnit::Inches), 8.5);
    EXPECT_NEAR(t.value(PageValue::PhysicalWidth, PageUnit::Millimetres), 215.9, 1e-9);
    EXPECT_DOUBLE_EQ(t.value(PageValue::PhysicalLength, PageUnit::Inches), 11.0) << "lengths use the vertical resolution";
    EXPECT_DOUBLE_EQ(t.value(PageValue::UnprintableRight, PageUnit::Dots), 5100 - 4900 - 75);
    EXPECT_DOUBLE_EQ(t.value(PageValue::UnprintableBottom, PageUnit::Dots), 3300 - 3150 - 60);
    EXPECT_DOUBLE_EQ(t.value(PageValue::LeftOffset, PageUnit::Inches), 0.125);
    t.setLandscape(true);
    EXPECT_TRUE(printer.land) << "the orientation is set on the printer";
    EXPECT_TRUE(t.landscape());
    printer.upright = true;
    t.setLandscape(true);
    EXPECT_FALSE(t.landscape()) << "a printer that cannot turn the sheet keeps it upright";
    printer.upright = false;
    printer.refuseSize = true;
    printer.land = false;
    EXPECT_FALSE(t.refresh());
    EXPECT_DOUBLE_EQ(t.value(PageValue::PhysicalWidth, PageUnit::Dots), 5100) << "fields kept on refusal";
    Tpagedata none; // without a printer, the standard sheet
    ASSERT_TRUE(none.refresh());
    EXPECT_EQ(none.resolutionX(), 300);
    EXPECT_DOUBLE_EQ(none.value(PageValue::PhysicalWidth, PageUnit::Inches), 8.0);
    EXPECT_DOUBLE_EQ(none.value(PageValue::PhysicalLength, PageUnit::Inches), 11.0);
    EXPECT_DOUBLE_EQ(none.value(PageValue::TopOffset, PageUnit::Inches), 0.6);
    PageData base;
    base.GutM = 0.7;
    base.Header = 0.4;
    const PageData p = pageFromPrinter(none, base);
    EXPECT_DOUBLE_EQ(p.Width, 8.0);
    EXPECT_DOUBLE_EQ(p.Length, 11.0);
    EXPECT_DOUBLE_EQ(p.RightM, 0.6);
    EXPECT_DOUBLE_EQ(p.GutM, 0.0);
    EXPECT_DOUBLE_EQ(p.Header, 0.4) << "header and footer are not the printer's";
    const PageData fallback = fallbackPage();
    EXPECT_DOUBLE_EQ(fallback.Width, 8.25);
    EXPECT_DOUBLE_EQ(fallback.LeftM, 0.5);
}

} // namespace
} // namespace qv
