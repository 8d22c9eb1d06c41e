#pragma once
// Text in the score's fonts: short and long texts, universal, non-printing and
// boxed text, and the sized accidentals inside text.
//
// Text strings are 8-bit. Characters 141 (flat), 142 (natural) and 143 (sharp)
// take the width of "d" and are filled with the sized accidental bitmaps;
// character 30 takes the width of "d" and stays blank.

#include "model/score.h"
#include "render/drawcontext.h"

#include <QFont>
#include <QPainter>

#include <string>

namespace qv {

// The font of a font-table entry on the screen page (scale 1) or the three-times
// print image (scale 3, where the size becomes 3 x size - 2 points).
QFont TextFont(const FontDesc& font, int scale);

// The width of `text` in `font` with every special character counted as "d".
int TextWidthSpecial(const QFont& font, const std::string& text);
// Draws `text` with its top-left at (x, y), transparent, leaving the special
// characters blank.
void DrawTextSpecial(QPainter& painter, int x, int y, const std::string& text);

// The renderer: (x, y) is the top-left of the text in page units; scale 1 draws
// on MainImage in the colour (exclusive-or if asked), scale 3 in black on Printimage.
void DrawText(DrawContext& dc, const std::string& text, const FontDesc& font, bool xorMode, int scale,
              ColourValue colour, int y, int x);

void DrawShortText(DrawContext& dc, Score& score, int stave, const ScoreObject& text, ColourValue colour,
                   bool xorMode);
// The long text whose head is object `index` of `stave`. Universal and
// non-printing texts keep their own colours when drawn in the Ink colour; any
// other colour (a selection, a rubber band) is used as given.
void DrawLongText(DrawContext& dc, Score& score, int stave, int index, ColourValue colour, bool xorMode);

} // namespace qv
