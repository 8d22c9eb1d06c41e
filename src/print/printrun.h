#pragma once
// The print run: each page of the range drawn into the print image and stretched
// onto the printer's page inside the margins, with the progress window and its
// abort button. The printer is a PrintDevice: a QPrinter in the window, a PDF
// writer on the command line; both go through this one path.

#include "model/score.h"
#include "print/printrange.h"

#include <QDateTime>
#include <QImage>
#include <QRect>

#include <string>

namespace qv {

class Ui;

class PrintDevice {
  public:
    virtual ~PrintDevice() = default;
    // Resolution and unprintable strips, read when the job begins.
    virtual PrinterGeometry geometry() const = 0;
    // Starts the job; false when the printer cannot be opened.
    virtual bool begin(const std::string& title, int copiesPerPage) = 0;
    virtual void newPage() = 0;
    // `target` is in printer pixels from the printable area's corner.
    virtual void drawImage(const QImage& image, const QRect& target) = 0;
    // Finishes the job; false when the printer did not take it.
    virtual bool end() = 0;
    virtual void abort() = 0;
};

enum class PrintOutcome { Printed, Aborted, Failed };

inline const char* const PrintingAbortedMessage = "Printing aborted.";

// Where the score's pages come from and what the job is called.
struct PrintSource {
    Score* score = nullptr;
    std::string filePath;     // for the header and footer fields
    std::string captionName;  // the file name the window's caption shows
    QDateTime clock;          // the header's date and time; now when invalid
};

// Prints the request's pages, copies and collation on `device`. The caller has
// already checked the page against the printer and asked for the range.
PrintOutcome printPages(const PrintSource& source, const PrintRequest& request, PrintDevice& device, Ui& ui);

// The print image of one page as it goes to the printer: two colours, one bit a pixel.
QImage printImageForPrinter(const PrintSource& source, int page);

} // namespace qv
