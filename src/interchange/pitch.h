#pragma once
// Pitch from the page: a note is a staff position under the clef in force, with
// the key signature in force and the accidentals met earlier in its bar. These
// functions turn that into a written step, alteration and octave (middle C is
// C4), the spelling a MusicXML reader expects.

namespace qv {

struct Pitch {
    char step = 'C'; // 'A'..'G'
    int alter = 0;   // semitones: -2 double flat .. +2 double sharp
    int octave = 4;

    bool operator==(const Pitch&) const = default;
};

// Diatonic steps counted from C0 (C4 is 28) of staff position `position` under
// clef type `clefType` (0 treble, 1 bass, 2 alto, 3 tenor; anything else is read
// as treble). Position 0 is the middle line: B4, D3, C4 and A3 respectively.
int diatonicIndex(int position, int clefType);

// The letter 'A'..'G' of a diatonic index.
char stepOfIndex(int diatonic);
// The octave of a diatonic index (C4..B4 are octave 4).
int octaveOfIndex(int diatonic);

// The alteration that key signature `key` (+ sharps, - flats) gives the letter
// `step` when no accidental stands in the bar.
int keyAlter(char step, int key);

// Step, octave and alteration of a staff position; `alter` is the alteration in
// force (from the key, the bar's accidentals or a tie).
Pitch pitchAt(int position, int clefType, int alter);

} // namespace qv
