#pragma once
// Measures into systems: each system is filled with whole measures up to the
// right end of the stave, as long as no stave of it passes its object capacity;
// and the largest stave size and spacing grade at which the whole piece fits in
// the staves a score can hold.

#include "interchange/barlayout.h"

#include <functional>
#include <optional>
#include <vector>

namespace qv {

inline constexpr int ImportLeftX = 17;
inline constexpr int HeaderClefX = 37;
inline constexpr int HeaderObjects = 5; // clef, key, time (two digits) and a repeat bar line

// Where the music of a system starting with measure `m` begins, after its clef,
// key, time and repeat sign, the widest stave deciding.
int systemMusicStart(const ImportPlan& plan, int m, int grade);
// The width of what a measure inside a system needs before its music: clef,
// key and time changes.
int measurePrefix(const ImportPlan& plan, int m, int grade);

// The first measure of each system for staves ending at `right`.
std::vector<int> breakIntoSystems(const ImportPlan& plan, const std::vector<MeasureLayout>& layout, int grade,
                                  int right);

struct ImportFit {
    double staveSize = 0;
    int grade = 3;
    std::vector<MeasureLayout> layout;
    std::vector<int> systemStarts;
};

// Tries stave sizes from `preferred` down to the smallest, and at each the
// grades from `preferredGrade` down to 1, until the systems need no more than
// the staves a score holds. `rightAt(staveSize)` gives the stave's right end.
std::optional<ImportFit> fitImport(const ImportPlan& plan, double preferred, int preferredGrade,
                                   const std::function<int(double)>& rightAt);

} // namespace qv
