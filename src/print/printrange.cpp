#include "print/printrange.h"

#include <cstdlib>

namespace qv {

PrintRequest asPrinted(PrintRequest request) {
    if (request.first == request.last) request.collate = false;
    if (request.copies < 1) request.copies = 1;
    return request;
}

int pagesInRange(const PrintRequest& request) { return std::abs(request.last - request.first) + 1; }

int outerRepetitions(const PrintRequest& request) {
    const PrintRequest r = asPrinted(request);
    return r.collate ? r.copies : 1;
}

int copiesPerPage(const PrintRequest& request) {
    const PrintRequest r = asPrinted(request);
    return r.collate ? 1 : r.copies;
}

std::vector<int> pageOrder(const PrintRequest& request) {
    std::vector<int> pages;
    const int step = request.last >= request.first ? 1 : -1;
    for (int k = request.first;; k += step) {
        pages.push_back(k);
        if (k == request.last) break;
    }
    return pages;
}

QPoint printPlacement(const PageData& paper, int page, const PrinterGeometry& printer) {
    // The gutter is the inner margin: on the right-hand (odd) pages it lies left.
    const double left = page % 2 == 1 ? paper.LeftM + paper.GutM : paper.LeftM;
    return {roundHalfEven(printer.resolutionX * left) - printer.offsetLeft,
            roundHalfEven(printer.resolutionY * paper.TopM) - printer.offsetTop};
}

QSize printTargetSize(const PageData& paper, const PrinterGeometry& printer) {
    return {roundHalfEven(printer.resolutionX * (paper.Width - paper.LeftM - paper.RightM - paper.GutM)),
            roundHalfEven(printer.resolutionY * (paper.Length - paper.TopM - paper.BotM))};
}

} // namespace qv
