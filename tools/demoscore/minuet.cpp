#include "minuet.h"

namespace demo {

const std::array<const char*, MinuetBars> MinuetTreble{
    // First half.
    "D5:4 G4:8 A4:8 B4:8 C5:8", "D5:4 G4:4 G4:4", "E5:4 C5:8 D5:8 E5:8 F#5:8", "G5:4 G4:4 G4:4",
    "C5:4 D5:8 C5:8 B4:8 A4:8", "B4:4 C5:8 B4:8 A4:8 G4:8", "F#4:4 G4:8 A4:8 B4:8 G4:8", "A4:2.",
    "D5:4 G4:8 A4:8 B4:8 C5:8", "D5:4 G4:4 G4:4", "E5:4 C5:8 D5:8 E5:8 F#5:8", "G5:4 G4:4 G4:4",
    "C5:4 D5:8 C5:8 B4:8 A4:8", "B4:4 C5:8 B4:8 A4:8 G4:8", "A4:4 B4:8 A4:8 G4:8 F#4:8", "G4:2.",
    // Second half.
    "B5:4 G5:8 A5:8 B5:8 G5:8", "A5:4 D5:8 E5:8 F#5:8 D5:8", "G5:4 E5:8 F#5:8 G5:8 D5:8",
    "C#5:4 B4:8 C#5:8 A4:4", "A4:8 B4:8 C#5:8 D5:8 E5:8 F#5:8", "G5:4 F#5:4 E5:4", "F#5:4 A4:4 C#5:4",
    "D5:2.", "D5:4 G4:8 F#4:8 G4:4", "E5:4 G4:8 F#4:8 G4:4", "D5:4 C5:4 B4:4",
    "A4:8 G4:8 F#4:8 G4:8 A4:4", "D4:8 E4:8 F#4:8 G4:8 A4:8 B4:8", "C5:4 B4:4 A4:4", "B4:8 D5:8 G4:4 F#4:4",
    "G4:2.",
};

const std::array<const char*, MinuetBars> MinuetBass{
    "G3:2 A3:4", "B3:2.", "C4:2.", "B3:2.", "A3:2.", "G3:2.", "D4:4 B3:4 G3:4", "D4:4 D3:8 C4:8 B3:8 A3:8",
    "B3:2 A3:4", "G3:4 B3:4 G3:4", "C4:2.", "B3:4 C4:8 B3:8 A3:8 G3:8", "A3:2 F#3:4", "G3:2 B3:4",
    "C4:4 D4:4 D3:4", "G3:2 G2:4",
    "G3:2.", "F#3:2.", "E3:2 G3:4", "A3:2 A2:4", "A3:2.", "B3:4 D4:4 C#4:4", "D4:4 F#3:4 A3:4",
    "D4:4 D3:4 C4:4", "B3:2.", "C4:2.", "B3:4 A3:4 G3:4", "D4:2.", "F#3:2.", "E3:2 F#3:4", "G3:4 B2:4 D3:4",
    "G3:4 D3:4 G2:4",
};

const std::array<const char*, MinuetBars> MinuetChords{
    "G", nullptr, "C", "G", "Am", "G", "D", "D7", "G", nullptr, "C", "G", "Am", "G", "D7", "G",
    "G", "D", "Em", "A", "A7", "G", "D", "D", "G", "C", "G", "D", "D7", "Am", "D7", "G",
};

} // namespace demo
