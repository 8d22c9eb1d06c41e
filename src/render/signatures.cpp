#include "render/signatures.h"

#include "render/glyphcatalogue.h"
#include "render/glyphinkbox.h"
#include "render/glyphs.h"
#include "render/primitives.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace qv {

namespace {

constexpr int FlatGlyph = 44;
constexpr int DoubleFlatGlyph = 45;
constexpr int SharpGlyph = 46;
constexpr int DoubleSharpGlyph = 47;
constexpr int NaturalGlyph = 48;
constexpr int TinyFlatGlyph = 121;
constexpr int TinySharpGlyph = 122;
constexpr int TinyNaturalGlyph = 123;

constexpr int CommonTimeGlyph = 19;
constexpr int CutTimeGlyph = 20;
constexpr int DigitGlyph0 = 8; // "0"; "1" to "9" follow

constexpr int AccidentalAdvance = 8; // one stave space between signature accidentals
constexpr ColourValue Silver = 0xC0C0C0;

// Staff positions in writing order, [clef][sharps 0 / flats 1][index].
constexpr int KeySteps[4][2][7] = {
    {{4, 1, 5, 2, -1, 3, 0}, {0, 3, -1, 2, -2, 1, -3}},     // treble
    {{2, -1, 3, 0, -3, 1, -2}, {-2, 1, -3, 0, -4, -1, -5}}, // bass
    {{3, 0, 4, 1, -2, 2, -1}, {-1, 2, -2, 1, -3, 0, -4}},   // alto
    {{-2, 2, -1, 3, 0, 4, 1}, {1, 4, 0, 3, -1, 2, -2}},     // tenor
};

int sign(int v) { return (v > 0) - (v < 0); }

// The key of the stave's last key signature left of x; 0 when there is none.
int previousKey(const Stave& stave, int x) {
    int key = 0;
    int bestX = 0;
    bool found = false;
    for (int i = 1; i <= stave.Nobjec; ++i) {
        const ScoreObject& o = stave.object(i);
        if (!o.is(ObjectKind::KeySignature) || o.x() >= x) continue;
        if (!found || o.x() > bestX) {
            found = true;
            bestX = o.x();
            key = o.keyCount();
        }
    }
    return key;
}

// Draws accidentals at signature steps [from, to) of one kind, from cx onward, 8
// apart; returns the x after the last.
int drawSteps(DrawContext& dc, int glyph, int clef, bool sharps, int from, int to, int cx, int y, bool xorMode,
              ColourValue colour) {
    for (int i = from; i < to; ++i, cx += AccidentalAdvance)
        DrawGlyph(dc, glyph, cx, y - 4 * KeyStepTable(clef, sharps, i), xorMode, colour);
    return cx;
}

// Numerator and denominator of time signatures 3..13; 12/8 needs two figures on top
// and is drawn apart.
struct FigurePair {
    int top;
    int bottom;
};
constexpr FigurePair Figures[] = {{2, 2}, {3, 2}, {2, 4}, {3, 4}, {4, 4}, {5, 4},
                                  {6, 4}, {7, 4}, {3, 8}, {6, 8}, {9, 8}};

int digit(int d) { return DigitGlyph0 + d; }

// The two colours of a bar line: the top stave's and the others' with the strokes
// joining them. Erasing (background) and provisional drawings use one colour throughout.
struct BarColours {
    ColourValue first;
    ColourValue rest;
};
BarColours barColours(const DrawContext& dc, ColourValue colour) {
    if (colour == dc.colours.Edit) return {colour, Silver};
    if (colour == White || colour == dc.colours.Putative) return {colour, colour};
    return {dc.colours.Ink, Silver};
}

struct Stroke {
    int dx;
    int thickness;
};

// The vertical strokes that join the bar-line glyphs of two staves, by kind.
std::vector<Stroke> connectingStrokes(int kind, bool highRes) {
    switch (kind) {
    case 0: return {{0, highRes ? 1 : 2}};
    case 1: return {{-5, 2}, {-1, 2}};
    case 2: return {{-2, 5}, {4, 1}};
    case 3: return {{-2, 1}, {3, 5}};
    case 4: return {{-5, 1}, {0, 5}, {6, 1}};
    case 5: return {{-7, 2}, {-2, 5}};
    default: return {};
    }
}

// The last stave of the system that starts at `first`.
int lastOfSystem(const Score& score, int first) {
    int last = first;
    while (last < score.Nstaves && score.stave(last).joinToNext) ++last;
    return last;
}

void drawStaveBar(DrawContext& dc, int kind, int x, int y, bool xorMode, ColourValue colour) {
    if (dc.HighResMode && kind == 0) {
        FillHiResRect(dc, 3 * x, 3 * y - 47, 3 * x + 3, 3 * y + 47, xorMode, colour);
        return;
    }
    // An unknown kind keeps the single bar line's glyph.
    DrawGlyph(dc, BarlineGlyph(kind, BarlineGlyph(0, 0)), x, y, xorMode, colour);
}

} // namespace

int KeyStepTable(int clef, bool sharps, int index) {
    if (clef < Treble || clef > Tenor) clef = Treble;
    if (index < 0 || index > 6) return 0;
    return KeySteps[clef][sharps ? 0 : 1][index];
}

int ClefAt(const Stave& stave, int x) {
    int clef = Treble;
    for (int i = 1; i <= stave.Nobjec; ++i) {
        const ScoreObject& o = stave.object(i);
        if (o.x() >= x) break; // objects stand in order of x
        if (o.is(ObjectKind::Clef)) clef = o.clefType();
    }
    return clef;
}

