#include "edit/modes/modeset.h"

#include <array>

namespace qv {

EditMode& modeObject(int mode) {
    using Factory = EditMode& (*)();
    static const std::array<Factory, ModeCount> table{
        modes::nothing,  modes::music,    modes::defblock,  modes::edit,      modes::text,
        modes::symbol,   modes::line,     modes::curve,     modes::hairpin,   modes::drawing,
        modes::movestave, modes::justify, modes::blockMove, modes::blockCopy, modes::compress,
        modes::dragging, modes::preview,  modes::headFoot,  modes::waiting};
    return mode >= 0 && mode < ModeCount ? table[static_cast<std::size_t>(mode)]() : modes::nothing();
}

namespace modes {

void showModePrompt(EditSession& session, int number) {
    if (number == 0) return;
    session.editor.promptNumber = number;
    session.editor.hintsShown = true;
    session.host.showPrompt(number);
}

void startPlacing(EditSession& session) {
    Editor& ed = session.editor;
    ed.placingPoint = ed.mousePoint;
    ed.firstPointPlaced = false;
    session.host.drawStave(ed.currentStave(), true);
    session.host.setCursorMark(false);
    SetPlacementLimits(session, ed.currentStave());
    DrawTether(session, heldPoint(ed.drawing, ed.placingPoint));
}

void PlacingMode::keyRelease(EditSession& session, const KeyEvent& key) {
    if (key.key == KeyPageUp) AttachToStave(session, -1);
    else if (key.key == KeyPageDown) AttachToStave(session, +1);
    else if (key.key == KeyEscape) escapeReleased(session);
}

} // namespace modes
} // namespace qv
