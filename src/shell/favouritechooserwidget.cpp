#include "shell/favouritechooserwidget.h"

#include "edit/fontcommands.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qv {

FavouriteChooserWidget::FavouriteChooserWidget(FavouriteChooser& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setWindowTitle(QString::fromStdString(model.title));
    auto* column = new QVBoxLayout(this);
    auto* label = new QLabel(QString::fromStdString(model.label), this);
    label->setTextFormat(Qt::PlainText); // a face name may hold anything
    column->addWidget(label);
    auto* group = new QGroupBox(QString::fromStdString(model.listCaption), this);
    auto* list = new QVBoxLayout(group);
    numbers_ = new QButtonGroup(this);
    for (std::size_t i = 0; i < model.entries.size(); ++i) {
        auto* b = new QRadioButton(QString::fromStdString(model.entries[i]), group);
        numbers_->addButton(b, static_cast<int>(i) + 1);
        b->setChecked(model.chosen == static_cast<int>(i) + 1);
        list->addWidget(b);
    }
    column->addWidget(group);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
}

void FavouriteChooserWidget::accept() {
    model_.chosen = std::max(numbers_->checkedId(), 0);
    QDialog::accept();
}

} // namespace qv
