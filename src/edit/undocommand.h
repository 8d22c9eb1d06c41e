#pragma once
// "&Undo" (Alt+Backspace, the speed button): the newest step of the undo store put
// back, asked first below the advanced level, in Music mode only.

#include "edit/setmode.h"

namespace qv {

inline const char* const UndoQuestion = "Undo chosen. Do this?\n\n(There is no redo facility)";

void undoCommand(EditSession& session);

} // namespace qv
