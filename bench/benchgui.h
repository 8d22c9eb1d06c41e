#pragma once
// The GUI side of Qt, headless, that texts, fonts and the page view need. Every
// benchmark of the binary shares the one application; a second may not be made.

#include <QApplication>

namespace bench {

inline void gui() {
    if (QGuiApplication::instance()) return;
    static int argc = 1;
    static char name[] = "quaverly-bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
}

} // namespace bench
