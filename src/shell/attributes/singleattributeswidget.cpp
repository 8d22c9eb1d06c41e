#include "shell/attributes/singleattributeswidget.h"

#include "edit/attributes/singleattributes.h"
#include "shell/attributes/attributewidgets.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace qv {

SingleAttributesWidget::SingleAttributesWidget(SingleAttributes& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setWindowTitle(QString::fromStdString(model.caption()));
    items_ = new RadioGroup(QString(), model.items(), model.columns(), false, this);
    items_->setChoice(model.item);
    dotted_ = new QCheckBox("&Dotted", this);
    dotted_->setTristate(model.block && model.dotted == NoChange);
    dotted_->setCheckState(model.dotted == NoChange ? Qt::PartiallyChecked
                                                    : model.dotted ? Qt::Checked : Qt::Unchecked);
    dotted_->setVisible(model.dottedShown());
    preview_ = new PreviewLabel(this);
    connect(items_->buttons(), &QButtonGroup::idClicked, this, [this] { showPreview(); });
    connect(dotted_, &QCheckBox::stateChanged, this, [this] { showPreview(); });

    auto* side = new QVBoxLayout;
    side->addWidget(preview_);
    side->addWidget(dotted_);
    side->addStretch();
    auto* row = new QHBoxLayout;
    row->addWidget(items_);
    row->addLayout(side);
    auto* all = new QVBoxLayout(this);
    all->addLayout(row);
    all->addWidget(okCancel(this));
    showPreview();
}

// The preview draws an object of the dialog's kind with the choice made.
void SingleAttributesWidget::showPreview() {
    ScoreObject o;
    o.setKind(model_.kind);
    switch (model_.kind) {
    case ObjectKind::Line:
        o.setX(-24);
        o.setLineDx(48);
        o.setLineDy(0);
        break;
    case ObjectKind::Hairpin:
        o.setX(-24);
        o.setHairpinDx(48);
        o.setHairpinDy(8);
        break;
    default: break;
    }
    SingleAttributes shown = model_;
    shown.item = items_->choice();
    shown.dotted = dotted_->checkState() == Qt::Checked ? 1 : 0;
    if (model_.kind == ObjectKind::CurvePoint) {
        // A lone curve point draws nothing: a straight stroke stands for its thickness.
        o.setKind(ObjectKind::Line);
        o.setX(-24);
        o.setLineDx(48);
        o.setLineThickness(shown.item == NoChange ? 0 : shown.item);
        o.setLineStyle(shown.dotted);
    } else {
        applySingleAttributes(o, shown);
    }
    const bool onStave = model_.kind == ObjectKind::Barline || model_.kind == ObjectKind::TimeSignature;
    preview_->showObject(o, onStave);
}

void SingleAttributesWidget::done(int result) {
    if (result == QDialog::Accepted) {
        model_.item = items_->choice();
        if (model_.dottedShown()) {
            const Qt::CheckState s = dotted_->checkState();
            model_.dotted = s == Qt::PartiallyChecked ? NoChange : s == Qt::Checked ? 1 : 0;
        }
    }
    QDialog::done(result);
}

} // namespace qv
