#include "shell/qtprinter.h"

#include <QPageLayout>
#include <QPrinter>

namespace qv {

void QtPrinterDevice::setLandscape(bool landscape) {
    printer_.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

bool QtPrinterDevice::landscape() const {
    return printer_.pageLayout().orientation() == QPageLayout::Landscape;
}

// A printer has one resolution both ways.
int QtPrinterDevice::resolutionX() const {
    return printer_.resolution();
}
int QtPrinterDevice::resolutionY() const {
    return printer_.resolution();
}

QPageLayout QtPrinterDevice::sheet() const {
    QPageLayout layout = printer_.pageLayout();
    layout.setOrientation(QPageLayout::Portrait);
    layout.setMode(QPageLayout::StandardMode);
    layout.setMargins(layout.minimumMargins());
    return layout;
}

std::optional<PrinterDevice::Size> QtPrinterDevice::physicalSize() const {
    if (!printer_.isValid()) return std::nullopt;
    const QRect full = sheet().fullRectPixels(printer_.resolution());
    return Size{full.width(), full.height()};
}

PrinterDevice::Size QtPrinterDevice::printingOffset() const {
    const QRect paint = sheet().paintRectPixels(printer_.resolution());
    return Size{paint.left(), paint.top()};
}

PrinterDevice::Size QtPrinterDevice::printableSize() const {
    const QRect paint = sheet().paintRectPixels(printer_.resolution());
    return Size{paint.width(), paint.height()};
}

} // namespace qv
