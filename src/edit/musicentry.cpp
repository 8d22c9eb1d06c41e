#include "edit/musicentry.h"

#include "edit/navigation.h"
#include "layout/spacing.h"
#include "model/durations.h"
#include "model/staveops.h"
#include "model/ui.h"
#include "render/glyphcatalogue.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace qv {

namespace {

Stave& currentStave(EditSession& session) { return session.score.stave(session.editor.currentStave()); }
ProvisionalObject& provisional(EditSession& session) { return session.score.provisional; }
ScoreObject& object(EditSession& session) { return session.score.provisional.object; }
bool entering(const EditSession& session) {
    const int s = session.editor.currentStave();
    return s >= 1 && s <= session.score.Nstaves;
}

void hide(EditSession& session) { session.host.setProvisionalMark(false); }

// Shows the provisional object again after a change; its presence changes the tools.
void show(EditSession& session, bool presenceChanged = false) {
    session.host.setProvisionalMark(true);
    if (presenceChanged) refreshTools(session);
}

void present(EditSession& session) {
    const bool was = provisional(session).present;
    provisional(session).present = true;
    show(session, !was);
}

// The record of no provisional object: every byte zero but SymbolCode and kind.
void removeProvisional(EditSession& session) {
    provisional(session).clear();
    session.editor.lastPositionSaved = false;
    session.editor.defaultNote.setStemExtra(0);
    refreshTools(session);
}

bool provisionalIs(EditSession& session, ObjectKind kind) {
    return provisional(session).present && object(session).is(kind);
}
bool provisionalNote(EditSession& session) { return provisionalIs(session, ObjectKind::Note); }

int limitedPosition(int p) { return std::clamp(p, -127, 127); }

int noteSymbol(const ScoreObject& n) { return NoteGlyphTable(n.duration(), n.stem(), n.headStyle()); }

// A note takes its glyph and height from its duration, stem, style and position.
void placeNote(EditSession& session, ScoreObject& n) {
    n.setX(session.editor.cursorX);
    n.setY(currentStave(session).Ycoord - 4 * n.staffPosition());
    n.setSymbolCode(noteSymbol(n));
}

// A provisional note that stops being one lets go of the note it was tied to, so
// that no stored note keeps a tie to an object that never comes.
void dropTie(EditSession& session) {
    ScoreObject& o = object(session);
    if (!provisionalNote(session) || o.tiedFrom() == 0) return;
    Stave& s = currentStave(session);
    if (o.tiedFrom() < ObjectSlots) s.object(o.tiedFrom()).setTiedTo(0);
    o.setTiedFrom(0);
}

bool beamedBack(EditSession& session) {
    const ScoreObject& o = object(session);
    return provisionalNote(session) && !o.isRest() && o.duration() >= 4 && o.beamBack() != 0;
}

// Takes the provisional note's beam back link away; the caller has taken the
// provisional object off the screen.
void unlinkBeam(EditSession& session) {
    if (!beamedBack(session)) return;
    ScoreObject& o = object(session);
    if (o.beamBack() < ObjectSlots) currentStave(session).object(o.beamBack()).setBeamForward(0);
    o.setBeamBack(0);
    session.host.drawStave(session.editor.currentStave(), true);
}

// Before the provisional note becomes another kind (or goes): its beam and tie are
// let go. The caller has taken the provisional object off the screen.
void releaseLinks(EditSession& session) {
    unlinkBeam(session);
    dropTie(session);
}

// Makes the provisional object a fresh object of `kind` at the cursor on the stave.
ScoreObject& becomeFresh(EditSession& session, ObjectKind kind, int y) {
    releaseLinks(session);
    object(session) = makeObject(kind, session.editor.cursorX, y);
    return object(session);
}

void showDefaults(EditSession& session) {
    session.host.showDefaults(defaultsText(session.editor.defaultNote, session.settings.options.Language));
}

int maxDots(const EditSession& session) { return session.settings.options.TwoDot ? 3 : 1; }
int styleCount(const EditSession& session) { return session.settings.options.FiveStyles ? 5 : 2; }

// The first stave of the system of stave s.
int systemStart(const Score& score, int s) {
    while (s > 1 && score.stave(s - 1).joinToNext) --s;
    return s;
}

// The nearest earlier note (smaller x than the cursor) for which `fits` holds; the
// first found among equals. 0 for none.
template <typename Fits> int nearestEarlierNote(const Stave& s, int cursorX, Fits fits) {
    int best = 0;
    for (int i = 1; i <= s.Nobjec; ++i) {
        const ScoreObject& o = s.object(i);
        if (!o.isNote() || o.x() >= cursorX || !fits(o)) continue;
        if (best == 0 || o.x() > s.object(best).x()) best = i;
    }
    return best;
}

} // namespace

