#pragma once
// The plain data read from a partwise MusicXML file, before anything is laid out:
// parts with their measures, the notes with pitch, duration and notations, the
// attributes, directions and chord symbols, the credits and the page layout.
// Times are ticks from the start of the measure, ImportTicksPerQuarter to a
// crotchet, whatever divisions the file used.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv::mx {

// Divisible by every usual number of divisions (1..10, 12, 16, 24, 32, 48, 96,
// 120, 480, 960 ...), so that the onsets of different parts meet exactly.
inline constexpr std::int64_t ImportTicksPerQuarter = 403200;

inline constexpr int NoAccidental = 99; // no printed accidental
inline constexpr int NoType = -1;       // the note gave no <type>

enum class Beam : std::uint8_t { None, Begin, Continue, End };

struct Note {
    bool rest = false;
    bool chord = false;      // sounds with the note before it
    bool measureRest = false;
    char step = 'C';         // 'A'..'G'
    int alter = 0;           // semitones, -2..2
    int octave = 4;
    std::int64_t start = 0;    // ticks from the start of the measure
    std::int64_t duration = 0; // ticks
    int type = NoType;         // duration code 0 breve .. 7 hemidemisemiquaver
    int dots = 0;
    int accidental = NoAccidental; // printed: -2..2
    int stem = -1;                 // 0 up, 1 down, 2 none; -1 not given
    Beam beam = Beam::None;        // of the first beam level
    bool tieStart = false;
    bool tieStop = false;
    std::vector<int> slurStarts; // slur numbers
    std::vector<int> slurStops;
    bool slurAbove = false; // the placement of a slur started here, when given
    bool slurPlaced = false;
    int tupletActual = 0; // from <time-modification>: 3 in the time of 2 ...
    int tupletNormal = 0;
    bool tupletStart = false;
    bool accent = false;
    int staccato = 0; // 1 staccato, 2 staccatissimo
    int voice = 1;
    int staff = 1; // 1-based within the part
};

// A clef: 0 treble, 1 bass, 2 alto, 3 tenor, and how many octaves the written
// notes sound from where the sign puts them.
struct Clef {
    int type = 0;
    int octaveChange = 0;
};

struct ClefChange {
    std::int64_t start = 0;
    int staff = 1;
    Clef clef;
};

struct Time {
    int beats = 4;
    int beatType = 4;
    bool common = false; // the C sign
    bool cut = false;    // the cut C sign
    bool operator==(const Time&) const = default;
};

// Dynamics (as the glyph of a palette symbol, or as text when there is none)
// and words, at a time on a stave.
struct Direction {
    std::int64_t start = 0;
    int staff = 1;
    int dynamicGlyph = 0; // 0: not a dynamic with a glyph of its own
    std::string text;     // words, or a dynamic without a glyph
    bool dynamic = false;
    bool above = false;
};

// A chord symbol, already spelt as our transposable chord text.
struct Harmony {
    std::int64_t start = 0;
    int staff = 1;
    std::string text;
};

// Bar-line types as our bar lines have them: 0 single, 1 double, 2 repeat start,
// 3 repeat end, 4 both, 5 end of section.
struct Measure {
    std::vector<Note> notes;
    std::vector<ClefChange> clefs; // at the start (time 0) or inside the measure
    std::vector<Direction> directions;
    std::vector<Harmony> harmonies;
    std::optional<int> key;   // fifths: + sharps, - flats
    std::optional<Time> time;
    bool repeatStart = false;
    int endBar = 0; // 0 single, 1 double, 3 repeat end, 5 end of section
    std::int64_t length = 0; // ticks
};

struct Part {
    std::string id;
    std::string name;
    int staves = 1;
    std::vector<Measure> measures;
};

struct Credit {
    std::string type; // "title", "composer", "subtitle" ... or empty
    std::string words;
    int fontSize = 0; // points, 0 when not given
};

// The page in inches, when the file gives it.
struct PageLayout {
    double width = 0;
    double height = 0;
    double left = 0;
    double right = 0;
    double top = 0;
    double bottom = 0;
};

struct Document {
    std::vector<Part> parts;
    std::vector<Credit> credits;
    std::string title;    // <work-title> or <movement-title>
    std::string composer; // <creator type="composer">
    std::optional<double> staveSize; // inches from the scaling
    std::optional<PageLayout> page;
    // What the reader had to leave out or change, one short phrase each.
    std::vector<std::string> simplified;
};

} // namespace qv::mx
