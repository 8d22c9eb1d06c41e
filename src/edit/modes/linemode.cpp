// Line mode: drawing straight lines from the last mouse point.

#include "edit/modes/modeset.h"

namespace qv::modes {

namespace {

class LineMode : public EscapeReleaseEnds {
  public:
    void enter(EditSession& session, int) override {
        startPlacing(session);
        showModePrompt(session, placingPrompt(ModeLine, session.editor.chosenShape));
    }
    void leave(EditSession& session, int next) override {
        // later: only the band between the highest and lowest line drawn is redrawn.
        if (next == ModeMusic) session.host.redrawPage(); // HeadFoot redraws its own
    }
};

} // namespace

EditMode& line() {
    static LineMode mode;
    return mode;
}

} // namespace qv::modes
