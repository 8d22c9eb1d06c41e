#include "shell/infowindow.h"

#include "edit/information.h"
#include "render/drawcontext.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace qv {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// A caption shown as written (a label without a buddy has no accelerator, so an
// ampersand in it is shown as it is).
QLabel* plainLabel(const std::string& text) {
    auto* label = new QLabel(qs(text));
    label->setTextFormat(Qt::PlainText);
    return label;
}

// Whole numbers and lengths line up on their right edge.
QLabel* valueLabel(const std::string& text, bool name) {
    auto* label = new QLabel(qs(text).trimmed());
    label->setTextFormat(Qt::PlainText);
    label->setAlignment((name ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

InfoWindow::InfoWindow(InformationDialog& model, QWidget* parent) : QDialog(parent), model_(model) {
    setWindowTitle(QString::fromUtf8(InformationCaption));
    setObjectName(QStringLiteral("TInfoForm"));
    QPalette ground = palette();
    ground.setColor(QPalette::Window, toQColor(model_.background));
    setPalette(ground);
    setAutoFillBackground(true);

    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("PageControl1"));
    const auto& pages = model_.pages();
    for (std::size_t i = 0; i < pages.size(); ++i) {
        QWidget* page = i == 1 ? fontsPage() : figuresPage(pages[i]);
        tabs_->addTab(page, qs(pages[i].title));
    }
    tabs_->setCurrentIndex(std::clamp(model_.page, 0, tabs_->count() - 1));
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) { model_.page = index; });
    model_.page = tabs_->currentIndex();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
}

// Caption, values and note in columns; the values right-aligned under their headings.
QWidget* InfoWindow::figuresPage(const InfoPage& page) {
    auto* widget = new QWidget;
    auto* grid = new QGridLayout(widget);
    grid->setHorizontalSpacing(16);
    const int valueColumns = std::max<int>(1, int(page.columns.size()));
    const int noteColumn = 1 + valueColumns;
    int row = 0;
    for (std::size_t c = 0; c < page.columns.size(); ++c) {
        QLabel* heading = valueLabel(page.columns[c], false);
        heading->setStyleSheet(QStringLiteral("font-weight: bold"));
        grid->addWidget(heading, row, 1 + int(c));
    }
    if (!page.columns.empty()) ++row;
    for (const InfoRow& r : page.rows) {
        QLabel* caption = plainLabel(r.label);
        if (r.values.empty() && !r.text) { // a heading over the rows below
            caption->setStyleSheet(QStringLiteral("font-weight: bold"));
            grid->addWidget(caption, row++, 0, 1, noteColumn + 1);
            continue;
        }
        grid->addWidget(caption, row, 0);
        if (r.text) {
            const QString value = r.values.empty() ? QString() : qs(r.values.front());
            grid->addWidget(valueLabel(value.toStdString(), true), row, 1, 1, noteColumn);
        } else {
            for (std::size_t c = 0; c < r.values.size(); ++c)
                grid->addWidget(valueLabel(r.values[c], false), row, 1 + int(c));
        }
        if (!r.note.empty()) grid->addWidget(plainLabel(r.note), row, noteColumn);
        ++row;
    }
    for (int c = 1; c <= valueColumns; ++c)
        grid->setColumnMinimumWidth(c, 90);
    grid->setColumnStretch(noteColumn + 1, 1);
    grid->setRowStretch(row, 1);
    return widget;
}

QWidget* InfoWindow::fontsPage() {
    auto* widget = new QWidget;
    fontList_ = new QListWidget;
    fontList_->setObjectName(QStringLiteral("FontList"));
    fontList_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont)); // the counts line up
    fontList_->setMinimumWidth(560);
    fillFontList();
    auto* change = new QPushButton(QStringLiteral("&Change"));
    change->setObjectName(QStringLiteral("bbChange"));
    change->setToolTip(QStringLiteral("Press to change the definition of one of the fonts"));
    connect(change, &QPushButton::clicked, this, [this] {
        if (model_.change(fontList_->currentRow())) fillFontList();
    });
    auto* layout = new QVBoxLayout(widget);
    layout->addWidget(fontList_);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(change);
    layout->addLayout(row);
    return widget;
}

// The caret starts on no line: "&Change" asks for one first.
void InfoWindow::fillFontList() {
    fontList_->clear();
    for (const std::string& line : model_.fontLines())
        fontList_->addItem(qs(line));
    fontList_->setCurrentRow(-1);
}

} // namespace qv
