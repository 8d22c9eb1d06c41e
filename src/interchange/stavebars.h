#pragma once
// The bars of a system. Bar lines stand on the top stave of a system (they are
// drawn through the staves below), but a score may carry them on other staves
// too; the bars are taken from all staves of the system, one bar line for each
// place. The stretches between them are the bars (measures) of the system.

#include "layout/pagination.h"
#include "model/score.h"

#include <vector>

namespace qv {

// Bar-line kinds of a bar-line object.
enum BarKind {
    BarSingle = 0,
    BarDouble = 1,
    BarRepeatStart = 2,
    BarRepeatEnd = 3,
    BarRepeatBoth = 4,
    BarEnd = 5
};

struct BarLine {
    int x = 0;
    int kind = BarSingle;
};

// Bar lines closer than this (page units) on the staves of one system are one.
inline constexpr int SameBarDistance = 6;

// The bar lines of the system, in x order; where staves disagree on the kind of
// a bar line, the upper stave's wins.
std::vector<BarLine> systemBarLines(const Score& score, const SystemRange& system);

// The stretch an x lies in: 0 before the first bar line, i after the i-th. An
// object standing on a bar line belongs to the stretch after it.
int stretchOf(const std::vector<BarLine>& bars, int x);

} // namespace qv
