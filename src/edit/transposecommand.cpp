#include "edit/transposecommand.h"

#include "layout/pagination.h"
#include "model/score.h"
#include "model/ui.h"
#include "transpose/transpose.h"
#include "transpose/transposedialog.h"

#include <vector>

namespace qv {

namespace {

// The staves of the current stave's system as they were before the change.
struct SystemBefore {
    SystemRange system;
    std::vector<Stave> staves;
};

SystemBefore systemBefore(const Score& score, int s) {
    SystemBefore before{SystemExtent(score, s), {}};
    for (int t = before.system.first; t <= before.system.last; ++t)
        before.staves.push_back(score.stave(t));
    return before;
}

// Whether drawing stave s again shows everything: no other stave of its system
// changed (a key signature that grows makes room on all of them), and s still
// covers its old band (a clef change can pull far notes in, and what they leave
// behind would stay on the page).
bool staveAloneChanged(const Score& score, int s, const SystemBefore& before) {
    for (int t = before.system.first; t <= before.system.last; ++t) {
        const Stave& old = before.staves[static_cast<std::size_t>(t - before.system.first)];
        const Stave& now = score.stave(t);
        const bool coveredByS = t == s && now.MinY <= old.MinY && now.MaxY >= old.MaxY;
        if (!coveredByS && !(now == old)) return false;
    }
    return true;
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
    const SystemBefore before = systemBefore(score, s);
    // A refused semitone step has told the user why; a clef change or the stems
    // asked for may still have been made, so the staves are drawn either way.
    Transpose(score, request, &score.undo, session.ui);
    if (request.first == request.last && staveAloneChanged(score, s, before)) {
        session.host.drawStave(s, true);
    } else {
        session.host.setCursorMark(false);
        session.host.redrawPage();
        session.host.setCursorMark(true);
    }
    refreshTools(session);
}

} // namespace qv
