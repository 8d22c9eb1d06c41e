#pragma once
// Reading the notes of a score back from its objects, as a musician would read
// the page: pitch from the staff position under the clef in force, alteration
// from an accidental before the note, from an earlier one in the bar or from the
// key signature; duration from the duration code and dots. Written for the
// tests, apart from the importer's own code.

#include "model/score.h"

#include <string>
#include <vector>

namespace qv::test {

struct ReadNote {
    char step = 'C';
    int alter = 0;
    int octave = 4;
    double quarters = 0; // how long it is written, in crotchets
    bool rest = false;
    bool operator==(const ReadNote&) const = default;
};

std::string describe(const ReadNote& n);

// The notes and rests of every `row`-th stave of each system (row 0 the top), in
// order of systems and of x; the heads of a chord from the bottom up.
std::vector<ReadNote> readBackNotes(const Score& score, int row, int stavesPerSystem);

} // namespace qv::test
