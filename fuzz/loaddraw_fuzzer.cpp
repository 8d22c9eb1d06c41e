// libFuzzer entry point: any bytes as a score file, loaded with every check, and
// the first page of an accepted score drawn on the screen page and on the print
// image. Whatever the loader lets through must draw in bounded memory and time:
// run it with -rss_limit_mb=512 -timeout=10 (./qv fuzz loaddraw does).
//
// Then everything on that page is boxed and copied: links that were whole must stay
// whole.
//
// Its seeds in fuzz/corpus-loaddraw are small crafted files: a normal page, a font
// of 12000 points, a shape of 8000 units, a page of 65.5 inches, a long text whose
// chunks lead back to its head, a stave whose count names objects the file does
// not hold, lines and hairpins across the whole coordinate range, and the longest
// text a stave holds in the largest font on the largest page.

#include "files/loader.h"
#include "layout/blocks.h"
#include "model/linkcheck.h"
#include "model/score.h"
#include "model/ui.h"
#include "render/pageimage.h"
#include "offscreenapp.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
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

// The page the score starts on: where its first music stave stands.
int firstPage(const qv::Score& score) {
    return score.stave(1).PageNum;
}

std::size_t brokenLinkCount(const qv::Score& score) {
    std::size_t n = 0;
    for (int s = 1; s <= score.Nstaves; ++s)
        n += qv::brokenLinks(score.stave(s)).size();
    return n;
}

// A score whose links are whole keeps them whole when everything on its first page
// is boxed and copied a little to the right onto the same staves.
void checkBlockCopy(qv::Score& score, int page, qv::Ui& ui) {
    if (brokenLinkCount(score) != 0) return; // damage the loader let through is not the copy's
    qv::BlockState block;
    if (!qv::markBox(score, block, qv::BlockBox::spanning(-32768, -32768, 32767, 32767), page, ui)) return;
    block.targetX = block.sourceX + 10;
    qv::copyBlock(score, block, false, ui);
    if (brokenLinkCount(score) != 0) std::abort();
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
    if (!qv::loadScoreBytes(bytes, "fuzz.QVR", qv::LoadOptions{120, nullptr}, ui, score)) return 0;
    const int page = firstPage(score);
    (void)qv::renderScreenPage(score, page);
    // A fixed clock: the same input draws the same page every time.
    (void)qv::renderPrintPage(score, page, "/fuzz/fuzz.QVR", QDateTime(QDate(2024, 1, 31), QTime(12, 0)));
    checkBlockCopy(score, page, ui);
    // The program's event loop runs between drawings, and with it Qt's timers that
    // let go of fonts no longer used; without them every font ever drawn is kept.
    QCoreApplication::processEvents();
    return 0;
}
