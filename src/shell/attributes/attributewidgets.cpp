#include "shell/attributes/attributewidgets.h"

#include "edit/attributes/noteattributes.h"
#include "model/score.h"
#include "render/dispatch.h"
#include "render/drawcontext.h"
#include "render/primitives.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QRadioButton>

namespace qv {

namespace {

// The button group's id of "No change": an id of -1 would make the group choose one of its own.
constexpr int NoChangeId = 1000;

} // namespace

RadioGroup::RadioGroup(const QString& title, const std::vector<std::string>& items, int columns, bool noChange,
                       QWidget* parent)
    : QGroupBox(title, parent) {
    auto* grid = new QGridLayout(this);
    const int count = static_cast<int>(items.size()) + (noChange ? 1 : 0);
    const int rows = (count + columns - 1) / columns;
    for (int i = 0; i < count; ++i) {
        const bool last = noChange && i == count - 1;
        auto* b = new QRadioButton(last ? QString("No change") : QString::fromStdString(items[std::size_t(i)]), this);
        group_.addButton(b, last ? NoChangeId : i);
        grid->addWidget(b, i % rows, i / rows);
    }
}

int RadioGroup::choice() const {
    const int id = group_.checkedId();
    return id >= 0 && id != NoChangeId ? id : NoChange;
}

void RadioGroup::setChoice(int number) {
    if (QAbstractButton* b = group_.button(number == NoChange ? NoChangeId : number)) {
        b->setChecked(true);
        return;
    }
    // Nothing chosen: the group must let go of its checked button.
    group_.setExclusive(false);
    for (QAbstractButton* b : group_.buttons())
        b->setChecked(false);
    group_.setExclusive(true);
}

PreviewLabel::PreviewLabel(QWidget* parent) : QLabel(parent) {
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
    setMinimumSize(2 * 60 + 4, 2 * 72 + 4);
}

void PreviewLabel::showObject(const ScoreObject& object, bool staveLines) {
    constexpr int Width = 60, Height = 72, Middle = 36;
    Score score;
    score.setStaveCount(1);
    Stave& st = score.stave(1);
    st.Ycoord = Middle;
    st.LeftX = 0;
    st.RightX = Width;
    st.Nobjec = 1;
    st.object(1) = object;
    // A key signature grows to the right from its x.
    st.object(1).setX((object.is(ObjectKind::KeySignature) ? 14 : Width / 2) + object.x());
    st.object(1).setY(Middle + object.y());
    // Drawn as the page is when zoomed in, from the fine glyphs, and shown at two
    // pixels per unit, so that the preview is as crisp as the page.
    DrawContext dc;
    dc.HighResMode = dc.ZoomedScreen = true;
    dc.newPrintPage(Width, Height);
    if (staveLines)
        for (int line = -2; line <= 2; ++line)
            DrawLine(dc, 2, Middle + 8 * line, Width - 2, false, 0, 1, Middle + 8 * line);
    DrawObject(dc, score, 1, 1, 0, false);
    setPixmap(QPixmap::fromImage(
        dc.Printimage.scaled(2 * Width, 2 * Height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

QDialogButtonBox* okCancel(QDialog* dialog) {
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return box;
}

} // namespace qv
