#include "shell/savepartwidget.h"

#include "files/partialsave.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace qv {

namespace {

QString staveText(int stave) {
    return QStringLiteral("Stave %1").arg(stave);
}

} // namespace

SavePartWidget::SavePartWidget(SavePartDialog& model, QWidget* parent) : QDialog(parent), model_(model) {
    setWindowTitle(QString::fromUtf8(SavePartTitle));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    start_ = addSystemRow(grid, 0, "Start at", startStave_);
    end_ = addSystemRow(grid, 1, "End at", endStave_);
    start_->setObjectName(QStringLiteral("startSystem"));
    end_->setObjectName(QStringLiteral("endSystem"));
    startStave_->setObjectName(QStringLiteral("startStave"));
    endStave_->setObjectName(QStringLiteral("endStave"));

    // Arrows and committed entries couple the two numbers; keys typed into a box
    // only move that box's number until the entry is committed.
    connect(start_, &QSpinBox::valueChanged, this, [this](int v) {
        model_.setStart(v);
        refresh();
    });
    connect(end_, &QSpinBox::valueChanged, this, [this](int v) {
        model_.setEnd(v);
        refresh();
    });
    // The spin boxes stay quiet while keys are typed; their editors do not.
    connect(start_->findChild<QLineEdit*>(), &QLineEdit::textEdited, this, &SavePartWidget::startTyped);
    connect(end_->findChild<QLineEdit*>(), &QLineEdit::textEdited, this, &SavePartWidget::endTyped);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton* all = buttons->addButton(QString::fromUtf8(ShowAllCaption), QDialogButtonBox::ActionRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &SavePartWidget::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SavePartWidget::reject);
    connect(all, &QPushButton::clicked, this, &SavePartWidget::showAll);
    layout->addWidget(buttons);
    refresh();
}

QSpinBox* SavePartWidget::addSystemRow(QGridLayout* grid, int row, const char* caption, QLabel*& staveLabel) {
    auto* label = new QLabel(QString::fromUtf8(caption), this);
    auto* box = new QSpinBox(this);
    box->setRange(1, std::max(1, model_.systemCount()));
    box->setKeyboardTracking(false);
    label->setBuddy(box);
    staveLabel = new QLabel(this);
    grid->addWidget(label, row, 0);
    grid->addWidget(box, row, 1);
    grid->addWidget(staveLabel, row, 2);
    return box;
}

void SavePartWidget::refresh() {
    const QSignalBlocker blockStart(start_);
    const QSignalBlocker blockEnd(end_);
    start_->setValue(model_.start());
    end_->setValue(model_.end());
    startStave_->setText(staveText(model_.startStave()));
    endStave_->setText(staveText(model_.endStave()));
}

void SavePartWidget::startTyped(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok) return;
    model_.typeStart(v);
    startStave_->setText(staveText(model_.startStave()));
}

void SavePartWidget::endTyped(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok) return;
    model_.typeEnd(v);
    endStave_->setText(staveText(model_.endStave()));
}

void SavePartWidget::accept() {
    if (model_.accept()) QDialog::accept();
}

void SavePartWidget::showAll() {
    model_.showAll();
    QDialog::accept();
}

void SavePartWidget::reject() {
    model_.cancel();
    QDialog::reject();
}

} // namespace qv
