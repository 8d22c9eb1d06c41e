#include "edit/transposecommand.h"

#include "model/score.h"
#include "model/ui.h"
#include "transpose/transpose.h"
#include "transpose/transposedialog.h"

namespace qv {

namespace {

// Draws what the transposition changed. Several staves: the whole page. One stave:
// its band, unless the stave now reaches less far than before (a clef change can
// pull far notes in), when what it left behind would stay on the page.
void redrawTransposed(EditSession& session, const TransposeRequest& request, int oldTop, int oldBottom) {
    const Stave& stave = session.score.stave(request.first);
    if (request.first == request.last && stave.MinY <= oldTop && stave.MaxY >= oldBottom) {
        session.host.drawStave(request.first, true);
        return;
    }
    session.host.setCursorMark(false);
    session.host.redrawPage();
    session.host.setCursorMark(true);
}

} // namespace

void transposeCommand(EditSession& session) {
    Score& score = session.score;
    const int s = session.editor.currentStave();
    if (session.editor.mode != ModeMusic || s < 1 || s > score.Nstaves) return;
    if (score.provisional.present) return showWarning(session.ui, FinishProvisionalFirst);
    TransposeDialog dialog(score, s, session.ui);
    if (!session.ui.runTransposeDialog(dialog) || !dialog.chosen()) return;
    const TransposeRequest request = *dialog.chosen();
    const int oldTop = score.stave(request.first).MinY, oldBottom = score.stave(request.first).MaxY;
    // A refused semitone step has told the user why; a clef change or the stems
    // asked for may still have been made, so the staves are drawn either way.
    Transpose(score, request, &score.undo, session.ui);
    redrawTransposed(session, request, oldTop, oldBottom);
    refreshTools(session);
}

} // namespace qv
