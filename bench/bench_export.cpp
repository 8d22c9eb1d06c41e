// Exporting a 40-page score from the command line, whole process, to PDF and to
// PNG at the print resolution; and one page through the print run in process.
// Peak memory is the exporting process's own (its maximum resident set).

#include "benchgui.h"
#include "quietui.h"
#include "files/loader.h"
#include "files/scorefilewrite.h"
#include "layout/pagination.h"
#include "model/pagegeometry.h"
#include "model/ui.h"
#include "print/pdfdevice.h"
#include "print/printrun.h"

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

using bench::QuietUi;

const std::string Demo = QUAVERLY_SOURCE_DIR "/resources/demo/demo.QVR";

// The demo's systems over and over, three to a page by forced page breaks: 240
// staves on 40 pages.
std::string fortyPageScore() {
    static const std::string path = [] {
        bench::gui();
        QuietUi ui;
        qv::Score demo;
        qv::Score score;
        if (!qv::loadScore(Demo, {}, ui, demo) || !qv::loadScore(Demo, {}, ui, score)) std::abort();
        constexpr int Staves = 240;
        score.setStaveCount(Staves);
        for (int s = 1; s <= Staves; ++s) {
            qv::Stave stave = demo.stave((s - 1) % demo.Nstaves + 1);
            stave.ForcedBk = s % 6 == 0;
            score.setStave(s, stave);
        }
        qv::PageState state;
        qv::repaginate(score, qv::musicAreaHeight(score.page, score.StvSiz), ui, state);
        if (qv::pageCount(score) != 40) std::abort();
        const std::string out = (std::filesystem::temp_directory_path() / "quaverly-bench-40pages.QVR").string();
        if (!qv::writeScoreFile(score, out, {0, score.Nstaves}, {}, ui)) std::abort();
        return out;
    }();
    return path;
}

// Runs quaverly-cli with `args`; the child's peak resident memory in megabytes.
double runCli(const std::vector<std::string>& args) {
    std::vector<std::string> all{QUAVERLY_CLI};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) std::abort();
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::abort();
    return usage.ru_maxrss / 1024.0;
}

void exportForty(benchmark::State& state, const char* option, const std::string& out) {
    const std::string score = fortyPageScore();
    double peak = 0;
    for (auto _ : state)
        peak = std::max(peak, runCli({"export", score, option, out}));
    state.counters["peak_MB"] = peak;
    state.counters["pages"] = 40;
}

void BM_ExportPdf40Pages(benchmark::State& state) {
    exportForty(state, "--pdf", (std::filesystem::temp_directory_path() / "quaverly-bench.pdf").string());
}
BENCHMARK(BM_ExportPdf40Pages)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ExportPng40Pages(benchmark::State& state) {
    exportForty(state, "--png", (std::filesystem::temp_directory_path() / "quaverly-bench-page").string());
}
BENCHMARK(BM_ExportPng40Pages)->Unit(benchmark::kMillisecond)->Iterations(3);

// One page of the demo into a PDF in process: the print image, its one-bit
// copy and the PDF writer's share.
void BM_PrintPageToPdf(benchmark::State& state) {
    bench::gui();
    QuietUi ui;
    qv::Score score;
    if (!qv::loadScore(Demo, {}, ui, score)) std::abort();
    qv::PrintSource source;
    source.score = &score;
    source.filePath = Demo;
    for (auto _ : state) {
        qv::PdfPrintDevice pdf(score.page);
        qv::printPages(source, {1, 1, 1, false}, pdf, ui);
        benchmark::DoNotOptimize(pdf.bytes().size());
    }
}
BENCHMARK(BM_PrintPageToPdf)->Unit(benchmark::kMillisecond);

} // namespace
