#include "render/page.h"

#include "model/pagegeometry.h"
#include "render/dispatch.h"
#include "render/glyphs.h"
#include "render/headerfooter.h"
#include "render/primitives.h"
#include "render/shapes.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace qv {

namespace {

constexpr ColourValue Red = 0x0000FF;
constexpr ColourValue Blue = 0xFF0000;
constexpr ColourValue Black = 0x000000;
constexpr int BracketTopGlyph = 42;
constexpr int BracketBottomGlyph = 43;

// Runs the page's closing work however drawing ends, so the window is left usable
// even when a drawer throws; the failure still reaches the caller.
class PageGuard {
  public:
    PageGuard(DrawContext& dc, const PageOptions& options) : dc_(dc), options_(options) {
        if (options_.busy) options_.busy(true);
    }
    ~PageGuard() {
        if (options_.busy) options_.busy(false);
        dc_.cursor.shown = false; // the page was cleared under it
        if (options_.afterPage) options_.afterPage();
    }
    PageGuard(const PageGuard&) = delete;
    PageGuard& operator=(const PageGuard&) = delete;

  private:
    DrawContext& dc_;
    const PageOptions& options_;
};

void repaint(const PageOptions& options) {
    if (options.repaint) options.repaint();
}

void fillWhite(QImage& image) {
    image.fill(toQColor(White));
}

void clearSurface(DrawContext& dc, const Score& score, const PageOptions& options) {
    if (!options.surfaceWhite) fillWhite(dc.surface());
    if (dc.onPaper()) {
        if (dc.record) dc.note("clear print image");
        return;
    }
    if (dc.record) dc.note("clear screen page");
    if (options.pageView)
        DrawRectOutline(dc, 0, 0, musicAreaWidth(score.page, score.StvSiz),
                        musicAreaHeight(score.page, score.StvSiz), false, Red);
}

bool hasBracketOrJoin(const Stave& st) {
    return st.bracket || st.bracketWithNext || st.joinToNext;
}

void drawLeftEnd(DrawContext& dc, const Score& score, int s, ColourValue c) {
    const Stave& st = score.stave(s);
    const bool joinedFromAbove = s >= 2 && score.stave(s - 1).joinToNext;
    if (hasBracketOrJoin(st) || joinedFromAbove)
        DrawLine(dc, st.LeftX, st.Ycoord - 16, st.LeftX, false, c, 1, st.Ycoord + 16);
}

void drawJoinsToNext(DrawContext& dc, const Score& score, int s, ColourValue c) {
    if (s >= score.Nstaves) return;
    const Stave& st = score.stave(s);
    const int y = st.Ycoord;
    const int yn = score.stave(s + 1).Ycoord;
    if (st.joinToNext) {
        DrawLine(dc, st.LeftX, y + 16, st.LeftX, false, c, 1, yn - 16);
        if (st.fullEndBar) DrawLine(dc, st.RightX, y - 15, st.RightX, false, c, 2, yn + 16);
    }
    if (st.bracketWithNext) DrawLine(dc, st.LeftX - 3, y - 16, st.LeftX - 3, false, c, 4, yn - 16);
}

void drawStaveFrame(DrawContext& dc, const Score& score, int s, ColourValue c, bool preview) {
    const Stave& st = score.stave(s);
    const bool bracketOpens = s == 1 || !score.stave(s - 1).bracketWithNext;
    if (st.bracket && bracketOpens) DrawGlyph(dc, BracketTopGlyph, st.LeftX, st.Ycoord, false, c);
    DrawStaveLines(dc, score, s, c, preview);
    drawLeftEnd(dc, score, s, c);
    drawJoinsToNext(dc, score, s, c);
    if (st.bracket && !st.bracketWithNext) DrawGlyph(dc, BracketBottomGlyph, st.LeftX, st.Ycoord, false, c);
}

// On paper an invisible stave leaves out its lines and joins, but a bracket it
// belongs to still spans the system whole.
void drawBracketOnly(DrawContext& dc, const Score& score, int s, ColourValue c) {
    const Stave& st = score.stave(s);
    const bool bracketOpens = s == 1 || !score.stave(s - 1).bracketWithNext;
    if (st.bracket && bracketOpens) DrawGlyph(dc, BracketTopGlyph, st.LeftX, st.Ycoord, false, c);
    if (st.bracketWithNext && s < score.Nstaves)
        DrawLine(dc, st.LeftX - 3, st.Ycoord - 16, st.LeftX - 3, false, c, 4, score.stave(s + 1).Ycoord - 16);
    if (st.bracket && !st.bracketWithNext) DrawGlyph(dc, BracketBottomGlyph, st.LeftX, st.Ycoord, false, c);
}

void drawObjects(DrawContext& dc, Score& score, int s, ColourValue colour, const PageOptions& options) {
    const bool showGrowth = options.fastCpu && !dc.onPaper();
    if (showGrowth) repaint(options);
    const int n = score.stave(s).Nobjec;
    for (int i = 1; i <= n; ++i) {
        if (s == options.hiddenStave && i == options.hiddenObject) continue;
        // The objects of a marked block show in the Marked colour on the screen.
        const bool marked = !dc.onPaper() && score.marked[static_cast<std::size_t>(s)].test(static_cast<std::size_t>(i));
        DrawObject(dc, score, s, i, marked ? dc.colours.Marked : colour, false);
        if (showGrowth && i % 16 == 0) repaint(options);
    }
}

// The page-break marker runs across the whole screen image, margins included.
void drawPageBreakMarker(DrawContext& dc, const Stave& st) {
    const int left = -dc.origin().x() / dc.scale();
    const int right = (dc.surface().width() - dc.origin().x()) / dc.scale();
    DrawLine(dc, left, st.MaxY, right, false, dc.colours.Nonprinting, 2, st.MaxY);
}

// One stroke of a brace on a row, from the left x to the right x, in surface pixels.
struct BraceRow {
    int left;
    int right;
};

// The brace's outline at fraction f (0 at the top, 1 at the bottom) for a brace whose
// right edge is x and which bulges `scale` / 5 to the left at its middle.
BraceRow braceRow(double f, int x, double scale) {
    double t = 2.0 * f;
    if (t > 1.0) t = 2.0 - t;
    const double a = 2.0 * t * (t - 0.5) * (t - 1.0);
    const double b = -0.2 * t * (t - 1.0);
    const double c = 0.2 * t;
    return {x - roundHalfEven(scale * (a + b + c)) - 1, x - roundHalfEven(scale * (a - b + c))};
}

// The rows from..to (surface rows less `origin`) that lie on a surface of `height` rows.
struct RowRange {
    int first;
    int last;
};
RowRange rowsOn(int from, int to, int origin, int height) {
    return {std::max(from, -origin), std::min(to, height - 1 - origin)};
}

void drawBrace(DrawContext& dc, int x, int top, int bottom, ColourValue colour) {
    if (bottom <= top) return;
    if (dc.record) dc.note("brace x " + std::to_string(x) + " from " + std::to_string(top) + " to " +
            std::to_string(bottom));
    // Only the rows on the surface are drawn: staves far apart make a brace longer
    // than any page.
    if (!dc.HighResMode) {
        const RowRange rows = rowsOn(top, bottom, dc.ScreenOrigin.y(), dc.MainImage.height());
        for (int y = rows.first; y <= rows.last; ++y) {
            const BraceRow r = braceRow(double(y - top) / (bottom - top), x, 40.0);
            DrawPenLine(dc.MainImage, r.left + dc.ScreenOrigin.x(), y + dc.ScreenOrigin.y(), false, colour, 0,
                        1, y + dc.ScreenOrigin.y(), r.right + dc.ScreenOrigin.x());
        }
        return;
    }
    const int hiTop = 3 * top;
    const int hiBottom = 3 * bottom;
    const RowRange rows = rowsOn(hiTop, hiBottom, dc.HiResOrigin.y(), dc.Printimage.height());
    const HiResPen pen = hiResPen(dc, false, colour);
    for (int y = rows.first; y <= rows.last; ++y) {
        const BraceRow r = braceRow(double(y - hiTop) / (hiBottom - hiTop), 3 * x, 120.0);
        const int row = y + dc.HiResOrigin.y();
        DrawPenLine(dc.Printimage, r.left + dc.HiResOrigin.x(), row, false, pen.colour, 0, 1, row,
                    r.right + dc.HiResOrigin.x());
    }
}

bool reaches(const Stave& st, int y1, int y2) {
    return (st.MaxY >= y1 && st.MaxY <= y2) || (st.MinY >= y1 && st.MinY <= y2);
}

// The colour of stave s: the page's, or on the screen the highlight's.
ColourValue staveColour(const DrawContext& dc, int s, ColourValue pageColour, const PageOptions& options) {
    return !dc.onPaper() && s == options.highlightedStave ? options.highlightColour : pageColour;
}

} // namespace

