#include "edit/modes/musicmode.h"

#include "edit/attributes/showattributes.h"
#include "edit/currentobject.h"
#include "edit/eventrouting.h"
#include "edit/musicentry.h"
#include "edit/navigation.h"
#include "edit/pickobject.h"
#include "edit/stavecommands.h"
#include "layout/tidystave.h"

#include <algorithm>
#include <cstdlib>

namespace qv::modes {

namespace {

bool musicStave(const EditSession& session) {
    const int s = session.editor.currentStave();
    return s >= 1 && s <= session.score.Nstaves;
}

// The stave whose handle (15 across and 16 up and down from the start of its middle
// line) holds p, on the current page, stave 0 included; -1 for none.
int staveHandleAt(const EditSession& session, PagePoint p) {
    const Score& score = session.score;
    for (int s = 0; s <= score.Nstaves; ++s) {
        const Stave& st = score.stave(s);
        if (st.PageNum != session.editor.currentPage()) continue;
        if (std::abs(p.x - st.LeftX) <= 15 && std::abs(p.y - st.Ycoord) <= 16) return s;
    }
    return -1;
}

// The stave nearest to y on the page becomes current, drawn in purple.
int chooseNearestStave(EditSession& session, int y) {
    const int s = nearestStave(session.score, session.editor.currentPage(), y);
    const int old = session.editor.currentStave();
    if (s >= 1 && s != old) {
        makeStaveCurrent(session, s);
        session.host.drawStave(old, false);
        session.host.drawStave(s, true);
        refreshTools(session);
    }
    return s;
}

// The characters of Music mode's key map (letters A..H and Z come as key codes).
void character(EditSession& session, char32_t c) {
    switch (c) {
    case 'J': case 'j': return stemKey(session, StemUp);
    case 'P': case 'p': return stemKey(session, StemDown);
    case 'O': case 'o': return stemKey(session, StemNone);
    case 'I': case 'i': return stemKey(session, StemAuto);
    case 'S': case 's': return accidentalKey(session, +1);
    case 'X': case 'x': return accidentalKey(session, +2);
    case 'N': case 'n': return accidentalKey(session, 0);
    case 'V': case 'v': return accidentalKey(session, -1);
    case 'W': case 'w': return accidentalKey(session, -2);
    case '#': return accidentalCycle(session);
    case '.': return dotKey(session);
    case '-': case '=': return accentKey(session);
    case '\'': return staccatoKey(session);
    case 'T': return tieKey(session, true, true);
    case 't': return tieKey(session, true, false);
    case 'U': return tieKey(session, false, true);
    case 'u': return tieKey(session, false, false);
    case '~': return arpeggioKey(session, +1);
    case '/': case '\\': case '|': return barLineKey(session);
    case 17: return clefKey(session); // Ctrl+Q
    case '"': return RequestMode(session, ModeText);
    case '\r': return CompleteProvisional(session, false);
    case ' ': return spaceKey(session);
    case '{': return bindingDialog(session);
    case '[': return quickBinding(session);
    case '?': return ShowAttributes(session); // or the stave's binding dialog
    default:
        if (c >= '1' && c <= '8') durationKey(session, static_cast<int>(c - '1'));
        return;
    }
}

} // namespace

void MusicMode::enter(EditSession& session, int) {
    Editor& ed = session.editor;
    ModeHost& host = session.host;
    host.promptsOff();
    ed.hintsShown = false;
    host.drawStave(ed.currentStave(), true);
    ed.pressPoint = PagePoint{};
    host.setProvisionalMark(false);
    session.score.provisional.clear(); // forgotten, not drawn
    if (musicStave(session)) StaveChanged(session.score, ed.currentStave());
    host.showDefaults(defaultsText(ed.defaultNote, session.settings.options.Language));
}

void MusicMode::keyPress(EditSession& session, const KeyEvent& key) {
    if (!musicStave(session)) return;
    character(session, key.character);
}

void MusicMode::keyRelease(EditSession& session, const KeyEvent& key) {
    if (!musicStave(session)) return;
    const int k = key.key;
    if (k == KeyEscape) return AbandonProvisional(session);
    if (key.plain() || key.modifiers == ModShift) {
        if (k >= 'A' && k <= 'H') return noteLetter(session, k == 'H' ? 'B' : static_cast<char>(k), key.shift());
        if (k == 'Z') return restKey(session, key.shift());
        if (k == 'K') return keySignatureKey(session, key.shift() ? +1 : -1);
        if (k == KeyTab) {
            CompleteProvisional(session, false);
            return cursorToStop(session, key.shift() ? -1 : +1);
        }
    }
    if (key.modifiers == ModCtrl) {
        if (k == 'U') return numeratorKey(session);
        if (k == 'D') return denominatorKey(session);
        if (k == KeyPageUp || k == KeyPageDown) return systemKey(session, k == KeyPageUp ? -1 : +1);
        if (k == KeyHome) return moveCursorTo(session, session.score.stave(session.editor.currentStave()).LeftX);
        if (k == KeyEnd)
            return moveCursorTo(session, musicAreaWidth(session.score.page, session.score.StvSiz) - 5);
    }
    if (!key.plain()) return;
    const Stave& st = session.score.stave(session.editor.currentStave());
    switch (k) {
    case '0': return headStyleKey(session);
    case KeyPageUp: return pageStaveKey(session, -1);
    case KeyPageDown: return pageStaveKey(session, +1);
    case KeyHome: return moveCursorTo(session, st.LeftX + 20);
    case KeyEnd: return moveCursorTo(session, st.RightX - 1);
    case KeyBackspace:
        if (!session.score.provisional.present) return cursorToStop(session, -1);
        if (session.score.provisional.object.is(ObjectKind::Arpeggio)) return arpeggioKey(session, -1);
        return beamKey(session);
    default:
        return;
    }
}

void MusicMode::moveHorizontally(EditSession& session, int delta) {
    if (!musicStave(session)) return;
    const Stave& st = session.score.stave(session.editor.currentStave());
    moveCursorTo(session, std::clamp(session.editor.cursorX + delta, int(st.LeftX), int(st.RightX)));
}

void MusicMode::moveVertically(EditSession& session, int direction, bool) {
    if (musicStave(session)) octaveKey(session, direction);
}

void MusicMode::mousePress(EditSession& session, const MouseEvent& mouse) {
    if (mouse.button == LeftButton) leftPress(session, mouse.point);
    else if (mouse.button == RightButton) rightPress(session, mouse);
}

void MusicMode::leftPress(EditSession& session, PagePoint p) {
    Score& score = session.score;
    Editor& ed = session.editor;
    session.host.setCursorMark(false);
    if (!score.provisional.present) {
        ed.pressPoint = p;
        const int handle = staveHandleAt(session, p);
        if (handle >= 1) {
            // The stave is recorded for undo when it is let go, and only if it moved,
            // so that one undo takes back one move.
            const int old = ed.currentStave();
            makeStaveCurrent(session, handle);
            if (old != handle) session.host.drawStave(old, false);
            session.host.drawStave(handle, true);
            ed.moveStart = p;
            ed.moveStartY = score.stave(handle).Ycoord;
            session.host.placePointer(score.stave(handle).LeftX, score.stave(handle).Ycoord);
            SetMode(session, ModeMovestave);
            return;
        }
    }
    if (score.provisional.present) {
        moveCursorTo(session, p.x);
        session.host.setCursorMark(false);
    } else {
        ed.cursorX = p.x;
        if (ed.mode == ModeMusic) chooseNearestStave(session, p.y);
        session.host.updateStatus();
    }
    startHoldTimer(session, ed.pressPoint, ed.currentStave());
}

void MusicMode::rightPress(EditSession& session, const MouseEvent& mouse) {
    Score& score = session.score;
    if (score.provisional.present) return ShowAttributes(session);
    if (session.editor.mode == ModeMusic) {
        const int s = chooseNearestStave(session, mouse.point.y);
        // Near the start of the stave its binding dialog opens.
        if (s >= 1 && std::abs(mouse.point.x - score.stave(s).LeftX) < 15) return bindingDialogFor(session, s);
    }
    if (!session.settings.options.Scrollbars) {
        session.editor.dragStart = mouse.screen;
        SetMode(session, ModeDragging);
    }
}

void MusicMode::mouseMove(EditSession& session, const MouseEvent& mouse) {
    if (!(mouse.buttons & LeftButton)) return;
    session.host.scrollIntoView(mouse.point.x, mouse.point.y);
    ProvisionalObject& prov = session.score.provisional;
    if (!prov.present) {
        // Block mode drags out its box from the press point.
        if (session.editor.mode == ModeMusic) SetMode(session, ModeDefblock);
        return;
    }
    session.host.setProvisionalMark(false);
    ScoreObject& o = prov.object;
    const bool free = placedFreely(o.kind());
    if (mouse.modifiers & ModShift) {
        // Only the larger of the two displacements since the last move.
        const PagePoint from = session.editor.previousMousePoint;
        const int dx = mouse.point.x - from.x, dy = mouse.point.y - from.y;
        if (std::abs(dx) >= std::abs(dy)) o.setX(o.x() + dx);
        else if (free) o.setY(o.y() + dy);
    } else {
        o.setX(mouse.point.x);
        if (free) o.setY(mouse.point.y);
    }
    session.editor.cursorX = o.x();
    session.host.setProvisionalMark(true);
}

void MusicMode::mouseRelease(EditSession& session, const MouseEvent& mouse) {
    if (session.editor.mode != ModeMusic || mouse.button != LeftButton) return;
    session.host.setCursorMark(false);
    if (session.score.provisional.present) moveCursorTo(session, mouse.point.x);
    else session.editor.cursorX = mouse.point.x;
    session.host.setCursorMark(true);
}

void MusicMode::doubleClick(EditSession& session, const MouseEvent&) {
    if (session.editor.mode == ModeMusic) CompleteProvisional(session, false);
}

void MusicMode::holdTimer(EditSession& session) {
    Editor& ed = session.editor;
    Score& score = session.score;
    if (ed.mode != ModeMusic || !score.provisional.present) return;
    const int s = ed.holdStave;
    if (s < 1 || s > score.Nstaves) return;
    const Pick pick = nearestObject(score.stave(s), ed.mousePoint.x, ed.mousePoint.y, false);
    if (pick.index == 0 || pick.distance > 25) return;
    // The provisional object is given up: Edit mode changes what is on the stave.
    AbandonProvisional(session);
    makeStaveCurrent(session, s);
    session.host.beep();
    // The object under the pointer, rather than the one nearest to the cursor.
    const PagePoint held = ed.mousePoint;
    SetMode(session, ModeEdit);
    PickObject(session, held.x, held.y, false);
}

EditMode& music() {
    static MusicMode mode;
    return mode;
}

} // namespace qv::modes
