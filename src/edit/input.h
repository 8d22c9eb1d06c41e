#pragma once
// Keys and mouse actions as the editing modes receive them: plain values that the
// score window makes from its toolkit's events, so that the modes can be driven
// and tested without widgets. Positions are page units.

#include "edit/editor.h"

namespace qv {

enum KeyModifier : unsigned { ModNone = 0, ModShift = 1, ModCtrl = 2, ModAlt = 4 };

// Key codes. Letters and digits are their upper-case ASCII codes ('A', '7').
enum KeyCode : int {
    KeyBackspace = 8,
    KeyTab = 9,
    KeyEnter = 13,
    KeyEscape = 27,
    KeySpace = 32,
    KeyPageUp = 33,
    KeyPageDown = 34,
    KeyEnd = 35,
    KeyHome = 36,
    KeyLeft = 37,
    KeyUp = 38,
    KeyRight = 39,
    KeyDown = 40,
    KeyDelete = 46,
    KeyF1 = 112,
    KeyF12 = 123,
};

struct KeyEvent {
    int key = 0;             // the key code
    char32_t character = 0;  // the character the key types, 0 for none (Ctrl+Q types 17)
    unsigned modifiers = ModNone;

    bool shift() const { return (modifiers & ModShift) != 0; }
    bool ctrl() const { return (modifiers & ModCtrl) != 0; }
    bool alt() const { return (modifiers & ModAlt) != 0; }
    bool plain() const { return modifiers == ModNone; }
};

enum MouseButton : unsigned { NoButton = 0, LeftButton = 1, RightButton = 2 };

struct MouseEvent {
    PagePoint point;             // where, in page units
    MouseButton button = NoButton; // the button pressed or released
    unsigned buttons = NoButton;   // the buttons held
    unsigned modifiers = ModNone;
    PagePoint screen; // where on the screen, in pixels (dragging the page measures these)
    std::uint32_t time = 0; // when, in milliseconds (the same clock as the press time)
};

} // namespace qv
