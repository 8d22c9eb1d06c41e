#include "iconart.h"

#include "ink.h"

#include <QFont>
#include <QPainterPath>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace iconsgen {
namespace {

using namespace palette;
using qv::SpeedButton;

QPen pen(const QColor& c, qreal w) {
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A sheet of paper with its top right corner folded over.
void page(QPainter& p, const QRectF& r) {
    const qreal fold = 5;
    QPainterPath sheet;
    sheet.moveTo(r.topLeft());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.bottomRight());
    sheet.lineTo(r.bottomLeft());
    sheet.closeSubpath();
    p.setPen(pen(outline, 1));
    p.setBrush(paper);
    p.drawPath(sheet);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(paperShade);
    p.drawPath(corner);
}

// Grey lines of writing across a page.
void writing(QPainter& p, qreal left, qreal right, qreal top, int lines, qreal gap = 3) {
    p.setPen(pen(QColor(0x9a, 0xa4, 0xb0), 1));
    for (int i = 0; i < lines; ++i)
        p.drawLine(QPointF(left, top + i * gap), QPointF(right, top + i * gap));
}

// A round badge in a corner: a red cross, a green plus.
void badge(QPainter& p, QPointF centre, const QColor& colour, bool plus) {
    p.setPen(pen(paper, 1));
    p.setBrush(colour);
    p.drawEllipse(centre, 5, 5);
    p.setPen(pen(paper, 1.6));
    const qreal a = 2.4;
    if (plus) {
        p.drawLine(centre + QPointF(-a, 0), centre + QPointF(a, 0));
        p.drawLine(centre + QPointF(0, -a), centre + QPointF(0, a));
    } else {
        p.drawLine(centre + QPointF(-a + 0.4, -a + 0.4), centre + QPointF(a - 0.4, a - 0.4));
        p.drawLine(centre + QPointF(-a + 0.4, a - 0.4), centre + QPointF(a - 0.4, -a + 0.4));
    }
}

// A bold cross of two strokes, for deleting.
void cross(QPainter& p, const QRectF& r, qreal width) {
    p.setPen(pen(paper, width + 2));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.bottomLeft(), r.topRight());
    p.setPen(pen(red, width));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.bottomLeft(), r.topRight());
}

void staveLines(QPainter& p, qreal left, qreal right, qreal top, qreal gap, const QColor& colour) {
    p.setPen(pen(colour, 1));
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(left, top + i * gap), QPointF(right, top + i * gap));
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour, qreal shaft = 3, qreal head = 6,
           qreal width = 9) {
    p.setPen(pen(colour.darker(130), 0.8));
    p.setBrush(colour);
    p.drawPath(arrowPath(from, to, shaft, head, width));
}

void letters(QPainter& p, const QRectF& r, const QString& text, qreal pixelSize, bool bold, bool italic,
             const QColor& colour, Qt::Alignment align = Qt::AlignCenter) {
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(qRound(pixelSize)); // logical units of the scaled painter
    font.setBold(bold);
    font.setItalic(italic);
    font.setStyleStrategy(QFont::PreferAntialias);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, align, text);
}

// --- the files ------------------------------------------------------------

void openIcon(QPainter& p) {
    // The back of the folder with its tab, then the front flap swung open.
    QPainterPath back;
    back.moveTo(2.5, 5.5);
    back.lineTo(8.5, 5.5);
    back.lineTo(10.5, 7.5);
    back.lineTo(19.5, 7.5);
    back.lineTo(19.5, 19.5);
    back.lineTo(2.5, 19.5);
    back.closeSubpath();
    p.setPen(pen(goldDark, 1));
    p.setBrush(gold.darker(112));
    p.drawPath(back);
    p.setBrush(paper);
    p.setPen(pen(outline, 1));
    p.drawRect(QRectF(5.5, 9.5, 12, 8));
    QPainterPath front;
    front.moveTo(2.5, 19.5);
    front.lineTo(6.5, 11.5);
    front.lineTo(22.5, 11.5);
    front.lineTo(18.5, 19.5);
    front.closeSubpath();
    p.setPen(pen(goldDark, 1));
    p.setBrush(gold);
    p.drawPath(front);
}

