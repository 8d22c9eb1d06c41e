#include "render/glyphinkbox.h"

#include "render/glyphstore.h"

#include <algorithm>

namespace qv {

namespace {

InkBox measure(const GlyphBitmap& bitmap) {
    if (bitmap.empty()) return {};
    InkBox box{bitmap.width(), -1, bitmap.height(), -1};
    for (const GlyphBitmap::Run& run : bitmap.runs()) {
        box.left = std::min(box.left, run.first);
        box.right = std::max(box.right, run.end - 1);
        box.top = std::min(box.top, run.row);
        box.bottom = std::max(box.bottom, run.row);
    }
    return box;
}

// Glyphs whose box is set rather than measured: signs drawn apart from their
// bitmap, and corrections that suit the drawings.
void applyExceptions(InkBoxTable& t) {
    for (int code : {36, 148, 149, 150, 151, 152, 153, 154, 155, 157, 164, 215, 216}) t[code] = {};
    for (int code = 124; code <= 133; ++code) t[static_cast<std::size_t>(code)] = {};
    for (int code = 230; code <= 243; ++code) t[static_cast<std::size_t>(code)] = {};
    t[244] = {42, 1, 65, 1};
    t[33].top = 22;
    t[51].bottom = 31;
    t[86] = {17, 29, 27, 57};
    t[96].top = 3;
    t[103] = {8, 26, 27, 34};
    t[179] = {24, 36, 0, 63};
    t[214] = {25, 34, 2, 38};
    t[228].right = 27;
    t[229].left = 16;
    for (int flag : {28, 30, 32, 34}) t[static_cast<std::size_t>(flag)].left = t[25].left;
}

} // namespace

InkBoxTable computeInkBoxes(const GlyphStore& store) {
    InkBoxTable table{};
    for (int code = 0; code < static_cast<int>(table.size()); ++code)
        table[static_cast<std::size_t>(code)] = measure(store.glyph(code, false));
    applyExceptions(table);
    return table;
}

InkBox GlyphInkBox(int code) {
    static const InkBoxTable table = computeInkBoxes(GlyphStore::builtIn());
    if (code < 0 || code >= static_cast<int>(table.size())) return {};
    return table[static_cast<std::size_t>(code)];
}

} // namespace qv
