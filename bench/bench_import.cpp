// Importing the benchmark piece of 800 piano bars: read, planned, fitted to the
// 255 staves a score holds, laid out, justified and paginated. And a hostile file:
// one measure of 20,000 notes of one voice, each starting a division after the
// last and sounding to the end of the measure, which must cost no more than its size.

#include "benchgui.h"
#include "interchange/musicxmlimport.h"
#include "support/scriptedui.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

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

std::vector<std::uint8_t> overlappingNotes(int count) {
    std::string notes;
    for (int i = 0; i < count; ++i)
        notes += "<note><pitch><step>C</step><octave>5</octave></pitch><duration>" + std::to_string(count - i) +
                 "</duration><voice>1</voice><type>16th</type></note><backup><duration>" +
                 std::to_string(count - i - 1) + "</duration></backup>";
    const std::string xml = "<score-partwise><part-list><score-part id=\"P1\"/></part-list><part id=\"P1\">"
                            "<measure number=\"1\"><attributes><divisions>1000</divisions></attributes>" +
                            notes + "</measure></part></score-partwise>";
    return {xml.begin(), xml.end()};
}

void BM_ImportOverlappingNotes(benchmark::State& state) {
    bench::gui();
    const std::vector<std::uint8_t> bytes = overlappingNotes(20000);
    for (auto _ : state) {
        qv::test::ScriptedUi ui;
        const auto score = qv::importMusicXmlBytes(bytes, "hostile.musicxml", ui);
        if (!score) state.SkipWithError("the file was not imported");
        benchmark::DoNotOptimize(score);
    }
}
BENCHMARK(BM_ImportOverlappingNotes)->Unit(benchmark::kMillisecond);

} // namespace