ColourValue pageStaveColour(const DrawContext& dc, int page, const PageOptions& options) {
    if (page == 0 && !dc.onPaper() && !options.preview) return dc.colours.UniversalText;
    return dc.colours.Ink;
}

// Layout has its own walk over the pages; render sits below layout and may not use
// it, so the few lines are repeated here.
StaveRange stavesOnPage(const Score& score, int page) {
    StaveRange range{score.Nstaves + 1, 0};
    for (int s = 1; s <= score.Nstaves; ++s) {
        if (score.stave(s).PageNum != page) continue;
        range.first = std::min(range.first, s);
        range.last = s;
    }
    return range;
}

void DrawPage(DrawContext& dc, Score& score, int page, const PageOptions& options) {
    PageGuard guard(dc, options);
    clearSurface(dc, score, options);
    if (page != 0) {
        const StaveRange range = stavesOnPage(score, page);
        DrawBraces(dc, score, range.first, range.last, dc.colours.Ink);
    }
    const ColourValue colour = pageStaveColour(dc, page, options);
    for (int s = 0; s <= score.Nstaves; ++s) {
        if (score.stave(s).PageNum != page) continue;
        DrawStave(dc, score, s, staveColour(dc, s, colour, options), options);
        if (!dc.onPaper()) repaint(options);
    }
    if (dc.onPaper()) {
        const QDateTime now = options.clock.isValid() ? options.clock : QDateTime::currentDateTime();
        DrawHeaderFooter(dc, score, headerFooterFields(page, options.filePath, now));
    } else if (page == 0 && !options.preview) {
        DrawHeaderFooterScreenGuide(dc, score, options.screenWidth);
    }
}

