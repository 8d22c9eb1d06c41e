// Dragging: the page scrolled by dragging it with the right button held.

#include "edit/modes/modeset.h"

namespace qv::modes {

namespace {

class DraggingMode : public EditMode {
  public:
    void mouseMove(EditSession& session, const MouseEvent& mouse) override {
        Editor& ed = session.editor;
        if (!(mouse.buttons & RightButton)) return SetMode(session, ModeMusic);
        session.host.scrollBy(ed.dragStart.x - mouse.screen.x, ed.dragStart.y - mouse.screen.y);
        ed.dragStart = mouse.screen;
    }

    void mouseRelease(EditSession& session, const MouseEvent& mouse) override {
        if (mouse.button != RightButton) return;
        SetMode(session, session.editor.previousMode == ModeHeadFoot ? ModeHeadFoot : ModeMusic);
    }
};

} // namespace

EditMode& dragging() {
    static DraggingMode mode;
    return mode;
}

} // namespace qv::modes
