#pragma once
// A long piano score for measuring page output until MusicXML import can read the
// benchmark pieces: the demo's braced treble and bass systems over and over, 127
// systems (254 staves, the most a score holds in whole systems), on A4 paper with
// 15 mm margins and a 7 mm stave, spread to the width of the page and paginated.

#include "model/score.h"
#include "model/ui.h"

#include <string>

namespace bench {

// Builds the score into `score`; false when the demo cannot be read.
bool buildLongPianoScore(const std::string& demoPath, qv::Ui& ui, qv::Score& score);

} // namespace bench
