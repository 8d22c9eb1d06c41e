// Text mode: typing text at the last mouse point. Entering takes Ctrl+S, Ctrl+N and
// Ctrl+C from their menu items; leaving gives them back (also when the mode is left
// for the header/footer screen, so that the menus never lose their keys).

#include "edit/attributes/textattributes.h"
#include "edit/fontcommands.h"
#include "edit/modes/modeset.h"
#include "edit/textentry.h"
#include "model/ui.h"

namespace qv::modes {

namespace {

inline const char* const AbortTextQuestion = "Abort text mode? Your provisional text will be lost!\n\nAre you sure?";

// The characters typed as themselves in the buffer for the control keys that stand
// for signs inside text: flat, natural, sharp, copyright and the blank of width "d".
int specialCharacter(const KeyEvent& key) {
    switch (key.character) {
    case 2: return 141;  // Ctrl+B
    case 14: return 142; // Ctrl+N
    case 19: return 143; // Ctrl+S
    case 3: return 169;  // Ctrl+C
    case 9: return 30;   // Tab
    case ' ': return key.ctrl() ? 30 : ' ';
    default: return key.character >= 32 && key.character <= 255 ? static_cast<int>(key.character) : 0;
    }
}

DrawingState& drawing(EditSession& session) { return session.editor.drawing; }

// A new current font measures the typed text again.
void changeTextFont(EditSession& session, bool changed) {
    if (changed) retypeText(session, session.editor.drawing.textBuffer);
}

class TextMode : public PlacingMode {
  public:
    void enter(EditSession& session, int) override {
        Editor& ed = session.editor;
        ed.placingPoint = ed.mousePoint;
        session.host.setCursorMark(false);
        session.host.drawStave(ed.currentStave(), true);
        SetPlacementLimits(session, ed.currentStave());
        startText(session, heldPoint(ed.drawing, ed.mousePoint));
        showModePrompt(session, 554);
        session.host.setTextModeShortcuts(false);
    }

    void leave(EditSession& session, int next) override {
        endPlacing(session); // text not completed is lost
        if (next == ModeMusic) { // HeadFoot redraws its whole page itself
            if (session.settings.options.FastCPU) session.host.redrawPage();
            else session.host.drawStave(session.editor.currentStave(), false);
        }
        session.host.setTextModeShortcuts(true);
    }

    void keyPress(EditSession& session, const KeyEvent& key) override {
        if (!session.host.pointerInScoreArea()) return; // the text follows the pointer
        switch (key.character) {
        case 27: return; // Esc acts on its release
        case 8: return eraseLastCharacter(session);
        case 13: return key.ctrl() ? centreTextLine(session) : CompleteText(session, true);
        case 10: return newTextLine(session);
        case 1: return textAttributes(session); // Ctrl+A
        case 6: return changeTextFont(session, defineCurrentFont(drawing(session).currentFont,
                                                                   session.settings.defaultFont, session.ui));
        case 22: // Ctrl+V
            return changeTextFont(session, useFavouriteFont(drawing(session).currentFont, session.settings.favourites,
                                                            session.settings.Level, session.ui));
        default:
            if (const int c = specialCharacter(key)) typeCharacter(session, static_cast<unsigned char>(c));
        }
    }

    void mouseMove(EditSession& session, const MouseEvent& mouse) override {
        followPointer(session, heldPoint(session.editor.drawing, mouse.point));
    }

    void mouseRelease(EditSession& session, const MouseEvent& mouse) override {
        if (mouse.button == LeftButton || mouse.button == RightButton) CompleteText(session, true);
    }

    void moveHorizontally(EditSession& session, int delta) override {
        const MarkPoint caret = session.editor.drawing.caret;
        moveCaret(session, MarkPoint{caret.x + delta, caret.y});
    }

    void moveVertically(EditSession& session, int direction, bool large) override {
        const MarkPoint caret = session.editor.drawing.caret;
        moveCaret(session, heldPoint(session.editor.drawing, PagePoint{caret.x, caret.y + direction * (large ? 5 : 1)}));
    }

  protected:
    void escapeReleased(EditSession& session) override {
        const bool muchTyped = session.editor.drawing.textBuffer.size() >= 7 && session.settings.Level <= Standard;
        if (muchTyped && session.ui.message(MessageType::Confirmation, AbortTextQuestion, ButtonYes | ButtonNo) != ButtonYes)
            return;
        returnFromPlacing(session);
    }
};

} // namespace

EditMode& text() {
    static TextMode mode;
    return mode;
}

} // namespace qv::modes
