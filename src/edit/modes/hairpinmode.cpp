// Hairpin mode: drawing hairpins.

#include "edit/modes/modeset.h"

namespace qv::modes {

namespace {

class HairpinMode : public EscapeReleaseEnds {
  public:
    void enter(EditSession& session, int) override {
        startPlacing(session);
        showModePrompt(session, placingPrompt(ModeHairpin, session.editor.chosenShape));
    }
    void leave(EditSession& session, int next) override {
        if (!backToMusic(next)) return;
        if (session.settings.options.FastCPU) session.host.redrawPage();
        else session.host.drawStave(session.editor.currentStave(), false);
        // later: the hairpin position mark is removed.
    }
};

} // namespace

EditMode& hairpin() {
    static HairpinMode mode;
    return mode;
}

} // namespace qv::modes
