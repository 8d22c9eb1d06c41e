// The headless command line: batch work on score files and our own checks.

#include "consoleui.h"
#include "files/fileread.h"
#include "files/safewrite.h"
#include "files/scorefile.h"
#include "files/loader.h"
#include "files/scoredump.h"
#include "files/scorefilewrite.h"
#include "render/contactsheet.h"
#include "render/glyphstore.h"
#include "render/page.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const Usage =
    "usage: quaverly-cli COMMAND ARGS\n"
    "commands:\n"
    "  dump SCORE [OUT]   list a score file's records as text (OUT defaults to SCORE with extension .DMP)\n"
    "  convert IN OUT     load IN with every check (questions take their default answer) and save it\n"
    "                     as a whole score to OUT\n"
    "  glyphs OUT.png     draw every glyph, screen and three-times, on faint staves\n"
    "  render SCORE [--page N] [--print] -o OUT.png\n"
    "                     draw page N (default 1; 0 is the header/footer page) as on the screen, one\n"
    "                     pixel per page unit, or with --print as printed: three pixels per page unit,\n"
    "                     the paper inside its margins with header and footer\n";

int fail(const std::string& message) {
    std::fprintf(stderr, "quaverly-cli: %s\n", message.c_str());
    return 1;
}

int runDump(const std::vector<std::string>& args) {
    if (args.empty() || args.size() > 2) return fail("dump needs SCORE and optionally OUT");
    const std::string& in = args[0];
    const std::string out = args.size() == 2 ? args[1] : qv::defaultDumpName(in);
    const qv::FileContents contents = qv::readRegularFile(in, qv::MaxScoreFileSize);
    if (!contents.ok()) return fail("cannot read " + in + ": " + qv::readProblemText(contents));
    // The listing never replaces what it lists (a score named "X.DMP" would be by default).
    if (out == in || qv::sameFile(in, out))
        return fail("cannot write " + out + ": it is the file being listed; name another output file");
    const qv::DumpResult dump = qv::dumpScoreFile(contents.bytes, in);
    const std::vector<std::uint8_t> text(dump.text.begin(), dump.text.end());
    const auto written = qv::writeFileSafely(out, text);
    if (!written.ok()) return fail("cannot write " + out + ": " + std::strerror(written.error));
    if (!dump.complete)
        return fail(
            in +
            " is damaged: it lacks records it announces or ends inside a record; the listing stops there");
    return 0;
}

// Qt's notice about a missing XDG_RUNTIME_DIR is normal on a headless machine and
// would break the rule of one line per failure; everything else Qt says is kept.
void quietQtNotices(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) return;
    std::fprintf(stderr, "%s\n", qUtf8Printable(qFormatLogMessage(type, context, text)));
}

// Drawing text needs the GUI side of Qt; headless, its offscreen platform serves.
std::unique_ptr<QGuiApplication> startGui(int& argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietQtNotices);
    return std::make_unique<QGuiApplication>(argc, argv);
}

int runGlyphs(const std::vector<std::string>& args, int& argc, char* argv[]) {
    if (args.size() != 1) return fail("glyphs needs OUT.png");
    const auto gui = startGui(argc, argv);
    const QImage sheet = qv::glyphContactSheet(qv::GlyphStore::builtIn());
    if (!sheet.save(QString::fromStdString(args[0]), "PNG")) return fail("cannot write " + args[0]);
    return 0;
}

// Errors are kept back: a failed conversion ends with one line, the last error;
// other messages and questions are printed as they come.
class ConvertUi : public qv::ConsoleUi {
  public:
    qv::Button message(qv::MessageType type, const std::string& text, qv::Buttons buttons) override {
        if (type != qv::MessageType::Error) return ConsoleUi::message(type, text, buttons);
        errors.push_back(text);
        return qv::ButtonOk;
    }
    std::string lastError() const {
        std::string line = errors.empty() ? std::string("unknown error") : errors.back();
        for (char& c : line)
            if (c == '\n') c = ' ';
        return line;
    }
    // Errors the load recovered from are still worth telling.
    void reportErrors() {
        for (const auto& e : errors)
            ConsoleUi::message(qv::MessageType::Error, e, qv::ButtonOk);
    }
    std::vector<std::string> errors;
};

int screenResolution() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInch()) : qv::DefaultScreenResolution;
}

