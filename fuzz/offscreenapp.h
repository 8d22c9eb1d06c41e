#pragma once
// The GUI side of Qt, for fuzz targets whose code measures text: on the offscreen
// platform, and never destroyed, because libFuzzer leaves through exit() after
// Qt's own statics are gone and destroying the application then crashes.

#include <QGuiApplication>

inline void startOffscreenApplication(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    [[maybe_unused]] static QGuiApplication& gui = *new QGuiApplication(*argc, *argv);
}