void DrawStave(DrawContext& dc, Score& score, int s, ColourValue colour, const PageOptions& options) {
    const Stave& st = score.stave(s);
    const ColourValue c = st.invisible ? dc.colours.Nonprinting : colour;
    // An invisible stave's frame is shown in the non-printing colour, and like
    // everything in that colour it stays off paper (where every stroke is black).
    const bool frameShown = !(st.invisible && dc.onPaper());
    if (s != 0 && frameShown) drawStaveFrame(dc, score, s, c, options.preview);
    else if (s != 0) drawBracketOnly(dc, score, s, colour);
    drawObjects(dc, score, s, colour, options);
    if (!dc.onPaper() && !options.preview && st.ForcedBk) drawPageBreakMarker(dc, st);
}

void DrawStaveLines(DrawContext& dc, const Score& score, int s, ColourValue colour, bool preview) {
    const Stave& st = score.stave(s);
    if (preview || st.invisible) return;
    for (int k = -2; k <= 2; ++k) {
        const int y = st.Ycoord + 8 * k;
        if (dc.HighResMode)
            FillHiResRect(dc, 3 * st.LeftX, 3 * y - 1, 3 * st.RightX, 3 * y + 1, false, colour);
        else
            DrawLine(dc, st.LeftX, y - 1, st.RightX, false, colour, 1, y - 1);
    }
}

void DrawBraces(DrawContext& dc, const Score& score, int first, int last, ColourValue colour) {
    bool open = false;
    bool bracketed = false;
    int top = 0;
    for (int s = std::max(first, 0); s <= last && s <= score.Nstaves; ++s) {
        const Stave& st = score.stave(s);
        if (st.brace) {
            if (!open) top = st.Ycoord - 16;
            open = true;
            bracketed = bracketed || st.bracket;
            continue;
        }
        if (!open) continue;
        const int gap = bracketed || st.bracket ? 6 : 2;
        drawBrace(dc, st.LeftX - gap, top, st.Ycoord + 16, colour);
        open = false;
        bracketed = false;
    }
}

