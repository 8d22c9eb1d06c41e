#pragma once
// Tidying a stave after every change: links checked, dead objects dropped, the
// survivors closed up, put in left-to-right order and their links renumbered.

#include "model/score.h"

namespace qv {

void TidyStave(Stave& stave);

// The end of every change to a stave: tidy it, measure it, and let the score
// window refresh its status when the stave is the current one.
void StaveChanged(Score& score, int stave);

// The "&Sort stave" command on the current stave, recorded for undo.
void SortStave(Score& score, int stave);

// Joins the model's add-object operation to tidying and measuring.
void installLayoutHooks(Score& score);

} // namespace qv
