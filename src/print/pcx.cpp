#include "print/pcx.h"

#include "model/bytes.h"
#include "model/ui.h"

#include <algorithm>

namespace qv {

namespace {

constexpr std::uint8_t RunCode = 192; // the top two bits: the byte counts a run
constexpr QRgb PaperWhite = 0xFFFFFF;

// Collects the encoded bytes and hands them to the sink a full buffer at a time.
class PcxBuffer {
  public:
    explicit PcxBuffer(const ByteSink& sink) : sink_(sink) {}
    void put(std::span<const std::uint8_t> bytes) {
        while (!bytes.empty()) {
            const std::size_t n = std::min(bytes.size(), buffer_.size() - used_);
            std::copy_n(bytes.begin(), n, buffer_.begin() + static_cast<std::ptrdiff_t>(used_));
            used_ += n;
            bytes = bytes.subspan(n);
            if (used_ == buffer_.size()) flush();
        }
    }
    void flush() {
        if (used_ > 0) sink_(buffer_.data(), used_);
        used_ = 0;
    }

  private:
    const ByteSink& sink_;
    std::array<std::uint8_t, PcxBufferSize> buffer_{};
    std::size_t used_ = 0;
};

// Closes the progress window however the writing ends.
class ProgressWindow {
  public:
    explicit ProgressWindow(Ui& ui) : ui_(ui) {}
    ~ProgressWindow() { close(); }
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;
    void close() {
        if (open_) ui_.closeAbortableProgress();
        open_ = false;
    }
    // Shows how far the writing has come; true when the user asked to stop.
    bool aborted(int line, int height) {
        ui_.abortableProgress(PcxProgressCaption, PcxProgressText, line * 100 / height);
        return ui_.progressAborted();
    }

  private:
    Ui& ui_;
    bool open_ = true;
};

} // namespace

int pcxBytesPerLine(int width) {
    return (width + 7) / 8;
}

std::array<std::uint8_t, PcxHeaderSize> pcxHeader(int width, int height) {
    std::array<std::uint8_t, PcxHeaderSize> h{};
    h[0] = 10; // manufacturer
    h[1] = 2;  // version
    h[2] = 1;  // run-length encoded
    h[3] = 1;  // bits per pixel

    putU16(&h[8], static_cast<std::uint16_t>(width - 1)); // the window from (0, 0)
    putU16(&h[10], static_cast<std::uint16_t>(height - 1));
    putU16(&h[12], 300); // dots per inch across and down
    putU16(&h[14], 300);
    std::fill_n(&h[16 + 3], 3, 255); // palette: entry 0 black, entry 1 white
    h[65] = 1;                       // colour planes
    putU16(&h[66], static_cast<std::uint16_t>(pcxBytesPerLine(width)));
    return h;
}

void packPcxLine(const QImage& image, int y, std::vector<std::uint8_t>& line) {
    const int width = image.width();
    line.assign(static_cast<std::size_t>(pcxBytesPerLine(width)), 0xFF);
    const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < width; ++x)
        if ((pixels[x] & PaperWhite) != PaperWhite)
            line[static_cast<std::size_t>(x / 8)] &= static_cast<std::uint8_t>(~(0x80u >> (x % 8)));
}

void encodePcxLine(std::span<const std::uint8_t> line, std::vector<std::uint8_t>& out) {
    std::size_t i = 0;
    while (i < line.size()) {
        const std::uint8_t b = line[i];
        std::size_t run = 1;
        while (i + run < line.size() && line[i + run] == b && run < PcxLongestRun)
            ++run;
        if (run >= 2)
            out.push_back(static_cast<std::uint8_t>(RunCode + run));
        else if (b >= RunCode)
            out.push_back(RunCode + 1);
        out.push_back(b);
        i += run;
    }
}

bool WritePcx(const QImage& source, const ByteSink& sink, Ui& ui) {
    const int width = source.width(), height = source.height();
    if (source.isNull() || width > PcxLargestSide || height > PcxLargestSide) return false;
    const QImage image =
        source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
    PcxBuffer buffer(sink);
    buffer.put(pcxHeader(width, height));
    ProgressWindow progress(ui);
    std::vector<std::uint8_t> line, encoded;
    for (int y = 0; y < height; ++y) {
        if (y % PcxProgressLines == 0 && progress.aborted(y, height)) {
            progress.close(); // the message stands alone, not over the progress window
            showWarning(ui, PcxAbortedMessage);
            return false;
        }
        packPcxLine(image, y, line);
        encoded.clear();
        encodePcxLine(line, encoded);
        buffer.put(encoded);
    }
    buffer.flush();
    return true;
}

} // namespace qv
