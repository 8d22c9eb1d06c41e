#include "edit/setmode.h"

#include "edit/currentobject.h"
#include "edit/mode.h"
#include "model/ui.h"

namespace qv {

int placingPrompt(int mode, int chosenShape) {
    switch (mode) {
    case ModeLine:
        return 530;
    case ModeCurve:
        return 504;
    case ModeHairpin:
        return 540;
    case ModeDrawing:
        return 564 + 2 * (chosenShape / 2);
    default:
        return 0;
    }
}

bool clicksOnEntry(int previous, int mode) {
    const bool clickingMode = mode == ModeMusic || (mode >= ModeEdit && mode <= ModeDrawing) || mode == ModeHeadFoot;
    if (!clickingMode) return false;
    if (mode == ModeMusic && (previous == ModeDefblock || previous == ModeDragging)) return false;
    if (mode == ModeHeadFoot && previous == ModeDragging) return false;
    return true;
}

ToolContext EditSession::tools() const {
    ToolContext context{settings.Level, false, false};
    const int s = editor.currentStave();
    if (editor.mode == ModeEdit && s >= 0 && s <= score.Nstaves) {
        context.hasNextObject = selectableBeyond(score.stave(s), editor.currentObject, +1);
        context.hasPreviousObject = selectableBeyond(score.stave(s), editor.currentObject, -1);
    }
    return context;
}

void refreshTools(EditSession& session) {
    session.host.applyTools(computeTools(session.editor, session.score, session.tools()),
                            computeMenus(session.editor, session.score, session.settings.Level));
}

void SetMode(EditSession& session, int mode) {
    Editor& ed = session.editor;
    if (mode == ed.mode) return;
    if (mode == ModeMusic && ed.inHeaderFooterScreen()) mode = ModeHeadFoot;
    if (mode == ed.mode) return;
    const int previous = ed.mode;
    ed.previousMode = previous;
    ed.mode = mode;
    session.host.showModeLabel(mode, false);
    session.host.setPagePointer(mode);
    modeObject(previous).leave(session, mode);
    modeObject(mode).enter(session, previous);
    // A mode may end as it begins (a palette cancelled): the switch it made is complete.
    if (ed.mode != mode) return;
    if (session.settings.options.Sound && clicksOnEntry(previous, mode)) session.host.playClick();
    refreshTools(session);
    session.host.showModeLabel(mode, true);
}

void RequestMode(EditSession& session, int mode) {
    if (session.score.provisional.present) {
        showWarning(session.ui, FinishProvisionalFirst);
        return;
    }
    SetMode(session, mode);
}

} // namespace qv
