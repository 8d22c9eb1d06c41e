#pragma once
// Mending what a file just read got wrong but can be recovered from. Reading has
// already refused what cannot be placed (a stave or slot outside the arrays); what
// is left here would otherwise make up objects, draw for ever or take more memory
// than the page needs: paper and margins beyond any page, slots that no record
// filled, chains of links that lead back into themselves, and extents larger than
// the paper. Each repair gives the message the user is shown for it, in the form
// "Problem with ..." + line break + "File is bad.".

#include "model/score.h"

#include <array>
#include <bitset>
#include <string>
#include <vector>

namespace qv {

// Which object slots of each stave a record of the file filled.
using FilledSlots = std::array<std::bitset<ObjectSlots>, MaxStaves + 1>;

// Paper within the largest page turned either way, margins leaving music area.
std::vector<std::string> recoverPage(Score& score);

// Slots up to a stave's count that no record filled become deleted objects, which
// the stave's tidy removes (the header/footer stave keeps them, invisible, as it
// keeps any deleted object); long-text, curve and beam links that close a loop
// are cut; line, hairpin and shape extents are cut to the paper's longer side and
// arpeggios to 127 segments.
std::vector<std::string> recoverObjects(Score& score, const FilledSlots& filled);

} // namespace qv
