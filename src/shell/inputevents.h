#pragma once
// The toolkit's key and mouse events made into the plain events the editing modes
// take: key codes, the typed character and the modifiers; page points and buttons.

#include "edit/input.h"
#include "shell/pageview.h"

class QKeyEvent;

namespace qv {

KeyEvent toKeyEvent(const QKeyEvent& event);
MouseEvent toMouseEvent(const PageView::MouseEvent& event);

} // namespace qv
