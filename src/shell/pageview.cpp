#include "shell/pageview.h"

#include <QMouseEvent>
#include <QPainter>

namespace qv {

PageView::PageView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PageView"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageView::setPage(const QImage* image, QPoint origin) {
    image_ = image;
    origin_ = origin;
    const QSize size = image_ ? image_->size() : QSize(1, 1);
    setFixedSize(size);
    update();
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

QSize PageView::sizeHint() const { return image_ ? image_->size() : QSize(1, 1); }

void PageView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    if (image_) p.drawImage(event->rect().topLeft(), *image_, event->rect());
    else p.fillRect(event->rect(), Qt::white);
    if (!outline_.isEmpty()) {
        p.setPen(QPen(Qt::blue, 1, Qt::DashLine));
        p.drawRect(outline_.translated(origin_));
    }
    p.setPen(QPen(stringsColour_, 1));
    for (const QLine& line : strings_)
        p.drawLine(line.translated(origin_));
}

PageView::MouseEvent PageView::translate(const QMouseEvent& event) const {
    return MouseEvent{toPage(event.position().toPoint()), event.button(), event.buttons(), event.modifiers(),
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

} // namespace qv
