#pragma once
// A PDF of the score's paper written directly: one sheet of the page data's size a
// page, no margins of its own (the print run places the music inside the score's),
// each print image embedded as it is, one bit a pixel, black where it is black.
// The pictures are compressed and written on a second thread while the print run
// draws the next page.

#include "model/pagegeometry.h"
#include "print/pageconveyor.h"
#include "print/printrun.h"

#include <QByteArray>

#include <memory>
#include <string>
#include <vector>

namespace qv {

class PdfPrintDevice : public PrintDevice {
  public:
    static constexpr int Resolution = 1200; // dots per inch of the page coordinates
    explicit PdfPrintDevice(const PageData& paper);
    ~PdfPrintDevice() override;

    PrinterGeometry geometry() const override;
    bool begin(const std::string& title, int copiesPerPage) override;
    void newPage() override;
    // `image` is any picture; one not already two colours, black first, is made so.
    void drawImage(const QImage& image, const QRect& target) override;
    bool end() override;
    void abort() override;

    // The finished document; empty until the job has ended.
    const QByteArray& bytes() const { return bytes_; }

  private:
    struct Document;
    void closePage();

    double widthPoints_;
    double lengthPoints_;
    std::unique_ptr<Document> document_; // touched by the conveyor's jobs only
    std::unique_ptr<PageConveyor> conveyor_;
    QByteArray bytes_;
};

} // namespace qv
