// Edit mode: changing the objects of the current stave. Entering opens the stave
// for edit, keeps a copy of it for abandoning the edit, records it for undo and
// makes the object nearest to the cursor current. Enter keeps the changes, Esc puts
// the stave back as it was; any other mode change leaves like Enter, unasked.

#include "edit/attributes/showattributes.h"
#include "edit/currentobject.h"
#include "edit/modes/modeset.h"
#include "edit/objectedit.h"
#include "edit/pickobject.h"
#include "layout/tidystave.h"
#include "model/ui.h"

#include <cstdlib>

namespace qv::modes {

namespace {

inline const char* const FinishEditQuestion = "Finish edit and save your alterations?";
inline const char* const AbortEditQuestion = "Abort this edit? ALL your alterations will be lost!";
inline const char* const SavedStaveMissingMessage =
    "Sorry. File missing... or something else just as sad.\n\nUnable to restore previous stave state.";

bool musicStave(const EditSession& session) {
    const int s = session.editor.currentStave();
    return s >= 1 && s <= session.score.Nstaves;
}

bool askedYes(EditSession& session, const char* question) {
    if (session.settings.Level >= Advanced) return true;
    return session.ui.message(MessageType::Confirmation, question, ButtonYes | ButtonNo) == ButtonYes;
}

void endDrag(EditSession& session) {
    if (!session.editor.objectDragged) return;
    session.editor.objectDragged = false;
    session.host.setObjectDragged(false);
}

class EditModeObject : public EditMode {
  public:
    void enter(EditSession& session, int) override {
        Editor& ed = session.editor;
        const int s = ed.currentStave();
        ed.openForEdit[static_cast<std::size_t>(s)] = true;
        ed.savedStave = session.score.stave(s);
        ed.savedStaveIndex = s;
        session.score.undo.pushStave(session.score, s, UndoStave); // also marks the score modified
        session.host.setDeleteStaveShortcut(false);
        ed.currentObject = 0;
        ed.objectDragged = false;
        PickObject(session, ed.cursorX, session.score.stave(s).Ycoord, false);
    }

    void leave(EditSession& session, int next) override {
        endDrag(session);
        session.host.setDeleteStaveShortcut(true); // Del is Edit mode's only while in it
        ModeHost& host = session.host;
        Editor& ed = session.editor;
        const int s = ed.currentStave();
        if (ed.currentObject != 0) host.setCurrentObjectMark(false);
        ed.currentObject = 0;
        ed.openForEdit[static_cast<std::size_t>(s)] = false;
        if (!backToMusic(next)) return;
        host.setCursorMark(true);
        if (musicStave(session)) StaveChanged(session.score, s);
        if (session.settings.options.FastCPU || !musicStave(session)) {
            host.redrawPage();
        } else {
            const SystemRange system = SystemExtent(session.score, s);
            host.redrawStaves(system.first, system.last);
        }
    }

    void keyPress(EditSession& session, const KeyEvent& key) override {
        if (key.character == '\r' && key.modifiers == ModNone) return finish(session);
        if (key.character == 27) return abandon(session);
        editCharacter(session, key.character);
    }

    void keyRelease(EditSession& session, const KeyEvent& key) override {
        const int k = key.key;
        if (key.modifiers == ModAlt && (k == KeyLeft || k == KeyRight)) return StepObject(session, k == KeyLeft ? -1 : +1);
        if (!key.plain() && key.modifiers != ModShift) return;
        if (k >= 'A' && k <= 'H' && key.plain()) return editLetter(session, k == 'H' ? 'B' : static_cast<char>(k));
        if (k == 'K') return editKeySignature(session, key.shift() ? +1 : -1);
        if (!key.plain()) return;
        if (k == KeyDelete) return DeleteCurrentObject(session);
        if (k == KeyBackspace) return editBackspace(session);
    }

    void moveHorizontally(EditSession& session, int delta) override { moveCurrentAcross(session, delta); }
    void moveVertically(EditSession& session, int direction, bool large) override {
        moveCurrentUpDown(session, direction, large);
    }

    void mousePress(EditSession& session, const MouseEvent& mouse) override {
        if (mouse.button == RightButton) return ShowAttributes(session);
        if (mouse.button != LeftButton) return;
        session.editor.pressPoint = mouse.point;
        PickObject(session, mouse.point.x, mouse.point.y, false);
        session.editor.mousePoint = mouse.point;
    }

    void mouseMove(EditSession& session, const MouseEvent& mouse) override {
        if (!(mouse.buttons & LeftButton)) return;
        session.host.scrollIntoView(mouse.point.x, mouse.point.y);
        ScoreObject* o = currentObject(session);
        if (!o) return;
        Editor& ed = session.editor;
        if (!ed.objectDragged) {
            ed.objectDragged = true;
            session.host.setObjectDragged(true);
        }
        session.host.setCurrentObjectMark(false);
        const bool free = placedFreely(o->kind());
        if (mouse.modifiers & ModShift) {
            // Only the larger of the two displacements since the last move.
            const int dx = mouse.point.x - ed.previousMousePoint.x, dy = mouse.point.y - ed.previousMousePoint.y;
            if (std::abs(dx) >= std::abs(dy)) o->setX(o->x() + dx);
            else if (free) o->setY(o->y() + dy);
        } else {
            o->setX(mouse.point.x);
            if (free) o->setY(mouse.point.y);
        }
        session.host.setCurrentObjectMark(true);
    }

    void mouseRelease(EditSession& session, const MouseEvent&) override { endDrag(session); }

  private:
    static void finish(EditSession& session) {
        // No keeps the edit going; its undo record stays, so that the edit, whenever
        // it ends, can still be taken back in one step.
        if (!askedYes(session, FinishEditQuestion)) return;
        Editor& ed = session.editor;
        if (musicStave(session)) StaveChanged(session.score, ed.currentStave());
        ed.savedStaveIndex = -1;
        session.score.modified = true;
        SetMode(session, ed.previousMode == ModeHeadFoot ? ModeHeadFoot : ModeMusic);
    }

    static void abandon(EditSession& session) {
        if (!askedYes(session, AbortEditQuestion)) return;
        Editor& ed = session.editor;
        Score& score = session.score;
        const int s = ed.currentStave();
        endDrag(session);
        if (ed.currentObject != 0) session.host.setCurrentObjectMark(false);
        ed.currentObject = 0;
        if (ed.savedStaveIndex == s) {
            score.stave(s) = ed.savedStave;
            ed.savedStaveIndex = -1;
            if (musicStave(session)) StaveChanged(score, s);
        } else {
            showError(session.ui, SavedStaveMissingMessage);
        }
        // The stave is as it was: its record would only undo nothing.
        score.undo.dropRecords(1);
        session.host.drawStave(s, true);
        SetMode(session, ModeMusic);
    }
};

} // namespace

EditMode& edit() {
    static EditModeObject mode;
    return mode;
}

} // namespace qv::modes
