#include "interchange/systemfit.h"

#include "model/pagegeometry.h"
#include "model/stave.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace qv {

namespace {

constexpr double StaveSizeStep = 0.01; // inches between the stave sizes tried

// The file's own stave size first, then whole hundredths of an inch below it
// down to the smallest.
std::vector<double> candidateSizes(double preferred) {
    const double first = std::clamp(preferred, MinStaveSize, MaxStaveSize);
    std::vector<double> sizes{first};
    for (int h = static_cast<int>(std::ceil(first / StaveSizeStep - 1e-9)) - 1; h * StaveSizeStep >= MinStaveSize - 1e-9; --h)
        sizes.push_back(h * StaveSizeStep);
    return sizes;
}

} // namespace

int systemMusicStart(const ImportPlan& plan, int m, int grade) {
    const MeasurePlan& mp = plan.measures[static_cast<std::size_t>(m)];
    int widest = 0;
    for (const StaveMeasure& sm : mp.staves)
        widest = std::max(widest, sm.key != 0 ? keyAdvance(0, sm.key, grade) : 0);
    int x = HeaderClefX + FullClefAdvance + widest;
    if (mp.time) x += timeAdvance(*mp.time, grade);
    if (mp.repeatStart) x += barAdvance(2, grade);
    return x;
}

int measurePrefix(const ImportPlan& plan, int m, int grade) {
    const MeasurePlan& mp = plan.measures[static_cast<std::size_t>(m)];
    int clef = 0, key = 0;
    for (const StaveMeasure& sm : mp.staves) {
        if (sm.clefChanged) clef = SmallClefAdvance;
        if (sm.keyChanged) key = std::max(key, keyAdvance(sm.previousKey, sm.key, grade));
    }
    return clef + key + (mp.time ? timeAdvance(*mp.time, grade) : 0);
}

std::vector<int> breakIntoSystems(const ImportPlan& plan, const std::vector<MeasureLayout>& layout, int grade,
                                  int right) {
    std::vector<int> starts;
    const int measures = static_cast<int>(layout.size());
    const std::size_t staves = plan.staves.size();
    int m = 0;
    while (m < measures) {
        starts.push_back(m);
        int x = systemMusicStart(plan, m, grade);
        std::vector<int> used(staves, HeaderObjects);
        int j = m;
        for (; j < measures; ++j) {
            const MeasureLayout& ml = layout[static_cast<std::size_t>(j)];
            const int prefix = j == m ? 0 : measurePrefix(plan, j, grade);
            bool fits = j == m || x + prefix + ml.barX <= right;
            for (std::size_t s = 0; fits && s < staves; ++s)
                fits = j == m || used[s] + HeaderObjects + ml.objects[s] <= MaxObjects;
            if (!fits) break;
            for (std::size_t s = 0; s < staves; ++s) used[s] += ml.objects[s] + HeaderObjects;
            x += prefix + ml.width;
        }
        m = j;
    }
    return starts;
}

std::optional<ImportFit> fitImport(const ImportPlan& plan, double preferred, int preferredGrade,
                                   const std::function<int(double)>& rightAt) {
    const std::size_t staves = std::max<std::size_t>(1, plan.staves.size());
    if (staves > MaxStaves) return std::nullopt;
    std::array<std::vector<MeasureLayout>, 5> layouts;
    const int topGrade = std::clamp(preferredGrade, 1, 5);
    for (const double size : candidateSizes(preferred)) {
        for (int grade = topGrade; grade >= 1; --grade) {
            std::vector<MeasureLayout>& layout = layouts[static_cast<std::size_t>(grade - 1)];
            if (layout.empty()) layout = layoutMeasures(plan, grade);
            std::vector<int> starts = breakIntoSystems(plan, layout, grade, rightAt(size));
            if (std::max<std::size_t>(1, starts.size()) * staves <= MaxStaves)
                return ImportFit{size, grade, layout, std::move(starts)};
        }
    }
    return std::nullopt;
}

} // namespace qv
