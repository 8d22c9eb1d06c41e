// The memory a hostile file can make the program take: the worst files we can
// craft that the loader accepts, each loaded and its first page drawn on the screen
// page and on the print image. Targets: 150 MB for the screen page, 300 MB for the
// print image, whatever the file.
//
// Memory is read from the process's peak resident set (VmHWM in /proc/self/status),
// reset to the present resident set (by writing 5 to /proc/self/clear_refs) before
// each file, so that each case reports its own peak. That counts everything the
// program really touches (the page image, scratch bitmaps, caches, Qt's own font
// caches) and nothing it only reserves. `peak_MB` is the whole process at its
// peak, as a user would see it; `growth_MB` what the file added to what the process
// held before it; `page_MB` the page image alone. Cases run in one process also
// hold what earlier ones left in the caches (each bounded), so for the figure of a
// program that opens just this file run one case alone, e.g.
//   quaverly-bench --benchmark_filter='Hostile.*/many_texts/print'.

#include "benchgui.h"
#include "files/loader.h"
#include "files/scorefilewrite.h"
#include "render/pageimage.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

// A field of /proc/self/status in kilobytes, 0 when it cannot be read.
long statusKilobytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
    return 0;
}

// Makes the peak resident set start again from the present one; false when the
// system does not allow it (the peak then counts from the start of the process).
bool resetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return clear.good();
}

// The largest page there is: 12 x 24 inches without margins at the smallest stave
// size, asked for as 65.5 inches square and a stave of 0.15 inch, which the loader
// brings down to it.
qv::Score largestPage(int staves) {
    qv::Score score = qv::test::makeScore(staves);
    score.page.Width = score.page.Length = 65.5;
    score.page.TopM = score.page.BotM = score.page.LeftM = score.page.RightM = 0.0;
    score.StvSiz = 0.15;
    for (int s = 1; s <= staves; ++s) {
        qv::Stave& st = score.stave(s);
        st.Ycoord = 60 + 180 * (s - 1);
        st.RightX = 1900;
    }
    return score;
}

// The longest text a stave holds, 249 chunks, with accidentals and blanks that make
// it set letter by letter.
void longestText(qv::Stave& s, int x) {
    const std::string chunk = std::string("W") + char(141) + "AV" + char(143) + "Tfi" + char(30) + "W";
    for (int k = 0; k < qv::MaxObjects; ++k) {
        qv::ScoreObject o = qv::test::makeTextHead(k == 0 ? x : 0, k == 0 ? s.Ycoord - 40 : 0, 1, chunk,
                                                   k == 0 ? 0 : qv::TextContinuation);
        if (k + 1 < qv::MaxObjects) o.setTextNext(s.Nobjec + 2);
        qv::test::append(s, o);
    }
}

// Each file as its bytes: the score as built is written out with every value as it
// stands, and the loader meets it as it would a file from disk.
struct HostileFile {
    std::string name;
    std::function<qv::Score()> build;
};

