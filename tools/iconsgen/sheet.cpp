#include "sheet.h"

#include "iconart.h"
#include "pointerart.h"
#include "shell/pointers.h"
#include "shell/speedbuttons.h"

#include <QFont>
#include <QPainter>

namespace iconsgen {
namespace {

constexpr int cellWidth = 150;
constexpr int cellHeight = 84;
constexpr int columns = 6;

void label(QPainter& p, int x, int y, const QString& text, const QColor& colour) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(10);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QRect(x, y, cellWidth - 4, 12), Qt::AlignLeft, text);
}

} // namespace

QImage contactSheet() {
    const int iconRows = (qv::SpeedButtonCount + columns - 1) / columns;
    const int pointerRows = (qv::LastPointer + columns - 1) / columns;
    const int rows = iconRows + pointerRows;
    QImage sheet(columns * cellWidth, 2 * rows * cellHeight, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    const QColor dark(0x30, 0x33, 0x38);
    p.fillRect(QRect(0, rows * cellHeight, sheet.width(), rows * cellHeight), dark);

    // Light half on top, the same cells again on the dark half.
    for (int half = 0; half < 2; ++half) {
        const int top = half * rows * cellHeight;
        const QColor text = half ? QColor(Qt::white) : QColor(Qt::black);
        for (const qv::SpeedButtonInfo& info : qv::speedButtons()) {
            const int i = static_cast<int>(info.id);
            const int x = (i % columns) * cellWidth;
            const int y = top + (i / columns) * cellHeight;
            p.drawImage(x + 6, y + 20, renderIcon(info.id, 24));
            p.drawImage(x + 40, y + 4, renderIcon(info.id, 48));
            label(p, x + 92, y + 26, QString::fromLatin1(info.name), text);
        }
        for (int n = qv::FirstPointer; n <= qv::LastPointer; ++n) {
            const int i = n - 1;
            const int x = (i % columns) * cellWidth;
            const int y = top + (iconRows + i / columns) * cellHeight;
            const PointerArt art = renderPointer(n);
            p.drawImage(x + 6, y + 6, art.image);
            p.drawImage(QRect(x + 44, y + 0, 64, 64), art.image); // doubled, to see the pixels
            p.fillRect(QRect(x + 44 + 2 * art.hotSpot.x(), y + 2 * art.hotSpot.y(), 2, 2), Qt::red);
            label(p, x + 6, y + 68, QStringLiteral("%1 %2").arg(n).arg(QLatin1String(qv::pointerName(n))),
                  text);
        }
    }
    p.end();
    return sheet;
}

} // namespace iconsgen
