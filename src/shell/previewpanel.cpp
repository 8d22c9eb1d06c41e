#include "shell/previewpanel.h"

#include "layout/pagination.h"
#include "render/page.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace qv {

namespace {

QPushButton* button(const char* caption, QWidget* parent, QHBoxLayout* row) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    row->addWidget(b);
    return b;
}

} // namespace

PreviewPanel::PreviewPanel(Score& score, const Colours& colours, QWidget* parent)
    : QWidget(parent), score_(score), colours_(colours) {
    setFocusPolicy(Qt::StrongFocus);
    auto* column = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    previous_ = button("Pre&vious", this, buttons);
    next_ = button("Ne&xt", this, buttons);
    QPushButton* margins = button("Marg&ins", this, buttons);
    details_ = button("&Details", this, buttons);
    QPushButton* cancel = button("C&ancel", this, buttons);
    margins->setCheckable(true);
    details_->setCheckable(true);
    caption_ = new QLabel(this);
    buttons->addSpacing(20);
    buttons->addWidget(caption_);
    buttons->addStretch();
    column->addLayout(buttons);
    auto* pages = new QHBoxLayout;
    left_ = new QLabel(this);
    right_ = new QLabel(this);
    // An empty side keeps its place, so that page 1 stands on the right as a
    // right-hand page does and a last even page on the left.
    for (QLabel* side : {left_, right_}) {
        QSizePolicy policy = side->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        side->setSizePolicy(policy);
    }
    pages->addStretch();
    pages->addWidget(left_);
    pages->addWidget(right_);
    pages->addStretch();
    column->addLayout(pages, 1);

    connect(previous_, &QPushButton::clicked, this, [this] { previous(); });
    connect(next_, &QPushButton::clicked, this, [this] { next(); });
    connect(margins, &QPushButton::toggled, this, [this](bool on) {
        margins_ = on;
        show();
    });
    connect(details_, &QPushButton::toggled, this, [this] { show(); });
    connect(cancel, &QPushButton::clicked, this, [this] {
        if (onCancel) onCancel();
    });
}

void PreviewPanel::open(int current, bool details) {
    pages_.emplace(current, pageCount(score_));
    // The button starts as the setting says; toggling it later redraws.
    const QSignalBlocker quiet(details_);
    details_->setChecked(details);
    show();
}

void PreviewPanel::previous() {
    if (!pages_) return;
    pages_->back();
    show();
}

void PreviewPanel::next() {
    if (!pages_) return;
    pages_->forward();
    show();
}

QString PreviewPanel::label() const { return QString::fromStdString(pages_ ? pages_->label() : std::string()); }

void PreviewPanel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        if (onCancel) onCancel();
        return;
    case Qt::Key_PageUp:
        previous();
        return;
    case Qt::Key_PageDown:
        next();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

double PreviewPanel::pixelsPerInch() const {
    // Both pages fit the panel's height, and never smaller than a thumbnail.
    const double length = score_.page.Length > 0 ? score_.page.Length : 11.69;
    const int height = std::max(300, this->height() - 60);
    return std::clamp(height / length, 20.0, 100.0);
}

bool PreviewPanel::details() const { return details_->isChecked(); }

QSize PreviewPanel::pageSize() const {
    const double ppi = pixelsPerInch();
    return {std::max(1, int(score_.page.Width * ppi)), std::max(1, int(score_.page.Length * ppi))};
}

QImage PreviewPanel::drawPage(int page, bool gutterLeft) const {
    const double ppi = pixelsPerInch();
    QImage image(pageSize(), QImage::Format_RGB32);
    DrawContext dc;
    dc.colours = colours_;
    DrawPreviewPage(dc, score_, image, PreviewRequest{page, gutterLeft, details(), ppi});
    if (margins_) {
        const PageData& p = score_.page;
        QPainter painter(&image);
        painter.setPen(QPen(Qt::gray, 1, Qt::DashLine));
        painter.drawRect(QRectF(p.LeftM * ppi, p.TopM * ppi, (p.Width - p.LeftM - p.RightM) * ppi,
                                (p.Length - p.TopM - p.BotM) * ppi));
    }
    QPainter frame(&image);
    frame.setPen(Qt::black);
    frame.drawRect(image.rect().adjusted(0, 0, -1, -1));
    return image;
}

void PreviewPanel::show() {
    if (!pages_) return;
    // An even page is a left-hand page: its gutter lies on its right. Both sides
    // take a page's size, filled or not.
    left_->setFixedSize(pageSize());
    right_->setFixedSize(pageSize());
    left_->setPixmap(pages_->left() ? QPixmap::fromImage(drawPage(pages_->left(), false)) : QPixmap());
    left_->setVisible(pages_->left() != 0);
    right_->setPixmap(pages_->right() ? QPixmap::fromImage(drawPage(pages_->right(), true)) : QPixmap());
    right_->setVisible(pages_->right() != 0);
    caption_->setText(label());
    previous_->setEnabled(pages_->canGoBack());
    next_->setEnabled(pages_->canGoForward());
}

} // namespace qv
