#pragma once
// The keys of Edit mode: what each does to the current object of the current stave.
// A key meant for another kind of object does nothing.

#include "edit/setmode.h"

namespace qv {

inline const char* const BeamedStemMessage = "Cannot change stem type when note is beamed.\n\nPlease unbeam first.";
inline const char* const BeamedSizeMessage = "Cannot change size of a beamed note\n\nPlease unbeam first.";

// The characters of Edit mode (digits, accidental letters, stems, dots, ties ...).
void editCharacter(EditSession& session, char32_t c);
// A..H (H is B): the note or accidental takes the letter's position in its clef.
void editLetter(EditSession& session, char letter);
// K (-1) and Shift+K (+1) on a key signature.
void editKeySignature(EditSession& session, int step);
// Backspace: an arpeggio loses a segment; a short note is beamed back or unbeamed.
void editBackspace(EditSession& session);
// Left and Right: the object moves across by delta, the pointer with it.
void moveCurrentAcross(EditSession& session, int delta);
// Up (-1) and Down (+1): an octave, two rest positions, or a free object's y.
void moveCurrentUpDown(EditSession& session, int direction, bool large);
// A duration code 0..7 for a note or rest; a note of crotchet or longer leaves its beam.
void setCurrentDuration(EditSession& session, int duration);

} // namespace qv
