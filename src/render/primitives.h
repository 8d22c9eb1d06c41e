#pragma once
// The drawing primitives every drawer shares: lines of any thickness, filled
// rectangles on the print image, lines with fractional ends, rectangle outlines,
// shapes and the entry cursor. Positions are page positions (screen pixels); each
// primitive adds ScreenOrigin, or multiplies by three and adds HiResOrigin.
//
// Pen modes follow the old raster conventions the drawings rely on: a 1-pixel line
// leaves out its last point, and an exclusive-or drawing (the pixel becomes
// NOT(pen XOR pixel)) drawn twice leaves the image exactly as it was.

#include "render/drawcontext.h"

#include <QImage>
#include <QPen>

#include <string>

namespace qv {

class GlyphBitmap;

enum class PenMode {
    Copy,   // the pixel becomes the pen
    NotXor, // the pixel becomes NOT(pen XOR pixel): white shows the pen, twice restores
    Mask,   // the pixel becomes pen AND pixel: white leaves the pixel alone
};

// One pen stroke on a canvas, in canvas pixels. A thickness of 0 or 1 is the thin
// line without its last point; wider pens have round ends. The dash style is
// accepted and not applied: lines are drawn solid.
void DrawPenLine(QImage& canvas, int x1, int y1, bool xorMode, ColourValue colour, int dashStyle,
                 int thickness, int y2, int x2);

// A line between page positions; thickness -1 is the thinnest line.
void DrawLine(DrawContext& dc, int x1, int y1, int x2, bool xorMode, ColourValue colour, int thickness, int y2);

// The pen of a three-times drawing: on paper black, in `paperMode`; on a zoomed
// screen the colour and mode the screen itself would use.
struct HiResPen {
    ColourValue colour;
    PenMode mode;
};
HiResPen hiResPen(const DrawContext& dc, bool xorMode, ColourValue colour, PenMode paperMode = PenMode::Copy);

// A solid rectangle on Printimage, corners in high-resolution pixels: black on
// paper, the colour on a zoomed screen.
void FillHiResRect(DrawContext& dc, int x1, int y1, int x2, int y2, bool xorMode = false,
                   ColourValue colour = 0x000000);

// A line between fractional page positions (beams).
void DrawFracLine(DrawContext& dc, int thickness, bool xorMode, ColourValue colour, double x1, double y1,
                  double x2, double y2);
// Halves and more go away from zero, less is truncated toward zero.
int fracRound(double v);

// Four thin lines: top, right, bottom, left.
void DrawRectOutline(DrawContext& dc, int x1, int y1, int x2, int y2, bool xorMode, ColourValue colour);

// The words the recording mode uses for colours and end points.
std::string describeColour(bool xorMode, ColourValue colour);
std::string describePoints(int x1, int y1, int x2, int y2);

// A stroke of `pen` from a to b whose stencil would pass the scratch budget: painted
// only where it meets the canvas, in bands, each pixel once, and not kept.
void paintStrokeInBands(QImage& canvas, QPoint a, QPoint b, const QPen& pen, ColourValue colour,
                        PenMode mode);

// Applies `pen` with `mode` to the pixel at (x, y) of an RGB32 image, if inside.
void applyPixel(QImage& image, int x, int y, ColourValue pen, PenMode mode);

// Paints the ink of a bitmap with its top-left corner at `at`, in `colour`, each
// pixel once (so that exclusive-or drawn twice restores the image).
void applyRuns(QImage& target, const GlyphBitmap& bitmap, QPoint at, ColourValue colour, PenMode mode);

} // namespace qv