int LetterPosition(int clefType, char letter, int previous) {
    static constexpr std::array<int, 4> Offsets{-1, 4, -2, 0}; // treble, bass, alto, tenor
    int p = (letter - 'A') + Offsets[static_cast<std::size_t>(std::clamp(clefType, 0, 3))];
    if (p >= previous) {
        while (std::abs(p - previous) >= 4) p -= 7;
    } else {
        while (std::abs(p - previous) >= 4) p += 7;
    }
    return p;
}

int shorterDuration(int code) { return code >= 7 ? 0 : code + 1; }
int longerDuration(int code) { return code <= 0 ? 7 : code - 1; }

int spaceStep(int spacing) {
    static constexpr std::array<int, 5> Steps{12, 18, 27, 40, 60};
    return Steps[static_cast<std::size_t>(std::clamp(spacing, 1, 5) - 1)];
}

std::string defaultsText(const ScoreObject& n, int language) {
    static const char* const Stems[] = {"Stem up", "Stem down", "No stem", "Automatic stem"};
    static const char* const Styles[] = {"Normal size", "Small size", "Style 3", "Style 4", "X-headed"};
    return std::string(durationName(n.duration(), language)) + " " + Stems[std::clamp(n.stem(), 0, 3)] + " " +
           Styles[std::clamp(n.headStyle(), 0, 4)];
}

void durationKey(EditSession& session, int duration) {
    session.editor.defaultNote.setDuration(duration);
    showDefaults(session);
    if (!provisionalNote(session)) return;
    hide(session);
    object(session).setDuration(duration);
    object(session).setSymbolCode(object(session).isRest() ? SymbolSelf : noteSymbol(object(session)));
    show(session);
}

void stemKey(EditSession& session, int stem) {
    if (provisional(session).present && !provisionalNote(session)) return;
    session.editor.defaultNote.setStem(stem);
    showDefaults(session);
    if (!provisionalNote(session) || object(session).isRest()) return;
    hide(session);
    object(session).setStem(stem);
    object(session).setSymbolCode(noteSymbol(object(session)));
    show(session);
}

void noteLetter(EditSession& session, char letter, bool longer) {
    if (!entering(session)) return;
    Editor& ed = session.editor;
    Stave& s = currentStave(session);
    hide(session);
    const int clef = clefInForceOrTreble(s, ed.cursorX);
    ScoreObject& o = object(session);
    if (!ed.lastPositionSaved) {
        ed.lastPositionBefore = s.lastPosition;
        ed.lastPositionSaved = true;
    }
    if (!provisionalNote(session)) {
        // A fresh note: nothing of the object it replaces is carried over.
        releaseLinks(session);
        o = makeObject(ObjectKind::Note);
        o.setDuration(longer ? longerDuration(ed.defaultNote.duration()) : ed.defaultNote.duration());
        o.setHeadStyle(ed.defaultNote.headStyle());
        o.setStem(ed.defaultNote.stem());
        o.setStaffPosition(limitedPosition(LetterPosition(clef, letter, s.lastPosition)));
    } else {
        const int p = limitedPosition(LetterPosition(clef, letter, o.staffPosition()));
        if (p != ed.defaultNote.staffPosition() || o.isRest()) o.setStaffPosition(p);
        else o.setDuration(longer ? longerDuration(o.duration()) : shorterDuration(o.duration()));
        o.setRest(false);
    }
    placeNote(session, o);
    ed.defaultNote.setStaffPosition(o.staffPosition());
    s.lastPosition = static_cast<std::int8_t>(o.staffPosition());
    present(session);
}

void restKey(EditSession& session, bool longer) {
    if (!entering(session)) return;
    hide(session);
    ScoreObject& o = object(session);
    if (provisionalNote(session) && o.isRest()) {
        o.setDuration(longer ? longerDuration(o.duration()) : shorterDuration(o.duration()));
    } else {
        becomeFresh(session, ObjectKind::Note, 0);
        o.setDuration(session.editor.defaultNote.duration());
    }
    o.setRest(true);
    o.setX(session.editor.cursorX);
    o.setY(currentStave(session).Ycoord);
    o.setSymbolCode(SymbolSelf);
    present(session);
}

