// Repaginating the largest score: 255 staves of 249 objects each in systems of 2-4
// staves, about ten systems a page. Every stave and object moves twice (onto the
// strip and back onto its page), so the objects dominate the cost.

#include "layout/pagination.h"
#include "quietui.h"
#include "support/randomscore.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int UsableHeight = 2200;

using bench::QuietUi;

// Lays the staves out as one strip on page 1: staves of a system 56 apart, systems
// 90 apart, extents reaching 20-36 units beyond the middle line.
qv::Score unpaginatedScore() {
    qv::Score score = qv::test::largestScore();
    int y = 66, left = 0, system = 0;
    for (int i = 1; i <= score.Nstaves; ++i) {
        if (left == 0) left = 2 + system++ % 3;
        qv::Stave& s = score.stave(i);
        s.joinToNext = --left > 0 && i < score.Nstaves;
        s.ForcedBk = false;
        s.PageNum = 1;
        qv::setStavePosition(score, i, y);
        s.MinY = y - 20 - i % 17;
        s.MaxY = y + 20 + i % 13;
        y += s.joinToNext ? 56 : 90;
    }
    return score;
}

void BM_PaginateFromTheStrip(benchmark::State& state) {
    qv::Score score = unpaginatedScore();
    std::vector<qv::Stave> strip;
    for (int i = 1; i <= score.Nstaves; ++i)
        strip.push_back(score.stave(i));
    QuietUi ui;
    qv::PageState pages;
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 1; i <= score.Nstaves; ++i)
            score.setStave(i, strip[static_cast<std::size_t>(i - 1)]);
        state.ResumeTiming();
        qv::repaginate(score, UsableHeight, ui, pages);
    }
    state.counters["pages"] = pages.pages;
}
BENCHMARK(BM_PaginateFromTheStrip)->Unit(benchmark::kMicrosecond);

// A score already in pages is glued back into the strip first, then broken again.
void BM_PaginateScoreAlreadyInPages(benchmark::State& state) {
    qv::Score score = unpaginatedScore();
    QuietUi ui;
    qv::PageState pages;
    qv::repaginate(score, UsableHeight, ui, pages);
    for (auto _ : state) {
        qv::repaginate(score, UsableHeight, ui, pages);
        benchmark::DoNotOptimize(score.stave(score.Nstaves).Ycoord);
    }
    state.counters["pages"] = pages.pages;
}
BENCHMARK(BM_PaginateScoreAlreadyInPages)->Unit(benchmark::kMicrosecond);

} // namespace