void RedrawBand(DrawContext& dc, Score& score, int page, int y1, int y2, const PageOptions& options) {
    if (y1 >= y2) return DrawPage(dc, score, page, options);
    int first = MaxStaves + 1;
    int last = -1;
    for (int s = 0; s <= score.Nstaves; ++s) {
        const Stave& st = score.stave(s);
        if (st.PageNum != page || !reaches(st, y1, y2)) continue;
        first = std::min(first, s);
        last = s;
    }
    if (last < 0) return DrawPage(dc, score, page, options);
    // The band is the rows of page units MinY to MaxY + 1, however many surface
    // pixels each is.
    const int top = dc.scale() * score.stave(first).MinY + dc.origin().y();
    const int bottom = dc.scale() * (score.stave(last).MaxY + 2) - 1 + dc.origin().y();
    {
        QPainter p(&dc.surface());
        p.fillRect(QRect(0, top, dc.surface().width(), bottom - top + 1), toQColor(White));
    }
    if (dc.record) dc.note("clear band " + std::to_string(top) + " to " + std::to_string(bottom));
    // The fill also wipes the braces of the band; they are drawn again in copy mode,
    // which leaves the braces outside the band as they were.
    if (page != 0) {
        const StaveRange range = stavesOnPage(score, page);
        DrawBraces(dc, score, range.first, range.last, dc.colours.Ink);
    }
    const ColourValue colour = pageStaveColour(dc, page, options);
    for (int s = first; s <= last; ++s)
        DrawStave(dc, score, s, staveColour(dc, s, colour, options), options);
    if (options.currentStave >= first && options.currentStave <= last && options.drawCursor)
        options.drawCursor();
}

void DrawBlankingShapes(DrawContext& dc, Score& score, int page) {
    for (int s = 1; s <= score.Nstaves; ++s) {
        const Stave& st = score.stave(s);
        if (st.PageNum != page) continue;
        for (int i = 1; i <= st.Nobjec; ++i) {
            const ScoreObject& o = st.object(i);
            if (o.is(ObjectKind::Shape) && o.shapeBlanking()) DrawShape(dc, o, White, false);
        }
    }
}

namespace {

// Page positions on the preview: inches times the preview's pixels per inch, from
// the corner of the music area.
struct PreviewMap {
    double unitsPerInch;
    double ppi;
    int left;
    int top;
    QPoint at(double x, double y) const {
        return {roundHalfEven(x / unitsPerInch * ppi) + left, roundHalfEven(y / unitsPerInch * ppi) + top};
    }
};

struct PreviewArea {
    int left, right, top, bottom;
};

PreviewArea previewArea(const PageData& p, int imageWidth, const PreviewRequest& r) {
    const double gutterLeft = r.gutterLeft ? p.GutM : 0.0;
    const double gutterRight = r.gutterLeft ? 0.0 : p.GutM;
    return {roundHalfEven((p.LeftM + gutterLeft) * r.ppi),
            imageWidth - roundHalfEven((p.RightM + gutterRight) * r.ppi),
            roundHalfEven((p.TopM + p.Header) * r.ppi),
            roundHalfEven((p.Length - p.BotM - p.Footer) * r.ppi)};
}

// Draws `page` on a screen page of its own, without margins, for stretching.
QImage screenPageFor(const DrawContext& dc, Score& score, int page, int width, int height) {
    DrawContext local;
    local.colours = dc.colours;
    local.glyphs = dc.glyphs;
    local.newScreenPage(std::max(width, 1), std::max(height, 1));
    PageOptions quiet;
    quiet.preview = true;
    DrawPage(local, score, page, quiet);
    return local.MainImage;
}

// Stretches `source` to `size` the way the old platform's default stretch mode did:
// every target pixel is the AND of the source pixels that fall on it, so a black
// line one pixel thin survives shrinking a page to a preview.
QImage stretchKeepingBlack(const QImage& source, QSize size) {
    const QImage src = source.convertToFormat(QImage::Format_RGB32);
    QImage out(size, QImage::Format_RGB32);
    const auto span = [](int t, int targetLength, int sourceLength) {
        const int from = int(qint64(t) * sourceLength / targetLength);
        const int to = int(qint64(t + 1) * sourceLength / targetLength);
        return std::pair{from, std::max(to, from + 1)};
    };
    for (int ty = 0; ty < size.height(); ++ty) {
        const auto [y0, y1] = span(ty, size.height(), src.height());
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(ty));
        for (int tx = 0; tx < size.width(); ++tx) {
            const auto [x0, x1] = span(tx, size.width(), src.width());
            QRgb v = 0xFFFFFFFF;
            for (int y = y0; y < y1; ++y) {
                const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
                for (int x = x0; x < x1; ++x)
                    v &= in[x];
            }
            row[tx] = v;
        }
    }
    return out;
}