int accidentalSymbol(int value) {
    static constexpr std::array<int, 5> Symbols{45, 44, 48, 46, 47}; // -2 .. +2
    return Symbols[static_cast<std::size_t>(std::clamp(value, -2, 2) + 2)];
}

void accidentalKey(EditSession& session, int value) {
    const bool wasAccidental = provisionalIs(session, ObjectKind::Accidental);
    if (!provisionalNote(session) && !wasAccidental) return;
    hide(session);
    ScoreObject& o = object(session);
    const int position = wasAccidental ? o.accPosition() : o.staffPosition();
    const bool small = wasAccidental && o.accSmall();
    const int x = o.x(), y = o.y();
    becomeFresh(session, ObjectKind::Accidental, y);
    o.setX(x);
    o.setAccPosition(position);
    o.setAccValue(value);
    o.setAccSmall(small);
    o.setSymbolCode(accidentalSymbol(value));
    present(session);
}

void accidentalCycle(EditSession& session) {
    if (provisionalNote(session)) return accidentalKey(session, +1);
    if (!provisionalIs(session, ObjectKind::Accidental)) return;
    const int value = object(session).accValue();
    accidentalKey(session, value == -1 ? 0 : value == +1 ? -1 : +1);
}

void dotKey(EditSession& session) {
    if (!provisionalNote(session)) return;
    hide(session);
    ScoreObject& o = object(session);
    o.setDots(o.dots() >= maxDots(session) ? 0 : o.dots() + 1);
    show(session);
}

void accentKey(EditSession& session) {
    if (!provisionalNote(session)) return;
    hide(session);
    object(session).setAccent(!object(session).accent());
    show(session);
}

void staccatoKey(EditSession& session) {
    if (!provisionalNote(session)) return;
    hide(session);
    object(session).setStaccato((object(session).staccato() + 1) % 3);
    show(session);
}

void tieKey(EditSession& session, bool samePosition, bool overhand) {
    if (!provisionalNote(session) || object(session).isRest()) return;
    ScoreObject& o = object(session);
    Stave& s = currentStave(session);
    const int stem = effectiveStem(o);
    const int found = nearestEarlierNote(s, session.editor.cursorX, [&](const ScoreObject& n) {
        return samePosition ? n.staffPosition() == o.staffPosition() : n.stem() == stem;
    });
    if (found == 0) return;
    hide(session);
    if (o.tiedFrom() != 0) {
        dropTie(session);
    } else {
        o.setTieOverhand(overhand);
        o.setTiedFrom(found);
        s.object(found).setTiedTo(s.Nobjec + 1);
        // The slot the note will take holds its place, so that the tie can be drawn to it.
        if (s.Nobjec < MaxObjects) {
            s.object(s.Nobjec + 1).setX(o.x());
            s.object(s.Nobjec + 1).setY(o.y());
        }
    }
    show(session);
}

void arpeggioKey(EditSession& session, int step) {
    if (!entering(session)) return;
    hide(session);
    ScoreObject& o = object(session);
    if (provisionalIs(session, ObjectKind::Arpeggio)) {
        o.setSegments(std::clamp(o.segments() + step, 0, 127));
    } else {
        becomeFresh(session, ObjectKind::Arpeggio, 0);
        o.setSegments(1);
    }
    o.setX(session.editor.cursorX);
    o.setY(currentStave(session).Ycoord + 8);
    o.setSymbolCode(SymbolSelf);
    if (o.segments() == 0) return removeProvisional(session);
    present(session);
}

void barLineKey(EditSession& session) {
    if (!entering(session)) return;
    hide(session);
    ScoreObject& o = object(session);
    if (provisionalIs(session, ObjectKind::Barline)) o.setBarType(o.barType() >= 5 ? 0 : o.barType() + 1);
    else becomeFresh(session, ObjectKind::Barline, 0);
    o.setU8(7, 0);
    o.setX(session.editor.cursorX);
    o.setY(session.score.stave(systemStart(session.score, session.editor.currentStave())).Ycoord);
    o.setSymbolCode(BarlineGlyph(o.barType(), o.symbolCode()));
    present(session);
}