const std::vector<HostileFile>& hostileFiles() {
    static const std::vector<HostileFile> files = {
        {"largest_page", [] { return largestPage(1); }},
        // Twenty of the longest texts in a font of 65535 points (read as 255).
        {"longest_texts",
         [] {
             qv::Score score = largestPage(20);
             score.fonts.setFont(1, {"Times New Roman", 65535, 0, 0});
             for (int s = 1; s <= score.Nstaves; ++s)
                 longestText(score.stave(s), -2000 * (s - 1));
             return score;
         }},
        // Ten staves full of short texts all different, in sizes that the text
        // cache keeps: the cache fills and empties again.
        {"many_texts",
         [] {
             qv::Score score = largestPage(10);
             for (int f = 1; f <= 4; ++f)
                 score.fonts.setFont(f, {"Times New Roman", 20 + 20 * f, 0, 0});
             for (int s = 1; s <= score.Nstaves; ++s)
                 for (int i = 0; i < qv::MaxObjects; ++i)
                     qv::test::append(score.stave(s),
                                      qv::test::makeShortText(7 * i, score.stave(s).Ycoord, 1 + i % 4,
                                                              "Q" + std::to_string(s * 1000 + i)));
             return score;
         }},
        // Sixty fonts, each of its own face and a large size, one text in each: fonts
        // and texts are set afresh one after another.
        {"many_fonts",
         [] {
             qv::Score score = largestPage(20);
             for (int f = 1; f <= 60; ++f)
                 score.fonts.setFont(
                     f, {"Face " + std::to_string(f), 100 + 2 * f, static_cast<std::uint8_t>(f % 16), 0});
             for (int f = 1; f <= 60; ++f) {
                 qv::Stave& s = score.stave(1 + (f - 1) % 20);
                 qv::test::append(s, qv::test::makeShortText(600 * ((f - 1) / 20), s.Ycoord, f,
                                                             "WQ@%" + std::to_string(f)));
             }
             return score;
         }},
        // Filled ellipses and outlined rectangles of every size up to the largest
        // a file gives (cut to the paper), centred on the page.
        {"huge_shapes",
         [] {
             qv::Score score = largestPage(1);
             for (int i = 0; i < 24; ++i) {
                 qv::ScoreObject o = qv::makeObject(qv::ObjectKind::Shape, 960, 1920);
                 o.setShapeType(i % 2 ? 0 : 2);
                 o.setShapeFilled(i % 2);
                 o.setShapeSize1(32767 - 97 * i);
                 o.setShapeSize2(-32768 + 89 * i);
                 qv::test::append(score.stave(1), o);
             }
             return score;
         }},
        // Lines, hairpins and dashed lines 255 thick, every one a new slope across the
        // whole coordinate range.
        {"long_strokes",
         [] {
             qv::Score score = largestPage(1);
             for (int i = 0; i < 60; ++i) {
                 const qv::ObjectKind kind = i % 3 == 1 ? qv::ObjectKind::Hairpin : qv::ObjectKind::Line;
                 qv::ScoreObject o = qv::makeObject(kind, -32000 + 11 * i, -32000 + 7 * i);
                 o.setI16(6, 32767);
                 o.setI16(8, 32767 - 301 * i);
                 o.setU8(10, 255);
                 o.setU8(11, i % 3 == 2 ? 3 : 0);
                 qv::test::append(score.stave(1), o);
             }
             return score;
         }},
    };
    return files;
}

std::vector<std::uint8_t> bytesOf(const HostileFile& file) {
    qv::Score score = file.build();
    return qv::encodeScore(score, qv::WriteRange{0, score.Nstaves}, qv::WriteOptions{});
}

void BM_HostileFilePeakMemory(benchmark::State& state, const HostileFile& file, bool print) {
    bench::gui();
    const std::vector<std::uint8_t> bytes = bytesOf(file);
    long before = 0, peak = 0;
    double pageMB = 0;
    for (auto _ : state) {
        if (!resetPeak()) state.SkipWithError("the peak resident set cannot be reset here");
        before = statusKilobytes("VmRSS");
        qv::test::ScriptedUi ui;
        qv::Score score;
        if (!qv::loadScoreBytes(bytes, file.name + ".QVR", qv::LoadOptions{96, nullptr}, ui, score)) {
            state.SkipWithError("the loader refused the file");
            break;
        }
        const QImage page =
            print ? qv::renderPrintPage(score, 1, file.name + ".QVR") : qv::renderScreenPage(score, 1);
        benchmark::DoNotOptimize(page.constBits());
        pageMB = page.sizeInBytes() / 1048576.0;
        peak = statusKilobytes("VmHWM");
    }
    state.counters["peak_MB"] = peak / 1024.0;
    state.counters["growth_MB"] = (peak - before) / 1024.0;
    state.counters["page_MB"] = pageMB;
}

void registerHostileFiles() {
    for (const HostileFile& file : hostileFiles())
        for (const bool print : {false, true})
            benchmark::RegisterBenchmark(
                ("BM_HostileFilePeakMemory/" + file.name + (print ? "/print" : "/screen")).c_str(),
                [&file, print](benchmark::State& state) { BM_HostileFilePeakMemory(state, file, print); })
                ->Iterations(1)
                ->Unit(benchmark::kMillisecond);
}

// Registered before main runs, as BENCHMARK does.
const bool registered = (registerHostileFiles(), true);

} // namespace
