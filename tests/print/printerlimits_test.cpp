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

PageData page(double width, double length, double margin = 0.5) {
    PageData p;
    p.Width = width, p.Length = length;
    p.TopM = p.BotM = p.LeftM = p.RightM = margin;
    return p;
}

LimitLines compare(const PageData& p, PrinterDevice& device, DisplayUnit unit = DisplayUnit::Inches) {
    Tpagedata printer(&device);
    EXPECT_TRUE(printer.refresh());
    return compareWithPrinter(p, printer, unit);
}

TEST(PrinterLimits, ValuesAreComparedAsTheUnitShowsThemSizesFirstThenMargins) {
    const auto Mm = DisplayUnit::Millimetres;
    const struct {
        DisplayUnit unit;
        double width; // inches
        int resolution;
        double sheetWidth; // 2100 dots at 254 to the inch are 210.0 mm
        const char* lines;
    } cases[] = {
        {DisplayUnit::Inches, 8.2504, 1000, 8.25, ""},
        {DisplayUnit::Inches, 8.2506, 1000, 8.25,
         "Your page width is 8.251\", printer maximum is 8.250\".\n"},
        {Mm, 210.04 / 25.4, 254, 2100 / 254.0, ""},
        {Mm, 210.06 / 25.4, 254, 2100 / 254.0, "Your page width is 210.1mm, printer maximum is 210.0mm.\n"},
    };
    for (const auto& c : cases) {
        FakePrinter device(c.sheetWidth, 11.0, 0.25, c.resolution);
        EXPECT_EQ(compare(page(c.width, 11.0), device, c.unit).all(), c.lines) << c.width;
    }
    FakePrinter device(8.5, 11.0, 0.25);
    PageData p = page(9.0, 12.0);
    p.LeftM = 0.1, p.TopM = 0.2, p.RightM = 0.3, p.BotM = 0.0;
    const LimitLines lines = compare(p, device);
    EXPECT_EQ(lines.size, "Your page width is 9.000\", printer maximum is 8.500\".\n"
                          "Your page length is 12.000\", printer maximum is 11.000\".\n");
    EXPECT_EQ(lines.margins, "Your left margin is 0.100\", printer min is 0.250\".\n"
                             "Your top margin is 0.200\", printer min is 0.250\".\n"
                             "Your bottom margin is 0.000\", printer min is 0.250\".\n");
    EXPECT_TRUE(compare(page(8.5, 11.0, 0.25), device).within()) << "the limits themselves";
}

TEST(PrinterLimits, ALandscapePageIsTurnedOntoTheUprightSheetAndLargestFitsIt) {
    FakePrinter device(8.5, 11.0, 0.1);
    device.top = device.dots(0.5); // the printer cannot print the top half inch of its sheet
    PageData p = page(11.0, 8.5, 1.0);
    p.LeftM = 0.4;
    EXPECT_EQ(compare(p, device).margins, "") << "upright, the left strip is the narrow one";
    p.landscape = true;
    EXPECT_EQ(compare(p, device).all(), "Your top margin is 0.400\", printer min is 0.500\".\n")
        << "width and length exchanged, the page's left margin along the sheet's top";

    FakePrinter edges(8.5, 11.0, 0.25);
    Tpagedata printer(&edges);
    ASSERT_TRUE(printer.refresh());
    PageData q = page(5.0, 7.0, 1.0);
    q.GutM = q.Header = q.Footer = 0.3;
    const PageData largest = largestPage(printer, q);
    EXPECT_EQ((std::vector<double>{largest.Width, largest.Length, largest.LeftM, largest.TopM, largest.RightM,
                                   largest.BotM, largest.GutM, largest.Header, largest.Footer}),
              (std::vector<double>{8.5, 11.0, 0.25, 0.25, 0.25, 0.25, 0.0, 0.0, 0.0}));
    // Strips of four widths: the largest landscape page passes its own check.
    edges.left = edges.dots(0.1), edges.top = edges.dots(0.2), edges.bottom = edges.dots(0.4);
    ASSERT_TRUE(printer.refresh());
    q.landscape = true;
    const PageData turned = largestPage(printer, q);
    EXPECT_EQ((std::vector<double>{turned.Width, turned.Length, turned.LeftM, turned.TopM}),
              (std::vector<double>{11.0, 8.5, 0.2, 0.25}));
    EXPECT_TRUE(compareWithPrinter(turned, printer, DisplayUnit::Inches).within());
    EXPECT_TRUE(compareWithPrinter(turned, printer, DisplayUnit::Millimetres).within());
}

TEST(PrinterLimits, BeforePrintingTheUserIsAskedAboutSizeAndMarginsApart) {
    const std::string wide = "Your page width is 9.000\", printer maximum is 8.500\".\n";
    const std::string narrow = "Your left margin is 0.100\", printer min is 0.250\".\n";
    const std::string ask = "\nDo you wish to print anyway?";
    const struct {
        double width, left;
        bool refuse;
        std::deque<Button> answers;
        bool printed;
        std::vector<std::string> shown;
    } cases[] = {
        {8.5, 0.5, false, {}, true, {}},
        {9.0, 0.1, false, {ButtonNo}, false, {wide + ask}},
        {9.0, 0.1, false, {ButtonYes, ButtonNo}, false, {wide + ask, narrow + ask}},
        {8.5, 0.1, false, {ButtonYes}, true, {narrow + ask}},
        {8.5, 0.5, true, {}, false, {"Problem addressing the printer driver for this printer."}},
    };
    for (const auto& c : cases) {
        FakePrinter device(8.5, 11.0, 0.25);
        device.refuse = c.refuse;
        Tpagedata printer(&device);
        test::ScriptedUi ui;
        ui.buttonAnswers = c.answers;
        PageData p = page(c.width, 11.0);
        p.LeftM = c.left;
        EXPECT_EQ(checkPageForPrinting(p, printer, DisplayUnit::Inches, ui), c.printed) << c.width << c.left;
        std::vector<std::string> shown;
        for (const auto& m : ui.messages)
            shown.push_back(m.text);
        EXPECT_EQ(shown, c.shown);
    }
    FakePrinter device(8.5, 11.0, 0.25);
    Tpagedata printer(&device);
    test::ScriptedUi ui;
    PageData turned = page(11.0, 8.5);
    turned.landscape = true;
    EXPECT_TRUE(checkPageForPrinting(turned, printer, DisplayUnit::Inches, ui));
    EXPECT_TRUE(device.land) << "the printer set to the page's orientation";
}

} // namespace
} // namespace qv
