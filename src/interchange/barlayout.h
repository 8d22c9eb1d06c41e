#pragma once
// Measures across the page: where each column of a measure stands and where its
// bar line goes, from our own note advances at a spacing grade. A column is as
// wide as the widest share any stave's event needs of it (an event's advance
// spread over the columns it sounds through), with room before it for
// accidentals and clef changes. Positions are page units from the start of the
// measure's music.

#include "interchange/importplan.h"

#include <vector>

namespace qv {

inline constexpr int ImportPulse = 3; // crotchet
inline constexpr int FullClefAdvance = 30;
inline constexpr int SmallClefAdvance = 25;
inline constexpr int AccidentalGap = 8;   // from an accidental to its note
inline constexpr int AccidentalLevel = 9; // between accidentals stacked side by side
inline constexpr int SecondOffset = 9;    // a head beside its neighbour a step away

struct MeasureLayout {
    std::vector<int> columnX; // x of each column's notes
    int barX = 0;             // the end bar line
    int width = 0;            // up to where the next measure starts
    std::vector<int> objects; // objects each stave takes, header and prefix aside
};

// The measures laid out at spacing grade 1..5.
std::vector<MeasureLayout> layoutMeasures(const ImportPlan& plan, int grade);

// The key signature of `key` following `previous`, with its cancelling naturals.
int keyAdvance(int previous, int key, int grade);
// A time signature: one of our fixed ones, or the two digits.
int timeAdvance(const mx::Time& time, int grade);
int barAdvance(int barType, int grade);

// Our time-signature type (0..14) for a time, or -1 when there is none.
int timeSignatureType(const mx::Time& time);

// The level (0 nearest the head) of each head's accidental in an event, side by
// side where they would touch; -1 for a head without one.
std::vector<int> accidentalLevels(const PlannedEvent& e);

// What an event's first head looks like as a note object, for its advance.
int eventAdvance(const PlannedEvent& e, int grade);

// The objects a text takes: its head and the chunks after it.
int textObjects(const std::string& text);

} // namespace qv
