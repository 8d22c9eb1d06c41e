#pragma once
// The inclusive extent of each glyph's ink within its 41 by 64 screen cell, which
// layout uses to work out how far a stave's objects reach.

#include <array>

namespace qv {

class GlyphStore;

struct InkBox {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    bool operator==(const InkBox&) const = default;
};

using InkBoxTable = std::array<InkBox, 246>;

// Measured from the store's screen bitmaps, then the fixed exceptions applied and
// the stem-up flag glyphs given the filled head's left edge, so that a flagged
// note's box covers its head.
InkBoxTable computeInkBoxes(const GlyphStore& store);

// The box of a code from the bitmaps compiled into the program; codes outside the
// table have an empty box.
InkBox GlyphInkBox(int code);

} // namespace qv
