#pragma once
// Notes and rests: heads, stems, flags, dots, articulations, ledger lines and beams.

#include "model/score.h"
#include "render/drawcontext.h"

namespace qv {

// Object `index` of `stave` as a note, with its stem, beam group and ties.
void DrawNote(DrawContext& dc, Score& score, int stave, int index, ColourValue colour, bool xorMode);
// A rest drawn from its record on the stave whose middle line is at staveYcoord.
void DrawRest(DrawContext& dc, const ScoreObject& rest, int staveYcoord, ColourValue colour, bool xorMode);
// The edit-form note drawer: the stem as stored, with its own stem rules.
void DrawEditNote(DrawContext& dc, Score& score, int stave, int index, ColourValue colour, bool xorMode);

} // namespace qv
