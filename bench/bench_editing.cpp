// Edit mode and the placing modes on a full stave of the dense page: picking the
// object nearest to a point among 249, one frame of an object dragged with the mouse
// (erased, moved and drawn again by exclusive-or), and one frame of Line mode's
// rubber band.

#include "benchgui.h"
#include "drawinghost.h"
#include "edit/eventrouting.h"
#include "edit/pickobject.h"
#include "layout/tidystave.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <benchmark/benchmark.h>

namespace {

// The dense page with its first stave filled to 249 objects, in `mode`.
struct FullStave {
    qv::Score score = qv::test::densePage();
    qv::Editor editor;
    qv::Settings settings;
    qv::test::ScriptedUi ui;
    bench::DrawingHost host{score, editor};
    qv::EditSession session{score, editor, settings, ui, host};
    explicit FullStave(int mode) {
        bench::gui();
        qv::installLayoutHooks(score);
        score.undo.open(100);
        // Tidying takes the dense page's tie links off: fill up again after it.
        for (int pass = 0; pass < 2; ++pass) {
            for (int x = 560; score.stave(1).Nobjec < qv::MaxObjects; x += 2)
                qv::test::append(score.stave(1), qv::test::makeNote(x, 2, 4, score.stave(1).Ycoord));
            if (pass == 0) qv::StaveChanged(score, 1);
        }
        settings.Level = qv::Advanced;
        editor.page.currentStave = 1;
        editor.page.currentPage = 1;
        editor.cursorX = 300;
        qv::SetMode(session, qv::ModeMusic);
        host.redrawPage();
        qv::SetMode(session, mode);
    }
    int y() const { return score.stave(1).Ycoord; }
    // The pixels one more move to (x, y) changes: proof that the frame draws.
    int pixelsChangedBy(int x, int y, unsigned buttons) {
        const QImage before = host.dc.MainImage.copy();
        drag(x, y, buttons);
        int n = 0;
        for (int py = 0; py < before.height(); ++py)
            for (int px = 0; px < before.width(); ++px)
                n += before.pixel(px, py) != host.dc.MainImage.pixel(px, py);
        return n;
    }
    void drag(int x, int y, unsigned buttons) {
        qv::mouseMoved(session, qv::MouseEvent{{x, y}, qv::NoButton, buttons, qv::ModNone, {}});
    }
};

void BM_PickTheNearestOf249Objects(benchmark::State& state) {
    FullStave f(qv::ModeMusic);
    int x = 0;
    for (auto _ : state) {
        x = (x + 37) % 700;
        benchmark::DoNotOptimize(qv::nearestObject(f.score.stave(1), x, f.y() - 10, true));
    }
    state.counters["objects"] = f.score.stave(1).Nobjec;
}
BENCHMARK(BM_PickTheNearestOf249Objects)->Unit(benchmark::kMicrosecond);

void BM_DragFrameInEditMode(benchmark::State& state) {
    FullStave f(qv::ModeEdit);
    qv::mousePressed(f.session, qv::MouseEvent{{300, f.y()}, qv::LeftButton, qv::LeftButton, qv::ModNone, {}}, 0);
    if (f.editor.currentObject == 0) state.SkipWithError("nothing picked");
    f.drag(302, f.y(), qv::LeftButton); // the drag begins: the stave drawn without the object
    int x = 302;
    for (auto _ : state) {
        x = x == 302 ? 330 : 302;
        f.drag(x, f.y() - 4, qv::LeftButton);
    }
    if (f.score.stave(1).object(f.editor.currentObject).x() != x) state.SkipWithError("the object did not follow");
    state.counters["pixels_per_frame"] = f.pixelsChangedBy(x == 302 ? 330 : 302, f.y() - 4, qv::LeftButton);
}
BENCHMARK(BM_DragFrameInEditMode)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_RubberBandFrameInLineMode(benchmark::State& state) {
    FullStave f(qv::ModeLine);
    f.settings.Level = qv::Advanced;
    qv::mousePressed(f.session, qv::MouseEvent{{100, f.y() - 30}, qv::LeftButton, qv::LeftButton, qv::ModNone, {}}, 0);
    qv::mouseReleased(f.session, qv::MouseEvent{{100, f.y() - 30}, qv::LeftButton, qv::NoButton, qv::ModNone, {}});
    int x = 300;
    for (auto _ : state) {
        x = x == 300 ? 500 : 300;
        f.drag(x, f.y() + 40, qv::NoButton);
    }
    if (f.editor.marks.band.empty()) state.SkipWithError("no rubber band");
    state.counters["pixels_per_frame"] = f.pixelsChangedBy(x == 300 ? 500 : 300, f.y() + 40, qv::NoButton);
}
BENCHMARK(BM_RubberBandFrameInLineMode)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
