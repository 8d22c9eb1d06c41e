#include "interchange/symbolmarks.h"

namespace qv {

namespace {

// Glyphs of the symbol palette that carry a meaning.
constexpr int GlyphHoldUp = 65;
constexpr int GlyphHoldDown = 66;
constexpr int GlyphSegno1 = 115;
constexpr int GlyphSegno2 = 116;
constexpr int GlyphTurn = 136;
constexpr int GlyphPP = 138;
constexpr int GlyphP = 139;
constexpr int GlyphMP = 140;
constexpr int GlyphMF = 141;
constexpr int GlyphF = 142;
constexpr int GlyphFF = 143;
constexpr int GlyphSF = 144;
constexpr int GlyphFZ = 145;
constexpr int GlyphSegno3 = 158;
constexpr int GlyphPPP = 159;
constexpr int GlyphFFF = 160;
constexpr int GlyphMordent = 164;
constexpr int GlyphTr = 166;
constexpr int GlyphSFZ = 167;
constexpr int GlyphDC = 213;
constexpr int GlyphDS = 214;

} // namespace

SymbolMark symbolMark(int code) {
    switch (code) {
    case GlyphPPP: return {MarkKind::Dynamic, "ppp"};
    case GlyphPP: return {MarkKind::Dynamic, "pp"};
    case GlyphP: return {MarkKind::Dynamic, "p"};
    case GlyphMP: return {MarkKind::Dynamic, "mp"};
    case GlyphMF: return {MarkKind::Dynamic, "mf"};
    case GlyphF: return {MarkKind::Dynamic, "f"};
    case GlyphFF: return {MarkKind::Dynamic, "ff"};
    case GlyphFFF: return {MarkKind::Dynamic, "fff"};
    case GlyphSF: return {MarkKind::Dynamic, "sf"};
    case GlyphFZ: return {MarkKind::Dynamic, "fz"};
    case GlyphSFZ: return {MarkKind::Dynamic, "sfz"};
    case GlyphSegno1:
    case GlyphSegno2:
    case GlyphSegno3: return {MarkKind::Segno, {}};
    case GlyphDC: return {MarkKind::Words, "D.C."};
    case GlyphDS: return {MarkKind::Words, "D.S."};
    case GlyphHoldUp: return {MarkKind::Fermata, "upright"};
    case GlyphHoldDown: return {MarkKind::Fermata, "inverted"};
    case GlyphTr: return {MarkKind::Ornament, "trill-mark"};
    case GlyphMordent: return {MarkKind::Ornament, "mordent"};
    case GlyphTurn: return {MarkKind::Ornament, "turn"};
    default: return {};
    }
}

} // namespace qv
