#include "shell/statusline.h"

#include "shell/hint.h"

#include <QMouseEvent>

#include <algorithm>

namespace qv {

int clampTutorialHeight(int wanted, int clientHeight) {
    const int most = std::max(MinTutorialHeight, clientHeight * 2 / 3);
    return std::clamp(wanted, MinTutorialHeight, most);
}

StatusLine::StatusLine(QWidget* pane, QWidget* client, QWidget* parent)
    : QLabel(parent), pane_(pane), client_(client) {
    setObjectName(QStringLiteral("StatusLine"));
    setCursor(Qt::SizeVerCursor);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setMinimumHeight(fontMetrics().height() + 6);
    setHint(this, QStringLiteral("Drag up or down to resize the tutorial pane"),
            QStringLiteral("The line shows the page, system and stave you are on."));
}

void StatusLine::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QLabel::mousePressEvent(event);
    pressY_ = int(event->globalPosition().y());
    paneAtPress_ = pane_->height();
}

void StatusLine::mouseMoveEvent(QMouseEvent* event) {
    if (pressY_ < 0 || !(event->buttons() & Qt::LeftButton)) return;
    // Dragging the line up makes the pane below it taller.
    const int wanted = paneAtPress_ + (pressY_ - int(event->globalPosition().y()));
    pane_->setFixedHeight(clampTutorialHeight(wanted, client_->height()));
}

void StatusLine::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pressY_ = -1;
    QLabel::mouseReleaseEvent(event);
}

} // namespace qv
