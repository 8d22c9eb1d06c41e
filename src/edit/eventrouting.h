#pragma once
// How keys and mouse actions reach the current mode. A key passes through the
// stages every mode shares (the arrows as dialog keys on the press, the modifier
// state, the swallowed release after a menu) before the mode's own key map sees
// it; the mouse records its point and time and keeps the hold timer.

#include "edit/input.h"

#include <cstdint>

namespace qv {

struct EditSession;

void keyPressed(EditSession& session, const KeyEvent& key);
void keyReleased(EditSession& session, const KeyEvent& key);

// `time` is the press time in milliseconds.
void mousePressed(EditSession& session, const MouseEvent& mouse, std::uint32_t time);
void mouseMoved(EditSession& session, const MouseEvent& mouse);
void mouseReleased(EditSession& session, const MouseEvent& mouse);
void mouseDoubleClicked(EditSession& session, const MouseEvent& mouse);
void holdTimerFired(EditSession& session);

// Arms the hold timer for the current press point and stave, or stops it.
void startHoldTimer(EditSession& session, PagePoint at, int stave);
void stopHoldTimer(EditSession& session);

} // namespace qv
