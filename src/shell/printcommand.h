#pragma once
// "&Print...": the page checked against the selected printer, the range, copies
// and collation asked in Qt's print dialog, then every page through the print run.

#include "model/pagegeometry.h"
#include "model/score.h"
#include "print/printrange.h"

#include <QPrinter>

#include <functional>
#include <string>

namespace qv {

class Tpagedata;
class Ui;

struct PrintCommandContext {
    Score* score = nullptr;
    int currentPage = 1;
    std::string filePath;    // for the header and footer fields
    std::string captionName; // the name the window's caption shows
    DisplayUnit unit = DisplayUnit::Inches;
};

// Shows the print dialog on `printer`; true when the user pressed Print.
using AskPrintRange = std::function<bool(QPrinter& printer, int pages, int currentPage)>;

// The pages, copies and collation the dialog left on the printer: all pages, the
// current page only (its selection choice), or from .. to.
PrintRequest requestFromPrinter(const QPrinter& printer, int pages, int currentPage);

// Prints from the window on `printer`, the one the user chose, after checking the
// page against `printerData` (none: a PDF file, which takes any sheet). Nothing is
// printed when the check or the dialog stops it.
void printCommand(const PrintCommandContext& context, QPrinter& printer, Tpagedata* printerData, Ui& ui,
                  const AskPrintRange& ask);

// The printer's sheet made the score's paper, upright, turned for a landscape page.
void setPrinterPaper(QPrinter& printer, const PageData& paper);

// "Print S&etup...": the page setup of the selected printer (none installed: said so).
inline const char* const NoPrinterInstalledMessage =
    "There is no printer installed on this computer.\n\nPrint... can still write the score to a PDF file.";

// Qt's print dialog over `printer`, offering all pages, the current page and a
// range, copies and collation; printing to a PDF file is always among its printers.
bool runPrintDialog(QPrinter& printer, int pages, QWidget* parent);

} // namespace qv
