#pragma once
// The page set against what the selected printer can do: a sheet no larger than
// the printer's, and margins no smaller than the strips it cannot print. Used when
// the page setup dialog closes and before every print run.
//
// The printer's capacities are those of its sheet as it feeds, upright; a
// landscape page is turned onto that sheet before it is compared.

#include "model/pagegeometry.h"
#include "model/tpagedata.h"

#include <string>

namespace qv {

class Ui;

inline const char* const PrinterProblemMessage = "Problem addressing the printer driver for this printer.";
inline const char* const PrintAnywayQuestion = "\nDo you wish to print anyway?";

// Where a page goes beyond the printer, one line each, in the order the user is
// told: the sheet's width and length, then the left, top, right and bottom margins.
struct LimitLines {
    std::string size;
    std::string margins;
    bool within() const { return size.empty() && margins.empty(); }
    std::string all() const { return size + margins; }
};

// A landscape page as it lies on the upright sheet: width and length exchanged,
// and the page's left margin along the sheet's top, its bottom margin along the
// sheet's left, its right along the bottom and its top along the right. A portrait
// page is returned as it is.
PageData pageOnSheet(const PageData& page);
// The reverse: a page laid out on the upright sheet, seen in the page's own
// orientation (`landscape`).
PageData pageFromSheet(const PageData& sheet, bool landscape);

// Compares the page with the capacities last read from the printer. Both sides of
// each comparison are first rounded to what the unit shows: thousandths of an
// inch, or tenths of a millimetre.
LimitLines compareWithPrinter(const PageData& page, const Tpagedata& printer, DisplayUnit unit);

// "Large&st": the printer's whole sheet with each margin the printer's smallest,
// no gutter, header or footer, in the orientation of `page` (whose other values
// it keeps). Uses the capacities last read from the printer.
PageData largestPage(const Tpagedata& printer, const PageData& page);

// Before a print run: the printer is set to the page's orientation and read; the
// user is told when that fails, and asked whether to print anyway when the sheet
// is too small and again when a margin is too narrow. True: go on printing.
bool checkPageForPrinting(const PageData& page, Tpagedata& printer, DisplayUnit unit, Ui& ui);

} // namespace qv
