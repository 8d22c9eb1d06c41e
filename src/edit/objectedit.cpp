#include "edit/objectedit.h"

#include "edit/attributes/showattributes.h"
#include "edit/currentobject.h"
#include "edit/musicentry.h"
#include "edit/pickobject.h"
#include "model/staveops.h"
#include "model/ui.h"
#include "render/glyphcatalogue.h"

#include <algorithm>

namespace qv {

namespace {

Stave& stave(EditSession& session) { return session.score.stave(session.editor.currentStave()); }

bool validIndex(const Stave& s, int i) { return i >= 1 && i <= s.Nobjec && i < ObjectSlots; }

ScoreObject* noteOrRest(EditSession& session) {
    ScoreObject* o = currentObject(session);
    return o && o->is(ObjectKind::Note) ? o : nullptr;
}

ScoreObject* note(EditSession& session) {
    ScoreObject* o = noteOrRest(session);
    return o && !o->isRest() ? o : nullptr;
}

ScoreObject* ofKind(EditSession& session, ObjectKind kind) {
    ScoreObject* o = currentObject(session);
    return o && o->is(kind) ? o : nullptr;
}

// A note's glyph follows its duration, stem and head style.
void refreshGlyph(ScoreObject& n) {
    if (n.isNote()) n.setSymbolCode(NoteGlyphTable(n.duration(), n.stem(), n.headStyle()));
}

// A note of crotchet or longer cannot be beamed: both its links are cut.
void cutBeams(Stave& s, ScoreObject& n) {
    if (validIndex(s, n.beamBack())) s.object(n.beamBack()).setBeamForward(0);
    n.setBeamBack(0);
    if (validIndex(s, n.beamForward())) s.object(n.beamForward()).setBeamBack(0);
    n.setBeamForward(0);
}

void editStem(EditSession& session, int stem) {
    ScoreObject* n = note(session);
    if (!n) return;
    if (n->duration() >= 4 && n->beamBack() != 0) return showError(session.ui, BeamedStemMessage);
    n->setStem(stem);
    if (stem == StemAuto) n->setStem(n->staffPosition() > 0 ? StemDown : StemUp);
    refreshGlyph(*n);
    showCurrentChange(session);
}

void editAccidental(EditSession& session, int value) {
    ScoreObject* a = ofKind(session, ObjectKind::Accidental);
    if (!a) return;
    a->setAccValue(value);
    a->setSymbolCode(accidentalSymbol(value));
    showCurrentChange(session);
}

void editAccidentalCycle(EditSession& session) {
    const ScoreObject* a = ofKind(session, ObjectKind::Accidental);
    if (!a) return;
    switch (a->accValue()) {
    case 0: return editAccidental(session, +1);
    case 1: return editAccidental(session, -1);
    case -1: return editAccidental(session, -2);
    case -2: return editAccidental(session, +2);
    default: return editAccidental(session, 0);
    }
}

// 0: a clef's or accidental's small flag, a note's or rest's head style.
void editSize(EditSession& session) {
    ScoreObject* o = currentObject(session);
    if (!o) return;
    if (o->is(ObjectKind::Clef)) {
        o->setClefSmall(!o->clefSmall());
        o->setSymbolCode(ClefGlyph(o->clefType(), o->clefSmall()));
    } else if (o->is(ObjectKind::Accidental)) {
        o->setAccSmall(!o->accSmall());
    } else if (o->is(ObjectKind::Note)) {
        if (!o->isRest() && (o->beamBack() != 0 || o->beamForward() != 0))
            return showError(session.ui, BeamedSizeMessage);
        o->setHeadStyle((o->headStyle() + 1) % (session.settings.options.FiveStyles ? 5 : 2));
        refreshGlyph(*o);
    } else {
        return;
    }
    showCurrentChange(session);
}

void editDots(EditSession& session) {
    ScoreObject* o = noteOrRest(session);
    if (!o) return;
    const int most = session.settings.options.TwoDot ? 3 : 1;
    o->setDots(o->dots() >= most ? 0 : o->dots() + 1);
    showCurrentChange(session);
}

template <typename Change> void noteChange(EditSession& session, Change change) {
    if (ScoreObject* n = note(session)) {
        change(*n);
        showCurrentChange(session);
    }
}

// The nearest earlier note (smaller x, not the current one) that `fits`.
template <typename Fits> int nearestEarlier(const Stave& s, int current, Fits fits) {
    const int x = s.object(current).x();
    int best = 0;
    for (int i = 1; i <= s.Nobjec && i < ObjectSlots; ++i) {
        const ScoreObject& o = s.object(i);
        if (i == current || !o.isNote() || o.x() >= x || !fits(o)) continue;
        if (best == 0 || o.x() > s.object(best).x()) best = i;
    }
    return best;
}

void editTie(EditSession& session, bool samePosition, bool overhand) {
    ScoreObject* n = note(session);
    if (!n) return;
    Stave& s = stave(session);
    const int current = session.editor.currentObject;
    if (n->tiedFrom() != 0) {
        if (validIndex(s, n->tiedFrom()) && s.object(n->tiedFrom()).is(ObjectKind::Note))
            s.object(n->tiedFrom()).setTiedTo(0);
        n->setTiedFrom(0);
        return showCurrentChange(session);
    }
    const int found = nearestEarlier(s, current, [&](const ScoreObject& o) {
        return samePosition ? o.staffPosition() == n->staffPosition() : o.stem() == n->stem();
    });
    if (found == 0) return;
    n->setTieOverhand(overhand);
    n->setTiedFrom(found);
    s.object(found).setTiedTo(current);
    showCurrentChange(session);
}

void editBarLine(EditSession& session) {
    ScoreObject* b = ofKind(session, ObjectKind::Barline);
    if (!b) return;
    b->setBarType(b->barType() >= 5 ? 0 : b->barType() + 1);
    b->setSymbolCode(BarlineGlyph(b->barType(), b->symbolCode()));
    showCurrentChange(session);
}

void arpeggioStep(EditSession& session, int step) {
    ScoreObject* a = ofKind(session, ObjectKind::Arpeggio);
    if (!a) return;
    a->setSegments(std::clamp(a->segments() + step, 1, 127));
    showCurrentChange(session);
}

void clefTypeKey(EditSession& session) {
    ScoreObject* c = ofKind(session, ObjectKind::Clef);
    if (!c) return;
    const int types = session.settings.options.CClef ? 4 : 2;
    c->setClefType((c->clefType() + 1) % types);
    c->setSymbolCode(ClefGlyph(c->clefType(), c->clefSmall()));
    showCurrentChange(session);
}

// +: the edit pointer steps 5 -> cross -> 6 -> 5.
void editPointer(EditSession& session) {
    const int now = session.settings.options.EditCursor;
    session.host.setEditPointer(now == 5 ? PointerCross : now == PointerCross ? 6 : 5);
}

void beamBack(EditSession& session, ScoreObject& n) {
    Stave& s = stave(session);
    if (n.beamBack() != 0) {
        if (validIndex(s, n.beamBack())) s.object(n.beamBack()).setBeamForward(0);
        n.setBeamBack(0);
        return showCurrentChange(session);
    }
    const int current = session.editor.currentObject;
    const int partner = nearestEarlier(s, current, [&](const ScoreObject& o) {
        return o.duration() >= 4 && o.stem() == n.stem() && o.beamForward() == 0 && o.headStyle() == n.headStyle();
    });
    if (partner == 0) return showError(session.ui, NoBeamPartnerMessage);
    n.setBeamBack(partner);
    s.object(partner).setBeamForward(current);
    showCurrentChange(session);
}

} // namespace

void setCurrentDuration(EditSession& session, int duration) {
    ScoreObject* o = noteOrRest(session);
    if (!o) return;
    o->setDuration(duration);
    if (o->isNote() && duration < 4) cutBeams(stave(session), *o);
    refreshGlyph(*o);
    showCurrentChange(session);
}

void editCharacter(EditSession& session, char32_t c) {
    switch (c) {
    case 'S': case 's': return editAccidental(session, +1);
    case 'X': case 'x': return editAccidental(session, +2);
    case 'N': case 'n': return editAccidental(session, 0);
    case 'V': case 'v': return editAccidental(session, -1);
    case 'W': case 'w': return editAccidental(session, -2);
    case '#': return editAccidentalCycle(session);
    case 'J': case 'j': return editStem(session, StemUp);
    case 'P': case 'p': return editStem(session, StemDown);
    case 'O': case 'o': return editStem(session, StemNone);
    case 'I': case 'i': return editStem(session, StemAuto);
    case '0': return editSize(session);
    case '.': return editDots(session);
    case '-': case '=': return noteChange(session, [](ScoreObject& n) { n.setAccent(!n.accent()); });
    case '\'': return noteChange(session, [](ScoreObject& n) { n.setStaccato((n.staccato() + 1) % 3); });
    case 'T': return editTie(session, true, true);
    case 't': return editTie(session, true, false);
    case 'U': return editTie(session, false, true);
    case 'u': return editTie(session, false, false);
    case '/': case '\\': case '|': return editBarLine(session);
    case '~': return arpeggioStep(session, +1);
    case 17: return clefTypeKey(session); // Ctrl+Q
    case '+': return editPointer(session);
    case '?': return ShowAttributes(session);
    default:
        if (c >= '1' && c <= '8') setCurrentDuration(session, static_cast<int>(c - '1'));
        return;
    }
}

void editLetter(EditSession& session, char letter) {
    ScoreObject* o = currentObject(session);
    if (!o) return;
    const Stave& s = stave(session);
    const int clef = clefInForceOrTreble(s, o->x());
    if (o->isNote()) {
        o->setStaffPosition(std::clamp(LetterPosition(clef, letter, o->staffPosition()), -127, 127));
        o->setY(s.Ycoord - 4 * o->staffPosition());
    } else if (o->is(ObjectKind::Accidental)) {
        o->setAccPosition(std::clamp(LetterPosition(clef, letter, o->accPosition()), -127, 127));
        o->setY(s.Ycoord - 4 * o->accPosition());
    } else {
        return;
    }
    showCurrentChange(session);
}

void editKeySignature(EditSession& session, int step) {
    ScoreObject* k = ofKind(session, ObjectKind::KeySignature);
    if (!k) return;
    int count = k->keyCount() + step;
    if (count > 7) count = -7;
    if (count < -7) count = 7;
    k->setKeyCount(count);
    showCurrentChange(session);
}

void editBackspace(EditSession& session) {
    ScoreObject* o = currentObject(session);
    if (!o) return;
    if (o->is(ObjectKind::Arpeggio)) return arpeggioStep(session, -1);
    if (o->isNote() && o->duration() >= 4) beamBack(session, *o);
}

void moveCurrentAcross(EditSession& session, int delta) {
    ScoreObject* o = currentObject(session);
    if (!o) return;
    o->setX(o->x() + delta);
    Editor& ed = session.editor;
    ed.mousePoint.x += delta;
    session.host.placePointer(ed.mousePoint.x, ed.mousePoint.y);
    showCurrentChange(session);
    session.host.scrollIntoView(o->x(), o->y());
}

void moveCurrentUpDown(EditSession& session, int direction, bool large) {
    ScoreObject* o = currentObject(session);
    if (!o) return;
    const int up = -direction; // Up raises the pitch
    if (o->isNote()) {
        o->setStaffPosition(std::clamp(o->staffPosition() + 7 * up, -127, 127));
        o->setY(o->y() - 28 * up);
    } else if (o->is(ObjectKind::Note)) {
        o->setStaffPosition(std::clamp(o->staffPosition() + 2 * up, -127, 127));
        o->setY(o->y() - 8 * up);
    } else if (o->is(ObjectKind::Accidental)) {
        o->setAccPosition(std::clamp(o->accPosition() + 7 * up, -127, 127));
        o->setY(o->y() - 28 * up);
    } else if (placedFreely(o->kind())) {
        const int step = (large ? 5 : 1) * direction;
        o->setY(o->y() + step);
        Editor& ed = session.editor;
        ed.mousePoint.y += step;
        session.host.placePointer(ed.mousePoint.x, ed.mousePoint.y);
    } else {
        return;
    }
    showCurrentChange(session);
}

} // namespace qv
