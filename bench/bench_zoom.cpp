// The demo's first page shown zoomed in, as the score window shows it after a
// change: drawn afresh at three pixels per page unit in the screen's colours, then
// a 1400 x 900 window's worth of it painted through the page view (scaled smoothly
// at 200 %, pixel for pixel at 300 %).

#include "benchgui.h"
#include "quietui.h"
#include "files/loader.h"
#include "model/pagegeometry.h"
#include "render/page.h"
#include "shell/pageview.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

const std::string Demo = QUAVERLY_SOURCE_DIR "/resources/demo/demo.QVR";

struct ZoomedPage {
    qv::Score score;
    qv::DrawContext dc;
    qv::PageView view;
    QImage window{1400, 900, QImage::Format_RGB32};

    explicit ZoomedPage(int percent) {
        bench::QuietUi ui;
        if (!qv::loadScore(Demo, {}, ui, score)) std::abort();
        dc.HighResMode = dc.ZoomedScreen = true;
        dc.newPrintPage(qv::musicAreaWidth(score.page, score.StvSiz), qv::musicAreaHeight(score.page, score.StvSiz));
        view.setZoom(percent / 100.0);
        view.setPage(&dc.Printimage, QPoint(), 3);
    }
    void repaint() {
        qv::PageOptions options;
        options.highlightedStave = 3;
        qv::DrawPage(dc, score, 1, options);
        view.render(&window, QPoint(), QRegion(window.rect()));
    }
};

void BM_ZoomedPageRepaint(benchmark::State& state) {
    bench::gui();
    ZoomedPage page(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        page.repaint();
        benchmark::DoNotOptimize(page.window.constBits());
    }
}
BENCHMARK(BM_ZoomedPageRepaint)->Arg(200)->Arg(300)->Unit(benchmark::kMillisecond);

// The view's share alone: a window's worth painted from a page already drawn (a
// scroll or an exposed window).
void BM_ZoomedViewPaint(benchmark::State& state) {
    bench::gui();
    ZoomedPage page(static_cast<int>(state.range(0)));
    page.repaint();
    for (auto _ : state) {
        page.view.render(&page.window, QPoint(), QRegion(page.window.rect()));
        benchmark::DoNotOptimize(page.window.constBits());
    }
}
BENCHMARK(BM_ZoomedViewPaint)->Arg(100)->Arg(200)->Arg(300)->Arg(400)->Unit(benchmark::kMillisecond);

} // namespace
