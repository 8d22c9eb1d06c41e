#pragma once
// Transposition and clef change on the score's own model: a note is a staff
// position under the clef and key in force, with accidental objects before it.
// A semitone step rewrites key signatures, moves notes and accidentals by the
// key's rule and respells chord texts; twelve semitones are an octave shift;
// a clef change keeps the sounding pitch; stems can be set afresh.

#include <optional>
#include <string>

namespace qv {

class Score;
class Ui;
class UndoStore;

// Clef types as stored in a clef object.
enum ClefType : int { ClefTreble = 0, ClefBass = 1, ClefAlto = 2, ClefTenor = 3 };

struct TransposeRequest {
    int distance = 0;              // semitones, -12..12; up is positive
    int first = 1;                 // the staves transposed, first..last
    int last = 1;
    std::optional<int> clefTarget; // a ClefType: every stave's clefs changed to it
    bool adjustStems = false;      // stems of every note set afresh on the staves
};

inline const char* const KeyFirstMessage =
    "Stave number(s) %s have notes or accidentals appearing before the key signature.\n\nYou must have a key "
    "signature on the stave before any notes or accidentals.\n\nEven C major has a key signature in Quaverly.";

inline const char* const OutOfRangeMessage =
    "Transposing these staves would take notes beyond the highest or lowest staff position a stave can "
    "hold.\n\nNothing has been transposed.";

// Carries out a confirmed request: one undo step over its staves (when `undo` is
// given), then the semitone steps or the octave shift, the clef change and the
// stem adjustment, every changed stave's extent recomputed. False when the
// semitone steps were refused (the user has been told why).
bool Transpose(Score& score, const TransposeRequest& request, UndoStore* undo, Ui& ui);

} // namespace qv
