#pragma once
// "S&hape" (Ctrl+F10) and the shape speed button: the drawing tools form chooses
// the shape and its colour, and Drawing mode begins (from Music mode only).

#include "edit/setmode.h"

namespace qv {

void shapeCommand(EditSession& session);

} // namespace qv
