#include "files/scoreinfo.h"

#include "layout/pagination.h"
#include "layout/spacing.h"
#include "model/durations.h"
#include "model/score.h"
#include "model/tpagedata.h"

#include <QStorageInfo>
#include <QString>

#include <array>
#include <cstdarg>
#include <cstdio>
#include <map>

namespace qv {

namespace {

std::string printed(const char* format, ...) {
    char buffer[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

// The last stave of the score ends a system whatever its join flag says.
bool endsSystem(const Score& score, int s) { return s == score.Nstaves || !score.stave(s).joinToNext; }

// The largest count of staves passing `counted` on one page, the lowest such page;
// it starts at 1 on page 1.
template <typename Counted> Maximum largestOnPage(const Score& score, Counted counted) {
    std::map<int, int> perPage;
    for (int s = 1; s <= score.Nstaves; ++s)
        if (counted(s)) ++perPage[score.stave(s).PageNum];
    Maximum m{1, 1};
    for (const auto& [page, count] : perPage) // increasing page: the first wins a tie
        if (count > m.count) m = {count, page};
    return m;
}

InfoRow numberRow(const std::string& label, long long n, const std::string& note = {}) {
    return InfoRow{label, {groupThousands(n)}, note, false};
}

// A length on paper in inches and in millimetres.
InfoRow lengthRow(const std::string& label, double inches, const char* inchFormat = "%5.2f",
                  const char* mmFormat = "%5.1f") {
    return InfoRow{label, {printed(inchFormat, inches), printed(mmFormat, inches * MillimetresPerInch)}, {}, false};
}

} // namespace

std::string groupThousands(long long n) {
    const bool negative = n < 0;
    // The magnitude unsigned, so that the most negative number has one too.
    const auto magnitude = negative ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
    const std::string digits = std::to_string(magnitude);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return negative ? "-" + out : out;
}

std::vector<FontUse> fontsInUse(const Score& score) {
    std::array<int, 256> texts{};
    std::array<bool, 256> used{};
    used[1] = true;
    for (int s = 1; s <= score.Nstaves; ++s) {
        const Stave& stave = score.stave(s);
        for (int i = 1; i <= stave.Nobjec; ++i) {
            const ScoreObject& o = stave.object(i);
            if (!o.is(ObjectKind::LongText) || o.isContinuation()) continue;
            // Font 0 names no font: such a text is shown in the standard font.
            const auto n = static_cast<std::size_t>(o.fontNumber() == 0 ? 1 : o.fontNumber());
            used[n] = true;
            ++texts[n];
        }
    }
    std::vector<FontUse> fonts;
    for (int n = 0; n < 256; ++n)
        if (used[static_cast<std::size_t>(n)]) fonts.push_back({n, texts[static_cast<std::size_t>(n)]});
    return fonts;
}

std::string fontListLine(const FontDesc& font, const FontUse& use) {
    return printed("Font %3d: %s, size %d, %s.     Word count = %3d", use.number, font.name.c_str(), font.size,
                   styleWords(font.style).c_str(), use.texts);
}

std::string fontDefinitionText(int number, const FontDesc& font) {
    return "Font " + std::to_string(number) + ": " + font.name + ", size " + std::to_string(font.size) + ", " +
           styleWords(font.style);
}

Maxima scoreMaxima(const Score& score) {
    Maxima m;
    int run = 1;
    for (int s = 1; s <= score.Nstaves; ++s) {
        if (!endsSystem(score, s)) {
            ++run;
            continue;
        }
        m.stavesPerSystem = std::max(m.stavesPerSystem, run);
        run = 1;
    }
    m.stavesOnPage = largestOnPage(score, [](int) { return true; });
    m.systemsOnPage = largestOnPage(score, [&score](int s) { return endsSystem(score, s); });
    for (int s = 0; s <= score.Nstaves; ++s)
        if (s == 0 || score.stave(s).Nobjec > m.objectsOnStave.count)
            m.objectsOnStave = {score.stave(s).Nobjec, s};
    return m;
}

int totalObjects(const Score& score) {
    int total = 0;
    for (int s = 0; s <= score.Nstaves; ++s)
        total += score.stave(s).Nobjec;
    return total;
}

long long fileSizeWhenSaved(const Score& score, int fontsUsed) {
    // A header and a page record, two records a font, one a stave (the header/footer
    // stave's included) and one an object, 22 bytes each.
    return (static_cast<long long>(totalObjects(score)) + 2LL * fontsUsed + score.Nstaves + 3) * 22;
}

DriveSpace driveFreeSpace(const std::string& folder) {
    const QStorageInfo storage(QString::fromStdString(folder));
    if (!storage.isValid() || !storage.isReady()) return {};
    return {true, storage.bytesAvailable(), storage.rootPath().toStdString()};
}

InfoPage documentPage(const Score& score, const InfoSources& sources) {
    const int fonts = int(fontsInUse(score).size());
    const Maxima m = scoreMaxima(score);
    InfoPage page{"&Document", {}, {}};
    page.rows = {
        InfoRow{"Filename:", {sources.fileName}, {}, true},
        numberRow("Staves:", score.Nstaves),
        numberRow("Systems:", score.Nstaves >= 1 ? systemNumber(score, score.Nstaves) : 0),
        numberRow("Total objects:", totalObjects(score)),
        numberRow("Pages:", pageCount(score)),
        numberRow("Fonts used:", fonts),
        numberRow("File size when saved:", fileSizeWhenSaved(score, fonts)),
        numberRow("Objects on header & footer", score.stave(0).Nobjec),
        InfoRow{"MAXIMA", {}, {}, false},
        numberRow("Staves", m.stavesPerSystem, "per system"),
        numberRow("Staves", m.stavesOnPage.count, "on page " + std::to_string(m.stavesOnPage.where)),
        numberRow("Systems", m.systemsOnPage.count, "on page " + std::to_string(m.systemsOnPage.where)),
        numberRow("Objects", m.objectsOnStave.count, "on stave " + std::to_string(m.objectsOnStave.where)),
    };
    if (sources.drive.ready)
        page.rows.push_back(numberRow("Drive free space:", sources.drive.freeBytes,
                                      "bytes on drive " + sources.drive.mountPoint));
    else
        page.rows.push_back(InfoRow{"Drive free space:", {NoDiskInDrive}, {}, true});
    return page;
}

InfoPage fontsPage(const Score& score) {
    InfoPage page{"&Fonts", {}, {}};
    for (const FontUse& use : fontsInUse(score))
        page.rows.push_back(InfoRow{fontListLine(score.fonts.font(use.number), use), {}, {}, true});
    return page;
}

InfoPage pageSizePage(const Score& score, const InfoSources& sources) {
    const PageData& p = score.page;
    const Tpagedata standard; // the values used without a printer
    const Tpagedata& printer = sources.printer ? *sources.printer : standard;
    InfoPage page{"&Page size", {"Inches", "mm"}, {}};
    page.rows = {
        lengthRow("Width", p.Width),
        lengthRow("Length", p.Length),
        lengthRow("Top Margin", p.TopM),
        lengthRow("Bottom Margin", p.BotM),
        lengthRow("Left Margin", p.LeftM),
        lengthRow("Right Margin", p.RightM),
        lengthRow("Gutter Margin", p.GutM),
        lengthRow("Header Margin", p.Header),
        lengthRow("Footer Margin", p.Footer),
        lengthRow("Stave Size", score.StvSiz, "%5.3f", "%5.2f"),
        InfoRow{"Facing Pages?", {score.Facing ? "Yes" : "No"}, {}, false},
        lengthRow("Paper Width", printer.value(PageValue::PhysicalWidth, PageUnit::Inches)),
        lengthRow("Paper Length", printer.value(PageValue::PhysicalLength, PageUnit::Inches)),
    };
    return page;
}

InfoPage settingsPage(const Score& score, const InfoSources& sources) {
    InfoPage page{"&Settings", {}, {}};
    page.rows = {
        InfoRow{"Spacing", {spacingName(score.Spacing)}, {}, true},
        InfoRow{"Pulse", {durationName(score.Pulse, sources.language)}, {}, true},
        InfoRow{"Minimum Beaming angle", {std::to_string(score.Beamang) + " degrees"}, {}, true},
    };
    return page;
}

InfoPage printerPage(const InfoSources& sources) {
    static const std::pair<const char*, PageValue> Values[] = {
        {"Paper height", PageValue::PhysicalLength},   {"Paper width", PageValue::PhysicalWidth},
        {"Top offset", PageValue::TopOffset},          {"Left offset", PageValue::LeftOffset},
        {"Unprintable bottom", PageValue::UnprintableBottom}, {"Unprintable right", PageValue::UnprintableRight}};
    const Tpagedata* printer = sources.printer;
    const bool mm = sources.unit == DisplayUnit::Millimetres;
    InfoPage page{"P&rinter", {}, {}};
    page.rows.push_back(InfoRow{"Printer name", {printer ? sources.printerName : NoPrinterDefined}, {}, true});
    for (const auto& [label, index] : Values) {
        std::string value;
        if (printer)
            value = mm ? printed("%5.2f", printer->value(index, PageUnit::Millimetres))
                       : printed("%5.3f\"", printer->value(index, PageUnit::Inches));
        page.rows.push_back(InfoRow{label, {value}, {}, false});
    }
    page.rows.push_back(InfoRow{printer ? (mm ? "Units are mm" : "Units are inches") : "", {}, {}, true});
    page.rows.push_back(InfoRow{
        "Resolution:",
        {printer ? std::to_string(printer->resolutionX()) + " x " + std::to_string(printer->resolutionY()) : ""},
        {},
        false});
    return page;
}

std::vector<InfoPage> scoreInformation(const Score& score, const InfoSources& sources) {
    return {documentPage(score, sources), fontsPage(score), pageSizePage(score, sources),
            settingsPage(score, sources), printerPage(sources)};
}

} // namespace qv