void clefKey(EditSession& session) {
    if (!entering(session)) return;
    hide(session);
    ScoreObject& o = object(session);
    const int last = session.settings.options.CClef ? 3 : 1;
    if (provisionalIs(session, ObjectKind::Clef)) {
        o.setClefType(o.clefType() >= last ? 0 : o.clefType() + 1);
    } else {
        const bool clefBefore = clefInForce(currentStave(session), session.editor.cursorX) != NoClef;
        becomeFresh(session, ObjectKind::Clef, 0);
        o.setClefSmall(clefBefore);
    }
    o.setX(session.editor.cursorX);
    o.setY(currentStave(session).Ycoord);
    o.setSymbolCode(ClefGlyph(o.clefType(), o.clefSmall()));
    present(session);
}

void keySignatureKey(EditSession& session, int step) {
    if (!entering(session)) return;
    hide(session);
    ScoreObject& o = object(session);
    if (provisionalIs(session, ObjectKind::KeySignature)) {
        int count = o.keyCount() + step;
        if (count == 8) count = -7;
        if (count == -8) count = 7;
        o.setKeyCount(count);
    } else {
        becomeFresh(session, ObjectKind::KeySignature, 0);
        o.setKeyCount(step);
    }
    o.setX(session.editor.cursorX);
    o.setY(currentStave(session).Ycoord);
    o.setSymbolCode(SymbolSelf);
    present(session);
}

void timeSignatureKey(EditSession& session) {
    if (!entering(session)) return;
    hide(session);
    ScoreObject& o = object(session);
    if (provisionalIs(session, ObjectKind::TimeSignature)) o.setTimeType(o.timeType() >= 14 ? 0 : o.timeType() + 1);
    else becomeFresh(session, ObjectKind::TimeSignature, 0);
    static constexpr std::array<int, 3> Symbols{19, 20, 9};
    o.setSymbolCode(o.timeType() < 3 ? Symbols[static_cast<std::size_t>(o.timeType())] : SymbolSelf);
    o.setX(session.editor.cursorX);
    o.setY(currentStave(session).Ycoord);
    present(session);
}

void numeratorKey(EditSession& session) {
    if (!entering(session)) return;
    hide(session);
    ScoreObject& o = object(session);
    // The digits 0..9 are glyphs 8..17; any other glyph starts again at 0 rather
    // than walking on into glyphs that are not digits.
    if (provisionalIs(session, ObjectKind::Glyph)) {
        o.setSymbolCode(o.symbolCode() >= 8 && o.symbolCode() < 17 ? o.symbolCode() + 1 : 8);
    } else {
        becomeFresh(session, ObjectKind::Glyph, 0);
        o.setSymbolCode(12);
    }
    o.setX(session.editor.cursorX);
    o.setY(currentStave(session).Ycoord);
    present(session);
}

void denominatorKey(EditSession& session) {
    if (!entering(session)) return;
    hide(session);
    ScoreObject& o = object(session);
    if (provisionalIs(session, ObjectKind::Glyph)) {
        switch (o.symbolCode()) { // 1, 2, 4, 8, 16
        case 9: o.setSymbolCode(10); break;
        case 10: o.setSymbolCode(12); break;
        case 12: o.setSymbolCode(16); break;
        case 16: o.setSymbolCode(18); break;
        case 18: o.setSymbolCode(9); break;
        default: break;
        }
    } else {
        becomeFresh(session, ObjectKind::Glyph, 0);
        o.setSymbolCode(12);
    }
    o.setX(session.editor.cursorX);
    o.setY(currentStave(session).Ycoord + 16);
    present(session);
}

void headStyleKey(EditSession& session) {
    Editor& ed = session.editor;
    if (!provisional(session).present) {
        ed.defaultNote.setHeadStyle((ed.defaultNote.headStyle() + 1) % styleCount(session));
        return showDefaults(session);
    }
    ScoreObject& o = object(session);
    if (o.is(ObjectKind::Note) && o.beamBack() != 0) return showError(session.ui, BeamedStyleMessage);
    hide(session);
    if (o.is(ObjectKind::Clef)) {
        o.setClefSmall(!o.clefSmall());
        o.setSymbolCode(ClefGlyph(o.clefType(), o.clefSmall()));
    } else if (o.is(ObjectKind::Accidental)) {
        o.setAccSmall(!o.accSmall());
    } else if (o.is(ObjectKind::Note)) {
        o.setHeadStyle((o.headStyle() + 1) % styleCount(session));
        if (!o.isRest()) o.setSymbolCode(noteSymbol(o));
        ed.defaultNote.setHeadStyle(o.headStyle());
        showDefaults(session);
    }
    show(session);
}

