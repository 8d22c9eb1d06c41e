#pragma once
// Chord names as the user types them in transposable text ("Am7", "F♯m",
// "B♭maj7/D") read into root, alteration, chord kind and bass, the parts a
// MusicXML harmony is made of. The flat and sharp are the music-font characters
// that transposition writes (also '#' and a 'b' straight after the letter).

#include <optional>
#include <string>

namespace qv {

struct ChordSymbol {
    char root = 'C';
    int rootAlter = 0;
    std::string kind = "major"; // a MusicXML kind value
    std::string kindText;       // the suffix as written, kept for display
    std::optional<char> bass;
    int bassAlter = 0;
};

// The suffix a chord of MusicXML kind `kind` is written with ("m7" for
// "minor-seventh"); empty for a major chord, "none" and kinds we do not know.
std::string chordSuffix(const std::string& kind);

// Reads `text` as a chord name; nothing when it does not start with a letter
// A..G or its suffix is not one we know.
std::optional<ChordSymbol> parseChordSymbol(const std::string& text);

} // namespace qv
