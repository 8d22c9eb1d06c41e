#include "print/pageddevice.h"

#include <QPageLayout>
#include <QPageSize>

namespace qv {

PrinterGeometry PagedPrintDevice::geometry() const {
    PrinterGeometry g;
    g.resolutionX = device_->logicalDpiX();
    g.resolutionY = device_->logicalDpiY();
    // The painter's origin is the corner of the printable area, as on a printer
    // whose sheet has an unprintable strip.
    const QPoint corner = device_->pageLayout().paintRectPixels(g.resolutionX).topLeft();
    g.offsetLeft = corner.x();
    g.offsetTop = corner.y();
    return g;
}

bool PagedPrintDevice::begin(const std::string& title, int copiesPerPage) {
    setJobTitle(QString::fromStdString(title));
    setCopies(copiesPerPage);
    return painter_.begin(device_);
}

void PagedPrintDevice::newPage() { device_->newPage(); }

void PagedPrintDevice::drawImage(const QImage& image, const QRect& target) {
    // Stretched, not smoothed: the printer's dots take the image's pixels as they are.
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter_.setRenderHint(QPainter::LosslessImageRendering, true);
    painter_.drawImage(target, image);
}

bool PagedPrintDevice::end() { return painter_.end(); }

void PagedPrintDevice::abort() {
    if (painter_.isActive()) painter_.end();
}

PdfPrintDevice::PdfPrintDevice(const PageData& paper)
    : PagedPrintDevice(nullptr), buffer_(std::make_unique<QBuffer>(&bytes_)) {
    buffer_->open(QIODevice::WriteOnly);
    writer_ = std::make_unique<QPdfWriter>(buffer_.get());
    writer_->setResolution(Resolution);
    writer_->setPageLayout(QPageLayout(QPageSize(QSizeF(paper.Width, paper.Length), QPageSize::Inch, QString(), QPageSize::ExactMatch),
                                       QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    writer_->setCreator(QStringLiteral("Quaverly"));
    setDevice(writer_.get());
}

PdfPrintDevice::~PdfPrintDevice() = default;

void PdfPrintDevice::setJobTitle(const QString& title) { writer_->setTitle(title); }

bool PdfPrintDevice::end() {
    if (!PagedPrintDevice::end()) return false;
    buffer_->close();
    return !bytes_.isEmpty();
}

} // namespace qv
