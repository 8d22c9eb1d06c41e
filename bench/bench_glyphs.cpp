// Drawing glyphs from the compiled-in bitmaps: 10,000 a round on the screen page
// and on the three-times print image. Time per glyph is reported as a counter.

#include "render/drawcontext.h"
#include "render/glyphs.h"
#include "render/glyphstore.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int GlyphsPerRound = 10000;
// A mix like a page of music: heads, flags, clefs, rests, accidentals, dots.
constexpr int Codes[] = {25, 26, 27, 28, 3, 2, 46, 44, 48, 52, 53, 37, 39, 23, 22, 156, 142, 19};

void drawRound(qv::DrawContext& dc) {
    int n = 0;
    for (int i = 0; i < GlyphsPerRound; ++i) {
        const int code = Codes[i % std::size(Codes)];
        const int x = 30 + (i * 37) % 640;
        const int y = 40 + ((i / 17) * 23) % 900;
        qv::DrawGlyph(dc, code, x, y, (i & 7) == 0, 0x000000);
        ++n;
    }
    benchmark::DoNotOptimize(n);
}

void runGlyphs(benchmark::State& state, bool highRes) {
    if (qv::GlyphStore::builtIn().size() == 0) {
        state.SkipWithError("no glyph bitmaps are compiled in");
        return;
    }
    qv::DrawContext dc;
    dc.HighResMode = highRes;
    dc.newScreenPage(696, 1000);
    if (highRes) dc.newPrintPage(696, 1000);
    for (auto _ : state) drawRound(dc);
    state.counters["per_glyph"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * GlyphsPerRound,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_ScreenGlyphs(benchmark::State& state) { runGlyphs(state, false); }
void BM_PrintGlyphs(benchmark::State& state) { runGlyphs(state, true); }
BENCHMARK(BM_ScreenGlyphs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintGlyphs)->Unit(benchmark::kMillisecond);

} // namespace
