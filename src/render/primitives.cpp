#include "render/primitives.h"

#include "render/glyphstore.h"
#include "render/stencils.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <tuple>
#include <type_traits>
#include <utility>

namespace qv {

namespace {

// 0x00BBGGRR to Qt's 0xAARRGGBB without building a QColor.
QRgb toRgb(ColourValue bgr) {
    return 0xFF000000u | ((bgr & 0xFFu) << 16) | (bgr & 0xFF00u) | ((bgr >> 16) & 0xFFu);
}

// The pen mode applied to one pixel; pen and pixel are 0xAARRGGBB.
template <PenMode M> QRgb combine(QRgb pen, QRgb pixel) {
    if constexpr (M == PenMode::NotXor) return 0xFF000000u | (~(pen ^ pixel) & 0xFFFFFF);
    if constexpr (M == PenMode::Mask) return 0xFF000000u | (pen & pixel);
    return 0xFF000000u | pen;
}

QRgb combine(QRgb pen, QRgb pixel, PenMode mode) {
    switch (mode) {
    case PenMode::NotXor: return combine<PenMode::NotXor>(pen, pixel);
    case PenMode::Mask: return combine<PenMode::Mask>(pen, pixel);
    case PenMode::Copy: break;
    }
    return combine<PenMode::Copy>(pen, pixel);
}

// Calls `body` with the pen mode as a compile-time constant, so that loops over
// pixels carry no switch.
template <class Body> void withMode(PenMode mode, Body&& body) {
    switch (mode) {
    case PenMode::NotXor: body(std::integral_constant<PenMode, PenMode::NotXor>{}); return;
    case PenMode::Mask: body(std::integral_constant<PenMode, PenMode::Mask>{}); return;
    case PenMode::Copy: break;
    }
    body(std::integral_constant<PenMode, PenMode::Copy>{});
}

// The pixels of an RGB32 image, found once per drawing instead of once per row.
struct Pixels {
    QRgb* bits;
    qsizetype stride; // in pixels
    int width;
    int height;

    explicit Pixels(QImage& image)
        : bits(reinterpret_cast<QRgb*>(image.bits())),
          stride(image.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb))), width(image.width()),
          height(image.height()) {}
    QRgb* row(int y) const { return bits + y * stride; }
};

void applyRgb(QImage& image, int x, int y, QRgb pen, PenMode mode) {
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return;
    QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    line[x] = combine(pen, line[x], mode);
}

PenMode penMode(bool xorMode) { return xorMode ? PenMode::NotXor : PenMode::Copy; }

// One span of pixels in a row; a copy is a plain fill.
template <PenMode M> void paintSpan(QRgb* first, QRgb* end, QRgb pen) {
    if constexpr (M == PenMode::Copy) {
        std::fill(first, end, combine<M>(pen, 0));
    } else {
        for (QRgb* p = first; p != end; ++p) *p = combine<M>(pen, *p);
    }
}

// The steps i (0 <= i < steps) at which start + step * i lies in 0..limit-1.
struct StepRange {
    int first;
    int end;
};
StepRange stepsWithin(int start, int step, int steps, int limit) {
    if (step > 0) return {std::max(0, -start), std::min(steps, limit - start)};
    return {std::max(0, start - limit + 1), std::min(steps, start + 1)};
}

