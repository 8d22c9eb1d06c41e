#pragma once
// What the print dialog decided, the order in which pages reach the printer, and
// where each page's print image lands on the printer's sheet.

#include "model/pagegeometry.h"

#include <QPoint>
#include <QSize>

#include <vector>

namespace qv {

// Pages are 1-based; `last` may be below `first`, and the pages then go in
// descending order.
struct PrintRequest {
    int first = 1;
    int last = 1;
    int copies = 1;
    bool collate = false;
};

// The request as it is carried out: one page never collates.
PrintRequest asPrinted(PrintRequest request);
int pagesInRange(const PrintRequest& request); // |last - first| + 1
// Whole passes over the range: the copies when collated, else one pass whose
// copies the printer makes of each page.
int outerRepetitions(const PrintRequest& request);
int copiesPerPage(const PrintRequest& request);
// The pages from first towards last.
std::vector<int> pageOrder(const PrintRequest& request);

// The printer's pixels per inch and its unprintable left and top strips (pixels),
// against which placements are made.
struct PrinterGeometry {
    int resolutionX = 300;
    int resolutionY = 300;
    int offsetLeft = 0;
    int offsetTop = 0;
};

// The print image's top-left corner on the sheet, in printer pixels from the
// printable area's corner: odd pages lie right of the gutter, even pages at the
// left margin.
QPoint printPlacement(const PageData& paper, int page, const PrinterGeometry& printer);
// The paper inside its margins and gutter at the printer's resolution: the
// rectangle the print image is stretched onto.
QSize printTargetSize(const PageData& paper, const PrinterGeometry& printer);

} // namespace qv
