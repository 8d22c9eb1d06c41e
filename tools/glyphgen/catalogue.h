#pragma once
// What each glyph of the catalogue looks like: a Shape per code, built from font outlines and
// a few ruled strokes, in cell units (screen pixels, y down, origin at the glyph's reference
// point: cell x 0 is the left edge of the reference column, cell y 0 the centre of the stave
// line through the point the glyph is drawn at).

#include "outline.h"

#include <string>
#include <vector>

struct Fonts {
    const OutlineFont* music = nullptr;      // engraving font: clefs, notes, rests, accidentals ...
    const OutlineFont* serif = nullptr;      // Liberation Serif
    const OutlineFont* serifItalic = nullptr;
    const OutlineFont* serifBoldItalic = nullptr;
    const OutlineFont* sans = nullptr;       // Liberation Sans
};

struct Offset {
    int dx = 0;
    int dy = 0;
};

// The placement corrections the drawing code adds before it draws a glyph, in screen pixels
// (both sets) and in high-resolution pixels (high-resolution set only). The generator draws
// each sign shifted back by them, so that what lands on the page is where the sign belongs.
Offset glyphOffset(int code);
Offset glyphHiResOffset(int code);

struct GlyphDrawing {
    int code = -1;          // 0..229, or -1 for bitmaps outside the numbered catalogue
    std::string stem;       // resource name without the "bm"/"hbm" prefix
    Shape shape;            // where the sign belongs relative to the point it is drawn at
    Shape hiresShape;       // when not empty: used for the high-resolution set instead
    int drawnBelow = 0;     // the drawing code draws this glyph this many pixels below the
                            // musical point (notes: one), used by the contact sheet only
    bool drawn = true;      // false: left empty on purpose or not made yet
    bool screenPen = true;  // trace outlines with the screen hairline pen (off where it would
                            // close up gaps, as between the bars of a small C clef)
    std::string source;     // font glyph names used, for the record
};

// All 230 numbered stems plus NOTHING, in code order.
std::vector<GlyphDrawing> buildCatalogue(const Fonts& fonts);

// Bitmaps that are not 41 x 64 cells: the anchor mark and the sized text accidentals.
struct FreeBitmap {
    std::string stem;
    int width = 0, height = 0;   // screen size; the high-resolution one is three times this
    Shape shape;                 // in pixel units, origin at the bitmap's top-left corner
    bool screenOnly = false;
};
std::vector<FreeBitmap> buildFreeBitmaps(const Fonts& fonts);

// Catalogue stem of every code 0..229 (index = code).
const std::vector<std::string>& catalogueStems();
