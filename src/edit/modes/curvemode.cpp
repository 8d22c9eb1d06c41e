// Curve mode: anchors placed with clicks or Enter, the curve drawn through them in
// order of x; a right click or Esc stores it.

#include "edit/modes/modeset.h"
#include "layout/tidystave.h"
#include "model/ui.h"

#include <algorithm>

namespace qv::modes {

namespace {

void showCurve(EditSession& session) {
    Editor& ed = session.editor;
    ed.marks.curve.clear();
    for (const CurveCollector::Point& p : ed.drawing.curve.points()) ed.marks.curve.push_back(MarkPoint{p.x, p.y});
    std::stable_sort(ed.marks.curve.begin(), ed.marks.curve.end(),
                     [](const MarkPoint& a, const MarkPoint& b) { return a.x < b.x; });
    ed.marks.curveDepth = session.settings.options.Curvedepth;
    ed.marks.curveDotted = ed.drawing.dotted;
    showMarks(session);
}

void AddCurvePoint(EditSession& session, MarkPoint p) {
    Editor& ed = session.editor;
    const int objects = session.score.stave(ed.currentStave()).Nobjec;
    if (ed.drawing.curve.add(p.x, p.y, objects, session.ui) != CurveCollector::Result::Added) return;
    ed.marks.tether = false;
    showCurve(session);
    session.score.modified = true;
    showModePrompt(session, 520);
}

// The anchors become a linked curve on the current stave. A single anchor makes no
// curve that could be seen or picked, so nothing is stored for it.
void SaveCurve(EditSession& session) {
    Editor& ed = session.editor;
    Score& score = session.score;
    const int s = ed.currentStave();
    const int n = static_cast<int>(ed.drawing.curve.points().size());
    // The anchors were counted against the stave they began on: PgUp or PgDn may have
    // moved them to a fuller one.
    if (n >= 2 && score.stave(s).Nobjec + n > MaxObjects) showError(session.ui, TooManyPointsMessage);
    else if (n >= 2) {
        score.undo.pushStave(score, s, UndoStave);
        ed.drawing.curve.store(score.stave(s), session.settings.options.Curvedepth, ed.drawing.dotted);
        StaveChanged(score, s);
        session.host.drawStave(s, true);
        refreshTools(session);
    }
    ed.drawing.curve.clear();
    ed.drawing.dotted = false;
    ed.marks.curve.clear();
    showMarks(session);
}

class CurveMode : public PlacingMode {
  public:
    void enter(EditSession& session, int) override {
        session.editor.drawing.curve.clear();
        session.editor.drawing.dotted = false;
        startPlacing(session);
        showModePrompt(session, placingPrompt(ModeCurve, session.editor.chosenShape));
    }

    void leave(EditSession& session, int next) override {
        endPlacing(session); // anchors not saved are forgotten
        if (backToMusic(next)) session.host.setCursorMark(true);
    }

    void mouseMove(EditSession& session, const MouseEvent& mouse) override {
        Editor& ed = session.editor;
        ed.placingPoint = mouse.point;
        if (ed.drawing.curve.points().empty()) DrawTether(session, heldPoint(ed.drawing, mouse.point));
    }

    void mouseRelease(EditSession& session, const MouseEvent& mouse) override {
        if (mouse.button == LeftButton) AddCurvePoint(session, heldPoint(session.editor.drawing, mouse.point));
        else if (mouse.button == RightButton) finish(session);
    }

    void keyPress(EditSession& session, const KeyEvent& key) override {
        if (key.character == 13) AddCurvePoint(session, heldPoint(session.editor.drawing, session.editor.placingPoint));
        else if (key.character == 27) finish(session);
    }

  private:
    static void finish(EditSession& session) {
        SaveCurve(session);
        session.host.promptsOff();
        SetMode(session, ModeMusic);
    }
};

} // namespace

EditMode& curve() {
    static CurveMode mode;
    return mode;
}

} // namespace qv::modes
