#include "shell/placingforms.h"

#include "edit/symbolpalette.h"
#include "render/drawcontext.h"
#include "render/glyphs.h"
#include "shell/hint.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace qv {

namespace {

inline const char* const PaletteHelp =
    "Click a symbol to place it on the (purple) stave: it follows the pointer until you click "
    "where it goes. Tick \"More than one\" to place several copies; Esc or a right click ends.";

// Every symbol of the palette in its cell, drawn as the page draws it.
QImage paletteImage(const SymbolPalette& palette) {
    DrawContext dc;
    dc.newScreenPage(palette.imageWidth(), palette.rows() * SymbolPalette::CellHeight);
    const auto& codes = SymbolPalette::order();
    for (int n = 1; n <= static_cast<int>(codes.size()); ++n) {
        const int cx = palette.cellX(n) + SymbolPalette::CellWidth / 2;
        const int cy = palette.cellY(n) + SymbolPalette::CellHeight / 2;
        DrawGlyph(dc, codes[static_cast<std::size_t>(n - 1)], cx, cy, false, 0x000000);
    }
    return dc.MainImage;
}

} // namespace

SymbolPaletteWidget::SymbolPaletteWidget(SymbolPalette& model, QWidget* parent)
    : QDialog(parent), model_(model), image_(paletteImage(model)) {
    setWindowTitle(QStringLiteral("Select Symbol"));
    setObjectName(QStringLiteral("TSymbolForm"));
    picture_ = new QLabel;
    picture_->setPixmap(QPixmap::fromImage(image_));
    picture_->setCursor(Qt::PointingHandCursor);
    picture_->installEventFilter(this);
    auto* scroll = new QScrollArea;
    scroll->setWidget(picture_);
    scroll->setMinimumSize(image_.width() + 24, std::min(image_.height() + 4, 560));
    many_ = new QCheckBox(QStringLiteral("&More than one"));
    setHint(many_, QStringLiteral("Check for many placings of the one symbol"),
            QStringLiteral("Each click then places the symbol again until you press Esc."));
    many_->setChecked(model_.manySymbols);
    auto* explain = new QPushButton(QStringLiteral("Explain"));
    connect(explain, &QPushButton::clicked, this,
            [this] { QMessageBox::information(this, windowTitle(), QString::fromUtf8(PaletteHelp)); });
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(many_);
    buttons->addStretch();
    buttons->addWidget(explain);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll);
    layout->addLayout(buttons);
}

void SymbolPaletteWidget::clickAt(int x, int y) {
    if (model_.click(x, y)) accept();
}

void SymbolPaletteWidget::done(int result) {
    model_.manySymbols = many_->isChecked();
    if (result != QDialog::Accepted) model_.chosen = 0;
    QDialog::done(result);
}

bool SymbolPaletteWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == picture_ && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        clickAt(mouse->position().toPoint().x(), mouse->position().toPoint().y());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

DrawingToolsWidget::DrawingToolsWidget(DrawingTools& model, QWidget* parent) : QDialog(parent), model_(model) {
    setWindowTitle(QStringLiteral("Drawing Tools"));
    setObjectName(QStringLiteral("TToolsform"));
    static const char* const shapes[] = {"&Rectangle", "S&olid Rectangle", "&Circle", "Solid C&ircle",
                                         "&Ellipse",   "Solid E&llipse",   "&Square", "Solid S&quare"};
    auto* grid = new QGridLayout;
    for (int i = 0; i < 8; ++i) {
        auto* b = new QPushButton(QString::fromUtf8(shapes[i]));
        b->setObjectName(QStringLiteral("shape%1").arg(i));
        grid->addWidget(b, i / 2, i % 2);
        connect(b, &QPushButton::clicked, this, [this, i] {
            model_.shapeChoice = i;
            accept();
        });
    }
    auto* colour = new QGroupBox(QStringLiteral("Colour"));
    auto* black = new QRadioButton(QStringLiteral("&Black"));
    auto* white = new QRadioButton(QStringLiteral("&White (erase)"));
    (model_.shapeColour == 1 ? white : black)->setChecked(true);
    connect(white, &QRadioButton::toggled, this, [this](bool on) { model_.shapeColour = on ? 1 : 0; });
    auto* colours = new QVBoxLayout(colour);
    colours->addWidget(black);
    colours->addWidget(white);
    auto* cancel = new QPushButton(QStringLiteral("C&ancel"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(colour);
    layout->addWidget(cancel);
}

} // namespace qv
