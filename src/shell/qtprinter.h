#pragma once
// The printer's capacities read from a Qt printer: its resolution, its sheet and
// the strips it cannot print (the page layout's minimum margins), and the
// orientation set on it. The sheet is always given as it feeds, upright, whatever
// the orientation: the checks turn a landscape page onto it.

#include "model/tpagedata.h"

class QPageLayout;
class QPrinter;

namespace qv {

class QtPrinterDevice : public PrinterDevice {
  public:
    explicit QtPrinterDevice(QPrinter& printer) : printer_(printer) {}

    void setLandscape(bool landscape) override;
    bool landscape() const override;
    int resolutionX() const override;
    int resolutionY() const override;
    // Nothing when the printer is not there to ask.
    std::optional<Size> physicalSize() const override;
    Size printingOffset() const override;
    Size printableSize() const override;

  private:
    // The sheet upright with its margins at the printer's smallest.
    QPageLayout sheet() const;

    QPrinter& printer_;
};

} // namespace qv
