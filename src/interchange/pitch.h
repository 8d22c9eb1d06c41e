#pragma once
// Pitch and staff position: where a written note stands on a stave under a clef,
// and which note a staff position names; the alteration a key signature gives a
// letter. Staff positions count half-spaces above the middle line.

namespace qv {

// A written pitch: letter 'A'..'G' and octave (middle C is C4).
struct WrittenPitch {
    char step = 'C';
    int octave = 4;
    bool operator==(const WrittenPitch&) const = default;
};

// A written pitch with the alteration in force on it (from the key, an accidental
// earlier in the bar or a tie): what a reader of the page hears.
struct Pitch {
    char step = 'C';
    int alter = 0; // semitones: -2 double flat .. +2 double sharp
    int octave = 4;
    bool operator==(const Pitch&) const = default;
};

// The diatonic number of a pitch: seven to the octave, C0 = 0.
int diatonicNumber(WrittenPitch p);

// The staff position of `p` under clef type 0 treble, 1 bass, 2 alto, 3 tenor
// (any other counts as treble); octaveChange moves the clef's notes by octaves,
// as a treble clef with an 8 below it does (-1).
int staffPositionOf(WrittenPitch p, int clefType, int octaveChange = 0);
// The pitch at a staff position under a clef: the inverse of the above.
WrittenPitch pitchAt(int position, int clefType, int octaveChange = 0);

// The alteration (+1 sharp, -1 flat, 0) that a key of `fifths` (+ sharps, - flats)
// gives the letter `step`.
int keyAlter(int fifths, char step);

} // namespace qv
