#pragma once
// An editing mode: what one mode does with the keys and the mouse, and what it
// does to the screen when it is entered and left. The mode switch calls leave on
// the old mode and enter on the new; the score window forwards every key and
// mouse action to the current mode through the event routing. A mode keeps its
// state in the editing state, so the mode objects themselves hold nothing.

#include "edit/input.h"

namespace qv {

struct EditSession;

class EditMode {
  public:
    virtual ~EditMode() = default;

    virtual void enter(EditSession&, int /*previous*/) {}
    virtual void leave(EditSession&, int /*next*/) {}
    // A key press: its character (the characters of the mode's key map).
    virtual void keyPress(EditSession&, const KeyEvent&) {}
    // A key release: its key code (the key codes of the mode's key map).
    virtual void keyRelease(EditSession&, const KeyEvent&) {}
    // Left and Right (by 1, or 10 with Ctrl), and Up and Down (a step, or a large one).
    virtual void moveHorizontally(EditSession&, int /*delta*/) {}
    virtual void moveVertically(EditSession&, int /*direction*/, bool /*large*/) {}
    virtual void mousePress(EditSession&, const MouseEvent&) {}
    virtual void mouseMove(EditSession&, const MouseEvent&) {}
    virtual void mouseRelease(EditSession&, const MouseEvent&) {}
    virtual void doubleClick(EditSession&, const MouseEvent&) {}
    // The hold timer fired: the left button was held still for a second.
    virtual void holdTimer(EditSession&) {}
};

// The object of mode `mode` (ModeNothing's for codes out of range).
EditMode& modeObject(int mode);

} // namespace qv
