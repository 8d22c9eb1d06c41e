// quaverly-demoscore OUT.QVR: writes the demonstration score.

#include "demoscore.h"
#include "files/scorefilewrite.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quaverly-demoscore OUT.QVR\n");
        return 2;
    }
    // Measuring texts needs fonts, so Qt's GUI side runs without a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    demo::SilentUi ui;
    qv::Score score = demo::buildDemoScore(ui);
    const bool written = qv::writeScoreFile(score, argv[1], qv::WriteRange{0, score.Nstaves}, {}, ui);
    if (!written || ui.spoke()) {
        std::fprintf(stderr, "quaverly-demoscore: the score could not be built or written\n");
        return 1;
    }
    return 0;
}
