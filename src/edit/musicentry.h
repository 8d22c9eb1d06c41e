#pragma once
// Music entry: the provisional object that each key of Music mode builds or changes
// at the entry cursor, completing it onto the stave or abandoning it, the naming of
// notes by letter, beams and ties made while entering, octave and stave moves, and
// the cursor's stops. The provisional object is shown by exclusive-or, so every
// change takes it off the screen first and puts it back after.

#include "edit/setmode.h"

#include <string>

namespace qv {

inline const char* const StaveFullMessage = "Too many objects on top stave to put a bar line in.";
inline const char* const BeamedStyleMessage = "You cannot change the type of a beamed note.\n\nPlease unbeam first.";
inline const char* const NoBeamPartnerMessage =
    "You have tried to beam a note back to a previous note.\n\n"
    "There is no previous note with the same stem and size available.";

// How far right of its accidental a note entered after it stands.
inline constexpr int AccidentalToNote = 8;

// The staff position of letter 'A'..'G' in the clef nearest to `previous` (at most
// three steps away).
int LetterPosition(int clefType, char letter, int previous);

// Duration steps: shorter is code + 1 (7 wraps to 0), longer code - 1 (0 wraps to 7).
int shorterDuration(int code);
int longerDuration(int code);

// The glyph of an accidental of value -2 (double flat) .. +2 (double sharp).
int accidentalSymbol(int value);

// The space step of a spacing grade 1..5: 12, 18, 27, 40 or 60 page units.
int spaceStep(int spacing);

// The defaults panel: the default duration's name, the stem name and the style name.
std::string defaultsText(const ScoreObject& defaultNote, int language);

void durationKey(EditSession& session, int duration); // digits 1..8
void stemKey(EditSession& session, int stem);         // J, P, O, I
void noteLetter(EditSession& session, char letter, bool longer);
void restKey(EditSession& session, bool longer);
void accidentalKey(EditSession& session, int value); // S X N V W: +1 +2 0 -1 -2
void accidentalCycle(EditSession& session);          // #
void dotKey(EditSession& session);
void accentKey(EditSession& session);
void staccatoKey(EditSession& session);
// T and t tie to the nearest earlier note at the same position, U and u to the
// nearest with the same stem; a second press removes the tie.
void tieKey(EditSession& session, bool samePosition, bool overhand);
void arpeggioKey(EditSession& session, int step);
void barLineKey(EditSession& session);
void clefKey(EditSession& session);
void keySignatureKey(EditSession& session, int step);
void timeSignatureKey(EditSession& session);
void numeratorKey(EditSession& session);
void denominatorKey(EditSession& session);
void headStyleKey(EditSession& session); // 0
void beamKey(EditSession& session);      // Backspace on a provisional note
// Up (-1) and Down (+1): an octave for the provisional object, else the stave.
void octaveKey(EditSession& session, int direction);

void ChangeStave(EditSession& session, int step);
// Ctrl+PgUp (-1) and Ctrl+PgDn (+1): the first stave of the previous or next system.
void systemKey(EditSession& session, int direction);
// PgUp (-1) and PgDn (+1): the stave above or below on the page; at the page's
// first or last stave the provisional object is completed instead.
void pageStaveKey(EditSession& session, int direction);
// Tab (+1), Shift+Tab and Backspace (-1): the nearest clef or note of the system.
void cursorToStop(EditSession& session, int direction);
void spaceKey(EditSession& session);
// Moves the entry cursor (and the provisional object with it) to x.
void moveCursorTo(EditSession& session, int x);

void CompleteProvisional(EditSession& session, bool spaceOn);
void AbandonProvisional(EditSession& session);
void UnbeamProvisional(EditSession& session);

} // namespace qv
