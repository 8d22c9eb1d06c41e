// The desktop program: the main frame, started with the configuration and the file
// named on the command line (the demo score when started by ./qv run).

#include "shell/configfile.h"
#include "shell/mainframe.h"

#include <QApplication>
#include <QTimer>

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

// With QUAVERLY_QUIT_AFTER_FIRST_PAGE set the program ends as soon as the score's
// page has been painted once: the start-up benchmark times exactly that.
class QuitAfterFirstPage : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->objectName() == QLatin1String("PageView") && !done_) {
            done_ = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

  private:
    bool done_ = false;
};

} // namespace

int main(int argc, char* argv[]) {
    if (!displayAvailable()) {
        std::fprintf(stderr, "quaverly: no display found; for headless work use quaverly-cli (./qv cli --help).\n");
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quaverly"));
    QStringList parameters = QApplication::arguments();
    parameters.removeFirst();
    QuitAfterFirstPage quitAfterFirstPage;
    if (!qEnvironmentVariableIsEmpty("QUAVERLY_QUIT_AFTER_FIRST_PAGE")) app.installEventFilter(&quitAfterFirstPage);
    qv::MainFrame frame;
    frame.show();
    frame.start(qv::configFilePath(), parameters);
    return QApplication::exec();
}
