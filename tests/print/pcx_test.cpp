// The PCX encoder: the header, packing pixels into lines, the run-length code,
// the progress window with its abort button, and the output buffer (whole
// pictures are read back by other programs in the export tests).

#include "print/pcx.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes encoded(const Bytes& line) {
    Bytes out;
    encodePcxLine(line, out);
    return out;
}

TEST(Pcx, LinesAreRunLengthCodedWithinTheLine) {
    const struct {
        const char* what;
        Bytes line, code;
    } cases[] = {
        {"a run of 100 is 63 then 37", Bytes(100, 0xAA), {192 + 63, 0xAA, 192 + 37, 0xAA}},
        {"a lone 200 is escaped", {1, 200, 2}, {1, 193, 200, 2}},
        {"a lone 192 is escaped, 191 is not", {192, 191}, {193, 192, 191}},
        {"two equal bytes are a run", {7, 7}, {194, 7}},
        {"64 equal high bytes: a run and a lone one", Bytes(64, 0xFF), {255, 0xFF, 193, 0xFF}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(encoded(c.line), c.code) << c.what;
}

TEST(Pcx, HeaderAndPackedLines) {
    const auto h = pcxHeader(9, 5);
    Bytes expected(PcxHeaderSize, 0);
    expected[0] = 10, expected[1] = 2, expected[2] = 1, expected[3] = 1;
    // x max and y max; 300 dots per inch both ways; palette entry 1 white; one
    // plane of 2 bytes a line.
    expected[8] = 8, expected[10] = 4;
    expected[12] = expected[14] = 0x2C, expected[13] = expected[15] = 0x01;
    expected[19] = expected[20] = expected[21] = 255;
    expected[65] = 1, expected[66] = 2;
    EXPECT_EQ(Bytes(h.begin(), h.end()), expected);

    // Ink is anything not pure white: black, a near-white grey, red. Bits past the
    // right edge are paper.
    QImage image(9, 1, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(0, 0, qRgb(0, 0, 0));
    image.setPixel(3, 0, qRgb(254, 255, 255));
    image.setPixel(8, 0, qRgb(255, 0, 0));
    Bytes line;
    packPcxLine(image, 0, line);
    EXPECT_EQ(line, (Bytes{0x6F, 0x7F}));
}

struct Written {
    bool complete = false;
    std::vector<std::size_t> pieces;
    Bytes bytes;
};

Written write(const QImage& image, Ui& ui) {
    Written w;
    const ByteSink sink = [&](const std::uint8_t* b, std::size_t n) {
        w.pieces.push_back(n);
        w.bytes.insert(w.bytes.end(), b, b + n);
    };
    w.complete = WritePcx(image, sink, ui);
    return w;
}

TEST(Pcx, ProgressEvery32LinesAndAbort) {
    QImage image(8, 70, QImage::Format_RGB32);
    image.fill(Qt::white);
    test::ScriptedUi ui;
    const Written whole = write(image, ui);
    EXPECT_TRUE(whole.complete);
    const std::string line = std::string(PcxProgressCaption) + " | " + PcxProgressText + " | ";
    EXPECT_EQ(ui.abortable, (std::vector<std::string>{line + "0", line + "45", line + "91"}));
    EXPECT_EQ(ui.abortableClosed, 1);
    // A white byte alone on each line: runs never reach into the next line.
    EXPECT_EQ(Bytes(whole.bytes.begin() + PcxHeaderSize, whole.bytes.begin() + PcxHeaderSize + 4),
              (Bytes{193, 0xFF, 193, 0xFF}));

    test::ScriptedUi aborting;
    aborting.abortAfter = 2;
    EXPECT_FALSE(write(image, aborting).complete);
    EXPECT_EQ(aborting.abortable.size(), 2u);
    EXPECT_EQ(aborting.lastText(), PcxAbortedMessage);
    EXPECT_EQ(aborting.abortableClosed, 1);
}

TEST(Pcx, OutputLeavesInFullBuffersAndOnceAtTheEnd) {
    // Stripes 8 pixels wide: each line 50 lone white bytes (193, 255) and 50 lone
    // ink bytes, 150 bytes; with the header 128 + 40 x 150 = 2 x 2048 + 2032.
    QImage image(800, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 8; x < image.width(); x += 16)
            for (int i = 0; i < 8; ++i)
                image.setPixel(x + i, y, qRgb(0, 0, 0));
    test::ScriptedUi ui;
    EXPECT_EQ(write(image, ui).pieces, (std::vector<std::size_t>{2048, 2048, 2032}));
}

} // namespace
} // namespace qv