void saveIcon(QPainter& p) {
    QPainterPath disk;
    disk.moveTo(3.5, 3.5);
    disk.lineTo(17.5, 3.5);
    disk.lineTo(20.5, 6.5);
    disk.lineTo(20.5, 20.5);
    disk.lineTo(3.5, 20.5);
    disk.closeSubpath();
    p.setPen(pen(QColor(0x1b, 0x3f, 0x7a), 1));
    p.setBrush(blue);
    p.drawPath(disk);
    // The metal shutter with its window, and the white label.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd5, 0xdb, 0xe3));
    p.drawRect(QRectF(7, 4, 9, 6));
    p.setBrush(QColor(0x1b, 0x3f, 0x7a));
    p.drawRect(QRectF(12.5, 5, 2, 4));
    p.setBrush(paper);
    p.drawRect(QRectF(6, 13, 12, 7));
    writing(p, 7.5, 16.5, 15.5, 2, 2.5);
}

void exitIcon(QPainter& p) {
    // A door frame, the door swung open, and an arrow leaving through it.
    p.setPen(pen(outline, 1));
    p.setBrush(QColor(0x6b, 0x4a, 0x2f));
    p.drawRect(QRectF(4.5, 2.5, 11, 19));
    QPainterPath door;
    door.moveTo(4.5, 2.5);
    door.lineTo(10.5, 5.5);
    door.lineTo(10.5, 23.5);
    door.lineTo(4.5, 21.5);
    door.closeSubpath();
    p.setBrush(QColor(0xc2, 0x8a, 0x4e));
    p.drawPath(door);
    p.setPen(Qt::NoPen);
    p.setBrush(goldDark);
    p.drawEllipse(QPointF(9, 14), 0.9, 0.9);
    arrow(p, QPointF(11, 12), QPointF(23, 12), green, 3.2, 5.5, 9);
}

void newIcon(QPainter& p) {
    page(p, QRectF(4.5, 2.5, 14, 19));
    writing(p, 7, 14, 9.5, 3);
    badge(p, QPointF(18, 18), green, true);
}

void closeIcon(QPainter& p) {
    page(p, QRectF(4.5, 2.5, 14, 19));
    writing(p, 7, 14, 9.5, 3);
    badge(p, QPointF(18, 18), red, false);
}

void printIcon(QPainter& p) {
    // The paper going in, the body, the printed sheet coming out.
    p.setPen(pen(outline, 1));
    p.setBrush(paper);
    p.drawRect(QRectF(6.5, 2.5, 11, 8));
    p.setBrush(QColor(0x8a, 0x95, 0xa3));
    p.drawRoundedRect(QRectF(2.5, 9.5, 19, 8), 1.5, 1.5);
    p.setBrush(QColor(0x5e, 0x68, 0x75));
    p.drawRect(QRectF(5.5, 15.5, 13, 2));
    p.setBrush(paper);
    p.drawRect(QRectF(6.5, 16.5, 11, 5));
    writing(p, 8, 16, 18.5, 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x4c, 0xd2, 0x6c));
    p.drawEllipse(QPointF(18.5, 12.5), 1, 1);
}

void magnifier(QPainter& p, QPointF centre, qreal radius) {
    p.setPen(pen(QColor(0x3b, 0x2a, 0x1a), 3));
    const QPointF handle = centre + QPointF(radius * 0.7, radius * 0.7);
    p.drawLine(handle, handle + QPointF(5, 5));
    p.setPen(pen(outline, 1.6));
    p.setBrush(QColor(0xd6, 0xea, 0xff, 210));
    p.drawEllipse(centre, radius, radius);
}

void previewIcon(QPainter& p) {
    page(p, QRectF(2.5, 2.5, 14, 19));
    writing(p, 5, 12, 8.5, 4);
    magnifier(p, QPointF(14, 13), 5);
}

