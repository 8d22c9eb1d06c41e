#pragma once
// Cutting off a system: the left or right ends of all its staves move to an x,
// provided no staff-bound object (clef, key or time signature, glyph, bar line,
// note or rest, accidental) would be left outside. Positions are page units.

#include "model/score.h"

namespace qv {

class Ui;

// "%d" is the stave number.
inline const char* const CannotChopMessage =
    "Objects beyond current cursor position on stave %d.\nCannot chop here";

enum class CutSide { Left, Right };

// Cuts the system of stave s at x, recorded as one undo step. Returns whether it
// was done; a refusal shows its reason and changes nothing.
bool CutOff(Score& score, int s, int x, CutSide side, Ui& ui);

} // namespace qv
