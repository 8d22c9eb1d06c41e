// Exporting a 40-page score and the 19-page long piano score from the command line,
// whole process, to PDF and to PNG at the print resolution; the long score's pages
// in process, and their stages: drawing the print image and the one-bit picture.
// Peak memory is the exporting process's own (its maximum resident set).

#include "benchgui.h"
#include "longscore.h"
#include "quietui.h"
#include "files/loader.h"
#include "files/scorefilewrite.h"
#include "layout/pagination.h"
#include "model/pagegeometry.h"
#include "model/ui.h"
#include "print/pdfdevice.h"
#include "print/pagepictures.h"
#include "print/printrun.h"
#include "render/onebitpicture.h"
#include "render/pageimage.h"

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

// The long piano score of longscore.h, built once, and its file.
qv::Score& longScore() {
    static qv::Score score = [] {
        bench::gui();
        QuietUi ui;
        qv::Score built;
        if (!bench::buildLongPianoScore(Demo, ui, built)) std::abort();
        return built;
    }();
    return score;
}

std::string longScoreFile() {
    static const std::string path = [] {
        QuietUi ui;
        const std::string out = (std::filesystem::temp_directory_path() / "quaverly-bench-long.QVR").string();
        if (!qv::writeScoreFile(longScore(), out, {0, longScore().Nstaves}, {}, ui)) std::abort();
        return out;
    }();
    return path;
}

void exportLong(benchmark::State& state, const char* option, const std::string& out) {
    const std::string score = longScoreFile();
    double peak = 0;
    for (auto _ : state)
        peak = std::max(peak, runCli({"export", score, option, out}));
    state.counters["peak_MB"] = peak;
    state.counters["pages"] = qv::pageCount(longScore());
}

void BM_ExportPdfLongScore(benchmark::State& state) {
    exportLong(state, "--pdf", (std::filesystem::temp_directory_path() / "quaverly-bench-long.pdf").string());
}
BENCHMARK(BM_ExportPdfLongScore)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ExportPngLongScore(benchmark::State& state) {
    exportLong(state, "--png", (std::filesystem::temp_directory_path() / "quaverly-bench-long").string());
}
BENCHMARK(BM_ExportPngLongScore)->Unit(benchmark::kMillisecond)->Iterations(5);

qv::PrintSource longSource() {
    qv::PrintSource source;
    source.score = &longScore();
    source.filePath = "long.QVR";
    source.clock = QDateTime(QDate(2026, 12, 8), QTime(2, 0));
    return source;
}

// Every page into a PDF in process: drawing here, compression on the second thread.
void BM_LongScoreToPdf(benchmark::State& state) {
    QuietUi ui;
    const qv::PrintSource source = longSource();
    const int pages = qv::pageCount(longScore());
    for (auto _ : state) {
        qv::PdfPrintDevice pdf(longScore().page);
        qv::printPages(source, {1, pages, 1, false}, pdf, ui);
        benchmark::DoNotOptimize(pdf.bytes().size());
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_LongScoreToPdf)->Unit(benchmark::kMillisecond);

void BM_LongScoreToPngPages(benchmark::State& state) {
    QuietUi ui;
    const qv::PrintSource source = longSource();
    const int pages = qv::pageCount(longScore());
    const std::string prefix = (std::filesystem::temp_directory_path() / "quaverly-bench-long-inprocess").string();
    for (auto _ : state)
        if (!qv::writePagePictures(source, {1, pages, 1, false}, prefix, ui).ok) std::abort();
    state.counters["pages"] = pages;
}
BENCHMARK(BM_LongScoreToPngPages)->Unit(benchmark::kMillisecond);

// The stages of one page on the drawing thread: the print image drawn on the kept
// surface, then its one-bit picture.
void BM_LongScorePrintImage(benchmark::State& state) {
    const qv::PrintSource source = longSource();
    qv::PrintPageDrawer drawer;
    for (auto _ : state)
        benchmark::DoNotOptimize(drawer.draw(longScore(), 3, source.filePath, source.clock).constBits());
}
BENCHMARK(BM_LongScorePrintImage)->Unit(benchmark::kMillisecond);

void BM_LongScoreOneBitPicture(benchmark::State& state) {
    const qv::PrintSource source = longSource();
    const QImage page = qv::renderPrintPage(longScore(), 3, source.filePath, source.clock);
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::oneBitPicture(page).constBits());
}
BENCHMARK(BM_LongScoreOneBitPicture)->Unit(benchmark::kMillisecond);

} // namespace
