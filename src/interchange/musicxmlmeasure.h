#pragma once
// The reader's work inside one <measure>: attributes, notes with their time in
// the measure, backups and forwards, directions, chord symbols and bar lines.

#include "interchange/musicxmldata.h"
#include "interchange/musicxmlreader.h"
#include "interchange/xmlcursor.h"

#include <string>

namespace qv {

// What carries on from one measure of a part to the next.
struct PartState {
    long divisions = 1; // per crotchet
    int staves = 1;
    std::string where; // "measure 3 of part P1", for messages
};

// Notes once in the document's list of what was simplified.
void simplify(mx::Document& doc, const std::string& what);

// Reads the current <measure> into a new measure at the end of the part.
void readMeasure(XmlCursor& x, PartState& state, mx::Part& part, mx::Document& doc);

// A length in the file's divisions as ticks; refused when absurd.
std::int64_t ticksOf(XmlCursor& x, const PartState& state);

// A <note>, a <direction> and a <harmony> at `position` ticks into the measure.
// readNote returns false for a note that is left out (a grace note).
bool readNote(XmlCursor& x, PartState& state, mx::Note& note, mx::Document& doc);
void readDirection(XmlCursor& x, PartState& state, std::int64_t position, mx::Measure& m, mx::Document& doc);
void readHarmony(XmlCursor& x, PartState& state, std::int64_t position, mx::Measure& m, mx::Document& doc);

} // namespace qv
