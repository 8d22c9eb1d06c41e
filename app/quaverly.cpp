// The desktop program.

#include "shell/configfile.h"
#include "shell/mainframe.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// Qt aborts when it cannot reach a display; say so plainly instead.
bool displayAvailable() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return true;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

} // namespace

int main(int argc, char* argv[]) {
    if (!displayAvailable()) {
        std::fprintf(stderr, "quaverly: no display found; for headless work use quaverly-cli (./qv cli --help).\n");
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quaverly 32"));
    // The settings are read once at start-up and written back at shut-down.
    const std::string config = qv::configFilePath();
    qv::Settings settings = qv::readConfiguration(config);
    qv::MainFrame frame;
    frame.show();
    const int result = QApplication::exec();
    qv::writeConfiguration(config, settings);
    qv::writeRecentFiles(config, settings.recentFiles);
    return result;
}
