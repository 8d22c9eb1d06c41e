// Drawing mode: a shape dragged out from its anchor with two clicks.

#include "edit/modes/modeset.h"
#include "edit/shapecommand.h"
#include "edit/symbolpalette.h"
#include "model/ui.h"

#include <cmath>

namespace qv {

void shapeCommand(EditSession& session) {
    Editor& ed = session.editor;
    if (ed.mode != ModeMusic || session.score.provisional.present) return;
    DrawingTools tools{ed.chosenShape, ed.drawing.shapeColour};
    if (!session.ui.runDrawingTools(tools)) return;
    ed.chosenShape = tools.shapeChoice;
    ed.drawing.shapeColour = tools.shapeColour;
    SetMode(session, ModeDrawing);
}

namespace modes {

namespace {

// The stored shape types of the choices rectangle, circle, ellipse and square.
constexpr int ShapeTypes[] = {2, 0, 3, 1};
constexpr int CircleType = 0;
constexpr int SquareType = 1;

ScoreObject newShape(const Editor& ed, MarkPoint anchor) {
    ScoreObject shape = makeObject(ObjectKind::Shape, anchor.x, anchor.y);
    shape.setShapeType(ShapeTypes[(ed.chosenShape / 2) % 4]);
    shape.setShapeFilled(ed.chosenShape % 2 == 1);
    shape.setShapeBlanking(ed.drawing.shapeColour == 1);
    return shape;
}

// A circle or a square is sized by its distance from the anchor, the others by the
// two sides of the box the pointer drags out.
void sizeShape(ScoreObject& shape, MarkPoint anchor, MarkPoint p) {
    const int dx = p.x - anchor.x, dy = p.y - anchor.y;
    if (shape.shapeType() == CircleType || shape.shapeType() == SquareType) {
        shape.setShapeSize1(static_cast<int>(std::lround(std::hypot(dx, dy))));
    } else {
        shape.setShapeSize1(dx);
        shape.setShapeSize2(dy);
    }
}

void AddShape(EditSession& session) {
    session.host.setProvisionalMark(false);
    if (addObject(session.score, session.editor.currentStave(), session.score.provisional.object, session.ui))
        session.host.drawStave(session.editor.currentStave(), true);
    session.score.provisional.clear();
    SetMode(session, ModeMusic);
}

class DrawingMode : public PlacingMode {
  public:
    void enter(EditSession& session, int) override {
        startPlacing(session);
        showModePrompt(session, placingPrompt(ModeDrawing, session.editor.chosenShape));
    }

    void leave(EditSession& session, int next) override {
        endPlacing(session); // a shape before its second click is forgotten
        if (backToMusic(next)) session.host.setCursorMark(true);
    }

    void mouseMove(EditSession& session, const MouseEvent& mouse) override {
        Editor& ed = session.editor;
        const MarkPoint p = heldPoint(ed.drawing, mouse.point);
        if (!ed.firstPointPlaced) return DrawTether(session, p);
        session.host.setProvisionalMark(false);
        sizeShape(session.score.provisional.object, ed.drawing.start, p);
        session.host.setProvisionalMark(true);
    }

    void mouseRelease(EditSession& session, const MouseEvent& mouse) override {
        Editor& ed = session.editor;
        if (mouse.button == RightButton) return SetMode(session, ModeMusic);
        if (mouse.button != LeftButton) return;
        const MarkPoint p = heldPoint(ed.drawing, mouse.point);
        if (ed.firstPointPlaced) {
            sizeShape(session.score.provisional.object, ed.drawing.start, p);
            return AddShape(session);
        }
        ed.firstPointPlaced = true;
        ed.drawing.start = p;
        session.score.provisional = ProvisionalObject{true, newShape(ed, p)};
        removeTether(session);
        session.host.promptsOff();
        session.host.setProvisionalMark(true);
    }

    void keyPress(EditSession& session, const KeyEvent& key) override {
        if (key.character == 27) SetMode(session, ModeMusic);
    }
};

} // namespace

EditMode& drawing() {
    static DrawingMode mode;
    return mode;
}

} // namespace modes
} // namespace qv
