#include "render/contactsheet.h"

#include "render/drawcontext.h"
#include "render/glyphcatalogue.h"
#include "render/glyphs.h"

#include <QPainter>

namespace qv {

namespace {

constexpr int Columns = 6;
constexpr int CellWidth = 260;
constexpr int CellHeight = 230;
constexpr int ScreenRefX = 60;  // where the screen glyph's reference point sits in a cell
constexpr int HiResRefX = 170;  // and the three-times glyph's
constexpr int RefY = 120;

QPoint cellOrigin(int code) { return {(code % Columns) * CellWidth, (code / Columns) * CellHeight}; }

// Five faint lines centred on the reference point, a stave space apart.
void faintStave(QPainter& p, int left, int right, int middleY, int space) {
    p.setPen(QColor(200, 215, 235));
    for (int k = -2; k <= 2; ++k) p.drawLine(left, middleY + k * space, right, middleY + k * space);
    p.setPen(QColor(240, 190, 190));
    p.drawLine(left, middleY, left + 6, middleY);
}

void drawBackground(QImage& sheet) {
    QPainter p(&sheet);
    for (int code = 0; code <= LastDrawnGlyph; ++code) {
        const QPoint o = cellOrigin(code);
        p.setPen(QColor(225, 225, 225));
        p.drawRect(o.x(), o.y(), CellWidth - 1, CellHeight - 1);
        faintStave(p, o.x() + ScreenRefX - 30, o.x() + ScreenRefX + 30, o.y() + RefY, 8);
        faintStave(p, o.x() + HiResRefX - 75, o.x() + HiResRefX + 75, o.y() + RefY, 24);
        p.setPen(Qt::black);
        p.drawText(o.x() + 6, o.y() + 16, QString::number(code) + QStringLiteral("  ") + GlyphStem(code));
    }
}

} // namespace

QImage glyphContactSheet(const GlyphStore& store) {
    const int rows = (LastDrawnGlyph + Columns) / Columns;
    QImage sheet(Columns * CellWidth, rows * CellHeight, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    drawBackground(sheet);

    DrawContext dc;
    dc.glyphs = &store;
    dc.MainImage = std::move(sheet);
    for (int code = 0; code <= LastDrawnGlyph; ++code) {
        const QPoint o = cellOrigin(code);
        DrawGlyph(dc, code, o.x() + ScreenRefX, o.y() + RefY, false, 0x000000);
    }
    dc.Printimage = std::move(dc.MainImage);
    dc.HighResMode = true;
    for (int code = 0; code <= LastDrawnGlyph; ++code) {
        dc.HiResOrigin = cellOrigin(code) + QPoint(HiResRefX, RefY);
        DrawGlyph(dc, code, 0, 0, false, 0x000000);
    }
    return std::move(dc.Printimage);
}

} // namespace qv
