#pragma once
// Writes NoteWorthy 2 files for tests and fuzz seeds, record by record as that
// program lays them out: a header (staves, spacing, pulse, beaming angle, version,
// header and footer heights in hundredths of an inch), one record per stave and
// then the objects, in NoteWorthy 2's own units (across 1/0.768 of a page unit,
// distances from the stave 3/4 of one).

#include "model/scoreobject.h"

#include <cstdint>
#include <vector>

namespace qv::test {

struct NoteWorthyStave {
    int Ycoord = 60;
    int MaxY = 80;
    int MinY = 40;
    int LeftX = 0;
    int RightX = 781;    // 600 of our page units
    bool braced = false; // joined to the next with a brace and bar lines through
    bool system = false; // joined to the next as part of a system
    bool pageBreak = false;
    std::vector<ScoreObject> objects; // written with indexes 1, 2, ...
};

struct NoteWorthyFile {
    int version = 200;
    int spacing = 3;
    int pulse = 3;
    int beamang = 10;
    int headerHundredths = 0;
    int footerHundredths = 0;
    std::vector<NoteWorthyStave> staves;
    std::vector<ScoreObject> headerTexts; // stave byte 0, object index 1
    std::vector<ScoreObject> footerTexts; // stave byte 0, object index 2

    std::vector<std::uint8_t> bytes() const;
};

// A short text whose characters are NoteWorthy 2's own codes.
ScoreObject noteWorthyText(int x, int y, int font, const std::vector<std::uint8_t>& codes);

} // namespace qv::test
