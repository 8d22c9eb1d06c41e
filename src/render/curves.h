#pragma once
// Curves through anchor points (slurs and phrase marks), ties and styled lines.
//
// A curve is a natural cubic spline through its points, taken as a function of x
// and drawn column by column: a thin line, thickened below it toward its middle
// (tapering to one pixel at the ends), or a dotted pattern of short strokes.
// Positions are page positions (screen pixels), y down.

#include "model/score.h"
#include "render/drawcontext.h"

#include <QPoint>

#include <vector>

namespace qv {

// The vertical reach of a drawn curve: smallest curve y and largest curve y plus
// the thickness.
struct SplineBounds {
    int minY = 0;
    int maxY = 0;
    bool operator==(const SplineBounds&) const = default;
};

// The screen renderer: draws on MainImage in the colour (only the thin line in
// exclusive-or mode, so that drawing twice restores the page).
SplineBounds DrawSpline(DrawContext& dc, const std::vector<QPoint>& points, int thickness, bool dotted,
                        bool xorMode, ColourValue colour);
// The same curve on the print image, points multiplied by three, in black (on a
// zoomed screen in the colour, thin in exclusive-or mode). Callers pass three times
// the screen thickness.
void DrawHiResSpline(DrawContext& dc, const std::vector<QPoint>& points, int thickness, bool dotted,
                     bool xorMode = false, ColourValue colour = 0x000000);
// The reach the screen renderer would find for the curve, drawing nothing.
SplineBounds SplineReach(const std::vector<QPoint>& points, int thickness, bool dotted);

// The curve whose first point is object `firstIndex` of `stave`. On the screen it
// also rewrites the first point's reach bytes and widens the stave's extent.
void DrawCurve(DrawContext& dc, Score& score, int stave, int firstIndex, ColourValue colour, bool showAnchors,
               bool xorMode);
// The tie from note `fromIndex` to the later note `toIndex` of `stave`;
// direction -1 is overhand, +1 underhand (not the note's stored tie byte). Its ends
// sit just clear of the heads on that side (beside a stem that rises there), and
// its arch deepens gently with its width to about a space.
void DrawTie(DrawContext& dc, Score& score, int stave, ColourValue colour, bool xorMode, int fromIndex,
             int toIndex, int direction);
// A line with a dash style: 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, any other
// value solid. The pattern is drawn, so that an ottava line looks dashed.
void DrawStyledLine(DrawContext& dc, int x1, int y1, int x2, bool xorMode, ColourValue colour, int dashStyle,
                    int thickness, int y2);

} // namespace qv