int runConvert(const std::vector<std::string>& args, int& argc, char* argv[]) {
    if (args.size() != 2) return fail("convert needs IN and OUT");
    const std::string& in = args[0];
    const std::string& out = args[1];
    const auto gui = startGui(argc, argv); // loading measures text heights
    const int resolution = screenResolution();
    ConvertUi ui;
    qv::Score score;
    if (!qv::loadScore(in, qv::LoadOptions{resolution, nullptr}, ui, score))
        return fail("cannot convert " + in + ": " + ui.lastError());
    ui.reportErrors();
    ui.errors.clear();
    const qv::WriteRange whole{0, score.Nstaves};
    if (!qv::writeScoreFile(score, out, whole, qv::WriteOptions{false, resolution}, ui))
        return fail("cannot write " + out + ": " + ui.lastError());
    return 0;
}

struct RenderArgs {
    std::string score;
    std::string out;
    int page = 1;
    bool print = false;
};

// Reads "SCORE [--page N] [--print] -o OUT.png"; the message when they do not fit.
std::string parseRenderArgs(const std::vector<std::string>& args, RenderArgs& r) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--print") {
            r.print = true;
        } else if (a == "--page" && hasValue) {
            char* end = nullptr;
            const long page = std::strtol(args[++i].c_str(), &end, 10);
            if (*end != '\0' || args[i].empty() || page < 0 || page > 255)
                return "--page needs a number 0 to 255";
            r.page = int(page);
        } else if (a == "-o" && hasValue) {
            r.out = args[++i];
        } else if (!a.empty() && a[0] != '-' && r.score.empty()) {
            r.score = a;
        } else {
            return "render needs SCORE [--page N] [--print] -o OUT.png";
        }
    }
    if (r.score.empty() || r.out.empty()) return "render needs SCORE [--page N] [--print] -o OUT.png";
    return {};
}

int lastPage(const qv::Score& score) {
    int last = 0;
    for (int s = 1; s <= score.Nstaves; ++s)
        last = std::max(last, int(score.stave(s).PageNum));
    return last;
}

// The screen page: the music area, one pixel per page unit. The header/footer page
// also shows the header and footer strips above and below the music area.
QImage renderScreenPage(qv::Score& score, int page) {
    qv::DrawContext dc;
    const qv::PageData& p = score.page;
    const int height = page == 0 ? qv::printedHeight(p, score.StvSiz) : qv::musicAreaHeight(p, score.StvSiz);
    dc.newScreenPage(qv::musicAreaWidth(p, score.StvSiz), height);
    qv::DrawPage(dc, score, page);
    return dc.MainImage;
}

// The print image: the paper inside its margins and gutter at three pixels per page
// unit, the header zone above the music and the footer zone below it.
QImage renderPrintPage(qv::Score& score, int page, const std::string& path) {
    const qv::PageData& p = score.page;
    const double s = qv::pageUnitsPerInch(score.StvSiz);
    qv::DrawContext dc;
    dc.HighResMode = true;
    dc.newPrintPage(qv::musicAreaWidth(p, score.StvSiz), qv::printedHeight(p, score.StvSiz));
    dc.HiResOrigin = QPoint(0, 3 * qv::roundHalfEven(p.Header * s));
    qv::PageOptions options;
    options.filePath = path;
    qv::DrawPage(dc, score, page, options);
    qv::DrawBlankingShapes(dc, score, page);
    return dc.Printimage;
}

int runRender(const std::vector<std::string>& args, int& argc, char* argv[]) {
    RenderArgs r;
    if (const std::string problem = parseRenderArgs(args, r); !problem.empty()) return fail(problem);
    const auto gui = startGui(argc, argv);
    ConvertUi ui;
    qv::Score score;
    if (!qv::loadScore(r.score, qv::LoadOptions{screenResolution(), nullptr}, ui, score))
        return fail("cannot render " + r.score + ": " + ui.lastError());
    ui.reportErrors();
    if (r.page > lastPage(score))
        return fail("cannot render page " + std::to_string(r.page) + ": " + r.score + " has " +
                    std::to_string(lastPage(score)) + " pages");
    const QImage image = r.print ? renderPrintPage(score, r.page, r.score) : renderScreenPage(score, r.page);
    if (image.isNull()) return fail("cannot render " + r.score + ": the page has no size");
    if (!image.save(QString::fromStdString(r.out), "PNG")) return fail("cannot write " + r.out);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(Usage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 1 : 0;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "dump") return runDump(args);
    if (command == "convert") return runConvert(args, argc, argv);
    if (command == "glyphs") return runGlyphs(args, argc, argv);
    if (command == "render") return runRender(args, argc, argv);
    return fail("unknown command '" + command + "' (see quaverly-cli --help)");
}
