// Writing and reading the largest score the format holds: 255 music staves of 249
// objects each (about 1.4 MB). Peak memory is reported as a counter.

#include "files/fileread.h"
#include "files/scorefileread.h"
#include "files/scorefilewrite.h"
#include "support/randomscore.h"
#include "support/scriptedui.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <sys/resource.h>

namespace {

double peakMemoryMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

std::string benchFile() {
    return (std::filesystem::temp_directory_path() / "quaverly-bench-largest.QVR").string();
}

qv::WriteRange wholeScore(const qv::Score& score) { return {0, score.Nstaves}; }

void BM_EncodeLargestScore(benchmark::State& state) {
    qv::Score score = qv::test::largestScore();
    std::size_t size = 0;
    for (auto _ : state) {
        auto bytes = qv::encodeScore(score, wholeScore(score), {});
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["bytes"] = static_cast<double>(size);
    state.counters["peak_MiB"] = peakMemoryMiB();
}
BENCHMARK(BM_EncodeLargestScore)->Unit(benchmark::kMillisecond);

// The whole save: encode, write beside the target, flush to disk, rename.
void BM_WriteLargestScoreFile(benchmark::State& state) {
    qv::Score score = qv::test::largestScore();
    qv::test::ScriptedUi ui;
    const std::string path = benchFile();
    for (auto _ : state) {
        if (!qv::writeScoreFile(score, path, wholeScore(score), {}, ui)) state.SkipWithError("write failed");
    }
    state.counters["peak_MiB"] = peakMemoryMiB();
}
BENCHMARK(BM_WriteLargestScoreFile)->Unit(benchmark::kMillisecond);

// The whole read: the file's bytes from disk, then every record into a score.
void BM_ReadLargestScoreFile(benchmark::State& state) {
    {
        qv::Score score = qv::test::largestScore();
        qv::test::ScriptedUi ui;
        if (!qv::writeScoreFile(score, benchFile(), wholeScore(score), {}, ui)) {
            state.SkipWithError("could not write the file to read");
            return;
        }
    }
    qv::test::ScriptedUi ui;
    for (auto _ : state) {
        const qv::FileContents file = qv::readRegularFile(benchFile(), qv::MaxScoreFileSize);
        qv::Score score;
        const auto result = qv::readScore(file.bytes, benchFile(), {}, ui, score);
        if (result.status != qv::ReadStatus::Ok) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(score.Nstaves);
    }
    state.counters["peak_MiB"] = peakMemoryMiB();
}
BENCHMARK(BM_ReadLargestScoreFile)->Unit(benchmark::kMillisecond);

} // namespace
