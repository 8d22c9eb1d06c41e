// Importing the benchmark piece of 800 piano bars: read, planned, fitted to the
// 255 staves a score holds, laid out, justified and paginated.

#include "benchgui.h"
#include "interchange/musicxmlimport.h"
#include "support/scriptedui.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

constexpr const char* Piece = "/work/shared/bench/bench_800.musicxml";

void BM_ImportEightHundredBars(benchmark::State& state) {
    bench::gui();
    if (!std::filesystem::exists(Piece)) {
        state.SkipWithError("the benchmark piece is not here");
        return;
    }
    for (auto _ : state) {
        qv::test::ScriptedUi ui;
        const auto score = qv::importMusicXml(Piece, ui);
        if (!score) state.SkipWithError("the piece was not imported");
        benchmark::DoNotOptimize(score);
    }
}
BENCHMARK(BM_ImportEightHundredBars)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
