#include "shell/printcommand.h"

#include "layout/pagination.h"
#include "model/ui.h"
#include "print/printerlimits.h"
#include "print/printrun.h"
#include "shell/printjobdevice.h"

#include <QPrintDialog>

#include <algorithm>

namespace qv {

PrintRequest requestFromPrinter(const QPrinter& printer, int pages, int currentPage) {
    PrintRequest request{1, pages, printer.copyCount(), printer.collateCopies()};
    switch (printer.printRange()) {
    case QPrinter::PageRange:
        request.first = std::clamp(printer.fromPage(), 1, pages);
        request.last = std::clamp(printer.toPage(), 1, pages);
        break;
    case QPrinter::CurrentPage:
    case QPrinter::Selection:
        request.first = request.last = currentPage;
        break;
    case QPrinter::AllPages:
        // A range typed as a list of pages ("1-3,5") is left to the spooler, which
        // picks those pages out of the whole score.
        break;
    }
    return request;
}

void setPrinterPaper(QPrinter& printer, const PageData& paper) {
    const QSizeF upright = paper.landscape ? QSizeF(paper.Length, paper.Width) : QSizeF(paper.Width, paper.Length);
    // A sheet the printer knows by name is taken when it is that size.
    printer.setPageSize(QPageSize(upright, QPageSize::Inch, QString(), QPageSize::FuzzyMatch));
    printer.setPageOrientation(paper.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void printCommand(const PrintCommandContext& context, QPrinter& printer, Tpagedata* printerData, Ui& ui,
                  const AskPrintRange& ask) {
    Score& score = *context.score;
    const int pages = pageCount(score);
    if (pages < 1) return;
    if (printerData && !checkPageForPrinting(score.page, *printerData, context.unit, ui)) return;
    setPrinterPaper(printer, score.page);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(1, pages);
    if (!ask(printer, pages, context.currentPage)) return;
    const PrintRequest request = requestFromPrinter(printer, pages, context.currentPage);
    QPrinterPrintDevice device(printer);
    PrintSource source{&score, context.filePath, context.captionName, {}};
    ui.setBusy(true);
    printPages(source, request, device, ui);
    ui.setBusy(false);
}

bool runPrintDialog(QPrinter& printer, int pages, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCurrentPage |
                      QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintToFile |
                      QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, pages);
    dialog.setFromTo(1, pages);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace qv
