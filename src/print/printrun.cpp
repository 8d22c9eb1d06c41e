#include "print/printrun.h"

#include "model/ui.h"
#include "render/pageimage.h"

#include <cstdio>

namespace qv {

namespace {

std::string counted(const char* pattern, int n, int of) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, n, of);
    return text;
}

std::string progressCaption(int repetition, int repetitions) {
    return repetitions > 1 ? counted("Printing copy %d of %d", repetition, repetitions) : std::string("Printing");
}

PrintOutcome finish(PrintDevice& device, Ui& ui, bool aborted) {
    ui.closeAbortableProgress();
    if (aborted) {
        device.abort();
        showInformation(ui, PrintingAbortedMessage);
        return PrintOutcome::Aborted;
    }
    return device.end() ? PrintOutcome::Printed : PrintOutcome::Failed;
}

} // namespace

namespace {

// qGray(p) >= 128 without the division: qGray is (11 r + 16 g + 5 b) / 32.
inline unsigned paperBit(QRgb p) {
    return unsigned(11 * qRed(p) + 16 * qGreen(p) + 5 * qBlue(p) >= 128 * 32);
}

// Eight pixels from `in` as one byte, leftmost in the top bit. Most of a page is
// paper, so a run of eight white pixels is told at once.
inline uchar eightPixels(const QRgb* in) {
    QRgb all = 0x00FFFFFF;
    for (int k = 0; k < 8; ++k)
        all &= in[k];
    if ((all & 0x00FFFFFF) == 0x00FFFFFF) return 0xFF;
    unsigned byte = 0;
    for (int k = 0; k < 8; ++k)
        byte |= paperBit(in[k]) << (7 - k);
    return uchar(byte);
}

} // namespace

QImage twoColourImage(const QImage& printImage) {
    const QImage source = printImage.format() == QImage::Format_RGB32 || printImage.format() == QImage::Format_ARGB32
                              ? printImage
                              : printImage.convertToFormat(QImage::Format_RGB32);
    QImage image(source.size(), QImage::Format_Mono);
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    const int width = source.width();
    const int whole = width / 8;
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        uchar* out = image.scanLine(y);
        for (int b = 0; b < whole; ++b)
            out[b] = eightPixels(in + 8 * b);
        if (whole * 8 == width) continue;
        unsigned last = 0;
        for (int x = whole * 8; x < width; ++x)
            last |= paperBit(in[x]) << (7 - (x - whole * 8));
        out[whole] = uchar(last);
    }
    return image;
}

QImage printImageForPrinter(const PrintSource& source, int page) {
    return twoColourImage(renderPrintPage(*source.score, page, source.filePath, source.clock));
}

PrintOutcome printPages(const PrintSource& source, const PrintRequest& asked, PrintDevice& device, Ui& ui) {
    const PrintRequest request = asPrinted(asked);
    if (!device.begin("Quav. " + source.captionName, copiesPerPage(request))) return PrintOutcome::Failed;
    const PrinterGeometry printer = device.geometry();
    const QSize target = printTargetSize(source.score->page, printer);
    const std::vector<int> pages = pageOrder(request);
    const int count = int(pages.size());
    const int repetitions = outerRepetitions(request);
    PrintPageDrawer drawer;
    for (int r = 1; r <= repetitions; ++r) {
        const std::string caption = progressCaption(r, repetitions);
        for (int i = 0; i < count; ++i) {
            const int page = pages[i];
            ui.abortableProgress(caption, counted("Preparing page %d of %d.", i + 1, count));
            const QImage image = twoColourImage(drawer.draw(*source.score, page, source.filePath, source.clock));
            ui.abortableProgress(caption, counted("Printing page %d of %d.", i + 1, count));
            device.drawImage(image, QRect(printPlacement(source.score->page, page, printer), target));
            const bool lastOfAll = r == repetitions && i == count - 1;
            if (!lastOfAll) device.newPage();
            if (ui.progressAborted()) return finish(device, ui, true);
        }
    }
    return finish(device, ui, false);
}

} // namespace qv
