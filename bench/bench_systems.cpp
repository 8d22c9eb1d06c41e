// Whole-system operations on full staves, each with its undo group (and repagination
// where it repaginates): a block of a whole system (2 staves of 240 objects) copied
// onto the next system, a full system justified and compressed, and a stave inserted
// above stave 1 of a 255-stave score.

#include "benchgui.h"
#include "layout/blocks.h"
#include "layout/compress.h"
#include "layout/justify.h"
#include "layout/pagination.h"
#include "layout/staves.h"
#include "layout/tidystave.h"
#include "model/pagegeometry.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <benchmark/benchmark.h>

namespace {

// Systems of two staves, each stave full of short notes spread across it in chords
// of six, 12 units apart, so that the music still has room to be squeezed.
qv::Score systemsOf(int systems, int objects) {
    qv::Score score = qv::test::makeScore(2 * systems);
    qv::installLayoutHooks(score);
    score.undo.open(100);
    for (int s = 1; s <= 2 * systems; ++s) {
        qv::Stave& st = score.stave(s);
        if (s % 2 == 1) st.joinToNext = true;
        for (int i = 0; i < objects; ++i)
            qv::test::append(st, qv::test::makeNote(st.LeftX + 20 + i / 6 * 12, i % 6 - 3, 4, st.Ycoord));
    }
    return score;
}

void BM_CopyAWholeSystemBlock(benchmark::State& state) {
    bench::gui();
    qv::test::ScriptedUi ui;
    for (auto _ : state) {
        state.PauseTiming();
        qv::Score score = systemsOf(2, 240);
        qv::BlockState block;
        score.stave(3).Nobjec = 0, score.stave(4).Nobjec = 0; // an empty system to copy onto
        if (!qv::markBox(score, block, qv::BlockBox::spanning(0, 0, 700, score.stave(2).Ycoord + 30), 1, ui) ||
            !qv::stepTargetSystem(score, block, +1, ui))
            state.SkipWithError("the block could not be marked or placed");
        state.ResumeTiming();
        if (!qv::copyBlock(score, block, false, ui) || score.stave(3).Nobjec != 240)
            state.SkipWithError("the block was not copied whole");
    }
}
BENCHMARK(BM_CopyAWholeSystemBlock)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_JustifyAFullSystem(benchmark::State& state) {
    bench::gui();
    qv::test::ScriptedUi ui;
    for (auto _ : state) {
        state.PauseTiming();
        qv::Score score = systemsOf(1, 240);
        state.ResumeTiming();
        if (!qv::Justify(score, 1, 400, ui)) state.SkipWithError("not justified");
    }
}
BENCHMARK(BM_JustifyAFullSystem)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_CompressAFullSystem(benchmark::State& state) {
    bench::gui();
    qv::test::ScriptedUi ui;
    for (auto _ : state) {
        state.PauseTiming();
        qv::Score score = systemsOf(1, 240);
        const int press = score.stave(1).RightX - 20;
        const qv::CompressLimit limit = qv::compressLimit(score, 1, press, qv::CompressDirection::Left, 80);
        state.ResumeTiming();
        if (!limit.possible ||
            !qv::Compress(score, 1, press, (limit.x + press) / 2, qv::CompressDirection::Left, 80, ui))
            state.SkipWithError("not compressed");
    }
}
BENCHMARK(BM_CompressAFullSystem)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_InsertAStaveAboveStave1Of255(benchmark::State& state) {
    bench::gui();
    qv::test::ScriptedUi ui;
    for (auto _ : state) {
        state.PauseTiming();
        qv::Score score = systemsOf(127, 20); // 254 staves: one more fits
        qv::PageState page;
        state.ResumeTiming();
        if (!qv::insertStaveAfter(score, 0, qv::musicAreaHeight(score.page, score.StvSiz), ui, page))
            state.SkipWithError("not inserted");
    }
}
BENCHMARK(BM_InsertAStaveAboveStave1Of255)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
