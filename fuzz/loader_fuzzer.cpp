// libFuzzer entry point: any bytes as a score file, loaded with every check. A
// loaded score is written back as bytes too, so the writer meets whatever the
// reader let through.

#include "files/loader.h"
#include "files/scorefilewrite.h"
#include "model/score.h"
#include "model/ui.h"

#include <QGuiApplication>

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

} // namespace

// Text heights are measured while loading, so the GUI side of Qt runs. The
// application is never destroyed: libFuzzer leaves through exit(), after Qt's own
// statics are gone, and destroying it then crashes.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    [[maybe_unused]] static QGuiApplication& gui = *new QGuiApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    SilentUi ui;
    qv::Score score;
    // A screen of 120 pixels per inch makes files from 96 ask about their fonts.
    if (qv::loadScoreBytes(bytes, "fuzz.QVR", qv::LoadOptions{120, nullptr}, ui, score))
        (void)qv::encodeScore(score, qv::WriteRange{0, score.Nstaves}, qv::WriteOptions{});
    return 0;
}
