#include "shell/changefontdialog.h"

#include "edit/information.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

ChangeFontWidget::ChangeFontWidget(ChangeFontDialog& model, QWidget* parent) : QDialog(parent), model_(model) {
    setWindowTitle(QString::fromUtf8(ChangeFontCaption));
    setObjectName(QStringLiteral("TChangefont"));

    auto* caption = new QLabel(QStringLiteral("Change this font definition:"));
    panel_ = new QLabel(QString::fromStdString(model_.panelText()));
    panel_->setObjectName(QStringLiteral("Panel1"));
    panel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel_->setMargin(8);
    panel_->setMinimumWidth(320);
    panel_->setTextFormat(Qt::PlainText);

    auto* change = new QPushButton(QStringLiteral("&Change this font"));
    change->setObjectName(QStringLiteral("bbChange"));
    auto* ok = new QPushButton(QStringLiteral("&OK"));
    ok->setObjectName(QStringLiteral("bbOK"));
    ok->setDefault(true);
    auto* abort = new QPushButton(QStringLiteral("&Abort"));
    abort->setObjectName(QStringLiteral("bbAbort"));
    connect(change, &QPushButton::clicked, this, [this] {
        if (model_.changeThisFont()) panel_->setText(QString::fromStdString(model_.panelText()));
    });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(abort, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(change);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(abort);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(panel_);
    layout->addSpacing(8);
    layout->addLayout(buttons);
}

} // namespace qv
