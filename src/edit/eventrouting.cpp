#include "edit/eventrouting.h"

#include "edit/mode.h"
#include "edit/setmode.h"

namespace qv {

namespace {

ShiftState shiftStateOf(const KeyEvent& key) { return ShiftState{key.shift(), key.alt(), key.ctrl()}; }

bool isArrow(int key) { return key == KeyLeft || key == KeyRight || key == KeyUp || key == KeyDown; }

// Left and Right move by 1, or by 10 with Ctrl; Up and Down by a step, or with Ctrl
// by the large step. Any other modifier swallows them; Shift with Up and Down acts
// on the release instead.
void arrowPressed(EditSession& session, const KeyEvent& key) {
    EditMode& mode = modeObject(session.editor.mode);
    const bool ctrlOnly = key.modifiers == ModCtrl;
    if (!key.plain() && !ctrlOnly) return;
    if (key.key == KeyLeft || key.key == KeyRight) {
        const int step = ctrlOnly ? 10 : 1;
        mode.moveHorizontally(session, key.key == KeyLeft ? -step : step);
    } else {
        mode.moveVertically(session, key.key == KeyUp ? -1 : +1, ctrlOnly);
    }
}

} // namespace

void keyPressed(EditSession& session, const KeyEvent& key) {
    Editor& ed = session.editor;
    if (key.key > 0 && key.key < 256) ed.modifiersAtPress[static_cast<std::size_t>(key.key)] = static_cast<std::uint8_t>(key.modifiers);
    if (isArrow(key.key)) return arrowPressed(session, key);
    if (ed.swallowNextKeyRelease) ed.swallowNextKeyRelease = false;
    else ed.shiftState = shiftStateOf(key);
    if (key.character != 0) modeObject(ed.mode).keyPress(session, key);
}

void keyReleased(EditSession& session, const KeyEvent& released) {
    Editor& ed = session.editor;
    KeyEvent key = released;
    if (key.key > 0 && key.key < 256) {
        std::uint8_t& atPress = ed.modifiersAtPress[static_cast<std::size_t>(key.key)];
        if (atPress != 0xFF) key.modifiers = atPress;
        atPress = 0xFF;
    }
    if (ed.swallowNextKeyRelease) {
        ed.swallowNextKeyRelease = false;
        return;
    }
    ed.shiftState = shiftStateOf(key);
    if ((key.key == KeyUp || key.key == KeyDown) && key.modifiers == ModShift) {
        modeObject(ed.mode).moveVertically(session, key.key == KeyUp ? -1 : +1, true);
    } else if (key.key == KeyF12 && key.modifiers == ModCtrl) {
        // The menu item may have entered Symbol mode on the press already.
        if (ed.mode != ModeSymbol) RequestMode(session, ModeSymbol);
    } else if (!isArrow(key.key) || key.modifiers == ModAlt) { // Alt+Left and Alt+Right step in Edit mode
        modeObject(ed.mode).keyRelease(session, key);
    }
    stopHoldTimer(session);
}

void mousePressed(EditSession& session, const MouseEvent& mouse, std::uint32_t time) {
    Editor& ed = session.editor;
    ed.pressTime = time;
    ed.mousePoint = mouse.point;
    if (ed.mode == ModeNothing) SetMode(session, ModeMusic);
    modeObject(ed.mode).mousePress(session, mouse);
}

void mouseMoved(EditSession& session, const MouseEvent& mouse) {
    Editor& ed = session.editor;
    const PagePoint previous = ed.mousePoint;
    ed.mousePoint = mouse.point;
    if ((mouse.buttons & LeftButton) && ed.holdTimerArmed) startHoldTimer(session, mouse.point, ed.holdStave);
    ed.previousMousePoint = previous;
    modeObject(ed.mode).mouseMove(session, mouse);
}

void mouseReleased(EditSession& session, const MouseEvent& mouse) {
    stopHoldTimer(session);
    modeObject(session.editor.mode).mouseRelease(session, mouse);
}

void mouseDoubleClicked(EditSession& session, const MouseEvent& mouse) {
    modeObject(session.editor.mode).doubleClick(session, mouse);
}

void holdTimerFired(EditSession& session) {
    stopHoldTimer(session);
    modeObject(session.editor.mode).holdTimer(session);
}

void startHoldTimer(EditSession& session, PagePoint at, int stave) {
    Editor& ed = session.editor;
    ed.holdPoint = at;
    ed.holdStave = stave;
    ed.holdTimerArmed = true;
    session.host.startHoldTimer();
}

void stopHoldTimer(EditSession& session) {
    session.editor.holdTimerArmed = false;
    session.host.stopHoldTimer();
}

} // namespace qv