void DrawKeySignature(DrawContext& dc, const Stave& stave, int x, int key, bool naturalsInKeyChange, bool xorMode,
                      ColourValue colour) {
    // A damaged file may hold counts past seven; the table has seven steps.
    key = std::clamp(key, -7, 7);
    const int prev = std::clamp(previousKey(stave, x), -7, 7);
    const int clef = ClefAt(stave, x);
    const int y = stave.Ycoord;
    int cx = x;
    const bool cancelFirst = naturalsInKeyChange && prev != 0 && sign(prev) != sign(key);
    if (cancelFirst) {
        drawSteps(dc, NaturalGlyph, clef, prev > 0, 0, std::abs(prev), x - 2, y, xorMode, colour);
        cx = x + AccidentalAdvance * std::abs(prev);
    }
    // A signature that prints nothing still shows where it stands on the screen, so
    // that it can be found and edited; this includes a change to no key whose
    // cancelling naturals are switched off.
    if (key == 0 && !cancelFirst && !dc.onPaper())
        DrawGlyph(dc, NaturalGlyph, x, y, xorMode, dc.colours.Nonprinting);
    if (key != 0)
        cx = drawSteps(dc, key > 0 ? SharpGlyph : FlatGlyph, clef, key > 0, 0, std::abs(key), cx, y, xorMode, colour);
    if (sign(prev) == sign(key) && std::abs(prev) > std::abs(key))
        drawSteps(dc, NaturalGlyph, clef, key > 0, std::abs(key), std::abs(prev), cx, y, xorMode, colour);
}

void DrawTimeSignature(DrawContext& dc, int index, int x, int y, bool xorMode, ColourValue colour) {
    constexpr int Denominator = 16; // two stave spaces below the numerator
    switch (index) {
    case 0: DrawGlyph(dc, CommonTimeGlyph, x, y, xorMode, colour); return;
    case 1: DrawGlyph(dc, CutTimeGlyph, x, y, xorMode, colour); return;
    case 2: DrawGlyph(dc, digit(1), x, y + 8, xorMode, colour); return; // centred on the stave
    case 14:
        DrawGlyph(dc, digit(1), x - 5, y, xorMode, colour);
        DrawGlyph(dc, digit(2), x + 5, y, xorMode, colour);
        DrawGlyph(dc, digit(8), x, y + Denominator, xorMode, colour);
        return;
    default: break;
    }
    if (index < 3 || index > 13) return;
    const FigurePair f = Figures[index - 3];
    DrawGlyph(dc, digit(f.top), x, y, xorMode, colour);
    DrawGlyph(dc, digit(f.bottom), x, y + Denominator, xorMode, colour);
}

void DrawBarline(DrawContext& dc, const Score& score, int staveIndex, int kind, int x, bool xorMode,
                 ColourValue colour) {
    if (staveIndex < 1 || staveIndex > score.Nstaves) return;
    // Staves joined to the one above are drawn with that one.
    if (staveIndex > 1 && score.stave(staveIndex - 1).joinToNext) return;
    const int first = staveIndex;
    const int last = lastOfSystem(score, first);
    const BarColours c = barColours(dc, colour);
    for (int s = first; s < last; ++s) {
        if (!score.stave(s).barLineThrough) continue;
        const int top = score.stave(s).Ycoord + 16;
        const int bottom = score.stave(s + 1).Ycoord - 16;
        for (const Stroke& k : connectingStrokes(kind, dc.HighResMode))
            DrawLine(dc, x + k.dx, top, x + k.dx, xorMode, c.rest, k.thickness, bottom);
    }
    for (int s = first; s <= last; ++s)
        drawStaveBar(dc, kind, x, score.stave(s).Ycoord, xorMode, s == first ? c.first : c.rest);
}

void DrawAccidental(DrawContext& dc, int x, int y, ColourValue colour, bool xorMode, int value, bool tiny) {
    int glyph = 0;
    switch (value) {
    case -2: glyph = DoubleFlatGlyph; break;
    case -1: glyph = tiny ? TinyFlatGlyph : FlatGlyph; break;
    case 0: glyph = tiny ? TinyNaturalGlyph : NaturalGlyph; break;
    case 1: glyph = tiny ? TinySharpGlyph : SharpGlyph; break;
    case 2: glyph = DoubleSharpGlyph; break;
    default: return;
    }
    // Every sign ends at the accidental's own x, whatever its width, so that the head
    // a note's width further on keeps a clear gap from a double flat as from a flat.
    const InkBox ink = GlyphInkBox(glyph);
    DrawGlyph(dc, glyph, x + 21 - ink.right - GlyphOffset(glyph).dx, y, xorMode, colour);
}

void DrawKeySignatureObject(DrawContext& dc, Score& score, int stave, const ScoreObject& key, ColourValue colour,
                            bool xorMode) {
    if (stave < 0 || stave > score.Nstaves) return;
    DrawKeySignature(dc, score.stave(stave), key.x(), key.keyCount(), score.naturalsInKeyChange, xorMode, colour);
}

void DrawTimeSignatureObject(DrawContext& dc, const ScoreObject& time, ColourValue colour, bool xorMode) {
    DrawTimeSignature(dc, time.timeType(), time.x(), time.y(), xorMode, colour);
}

void DrawBarlineObject(DrawContext& dc, Score& score, int stave, const ScoreObject& bar, ColourValue colour,
                       bool xorMode) {
    DrawBarline(dc, score, stave, bar.barType(), bar.x(), xorMode, colour);
}

void DrawAccidentalObject(DrawContext& dc, const ScoreObject& accidental, ColourValue colour, bool xorMode) {
    DrawAccidental(dc, accidental.x(), accidental.y(), colour, xorMode, accidental.accValue(), accidental.accSmall());
}

} // namespace qv
