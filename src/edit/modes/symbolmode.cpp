// Symbol mode: a symbol chosen from the palette follows the pointer and is placed
// with a click or Enter; space and Backspace add and remove repetitions.

#include "edit/modes/modeset.h"
#include "edit/symbolpalette.h"
#include "model/ui.h"
#include "render/glyphstore.h"

namespace qv::modes {

namespace {

inline const char* const NoteSymbolWarning =
    "A note placed as a symbol is only a picture: transposing will not recognise it.\n\n"
    "Notes are entered with the letter keys A to G in Music mode.";
inline const char* const AccidentalSymbolWarning =
    "An accidental placed as a symbol is only a picture: transposing will not recognise it.\n\n"
    "Accidentals are given to notes with the keys of Music mode.";
constexpr int NotShownYet = -32768; // the symbol's x until the pointer first moves
constexpr int TrillWave = 180;

bool between(int code, int low, int high) { return code >= low && code <= high; }

bool isNoteGlyph(int code) {
    return between(code, 21, 35) || between(code, 57, 64) || between(code, 79, 114) || between(code, 117, 120) ||
           code == 156;
}

bool isAccidentalGlyph(int code) { return between(code, 44, 48) || between(code, 121, 123); }

int symbolPrompt(int code) {
    if (code == TrillWave) return 558;
    if (code == 36 || code == 70 || code == 137 || code == 147) return 556;
    return 562;
}

ScoreObject& provisionalSymbol(EditSession& session) { return session.score.provisional.object; }
bool shown(EditSession& session) { return provisionalSymbol(session).x() != NotShownYet; }

// The symbol is erased, changed and drawn again.
template <typename Change>
void redrawSymbol(EditSession& session, Change change) {
    const bool wasShown = shown(session);
    if (wasShown) session.host.setProvisionalMark(false);
    change(provisionalSymbol(session));
    if (wasShown || shown(session)) session.host.setProvisionalMark(true);
}

// Where the pointer puts the symbol: held near the stave, on its middle line with Shift.
MarkPoint symbolPoint(EditSession& session, const MouseEvent& mouse) {
    MarkPoint p = heldPoint(session.editor.drawing, mouse.point);
    if (mouse.modifiers & ModShift) p.y = session.score.stave(session.editor.currentStave()).Ycoord;
    return p;
}

void LeaveSymbolMode(EditSession& session) { SetMode(session, ModeMusic); }

// A copy of the symbol stored at (x, y); it stays under the pointer for more copies.
void PlaceSymbol(EditSession& session, MarkPoint at) {
    Editor& ed = session.editor;
    session.host.setProvisionalMark(false);
    ScoreObject placed = provisionalSymbol(session);
    placed.setX(at.x);
    placed.setY(at.y);
    if (!addObject(session.score, ed.currentStave(), placed, session.ui)) return LeaveSymbolMode(session);
    session.host.drawStave(ed.currentStave(), true);
    provisionalSymbol(session) = placed;
    session.host.setProvisionalMark(true);
}

void placeAndMaybeLeave(EditSession& session, MarkPoint at) {
    PlaceSymbol(session, at);
    if (session.editor.mode == ModeSymbol && !session.editor.drawing.manySymbols) LeaveSymbolMode(session);
}

// The palette's choice, with a word of warning to the less advanced about glyphs
// that look like music but are not read as music.
bool chooseSymbol(EditSession& session, int& code) {
    SymbolPalette palette;
    if (!session.ui.runSymbolPalette(palette) || palette.chosen == 0) return false;
    code = palette.chosen;
    session.editor.drawing.manySymbols = palette.manySymbols;
    if (session.settings.Level <= Standard) {
        if (isNoteGlyph(code)) showWarning(session.ui, NoteSymbolWarning);
        else if (isAccidentalGlyph(code)) showWarning(session.ui, AccidentalSymbolWarning);
    }
    return true;
}

class SymbolMode : public PlacingMode {
  public:
    void enter(EditSession& session, int) override {
        Editor& ed = session.editor;
        ed.placingPoint = ed.mousePoint;
        session.host.setCursorMark(false);
        session.host.drawStave(ed.currentStave(), true);
        int code = 0;
        if (!chooseSymbol(session, code)) return LeaveSymbolMode(session);
        SetPlacementLimits(session, ed.currentStave());
        showModePrompt(session, symbolPrompt(code));
        ScoreObject s = makeObject(ObjectKind::Symbol, NotShownYet, NotShownYet);
        s.setSymbolCode(code);
        s.setStepDx(GlyphStore::builtIn().glyph(code, false).width());
        session.score.provisional = ProvisionalObject{true, s};
        ed.drawing.current = heldPoint(ed.drawing, ed.mousePoint);
    }

    void leave(EditSession& session, int next) override {
        endPlacing(session); // the symbol and the tether go
        if (!backToMusic(next)) return; // Music itself switches the prompts off
        session.host.setCursorMark(true);
        session.host.drawStave(session.editor.currentStave(), false);
    }

    void mouseMove(EditSession& session, const MouseEvent& mouse) override {
        const MarkPoint p = symbolPoint(session, mouse);
        DrawTether(session, p);
        session.host.scrollIntoView(mouse.point.x, mouse.point.y);
        redrawSymbol(session, [p](ScoreObject& s) {
            s.setX(p.x);
            s.setY(p.y);
        });
        session.editor.drawing.current = p;
    }

    void mouseRelease(EditSession& session, const MouseEvent& mouse) override {
        if (mouse.button == LeftButton) placeAndMaybeLeave(session, symbolPoint(session, mouse));
        else if (mouse.button == RightButton) LeaveSymbolMode(session);
    }

    void keyPress(EditSession& session, const KeyEvent& key) override {
        const int repeats = provisionalSymbol(session).repeats();
        switch (key.character) {
        case ' ':
            if (repeats < 255) redrawSymbol(session, [](ScoreObject& s) { s.setRepeats(s.repeats() + 1); });
            break;
        case 8:
            if (repeats > 0) redrawSymbol(session, [](ScoreObject& s) { s.setRepeats(s.repeats() - 1); });
            break;
        case 13: // before the pointer has moved the symbol goes to the last mouse point
            placeAndMaybeLeave(session, session.editor.drawing.current);
            break;
        case 27:
            LeaveSymbolMode(session);
            break;
        default:
            break;
        }
    }
};

} // namespace

EditMode& symbol() {
    static SymbolMode mode;
    return mode;
}

} // namespace qv::modes
