#include "shell/attributes/keysigattributeswidget.h"

#include "edit/attributes/keysigattributes.h"
#include "shell/attributes/attributewidgets.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace qv {

KeysigAttributesWidget::KeysigAttributesWidget(KeysigAttributes& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setWindowTitle("Key Signature");
    type_ = new RadioGroup("Type", {"&Sharps", "&Flats", "&None"}, 1, model.block && model.type == NoChange, this);
    type_->setChoice(model.type);
    // The numbers are 1..6, the buttons from 0.
    number_ = new RadioGroup("Number", {"&1", "&2", "&3", "&4", "&5", "&6"}, 2, false, this);
    number_->setChoice(model.number == 0 ? NoChange : model.number - 1);
    name_ = new QLabel(this);
    name_->setMinimumWidth(name_->fontMetrics().horizontalAdvance(QString(30, 'm')) / 2);
    auto* key = new QGroupBox("Key", this);
    auto* keyLayout = new QVBoxLayout(key);
    keyLayout->addWidget(name_);
    preview_ = new PreviewLabel(this);
    connect(type_->buttons(), &QButtonGroup::idClicked, this, [this] { showKey(); });
    connect(number_->buttons(), &QButtonGroup::idClicked, this, [this] { showKey(); });

    auto* groups = new QHBoxLayout;
    groups->addWidget(type_);
    groups->addWidget(number_);
    groups->addWidget(preview_);
    auto* all = new QVBoxLayout(this);
    all->addLayout(groups);
    all->addWidget(key);
    all->addWidget(okCancel(this));
    showKey();
}

void KeysigAttributesWidget::showKey() {
    KeysigAttributes shown = model_;
    shown.type = type_->choice();
    shown.number = number_->choice() == NoChange ? 0 : number_->choice() + 1;
    number_->setEnabled(shown.numberEnabled());
    const bool known = shown.type != NoChange;
    name_->setText(known ? QString::fromStdString(keyName(shown.count())) : QString());
    ScoreObject k;
    k.setKind(ObjectKind::KeySignature);
    k.setSymbolCode(SymbolSelf);
    k.setKeyCount(known ? shown.count() : 0);
    preview_->showObject(k, true);
}

void KeysigAttributesWidget::done(int result) {
    if (result == QDialog::Accepted) {
        model_.type = type_->choice();
        model_.number = number_->choice() == NoChange ? 0 : number_->choice() + 1;
    }
    QDialog::done(result);
}

} // namespace qv
