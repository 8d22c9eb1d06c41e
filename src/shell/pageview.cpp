#include "shell/pageview.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>

#include <cmath>

namespace qv {

PageView::PageView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PageView"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageView::setPage(const QImage* image, QPoint origin, int pixelsPerUnit) {
    image_ = image;
    origin_ = origin;
    pixelsPerUnit_ = std::max(1, pixelsPerUnit);
    drawnRatio_ = devicePixelRatioF();
    downscaled_ = QImage();
    setFixedSize(widgetSize());
    update();
}

void PageView::setZoom(double zoom) {
    zoom_ = zoom > 0 ? zoom : 1.0;
    downscaled_ = QImage();
    setFixedSize(widgetSize());
    update();
}

QSize PageView::pageSize() const {
    if (!image_) return QSize(1, 1);
    return QSize(image_->width() / pixelsPerUnit_, image_->height() / pixelsPerUnit_);
}

QSize PageView::widgetSize() const {
    const QSize page = pageSize();
    return QSize(std::max(1, static_cast<int>(std::ceil(page.width() * zoom_))),
                 std::max(1, static_cast<int>(std::ceil(page.height() * zoom_))));
}

QPoint PageView::toPage(QPointF widgetPoint) const {
    return QPoint(static_cast<int>(std::floor(widgetPoint.x() / zoom_)) - origin_.x(),
                  static_cast<int>(std::floor(widgetPoint.y() / zoom_)) - origin_.y());
}

QPoint PageView::toWidget(QPoint pagePoint) const {
    return QPoint(static_cast<int>(std::floor((pagePoint.x() + origin_.x() + 0.5) * zoom_)),
                  static_cast<int>(std::floor((pagePoint.y() + origin_.y() + 0.5) * zoom_)));
}

void PageView::setOutline(const QRect& pageRect) {
    outline_ = pageRect;
    update();
}

void PageView::setStrings(std::vector<QLine> pageLines, const QColor& colour) {
    strings_ = std::move(pageLines);
    stringsColour_ = colour;
    update();
}

QSize PageView::sizeHint() const { return widgetSize(); }

const QImage& PageView::downscaled(QSize deviceSize) {
    if (downscaled_.size() != deviceSize || downscaledKey_ != image_->cacheKey()) {
        downscaled_ = image_->scaled(deviceSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        downscaled_.setDevicePixelRatio(devicePixelRatioF());
        downscaledKey_ = image_->cacheKey();
    }
    return downscaled_;
}

void PageView::drawPage(QPainter& p, const QRect& area) {
    const double ratio = devicePixelRatioF();
    // Bitmap pixels per widget pixel, and device pixels per bitmap pixel.
    const double perWidgetPixel = pixelsPerUnit_ / zoom_;
    const double step = zoom_ * ratio / pixelsPerUnit_;
    if (step == 1.0 && ratio == 1.0) {
        p.drawImage(area.topLeft(), *image_, area);
        return;
    }
    if (step < 0.5) {
        // Averaging keeps thin strokes that sampling between two pixels would lose.
        const QSize device(static_cast<int>(std::lround(pageSize().width() * zoom_ * ratio)),
                           static_cast<int>(std::lround(pageSize().height() * zoom_ * ratio)));
        p.drawImage(QPointF(area.topLeft()), downscaled(device),
                    QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
        return;
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform, step != 1.0);
    p.drawImage(QRectF(area), *image_,
                QRectF(QPointF(area.topLeft()) * perWidgetPixel, QSizeF(area.size()) * perWidgetPixel));
}

void PageView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    if (!image_) {
        p.fillRect(event->rect(), Qt::white);
        return;
    }
    if (devicePixelRatioF() != drawnRatio_) {
        drawnRatio_ = devicePixelRatioF();
        if (onDeviceScaleChanged) QTimer::singleShot(0, this, onDeviceScaleChanged);
    }
    drawPage(p, event->rect());
    // The outline and the strings are drawn over the page in widget pixels, one
    // pixel wide at every zoom.
    const auto at = [this](QPoint page) { return QPointF(page + origin_) * zoom_; };
    if (!outline_.isEmpty()) {
        p.setPen(QPen(Qt::blue, 1, Qt::DashLine));
        p.drawRect(QRectF(at(outline_.topLeft()), QSizeF(outline_.size()) * zoom_));
    }
    p.setPen(QPen(stringsColour_, 1));
    const QPointF middle(zoom_ / 2, zoom_ / 2);
    for (const QLine& line : strings_)
        p.drawLine(at(line.p1()) + middle, at(line.p2()) + middle);
}

PageView::MouseEvent PageView::translate(const QMouseEvent& event) const {
    return MouseEvent{toPage(event.position()), event.button(), event.buttons(), event.modifiers(),
                      event.globalPosition().toPoint()};
}

void PageView::mousePressEvent(QMouseEvent* event) {
    if (onPress) onPress(translate(*event));
}

void PageView::mouseMoveEvent(QMouseEvent* event) {
    if (onMove) onMove(translate(*event));
}

void PageView::mouseReleaseEvent(QMouseEvent* event) {
    if (onRelease) onRelease(translate(*event));
}

void PageView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (onDoubleClick) onDoubleClick(translate(*event));
}

void PageView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier) || !onZoomWheel) {
        event->ignore(); // the scroll area scrolls
        return;
    }
    // One notch is 15 degrees, 120 eighths; touchpads send less at a time.
    wheelRest_ += event->angleDelta().y();
    const int steps = wheelRest_ / 120;
    wheelRest_ %= 120;
    if (steps != 0) onZoomWheel(steps, event->position());
    event->accept();
}

} // namespace qv
