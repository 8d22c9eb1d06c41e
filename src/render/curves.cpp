#include "render/curves.h"

#include "render/glyphcatalogue.h"
#include "render/glyphstore.h"
#include "render/glyphs.h"
#include "render/primitives.h"
#include "render/stencils.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <tuple>

namespace qv {

namespace {

constexpr int MaxCurvePoints = 100;

// Halves go to the even neighbour.
int rnd(double v) {
    return static_cast<int>(std::lrint(v));
}

// Where the strokes of a curve go: a canvas, the offset to add to every point,
// and the pen.
struct Target {
    QImage& canvas;
    QPoint origin;
    ColourValue colour;
    PenMode mode;
    bool thicken; // whether thickening strokes are drawn (never while rubber banding)
    int scale;    // 1 on the screen, 3 on the print image
};

// A 1-pixel line without its last point, in target coordinates.
void thinStroke(Target& t, int x1, int y1, int x2, int y2) {
    DrawPenLine(t.canvas, x1 + t.origin.x(), y1 + t.origin.y(), t.mode == PenMode::NotXor, t.colour, 0, 1,
                y2 + t.origin.y(), x2 + t.origin.x());
}

// Sorted by x with equal x in their old order, then every point within 1 pixel
// in x of the last kept point dropped.
std::vector<QPoint> prepare(std::vector<QPoint> points) {
    if (points.size() > MaxCurvePoints) points.resize(MaxCurvePoints);
    std::stable_sort(points.begin(), points.end(), [](QPoint a, QPoint b) { return a.x() < b.x(); });
    std::vector<QPoint> kept;
    for (const QPoint& p : points)
        if (kept.empty() || std::abs(p.x() - kept.back().x()) > 1) kept.push_back(p);
    return kept;
}

// The natural cubic spline through points with strictly increasing x.
class Spline {
  public:
    explicit Spline(const std::vector<QPoint>& p) : p_(p), m_(p.size(), 0.0) { solve(); }

    // Columns are asked for from left to right: the segment found for one is where
    // the search for the next starts, so a curve costs its columns and points once.
    double at(int x) const {
        std::size_t& k = segment_;
        if (k < 1 || p_[k - 1].x() > x) k = 1;
        while (k + 1 < p_.size() && p_[k].x() < x)
            ++k;
        const double h = p_[k].x() - p_[k - 1].x();
        const double t = (x - p_[k - 1].x()) / h, u = 1 - t;
        return t * p_[k].y() + u * p_[k - 1].y() +
               h * h * ((t * t * t - t) * m_[k] + (u * u * u - u) * m_[k - 1]) / 6;
    }

  private:
    double h(std::size_t i) const { return p_[i + 1].x() - p_[i].x(); }

    // The tridiagonal system for the inner second derivatives, by forward
    // elimination and back substitution; both ends stay 0.
    void solve() {
        const std::size_t n = p_.size();
        if (n < 3) return;
        std::vector<double> diag(n, 0.0), rhs(n, 0.0);
        for (std::size_t i = 1; i + 1 < n; ++i) {
            diag[i] = 2.0 * (p_[i + 1].x() - p_[i - 1].x());
            rhs[i] = 6.0 * ((p_[i + 1].y() - p_[i].y()) / h(i) - (p_[i].y() - p_[i - 1].y()) / h(i - 1));
        }
        for (std::size_t i = 2; i + 1 < n; ++i) {
            const double f = h(i - 1) / diag[i - 1];
            diag[i] -= f * h(i - 1);
            rhs[i] -= f * rhs[i - 1];
        }
        for (std::size_t i = n - 2; i >= 1; --i)
            m_[i] = (rhs[i] - h(i) * m_[i + 1]) / diag[i];
    }

