#include "ink.h"

#include <QImage>
#include <QtMath>

#include <cmath>

namespace iconsgen {
namespace {

// The glyph's ink as alpha over `colour`, cropped to the inked rectangle.
QImage inkOnly(const QImage& glyph, const QColor& colour) {
    const QImage grey = glyph.convertToFormat(QImage::Format_Grayscale8);
    int left = grey.width(), top = grey.height(), right = -1, bottom = -1;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* row = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x) {
            if (row[x] >= 128) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0) return {};
    QImage out(right - left + 1, bottom - top + 1, QImage::Format_ARGB32);
    for (int y = top; y <= bottom; ++y) {
        const uchar* row = grey.constScanLine(y);
        auto* dest = reinterpret_cast<QRgb*>(out.scanLine(y - top));
        for (int x = left; x <= right; ++x)
            dest[x - left] = qRgba(colour.red(), colour.green(), colour.blue(), 255 - row[x]);
    }
    return out;
}

} // namespace

bool drawGlyph(QPainter& p, const char* stem, const QRectF& target, const QColor& colour,
               Qt::Alignment align) {
    const QImage glyph(QStringLiteral(":/glyphs/hbm%1.png").arg(QLatin1String(stem)));
    if (glyph.isNull()) return false;
    const QImage ink = inkOnly(glyph, colour);
    if (ink.isNull()) return false;

    // Work in device pixels: fit the ink into the target's device rectangle.
    const QRectF device = p.transform().mapRect(target);
    const qreal scale = std::min(device.width() / ink.width(), device.height() / ink.height());
    const QSize size(std::max(1, qRound(ink.width() * scale)), std::max(1, qRound(ink.height() * scale)));
    const QImage small = ink.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    qreal x = device.left() + (device.width() - size.width()) / 2.0;
    qreal y = device.top() + (device.height() - size.height()) / 2.0;
    if (align & Qt::AlignLeft) x = device.left();
    if (align & Qt::AlignRight) x = device.right() - size.width();
    if (align & Qt::AlignTop) y = device.top();
    if (align & Qt::AlignBottom) y = device.bottom() - size.height();

    p.save();
    p.resetTransform();
    p.drawImage(QPointF(std::round(x), std::round(y)), small);
    p.restore();
    return true;
}

void fillWithHalo(QPainter& p, const QPainterPath& path, const QColor& fill, const QColor& edge,
                  qreal edgeWidth, const QColor& halo, qreal haloWidth) {
    p.save();
    if (haloWidth > 0) {
        p.setPen(QPen(halo, edgeWidth + 2 * haloWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(halo);
        p.drawPath(path);
    }
    p.setPen(edgeWidth > 0 ? QPen(edge, edgeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                           : QPen(Qt::NoPen));
    p.setBrush(fill);
    p.drawPath(path);
    p.restore();
}

void strokeWithHalo(QPainter& p, const QPainterPath& path, const QColor& colour, qreal width,
                    const QColor& halo, qreal haloWidth) {
    p.save();
    p.setBrush(Qt::NoBrush);
    if (haloWidth > 0) {
        p.setPen(QPen(halo, width + 2 * haloWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
    }
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.restore();
}

QPainterPath arrowPath(QPointF from, QPointF to, qreal shaftWidth, qreal headLength, qreal headWidth) {
    const QPointF d = to - from;
    const qreal length = std::hypot(d.x(), d.y());
    if (length <= 0) return {};
    const QPointF u = d / length;   // along the arrow
    const QPointF n(-u.y(), u.x()); // across it
    const QPointF neck = to - u * headLength;
    const qreal s = shaftWidth / 2;
    const qreal h = headWidth / 2;
    QPainterPath path;
    path.moveTo(from + n * s);
    path.lineTo(neck + n * s);
    path.lineTo(neck + n * h);
    path.lineTo(to);
    path.lineTo(neck - n * h);
    path.lineTo(neck - n * s);
    path.lineTo(from - n * s);
    path.closeSubpath();
    return path;
}

QPainterPath starPath(QPointF centre, qreal outerRadius, qreal innerRadius) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2 == 0) ? outerRadius : innerRadius;
        const qreal a = qDegreesToRadians(-90.0 + 36.0 * i);
        const QPointF point = centre + QPointF(r * std::cos(a), r * std::sin(a));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

} // namespace iconsgen
