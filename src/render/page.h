#pragma once
// Whole pages: the staves of a page with their lines, brackets, braces and system
// joins, every object through DrawObject, the partial redraw of a band after local
// edits, the blanking shapes drawn again last on paper, and the print preview page.
//
// Positions are page units (one screen pixel, down is positive). On the screen the
// drawing goes to dc.MainImage, in high-resolution mode to dc.Printimage.

#include "model/score.h"
#include "render/drawcontext.h"

#include <QDateTime>
#include <QImage>

#include <functional>
#include <string>

namespace qv {

// What the score window adds to a page drawing. Every hook may stay unset.
struct PageOptions {
    bool pageView = false;            // the whole paper is shown: outline the music area
    bool preview = false;             // drawing for the print preview: no screen-only marks
    bool fastCpu = false;             // repaint every 16 objects so a long stave shows as it grows
    int screenWidth = 0;              // for the header/footer guide's text; 0 when unknown
    int currentStave = -1;            // the stave holding the entry cursor, -1 for none
    int highlightedStave = -1;        // on the screen drawn in highlightColour, -1 for none
    ColourValue highlightColour = 0x800080; // the current ("purple") stave
    int hiddenStave = -1;             // an object left out (being dragged, shown apart)
    int hiddenObject = 0;
    bool surfaceWhite = false;        // the surface is white already: it is not cleared first
    std::string filePath;             // for the header/footer fields on paper
    QDateTime clock;                  // the time the fields show; the current time when invalid
    std::function<void()> repaint;    // show MainImage now
    std::function<void(bool)> busy;   // hourglass on (true) and off (false)
    std::function<void()> drawCursor; // draw the entry cursor again
    std::function<void()> afterPage;  // current stave, timer and status line again
};

// The colour of the staves of a page: Ink, except the header/footer page on the screen.
ColourValue pageStaveColour(const DrawContext& dc, int page, const PageOptions& options);

// Clears the surface and draws every stave whose PageNum is `page` (0 is the
// header/footer page), then on paper the header and footer.
void DrawPage(DrawContext& dc, Score& score, int page, const PageOptions& options = {});

// One stave with its lines, left end, brackets, joins to the next stave, objects and
// (on the screen) the page-break marker.
void DrawStave(DrawContext& dc, Score& score, int s, ColourValue colour, const PageOptions& options = {});

// The five lines of stave s; nothing for an invisible stave or in the preview.
void DrawStaveLines(DrawContext& dc, const Score& score, int s, ColourValue colour, bool preview = false);

// The braces of staves first..last.
void DrawBraces(DrawContext& dc, const Score& score, int first, int last, ColourValue colour);

// Redraws the staves of the screen page that reach into y1..y2; the whole page when
// y1 is not above y2 or no stave reaches into the band.
void RedrawBand(DrawContext& dc, Score& score, int page, int y1, int y2, const PageOptions& options = {});

// Blanking shapes of every stave on the page, again in white, so that on paper they
// also hide what comes after them on their stave. Call after DrawPage.
void DrawBlankingShapes(DrawContext& dc, Score& score, int page);

// The first and last music stave on a page; first > last when the page has none.
struct StaveRange {
    int first = 1;
    int last = 0;
};
StaveRange stavesOnPage(const Score& score, int page);

// One page of the print preview in `image` at `ppi` preview pixels per inch. With
// details the drawn page is stretched in; without, only stave lines and end lines.
struct PreviewRequest {
    int page = 1;
    bool gutterLeft = false;
    bool details = true;
    double ppi = 20.0;
};
void DrawPreviewPage(DrawContext& dc, Score& score, QImage& image, const PreviewRequest& request,
                     const PageOptions& options = {});

} // namespace qv
