#pragma once
// The page zoom: the levels the menu and the keys step through, fitting the page
// into the window, and whether the page is drawn three pixels per page unit.

#include <QSize>

#include <array>

namespace qv {

inline constexpr int MinZoom = 50;  // per cent
inline constexpr int MaxZoom = 400;
inline constexpr std::array ZoomLevels{50, 67, 75, 100, 125, 150, 200, 300, 400};

// How the zoom follows the window: as set, or fitted to its width or its whole page.
enum class ZoomFit { None = 0, Width = 1, Page = 2 };

int clampZoom(int percent);
// The next level above or below `percent` (which need not be a level), held
// within the limits.
int zoomedIn(int percent);
int zoomedOut(int percent);

// The largest zoom at which `page` (page units) fits `area` (widget pixels): its
// width alone, or the whole page. A page that does not fit its width at the
// smallest zoom gets the smallest.
int fitZoom(ZoomFit fit, QSize page, QSize area);

// The screen shows more than one device pixel per page unit: draw the page from
// the three-times glyphs.
bool drawnThreeTimes(int percent, double devicePixelRatio);

} // namespace qv
