#pragma once
// A check of the links between the objects of one stave: beams, ties (on the notes
// and in tie links), curve points and long-text chunks. Every link must name a live
// object of the right kind on the same stave, and the partner must link back. Used
// after operations that renumber links, to prove they left a stave whole.

#include "model/stave.h"

#include <string>
#include <vector>

namespace qv {

// The broken links of a stave in words ("object 4: beam forward to 9, which is a
// clef"); empty when every link holds.
std::vector<std::string> brokenLinks(const Stave& stave);

} // namespace qv
