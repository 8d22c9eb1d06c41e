#pragma once
// What the horizontal layout operations on a whole system share: recording every
// stave of the system for undo as one step before anything changes, and finishing
// the staves afterwards. Positions are page units.

#include "layout/pagination.h"

namespace qv {

// Records the staves of `system` as one undo step (one Undo puts them all back).
// The score is marked modified, also with undo off.
void recordSystemForUndo(Score& score, const SystemRange& system);

// A new x for an object, kept within what the 16-bit field holds.
int clampX(long long x);

// Keeps the notes and rests of stave s within its ends, where tidying would
// otherwise drop them as dead; an operation that moves objects sideways calls
// this before the staves are tidied.
void keepNotesOnStave(Stave& stave);

// Every stave of the system is tidied and measured (StaveChanged).
void systemChanged(Score& score, const SystemRange& system);

// Whether an object is a long text chunk that never moves sideways.
bool isImmobileText(const ScoreObject& o);

} // namespace qv
