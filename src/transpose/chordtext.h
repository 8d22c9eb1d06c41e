#pragma once
// Chord names respelt a semitone up or down: "Am7" up two semitones is "Bm7" by
// way of "B♭m7". The flat and sharp signs are characters of the music font.

#include <string>

namespace qv {

inline constexpr char ChordFlat = static_cast<char>(141);
inline constexpr char ChordSharp = static_cast<char>(143);

// Every upper-case letter A..G, with the sign after it, moved a semitone
// (direction +1 up, -1 down); everything else is kept.
std::string transposeChordText(const std::string& text, int direction);

} // namespace qv
