// Symbol mode: placing a symbol from the palette at the last mouse point.

#include "edit/modes/modeset.h"

namespace qv::modes {

namespace {

class SymbolMode : public EscapeEnds {
  public:
    void enter(EditSession& session, int) override {
        Editor& ed = session.editor;
        ed.placingPoint = ed.mousePoint;
        session.host.drawStave(ed.currentStave(), true);
        // later: the symbol palette opens.
    }

    void leave(EditSession& session, int next) override {
        if (!backToMusic(next)) return;
        session.host.setCursorMark(true);
        session.host.drawStave(session.editor.currentStave(), false);
    }
};

} // namespace

EditMode& symbol() {
    static SymbolMode mode;
    return mode;
}

} // namespace qv::modes
