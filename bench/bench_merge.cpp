// Merging a file of 100 staves (40 notes and a text each) into a score of 150
// staves: read and checked from disk, put in after stave 75 with its undo group, and
// the score repaginated.

#include "benchgui.h"
#include "files/merge.h"
#include "files/scorefilewrite.h"
#include "model/pagegeometry.h"
#include "support/scorebuilder.h"
#include "support/scratchfolder.h"
#include "support/scriptedui.h"

#include <benchmark/benchmark.h>

namespace {

qv::Score stavesOfNotes(int staves) {
    qv::Score score = qv::test::makeScore(staves);
    for (int s = 1; s <= staves; ++s) {
        qv::Stave& st = score.stave(s);
        if (s % 2 == 1) st.joinToNext = true;
        for (int i = 0; i < 40; ++i)
            qv::test::append(st, qv::test::makeNote(30 + 12 * i, i % 7 - 3, 4, st.Ycoord));
        qv::test::append(st, qv::test::makeShortText(40, st.Ycoord - 30, 1, "dolce"));
    }
    return score;
}

void BM_MergeAHundredStavesIntoAHundredAndFifty(benchmark::State& state) {
    bench::gui();
    qv::test::ScriptedUi ui;
    qv::test::ScratchFolder dir;
    const std::string path = dir.at("MERGED.QVR");
    qv::Score file = stavesOfNotes(100);
    qv::test::writeBytes(path, qv::encodeScore(file, {0, 100}, {}));
    for (auto _ : state) {
        state.PauseTiming();
        qv::Score score = stavesOfNotes(150);
        score.undo.open(100);
        qv::PageState pages;
        state.ResumeTiming();
        const int height = qv::musicAreaHeight(score.page, score.StvSiz);
        if (!qv::mergeFile(score, 76, path, height, ui, pages) || score.Nstaves != 250)
            state.SkipWithError("the file was not merged");
    }
}
BENCHMARK(BM_MergeAHundredStavesIntoAHundredAndFifty)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
