// libFuzzer entry point: any bytes as a MusicXML file, plain or zipped. An import
// either refuses with exactly one error or gives a score whose staves are within
// the model's bounds; such a score is written out as a score file too, so the
// writer meets whatever the importer built.

#include "files/scorefilewrite.h"
#include "interchange/musicxmlimport.h"
#include "model/score.h"
#include "model/ui.h"
#include "offscreenapp.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

class CountingUi : public qv::Ui {
  public:
    qv::Button message(qv::MessageType type, const std::string&, qv::Buttons) override {
        if (type == qv::MessageType::Error) ++errors;
        return qv::ButtonOk;
    }
    std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    int errors = 0;
};

void checkBounds(const qv::Score& score) {
    if (score.Nstaves < 1 || score.Nstaves > qv::MaxStaves) std::abort();
    for (int s = 0; s <= score.Nstaves; ++s) {
        const qv::Stave& st = score.stave(s);
        if (st.Nobjec > qv::MaxObjects) std::abort();
        for (int i = 1; i <= st.Nobjec; ++i) {
            const qv::ScoreObject& o = st.object(i);
            if (o.is(qv::ObjectKind::Note) && (o.beamForward() > st.Nobjec || o.tiedTo() > st.Nobjec)) std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    startOffscreenApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    CountingUi ui;
    std::optional<qv::Score> score = qv::importMusicXmlBytes(bytes, "fuzz.musicxml", ui);
    if (!score) {
        if (ui.errors != 1) std::abort(); // a refusal says so once
        return 0;
    }
    if (ui.errors != 0) std::abort();
    checkBounds(*score);
    (void)qv::encodeScore(*score, qv::WriteRange{0, score->Nstaves}, qv::WriteOptions{});
    return 0;
}
