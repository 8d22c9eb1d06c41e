#pragma once
// Drawing helpers shared by the icons and the pointers: the palette, music glyphs
// taken from the compiled-in bitmaps, and shapes with a contrasting outline.

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>

namespace iconsgen {

namespace palette {
inline const QColor ink{0x1d, 0x26, 0x33};     // music and lettering
inline const QColor outline{0x4a, 0x55, 0x63}; // edges of paper, bodies
inline const QColor paper{0xff, 0xff, 0xff};
inline const QColor paperShade{0xe4, 0xe9, 0xef};
inline const QColor blue{0x25, 0x66, 0xc4}; // arrows, selection
inline const QColor lightBlue{0xb8, 0xd3, 0xf5};
inline const QColor green{0x22, 0x8e, 0x45}; // confirm, create
inline const QColor red{0xcf, 0x2e, 0x2e};   // delete, close
inline const QColor gold{0xf0, 0xb4, 0x29};  // folders, stars
inline const QColor goldDark{0xb9, 0x80, 0x12};
} // namespace palette

// Draws the screen-independent three-times bitmap of a glyph (":/glyphs/hbm<stem>.png"),
// cropped to its ink, scaled to fit `target` (logical units of the painter) keeping
// its shape, centred, in `colour`. Scaling happens on the image in device pixels so
// the small result is smoothed rather than sampled. Returns false if no such glyph.
bool drawGlyph(QPainter& p, const char* stem, const QRectF& target, const QColor& colour,
               Qt::Alignment align = Qt::AlignCenter);

// Fills the path and strokes its edge, the edge first widened by `halo` in the halo
// colour so the shape stands out on light and dark backgrounds alike.
void fillWithHalo(QPainter& p, const QPainterPath& path, const QColor& fill, const QColor& edge,
                  qreal edgeWidth, const QColor& halo, qreal haloWidth);

// Strokes the path twice: a wide halo, then the line itself.
void strokeWithHalo(QPainter& p, const QPainterPath& path, const QColor& colour, qreal width,
                    const QColor& halo, qreal haloWidth);

// An arrow from `from` to `to` with a filled head of the given length.
QPainterPath arrowPath(QPointF from, QPointF to, qreal shaftWidth, qreal headLength, qreal headWidth);

// A five-pointed star.
QPainterPath starPath(QPointF centre, qreal outerRadius, qreal innerRadius);

} // namespace iconsgen
