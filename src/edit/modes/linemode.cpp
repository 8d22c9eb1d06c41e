// Line mode: straight lines, each starting where the last one ended, from the first
// click on; Shift makes a line level or upright.

#include "edit/modes/modeset.h"
#include "layout/tidystave.h"

#include <cstdlib>

namespace qv::modes {

namespace {

// With Shift, the smaller of the two distances from the start goes.
MarkPoint lineEnd(MarkPoint start, MarkPoint p, unsigned modifiers) {
    if (!(modifiers & ModShift)) return p;
    if (std::abs(p.x - start.x) < std::abs(p.y - start.y)) return MarkPoint{start.x, p.y};
    return MarkPoint{p.x, start.y};
}

void rubberBand(EditSession& session, MarkPoint end) {
    Editor& ed = session.editor;
    ed.drawing.current = end;
    ed.marks.band = {MarkLine{ed.drawing.start, end}};
    showMarks(session);
}

class LineMode : public PlacingMode {
  public:
    void enter(EditSession& session, int) override {
        startPlacing(session);
        session.editor.drawing.linesThisVisit.reset();
        showModePrompt(session, placingPrompt(ModeLine, session.editor.chosenShape));
    }

    void leave(EditSession& session, int next) override {
        const bool drew = session.editor.drawing.linesThisVisit.any();
        endPlacing(session);
        // The band the lines cover is redrawn; HeadFoot redraws its whole page itself.
        if (drew && next == ModeMusic) session.host.redrawPage();
    }

    void mouseMove(EditSession& session, const MouseEvent& mouse) override {
        Editor& ed = session.editor;
        const MarkPoint p = heldPoint(ed.drawing, mouse.point);
        if (!ed.firstPointPlaced) return DrawTether(session, p);
        rubberBand(session, lineEnd(ed.drawing.start, p, mouse.modifiers));
    }

    void mouseRelease(EditSession& session, const MouseEvent& mouse) override {
        Editor& ed = session.editor;
        if (mouse.button == RightButton) return returnFromPlacing(session);
        if (mouse.button != LeftButton) return;
        const MarkPoint p = heldPoint(ed.drawing, mouse.point);
        if (!ed.firstPointPlaced) {
            ed.firstPointPlaced = true;
            ed.drawing.start = ed.drawing.current = p;
            removeTether(session);
            return showModePrompt(session, 532);
        }
        AddLine(session, ed.drawing.start, lineEnd(ed.drawing.start, p, mouse.modifiers));
        showModePrompt(session, 534);
    }

  protected:
    void escapeReleased(EditSession& session) override { returnFromPlacing(session); }

  private:
    // A line from start to end on the current stave; the next line starts at its end.
    // A second click on the start point (a double click) draws nothing.
    static void AddLine(EditSession& session, MarkPoint start, MarkPoint end) {
        Editor& ed = session.editor;
        if (start == end) return;
        ScoreObject line = makeObject(ObjectKind::Line, start.x, start.y);
        line.setLineDx(end.x - start.x);
        line.setLineDy(end.y - start.y);
        line.setLineThickness(session.settings.options.Linewidth);
        const int s = ed.currentStave();
        if (!addObject(session.score, s, line, session.ui)) return; // a full stave says so
        ed.drawing.linesThisVisit.set(session.score.stave(s).Nobjec);
        ed.drawing.start = end;
        ed.marks.band.clear();
        showMarks(session);
        session.host.drawStave(s, true);
    }
};

} // namespace

EditMode& line() {
    static LineMode mode;
    return mode;
}

} // namespace qv::modes
