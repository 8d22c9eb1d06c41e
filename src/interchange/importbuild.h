#pragma once
// Building the score from the plan: each system's staves with their binding, the
// objects of every measure at the x its layout gives, beams, ties, slurs as
// curves over their notes, texts and dynamics; each system justified to the right
// end of its staves, then the systems stacked down the page by their extents.

#include "interchange/systemfit.h"
#include "model/score.h"

#include <string>
#include <vector>

namespace qv {

class Ui;

// Font numbers of the texts an import writes.
struct ImportFonts {
    int words = 1;
    int dynamics = 1;
    int chords = 1;
    int tuplets = 1;
};

// Appends a long text, its head at (x, y) and its chunks after it; false (and
// nothing added) when the stave has no room for all of it. Empty text adds nothing.
bool appendLongText(Stave& stave, int x, int y, int font, int attributes, const std::string& text);

// Fills staves 1.. of `score` (whose page and stave size are set) with the music;
// what had to be left out is added to `simplified`. Staves are stacked on page 1
// from the top; the caller paginates.
void buildImport(Score& score, const ImportPlan& plan, const ImportFit& fit, const ImportFonts& fonts,
                 std::vector<std::string>& simplified);

} // namespace qv