// An arc with an arrowhead at its end, turning clockwise or anticlockwise.
void turningArrow(QPainter& p, QPointF centre, qreal radius, qreal startDeg, qreal spanDeg,
                  const QColor& colour) {
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPainterPath arc;
    arc.arcMoveTo(box, startDeg);
    arc.arcTo(box, startDeg, spanDeg);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, 3, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(arc);
    // The head points along the arc's direction at its end.
    const QPointF end = arc.currentPosition();
    const qreal angle = qDegreesToRadians(startDeg + spanDeg);
    const qreal dir = spanDeg > 0 ? 1 : -1;
    const QPointF tangent(-std::sin(angle) * dir, -std::cos(angle) * dir);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(arrowPath(end - tangent * 0.5, end + tangent * 5.5, 0.1, 6, 8.5));
}

void undoIcon(QPainter& p) {
    turningArrow(p, QPointF(13, 14), 7, -60, 200, blue);
}

void redrawIcon(QPainter& p) {
    turningArrow(p, QPointF(12, 12), 7.5, 10, 150, green);
    turningArrow(p, QPointF(12, 12), 7.5, 190, 150, green);
}

// --- the modes --------------------------------------------------------------

void textIcon(QPainter& p) {
    letters(p, QRectF(0, 0, 18, 24), QStringLiteral("T"), 22, true, false, ink);
    // The text caret beside the letter.
    p.setPen(pen(blue, 1.4));
    p.drawLine(QPointF(19, 5), QPointF(19, 20));
    p.drawLine(QPointF(17, 4.5), QPointF(21, 4.5));
    p.drawLine(QPointF(17, 20.5), QPointF(21, 20.5));
}

void musicIcon(QPainter& p) {
    drawGlyph(p, "4U", QRectF(4, 1, 16, 22), ink);
}

void lineIcon(QPainter& p) {
    p.setPen(pen(blue, 2));
    p.drawLine(QPointF(5, 19), QPointF(19, 5));
    p.setPen(pen(ink, 1));
    p.setBrush(paper);
    p.drawRect(QRectF(2.5, 16.5, 5, 5));
    p.drawRect(QRectF(16.5, 2.5, 5, 5));
}

// A slur: a crescent, thick in the middle and thin at the ends.
QPainterPath slur(QPointF from, QPointF to, qreal rise, qreal thickness) {
    const QPointF mid = (from + to) / 2;
    QPainterPath path;
    path.moveTo(from);
    path.quadTo(mid + QPointF(0, -2 * rise), to);
    path.quadTo(mid + QPointF(0, -2 * rise + 2 * thickness), from);
    path.closeSubpath();
    return path;
}

void curveIcon(QPainter& p) {
    p.setPen(pen(ink, 0.6));
    p.setBrush(ink);
    p.drawPath(slur(QPointF(3, 13), QPointF(21, 13), 8, 1.8));
    // Two note heads under the ends of the slur.
    for (const qreal x : {5.5, 18.5}) {
        p.save();
        p.translate(x, 18.5);
        p.rotate(-20);
        p.drawEllipse(QPointF(0, 0), 3.2, 2.3);
        p.restore();
    }
}

void hairpinIcon(QPainter& p) {
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath wedge;
    wedge.moveTo(21, 5);
    wedge.lineTo(3, 12);
    wedge.lineTo(21, 19);
    p.drawPath(wedge);
}

void symbolIcon(QPainter& p) {
    drawGlyph(p, "HOLDUP", QRectF(1, 4, 22, 16), ink);
}

void drawIcon(QPainter& p) {
    p.setPen(pen(blue, 1.6));
    p.setBrush(lightBlue);
    p.drawRect(QRectF(2.5, 3.5, 12, 10));
    p.setPen(pen(red, 1.6));
    p.setBrush(QColor(0xf8, 0xc9, 0xc4, 220));
    p.drawEllipse(QPointF(15, 15), 6.5, 6.5);
}

void editIcon(QPainter& p) {
    drawGlyph(p, "4U", QRectF(7, 3, 10, 17), ink);
    p.setBrush(Qt::NoBrush);
    QPen dashes(blue, 1.4, Qt::CustomDashLine, Qt::FlatCap);
    dashes.setDashPattern({2, 1.5});
    p.setPen(dashes);
    p.drawRect(QRectF(3.5, 1.5, 17, 21));
}

