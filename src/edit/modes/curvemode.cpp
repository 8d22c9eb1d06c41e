// Curve mode: drawing curves through anchor points.

#include "edit/modes/modeset.h"

namespace qv::modes {

namespace {

class CurveMode : public EscapeEnds {
  public:
    void enter(EditSession& session, int) override {
        startPlacing(session);
        showModePrompt(session, placingPrompt(ModeCurve, session.editor.chosenShape));
    }
    void leave(EditSession& session, int next) override {
        // later: the anchor-position mark is removed unless the curve was just saved.
        if (backToMusic(next)) session.host.setCursorMark(true);
    }
};

} // namespace

EditMode& curve() {
    static CurveMode mode;
    return mode;
}

} // namespace qv::modes
