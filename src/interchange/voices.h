#pragma once
// One stave of one system read in time order, bar by bar: its notes and rests
// grouped into chords (notes standing at one x), each with its pitch from the
// clef, the key and the accidentals met earlier in the bar, and the signs, words,
// chord names and marks that stand beside them attached to the nearest chord.
//
// Two voices share a stave when, in a bar, notes with stems up and notes with
// stems down stand at one x with different lengths: then the stems-up notes are
// the first voice and the stems-down notes the second. A rest beside a note
// belongs to the other voice; any other rest goes by its place: on or above the
// middle line the first voice, below it the second.

#include "interchange/exportmodel.h"
#include "interchange/stavebars.h"

#include <set>
#include <utility>
#include <vector>

namespace qv {

// What one stretch between bar lines holds on one stave.
struct StretchReading {
    StaffMeasure measure;
    bool hasNotes = false;      // at least one note or rest
    bool loneWholeRest = false; // nothing but one semibreve (or breve) rest
};

struct StaveReading {
    std::vector<StretchReading> stretches; // bars.size() + 1 of them
    int keyAtEnd = 0;                      // the key in force after the stave
};

// Texts that are read elsewhere (the title block): (stave, object index).
using TextSet = std::set<std::pair<int, int>>;

struct StaveReadingContext {
    int divisions = 1;
    int staff = 1;      // the staff number within its part
    int keyAtStart = 0; // the key in force when the stave begins
    const TextSet* skipped = nullptr;
};

StaveReading readStave(const Score& score, int s, const std::vector<BarLine>& bars,
                       const StaveReadingContext& context);

} // namespace qv
