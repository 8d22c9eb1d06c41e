#include "edit/undocommand.h"

#include "edit/navigation.h"
#include "model/ui.h"

#include <algorithm>

namespace qv {

void undoCommand(EditSession& session) {
    Editor& ed = session.editor;
    Score& score = session.score;
    if (ed.mode != ModeMusic || score.provisional.present) return;
    if (session.settings.Level <= Standard &&
        session.ui.message(MessageType::Confirmation, UndoQuestion, ButtonYes | ButtonNo) != ButtonYes)
        return;
    session.host.setCursorMark(false);
    score.undo.undoStep(score, session.ui);
    // A stave put back or taken out changes the pages; the current stave stays
    // where it was unless it is now past the last.
    ed.page.pages = pageCount(score);
    makeStaveCurrent(session, std::clamp(ed.currentStave(), std::min(1, score.Nstaves), score.Nstaves));
    ed.page.currentPage = score.stave(ed.currentStave()).PageNum;
    session.host.redrawPage();
    session.host.setCursorMark(true);
    refreshTools(session);
}

} // namespace qv
