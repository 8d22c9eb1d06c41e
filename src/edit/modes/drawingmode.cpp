// Drawing mode: drawing shapes; the prompt names the chosen shape.

#include "edit/modes/modeset.h"

namespace qv::modes {

namespace {

class DrawingMode : public EscapeEnds {
  public:
    void enter(EditSession& session, int) override {
        startPlacing(session);
        showModePrompt(session, placingPrompt(ModeDrawing, session.editor.chosenShape));
    }
    void leave(EditSession& session, int next) override {
        if (backToMusic(next)) session.host.setCursorMark(true);
    }
};

} // namespace

EditMode& drawing() {
    static DrawingMode mode;
    return mode;
}

} // namespace qv::modes
