#pragma once
// Stencils: the pixels that a painted stroke or shape covers, kept as runs by their
// geometry. Painting with QPainter is exact but dear (a scratch image, a painter and
// a fill for every stroke), while a page draws the same few shapes over and over: a
// beam of the same slope, a tie stroke, a bar-line stroke, a shape. Painting does not
// depend on where a shape stands, so each one is painted once at its own origin and
// after that drawn from its runs, wherever it stands, in any colour and pen mode.

#include "render/glyphstore.h"

#include <QImage>
#include <QPainter>
#include <QPoint>

#include <cstddef>
#include <map>

namespace qv {

// A stencil and where its top-left corner lies from the point it is drawn at.
struct PlacedStencil {
    QPoint offset;
    GlyphBitmap ink;
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

// Stencils by key, each made once. The cache is cleared whole when full: a page uses
// a few hundred shapes, and a cleared cache only costs painting each once more.
template <class Key, class Value> class StencilCache {
  public:
    explicit StencilCache(std::size_t limit) : limit_(limit) {}

    // The value of `key`, made by `make` when it is not kept. The reference holds
    // until the next call.
    template <class Make> const Value& get(const Key& key, Make&& make) {
        const auto it = entries_.find(key);
        if (it != entries_.end()) return it->second;
        if (entries_.size() >= limit_) entries_.clear();
        return entries_.emplace(key, make()).first->second;
    }

  private:
    std::size_t limit_;
    std::map<Key, Value> entries_;
};

} // namespace qv
