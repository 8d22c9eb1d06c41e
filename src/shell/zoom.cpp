#include "shell/zoom.h"

#include <algorithm>
#include <cmath>

namespace qv {

int clampZoom(int percent) { return std::clamp(percent, MinZoom, MaxZoom); }

int zoomedIn(int percent) {
    for (int level : ZoomLevels)
        if (level > percent) return level;
    return MaxZoom;
}

int zoomedOut(int percent) {
    for (auto it = ZoomLevels.rbegin(); it != ZoomLevels.rend(); ++it)
        if (*it < percent) return *it;
    return MinZoom;
}

int fitZoom(ZoomFit fit, QSize page, QSize area) {
    if (page.width() <= 0 || page.height() <= 0 || area.width() <= 0 || area.height() <= 0) return 100;
    const double across = 100.0 * area.width() / page.width();
    const double down = 100.0 * area.height() / page.height();
    const double wanted = fit == ZoomFit::Page ? std::min(across, down) : across;
    return clampZoom(static_cast<int>(std::floor(wanted)));
}

bool drawnThreeTimes(int percent, double devicePixelRatio) { return percent * devicePixelRatio > 100.0; }

} // namespace qv
