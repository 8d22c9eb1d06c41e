#pragma once
// The notes of the Minuet in G major, BWV Anh. 114 (Notebook for Anna Magdalena
// Bach, public domain): one line per bar for each hand.

#include <array>

namespace demo {

inline constexpr int MinuetBars = 32;

// Each bar is a list of "PITCH:LENGTH" words: pitch as letter, optional '#',
// octave (C4 = middle C); length 2 minim, 2. dotted minim, 4 crotchet, 8 quaver.
extern const std::array<const char*, MinuetBars> MinuetTreble;
extern const std::array<const char*, MinuetBars> MinuetBass;

// A chord name above the treble at the start of a bar, or nullptr.
extern const std::array<const char*, MinuetBars> MinuetChords;

} // namespace demo
