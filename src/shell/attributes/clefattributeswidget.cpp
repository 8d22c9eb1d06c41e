#include "shell/attributes/clefattributeswidget.h"

#include "edit/attributes/clefattributes.h"
#include "shell/attributes/attributewidgets.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace qv {

ClefAttributesWidget::ClefAttributesWidget(ClefAttributes& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setWindowTitle(QString::fromStdString(model.caption()));
    const std::vector<std::string> types =
        model.accidental
            ? std::vector<std::string>{"&Double flat", "&Flat", "&Natural", "&Sharp", "Double sharp (&X)"}
            : std::vector<std::string>{"Treble (&G)", "Bass (&F)", "&Alto", "&Tenor"};
    // The accidental's type holds N and S already.
    const std::vector<std::string> sizes = model.accidental ? std::vector<std::string>{"N&ormal", "S&mall"}
                                                            : std::vector<std::string>{"&Normal", "&Small"};
    type_ = new RadioGroup("Type", types, 1, model.block && model.type == NoChange && model.typeShown(), this);
    type_->setChoice(model.type);
    type_->setVisible(model.typeShown());
    size_ = new RadioGroup("Size", sizes, 1, model.block && model.size == NoChange, this);
    size_->setChoice(model.size);
    preview_ = new PreviewLabel(this);
    connect(type_->buttons(), &QButtonGroup::idClicked, this, [this] { showPreview(); });
    connect(size_->buttons(), &QButtonGroup::idClicked, this, [this] { showPreview(); });

    auto* groups = new QVBoxLayout;
    groups->addWidget(type_);
    groups->addWidget(size_);
    groups->addStretch();
    auto* row = new QHBoxLayout;
    row->addLayout(groups);
    row->addWidget(preview_, 0, Qt::AlignTop);
    auto* all = new QVBoxLayout(this);
    all->addLayout(row);
    all->addWidget(okCancel(this));
    showPreview();
}

void ClefAttributesWidget::showPreview() {
    ClefAttributes shown = model_;
    shown.type = type_->choice();
    shown.size = size_->choice();
    ScoreObject o;
    o.setKind(ObjectKind::Glyph);
    o.setSymbolCode(shown.previewSymbol());
    preview_->showObject(o, !model_.accidental);
}

void ClefAttributesWidget::done(int result) {
    if (result == QDialog::Accepted) {
        if (model_.typeShown()) model_.type = type_->choice();
        model_.size = size_->choice();
    }
    QDialog::done(result);
}

} // namespace qv
