#pragma once
// "&Transpose/Change clef...": the "Transposing" dialog over the current stave, then
// the transposition it asked for as one undo step, and the staves it changed drawn
// again. Music mode only; refused while a provisional object waits.

#include "edit/setmode.h"

namespace qv {

void transposeCommand(EditSession& session);

} // namespace qv
