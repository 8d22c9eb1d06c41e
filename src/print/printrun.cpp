#include "print/printrun.h"

#include "model/ui.h"
#include "render/onebitpicture.h"
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

QImage printImageForPrinter(const PrintSource& source, int page) {
    return oneBitPicture(renderPrintPage(*source.score, page, source.filePath, source.clock));
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
            const QImage image = drawer.drawOneBit(*source.score, page, source.filePath, source.clock);
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
