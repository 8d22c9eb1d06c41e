#pragma once
// Key and time signatures, bar lines through their systems, and accidentals.

#include "model/score.h"
#include "render/drawcontext.h"

namespace qv {

void DrawKeySignatureObject(DrawContext& dc, Score& score, int stave, const ScoreObject& key, ColourValue colour,
                            bool xorMode);
void DrawTimeSignatureObject(DrawContext& dc, const ScoreObject& time, ColourValue colour, bool xorMode);
// A bar line at the object's x through `stave` and, by the stave flags, the staves below.
void DrawBarlineObject(DrawContext& dc, Score& score, int stave, const ScoreObject& bar, ColourValue colour,
                       bool xorMode);
void DrawAccidentalObject(DrawContext& dc, const ScoreObject& accidental, ColourValue colour, bool xorMode);

} // namespace qv
