#include "print/printerlimits.h"

#include "model/ui.h"

#include <cmath>
#include <cstdio>

namespace qv {

namespace {

inline const char* const PageSizeLine = "Your page %s is %*.*f%s, ";
inline const char* const PrinterMaximumLine = "printer maximum is %*.*f%s.\n";
inline const char* const MarginLine = "Your %s margin is %*.*f%s, ";
inline const char* const PrinterMinimumLine = "printer min is %*.*f%s.\n";

// How finely a unit shows lengths: steps per unit and decimals.
struct Precision {
    double steps;
    int decimals;
    const char* sign;
};

Precision precisionOf(DisplayUnit unit) {
    return unit == DisplayUnit::Inches ? Precision{1000.0, 3, "\""} : Precision{10.0, 1, "mm"};
}

PageUnit pageUnitOf(DisplayUnit unit) {
    return unit == DisplayUnit::Inches ? PageUnit::Inches : PageUnit::Millimetres;
}

// A value in the unit rounded to the unit's last shown decimal, in those steps.
double inSteps(double valueInUnit, DisplayUnit unit) {
    return std::nearbyint(valueInUnit * precisionOf(unit).steps);
}

// The pattern filled in by printf, whatever the length of the numbers.
template <typename... Args> std::string printed(const char* pattern, Args... args) {
    const int n = std::snprintf(nullptr, 0, pattern, args...);
    if (n <= 0) return {};
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), pattern, args...);
    out.resize(static_cast<std::size_t>(n));
    return out;
}

// A line of the report: the page's value (by `pattern`, naming `word`) and then the
// printer's (by `printerPattern`), both in the unit's steps, printed as the unit shows them.
std::string line(const char* pattern, const char* word, double ours, const char* printerPattern,
                 double theirs, DisplayUnit unit) {
    const Precision p = precisionOf(unit);
    return printed(pattern, word, 1, p.decimals, ours / p.steps, p.sign) +
           printed(printerPattern, 1, p.decimals, theirs / p.steps, p.sign);
}

// A page length (inches) in the unit's steps, and one of the printer's values.
double pageSteps(double inches, DisplayUnit unit) {
    const double inUnit = unit == DisplayUnit::Inches ? inches : inches * MillimetresPerInch;
    return inSteps(inUnit, unit);
}

double printerSteps(const Tpagedata& printer, PageValue index, DisplayUnit unit) {
    return inSteps(printer.value(index, pageUnitOf(unit)), unit);
}

// The question a print run asks about the lines found; true to go on printing.
bool printAnyway(const std::string& lines, Ui& ui) {
    if (lines.empty()) return true;
    return ui.message(MessageType::Confirmation, lines + PrintAnywayQuestion, ButtonYes | ButtonNo) ==
           ButtonYes;
}

} // namespace

// Laying a landscape page on the upright sheet turns it as Portrait to Landscape
// turns a page; taking it back off turns it the other way.
PageData pageOnSheet(const PageData& page) {
    if (!page.landscape) return page;
    PageData sheet = page;
    toLandscape(sheet);
    return sheet;
}

PageData pageFromSheet(const PageData& sheet, bool landscape) {
    PageData page = sheet;
    if (landscape) toPortrait(page);
    page.landscape = landscape;
    return page;
}

LimitLines compareWithPrinter(const PageData& page, const Tpagedata& printer, DisplayUnit unit) {
    const PageData sheet = pageOnSheet(page);
    LimitLines lines;
    const struct {
        const char* word;
        double page;
        PageValue printer;
    } sizes[] = {{"width", sheet.Width, PageValue::PhysicalWidth},
                 {"length", sheet.Length, PageValue::PhysicalLength}};
    for (const auto& s : sizes) {
        const double ours = pageSteps(s.page, unit);
        const double most = printerSteps(printer, s.printer, unit);
        if (ours > most) lines.size += line(PageSizeLine, s.word, ours, PrinterMaximumLine, most, unit);
    }
    const struct {
        const char* word;
        double page;
        PageValue printer;
    } margins[] = {{"left", sheet.LeftM, PageValue::LeftOffset},
                   {"top", sheet.TopM, PageValue::TopOffset},
                   {"right", sheet.RightM, PageValue::UnprintableRight},
                   {"bottom", sheet.BotM, PageValue::UnprintableBottom}};
    for (const auto& m : margins) {
        const double ours = pageSteps(m.page, unit);
        const double least = printerSteps(printer, m.printer, unit);
        if (ours < least) lines.margins += line(MarginLine, m.word, ours, PrinterMinimumLine, least, unit);
    }
    return lines;
}

PageData largestPage(const Tpagedata& printer, const PageData& page) {
    PageData sheet = pageFromPrinter(printer, pageOnSheet(page));
    sheet.GutM = 0.0;
    sheet.Header = 0.0;
    sheet.Footer = 0.0;
    return pageFromSheet(sheet, page.landscape);
}

bool checkPageForPrinting(const PageData& page, Tpagedata& printer, DisplayUnit unit, Ui& ui) {
    if (!printer.setLandscape(page.landscape)) {
        showError(ui, PrinterProblemMessage);
        return false;
    }
    const LimitLines lines = compareWithPrinter(page, printer, unit);
    return printAnyway(lines.size, ui) && printAnyway(lines.margins, ui);
}

} // namespace qv
