#include "transpose/chordtext.h"

namespace qv {

namespace {

// A letter and the sign after it (0: none).
struct Spelling {
    char letter;
    char sign;
};

// The spelling a semitone away from `letter` with `sign` after it.
Spelling moved(char letter, char sign, int direction) {
    const int i = letter - 'A';
    constexpr char F = ChordFlat, S = ChordSharp;
    // For A..G: after a flat, after a sharp, and bare; down then up.
    static constexpr Spelling FlatDown[7] = {{'G', 0}, {'A', 0}, {'B', F}, {'C', 0}, {'D', 0}, {'E', F}, {'F', 0}};
    static constexpr Spelling FlatUp[7] = {{'A', 0}, {'B', 0}, {'C', 0}, {'D', 0}, {'E', 0}, {'F', 0}, {'G', 0}};
    static constexpr Spelling SharpDown[7] = {{'A', 0}, {'B', 0}, {'C', 0}, {'D', 0}, {'E', 0}, {'F', 0}, {'G', 0}};
    static constexpr Spelling SharpUp[7] = {{'B', 0}, {'C', S}, {'D', 0}, {'E', 0}, {'F', S}, {'G', 0}, {'A', 0}};
    static constexpr Spelling BareDown[7] = {{'A', F}, {'B', F}, {'B', 0}, {'D', F}, {'E', F}, {'E', 0}, {'F', S}};
    static constexpr Spelling BareUp[7] = {{'B', F}, {'C', 0}, {'D', F}, {'E', F}, {'F', 0}, {'F', S}, {'A', F}};
    const bool up = direction > 0;
    if (sign == ChordFlat) return up ? FlatUp[i] : FlatDown[i];
    if (sign == ChordSharp) return up ? SharpUp[i] : SharpDown[i];
    return up ? BareUp[i] : BareDown[i];
}

} // namespace

std::string transposeChordText(const std::string& text, int direction) {
    std::string out = text;
    for (std::size_t pos = 0; pos < out.size(); ++pos) {
        const char letter = out[pos];
        if (letter < 'A' || letter > 'G') continue;
        const bool signed_ = pos + 1 < out.size() && (out[pos + 1] == ChordFlat || out[pos + 1] == ChordSharp);
        const Spelling to = moved(letter, signed_ ? out[pos + 1] : 0, direction);
        out[pos] = to.letter;
        if (signed_ && to.sign) out[pos + 1] = to.sign;
        else if (signed_) out.erase(pos + 1, 1);
        else if (to.sign) out.insert(pos + 1, 1, to.sign);
        if (to.sign) ++pos; // the sign is not a letter to look at again
    }
    return out;
}

} // namespace qv
