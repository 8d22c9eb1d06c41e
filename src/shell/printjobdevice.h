#pragma once
// The print run's device on a real printer: a QPrinter (a CUPS queue or Qt's PDF
// file), which also takes the job's title and the copies it makes of each page.

#include "print/pageddevice.h"

#include <QPrinter>

namespace qv {

class QPrinterPrintDevice : public PagedPrintDevice {
  public:
    explicit QPrinterPrintDevice(QPrinter& printer) : PagedPrintDevice(&printer), printer_(printer) {}
    void abort() override;

  protected:
    void setJobTitle(const QString& title) override { printer_.setDocName(title); }
    void setCopies(int copies) override { printer_.setCopyCount(copies); }

  private:
    QPrinter& printer_;
};

} // namespace qv
