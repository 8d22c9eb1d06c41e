#pragma once
// A print device over any paged Qt paint device: a QPrinter on a CUPS queue or
// Qt's PDF writer. The print image is stretched onto each page with a QPainter.

#include "model/pagegeometry.h"
#include "print/printrun.h"

#include <QBuffer>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <memory>

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
    // For a device made by the subclass after this base.
    void setDevice(QPagedPaintDevice* device) { device_ = device; }
    // What only some devices know: the job's title and the copies the printer makes.
    virtual void setJobTitle(const QString& /*title*/) {}
    virtual void setCopies(int /*copies*/) {}

  private:
    QPagedPaintDevice* device_;
    QPainter painter_;
};

// A PDF of the score's paper: one sheet of the page data's size a page, no
// margins of its own (the print run places the music inside the score's).
class PdfPrintDevice : public PagedPrintDevice {
  public:
    static constexpr int Resolution = 1200; // dots per inch of the page coordinates
    explicit PdfPrintDevice(const PageData& paper);
    ~PdfPrintDevice() override;
    // The finished document; empty until the job has ended.
    const QByteArray& bytes() const { return bytes_; }
    bool end() override;

  protected:
    void setJobTitle(const QString& title) override;

  private:
    QByteArray bytes_;
    std::unique_ptr<QBuffer> buffer_;
    std::unique_ptr<QPdfWriter> writer_;
};

} // namespace qv
