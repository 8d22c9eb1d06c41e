// The page against the printer: sizes and margins compared as the unit shows
// them, a landscape page turned onto the sheet, the largest page, and the
// questions before a print run.

#include "print/printerlimits.h"

#include "fakeprinter.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::FakePrinter;
using test::ScriptedUi;

PageData page(double width, double length, double margin = 0.5) {
    PageData p;
    p.Width = width;
    p.Length = length;
    p.TopM = p.BotM = p.LeftM = p.RightM = margin;
    return p;
}

LimitLines compare(const PageData& p, PrinterDevice& device, DisplayUnit unit) {
    Tpagedata printer(&device);
    EXPECT_TRUE(printer.refresh());
    return compareWithPrinter(p, printer, unit);
}

TEST(PrinterLimits, SizesAreComparedAsTheUnitShowsThem) {
    const auto In = DisplayUnit::Inches;
    const auto Mm = DisplayUnit::Millimetres;
    // 2100 dots at 254 to the inch are 210.0 mm.
    const struct {
        DisplayUnit unit;
        double width; // inches
        int resolution;
        double sheetWidth;
        const char* lines;
    } cases[] = {
        {In, 8.2504, 1000, 8.25, ""},
        {In, 8.2506, 1000, 8.25, "Your page width is 8.251\", printer maximum is 8.250\".\n"},
        {Mm, 210.04 / 25.4, 254, 2100 / 254.0, ""},
        {Mm, 210.06 / 25.4, 254, 2100 / 254.0, "Your page width is 210.1mm, printer maximum is 210.0mm.\n"},
    };
    for (const auto& c : cases) {
        FakePrinter device(c.sheetWidth, 11.0, 0.25, c.resolution);
        const LimitLines lines = compare(page(c.width, 11.0), device, c.unit);
        EXPECT_EQ(lines.size, c.lines) << c.width;
        EXPECT_EQ(lines.margins, "");
    }
}

TEST(PrinterLimits, SizeLinesComeFirstThenMarginsLeftTopRightBottom) {
    FakePrinter device(8.5, 11.0, 0.25);
    PageData p = page(9.0, 12.0);
    p.LeftM = 0.1;
    p.TopM = 0.2;
    p.RightM = 0.3; // wide enough
    p.BotM = 0.0;
    const LimitLines lines = compare(p, device, DisplayUnit::Inches);
    EXPECT_EQ(lines.all(), "Your page width is 9.000\", printer maximum is 8.500\".\n"
                           "Your page length is 12.000\", printer maximum is 11.000\".\n"
                           "Your left margin is 0.100\", printer min is 0.250\".\n"
                           "Your top margin is 0.200\", printer min is 0.250\".\n"
                           "Your bottom margin is 0.000\", printer min is 0.250\".\n");
    EXPECT_FALSE(lines.within());
    EXPECT_TRUE(compare(page(8.5, 11.0, 0.25), device, DisplayUnit::Inches).within())
        << "the limits themselves";
}

TEST(PrinterLimits, ALandscapePageIsTurnedOntoTheUprightSheet) {
    FakePrinter device(8.5, 11.0, 0.1);
    device.top = device.dots(0.5); // the printer cannot print the top half inch of its sheet
    PageData p = page(11.0, 8.5, 1.0);
    p.LeftM = 0.4;
    EXPECT_EQ(compare(p, device, DisplayUnit::Inches).margins, "")
        << "upright, the left strip is the narrow one";
    p.landscape = true;
    EXPECT_EQ(compare(p, device, DisplayUnit::Inches).all(),
              "Your top margin is 0.400\", printer min is 0.500\".\n")
        << "width and length exchanged, the page's left margin along the sheet's top";
    const PageData sheet = pageOnSheet(p);
    EXPECT_EQ(pageFromSheet(sheet, true), p);
}

