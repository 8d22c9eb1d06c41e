// Tidying and measuring a full stave (249 objects with beams, ties, curves and
// texts): what runs after every keystroke of music entry.

#include "benchgui.h"
#include "layout/staveextent.h"
#include "layout/tidystave.h"
#include "support/randomscore.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

namespace {

// A tidy full stave, with one new note appended at the end but placed in the
// middle, as music entry leaves it before the tidy.
qv::Score staveAfterEntry() {
    qv::Score score = qv::test::largestScore(7);
    score.setStaveCount(1);
    qv::Stave& s = score.stave(1);
    s.LeftX = -100; // keep every note: only the order and the links are to be worked out
    s.RightX = 32000;
    qv::TidyStave(s);
    // Fill up with plain notes to a full stave, less the one entry adds.
    while (s.Nobjec < qv::MaxObjects - 1) {
        ++s.Nobjec;
        s.object(s.Nobjec) = qv::makeObject(qv::ObjectKind::Note, 20 * s.Nobjec, s.Ycoord);
    }
    qv::TidyStave(s);
    qv::ScoreObject note = qv::makeObject(qv::ObjectKind::Note, s.object(s.Nobjec / 2).x(), s.Ycoord);
    note.setDuration(3);
    ++s.Nobjec;
    s.object(s.Nobjec) = note;
    return score;
}

void BM_StaveChangedAfterEntry(benchmark::State& state) {
    bench::gui();
    qv::Score score = staveAfterEntry();
    const qv::Stave entered = score.stave(1);
    for (auto _ : state) {
        score.stave(1) = entered; // 5 KB copy: the stave as entry left it
        qv::StaveChanged(score, 1);
        benchmark::DoNotOptimize(score.stave(1).MaxY);
    }
    state.counters["objects"] = score.stave(1).Nobjec;
}
BENCHMARK(BM_StaveChangedAfterEntry)->Unit(benchmark::kMicrosecond);

// The worst order: every object out of place.
void BM_StaveChangedReversed(benchmark::State& state) {
    bench::gui();
    qv::Score score = staveAfterEntry();
    qv::Stave reversed = score.stave(1);
    for (int i = 1; i <= reversed.Nobjec; ++i) reversed.object(i).setX(10000 - reversed.object(i).x());
    qv::TidyStave(reversed);
    for (int i = 1; i <= reversed.Nobjec; ++i) reversed.object(i).setX(10000 - reversed.object(i).x());
    for (auto _ : state) {
        score.stave(1) = reversed;
        qv::StaveChanged(score, 1);
        benchmark::DoNotOptimize(score.stave(1).MaxY);
    }
    state.counters["objects"] = score.stave(1).Nobjec;
}
BENCHMARK(BM_StaveChangedReversed)->Unit(benchmark::kMicrosecond);

} // namespace