void leftIcon(QPainter& p) {
    arrow(p, QPointF(21, 12), QPointF(3, 12), blue, 5, 9, 15);
}

void rightIcon(QPainter& p) {
    arrow(p, QPointF(3, 12), QPointF(21, 12), blue, 5, 9, 15);
}

void attribIcon(QPainter& p) {
    // A card of settings: three sliders at different places.
    p.setPen(pen(outline, 1));
    p.setBrush(paper);
    p.drawRoundedRect(QRectF(2.5, 3.5, 19, 17), 1.5, 1.5);
    const qreal knobs[3] = {8, 15, 11};
    for (int i = 0; i < 3; ++i) {
        const qreal y = 7.5 + i * 5;
        p.setPen(pen(QColor(0x9a, 0xa4, 0xb0), 1.4));
        p.drawLine(QPointF(5, y), QPointF(19, y));
        p.setPen(pen(QColor(0x1b, 0x3f, 0x7a), 1));
        p.setBrush(blue);
        p.drawRect(QRectF(knobs[i] - 1.5, y - 2, 3, 4));
    }
}

void deleteIcon(QPainter& p) {
    drawGlyph(p, "4U", QRectF(1, 1, 11, 21), ink, Qt::AlignLeft | Qt::AlignVCenter);
    cross(p, QRectF(13, 11, 8, 8), 2.4);
}

void delStaveIcon(QPainter& p) {
    staveLines(p, 1, 23, 6.5, 3, ink);
    cross(p, QRectF(6, 5, 12, 14), 2.6);
}