// The thin line without its last point, each pixel touched once: the pixels of the
// usual integer line walk (the minor axis steps at step i when its error passes
// half a pixel), found for each step of the major axis directly, so that only the
// steps that land on the canvas are visited, however long the line.
template <PenMode M> void thinLine(const Pixels& canvas, int x1, int y1, int x2, int y2, QRgb pen) {
    if (std::max(x1, x2) < 0 || std::max(y1, y2) < 0 || std::min(x1, x2) >= canvas.width ||
        std::min(y1, y2) >= canvas.height)
        return;
    const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    if (dy == 0) {
        // Horizontal (stave lines, ledger lines, brace rows): one clipped span.
        if (y1 < 0 || y1 >= canvas.height) return;
        const int first = std::max(0, sx > 0 ? x1 : x2 + 1), end = std::min(canvas.width, sx > 0 ? x2 : x1 + 1);
        if (first < end) paintSpan<M>(canvas.row(y1) + first, canvas.row(y1) + end, pen);
        return;
    }
    const bool xMajor = dx >= dy;
    const long long major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    const StepRange range =
        xMajor ? stepsWithin(x1, sx, dx, canvas.width) : stepsWithin(y1, sy, dy, canvas.height);
    // The minor axis at step i is (2 i minor + major) div (2 major): divided out once
    // at the first step on the canvas, then carried from step to step.
    const long long whole = 2 * major;
    long long rest = 2 * range.first * minor + major;
    int along = static_cast<int>(rest / whole);
    rest %= whole;
    for (int i = range.first; i < range.end; ++i) {
        const int x = xMajor ? x1 + sx * i : x1 + sx * along;
        const int y = xMajor ? y1 + sy * along : y1 + sy * i;
        if (x >= 0 && y >= 0 && x < canvas.width && y < canvas.height) {
            QRgb& pixel = canvas.row(y)[x];
            pixel = combine<M>(pen, pixel);
        }
        rest += 2 * minor;
        if (rest >= whole) {
            rest -= whole;
            ++along;
        }
    }
}

// The box a stroke from (0, 0) to `delta` of width `width` can cover, with room
// for its round ends.
QRect strokeBox(QPoint delta, int width) {
    const int pad = width + 2;
    return QRect(QPoint(std::min(0, delta.x()), std::min(0, delta.y())),
                 QPoint(std::max(0, delta.x()), std::max(0, delta.y())))
        .adjusted(-pad, -pad, pad, pad);
}

QPen roundPen(int width) {
    return QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A wide stroke with round ends, painted once per length, slope and width into a
// stencil so that an exclusive-or stroke touches each pixel exactly once.
const PlacedStencil& wideStroke(int dx, int dy, int width) {
    using Key = std::tuple<int, int, int>;
    static thread_local StencilCache<Key, PlacedStencil> cache(StencilRunLimit);
    return cache.get(Key{dx, dy, width}, [&] {
        const QRect box = strokeBox(QPoint(dx, dy), width);
        const QImage stencil = paintedScratch(box.size(), [&](QPainter& p) {
            p.setPen(roundPen(width));
            p.drawLine(-box.topLeft(), QPoint(dx, dy) - box.topLeft());
        });
        return PlacedStencil{box.topLeft(), GlyphBitmap::fromMask(stencil)};
    });
}

void wideLine(QImage& canvas, int x1, int y1, int x2, int y2, ColourValue colour, int width, PenMode mode) {
    const QPoint a(x1, y1), b(x2, y2);
    if (!withinScratchBudget(strokeBox(b - a, width).size())) {
        paintStrokeInBands(canvas, a, b, roundPen(width), colour, mode);
        return;
    }
    const PlacedStencil& stroke = wideStroke(x2 - x1, y2 - y1, width);
    applyRuns(canvas, stroke.ink, a + stroke.offset, colour, mode);
}

// The runs of a bitmap onto the pixels, clipped to them.
template <PenMode M> void paintRuns(const Pixels& target, const GlyphBitmap& bitmap, QPoint at, QRgb pen) {
    const bool inside = at.x() >= 0 && at.y() >= 0 && at.x() + bitmap.width() <= target.width &&
                        at.y() + bitmap.height() <= target.height;
    if (inside) {
        // The usual case: no run needs clipping.
        for (const GlyphBitmap::Run& run : bitmap.runs()) {
            QRgb* row = target.row(at.y() + run.row) + at.x();
            paintSpan<M>(row + run.first, row + run.end, pen);
        }
        return;
    }
    for (const GlyphBitmap::Run& run : bitmap.runs()) {
        const int y = at.y() + run.row;
        if (y < 0 || y >= target.height) continue;
        const int first = std::max(0, at.x() + run.first), end = std::min(target.width, at.x() + run.end);
        if (first < end) paintSpan<M>(target.row(y) + first, target.row(y) + end, pen);
    }
}

} // namespace

