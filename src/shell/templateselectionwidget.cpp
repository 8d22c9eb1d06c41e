#include "shell/templateselectionwidget.h"

#include "files/templates.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace qv {

TemplateSelectionWidget::TemplateSelectionWidget(TemplateSelectionDialog& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setWindowTitle(QString::fromUtf8(TemplateSelectionTitle));
    auto* layout = new QVBoxLayout(this);
    auto* caption = new QLabel(QString::fromUtf8(TemplateListCaption), this);
    list_ = new QListWidget(this);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    caption->setBuddy(list_);
    layout->addWidget(caption);
    layout->addWidget(list_);

    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QString::fromUtf8(NoTemplateCaption), QDialogButtonBox::RejectRole);
    delete_ = buttons->addButton(QString::fromUtf8(DeleteTemplateCaption), QDialogButtonBox::ActionRole);
    ok_->setDefault(true);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &TemplateSelectionWidget::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TemplateSelectionWidget::reject);
    connect(delete_, &QPushButton::clicked, this, &TemplateSelectionWidget::deleteSelected);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { model_.select(row); });
    connect(list_, &QListWidget::itemDoubleClicked, this, &TemplateSelectionWidget::accept);
    refill();
}

void TemplateSelectionWidget::refill() {
    {
        const QSignalBlocker block(list_);
        list_->clear();
        for (const std::string& description : model_.descriptions())
            list_->addItem(QString::fromStdString(description));
    }
    // The model chose what is selected; the list follows it.
    list_->setCurrentRow(model_.selected());
    ok_->setEnabled(model_.selected() >= 0);
    delete_->setEnabled(model_.selected() >= 0);
}

void TemplateSelectionWidget::accept() {
    if (model_.accept()) QDialog::accept();
}

void TemplateSelectionWidget::reject() {
    model_.noTemplate();
    QDialog::reject();
}

void TemplateSelectionWidget::deleteSelected() {
    if (model_.deleteSelected()) refill();
}

} // namespace qv
