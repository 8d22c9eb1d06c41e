// Nothing: no activity yet. The first mouse press switches to Music (the event
// routing does that); the arrows already move the entry cursor, unseen.

#include "edit/modes/modeset.h"

#include <algorithm>

namespace qv::modes {

namespace {

class NothingMode : public EditMode {
  public:
    void moveHorizontally(EditSession& session, int delta) override {
        const int s = session.editor.currentStave();
        if (s < 1 || s > session.score.Nstaves) return;
        const Stave& st = session.score.stave(s);
        session.editor.cursorX = std::clamp(session.editor.cursorX + delta, int(st.LeftX), int(st.RightX));
    }
};

} // namespace

EditMode& nothing() {
    static NothingMode mode;
    return mode;
}

} // namespace qv::modes
