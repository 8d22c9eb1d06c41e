#pragma once
// The glyph catalogue: which bitmap a SymbolCode names, the placement corrections
// applied before a glyph is drawn, and the lookups that choose glyphs for notes,
// clefs, bar lines and the accidentals inside text.

#include <string>

namespace qv {

inline constexpr int GlyphCount = 246;     // codes 0..245 have table entries
inline constexpr int LastDrawnGlyph = 229; // codes above draw the empty glyph

struct GlyphShift {
    int dx = 0;
    int dy = 0;
    bool operator==(const GlyphShift&) const = default;
};

// The stem of the bitmap name, e.g. "GCLEF"; "NOTHING" for 230 and above.
const char* GlyphStem(int code);
// The resource name: "bm" + stem on the screen, "hbm" + stem at three times.
std::string GlyphResourceName(int code, bool highRes);

// Added to a glyph's position in screen pixels, in both modes.
GlyphShift GlyphOffset(int code);
// Added after the multiplication by three, in high-resolution mode only.
GlyphShift GlyphHiResOffset(int code);

// The glyph of a note by duration 0..7, stem form 0 up, 1 down, 2 none, 3 as
// stored (automatic), and head style 0..4. Out-of-range inputs give the empty glyph.
int NoteGlyphTable(int duration, int stemForm, int headStyle);

// Clef type 0 treble, 1 bass, 2 alto, 3 tenor; small clefs have their own glyphs.
int ClefGlyph(int clefType, bool small);

// The glyph of a bar-line type; any other type leaves `code` as it was.
int BarlineGlyph(int barType, int code);

// The sized flat (character 141), natural (142) or sharp (143) for a text of
// `size` points (three times that in high-resolution mode), e.g. "bmFLAT015".
std::string AccidentalBitmapName(int size, int character, bool highRes);

} // namespace qv
