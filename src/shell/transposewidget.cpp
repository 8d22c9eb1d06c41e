#include "shell/transposewidget.h"

#include "transpose/transposedialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <initializer_list>
#include <optional>
#include <span>

namespace qv {

namespace {

// A titled column of radio buttons, numbered from 0 in their order.
QGroupBox* radioColumn(const char* title, const char* name, std::span<const char* const> captions,
                       QButtonGroup* group) {
    auto* box = new QGroupBox(QString::fromUtf8(title));
    box->setObjectName(QString::fromUtf8(name));
    auto* layout = new QVBoxLayout(box);
    int id = 0;
    for (const char* caption : captions) {
        auto* radio = new QRadioButton(QString::fromUtf8(caption));
        group->addButton(radio, id++);
        layout->addWidget(radio);
    }
    layout->addStretch(); // the shorter column keeps its buttons at the top
    return box;
}

// The clef radio buttons: "&No change" first, then the clef types in order.
constexpr int NoClefChange = 0;

} // namespace

TransposeWidget::TransposeWidget(TransposeDialog& model, QWidget* parent) : QDialog(parent), model_(model) {
    setWindowTitle(QString::fromUtf8(TransposeCaption));
    setObjectName(QStringLiteral("TXposeForm"));

    interval_ = new QComboBox;
    interval_->setObjectName(QStringLiteral("cbinterval"));
    for (const char* caption : TransposeDialog::intervals())
        interval_->addItem(QString::fromUtf8(caption));
    distance_ = new QSpinBox;
    distance_->setObjectName(QStringLiteral("seDistance"));
    distance_->setRange(-TransposeDialog::MaxDistance, TransposeDialog::MaxDistance);
    auto* intervalLabel = new QLabel(QStringLiteral("&Interval"));
    auto* distanceLabel = new QLabel(QStringLiteral("Di&stance and Direction"));
    intervalLabel->setBuddy(interval_);
    distanceLabel->setBuddy(distance_);
    auto* grid = new QGridLayout;
    grid->addWidget(intervalLabel, 0, 0);
    grid->addWidget(interval_, 0, 1, 1, 2);
    grid->addWidget(distanceLabel, 1, 0);
    grid->addWidget(distance_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("semitones")), 1, 2);
    grid->setColumnStretch(2, 1);

    extent_ = new QButtonGroup(this);
    clef_ = new QButtonGroup(this);
    auto* groups = new QHBoxLayout;
    groups->addWidget(radioColumn("Extent", "rgextent", TransposeDialog::extentCaptions(), extent_));
    groups->addWidget(radioColumn("Clef Change", "rgclef", TransposeDialog::clefCaptions(), clef_));

    stems_ = new QCheckBox(QStringLiteral("Adjust ste&m directions"));
    stems_->setObjectName(QStringLiteral("cbstemchange"));

    auto* doIt = new QPushButton(QStringLiteral("&Do it!"));
    doIt->setObjectName(QStringLiteral("bbDoIt"));
    doIt->setDefault(true);
    auto* explain = new QPushButton(QStringLiteral("Explain"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(doIt);
    buttons->addWidget(explain);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(groups);
    layout->addWidget(stems_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Tab goes down the dialog as it is laid out; within a radio group it stops at
    // the chosen button.
    QWidget* previous = interval_;
    const auto next = [this, &previous](QWidget* w) { setTabOrder(previous, w), previous = w; };
    next(distance_);
    for (QButtonGroup* g : {extent_, clef_})
        for (QAbstractButton* b : g->buttons())
            next(b);
    for (QWidget* w : std::initializer_list<QWidget*>{stems_, doIt, explain, cancel})
        next(w);

    connect(interval_, &QComboBox::currentIndexChanged, this, [this](int entry) {
        model_.chooseInterval(entry);
        refresh();
    });
    connect(distance_, &QSpinBox::valueChanged, this, [this](int semitones) {
        model_.setDistance(semitones);
        refresh();
    });
    connect(extent_, &QButtonGroup::idClicked, this, [this](int id) {
        model_.chooseExtent(static_cast<TransposeExtent>(id));
        refresh();
    });
    connect(clef_, &QButtonGroup::idClicked, this, [this](int id) {
        model_.chooseClef(id == NoClefChange ? std::nullopt : std::optional<int>(id - 1));
        refresh();
    });
    connect(stems_, &QCheckBox::toggled, this, [this](bool on) { model_.adjustStems = on; });
    connect(doIt, &QPushButton::clicked, this, &TransposeWidget::doIt);
    connect(explain, &QPushButton::clicked, this, [this] { model_.explain(); });
    connect(cancel, &QPushButton::clicked, this, &TransposeWidget::reject);
    refresh();
}

void TransposeWidget::refresh() {
    const QSignalBlocker blockInterval(interval_), blockDistance(distance_), blockStems(stems_);
    interval_->setCurrentIndex(model_.interval());
    distance_->setValue(model_.distance());
    extent_->button(static_cast<int>(model_.extent()))->setChecked(true);
    const std::optional<int> clef = model_.clefTarget();
    clef_->button(clef ? *clef + 1 : NoClefChange)->setChecked(true);
    stems_->setChecked(model_.adjustStems);
}

void TransposeWidget::doIt() {
    model_.doIt();
    if (!model_.isOpen()) done(model_.chosen() ? Accepted : Rejected);
}

void TransposeWidget::reject() {
    model_.cancel();
    QDialog::reject();
}

} // namespace qv