void applyPixel(QImage& image, int x, int y, ColourValue pen, PenMode mode) {
    applyRgb(image, x, y, toRgb(pen), mode);
}

void applyRuns(QImage& target, const GlyphBitmap& bitmap, QPoint at, ColourValue colour, PenMode mode) {
    if (bitmap.empty() || target.isNull()) return;
    if (at.x() >= target.width() || at.y() >= target.height() || at.x() + bitmap.width() <= 0 ||
        at.y() + bitmap.height() <= 0)
        return;
    const Pixels pixels(target);
    const QRgb pen = toRgb(colour);
    // Black ANDed onto anything is black: the print image's usual case is a copy.
    if (mode == PenMode::Mask && (pen & 0xFFFFFF) == 0) mode = PenMode::Copy;
    withMode(mode, [&](auto m) { paintRuns<decltype(m)::value>(pixels, bitmap, at, pen); });
}

void paintStrokeInBands(QImage& canvas, QPoint a, QPoint b, const QPen& pen, ColourValue colour,
                        PenMode mode) {
    const int pad = pen.width() + 2;
    const QRect area = strokeBox(b - a, pen.width()).translated(a) & canvas.rect();
    paintInBands(
        area,
        [&](QPainter& p) {
            p.setPen(pen);
            p.drawLine(a, b);
        },
        [&](const QImage& band, QPoint at) {
            applyRuns(canvas, GlyphBitmap::fromMask(band), at, colour, mode);
        },
        [&](int top, int bottom) { return strokeReach(a, b, pad, top, bottom); });
}

void DrawPenLine(QImage& canvas, int x1, int y1, bool xorMode, ColourValue colour, int /*dashStyle*/,
                 int thickness, int y2, int x2) {
    if (thickness > 1) {
        wideLine(canvas, x1, y1, x2, y2, colour, thickness, penMode(xorMode));
        return;
    }
    const Pixels pixels(canvas);
    const QRgb pen = toRgb(colour);
    withMode(penMode(xorMode), [&](auto m) { thinLine<decltype(m)::value>(pixels, x1, y1, x2, y2, pen); });
}

namespace {

std::string point(int x, int y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

std::string colourText(ColourValue c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%06X", c & 0xFFFFFF);
    return buf;
}

void fillHiResRect(DrawContext& dc, int x1, int y1, int x2, int y2, HiResPen pen) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    // A filled rectangle covers its left and top edges but not its right and bottom.
    QImage& page = dc.Printimage;
    const int left = std::max(0, x1 + 1 + dc.HiResOrigin.x());
    const int right = std::min(page.width(), x2 + 1 + dc.HiResOrigin.x());
    const int top = std::max(0, y1 + dc.HiResOrigin.y());
    const int bottom = std::min(page.height(), y2 + dc.HiResOrigin.y());
    if (left >= right) return;
    const Pixels pixels(page);
    const QRgb rgb = toRgb(pen.colour);
    withMode(pen.mode, [&](auto m) {
        for (int y = top; y < bottom; ++y)
            paintSpan<decltype(m)::value>(pixels.row(y) + left, pixels.row(y) + right, rgb);
    });
}

void hiResLine(DrawContext& dc, int x1, int y1, int x2, int y2, int t, HiResPen pen) {
    const int h = t / 2;
    if (x1 == x2 || y1 == y2) {
        if (x1 > x2) std::swap(x1, x2);
        if (y1 > y2) std::swap(y1, y2);
        if (t == -1 && x1 == x2) {
            fillHiResRect(dc, 3 * x1, 3 * y1, 3 * x1 + 2, 3 * y2, pen);
            return;
        }
        fillHiResRect(dc, 3 * (x1 - h), 3 * (y1 - h), 3 * (x2 + t - h), 3 * (y2 + t - h), pen);
        return;
    }
    const QPoint o = dc.HiResOrigin;
    DrawPenLine(dc.Printimage, 3 * x1 + o.x(), 3 * y1 + o.y(), pen.mode == PenMode::NotXor, pen.colour, 0, 3 * t,
                3 * y2 + o.y(), 3 * x2 + o.x());
}

} // namespace

