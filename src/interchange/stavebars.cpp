#include "interchange/stavebars.h"

#include <algorithm>
#include <cstdlib>

namespace qv {

std::vector<BarLine> systemBarLines(const Score& score, const SystemRange& system) {
    std::vector<BarLine> bars;
    for (int s = system.first; s <= system.last; ++s) {
        const Stave& stave = score.stave(s);
        for (int i = 1; i <= stave.Nobjec; ++i) {
            const ScoreObject& o = stave.object(i);
            if (!o.is(ObjectKind::Barline)) continue;
            const bool known = std::any_of(bars.begin(), bars.end(), [&](const BarLine& b) {
                return std::abs(b.x - o.x()) < SameBarDistance;
            });
            if (!known) bars.push_back({o.x(), o.barType() <= BarEnd ? o.barType() : BarSingle});
        }
    }
    std::stable_sort(bars.begin(), bars.end(), [](const BarLine& a, const BarLine& b) { return a.x < b.x; });
    return bars;
}

int stretchOf(const std::vector<BarLine>& bars, int x) {
    int n = 0;
    for (const BarLine& b : bars)
        if (b.x <= x) ++n;
    return n;
}

} // namespace qv