void beamKey(EditSession& session) {
    ScoreObject& o = object(session);
    if (!provisionalNote(session) || o.isRest() || o.duration() < 4) return;
    if (o.beamBack() != 0) return UnbeamProvisional(session);
    Stave& s = currentStave(session);
    const int stem = effectiveStem(o);
    const int partner = nearestEarlierNote(s, session.editor.cursorX, [&](const ScoreObject& n) {
        return n.duration() >= 4 && n.stem() == stem && n.beamForward() == 0 && n.headStyle() == o.headStyle();
    });
    if (partner == 0) return showError(session.ui, NoBeamPartnerMessage);
    hide(session);
    o.setBeamBack(partner);
    s.object(partner).setBeamForward(s.Nobjec + 1);
    session.host.drawStave(session.editor.currentStave(), true);
    show(session);
}

void UnbeamProvisional(EditSession& session) {
    if (!beamedBack(session)) return;
    hide(session);
    unlinkBeam(session);
    show(session);
}

void octaveKey(EditSession& session, int direction) {
    if (!provisional(session).present) return ChangeStave(session, direction);
    ScoreObject& o = object(session);
    const int step = direction < 0 ? +7 : -7; // Up raises the pitch
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    if (o.isNote() && o.stem() == StemAuto && sign(o.staffPosition()) != sign(o.staffPosition() + step))
        UnbeamProvisional(session);
    hide(session);
    if (o.is(ObjectKind::Note)) {
        const int moved = o.isRest() ? 2 * sign(step) : step;
        const int to = limitedPosition(o.staffPosition() + moved);
        o.setY(o.y() - 4 * (to - o.staffPosition()));
        o.setStaffPosition(to);
        session.editor.defaultNote.setStaffPosition(to);
    } else if (o.is(ObjectKind::Accidental)) {
        const int to = limitedPosition(o.accPosition() + step);
        o.setY(o.y() - 4 * (to - o.accPosition()));
        o.setAccPosition(to);
    } else if (o.is(ObjectKind::Arpeggio)) {
        o.setY(o.y() - step);
    }
    show(session);
}

void ChangeStave(EditSession& session, int step) {
    Editor& ed = session.editor;
    const Score& score = session.score;
    const int target = ed.currentStave() + step;
    const int page = ed.currentPage();
    if (target < 1 || target > score.Nstaves || score.stave(target).PageNum != page) return;
    UnbeamProvisional(session);
    session.host.setCursorMark(false);
    CompleteProvisional(session, false);
    const int old = ed.currentStave();
    makeStaveCurrent(session, target);
    session.host.drawStave(old, false);
    session.host.drawStave(target, true);
    session.host.setCursorMark(true);
    refreshTools(session);
}

void pageStaveKey(EditSession& session, int direction) {
    const Score& score = session.score;
    const int target = session.editor.currentStave() + direction;
    if (target < 1 || target > score.Nstaves || score.stave(target).PageNum != session.editor.currentPage())
        return CompleteProvisional(session, false);
    ChangeStave(session, direction);
}

void systemKey(EditSession& session, int direction) {
    Editor& ed = session.editor;
    const Score& score = session.score;
    const int s = ed.currentStave();
    if (s < 1 || s > score.Nstaves) return;
    const int first = systemStart(score, s);
    int last = s;
    while (last < score.Nstaves && score.stave(last).joinToNext) ++last;
    const int page = ed.currentPage();
    if (direction > 0 && (last >= score.Nstaves || score.stave(last + 1).PageNum != page)) return;
    if (direction < 0 && (first <= 1 || score.stave(first - 1).PageNum != page)) return;
    UnbeamProvisional(session);
    session.host.setCursorMark(false);
    hide(session);
    int t = s;
    for (int guard = 0; guard <= score.Nstaves; ++guard) {
        t += direction;
        if (t > score.Nstaves) t = 1;
        if (t < 1) t = score.Nstaves;
        if (t == 1 || !score.stave(t - 1).joinToNext) break;
    }
    makeStaveCurrent(session, t);
    session.host.drawStave(s, false);
    session.host.drawStave(t, true);
    if (provisional(session).present) show(session);
    session.host.setCursorMark(true);
    session.host.scrollIntoView(ed.cursorX, score.stave(t).Ycoord);
    refreshTools(session);
}

