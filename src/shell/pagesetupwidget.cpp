#include "shell/pagesetupwidget.h"

#include "shell/hint.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace qv {

namespace {

using F = PageSetupDialog::Field;

struct FieldInfo {
    F field;
    const char* caption;
    const char* name;
    int row, column; // in pairs of label and box
};

// The paper, then the margins side against side, then the header and footer zones.
constexpr FieldInfo Fields[] = {
    {F::Length, "&Page Length", "EditLen", 0, 0},
    {F::Width, "Page &Width", "EditWid", 0, 1},
    {F::Top, "&Top Margin", "EditTop", 2, 0},
    {F::Bottom, "&Bottom", "EditBottom", 2, 1},
    {F::Left, "&Left", "EditLeft", 3, 0},
    {F::Right, "&Right", "EditRight", 3, 1},
    {F::Gutter, "&Gutter", "EditGutter", 4, 0},
    {F::Header, "H&eader Margin", "editHeader", 6, 0},
    {F::Footer, "Footer Margi&n", "editfooter", 6, 1},
};
constexpr int GapRows[] = {1, 5};

QRadioButton* radio(const char* caption, const char* name, QLayout* into) {
    auto* b = new QRadioButton(QString::fromUtf8(caption));
    b->setObjectName(QString::fromUtf8(name));
    into->addWidget(b);
    return b;
}

} // namespace

PageSetupWidget::PageSetupWidget(PageSetupDialog& model, QWidget* parent) : QDialog(parent), model_(model) {
    setWindowTitle(QString::fromUtf8(PageSetupTitle));
    setObjectName(QStringLiteral("TPaperdialog"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addLayout(makeFields());
    top->addSpacing(12);
    top->addLayout(makeSwitches());
    layout->addLayout(top);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("&OK"));
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"));
    ok->setObjectName(QStringLiteral("OKBtn"));
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &PageSetupWidget::accept);
    connect(cancel, &QPushButton::clicked, this, &PageSetupWidget::reject);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    // Tab goes down the fields as they read, then down the switches, then to the buttons.
    QList<QWidget*> order(edits_.begin(), edits_.end());
    order << facing_ << portrait_ << landscape_ << inches_ << millimetres_
          << findChild<QPushButton*>("sblargest") << ok << cancel;
    for (qsizetype k = 1; k < order.size(); ++k)
        setTabOrder(order[k - 1], order[k]);
    refresh();
}

QLayout* PageSetupWidget::makeFields() {
    auto* column = new QVBoxLayout;
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    const int editWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000.000")) + 16;
    for (const FieldInfo& info : Fields) {
        auto* label = new QLabel(QString::fromUtf8(info.caption));
        auto* edit = new QLineEdit;
        edit->setObjectName(QString::fromUtf8(info.name));
        edit->setFixedWidth(editWidth);
        label->setBuddy(edit);
        grid->addWidget(label, info.row, 2 * info.column);
        grid->addWidget(edit, info.row, 2 * info.column + 1);
        edits_[info.field] = edit;
        const F f = info.field;
        connect(edit, &QLineEdit::textEdited, this, [this, f](const QString& text) {
            model_.setText(f, text.toStdString());
            refreshPrintable();
        });
    }
    for (int row : GapRows)
        grid->setRowMinimumHeight(row, 8);
    grid->setColumnMinimumWidth(2, 16);
    column->addLayout(grid);
    facing_ = new QCheckBox(QStringLiteral("&Facing pages"));
    facing_->setObjectName(QStringLiteral("cbFacing"));
    connect(facing_, &QCheckBox::toggled, this, [this](bool on) { model_.setFacing(on); });
    column->addWidget(facing_);
    column->addStretch(1);
    return column;
}

