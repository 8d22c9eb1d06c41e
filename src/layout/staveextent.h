#pragma once
// The vertical extent of a stave and everything on it (MinY at the top, MaxY at
// the bottom, page units), which pagination works with.

#include "model/score.h"

namespace qv {

void StaveExtent(Score& score, int stave);

} // namespace qv
