#include "print/pageddevice.h"

#include <QPageLayout>

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

} // namespace qv
