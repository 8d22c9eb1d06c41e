#pragma once
// Stencils: the pixels that a painted stroke or shape covers, kept as runs by their
// geometry. Painting with QPainter is exact but dear (a scratch image, a painter and
// a fill for every stroke), while a page draws the same few shapes over and over: a
// beam of the same slope, a tie stroke, a bar-line stroke, a shape. Painting does not
// depend on where a shape stands, so each one is painted once at its own origin and
// after that drawn from its runs, wherever it stands, in any colour and pen mode.
//
// A stencil is only made when its scratch fits the scratch budget. Anything larger
// (a shape, stroke or text as big as a good part of the page, or far bigger than
// the page, which an object's 16-bit sizes allow) is painted where it meets the
// surface only, a band of rows at a time, and never kept: no scratch is ever larger
// than the budget, however large the object.

#include "render/glyphstore.h"

#include <QImage>
#include <QPainter>
#include <QPoint>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>
#include <utility>

namespace qv {

// The most pixels of one scratch bitmap: 4 MB of ARGB.
inline constexpr qint64 ScratchBudget = qint64(1) << 20;

// The most runs a cache of stencils keeps: 3 MB, a few thousand strokes or shapes.
inline constexpr std::size_t StencilRunLimit = std::size_t(1) << 18;

inline bool withinScratchBudget(QSize size) {
    return qint64(size.width()) * size.height() <= ScratchBudget;
}

// A stencil and where its top-left corner lies from the point it is drawn at.
struct PlacedStencil {
    QPoint offset;
    GlyphBitmap ink;

    std::size_t cost() const { return ink.runs().size() + 1; }
};

// A transparent ARGB32 scratch of `size` with `paint` done on it by a painter
// without antialiasing.
template <class Paint> QImage paintedScratch(QSize size, Paint&& paint) {
    QImage scratch(size, QImage::Format_ARGB32);
    scratch.fill(Qt::transparent);
    if (size.isEmpty()) return scratch;
    QPainter painter(&scratch);
    painter.setRenderHint(QPainter::Antialiasing, false);
    paint(painter);
    return scratch;
}

// Stencils by key, each made once. The cache holds at most `limit` runs in all (a
// value's cost() is its runs) and is cleared whole when a new one would pass that:
// a page uses a few hundred shapes, and a cleared cache only costs painting each
// once more, while a file of ever new large shapes cannot make it grow without end.
template <class Key, class Value> class StencilCache {
  public:
    explicit StencilCache(std::size_t limit) : limit_(limit) {}

    // The value of `key`, made by `make` when it is not kept. The reference holds
    // until the next call.
    template <class Make> const Value& get(const Key& key, Make&& make) {
        const auto it = entries_.find(key);
        if (it != entries_.end()) return it->second;
        Value value = make();
        const std::size_t cost = value.cost();
        if (held_ + cost > limit_) {
            entries_.clear();
            held_ = 0;
        }
        held_ += cost;
        return entries_.emplace(key, std::move(value)).first->second;
    }

  private:
    std::size_t limit_;
    std::size_t held_ = 0;
    std::map<Key, Value> entries_;
};

// Paints `paint` (a painter in surface coordinates) over `area` of a surface a band
// of rows at a time, handing each band's scratch and the surface position of its
// top-left corner to `use`. `reach(top, bottom)` gives the columns the drawing can
// touch in rows top..bottom, so that a long slanting stroke is painted in narrow
// bands rather than over its whole bounding box.
template <class Paint, class Use, class Reach>
void paintInBands(const QRect& area, Paint&& paint, Use&& use, Reach&& reach) {
    if (area.isEmpty()) return;
    const int rows = static_cast<int>(std::max<qint64>(1, ScratchBudget / area.width()));
    for (int top = area.top(); top <= area.bottom(); top += rows) {
        const int bottom = std::min(area.bottom(), top + rows - 1);
        const QRect band = reach(top, bottom) & QRect(QPoint(area.left(), top), QPoint(area.right(), bottom));
        if (band.isEmpty()) continue;
        QImage scratch = paintedScratch(band.size(), [&](QPainter& p) {
            p.translate(-band.topLeft());
            paint(p);
        });
        use(scratch, band.topLeft());
    }
}

template <class Paint, class Use> void paintInBands(const QRect& area, Paint&& paint, Use&& use) {
    paintInBands(area, paint, use, [&](int, int) { return area; });
}

// The columns of rows top..bottom that a stroke from a to b, `pad` pixels wide
// either side of its centre line, can touch.
inline QRect strokeReach(QPoint a, QPoint b, int pad, int top, int bottom) {
    double from = std::min(a.x(), b.x()), to = std::max(a.x(), b.x());
    if (a.y() != b.y()) {
        // Where the centre line is within `pad` of these rows.
        const double dy = b.y() - a.y();
        double t0 = std::clamp((top - pad - a.y()) / dy, 0.0, 1.0);
        double t1 = std::clamp((bottom + pad - a.y()) / dy, 0.0, 1.0);
        const double x0 = a.x() + t0 * (b.x() - a.x()), x1 = a.x() + t1 * (b.x() - a.x());
        from = std::min(x0, x1);
        to = std::max(x0, x1);
    }
    return QRect(QPoint(static_cast<int>(std::floor(from)) - pad, top),
                 QPoint(static_cast<int>(std::ceil(to)) + pad, bottom));
}

} // namespace qv
