#include "model/pagegeometry.h"

#include "model/ui.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qv {

int roundHalfEven(double v) {
    const double r = std::nearbyint(v); // the default rounding mode rounds halves to even
    return static_cast<int>(r);
}

double pageUnitsPerInch(double stvSiz) { return 32.0 / stvSiz; }
double toPageUnits(double inches, double stvSiz) { return inches * 32.0 / stvSiz; }
double fromPageUnits(double units, double stvSiz) { return units * stvSiz / 32.0; }

int musicAreaWidth(const PageData& p, double stvSiz) {
    return roundHalfEven(toPageUnits(p.Width - p.LeftM - p.RightM - p.GutM, stvSiz));
}

int musicAreaHeight(const PageData& p, double stvSiz) {
    return roundHalfEven(toPageUnits(p.Length - p.TopM - p.BotM - p.Header - p.Footer, stvSiz));
}

int printedHeight(const PageData& p, double stvSiz) {
    return roundHalfEven(toPageUnits(p.Length - p.TopM - p.BotM, stvSiz));
}

ScreenOffset marginOffset(const PageData& p, double stvSiz, bool marginsShown) {
    if (!marginsShown) return {};
    return {roundHalfEven(toPageUnits(p.LeftM, stvSiz)), roundHalfEven(toPageUnits(p.TopM, stvSiz))};
}

void toLandscape(PageData& p) {
    const PageData old = p;
    p.Width = old.Length;
    p.Length = old.Width;
    p.TopM = old.LeftM;
    p.LeftM = old.BotM;
    p.BotM = old.RightM;
    p.RightM = old.TopM;
    p.landscape = true;
}

void toPortrait(PageData& p) {
    const PageData old = p;
    p.Width = old.Length;
    p.Length = old.Width;
    p.TopM = old.RightM;
    p.RightM = old.BotM;
    p.BotM = old.LeftM;
    p.LeftM = old.TopM;
    p.landscape = false;
}

PageData fallbackPage() {
    PageData p;
    p.Width = 8.25;
    p.Length = 11.0;
    p.TopM = p.BotM = p.RightM = p.LeftM = 0.5;
    p.GutM = 0.0;
    return p;
}

double unitFactor(DisplayUnit unit) { return unit == DisplayUnit::Inches ? 1.0 : 0.03937; }

std::string formatStaveSize(double stvSiz, DisplayUnit unit) {
    char buf[32];
    if (unit == DisplayUnit::Inches)
        std::snprintf(buf, sizeof buf, "%.3f", stvSiz);
    else
        std::snprintf(buf, sizeof buf, "%.1f", stvSiz / unitFactor(unit));
    return buf;
}

std::string formatPaperLength(double inches, DisplayUnit unit) {
    char buf[400]; // room for the largest double written out in full
    if (unit == DisplayUnit::Inches)
        std::snprintf(buf, sizeof buf, "%.3f", inches);
    else
        std::snprintf(buf, sizeof buf, "%.1f", inches * MillimetresPerInch);
    return buf;
}

double paperLengthInches(double value, DisplayUnit unit) {
    return unit == DisplayUnit::Inches ? value : value / MillimetresPerInch;
}

std::optional<double> parseNumber(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(begin, &end);
    if (end == begin || errno == ERANGE || !std::isfinite(v)) return std::nullopt;
    while (*end == ' ' || *end == '\t') ++end;
    if (*end != '\0') return std::nullopt;
    return v;
}

std::optional<double> parseStaveSizeEntry(const std::string& text) {
    const auto slash = text.find('/');
    if (slash == std::string::npos) return parseNumber(text);
    const auto num = parseNumber(text.substr(0, slash));
    const auto den = parseNumber(text.substr(slash + 1));
    if (!num || !den || *den == 0.0) return std::nullopt;
    return *num / *den;
}

std::optional<double> askStaveSize(Ui& ui, double current, DisplayUnit unit) {
    const std::string prompt = unit == DisplayUnit::Millimetres
                                   ? "New stave height (mm):"
                                   : "New stave height (\") or fraction eg 1/3:";
    std::string initial = formatStaveSize(current, unit);
    for (;;) {
        const auto answer = ui.inputBox("Set stave height", prompt, initial);
        if (!answer) return std::nullopt;
        if (const auto v = parseStaveSizeEntry(*answer)) return *v * unitFactor(unit);
        ui.message(MessageType::Error, BadNumberMessage, ButtonOk);
        initial = *answer;
    }
}

} // namespace qv