    const std::vector<QPoint>& p_;
    std::vector<double> m_;
    mutable std::size_t segment_ = 1;
};

// Dotted curves draw every other run of L columns, starting with a gap. On the
// print image the runs are measured in screen columns and then tripled, so that
// the printed curve has the dots the screen shows.
struct DotPattern {
    int x0;
    int length;
    DotPattern(int first, int last, int scale)
        : x0(first), length(scale * std::clamp((last - first) / scale / 11, 2, 5)) {}
    bool drawn(int x) const { return ((x - x0) / length) % 2 == 1; }
};

void grow(SplineBounds& b, int y, int thickness) {
    b.minY = std::min(b.minY, y);
    b.maxY = std::max(b.maxY, y + thickness);
}

// A straight two-point curve: parallel lines, or strokes in the dotted columns.
void drawStraight(Target& t, QPoint a, QPoint b, int thickness, bool dotted, SplineBounds& bounds) {
    const int lines = std::max(1, thickness); // thickness 0 still shows the curve
    grow(bounds, std::min(a.y(), b.y()), thickness);
    grow(bounds, std::max(a.y(), b.y()), thickness);
    if (!dotted) {
        for (int k = 0; k < lines; ++k)
            thinStroke(t, a.x(), a.y() + k, b.x(), b.y() + k);
        return;
    }
    const DotPattern dots(a.x(), b.x(), t.scale);
    const int length = t.thicken ? lines : 1;
    for (int x = a.x(); x <= b.x(); ++x) {
        if (!dots.drawn(x)) continue;
        const int y = rnd(a.y() + double(x - a.x()) * (b.y() - a.y()) / (b.x() - a.x()));
        thinStroke(t, x, y, x, y + length);
    }
}

// Three points or more: the thin line joining the columns (solid curves), and the
// tapered strokes below it (every column of a solid curve, the dotted columns of
// a dotted one).
void drawSpline(Target& t, const std::vector<QPoint>& p, int thickness, bool dotted, SplineBounds& bounds) {
    const Spline spline(p);
    const int first = p.front().x(), last = p.back().x();
    const int width = std::abs(last - first), mid = (first + last) / 2;
    const DotPattern dots(first, last, t.scale);
    int previous = p.front().y();
    for (int x = first; x <= last; ++x) {
        const int y = rnd(spline.at(x));
        grow(bounds, y, thickness);
        if (!dotted && x > first) thinStroke(t, x - 1, previous, x, y);
        previous = y;
        if (dotted && !dots.drawn(x)) continue;
        // A dotted curve always shows its dots; rubber banding draws them 1 pixel long.
        const bool taper = t.thicken && thickness > 1;
        if (!taper && !dotted) continue;
        const int length =
            taper ? std::max(1, rnd(thickness - 2.0 * thickness * std::abs(x - mid) / width)) : 1;
        thinStroke(t, x, y, x, y + length);
    }
}

SplineBounds drawCurveOn(Target& t, const std::vector<QPoint>& points, int thickness, bool dotted) {
    const std::vector<QPoint> p = prepare(points);
    if (p.empty()) return {};
    SplineBounds bounds{p.front().y(), p.front().y() + 1};
    if (p.size() == 2) drawStraight(t, p[0], p[1], thickness, dotted, bounds);
    if (p.size() >= 3) drawSpline(t, p, thickness, dotted, bounds);
    return bounds;
}

std::string describeCurve(const std::vector<QPoint>& points, int thickness, bool dotted) {
    std::string s = "spline";
    for (const QPoint& p : points)
        s += " (" + std::to_string(p.x()) + ", " + std::to_string(p.y()) + ")";
    return s + " thickness " + std::to_string(thickness) + (dotted ? " dotted" : "");
}

} // namespace

SplineBounds DrawSpline(DrawContext& dc, const std::vector<QPoint>& points, int thickness, bool dotted,
                        bool xorMode, ColourValue colour) {
    if (dc.record) dc.note(describeCurve(points, thickness, dotted) + describeColour(xorMode, colour));
    Target t{dc.MainImage, dc.ScreenOrigin, colour, xorMode ? PenMode::NotXor : PenMode::Copy, !xorMode, 1};
    return drawCurveOn(t, points, thickness, dotted);
}

void DrawHiResSpline(DrawContext& dc, const std::vector<QPoint>& points, int thickness, bool dotted, bool xorMode,
                     ColourValue colour) {
    if (dc.record) dc.note("hires " + describeCurve(points, thickness, dotted));
    std::vector<QPoint> scaled;
    for (const QPoint& p : points)
        scaled.push_back(p * 3);
    const HiResPen pen = hiResPen(dc, xorMode, colour);
    Target t{dc.Printimage, dc.HiResOrigin, pen.colour, pen.mode, pen.mode != PenMode::NotXor, 3};
    drawCurveOn(t, scaled, thickness, dotted);
}

SplineBounds SplineReach(const std::vector<QPoint>& points, int thickness, bool dotted) {
    QImage nowhere; // every stroke on a null canvas is clipped away
    Target t{nowhere, QPoint(), 0x000000, PenMode::Copy, true, 1};
    return drawCurveOn(t, points, thickness, dotted);
}

namespace {

// The points of the chain from `first`, following the next-point links; a
// damaged chain that loops ends at the point limit.
std::vector<int> chainOf(const Stave& s, int first) {
    std::vector<int> chain;
    for (int i = first; i >= 1 && i < ObjectSlots && chain.size() < MaxCurvePoints;
         i = s.object(i).curveNext()) {
        if (!s.object(i).is(ObjectKind::CurvePoint)) break;
        chain.push_back(i);
    }
    return chain;
}

void drawAnchors(DrawContext& dc, const Stave& s, const std::vector<int>& chain, ColourValue colour,
                 bool xorMode) {
    for (std::size_t k = 0; k < chain.size(); ++k) {
        const ScoreObject& o = s.object(chain[k]);
        DrawAnchor(dc, o.x(), o.y(), k == 0 ? dc.colours.Anchor : colour, xorMode);
    }
}

// The reach bytes of the first point and the stave's extent follow the curve. The
// bounds' bottom includes the thickness; the bottom byte does not, since the stave
// extent adds the thickness byte to it.
void recordReach(Stave& s, ScoreObject& first, SplineBounds b) {
    first.setCurveTop(b.minY - 7 - s.Ycoord);
    first.setCurveBottom(b.maxY - first.curveThickness() + 7 - s.Ycoord);
    s.MaxY = std::max(s.MaxY, b.maxY + 7);
    s.MinY = std::min(s.MinY, b.minY - 7);
}

} // namespace

void DrawCurve(DrawContext& dc, Score& score, int stave, int firstIndex, ColourValue colour, bool showAnchors,
               bool xorMode) {
    Stave& s = score.stave(stave);
    const std::vector<int> chain = chainOf(s, firstIndex);
    if (chain.size() < 2) return; // a lone point is no curve yet
    ScoreObject& first = s.object(firstIndex);
    std::vector<QPoint> points;
    for (int i : chain)
        points.emplace_back(s.object(i).x(), s.object(i).y());
    if (showAnchors && !dc.onPaper()) drawAnchors(dc, s, chain, colour, xorMode);
    if (dc.onPaper()) {
        DrawHiResSpline(dc, points, 3 * first.curveThickness(), first.curveDotted());
        return;
    }
    if (dc.HighResMode) {
        // Zoomed in, the curve is drawn as on paper; the reach kept in the file is
        // still the screen's, whatever the zoom.
        DrawHiResSpline(dc, points, 3 * first.curveThickness(), first.curveDotted(), xorMode, colour);
        recordReach(s, first, SplineReach(points, first.curveThickness(), first.curveDotted()));
        return;
    }
    recordReach(s, first,
                DrawSpline(dc, points, first.curveThickness(), first.curveDotted(), xorMode, colour));
}

namespace {

// An automatic stem resolved as the note drawer does: down above the middle line.
int resolvedStem(const ScoreObject& n) {
    if (n.stem() != StemAuto) return n.stem();
    return n.staffPosition() > 0 ? StemDown : StemUp;
}

// Where a note's head has ink on the screen, in page positions: its bare head
// glyph, placed as the note drawer places the head (one pixel below the note's y).
class HeadInk {
  public:
    HeadInk(const DrawContext& dc, const ScoreObject& n) {
        const int code = NoteGlyphTable(n.duration(), StemNone, n.headStyle());
        const GlyphStore& store = dc.glyphs ? *dc.glyphs : GlyphStore::builtIn();
        if (code >= 0 && code <= LastDrawnGlyph) bitmap_ = &store.glyph(code, false);
        const int x = n.x(), y = n.y() + 1;
        if (!bitmap_ || bitmap_->empty()) { // a damaged note: an ordinary head's box
            bitmap_ = nullptr;
            box_ = QRect(QPoint(x - 5, y - 4), QPoint(x + 5, y + 4));
            return;
        }
        const GlyphShift shift = GlyphOffset(code);
        origin_ = QPoint(x + shift.dx - (bitmap_->width() / 2 + 1), y + shift.dy - bitmap_->height() / 2);
        for (const GlyphBitmap::Run& r : bitmap_->runs())
            box_ |= QRect(origin_ + QPoint(r.first, r.row), origin_ + QPoint(r.end - 1, r.row));
    }

