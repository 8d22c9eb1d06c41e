#include "shell/inputevents.h"

#include <QKeyEvent>

namespace qv {

namespace {

unsigned modifiersOf(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? ModShift : 0u) | (m & Qt::ControlModifier ? ModCtrl : 0u) |
           (m & Qt::AltModifier ? ModAlt : 0u);
}

int keyCodeOf(int key) {
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return KeyF1 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace: return KeyBackspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return KeyTab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return KeyEnter;
    case Qt::Key_Escape: return KeyEscape;
    case Qt::Key_Space: return KeySpace;
    case Qt::Key_PageUp: return KeyPageUp;
    case Qt::Key_PageDown: return KeyPageDown;
    case Qt::Key_End: return KeyEnd;
    case Qt::Key_Home: return KeyHome;
    case Qt::Key_Left: return KeyLeft;
    case Qt::Key_Up: return KeyUp;
    case Qt::Key_Right: return KeyRight;
    case Qt::Key_Down: return KeyDown;
    case Qt::Key_Delete: return KeyDelete;
    default: return 0;
    }
}

} // namespace

KeyEvent toKeyEvent(const QKeyEvent& event) {
    KeyEvent k;
    k.key = keyCodeOf(event.key());
    k.modifiers = modifiersOf(event.modifiers());
    // Shift+Tab arrives as its own key.
    if (event.key() == Qt::Key_Backtab) k.modifiers |= ModShift;
    const QString text = event.text();
    if (k.alt()) {
        k.character = 0; // Alt with a key belongs to the menus
    } else if (k.ctrl() && k.key == KeySpace) {
        k.character = U' '; // Ctrl+space types the tab character in Text mode
    } else if (k.ctrl() && k.key == KeyEnter) {
        k.character = 10; // Ctrl+Enter types a line feed, Ctrl+M the carriage return
    } else if (k.ctrl() && k.key >= 'A' && k.key <= 'Z') {
        k.character = static_cast<char32_t>(k.key - 'A' + 1); // Ctrl+Q types 17
    } else if (!text.isEmpty()) {
        const uint code = text.toUcs4().value(0);
        k.character = code;
    }
    return k;
}

MouseEvent toMouseEvent(const PageView::MouseEvent& e) {
    const auto buttonOf = [](Qt::MouseButton b) {
        return b == Qt::LeftButton ? LeftButton : b == Qt::RightButton ? RightButton : NoButton;
    };
    MouseEvent m;
    m.point = {e.page.x(), e.page.y()};
    m.button = buttonOf(e.button);
    m.buttons = (e.buttons & Qt::LeftButton ? LeftButton : 0u) | (e.buttons & Qt::RightButton ? RightButton : 0u);
    m.modifiers = modifiersOf(e.modifiers);
    m.screen = {e.global.x(), e.global.y()};
    return m;
}

} // namespace qv