void completeIcon(QPainter& p) {
    QPainterPath tick;
    tick.moveTo(3.5, 12.5);
    tick.lineTo(9.5, 18.5);
    tick.lineTo(20.5, 5.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(green.darker(130), 4.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
    p.setPen(QPen(green.lighter(115), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
}

void pageUpIcon(QPainter& p) {
    page(p, QRectF(3.5, 2.5, 14, 19));
    writing(p, 6, 13, 8.5, 4);
    arrow(p, QPointF(17, 22), QPointF(17, 9), blue, 3.2, 6, 9);
}

void pageDownIcon(QPainter& p) {
    page(p, QRectF(3.5, 2.5, 14, 19));
    writing(p, 6, 13, 8.5, 4);
    arrow(p, QPointF(17, 8), QPointF(17, 22), blue, 3.2, 6, 9);
}

void fontIcon(QPainter& p) {
    letters(p, QRectF(0, 1, 15, 22), QStringLiteral("A"), 21, false, false, ink,
            Qt::AlignLeft | Qt::AlignBottom);
    letters(p, QRectF(12, 6, 12, 17), QStringLiteral("a"), 15, false, true, blue,
            Qt::AlignLeft | Qt::AlignBottom);
}

void favFontIcon(QPainter& p) {
    letters(p, QRectF(0, 1, 17, 22), QStringLiteral("A"), 21, false, false, ink,
            Qt::AlignLeft | Qt::AlignBottom);
    p.setPen(pen(goldDark, 1));
    p.setBrush(gold);
    p.drawPath(starPath(QPointF(17.5, 7), 6.2, 2.6));
}

// A page whose top and bottom bands are shaded: the header and the footer.
void bandedPage(QPainter& p) {
    page(p, QRectF(3.5, 1.5, 16, 21));
    p.setPen(Qt::NoPen);
    p.setBrush(lightBlue);
    p.drawRect(QRectF(5, 8, 13, 3.5));
    p.drawRect(QRectF(5, 17, 13, 3.5));
    p.setPen(pen(blue, 1));
    p.drawLine(QPointF(7, 9.5), QPointF(16, 9.5));
    p.drawLine(QPointF(7, 18.5), QPointF(16, 18.5));
    p.setPen(pen(QColor(0x9a, 0xa4, 0xb0), 1));
    p.drawLine(QPointF(6, 14.5), QPointF(17, 14.5));
}

void headFootIcon(QPainter& p) {
    bandedPage(p);
}

void closeHFIcon(QPainter& p) {
    bandedPage(p);
    badge(p, QPointF(18.5, 18.5), red, false);
}

void stringsIcon(QPainter& p) {
    staveLines(p, 1, 23, 11.5, 3, ink);
    drawGlyph(p, "4U", QRectF(15, 0, 8, 12), ink);
    // The string: from the object down to its stave's start.
    p.setPen(QPen(red, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 9), QPointF(2.5, 17.5));
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawEllipse(QPointF(2.5, 17.5), 1.8, 1.8);
}

void drawButton(QPainter& p, SpeedButton button) {
    switch (button) {
    case SpeedButton::sbOpen:
        return openIcon(p);
    case SpeedButton::sbSave:
        return saveIcon(p);
    case SpeedButton::sbExit:
        return exitIcon(p);
    case SpeedButton::sbNew:
        return newIcon(p);
    case SpeedButton::sbClose:
        return closeIcon(p);
    case SpeedButton::sbPrint:
        return printIcon(p);
    case SpeedButton::sbpreview:
        return previewIcon(p);
    case SpeedButton::sbundo:
        return undoIcon(p);
    case SpeedButton::sbredraw:
        return redrawIcon(p);
    case SpeedButton::sbText:
        return textIcon(p);
    case SpeedButton::sbMusic:
        return musicIcon(p);
    case SpeedButton::sbLine:
        return lineIcon(p);
    case SpeedButton::sbcurve:
        return curveIcon(p);
    case SpeedButton::sbHairpin:
        return hairpinIcon(p);
    case SpeedButton::sbsymbol:
        return symbolIcon(p);
    case SpeedButton::sbdraw:
        return drawIcon(p);
    case SpeedButton::sbEdit:
        return editIcon(p);
    case SpeedButton::sbLeft:
        return leftIcon(p);
    case SpeedButton::sbright:
        return rightIcon(p);
    case SpeedButton::sbattrib:
        return attribIcon(p);
    case SpeedButton::sbdelete:
        return deleteIcon(p);
    case SpeedButton::sbdelstave:
        return delStaveIcon(p);
    case SpeedButton::sbcomplete:
        return completeIcon(p);
    case SpeedButton::sbPgUp:
        return pageUpIcon(p);
    case SpeedButton::sbPgDn:
        return pageDownIcon(p);
    case SpeedButton::sbfont:
        return fontIcon(p);
    case SpeedButton::sbfavfont:
        return favFontIcon(p);
    case SpeedButton::sbheadfoot:
        return headFootIcon(p);
    case SpeedButton::sbcloseHF:
        return closeHFIcon(p);
    case SpeedButton::sbstrings:
        return stringsIcon(p);
    }
}

// A faint light rim around everything drawn, so dark ink stays visible on a dark
// toolbar; on the usual light ones it cannot be seen.
void addRim(QImage& icon, int radius) {
    QImage rim(icon.size(), QImage::Format_ARGB32_Premultiplied);
    rim.fill(Qt::transparent);
    for (int y = 0; y < icon.height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(rim.scanLine(y));
        for (int x = 0; x < icon.width(); ++x) {
            int alpha = 0;
            for (int dy = -radius; dy <= radius; ++dy)
                for (int dx = -radius; dx <= radius; ++dx)
                    if (icon.rect().contains(x + dx, y + dy))
                        alpha = std::max(alpha, qAlpha(icon.pixel(x + dx, y + dy)));
            const int a = alpha * 140 / 255;
            out[x] = qRgba(a, a, a, a); // premultiplied white
        }
    }
    QPainter p(&icon);
    p.setCompositionMode(QPainter::CompositionMode_DestinationOver);
    p.drawImage(0, 0, rim);
}

} // namespace

QImage renderIcon(SpeedButton button, int pixels) {
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(qreal(pixels) / IconUnits, qreal(pixels) / IconUnits);
    drawButton(p, button);
    p.end();
    addRim(image, std::max(1, pixels / IconUnits));
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace iconsgen
