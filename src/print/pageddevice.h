#pragma once
// A print device over any paged Qt paint device, such as a QPrinter on a CUPS
// queue. The print image is stretched onto each page with a QPainter.

#include "model/pagegeometry.h"
#include "print/printrun.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace qv {

class PagedPrintDevice : public PrintDevice {
  public:
    explicit PagedPrintDevice(QPagedPaintDevice* device) : device_(device) {}
    PrinterGeometry geometry() const override;
    bool begin(const std::string& title, int copiesPerPage) override;
    void newPage() override;
    void drawImage(const QImage& image, const QRect& target) override;
    bool end() override;
    void abort() override;

  protected:
    // What only some devices know: the job's title and the copies the printer makes.
    virtual void setJobTitle(const QString& /*title*/) {}
    virtual void setCopies(int /*copies*/) {}

  private:
    QPagedPaintDevice* device_;
    QPainter painter_;
};

} // namespace qv
