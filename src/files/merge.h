#pragma once
// Merging another score file into the open score: its music staves go in after a
// stave (or above the first) as whole systems, with its text fonts joined to the
// open score's font table and the staves below moved down so that nothing
// overlaps. The file is read and checked whole first (mergeread.h); the open score
// changes only once nothing can refuse any more, in one step that one Undo takes
// back. Positions are page units, y growing downwards.

#include "layout/pagination.h"

#include <string>

namespace qv {

class Ui;

// Puts the music staves 1..n of `file` in as staves p+1..p+n of `score` (p 0..Nstaves;
// 0 puts them above stave 1), on the score laid out as one continuous page: the
// first merged stave's top extent at y = 10 above stave 1, else touching stave p's
// bottom extent; the file's spacing kept within its pages and 10 page units between
// its pages; the staves below moved to start 10 page units under the merged ones.
// Recorded in the undo store first as one step. `file` comes from readMergeFile;
// its fonts are registered in the open score's table and the merged texts take the
// open score's numbers for them.
void insertMergedStaves(Score& score, int p, const Score& file, Ui& ui);

// The whole merge of the file at `path` after stave p: read and checked, put in,
// and the score repaginated with usable height H. False (the reason told through
// `ui`, the score as it was) when the file is refused or a question declined.
bool mergeFile(Score& score, int p, const std::string& path, int H, Ui& ui, PageState& state);

} // namespace qv
