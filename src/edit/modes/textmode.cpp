// Text mode: typing text at the last mouse point. Entering takes Ctrl+S, Ctrl+N and
// Ctrl+C from their menu items; leaving gives them back (also when the mode is left
// for the header/footer screen, so that the menus never lose their keys).

#include "edit/modes/modeset.h"

namespace qv::modes {

namespace {

class TextMode : public EscapeReleaseEnds {
  public:
    void enter(EditSession& session, int) override {
        Editor& ed = session.editor;
        ed.placingPoint = ed.mousePoint;
        session.host.setCursorMark(false);
        session.host.drawStave(ed.currentStave(), true);
        // later: the text buffer is emptied and the position mark drawn.
        showModePrompt(session, 554);
        session.host.setTextModeShortcuts(false);
    }

    void leave(EditSession& session, int next) override {
        if (next == ModeMusic) { // HeadFoot redraws its whole page itself
            if (session.settings.options.FastCPU) session.host.redrawPage();
            else session.host.drawStave(session.editor.currentStave(), false);
            // later: the text position mark is removed.
        }
        session.host.setTextModeShortcuts(true);
    }
};

} // namespace

EditMode& text() {
    static TextMode mode;
    return mode;
}

} // namespace qv::modes
