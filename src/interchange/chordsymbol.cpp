#include "interchange/chordsymbol.h"

#include "transpose/chordtext.h"

#include <array>
#include <utility>

namespace qv {

namespace {

// Suffixes and the MusicXML kinds they name. The first suffix of each kind is the
// one an imported chord is written with; the others are further spellings users
// type, all matched as a whole, so their order among themselves does not matter.
constexpr std::array<std::pair<const char*, const char*>, 38> Kinds{{
    {"", "major"},
    {"m", "minor"},
    {"+", "augmented"},
    {"dim", "diminished"},
    {"7", "dominant"},
    {"maj7", "major-seventh"},
    {"m7", "minor-seventh"},
    {"dim7", "diminished-seventh"},
    {"+7", "augmented-seventh"},
    {"m7\x8D" "5", "half-diminished"},
    {"m(maj7)", "major-minor"},
    {"6", "major-sixth"},
    {"m6", "minor-sixth"},
    {"9", "dominant-ninth"},
    {"maj9", "major-ninth"},
    {"m9", "minor-ninth"},
    {"11", "dominant-11th"},
    {"maj11", "major-11th"},
    {"m11", "minor-11th"},
    {"13", "dominant-13th"},
    {"maj13", "major-13th"},
    {"m13", "minor-13th"},
    {"sus2", "suspended-second"},
    {"sus4", "suspended-fourth"},
    {"5", "power"},
    {"maj", "major"},
    {"min", "minor"},
    {"-", "minor"},
    {"aug", "augmented"},
    {"o", "diminished"},
    {"M7", "major-seventh"},
    {"min7", "minor-seventh"},
    {"-7", "minor-seventh"},
    {"o7", "diminished-seventh"},
    {"aug7", "augmented-seventh"},
    {"m7b5", "half-diminished"},
    {"mmaj7", "major-minor"},
    {"sus", "suspended-fourth"},
}};

bool isLetter(char c) {
    return c >= 'A' && c <= 'G';
}

// A sign after a letter at `pos`: its alteration, and how many characters it took.
std::pair<int, std::size_t> signAt(const std::string& text, std::size_t pos) {
    if (pos >= text.size()) return {0, 0};
    const char c = text[pos];
    if (c == ChordFlat || c == 'b') return {-1, 1};
    if (c == ChordSharp || c == '#') return {1, 1};
    return {0, 0};
}

std::optional<const char*> kindOf(const std::string& suffix) {
    for (const auto& [written, kind] : Kinds)
        if (suffix == written) return kind;
    return std::nullopt;
}

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

} // namespace

std::string chordSuffix(const std::string& kind) {
    for (const auto& [written, named] : Kinds)
        if (kind == named) return written;
    return {};
}

std::optional<ChordSymbol> parseChordSymbol(const std::string& raw) {
    const std::string text = trimmed(raw);
    if (text.empty() || !isLetter(text[0])) return std::nullopt;
    ChordSymbol chord;
    chord.root = text[0];
    const auto [alter, taken] = signAt(text, 1);
    chord.rootAlter = alter;
    std::string suffix = text.substr(1 + taken);
    if (const auto slash = suffix.find('/'); slash != std::string::npos) {
        const std::string bass = suffix.substr(slash + 1);
        if (bass.empty() || !isLetter(bass[0])) return std::nullopt;
        const auto [bassAlter, bassTaken] = signAt(bass, 1);
        if (bass.size() != 1 + bassTaken) return std::nullopt;
        chord.bass = bass[0];
        chord.bassAlter = bassAlter;
        suffix.erase(slash);
    }
    const std::optional<const char*> kind = kindOf(suffix);
    if (!kind) return std::nullopt;
    chord.kind = *kind;
    chord.kindText = suffix;
    return chord;
}

} // namespace qv
