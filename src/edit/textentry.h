#pragma once
// Text mode's typing: the buffer, its width in the current font, the caret where it
// ends, and completing it into long texts on the current stave.

#include "edit/setmode.h"

#include <string>

namespace qv {

// The font new text takes: the one chosen in Text mode, else the settings' default.
FontDesc textFont(const EditSession& session);
// The width of text as it stands on the screen page; the accidentals inside text
// and character 30 count as wide as "d".
int textWidthOf(const FontDesc& font, const std::string& text);

// Starts an empty buffer at p, the caret there.
void startText(EditSession& session, MarkPoint p);
// The caret (and the text ending at it) moves to p, and the mouse pointer with it.
void moveCaret(EditSession& session, MarkPoint p);
// The caret goes to p without moving the pointer (the pointer took it there).
void followPointer(EditSession& session, MarkPoint p);
// A character (32..255, or one of the specials) appended; a space does not begin a text.
void typeCharacter(EditSession& session, unsigned char c);
void eraseLastCharacter(EditSession& session);
// The buffer replaced (by the text attributes dialog) and measured again in the
// current font; the text keeps its start and the caret moves to its new end.
void retypeText(EditSession& session, const std::string& text);
// The caret goes where the text ends when the line is centred across the page.
void centreTextLine(EditSession& session);
// The text completed, and a new line begun under it.
void newTextLine(EditSession& session);

// Stores the typed text on the current stave, one long text per word, each at the
// x where its first letter stood; `leave` returns to Music afterwards.
void CompleteText(EditSession& session, bool leave);

} // namespace qv