QLayout* PageSetupWidget::makeSwitches() {
    auto* column = new QVBoxLayout;
    auto* orientation = new QGroupBox(QStringLiteral("Orientation"));
    orientation->setObjectName(QStringLiteral("rgOrient"));
    auto* orientationLayout = new QVBoxLayout(orientation);
    portrait_ = radio("Portr&ait", "Portrait", orientationLayout);
    landscape_ = radio("Lan&dscape", "Landscape", orientationLayout);
    connect(landscape_, &QRadioButton::toggled, this, &PageSetupWidget::orientationChosen);
    column->addWidget(orientation);

    auto* units = new QGroupBox(QStringLiteral("Units"));
    units->setObjectName(QStringLiteral("RadioGroup1"));
    auto* unitsLayout = new QVBoxLayout(units);
    inches_ = radio("&Inches", "Inches", unitsLayout);
    millimetres_ = radio("&Millimetres", "Millimetres", unitsLayout);
    connect(millimetres_, &QRadioButton::toggled, this, &PageSetupWidget::unitChosen);
    column->addWidget(units);

    auto* largest = new QPushButton(QStringLiteral("Large&st"));
    largest->setObjectName(QStringLiteral("sblargest"));
    setHint(largest, QString::fromUtf8(LargestHint),
            QStringLiteral("The margins shrink to the printer's unprintable strips."));
    largest->setStatusTip(QString::fromUtf8(LargestHint));
    connect(largest, &QPushButton::clicked, this, &PageSetupWidget::largest);
    column->addWidget(largest);

    // The printable area: the paper inside its margins and gutter.
    auto* panel = new QFrame;
    panel->setObjectName(QStringLiteral("PrintableArea"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* panelLayout = new QVBoxLayout(panel);
    QFont bold = font();
    bold.setBold(true);
    for (const char* word : {"PRINTABLE", "AREA"}) {
        auto* l = new QLabel(QString::fromUtf8(word));
        l->setFont(bold);
        l->setAlignment(Qt::AlignCenter);
        panelLayout->addWidget(l);
    }
    printableWidth_ = new QLabel;
    printableHeight_ = new QLabel;
    printableWidth_->setObjectName(QStringLiteral("printableWidth"));
    printableHeight_->setObjectName(QStringLiteral("printableHeight"));
    for (QLabel* l : {printableWidth_, printableHeight_}) {
        l->setAlignment(Qt::AlignCenter);
        panelLayout->addWidget(l);
    }
    column->addWidget(panel);
    column->addStretch(1);
    return column;
}

void PageSetupWidget::refresh() {
    for (const FieldInfo& info : Fields)
        edits_[info.field]->setText(QString::fromStdString(model_.text(info.field)));
    const QSignalBlocker blockFacing(facing_);
    const QSignalBlocker blockLandscape(landscape_);
    const QSignalBlocker blockMillimetres(millimetres_);
    facing_->setChecked(model_.facing());
    (model_.landscape() ? landscape_ : portrait_)->setChecked(true);
    (model_.unit() == DisplayUnit::Millimetres ? millimetres_ : inches_)->setChecked(true);
    refreshPrintable();
}

void PageSetupWidget::refreshPrintable() {
    const auto shown = [](const std::string& value, const char* way) {
        return value.empty() ? QStringLiteral("?")
                             : QStringLiteral("%1 %2").arg(QString::fromStdString(value), way);
    };
    printableWidth_->setText(shown(model_.printableWidth(), "wide"));
    printableHeight_->setText(shown(model_.printableHeight(), "high"));
}

// A refused switch puts the radio buttons back as the model has them.
void PageSetupWidget::orientationChosen(bool landscape) {
    model_.setLandscape(landscape);
    refresh();
}

void PageSetupWidget::unitChosen(bool millimetres) {
    model_.setUnit(millimetres ? DisplayUnit::Millimetres : DisplayUnit::Inches);
    refresh();
}

void PageSetupWidget::largest() {
    model_.largest();
    refresh();
}

void PageSetupWidget::accept() {
    if (model_.accept()) QDialog::accept();
}

void PageSetupWidget::reject() {
    model_.cancel();
    QDialog::reject();
}

} // namespace qv
