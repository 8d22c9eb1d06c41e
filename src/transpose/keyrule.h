#pragma once
// A key signature moved by a semitone, and the rule it sets for the notes and
// accidentals that follow it: how far they move on the stave and which way their
// accidentals change.

namespace qv {

// The key of `k` sharps (negative: flats) one semitone up (direction +1) or down.
int transposeKey(int k, int direction);

// The letter 'A'..'G' at staff position `position` under the clef `clefType`
// (position 0 is the middle line).
char noteLetter(int position, int clefType);

struct KeyRule {
    KeyRule() = default; // before any key signature: nothing moves
    KeyRule(int oldKey, int direction);
    int newKey = 0;
    int step = 0;   // staff positions up
    // The change of an accidental on the letter `letter`: -1 flatten, +1 sharpen, 0 none.
    int accidentalChange(char letter) const;

  private:
    int change_ = 0;
    int direction_ = 0;
    int oldKey_ = 0;
};

} // namespace qv
