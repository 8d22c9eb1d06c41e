#pragma once
// The import plan: the music of a MusicXML document as our staves will hold it,
// measure by measure, before anything is placed across the page. Each part's
// staves become staves of ours; notes sounding together on a stave become one
// event (a chord is a stemmed head with stemless heads beside it); every event
// sits in a column of its measure, the columns being the onsets of all staves;
// accidentals are decided as printed, by the key and the bar.

#include "interchange/musicxmldata.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

struct PlannedHead {
    int position = 0; // staff position
    int accidental = mx::NoAccidental;
    bool tieStart = false;
    bool tieStop = false;
};

struct PlannedEvent {
    int column = 0;
    bool rest = false;
    int duration = 3; // duration code
    int dots = 0;
    int stem = 0;     // 0 up, 1 down, 2 none
    mx::Beam beam = mx::Beam::None;
    std::vector<PlannedHead> heads; // bottom to top; empty for a rest
    std::int64_t ticks = 0;         // how long it sounds
    std::vector<int> slurStarts;
    std::vector<int> slurStops;
    bool slurAbove = false;
    int tuplet = 0; // the number shown over a tuplet that starts here
    bool accent = false;
    int staccato = 0;
};

struct PlannedClef {
    int column = 0;
    int type = 0;
};

enum class TextRole { Words, Dynamic, Chord, Tuplet };

struct PlannedMark {
    int column = 0;
    TextRole role = TextRole::Words;
    int glyph = 0;    // a dynamic's palette glyph, 0 for a text
    std::string text;
    bool above = false;
};

// One stave's share of a measure.
struct StaveMeasure {
    int clef = 0;                // in force at the start of the measure
    bool clefChanged = false;    // the clef changes at the start of this measure
    int key = 0;                 // in force from the start of the measure
    int previousKey = 0;
    bool keyChanged = false;
    std::vector<PlannedEvent> events; // in column order
    std::vector<PlannedClef> clefs;   // changes inside the measure
    std::vector<PlannedMark> marks;
};

struct MeasurePlan {
    std::vector<std::int64_t> columns; // onset ticks, rising
    std::int64_t length = 0;
    std::optional<mx::Time> time; // a time signature starts here
    bool repeatStart = false;
    int endBar = 0;
    std::vector<StaveMeasure> staves;
};

struct PlannedStave {
    int part = 0;  // index into the document's parts
    int staff = 1; // within the part
    int partStaves = 1;
};

struct ImportPlan {
    std::vector<PlannedStave> staves;
    std::vector<MeasurePlan> measures;
    std::vector<std::string> simplified;
};

// The plan of the whole document; how many staves a system needs is for the
// caller to judge.
ImportPlan planImport(const mx::Document& doc);

} // namespace qv
