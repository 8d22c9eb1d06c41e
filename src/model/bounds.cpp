#include "model/bounds.h"

#include <algorithm>

namespace qv {

bool boundPaper(PageData& p) {
    const PageData before = p;
    p.Width = std::clamp(p.Width, MinPaperSide, MaxPaperSide);
    p.Length = std::clamp(p.Length, MinPaperSide, MaxPaperSide);
    // Too wide both ways: the shorter side is cut, so the sheet keeps its orientation.
    if (p.Width > MaxPaperShortSide && p.Length > MaxPaperShortSide)
        (p.Width <= p.Length ? p.Width : p.Length) = MaxPaperShortSide;
    return p != before;
}

namespace {

// Lengths come from files in thousandths of an inch: half of one is no shortfall.
constexpr double Slack = 0.0005;

} // namespace

bool boundMargins(PageData& p) {
    const PageData fallback = fallbackPage();
    const PageData before = p;
    if (p.Width - p.LeftM - p.RightM - p.GutM < MinMusicArea - Slack) {
        p.LeftM = fallback.LeftM;
        p.RightM = fallback.RightM;
        p.GutM = fallback.GutM;
    }
    if (p.Length - p.TopM - p.BotM - p.Header - p.Footer < MinMusicArea - Slack) {
        p.TopM = fallback.TopM;
        p.BotM = fallback.BotM;
        p.Header = 0.0;
        p.Footer = 0.0;
    }
    return p != before;
}

int paperReach(const PageData& p, double stvSiz) {
    return roundHalfEven(toPageUnits(std::max(p.Width, p.Length), stvSiz));
}

SurfaceSize boundSurface(int width, int height) {
    SurfaceSize s{std::clamp(width, 0, MaxPageUnits), std::clamp(height, 0, MaxPageUnits)};
    if (s.width > MaxPageShortUnits && s.height > MaxPageShortUnits)
        (s.width <= s.height ? s.width : s.height) = MaxPageShortUnits;
    return s;
}

} // namespace qv
