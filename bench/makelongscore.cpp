// quaverly-longscore OUT.QVR: writes the long piano score of longscore.h, for the
// race and for measuring page output by hand.

#include "benchgui.h"
#include "longscore.h"
#include "quietui.h"
#include "files/scorefilewrite.h"

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quaverly-longscore OUT.QVR\n");
        return 2;
    }
    bench::gui();
    bench::QuietUi ui;
    qv::Score score;
    if (!bench::buildLongPianoScore(QUAVERLY_SOURCE_DIR "/resources/demo/demo.QVR", ui, score) ||
        !qv::writeScoreFile(score, argv[1], {0, score.Nstaves}, {}, ui)) {
        std::fprintf(stderr, "quaverly-longscore: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
