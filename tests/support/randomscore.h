#pragma once
// Random but valid scores for property tests and benchmarks: every object kind,
// consistent links, texts in several fonts.

#include "model/score.h"

#include <cstdint>
#include <random>

namespace qv::test {

struct RandomScoreOptions {
    int minStaves = 1;
    int maxStaves = 12;
    int maxObjectsPerStave = 60;
    int maxFonts = 6;
};

Score randomScore(std::mt19937& rng, const RandomScoreOptions& options = {});

// The largest score the format holds: 255 music staves of 249 objects each.
Score largestScore(std::uint32_t seed = 1);

} // namespace qv::test
