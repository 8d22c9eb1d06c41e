#pragma once
// Notes and rests: heads, stems, flags, dots, articulations, ledger lines and beams.
// Positions are page positions in screen pixels, y down; one stave space is 8 pixels
// and a staff position (step) counts half spaces up from the middle line at Ycoord.

#include "model/score.h"
#include "render/drawcontext.h"

namespace qv {

// Object `index` of `stave` as a note, with its stem, beam group and ties.
void DrawNote(DrawContext& dc, Score& score, int stave, int index, ColourValue colour, bool xorMode);
// A rest drawn from its record on the stave whose middle line is at staveYcoord.
void DrawRest(DrawContext& dc, const ScoreObject& rest, int staveYcoord, ColourValue colour, bool xorMode);
// The edit-form note drawer: the stem as stored, with its own stem rules.
void DrawEditNote(DrawContext& dc, Score& score, int stave, int index, ColourValue colour, bool xorMode);

// One ledger line at `step` of the stave, from x - halfWidth to x + halfWidth.
void DrawLedgerLine(DrawContext& dc, int staveYcoord, int x, int halfWidth, bool xorMode, ColourValue colour,
                    int step);
// Dots, accent, staccato and ledger lines of a note whose head is drawn at (x, y).
void DrawNoteExtras(DrawContext& dc, const ScoreObject& note, int staveYcoord, int x, bool xorMode,
                    ColourValue colour, int y);
// Stems and beams of the beam group whose last (rightmost) note is object `lastIndex`.
void DrawBeamGroup(DrawContext& dc, Score& score, int stave, int lastIndex, ColourValue colour, bool xorMode);
// An automatic stem becomes down above the middle line, up on it and below.
void ResolveStem(ScoreObject& note);

// Number of beams (or flags) of a note: 1 for a quaver, 0 for a crotchet and longer.
int BeamCount(const ScoreObject& note);

} // namespace qv
