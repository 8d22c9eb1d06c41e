#include "shell/attributes/noteattributeswidget.h"

#include "edit/attributes/noteattributes.h"
#include "model/durations.h"
#include "shell/attributes/attributewidgets.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <array>

namespace qv {

namespace {

// The stem buttons in their order on the form, and the codes they store.
constexpr std::array<int, 4> StemCodes{StemUp, StemDown, StemAuto, StemNone};

int stemButton(int code) {
    for (std::size_t i = 0; i < StemCodes.size(); ++i)
        if (StemCodes[i] == code) return int(i);
    return NoChange;
}

// A check box that is grey for NoChange when it may be.
void setTriState(QCheckBox* box, int value, bool block) {
    box->setTristate(block);
    box->setCheckState(value == NoChange ? Qt::PartiallyChecked : value ? Qt::Checked : Qt::Unchecked);
}

int triState(const QCheckBox* box) {
    switch (box->checkState()) {
    case Qt::Checked: return 1;
    case Qt::Unchecked: return 0;
    default: return NoChange;
    }
}

} // namespace

NoteAttributesWidget::NoteAttributesWidget(NoteAttributes& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setWindowTitle(QString::fromStdString(model.caption()));
    const bool block = model.block;
    const bool note = !model.rest;

    duration_ = new QListWidget(this);
    for (int d = 0; d < 8; ++d)
        duration_->addItem(QString::fromUtf8(durationName(d, model.language)));
    if (block && model.duration == NoChange) duration_->addItem("No change");
    duration_->setCurrentRow(model.duration == NoChange ? duration_->count() - 1 : model.duration);
    duration_->setFixedHeight(duration_->sizeHintForRow(0) * duration_->count() + 2 * duration_->frameWidth());
    auto* durationLabel = new QLabel("&Duration", this);
    durationLabel->setBuddy(duration_);

    dots_ = new RadioGroup("Dots", {"&0", "&1", "&2", "&3"}, 4, block && model.dots == NoChange, this);
    dots_->setChoice(model.dots);

    accent_ = new QCheckBox("A&ccent", this);
    setTriState(accent_, model.accent, block && model.accent == NoChange);
    staccato_ = new RadioGroup("Staccato", {"Non&e", "S&taccato", "Staccatissi&mo"}, 1,
                               block && model.staccato == NoChange, this);
    staccato_->setChoice(model.staccato);
    stem_ = new RadioGroup("Stem", {"U&p", "Do&wn", "&Auto", "&None"}, 1, block && model.stem == NoChange, this);
    stem_->setChoice(stemButton(model.stem));
    beam_ = new QCheckBox(block ? "&Beam together" : "&Beam back", this);
    setTriState(beam_, model.beam, block);

    style_ = new RadioGroup("Style", {"N&orm", "&Small", "&4", "&5", "&X"}, 1, false, this);
    style_->setChoice(model.style);
    preview_ = new PreviewLabel(this);
    connect(style_->buttons(), &QButtonGroup::idClicked, this, [this] { showStyle(); });
    auto* manyStyles = new QLabel(ManyStylesMessage, this);
    manyStyles->setVisible(model.manyStyles);
    style_->setEnabled(!model.manyStyles);

    tie_ = new RadioGroup("Tie to previous", {"No t&ie", "O&verhand", "&Underhand"}, 1,
                          block && model.tie == NoChange, this);
    tie_->setChoice(model.tie);

    stemLength_ = new QSpinBox(this);
    stemLength_->setRange(-2, 9);
    stemLength_->setValue(model.stemLength);
    auto* stemLengthLabel = new QLabel("Stem &length add", this);
    stemLengthLabel->setBuddy(stemLength_);
    keepStemLength_ = new QCheckBox("Don't chan&ge", this);
    keepStemLength_->setChecked(model.keepStemLength);
    keepStemLength_->setVisible(block);
    connect(keepStemLength_, &QCheckBox::toggled, stemLength_, &QWidget::setDisabled);
    stemLength_->setDisabled(model.keepStemLength);

    auto* buttons = okCancel(this);
    if (!block) {
        QPushButton* setDefault = buttons->addButton("Set De&fault", QDialogButtonBox::ActionRole);
        connect(setDefault, &QPushButton::clicked, this, [this] {
            model_.setDefault = true;
            accept();
        });
    }

    auto* left = new QVBoxLayout;
    left->addWidget(durationLabel);
    left->addWidget(duration_);
    left->addWidget(dots_);
    left->addStretch();
    auto* middle = new QVBoxLayout;
    middle->addWidget(accent_);
    middle->addWidget(staccato_);
    middle->addWidget(stem_);
    middle->addWidget(beam_);
    middle->addStretch();
    auto* styleRow = new QHBoxLayout;
    styleRow->addWidget(style_);
    styleRow->addWidget(preview_);
    auto* lengthRow = new QHBoxLayout;
    lengthRow->addWidget(stemLengthLabel);
    lengthRow->addWidget(stemLength_);
    lengthRow->addWidget(keepStemLength_);
    lengthRow->addStretch();
    auto* right = new QVBoxLayout;
    right->addLayout(styleRow);
    right->addWidget(manyStyles);
    right->addWidget(tie_);
    right->addLayout(lengthRow);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(middle);
    columns->addLayout(right);
    auto* all = new QVBoxLayout(this);
    all->addLayout(columns);
    all->addWidget(buttons);

    // A rest has only a duration and dots.
    for (QWidget* w : std::initializer_list<QWidget*>{accent_, staccato_, stem_, beam_, style_, preview_, tie_,
                                                      stemLength_, stemLengthLabel})
        w->setVisible(note);
    showStyle();
}

void NoteAttributesWidget::showStyle() {
    ScoreObject n;
    n.setKind(ObjectKind::Note);
    n.setDuration(5);
    n.setStem(StemUp);
    n.setHeadStyle(style_->choice() == NoChange ? 0 : style_->choice());
    refreshNoteGlyph(n);
    preview_->showObject(n, true);
}

void NoteAttributesWidget::done(int result) {
    if (result == QDialog::Accepted) {
        NoteAttributes& m = model_;
        const int row = duration_->currentRow();
        m.duration = row >= 0 && row < 8 ? row : NoChange;
        m.dots = dots_->choice();
        m.accent = triState(accent_);
        m.staccato = staccato_->choice();
        const int stem = stem_->choice();
        m.stem = stem == NoChange ? NoChange : StemCodes[std::size_t(stem)];
        m.beam = triState(beam_);
        if (!m.manyStyles) m.style = style_->choice();
        m.tie = tie_->choice();
        m.stemLength = stemLength_->value();
        m.keepStemLength = m.block && keepStemLength_->isChecked();
        if (!m.block) {
            // One note has a value in every group.
            if (m.dots == NoChange) m.dots = 0;
            if (m.staccato == NoChange) m.staccato = 0;
            if (m.tie == NoChange) m.tie = TieNone;
        }
    }
    QDialog::done(result);
}

} // namespace qv
