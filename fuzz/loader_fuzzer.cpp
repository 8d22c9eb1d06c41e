// libFuzzer entry point: any bytes as a score file, loaded with every check. A
// loaded score is written back as bytes too, so the writer meets whatever the
// reader let through. The same bytes are then merged as a second file into the
// loaded score (or into a small sound one when they did not load): a merge that is
// refused must leave the open score byte for byte as it was.

#include "files/loader.h"
#include "files/merge.h"
#include "files/mergeread.h"
#include "files/scorefilewrite.h"
#include "model/score.h"
#include "model/ui.h"
#include "offscreenapp.h"

#include <cstdlib>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

// Nobody answers: every question takes its first button, so the paths behind
// "Yes" and "OK" (scaling fonts, reading a later version) are explored.
class SilentUi : public qv::Ui {
  public:
    qv::Button message(qv::MessageType, const std::string&, qv::Buttons buttons) override {
        for (unsigned bit = 1; bit <= qv::ButtonHelp; bit <<= 1)
            if (buttons & bit) return static_cast<qv::Button>(bit);
        return qv::ButtonOk;
    }
    std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

// Two staves of a new score: what the bytes are merged into when they did not load.
qv::Score soundScore() {
    qv::Score score;
    qv::Stave stave;
    stave.Ycoord = 100;
    score.insertStave(1, stave);
    stave.Ycoord = 200;
    score.insertStave(2, stave);
    return score;
}

// The bytes merged into `open` after a stave chosen by their size.
void mergeInto(qv::Score& open, const std::vector<std::uint8_t>& bytes, SilentUi& ui) {
    const std::vector<std::uint8_t> before = qv::encodeScore(open, qv::WriteRange{0, open.Nstaves}, {});
    const std::optional<qv::Score> file = qv::readMergeBytes(bytes, "merged.QVR", open, ui);
    if (!file) {
        if (qv::encodeScore(open, qv::WriteRange{0, open.Nstaves}, {}) != before) std::abort();
        return;
    }
    const int p = static_cast<int>(bytes.size() % static_cast<std::size_t>(open.Nstaves + 1));
    qv::insertMergedStaves(open, p, *file, ui);
    (void)qv::encodeScore(open, qv::WriteRange{0, open.Nstaves}, qv::WriteOptions{});
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    startOffscreenApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    SilentUi ui;
    qv::Score score;
    // A screen of 120 pixels per inch makes files from 96 ask about their fonts.
    if (qv::loadScoreBytes(bytes, "fuzz.QVR", qv::LoadOptions{120, nullptr}, ui, score))
        (void)qv::encodeScore(score, qv::WriteRange{0, score.Nstaves}, qv::WriteOptions{});
    else
        score = soundScore();
    mergeInto(score, bytes, ui);
    return 0;
}
