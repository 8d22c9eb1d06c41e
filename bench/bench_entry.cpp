// Writing music: one note typed (the letter and Space) on a stave of 248 objects,
// from the key to the pixels: the provisional note drawn, the undo record, the
// object added, the stave tidied and measured and its band drawn again. And one
// undo of a group over 255 full staves.

#include "benchgui.h"
#include "drawinghost.h"
#include "edit/eventrouting.h"
#include "layout/tidystave.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using bench::DrawingHost;

void BM_TypeANoteOnAFullStave(benchmark::State& state) {
    bench::gui();
    // The first stave of the dense page (notes, beams, ties, curves and texts) with
    // its last object taken off, and quavers at its end up to 248 objects.
    qv::Score score = qv::test::densePage();
    qv::installLayoutHooks(score);
    score.undo.open(100);
    score.stave(1).Nobjec = qv::MaxObjects - 1;
    qv::StaveChanged(score, 1);
    for (int x = 560; score.stave(1).Nobjec < qv::MaxObjects - 1; x += 2)
        qv::test::append(score.stave(1), qv::test::makeNote(x, 2, 4, score.stave(1).Ycoord));
    qv::StaveChanged(score, 1);
    qv::Editor editor;
    qv::Settings settings;
    settings.Level = qv::Advanced;
    qv::test::ScriptedUi ui;
    DrawingHost host(score, editor);
    qv::EditSession session{score, editor, settings, ui, host};
    editor.page.currentStave = 1;
    qv::SetMode(session, qv::ModeMusic);
    host.redrawPage();
    const int before = score.stave(1).Nobjec;
    for (auto _ : state) {
        editor.cursorX = 400;
        const auto start = std::chrono::steady_clock::now();
        qv::keyPressed(session, qv::KeyEvent{'G', U'g', qv::ModNone});
        qv::keyReleased(session, qv::KeyEvent{'G', 0, qv::ModNone});
        qv::keyPressed(session, qv::KeyEvent{qv::KeySpace, U' ', qv::ModNone});
        qv::keyReleased(session, qv::KeyEvent{qv::KeySpace, 0, qv::ModNone});
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        if (score.stave(1).Nobjec != before + 1) state.SkipWithError("the note was not added");
        score.undo.undoStep(score, ui); // back to 248 objects, untimed
    }
    state.counters["objects"] = before;
    state.counters["bands_per_note"] = double(host.bands) / double(state.iterations());
}
BENCHMARK(BM_TypeANoteOnAFullStave)->UseManualTime()->Unit(benchmark::kMicrosecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_UndoAGroupOf255FullStaves(benchmark::State& state) {
    qv::Score score = qv::test::makeScore(qv::MaxStaves);
    for (int s = 1; s <= qv::MaxStaves; ++s)
        for (int i = 0; i < qv::MaxObjects; ++i)
            qv::test::append(score.stave(s), qv::test::makeNote(2 * i, i % 7));
    score.undo.open(100);
    qv::test::ScriptedUi ui;
    for (auto _ : state) {
        state.PauseTiming();
        score.undo.pushStaveRange(score, 1, qv::UndoStaveRange, qv::MaxStaves);
        state.ResumeTiming();
        benchmark::DoNotOptimize(score.undo.undoStep(score, ui));
    }
}
BENCHMARK(BM_UndoAGroupOf255FullStaves)->Unit(benchmark::kMillisecond);

} // namespace