std::string describeColour(bool xorMode, ColourValue colour) {
    return std::string(xorMode ? " xor" : "") + " colour " + colourText(colour);
}

std::string describePoints(int x1, int y1, int x2, int y2) { return point(x1, y1) + "-" + point(x2, y2); }

HiResPen hiResPen(const DrawContext& dc, bool xorMode, ColourValue colour, PenMode paperMode) {
    if (dc.onPaper()) return {0x000000, paperMode};
    return {colour, penMode(xorMode)};
}

void FillHiResRect(DrawContext& dc, int x1, int y1, int x2, int y2, bool xorMode, ColourValue colour) {
    if (dc.record) dc.note("hires rect " + describePoints(x1, y1, x2, y2));
    fillHiResRect(dc, x1, y1, x2, y2, hiResPen(dc, xorMode, colour));
}

void DrawLine(DrawContext& dc, int x1, int y1, int x2, bool xorMode, ColourValue colour, int thickness, int y2) {
    if (dc.record) dc.note("line " + describePoints(x1, y1, x2, y2) + " thickness " + std::to_string(thickness) +
            describeColour(xorMode, colour));
    if (dc.HighResMode) {
        hiResLine(dc, x1, y1, x2, y2, thickness, hiResPen(dc, xorMode, colour));
        return;
    }
    if (thickness == -1) thickness = 0;
    const QPoint o = dc.ScreenOrigin;
    DrawPenLine(dc.MainImage, x1 + o.x(), y1 + o.y(), xorMode, colour, 0, thickness, y2 + o.y(), x2 + o.x());
}

int fracRound(double v) {
    const double a = std::fabs(v);
    const double whole = std::floor(a);
    const int magnitude = static_cast<int>(a - whole < 0.5 ? whole : whole + 1);
    return v < 0 ? -magnitude : magnitude;
}

void DrawFracLine(DrawContext& dc, int thickness, bool xorMode, ColourValue colour, double x1, double y1,
                  double x2, double y2) {
    if (dc.record) {
        char ends[96];
        std::snprintf(ends, sizeof ends, "(%g, %g)-(%g, %g)", x1, y1, x2, y2);
        dc.note(std::string("fracline ") + ends + " thickness " + std::to_string(thickness) +
                describeColour(xorMode, colour));
    }
    if (dc.HighResMode) {
        const QPoint o = dc.HiResOrigin;
        const HiResPen pen = hiResPen(dc, xorMode, colour);
        DrawPenLine(dc.Printimage, fracRound(3.0 * x1) + o.x(), fracRound(3.0 * y1) + o.y(),
                    pen.mode == PenMode::NotXor, pen.colour, 0, 3 * thickness, fracRound(3.0 * y2) + o.y(),
                    fracRound(3.0 * x2) + o.x());
        return;
    }
    const QPoint o = dc.ScreenOrigin;
    DrawPenLine(dc.MainImage, fracRound(x1) + o.x(), fracRound(y1) + o.y(), xorMode, colour, 0, thickness,
                fracRound(y2) + o.y(), fracRound(x2) + o.x());
}

void DrawRectOutline(DrawContext& dc, int x1, int y1, int x2, int y2, bool xorMode, ColourValue colour) {
    DrawLine(dc, x1, y1, x2, xorMode, colour, 1, y1); // top
    DrawLine(dc, x2, y1, x2, xorMode, colour, 1, y2); // right
    DrawLine(dc, x2, y2, x1, xorMode, colour, 1, y2); // bottom
    DrawLine(dc, x1, y2, x1, xorMode, colour, 1, y1); // left
}

} // namespace qv
