#pragma once
// The "Text Attributes" dialog's model and the two ways it is opened: on one text
// (the text being typed in Text mode, or Edit mode's current text) and on the long
// texts of a marked block. Closing with OK writes the text back into its object,
// turning a short text that grew past 12 characters into a long one and reusing a
// long text's chunks.

#include "model/fonttable.h"

#include <cstdint>
#include <string>

namespace qv {

struct EditSession;
class Score;
class Ui;

inline const char* const MoreThanOneText = "More than one";
inline const char* const OnlyAttributesText = "selected. Only attributes can be changed.";
inline constexpr int MaxTextLength = 255;

// A check box of the dialog: ticked, clear, or grey (a block whose texts differ;
// OK leaves that bit alone).
enum class TriState { Clear, Ticked, Grey };

struct TextAttributes {
    std::string text;        // what the memo shows, at most MaxTextLength characters
    FontDesc font;           // the memo's font
    bool fontChosen = false; // the font dialog was accepted while the dialog was open
    bool several = false;    // a block of several texts: the memo is hidden, boxes may be grey
    TriState transposable = TriState::Clear;
    TriState immobile = TriState::Clear;
    TriState boxed = TriState::Clear;

    // Starts from a text's attribute bits (2 immobile, 4 transposable, 8 boxed).
    void setBits(int bits);
    // The bits of the three boxes alone; a grey box gives nothing.
    std::uint8_t bits() const;
    // `bits` with each box's bit set or cleared, a grey box's left as it was.
    std::uint8_t applyTo(int bits) const;
};

// Ctrl+A in Text mode and the attributes of Edit mode's current text: the dialog
// on that text; OK takes its text, font and boxes. Nothing happens for other kinds
// or modes.
void textAttributes(EditSession& session);

// The dialog on the long texts of the marked block. One text is edited whole; for
// several only the boxes and the font apply, to every marked long text. The staves
// are recorded for undo once the dialog is accepted, before anything changes.
void blockTextAttributes(EditSession& session);

// Writes the dialog's result into the short or long text at `index` of stave `s`
// (the font registered in the score's table). The chunks of a long text are reused
// and more appended while the stave has room; a text that does not fit is cut with
// "Stave too complex to store long string". Returns false when text was cut.
bool storeTextAttributes(Score& score, int s, int index, const TextAttributes& result, Ui& ui);

} // namespace qv
