// The headless command line: batch work on score files and our own checks.

#include "clisupport.h"
#include "exportcommand.h"
#include "importcommand.h"
#include "infocommand.h"
#include "transposecommand.h"
#include "files/fileread.h"
#include "files/safewrite.h"
#include "files/scorefile.h"
#include "files/loader.h"
#include "files/scoredump.h"
#include "files/scorefilewrite.h"
#include "render/contactsheet.h"
#include "render/glyphstore.h"
#include "layout/pagination.h"
#include "render/pageimage.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using qv::cli::fail;
using qv::cli::startGui;

const char* const Usage =
    "usage: quaverly-cli COMMAND ARGS\n"
    "commands:\n"
    "  dump SCORE [OUT]   list a score file's records as text (OUT defaults to SCORE with extension .DMP)\n"
    "  convert IN OUT     load IN with every check (questions take their default answer) and save it\n"
    "                     as a whole score to OUT\n"
    "  import IN.musicxml|IN.mxl OUT.QVR\n"
    "                     lay a MusicXML file out as a score and save it to OUT\n"
    "  info SCORE         the score's figures as the information window shows them, a line each\n"
    "  glyphs OUT.png     draw every glyph, screen and three-times, on faint staves\n"
    "  render SCORE [--page N] [--print] -o OUT.png\n"
    "                     draw page N (default 1; 0 is the header/footer page) as on the screen, one\n"
    "                     pixel per page unit, or with --print as printed: three pixels per page unit,\n"
    "                     the paper inside its margins with header and footer\n"
    "  export SCORE (--pdf OUT.pdf | --png OUT_PREFIX | --pcx OUT | --bmp OUT) [--pages A-B]\n"
    "                     every page (or pages A to B, downwards when A > B) as printed: a PDF of the\n"
    "                     score's paper, or one picture a page: OUT_PREFIX-N.png, or OUT.PCX / OUT.BMP\n"
    "                     (OUT-N.PCX / OUT-N.BMP for more than one page)\n"
    "  export SCORE --musicxml OUT.musicxml\n"
    "                     the whole score as partwise MusicXML 3.1\n"
    "  transpose IN OUT --interval NAME [--down] [--staves A-B] [--clef treble|bass|alto|tenor]\n"
    "                     move the staves (default: all) up, or down, by an interval (unison, semitone,\n"
    "                     tone, minor-3rd, major-3rd, perfect-4th, tritone, perfect-5th, minor-6th,\n"
    "                     major-6th, minor-7th, major-7th, octave ...) and/or change their clefs\n";

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

int runGlyphs(const std::vector<std::string>& args, int& argc, char* argv[]) {
    if (args.size() != 1) return fail("glyphs needs OUT.png");
    const auto gui = startGui(argc, argv);
    const QImage sheet = qv::glyphContactSheet(qv::GlyphStore::builtIn());
    if (!sheet.save(QString::fromStdString(args[0]), "PNG")) return fail("cannot write " + args[0]);
    return 0;
}

int runConvert(const std::vector<std::string>& args, int& argc, char* argv[]) {
    if (args.size() != 2) return fail("convert needs IN and OUT");
    const std::string& in = args[0];
    const std::string& out = args[1];
    const auto gui = startGui(argc, argv); // loading measures text heights
    const int resolution = qv::cli::screenResolution();
    qv::cli::CliUi ui;
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

int runRender(const std::vector<std::string>& args, int& argc, char* argv[]) {
    RenderArgs r;
    if (const std::string problem = parseRenderArgs(args, r); !problem.empty()) return fail(problem);
    const auto gui = startGui(argc, argv);
    qv::cli::CliUi ui;
    qv::Score score;
    if (!qv::cli::loadForCli(r.score, ui, score)) return fail("cannot render " + r.score + ": " + ui.lastError());
    const int pages = qv::pageCount(score);
    if (r.page > pages)
        return fail("cannot render page " + std::to_string(r.page) + ": " + r.score + " has " +
                    std::to_string(pages) + " pages");
    const QImage image =
        r.print ? qv::renderPrintPage(score, r.page, r.score) : qv::renderScreenPage(score, r.page);
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
    if (command == "export") return qv::cli::runExport(args, argc, argv);
    if (command == "import") return qv::cli::runImport(args, argc, argv);
    if (command == "info") return qv::cli::runInfo(args, argc, argv);
    if (command == "transpose") return qv::cli::runTranspose(args, argc, argv);
    return fail("unknown command '" + command + "' (see quaverly-cli --help)");
}
