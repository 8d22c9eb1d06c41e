// The headless command line: batch work on score files and our own checks.

#include "consoleui.h"
#include "files/fileio.h"
#include "files/scoredump.h"
#include "render/contactsheet.h"
#include "render/glyphstore.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const Usage =
    "usage: quaverly-cli COMMAND ARGS\n"
    "commands:\n"
    "  dump SCORE [OUT]   list a score file's records as text (OUT defaults to SCORE with extension .DMP)\n"
    "  glyphs OUT.png     draw every glyph, screen and three-times, on faint staves\n";

int fail(const std::string& message) {
    std::fprintf(stderr, "quaverly-cli: %s\n", message.c_str());
    return 1;
}

int runDump(const std::vector<std::string>& args) {
    if (args.empty() || args.size() > 2) return fail("dump needs SCORE and optionally OUT");
    const std::string& in = args[0];
    const std::string out = args.size() == 2 ? args[1] : qv::defaultDumpName(in);
    int error = 0;
    const auto bytes = qv::readFileBytes(in, &error);
    if (!bytes) return fail("cannot read " + in + ": " + std::strerror(error));
    const qv::DumpResult dump = qv::dumpScoreFile(*bytes, in);
    const std::vector<std::uint8_t> text(dump.text.begin(), dump.text.end());
    const auto written = qv::writeFileAtomically(out, text);
    if (!written.ok()) return fail("cannot write " + out + ": " + std::strerror(written.error));
    if (!dump.complete) return fail(in + " is damaged: it lacks records it announces or ends inside a record; the listing stops there");
    return 0;
}

// Drawing text needs the GUI side of Qt; headless, its offscreen platform serves.
std::unique_ptr<QGuiApplication> startGui(int& argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

int runGlyphs(const std::vector<std::string>& args, int& argc, char* argv[]) {
    if (args.size() != 1) return fail("glyphs needs OUT.png");
    const auto gui = startGui(argc, argv);
    const QImage sheet = qv::glyphContactSheet(qv::GlyphStore::builtIn());
    if (!sheet.save(QString::fromStdString(args[0]), "PNG")) return fail("cannot write " + args[0]);
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
    if (command == "glyphs") return runGlyphs(args, argc, argv);
    return fail("unknown command '" + command + "' (see quaverly-cli --help)");
}