// Each preview pixel becomes itself AND the stretched page pixel, so the page's
// white leaves the preview as it was.
void andInto(QImage& image, const QImage& source, const QRect& target) {
    if (target.width() <= 0 || target.height() <= 0) return;
    const QImage scaled = stretchKeepingBlack(source, target.size());
    const QRect clip = target.intersected(image.rect());
    for (int y = clip.top(); y <= clip.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const auto* src = reinterpret_cast<const QRgb*>(scaled.constScanLine(y - target.top()));
        for (int x = clip.left(); x <= clip.right(); ++x)
            row[x] &= src[x - target.left()];
    }
}

void stretchDetails(const DrawContext& dc, Score& score, QImage& image, const PreviewRequest& r,
                    const PreviewArea& area) {
    const PageData& p = score.page;
    const int width = musicAreaWidth(p, score.StvSiz);
    const QImage music = screenPageFor(dc, score, r.page, width, musicAreaHeight(p, score.StvSiz));
    const QRect musicArea(area.left, area.top, area.right - area.left, area.bottom - area.top);
    if (musicArea.isValid()) {
        QPainter painter(&image);
        painter.drawImage(musicArea.topLeft(), stretchKeepingBlack(music, musicArea.size()));
    }
    if (score.stave(0).Nobjec == 0) return;
    const int whole = printedHeight(p, score.StvSiz);
    const QImage headed = screenPageFor(dc, score, 0, width, whole);
    const int top = roundHalfEven(p.TopM * r.ppi);
    const int bottom = roundHalfEven((p.Length - p.BotM) * r.ppi);
    andInto(image, headed, QRect(area.left, top, area.right - area.left, bottom - top));
}

void previewStaveLines(QPainter& painter, const Score& score, int s, const PreviewMap& map, bool details) {
    const Stave& st = score.stave(s);
    painter.setPen(QPen(toQColor(details ? Black : Blue), 1));
    for (int k = -2; k <= 2; ++k) {
        const int y = st.Ycoord + 8 * k;
        painter.drawLine(map.at(st.LeftX, y), map.at(st.RightX, y));
    }
    if (details) return;
    const bool joined = st.joinToNext && s < score.Nstaves;
    const int bottom = joined ? score.stave(s + 1).Ycoord + 16 : st.Ycoord + 16;
    painter.setPen(QPen(toQColor(Red), 1));
    for (const int x : {int(st.LeftX), int(st.RightX)})
        painter.drawLine(map.at(x, st.Ycoord - 16), map.at(x, bottom));
}

void previewBlanking(QPainter& painter, const ScoreObject& o, const PreviewMap& map) {
    const int x = o.x();
    const int y = o.y();
    const int a = o.shapeSize1();
    const bool centred = o.shapeType() == 0 || o.shapeType() == 1;
    const QRect box = centred ? QRect(map.at(x - a, y - a), map.at(x + a, y + a))
                              : QRect(map.at(x, y), map.at(x + a, y + o.shapeSize2()));
    if (o.shapeType() == 0 || o.shapeType() == 3)
        painter.drawEllipse(box);
    else
        painter.drawRect(box);
}

} // namespace

void DrawPreviewPage(DrawContext& dc, Score& score, QImage& image, const PreviewRequest& r,
                     const PageOptions& options) {
    const PreviewArea area = previewArea(score.page, image.width(), r);
    fillWhite(image);
    if (r.details) stretchDetails(dc, score, image, r, area);
    const PreviewMap map{toPageUnits(1.0, score.StvSiz), r.ppi, area.left, area.top};
    QPainter painter(&image);
    for (int s = 1; s <= score.Nstaves; ++s) {
        if (score.stave(s).PageNum != r.page) continue;
        previewStaveLines(painter, score, s, map, r.details);
        repaint(options); // the window keeps responding between staves
    }
    if (!r.details) return;
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::white);
    for (int s = 1; s <= score.Nstaves; ++s) {
        const Stave& st = score.stave(s);
        if (st.PageNum != r.page) continue;
        for (int i = 1; i <= st.Nobjec; ++i)
            if (st.object(i).is(ObjectKind::Shape) && st.object(i).shapeBlanking())
                previewBlanking(painter, st.object(i), map);
    }
}

} // namespace qv
