#include "pointerart.h"

#include "ink.h"

#include <QFont>
#include <QPainterPath>

namespace iconsgen {
namespace {

const QColor black(0, 0, 0);
const QColor white(255, 255, 255);
constexpr qreal halo = 1.25; // the white edge that keeps a pointer visible on black

QPen line(const QColor& c, qreal w) {
    return QPen(c, w, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

// A thin black line with a white edge, for crosshairs and bars.
void haloLine(QPainter& p, QPointF a, QPointF b, qreal width = 1) {
    QPainterPath path;
    path.moveTo(a);
    path.lineTo(b);
    p.save();
    p.setPen(QPen(white, width + 2 * halo, Qt::SolidLine, Qt::SquareCap));
    p.drawPath(path);
    p.setPen(QPen(black, width, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(path);
    p.restore();
}

// Crosshair arms around the centre of pixel (cx, cy), leaving the pixel itself free.
void crosshair(QPainter& p, int cx, int cy, int inner, int outer) {
    const QPointF c(cx + 0.5, cy + 0.5);
    p.save();
    for (int pass = 0; pass < 2; ++pass) {
        p.setPen(pass == 0 ? QPen(white, 1 + 2 * halo, Qt::SolidLine, Qt::SquareCap)
                           : QPen(black, 1, Qt::SolidLine, Qt::FlatCap));
        const qreal i = inner;
        const qreal o = outer + (pass == 1 ? 0.5 : 0);
        p.drawLine(c + QPointF(-o, 0), c + QPointF(-i, 0));
        p.drawLine(c + QPointF(i, 0), c + QPointF(o, 0));
        p.drawLine(c + QPointF(0, -o), c + QPointF(0, -i));
        p.drawLine(c + QPointF(0, i), c + QPointF(0, o));
    }
    p.restore();
}

// A glyph in black with a white edge around it.
void haloGlyph(QPainter& p, const char* stem, const QRectF& r) {
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (dx || dy) drawGlyph(p, stem, r.translated(dx, dy), white);
    drawGlyph(p, stem, r, black);
}

// The ordinary arrow with its tip at (x, y).
QPainterPath arrowShape(qreal x, qreal y, qreal scale = 1) {
    const QPointF points[] = {{0, 0}, {0, 16}, {4, 12.5}, {7, 19}, {9.5, 18}, {6.5, 11.5}, {11.5, 11.5}};
    QPainterPath path;
    for (const QPointF& point : points) {
        const QPointF at(x + point.x() * scale, y + point.y() * scale);
        if (path.elementCount() == 0)
            path.moveTo(at);
        else
            path.lineTo(at);
    }
    path.closeSubpath();
    return path;
}

void blackArrow(QPainter& p, qreal x, qreal y) {
    fillWithHalo(p, arrowShape(x, y), black, white, 1.2, white, 0);
}

// --- the pointers -------------------------------------------------------------

PointerArt pencil(QPainter& p) {
    // Drawn along +x from the tip, then turned to point down and left.
    p.save();
    p.translate(1.5, 30.5);
    p.rotate(-45);
    QPainterPath whole;
    whole.moveTo(0, 0);
    whole.lineTo(9, -4);
    whole.lineTo(34, -4);
    whole.lineTo(37, -3);
    whole.lineTo(37, 3);
    whole.lineTo(34, 4);
    whole.lineTo(9, 4);
    whole.closeSubpath();
    fillWithHalo(p, whole, QColor(0xf2, 0xc2, 0x3c), black, 1, white, halo);
    QPainterPath wood;
    wood.moveTo(0, 0);
    wood.lineTo(9, -4);
    wood.lineTo(9, 4);
    wood.closeSubpath();
    fillWithHalo(p, wood, QColor(0xf3, 0xd9, 0xae), black, 1, white, 0);
    QPainterPath lead;
    lead.moveTo(0, 0);
    lead.lineTo(3.5, -1.6);
    lead.lineTo(3.5, 1.6);
    lead.closeSubpath();
    fillWithHalo(p, lead, black, black, 0.5, white, 0);
    p.setPen(line(QColor(0xb5, 0x84, 0x10), 1));
    p.drawLine(QPointF(10, 0), QPointF(33, 0));
    // The metal band and the rubber.
    p.setPen(line(black, 1));
    p.setBrush(QColor(0xb8, 0xbe, 0xc6));
    p.drawRect(QRectF(29, -4, 3.5, 8));
    p.setBrush(QColor(0xf0, 0x9a, 0xa6));
    p.drawRect(QRectF(32.5, -3.5, 4.5, 7));
    p.restore();
    return {{}, {1, 30}};
}

PointerArt textBeam(QPainter& p) {
    haloLine(p, QPointF(15.5, 6), QPointF(15.5, 25));
    haloLine(p, QPointF(12, 5.5), QPointF(15, 5.5));
    haloLine(p, QPointF(16, 5.5), QPointF(19, 5.5));
    haloLine(p, QPointF(12, 25.5), QPointF(15, 25.5));
    haloLine(p, QPointF(16, 25.5), QPointF(19, 25.5));
    haloLine(p, QPointF(13, 15.5), QPointF(18, 15.5));
    // A small letter says the pointer places text rather than selecting it.
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(11);
    font.setBold(true);
    QPainterPath letter;
    letter.addText(22, 30, font, QStringLiteral("A"));
    fillWithHalo(p, letter, black, white, 0, white, 1.2);
    return {{}, {15, 15}};
}

PointerArt symbolPlacer(QPainter& p) {
    crosshair(p, 9, 9, 2, 8);
    haloGlyph(p, "HOLDUP", QRectF(15, 17, 15, 12));
    return {{}, {9, 9}};
}

PointerArt curvePlacer(QPainter& p) {
    crosshair(p, 9, 9, 2, 8);
    QPainterPath slur;
    slur.moveTo(14, 27);
    slur.quadTo(22, 13, 30, 27);
    slur.quadTo(22, 17, 14, 27);
    slur.closeSubpath();
    fillWithHalo(p, slur, black, black, 1, white, halo);
    return {{}, {9, 9}};
}

PointerArt blockDefiner(QPainter& p) {
    crosshair(p, 9, 9, 2, 8);
    const QRectF box(15.5, 15.5, 13, 11);
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(white, 1 + 2 * halo));
    p.drawRect(box);
    QPen dashes(black, 1, Qt::CustomDashLine, Qt::FlatCap);
    dashes.setDashPattern({2, 2});
    p.setPen(dashes);
    p.drawRect(box);
    p.restore();
    return {{}, {9, 9}};
}

PointerArt magnifyingGlass(QPainter& p) {
    const QPointF centre(12.5, 12.5);
    QPainterPath handle = arrowPath(QPointF(18, 18), QPointF(29, 29), 4.5, 0.01, 4.5);
    fillWithHalo(p, handle, QColor(0x3b, 0x2a, 0x1a), black, 1, white, halo);
    QPainterPath ring;
    ring.addEllipse(centre, 9, 9);
    fillWithHalo(p, ring, QColor(0xe2, 0xf0, 0xff, 150), black, 2, white, halo);
    p.setPen(line(white, 1.5));
    p.drawArc(QRectF(7, 7, 11, 11), 100 * 16, 60 * 16); // a glint on the glass
    return {{}, {12, 12}};
}

PointerArt arrowWithNote(QPainter& p) {
    blackArrow(p, 1.5, 1.5);
    haloGlyph(p, "4U", QRectF(15, 12, 9, 17));
    return {{}, {1, 1}};
}

PointerArt cross(QPainter& p) {
    crosshair(p, 15, 15, 2, 14);
    p.fillRect(QRect(15, 15, 1, 1), black);
    return {{}, {15, 15}};
}

PointerArt compress(QPainter& p) {
    haloLine(p, QPointF(15.5, 7), QPointF(15.5, 24), 2);
    fillWithHalo(p, arrowPath(QPointF(1, 15.5), QPointF(13, 15.5), 2.5, 6, 9), black, white, 0, white, halo);
    fillWithHalo(p, arrowPath(QPointF(30, 15.5), QPointF(18, 15.5), 2.5, 6, 9), black, white, 0, white, halo);
    return {{}, {15, 15}};
}

// The parts of a hand, drawn white with a black edge.
void handOutline(QPainter& p, const QPainterPath& hand) {
    fillWithHalo(p, hand, white, black, 1.2, white, 0.8);
}

QPainterPath roundedBar(qreal x, qreal top, qreal width, qreal bottom) {
    QPainterPath path;
    path.addRoundedRect(QRectF(x, top, width, bottom - top), width / 2, width / 2);
    return path;
}

PointerArt pointingHand(QPainter& p) {
    QPainterPath hand = roundedBar(10.5, 1.5, 4, 18); // the index finger
    hand = hand.united(roundedBar(14.5, 9.5, 4, 19)); // three folded fingers
    hand = hand.united(roundedBar(18.5, 10.5, 4, 19));
    hand = hand.united(roundedBar(22.5, 12, 3.5, 19));
    QPainterPath palm;
    palm.addRoundedRect(QRectF(8.5, 14.5, 17.5, 14), 4, 4);
    hand = hand.united(palm);
    QPainterPath thumb;
    thumb.moveTo(9.5, 22);
    thumb.lineTo(4, 15.5);
    thumb.quadTo(2.5, 13, 5, 12.5);
    thumb.lineTo(10.5, 17);
    thumb.closeSubpath();
    hand = hand.united(thumb).simplified();
    handOutline(p, hand);
    p.setPen(line(black, 1));
    p.drawLine(QPointF(14.5, 12), QPointF(14.5, 17));
    p.drawLine(QPointF(18.5, 12), QPointF(18.5, 17));
    p.drawLine(QPointF(22.5, 13.5), QPointF(22.5, 17));
    return {{}, {12, 1}};
}

PointerArt target(QPainter& p) {
    const QPointF c(15.5, 15.5);
    QPainterPath rings;
    rings.addEllipse(c, 10, 10);
    rings.addEllipse(c, 5, 5);
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(white, 1.5 + 2 * halo));
    p.drawPath(rings);
    p.setPen(QPen(black, 1.5));
    p.drawPath(rings);
    p.restore();
    haloLine(p, QPointF(15.5, 1), QPointF(15.5, 8));
    haloLine(p, QPointF(15.5, 23), QPointF(15.5, 30));
    haloLine(p, QPointF(1, 15.5), QPointF(8, 15.5));
    haloLine(p, QPointF(23, 15.5), QPointF(30, 15.5));
    p.fillRect(QRect(15, 15, 1, 1), black);
    return {{}, {15, 15}};
}

PointerArt justify(QPainter& p) {
    haloLine(p, QPointF(4, 6), QPointF(4, 26), 2);
    haloLine(p, QPointF(29, 6), QPointF(29, 26), 2);
    fillWithHalo(p, arrowPath(QPointF(6, 15.5), QPointF(27, 15.5), 2.5, 6, 9), black, white, 0, white, halo);
    return {{}, {3, 15}};
}

// Four fingers from the palm's top edge, the tops given; gaps are drawn as lines.
QPainterPath palmWithFingers(const qreal (&tops)[4], qreal palmTop, qreal fingerWidth) {
    QPainterPath hand;
    hand.addRoundedRect(QRectF(8, palmTop, 17, 29 - palmTop), 4.5, 4.5);
    for (int i = 0; i < 4; ++i)
        hand = hand.united(roundedBar(8.5 + i * fingerWidth, tops[i], fingerWidth, palmTop + 4));
    return hand;
}

PointerArt openHand(QPainter& p) {
    const qreal tops[4] = {5, 2.5, 3.5, 6.5};
    QPainterPath hand = palmWithFingers(tops, 14, 4);
    QPainterPath thumb;
    thumb.moveTo(9, 24);
    thumb.lineTo(3, 16.5);
    thumb.quadTo(2, 13.5, 5, 13.5);
    thumb.lineTo(10, 17.5);
    thumb.closeSubpath();
    hand = hand.united(thumb).simplified();
    handOutline(p, hand);
    p.setPen(line(black, 1));
    for (int i = 1; i < 4; ++i)
        p.drawLine(QPointF(8.5 + i * 4, 9), QPointF(8.5 + i * 4, 17));
    return {{}, {16, 16}};
}

PointerArt closedHand(QPainter& p) {
    const qreal tops[4] = {10, 9, 9, 10};
    QPainterPath hand = palmWithFingers(tops, 12.5, 4);
    QPainterPath thumb;
    thumb.moveTo(8.5, 23);
    thumb.lineTo(6, 18);
    thumb.quadTo(6, 15, 9, 16);
    thumb.lineTo(12, 18);
    thumb.closeSubpath();
    hand = hand.united(thumb).simplified();
    handOutline(p, hand);
    p.setPen(line(black, 1));
    for (int i = 1; i < 4; ++i)
        p.drawLine(QPointF(8.5 + i * 4, 10.5), QPointF(8.5 + i * 4, 15));
    // The thumb folded across the front of the fingers.
    QPainterPath fold;
    fold.moveTo(8.5, 18);
    fold.quadTo(11, 20, 16, 17.5);
    p.setBrush(Qt::NoBrush);
    p.drawPath(fold);
    return {{}, {16, 17}};
}

PointerArt arrowWithH(QPainter& p) {
    blackArrow(p, 1.5, 1.5);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    QPainterPath letter;
    letter.addText(17, 29, font, QStringLiteral("H"));
    fillWithHalo(p, letter, black, white, 0, white, 1.2);
    return {{}, {1, 1}};
}

PointerArt drawPointer(QPainter& p, int number) {
    switch (number) {
    case 1:
        return pencil(p);
    case 2:
        return textBeam(p);
    case 3:
        return symbolPlacer(p);
    case 4:
        return curvePlacer(p);
    case 5:
        return blockDefiner(p);
    case 6:
        return magnifyingGlass(p);
    case 7:
        return arrowWithNote(p);
    case 8:
        return cross(p);
    case 9:
        return compress(p);
    case 10:
        return pointingHand(p);
    case 11:
        return target(p);
    case 12:
        return justify(p);
    case 13:
        return openHand(p);
    case 14:
        return closedHand(p);
    case 15:
        return arrowWithH(p);
    default:
        return {};
    }
}

} // namespace

PointerArt renderPointer(int number) {
    if (number < 1 || number > 15) return {};
    QImage image(PointerPixels, PointerPixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    PointerArt art = drawPointer(p, number);
    p.end();
    art.image = image.convertToFormat(QImage::Format_ARGB32);
    return art;
}

} // namespace iconsgen
