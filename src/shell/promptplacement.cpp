#include "shell/promptplacement.h"

#include <algorithm>

namespace qv {

namespace {

constexpr int Gap = 8; // between the prompt and what it keeps clear of

bool fits(const QRect& place, const std::vector<QRect>& keepClear, const QRect& screen) {
    if (screen.isValid() && !screen.contains(place)) return false;
    return std::none_of(keepClear.begin(), keepClear.end(),
                        [&](const QRect& r) { return r.intersects(place); });
}

} // namespace

QPoint placePrompt(QSize prompt, QPoint pointer, const std::vector<QRect>& keepClear, const QRect& screen) {
    const QPoint usual = pointer + QPoint(-50, 50);
    std::vector<QPoint> candidates{usual};
    for (const QRect& r : keepClear) {
        candidates.emplace_back(usual.x(), r.bottom() + 1 + Gap);
        candidates.emplace_back(usual.x(), r.top() - Gap - prompt.height());
        candidates.emplace_back(r.right() + 1 + Gap, usual.y());
        candidates.emplace_back(r.left() - Gap - prompt.width(), usual.y());
    }
    for (const QPoint& c : candidates)
        if (fits(QRect(c, prompt), keepClear, screen)) return c;
    return usual; // nowhere clear: where the user expects it
}

} // namespace qv
