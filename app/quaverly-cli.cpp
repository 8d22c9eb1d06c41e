// The headless command line: batch work on score files and our own checks.

#include "consoleui.h"
#include "files/fileio.h"
#include "files/loader.h"
#include "files/scoredump.h"
#include "files/scorefilewrite.h"
#include "render/contactsheet.h"
#include "render/glyphstore.h"

#include <QGuiApplication>
#include <QScreen>

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
    "  convert IN OUT     load IN with every check (questions take their default answer) and save it\n"
    "                     as a whole score to OUT\n"
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
    return fail("unknown command '" + command + "' (see quaverly-cli --help)");
}
