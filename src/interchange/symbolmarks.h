#pragma once
// What a palette symbol means to a reader of the music rather than to the page:
// a dynamic, a segno, a fermata, a written instruction (D.C., D.S.) or an
// ornament on the note beside it. Symbols with no such meaning are drawings only.

#include <string>

namespace qv {

enum class MarkKind {
    None,    // a drawing with no musical meaning we carry over
    Dynamic, // text: "p", "mf", "sfz" ...
    Segno,
    Words,    // text: "D.C." ...
    Fermata,  // on the note beside it; text: "upright" or "inverted"
    Ornament, // on the note beside it; text: "trill-mark", "mordent", "turn"
};

struct SymbolMark {
    MarkKind kind = MarkKind::None;
    std::string text;
};

// The meaning of the symbol with glyph `symbolCode`.
SymbolMark symbolMark(int symbolCode);

} // namespace qv
