#include "clisupport.h"

#include "files/loader.h"
#include "files/scorefile.h"

#include <QScreen>

#include <cstdio>
#include <unistd.h>

namespace qv::cli {

int fail(const std::string& message) {
    std::fprintf(stderr, "quaverly-cli: %s\n", message.c_str());
    return 1;
}

namespace {

// Qt's notice about a missing XDG_RUNTIME_DIR is normal on a headless machine and
// would break the rule of one line per failure; everything else Qt says is kept.
void quietQtNotices(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) return;
    std::fprintf(stderr, "%s\n", qUtf8Printable(qFormatLogMessage(type, context, text)));
}

} // namespace

std::unique_ptr<QGuiApplication> startGui(int& argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietQtNotices);
    return std::make_unique<QGuiApplication>(argc, argv);
}

int screenResolution() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInch()) : DefaultScreenResolution;
}

Button CliUi::message(MessageType type, const std::string& text, Buttons buttons) {
    if (type != MessageType::Error) return ConsoleUi::message(type, text, buttons);
    errors.push_back(text);
    return ButtonOk;
}

void CliUi::abortableProgress(const std::string& caption, const std::string& text, int /*percent*/) {
    // A script reading our output wants only failures; a person watching wants to
    // see the work go on, a line a step (not a line a percent).
    if (!isatty(STDERR_FILENO)) return;
    std::string line = caption + ": " + text;
    if (line == lastProgress_) return;
    std::fprintf(stderr, "%s\n", line.c_str());
    lastProgress_ = std::move(line);
}

std::string CliUi::lastError() const {
    std::string line = errors.empty() ? std::string("unknown error") : errors.back();
    for (char& c : line)
        if (c == '\n') c = ' ';
    return line;
}

void CliUi::reportErrors() {
    for (const auto& e : errors)
        ConsoleUi::message(MessageType::Error, e, ButtonOk);
}

namespace {

std::optional<int> positiveNumber(const std::string& text) {
    if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoi(text);
}

} // namespace

std::optional<NumberRange> parseNumberRange(const std::string& text, int highest) {
    if (text.empty()) return NumberRange{1, highest};
    const auto dash = text.find('-');
    const auto first = positiveNumber(text.substr(0, dash));
    const auto last = dash == std::string::npos ? first : positiveNumber(text.substr(dash + 1));
    if (!first || !last || *first < 1 || *last < 1 || *first > highest || *last > highest) return std::nullopt;
    return NumberRange{*first, *last};
}

bool loadForCli(const std::string& path, CliUi& ui, Score& score) {
    if (!loadScore(path, LoadOptions{screenResolution(), nullptr}, ui, score)) return false;
    ui.reportErrors();
    ui.errors.clear();
    return true;
}

} // namespace qv::cli
