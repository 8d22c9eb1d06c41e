#include "edit/currentobject.h"

#include "edit/pickobject.h"
#include "model/ui.h"

#include <algorithm>
#include <cstdlib>

namespace qv {

namespace {

Stave& currentStave(EditSession& session) { return session.score.stave(session.editor.currentStave()); }

bool openForEdit(const EditSession& session) {
    return session.editor.openForEdit[static_cast<std::size_t>(session.editor.currentStave())];
}

bool validIndex(const Stave& s, int i) { return i >= 1 && i <= s.Nobjec && i < ObjectSlots; }

void highlight(EditSession& session) {
    Editor& ed = session.editor;
    if (ed.currentObject == 0) return;
    const ScoreObject& o = currentStave(session).object(ed.currentObject);
    session.host.scrollIntoView(o.x(), o.y());
    session.host.setCurrentObjectMark(true);
}

// A note leaves its beam chain (its neighbours are linked to each other) and its ties.
void releaseNote(Stave& s, const ScoreObject& o) {
    const int back = o.beamBack(), forward = o.beamForward();
    if (validIndex(s, forward)) s.object(forward).setBeamBack(back);
    if (validIndex(s, back)) s.object(back).setBeamForward(forward);
    if (validIndex(s, o.tiedFrom()) && s.object(o.tiedFrom()).is(ObjectKind::Note)) s.object(o.tiedFrom()).setTiedTo(0);
    // The note tied to this one would keep a tie to an object that is gone.
    if (validIndex(s, o.tiedTo()) && s.object(o.tiedTo()).is(ObjectKind::Note)) s.object(o.tiedTo()).setTiedFrom(0);
}

void releaseCurvePoint(Stave& s, const ScoreObject& o) {
    const int next = o.curveNext(), previous = o.curvePrev();
    if (validIndex(s, next)) s.object(next).setCurvePrev(previous);
    if (validIndex(s, previous)) s.object(previous).setCurveNext(next);
}

// A text is one object to the user: its continuation chunks go with its head.
void deleteChunks(Stave& s, const ScoreObject& head) {
    int next = head.textNext();
    for (int guard = 0; validIndex(s, next) && guard < ObjectSlots; ++guard) {
        ScoreObject& chunk = s.object(next);
        if (!chunk.is(ObjectKind::LongText) || !chunk.isContinuation()) break;
        next = chunk.textNext();
        chunk.setKind(ObjectKind::Deleted);
    }
}

void repairLinks(Stave& s, const ScoreObject& o) {
    switch (o.kind()) {
    case ObjectKind::Note:
        return releaseNote(s, o);
    case ObjectKind::TieLink:
        if (validIndex(s, o.tieFirst())) s.object(o.tieFirst()).setTiedTo(0);
        if (validIndex(s, o.tieSecond())) s.object(o.tieSecond()).setTiedFrom(0);
        return;
    case ObjectKind::CurvePoint:
        return releaseCurvePoint(s, o);
    case ObjectKind::LongText:
        return deleteChunks(s, o);
    default:
        return;
    }
}

} // namespace

bool selectable(const ScoreObject& o, bool open) {
    if (o.is(ObjectKind::Deleted)) return false;
    if (o.is(ObjectKind::LongText) && o.isContinuation()) return false;
    return open || !o.is(ObjectKind::CurvePoint);
}

bool selectableBeyond(const Stave& s, int index, int step) {
    for (int i = index + step; i >= 1 && i <= s.Nobjec && i < ObjectSlots; i += step) {
        const ScoreObject& o = s.object(i);
        if (!(o.is(ObjectKind::LongText) && o.isContinuation())) return true;
    }
    return false;
}

ScoreObject* currentObject(EditSession& session) {
    const int s = session.editor.currentStave();
    if (s < 0 || s > session.score.Nstaves) return nullptr;
    Stave& st = session.score.stave(s);
    return validIndex(st, session.editor.currentObject) ? &st.object(session.editor.currentObject) : nullptr;
}

int PickObject(EditSession& session, int x, int y, bool strict) {
    Editor& ed = session.editor;
    if (ed.currentObject != 0) session.host.setCurrentObjectMark(false);
    const Pick pick = nearestObject(currentStave(session), x, y, openForEdit(session));
    if (pick.index == 0 || (strict && pick.distance > 25)) {
        highlight(session);
        return 0;
    }
    ed.currentObject = pick.index;
    const ScoreObject& o = currentStave(session).object(pick.index);
    highlight(session);
    session.host.placePointer(o.x(), o.y());
    ed.mousePoint = PagePoint{o.x(), o.y()};
    refreshTools(session); // the step buttons follow the current object
    return pick.index;
}

void StepObject(EditSession& session, int step, bool placePointer) {
    Editor& ed = session.editor;
    const Stave& s = currentStave(session);
    const int last = std::min(int(s.Nobjec), ObjectSlots - 1);
    if (ed.currentObject + step < 1 || ed.currentObject + step > last) return;
    int i = ed.currentObject + step;
    while (i > 1 && i < last && !selectable(s.object(i), openForEdit(session)))
        i += step;
    if (!selectable(s.object(i), openForEdit(session))) return;
    if (ed.currentObject != 0) session.host.setCurrentObjectMark(false);
    ed.currentObject = i;
    highlight(session);
    refreshTools(session);
    if (placePointer) session.host.placePointer(s.object(i).x(), s.object(i).y());
}

void DeleteCurrentObject(EditSession& session) {
    ScoreObject* o = currentObject(session);
    if (o == nullptr) return showInformation(session.ui, NoObjectSelectedMessage);
    if (session.settings.Level < Advanced &&
        session.ui.message(MessageType::Confirmation, DeleteObjectQuestion, ButtonOk | ButtonCancel) != ButtonOk)
        return;
    Stave& s = currentStave(session);
    session.host.setCurrentObjectMark(false);
    const ScoreObject deleted = *o;
    repairLinks(s, deleted);
    o->setKind(ObjectKind::Deleted);
    session.editor.currentObject = 0;
    session.host.drawStave(session.editor.currentStave(), true);
    if (PickObject(session, deleted.x(), s.Ycoord, false) == 0) SetMode(session, ModeMusic);
    refreshTools(session);
}

void showCurrentChange(EditSession& session) {
    session.host.setCurrentObjectMark(false);
    session.host.setCurrentObjectMark(true);
}

} // namespace qv
