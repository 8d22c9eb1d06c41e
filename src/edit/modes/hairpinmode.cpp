// Hairpin mode: the first click places the vertex, the second the open end; the
// legs are mirrored about the vertex's height.

#include "edit/modes/modeset.h"

namespace qv::modes {

namespace {

void showLegs(EditSession& session, MarkPoint end) {
    Editor& ed = session.editor;
    const MarkPoint vertex = ed.drawing.start;
    ed.drawing.current = end;
    ed.marks.band = {MarkLine{vertex, end}, MarkLine{vertex, MarkPoint{end.x, 2 * vertex.y - end.y}}};
    showMarks(session);
}

// A hairpin with its vertex and one open end; the mode is over either way.
void AddHairpin(EditSession& session, MarkPoint vertex, MarkPoint end) {
    ScoreObject hairpin = makeObject(ObjectKind::Hairpin, vertex.x, vertex.y);
    hairpin.setHairpinDx(end.x - vertex.x);
    hairpin.setHairpinDy(end.y - vertex.y);
    hairpin.setHairpinThickness(session.settings.options.Linewidth);
    if (addObject(session.score, session.editor.currentStave(), hairpin, session.ui))
        session.host.drawStave(session.editor.currentStave(), true);
    session.host.promptsOff();
    SetMode(session, ModeMusic);
}

class HairpinMode : public PlacingMode {
  public:
    void enter(EditSession& session, int) override {
        startPlacing(session);
        showModePrompt(session, placingPrompt(ModeHairpin, session.editor.chosenShape));
    }

    void leave(EditSession& session, int next) override {
        endPlacing(session); // a hairpin before its second click is forgotten
        if (!backToMusic(next)) return;
        if (session.settings.options.FastCPU) session.host.redrawPage();
        else session.host.drawStave(session.editor.currentStave(), false);
    }

    void mouseMove(EditSession& session, const MouseEvent& mouse) override {
        const MarkPoint p = heldPoint(session.editor.drawing, mouse.point);
        if (session.editor.firstPointPlaced) showLegs(session, p);
        else DrawTether(session, p);
    }

    void mousePress(EditSession& session, const MouseEvent& mouse) override {
        if (mouse.button == RightButton) SetMode(session, ModeMusic);
    }

    void mouseRelease(EditSession& session, const MouseEvent& mouse) override {
        Editor& ed = session.editor;
        if (mouse.button != LeftButton) return;
        const MarkPoint p = heldPoint(ed.drawing, mouse.point);
        if (ed.firstPointPlaced) return AddHairpin(session, ed.drawing.start, p);
        ed.firstPointPlaced = true;
        ed.drawing.start = ed.drawing.current = p;
        removeTether(session);
        showModePrompt(session, 542);
    }

  protected:
    void escapeReleased(EditSession& session) override { SetMode(session, ModeMusic); }
};

} // namespace

EditMode& hairpin() {
    static HairpinMode mode;
    return mode;
}

} // namespace qv::modes
