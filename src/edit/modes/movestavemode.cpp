// Movestave: a stave dragged up or down by its handle. An outline follows the
// pointer; on release the stave and the staves below it on the page move by the
// distance dragged, recorded for undo as one step.

#include "edit/eventrouting.h"
#include "edit/modes/modeset.h"
#include "edit/navigation.h"

#include <algorithm>

namespace qv::modes {

namespace {

class MovestaveMode : public EditMode {
  public:
    void mouseMove(EditSession& session, const MouseEvent& mouse) override {
        if (mouse.buttons & LeftButton)
            session.host.showStaveOutline(session.editor.currentStave(), mouse.point.y - session.editor.moveStart.y);
    }

    void mouseRelease(EditSession& session, const MouseEvent& mouse) override {
        if (mouse.button != LeftButton) return;
        Score& score = session.score;
        Editor& ed = session.editor;
        session.host.showStaveOutline(-1, 0);
        const int s = ed.currentStave();
        // Below the advanced level a stave may not be dragged past its neighbours.
        const int target =
            std::clamp(ed.moveStartY + (mouse.point.y - ed.moveStart.y), ed.page.drag.upper + 1, ed.page.drag.lower - 1);
        const int delta = target - score.stave(s).Ycoord;
        if (delta != 0) {
            score.undo.pushStave(score, s, UndoFollowingStave);
            const int page = score.stave(s).PageNum;
            for (int t = s; t <= score.Nstaves && score.stave(t).PageNum == page; ++t)
                ShiftStave(score, t, delta);
        }
        makeStaveCurrent(session, s);
        SetMode(session, ModeMusic);
        session.host.redrawPage();
    }
};

} // namespace

EditMode& movestave() {
    static MovestaveMode mode;
    return mode;
}

} // namespace qv::modes
