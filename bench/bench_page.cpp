// Drawing a dense page (12 staves full of notes, beams, ties, curves and texts) on
// the screen and on the three-times print image, and redrawing the band of one
// stave after an edit.

#include "benchgui.h"
#include "render/densepage.h" // tests/render: the dense page the golden images show too
#include "render/page.h"

#include <benchmark/benchmark.h>

namespace {

using qv::test::densePage;
constexpr int PageWidth = qv::test::DensePageWidth;
constexpr int PageHeight = qv::test::DensePageHeight;

int objectCount(const qv::Score& score) {
    int n = 0;
    for (int s = 1; s <= score.Nstaves; ++s)
        n += score.stave(s).Nobjec;
    return n;
}

void BM_DrawPageScreen(benchmark::State& state) {
    bench::gui();
    qv::Score score = densePage();
    qv::DrawContext dc;
    dc.newScreenPage(PageWidth, PageHeight);
    for (auto _ : state) {
        qv::DrawPage(dc, score, 1);
        benchmark::DoNotOptimize(dc.MainImage.constBits());
    }
    state.counters["objects"] = objectCount(score);
}
BENCHMARK(BM_DrawPageScreen)->Unit(benchmark::kMillisecond);

// The page's own share: clearing, stave lines, brackets, braces and joins, no objects.
void BM_DrawPageScreenStavesOnly(benchmark::State& state) {
    bench::gui();
    qv::Score score = densePage();
    for (int s = 1; s <= score.Nstaves; ++s)
        score.stave(s).Nobjec = 0;
    qv::DrawContext dc;
    dc.newScreenPage(PageWidth, PageHeight);
    for (auto _ : state) {
        qv::DrawPage(dc, score, 1);
        benchmark::DoNotOptimize(dc.MainImage.constBits());
    }
}
BENCHMARK(BM_DrawPageScreenStavesOnly)->Unit(benchmark::kMicrosecond);

void BM_DrawPagePrint(benchmark::State& state) {
    bench::gui();
    qv::Score score = densePage();
    qv::DrawContext dc;
    dc.HighResMode = true;
    dc.newPrintPage(PageWidth, PageHeight);
    for (auto _ : state) {
        qv::DrawPage(dc, score, 1);
        qv::DrawBlankingShapes(dc, score, 1);
        benchmark::DoNotOptimize(dc.Printimage.constBits());
    }
    state.counters["objects"] = objectCount(score);
}
BENCHMARK(BM_DrawPagePrint)->Unit(benchmark::kMillisecond);

void BM_RedrawBandOfOneStave(benchmark::State& state) {
    bench::gui();
    qv::Score score = densePage();
    qv::DrawContext dc;
    dc.newScreenPage(PageWidth, PageHeight);
    qv::DrawPage(dc, score, 1);
    const qv::Stave& s = score.stave(6);
    for (auto _ : state) {
        qv::RedrawBand(dc, score, 1, s.Ycoord - 4, s.Ycoord + 36);
        benchmark::DoNotOptimize(dc.MainImage.constBits());
    }
    state.counters["objects"] = s.Nobjec;
}
BENCHMARK(BM_RedrawBandOfOneStave)->Unit(benchmark::kMicrosecond);

} // namespace