    const QRect& box() const { return box_; }
    int centre() const { return (box_.left() + box_.right() + 1) / 2; }

    // The outermost ink row above (dir -1) or below (dir +1) within columns x - 1 to x + 1.
    int edgeNear(int x, int dir) const {
        if (!bitmap_) return dir < 0 ? box_.top() : box_.bottom();
        int edge = dir < 0 ? box_.bottom() : box_.top();
        for (const GlyphBitmap::Run& r : bitmap_->runs()) {
            const int first = origin_.x() + r.first, last = origin_.x() + r.end - 1, y = origin_.y() + r.row;
            if (first <= x + 1 && last >= x - 1) edge = dir < 0 ? std::min(edge, y) : std::max(edge, y);
        }
        return edge;
    }

  private:
    const GlyphBitmap* bitmap_ = nullptr;
    QPoint origin_;
    QRect box_;
};

// The x of a note's stem line (beamed or not), or none for a note without a stem.
std::optional<int> stemX(const ScoreObject& n) {
    const int stem = resolvedStem(n);
    if (n.duration() < 2 || (stem != StemUp && stem != StemDown)) return std::nullopt;
    const bool small = n.headStyle() == 1;
    return stem == StemUp ? n.x() + (small ? 3 : 5) : n.x() - (small ? 2 : 4);
}

// Whether the note's stem stands on the tie's side (up under an overhand tie, down
// over an underhand one).
bool stemOnTieSide(const ScoreObject& n, int dir) {
    return stemX(n) && (resolvedStem(n) == StemUp) == (dir < 0);
}

// The gap a tie keeps from the ink of the heads and stems it starts beside.
constexpr int Clearance = 2;

// A tie end just over (dir -1) or under (dir +1) the head, a little toward the other
// note; `first` for the earlier note.
QPoint endOverHead(const HeadInk& head, int dir, bool first) {
    const int x = first ? head.centre() + 2 : head.centre() - 2;
    return {x, head.edgeNear(x, dir) + Clearance * dir};
}

// A tie end level with the head's middle, beside the head on the side of the
// other note, clear of the stem and of the flags that hang from it.
QPoint endBesideHead(const DrawContext& dc, const ScoreObject& n, const HeadInk& head, int dir, bool first) {
    const int stem = *stemX(n);
    int x = first ? std::max(head.box().right(), stem) + Clearance : std::min(head.box().left(), stem) - Clearance;
    // The flags of a first note's stem up hang down to its head's height on the side
    // the tie leaves by.
    if (first && dir < 0 && n.duration() >= 4 && n.beamBack() == 0 && n.beamForward() == 0) {
        const int code = NoteGlyphTable(n.duration(), StemUp, n.headStyle());
        const GlyphStore& store = dc.glyphs ? *dc.glyphs : GlyphStore::builtIn();
        const GlyphBitmap& glyph = store.glyph(code, false);
        int right = -1;
        for (const GlyphBitmap::Run& r : glyph.runs())
            right = std::max(right, r.end - 1);
        if (right >= 0) x = std::max(x, n.x() + GlyphOffset(code).dx - (glyph.width() / 2 + 1) + right + Clearance);
    }
    return {x, (head.box().top() + head.box().bottom()) / 2 + dir};
}

// The two ends of a tie from note a to the later note b on the side dir. Where a
// stem stands on that side between the heads the end goes beside its head; when
// both stems stand there the tie runs between them, level with the heads, unless
// the room between is too small, when the end that can goes over its head.
std::pair<QPoint, QPoint> tieEnds(const DrawContext& dc, const ScoreObject& a, const ScoreObject& b, int dir) {
    const HeadInk ha(dc, a), hb(dc, b);
    const bool stemA = stemOnTieSide(a, dir), stemB = stemOnTieSide(b, dir);
    // The stem standing between the heads: the first note's up, the second's down.
    const bool betweenA = stemA && dir < 0, betweenB = stemB && dir > 0;
    if (stemA && stemB) {
        const QPoint from = endBesideHead(dc, a, ha, dir, true), to = endBesideHead(dc, b, hb, dir, false);
        if (to.x() - from.x() >= 8) return {from, to};
    }
    QPoint from = betweenA ? endBesideHead(dc, a, ha, dir, true) : endOverHead(ha, dir, true);
    QPoint to = betweenB ? endBesideHead(dc, b, hb, dir, false) : endOverHead(hb, dir, false);
    // Heads at one height keep the tie level: the end beside a stem rises (or drops)
    // to the other end's height.
    if (a.y() == b.y() && (betweenA || betweenB)) {
        const int y = dir < 0 ? std::min(from.y(), to.y()) : std::max(from.y(), to.y());
        from.setY(y), to.setY(y);
    }
    return {from, to};
}

// The depth of a tie's arch for its width: growing gently from a quarter of a space,
// never more than a third of the width (a short tie stays a curve, not a V) and never
// much more than a space.
int tieDepth(int width) {
    return std::max(1, std::min({2 + width / 8, width / 3, 7}));
}

} // namespace

void DrawTie(DrawContext& dc, Score& score, int stave, ColourValue colour, bool xorMode, int fromIndex,
             int toIndex, int direction) {
    if (fromIndex < 1 || fromIndex >= ObjectSlots || toIndex < 1 || toIndex >= ObjectSlots) return;
    const Stave& s = score.stave(stave);
    const ScoreObject& a = s.object(fromIndex);
    const ScoreObject& b = s.object(toIndex);
    const int dir = direction < 0 ? -1 : 1;
    auto [from, to] = tieEnds(dc, a, b, dir);
    // A tie always spans at least four pixels, whichever way round its notes are.
    QPoint& left = from.x() <= to.x() ? from : to;
    QPoint& right = from.x() <= to.x() ? to : from;
    while (right.x() - left.x() < 4) {
        right.rx() += 1;
        left.rx() -= 1;
    }
    const int x1 = (from.x() + to.x()) / 2;
    const int y1 = (from.y() + to.y()) / 2 + tieDepth(right.x() - left.x()) * dir;
    const std::vector<QPoint> points{from, {x1, y1}, to};
    if (dc.HighResMode)
        DrawHiResSpline(dc, points, 6, false, xorMode, colour);
    else
        DrawSpline(dc, points, 1, false, xorMode, colour);
}

namespace {

// Dash patterns in page units: dash 6 gap 4, dot 1 gap 3.
QList<qreal> dashPattern(int dashStyle) {
    switch (dashStyle) {
    case 1:
        return {6, 4};
    case 2:
        return {1, 3};
    case 3:
        return {6, 3, 1, 3};
    case 4:
        return {6, 3, 1, 3, 1, 3};
    default:
        return {};
    }
}

// The pen of a dashed stroke `width` pixels wide; `scale` is 1 on the screen and 3
// on the print image.
QPen dashedPen(int width, int dashStyle, int scale) {
    QPen pen(Qt::black, width, Qt::CustomDashLine, Qt::FlatCap);
    // Qt measures dashes in pen widths.
    QList<qreal> pattern = dashPattern(dashStyle);
    for (qreal& v : pattern)
        v = v * scale / width;
    pen.setDashPattern(pattern);
    return pen;
}

QRect dashedBox(QPoint delta, int width) {
    const int pad = width + 2;
    return QRect(QPoint(0, 0), delta).normalized().adjusted(-pad, -pad, pad, pad);
}

// A dashed stroke painted into a stencil, so that exclusive-or touches each pixel
// once; painted once per length, slope, width and pattern.
const PlacedStencil& dashedStencil(QPoint delta, int width, int dashStyle, int scale) {
    using Key = std::tuple<int, int, int, int, int>;
    static thread_local StencilCache<Key, PlacedStencil> cache(StencilRunLimit);
    return cache.get(Key{delta.x(), delta.y(), width, dashStyle, scale}, [&] {
        const QRect box = dashedBox(delta, width);
        const QImage stencil = paintedScratch(box.size(), [&](QPainter& painter) {
            painter.setPen(dashedPen(width, dashStyle, scale));
            painter.drawLine(-box.topLeft(), delta - box.topLeft());
        });
        return PlacedStencil{box.topLeft(), GlyphBitmap::fromMask(stencil)};
    });
}

void dashedStroke(QImage& canvas, QPoint a, QPoint b, int width, int dashStyle, int scale, ColourValue colour,
                  PenMode mode) {
    if (!withinScratchBudget(dashedBox(b - a, width).size())) {
        paintStrokeInBands(canvas, a, b, dashedPen(width, dashStyle, scale), colour, mode);
        return;
    }
    const PlacedStencil& stroke = dashedStencil(b - a, width, dashStyle, scale);
    applyRuns(canvas, stroke.ink, a + stroke.offset, colour, mode);
}

} // namespace

void DrawStyledLine(DrawContext& dc, int x1, int y1, int x2, bool xorMode, ColourValue colour, int dashStyle,
                    int thickness, int y2) {
    if (dc.record) dc.note("styled line " + describePoints(x1, y1, x2, y2) + " style " + std::to_string(dashStyle) +
            " thickness " + std::to_string(thickness) + describeColour(xorMode, colour));
    const bool dashed = !dashPattern(dashStyle).isEmpty();
    const int width = std::max(1, thickness);
    if (dc.HighResMode) {
        const QPoint o = dc.HiResOrigin;
        const QPoint a = QPoint(x1, y1) * 3 + o, b = QPoint(x2, y2) * 3 + o;
        const HiResPen pen = hiResPen(dc, xorMode, colour);
        if (dashed)
            dashedStroke(dc.Printimage, a, b, 3 * width, dashStyle, 3, pen.colour, pen.mode);
        else
            DrawPenLine(dc.Printimage, a.x(), a.y(), pen.mode == PenMode::NotXor, pen.colour, 0, 3 * width, b.y(),
                        b.x());
        return;
    }
    const QPoint o = dc.ScreenOrigin;
    const QPoint a = QPoint(x1, y1) + o, b = QPoint(x2, y2) + o;
    if (dashed)
        dashedStroke(dc.MainImage, a, b, width, dashStyle, 1, colour,
                     xorMode ? PenMode::NotXor : PenMode::Copy);
    else
        DrawPenLine(dc.MainImage, a.x(), a.y(), xorMode, colour, 0, thickness, b.y(), b.x());
}

} // namespace qv
