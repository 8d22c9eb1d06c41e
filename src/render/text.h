#pragma once
// Text in the score's fonts: short and long texts, universal, non-printing and
// boxed text, and the sized accidentals inside text.

#include "model/score.h"
#include "render/drawcontext.h"

namespace qv {

void DrawShortText(DrawContext& dc, Score& score, int stave, const ScoreObject& text, ColourValue colour,
                   bool xorMode);
// The long text whose head is object `index` of `stave`.
void DrawLongText(DrawContext& dc, Score& score, int stave, int index, ColourValue colour, bool xorMode);

} // namespace qv