TEST(PrinterLimits, LargestIsTheWholeSheetWithTheSmallestMargins) {
    FakePrinter device(8.5, 11.0, 0.25);
    Tpagedata printer(&device);
    ASSERT_TRUE(printer.refresh());
    PageData p = page(5.0, 7.0, 1.0);
    p.GutM = p.Header = p.Footer = 0.3;
    const PageData largest = largestPage(printer, p);
    EXPECT_EQ((std::vector<double>{largest.Width, largest.Length, largest.LeftM, largest.TopM, largest.RightM,
                                   largest.BotM, largest.GutM, largest.Header, largest.Footer}),
              (std::vector<double>{8.5, 11.0, 0.25, 0.25, 0.25, 0.25, 0.0, 0.0, 0.0}));
    // A sheet with strips of four widths: the largest landscape page passes its own check.
    device.left = device.dots(0.1);
    device.top = device.dots(0.2);
    device.right = device.dots(0.3);
    device.bottom = device.dots(0.4);
    ASSERT_TRUE(printer.refresh());
    p.landscape = true;
    const PageData turned = largestPage(printer, p);
    EXPECT_EQ((std::vector<double>{turned.Width, turned.Length, turned.LeftM, turned.TopM}),
              (std::vector<double>{11.0, 8.5, 0.2, 0.3}));
    EXPECT_TRUE(turned.landscape);
    EXPECT_TRUE(compareWithPrinter(turned, printer, DisplayUnit::Inches).within());
    EXPECT_TRUE(compareWithPrinter(turned, printer, DisplayUnit::Millimetres).within());
}

TEST(PrinterLimits, BeforePrintingTheUserIsAskedAboutSizeAndMarginsApart) {
    const std::string wide = "Your page width is 9.000\", printer maximum is 8.500\".\n";
    const std::string narrow = "Your left margin is 0.100\", printer min is 0.250\".\n";
    const std::string ask = "\nDo you wish to print anyway?";
    const struct {
        double width, left;
        std::deque<Button> answers;
        bool printed;
        std::vector<std::string> asked;
    } cases[] = {
        {8.5, 0.5, {}, true, {}},
        {9.0, 0.5, {ButtonNo}, false, {wide + ask}},
        {9.0, 0.1, {ButtonNo}, false, {wide + ask}},
        {9.0, 0.1, {ButtonYes, ButtonNo}, false, {wide + ask, narrow + ask}},
        {8.5, 0.1, {ButtonYes}, true, {narrow + ask}},
    };
    for (const auto& c : cases) {
        FakePrinter device(8.5, 11.0, 0.25);
        Tpagedata printer(&device);
        ScriptedUi ui;
        ui.buttonAnswers = c.answers;
        PageData p = page(c.width, 11.0);
        p.LeftM = c.left;
        EXPECT_EQ(checkPageForPrinting(p, printer, DisplayUnit::Inches, ui), c.printed)
            << c.width << " " << c.left;
        std::vector<std::string> asked;
        for (const auto& m : ui.messages) {
            asked.push_back(m.text);
            EXPECT_EQ(m.buttons, ButtonYes | ButtonNo);
        }
        EXPECT_EQ(asked, c.asked);
    }
}

TEST(PrinterLimits, APrinterThatDoesNotAnswerStopsTheRunAndIsSetToThePagesOrientation) {
    FakePrinter device(8.5, 11.0, 0.25);
    Tpagedata printer(&device);
    ScriptedUi ui;
    PageData p = page(11.0, 8.5);
    p.landscape = true;
    EXPECT_TRUE(checkPageForPrinting(p, printer, DisplayUnit::Inches, ui));
    EXPECT_TRUE(device.land);
    device.refuse = true;
    EXPECT_FALSE(checkPageForPrinting(p, printer, DisplayUnit::Inches, ui));
    EXPECT_EQ(ui.lastText(), "Problem addressing the printer driver for this printer.");
    EXPECT_EQ(ui.messages.back().type, MessageType::Error);
}

} // namespace
} // namespace qv