void moveCursorTo(EditSession& session, int x) {
    Editor& ed = session.editor;
    session.host.setCursorMark(false);
    if (provisional(session).present) {
        hide(session);
        object(session).setX(x);
        show(session);
    }
    ed.cursorX = x;
    session.host.setCursorMark(true);
}

void cursorToStop(EditSession& session, int direction) {
    const Editor& ed = session.editor;
    const Score& score = session.score;
    const int s = ed.currentStave();
    if (s < 1 || s > score.Nstaves) return;
    const int from = systemStart(score, s);
    int to = s;
    while (to < score.Nstaves && score.stave(to).joinToNext) ++to;
    bool found = false;
    int best = 0;
    for (int t = from; t <= to; ++t) {
        const Stave& st = score.stave(t);
        for (int i = 1; i <= st.Nobjec; ++i) {
            const ScoreObject& o = st.object(i);
            if (!o.is(ObjectKind::Clef) && !o.is(ObjectKind::Note)) continue;
            const int x = o.x();
            if (direction > 0 ? x <= ed.cursorX : x >= ed.cursorX) continue;
            if (!found || (direction > 0 ? x < best : x > best)) best = x;
            found = true;
        }
    }
    if (found) moveCursorTo(session, best);
}

void spaceKey(EditSession& session) {
    if (provisional(session).present) return CompleteProvisional(session, true);
    if (!entering(session)) return;
    const Stave& s = currentStave(session);
    const int room = std::max(0, s.RightX - session.editor.cursorX);
    moveCursorTo(session, session.editor.cursorX + std::min(spaceStep(session.score.Spacing), room));
}

void CompleteProvisional(EditSession& session, bool spaceOn) {
    if (!provisional(session).present || !entering(session)) return;
    Editor& ed = session.editor;
    Score& score = session.score;
    ScoreObject o = object(session);
    // A bar line goes on the first stave of its system; the stave it goes on is the
    // one recorded for undo.
    const int target = o.is(ObjectKind::Barline) ? systemStart(score, ed.currentStave()) : ed.currentStave();
    if (score.stave(target).Nobjec >= MaxObjects) {
        // The object stays provisional: the user may still abandon it, nothing is lost.
        return showError(session.ui, StaveFullMessage);
    }
    hide(session);
    if (o.isNote() && o.stem() == StemAuto) {
        o.setStem(o.staffPosition() > 0 ? StemDown : StemUp);
        o.setSymbolCode(noteSymbol(o));
    }
    addObject(score, target, o, session.ui); // records the stave, tidies and measures it
    session.host.setCursorMark(false);
    if (o.is(ObjectKind::Barline)) {
        // The bar line runs down through the system.
        int last = target;
        while (last < score.Nstaves && score.stave(last).joinToNext) ++last;
        session.host.redrawStaves(target, last);
    } else {
        session.host.drawStave(target, true);
    }
    if (spaceOn && o.is(ObjectKind::Accidental)) {
        // The note follows its accidental, far enough right that the sign stands
        // clear before the head (our accidental glyphs start where they are drawn).
        ScoreObject note = ed.defaultNote;
        note.setKind(ObjectKind::Note);
        note.setStaffPosition(o.accPosition());
        ed.cursorX = o.x() + AccidentalToNote;
        note.setX(ed.cursorX);
        note.setY(currentStave(session).Ycoord - 4 * note.staffPosition());
        note.setSymbolCode(note.isRest() ? SymbolSelf : noteSymbol(note));
        object(session) = note;
        session.host.setCursorMark(true);
        show(session, true);
        return;
    }
    if (spaceOn) ed.cursorX = cursorAfterEntry(score, ed.currentStave(), ed.cursorX, o);
    removeProvisional(session);
    session.host.setCursorMark(true);
    score.modified = true;
}

void AbandonProvisional(EditSession& session) {
    if (!provisional(session).present) return;
    hide(session);
    releaseLinks(session);
    // The stave is left as it was: its last position, and the slot after its last
    // object that the provisional note was drawn from.
    Stave& s = currentStave(session);
    if (session.editor.lastPositionSaved) s.lastPosition = static_cast<std::int8_t>(session.editor.lastPositionBefore);
    if (s.Nobjec + 1 < ObjectSlots) s.object(s.Nobjec + 1) = ScoreObject{};
    removeProvisional(session);
}

} // namespace qv
