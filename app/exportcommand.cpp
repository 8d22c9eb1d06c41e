#include "exportcommand.h"

#include "clisupport.h"
#include "files/safewrite.h"
#include "interchange/musicxmlwriter.h"
#include "layout/pagination.h"
#include "print/pdfdevice.h"
#include "print/pagepictures.h"
#include "print/pictureexport.h"
#include "print/printrun.h"

#include <cstring>
#include <optional>

namespace qv::cli {

namespace {

enum class Format { None, Pdf, Png, Pcx, Bmp, MusicXml };

struct ExportArgs {
    std::string score;
    Format format = Format::None;
    std::string out;
    std::string pages; // "A-B" or "A"; empty: every page
};

const char* const ExportUsage = "export needs SCORE and one of --pdf OUT.pdf, --png OUT_PREFIX, --pcx OUT, "
                                "--bmp OUT, --musicxml OUT, and optionally --pages A-B (not with --musicxml)";

Format formatOption(const std::string& option) {
    if (option == "--pdf") return Format::Pdf;
    if (option == "--png") return Format::Png;
    if (option == "--pcx") return Format::Pcx;
    if (option == "--bmp") return Format::Bmp;
    if (option == "--musicxml") return Format::MusicXml;
    return Format::None;
}

std::string parseExportArgs(const std::vector<std::string>& args, ExportArgs& e) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        const Format format = formatOption(a);
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
    if (e.format == Format::MusicXml && !e.pages.empty()) return ExportUsage; // the whole score or nothing
    return {};
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

// Where page `page` goes: OUT with the format's extension, and -N before it when
// more than one page is written.
std::string pictureName(Format format, const std::string& out, int page, bool several) {
    std::string name = out;
    if (several) {
        const auto slash = name.find_last_of('/');
        const auto dot = name.find_last_of('.');
        const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
        name.insert(hasExtension ? dot : name.size(), "-" + std::to_string(page));
    }
    return pictureFileName(name, format == Format::Pcx ? PictureFormat::Pcx : PictureFormat::Bmp);
}

int exportPngs(const PrintSource& source, const PrintRequest& range, const std::string& prefix, CliUi& ui) {
    const PagePicturesResult written = writePagePictures(source, range, prefix, ui);
    if (!written.ok) return fail("cannot write " + written.path + ": " + std::strerror(written.error));
    return 0;
}

// One picture a page: the print image, ink black on white.
int exportPictures(const PrintSource& source, const PrintRequest& range, Format format, const std::string& out,
                   CliUi& ui) {
    const std::vector<int> pages = pageOrder(range);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        ui.abortableProgress("Exporting", "Preparing page " + std::to_string(i + 1) + " of " +
                                              std::to_string(pages.size()) + ".");
        const QImage image = printImageForPrinter(source, pages[i]);
        const std::string path = pictureName(format, out, pages[i], pages.size() > 1);
        if (writePictureFile(path, image, format == Format::Pcx ? PictureFormat::Pcx : PictureFormat::Bmp, ui) !=
            PictureWrite::Written)
            return fail("cannot write " + path + ": " + ui.lastError());
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
    if (e.format == Format::MusicXml) return writeOut(e.out, exportMusicXml(score));
    const int pages = pageCount(score);
    if (pages < 1) return fail("cannot export " + e.score + ": it has no pages of music");
    // A above B prints downwards.
    const auto pagesAsked = parseNumberRange(e.pages, pages);
    if (!pagesAsked)
        return fail("bad page range '" + e.pages + "': " + e.score + " has pages 1 to " + std::to_string(pages));
    const PrintRequest range{pagesAsked->first, pagesAsked->last, 1, false};
    PrintSource source;
    source.score = &score;
    source.filePath = e.score;
    source.captionName = e.score.substr(e.score.find_last_of('/') + 1);
    if (e.format == Format::Pdf) return exportPdf(source, range, e.out, ui);
    if (e.format == Format::Png) return exportPngs(source, range, e.out, ui);
    return exportPictures(source, range, e.format, e.out, ui);
}

} // namespace qv::cli
