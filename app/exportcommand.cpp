#include "exportcommand.h"

#include "clisupport.h"
#include "files/safewrite.h"
#include "layout/pagination.h"
#include "print/pageddevice.h"
#include "print/printrun.h"

#include <QBuffer>

#include <cstdlib>
#include <cstring>
#include <optional>

namespace qv::cli {

namespace {

enum class Format { None, Pdf, Png };

struct ExportArgs {
    std::string score;
    Format format = Format::None;
    std::string out;
    std::string pages; // "A-B" or "A"; empty: every page
};

const char* const ExportUsage =
    "export needs SCORE and one of --pdf OUT.pdf, --png OUT_PREFIX, and optionally --pages A-B";

std::string parseExportArgs(const std::vector<std::string>& args, ExportArgs& e) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        const Format format = a == "--pdf" ? Format::Pdf : a == "--png" ? Format::Png : Format::None;
        if (format != Format::None && hasValue && e.format == Format::None) {
            e.format = format;
            e.out = args[++i];
        } else if (a == "--pages" && hasValue) {
            e.pages = args[++i];
        } else if (!a.empty() && a[0] != '-' && e.score.empty()) {
            e.score = a;
        } else {
            return ExportUsage;
        }
    }
    if (e.score.empty() || e.format == Format::None || e.out.empty()) return ExportUsage;
    return {};
}

std::optional<int> pageNumber(const std::string& text) {
    if (text.empty() || text.size() > 3) return std::nullopt;
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || text[0] == '-' || text[0] == '+') return std::nullopt;
    return int(n);
}

// "A-B" or "A" within the score's pages; A above B prints downwards.
std::optional<PrintRequest> parseRange(const std::string& text, int pages) {
    if (text.empty()) return PrintRequest{1, pages, 1, false};
    const auto dash = text.find('-');
    const auto first = pageNumber(text.substr(0, dash));
    const auto last = dash == std::string::npos ? first : pageNumber(text.substr(dash + 1));
    if (!first || !last) return std::nullopt;
    if (*first < 1 || *last < 1 || *first > pages || *last > pages) return std::nullopt;
    return PrintRequest{*first, *last, 1, false};
}

int writeOut(const std::string& path, const QByteArray& bytes) {
    const auto written = writeFileSafely(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    if (!written.ok()) return fail("cannot write " + path + ": " + std::strerror(written.error));
    return 0;
}

int exportPdf(const PrintSource& source, const PrintRequest& range, const std::string& out, CliUi& ui) {
    PdfPrintDevice pdf(source.score->page);
    if (printPages(source, range, pdf, ui) != PrintOutcome::Printed)
        return fail("cannot export " + source.filePath + ": the PDF could not be made");
    return writeOut(out, pdf.bytes());
}

// One PNG a page, named PREFIX-N.png: the print image, ink black on white.
int exportPng(const PrintSource& source, const PrintRequest& range, const std::string& prefix, CliUi& ui) {
    const std::vector<int> pages = pageOrder(range);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        ui.abortableProgress("Exporting", "Preparing page " + std::to_string(i + 1) + " of " +
                                              std::to_string(pages.size()) + ".");
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!printImageForPrinter(source, pages[i]).save(&buffer, "PNG"))
            return fail("cannot export page " + std::to_string(pages[i]) + " of " + source.filePath);
        if (const int failed = writeOut(prefix + "-" + std::to_string(pages[i]) + ".png", bytes)) return failed;
    }
    return 0;
}

} // namespace

int runExport(const std::vector<std::string>& args, int& argc, char* argv[]) {
    ExportArgs e;
    if (const std::string problem = parseExportArgs(args, e); !problem.empty()) return fail(problem);
    const auto gui = startGui(argc, argv);
    CliUi ui;
    Score score;
    if (!loadForCli(e.score, ui, score)) return fail("cannot export " + e.score + ": " + ui.lastError());
    const int pages = pageCount(score);
    if (pages < 1) return fail("cannot export " + e.score + ": it has no pages of music");
    const auto range = parseRange(e.pages, pages);
    if (!range)
        return fail("bad page range '" + e.pages + "': " + e.score + " has pages 1 to " + std::to_string(pages));
    PrintSource source;
    source.score = &score;
    source.filePath = e.score;
    source.captionName = e.score.substr(e.score.find_last_of('/') + 1);
    switch (e.format) {
    case Format::Pdf:
        return exportPdf(source, *range, e.out, ui);
    case Format::Png:
        return exportPng(source, *range, e.out, ui);
    case Format::None:
        break;
    }
    return fail(ExportUsage);
}

} // namespace qv::cli
