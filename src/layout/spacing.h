#pragma once
// Horizontal spacing: how far the entry cursor moves after an object, by the
// object, the score's spacing grade (1 very close .. 5 very wide) and its pulse.

#include "model/score.h"

namespace qv {

// The width of a glyph's ink (right - left of its box) when that lies in 0..31.
int GlyphWidth(int code);

// The advance after `object` in page units.
int NoteAdvance(const ScoreObject& object, int pulse, int spacing);

// Where the cursor goes after music entry completes `object` at cursor x on
// `stave`: on by the advance, never past the stave's right end; an accidental
// does not move it.
int cursorAfterEntry(const Score& score, int stave, int x, const ScoreObject& object);

// The name of spacing grade 1..5: "Very close" .. "Very wide" (grades beyond are taken
// as the ends).
const char* spacingName(int grade);

} // namespace qv
