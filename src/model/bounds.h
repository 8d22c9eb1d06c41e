#pragma once
// The largest sizes a score may carry. A file, an edit or an import can put any
// number into a 16-bit field; what decides how much memory and time drawing takes
// must stay within what the page can show. Paper is bounded here; fonts, object
// extents and chains by the readers and drawers with the limits below.

#include "model/pagegeometry.h"

namespace qv {

// Paper, in inches: the default page setup allows 4..12 inches across and 3..24
// down; a landscape page is the same sheet turned, so either side may be the long
// one, but only one of them may be longer than 12 inches.
inline constexpr double MinPaperSide = 3.0;
inline constexpr double MaxPaperSide = 24.0;
inline constexpr double MaxPaperShortSide = 12.0;
// Margins, gutter, header and footer must leave at least this much music area
// each way; what gives less is reset to the fallback page's margins.
inline constexpr double MinMusicArea = 1.0;

// The largest paper at the smallest stave size, in page units (screen pixels).
inline constexpr int MaxPageUnits = static_cast<int>(MaxPaperSide * 32 / MinStaveSize + 0.5);
inline constexpr int MaxPageShortUnits = static_cast<int>(MaxPaperShortSide * 32 / MinStaveSize + 0.5);

// The font dialog offers sizes up to 255 points.
inline constexpr int MaxFontPoints = 255;

// An arpeggio has 0..127 wavy segments.
inline constexpr int MaxArpeggioSegments = 127;

// Brings the paper within the sides above; true when it had to.
bool boundPaper(PageData& page);
// Gives the page the fallback margins (and no gutter, header or footer) in a
// direction where they leave less than MinMusicArea; true when it had to.
bool boundMargins(PageData& page);

// The longer side of the paper in page units: no extent on the page reaches further.
int paperReach(const PageData& page, double stvSiz);

// A page surface of width x height page units cut to the largest paper turned
// either way; negative sizes become 0.
struct SurfaceSize {
    int width = 0;
    int height = 0;
};
SurfaceSize boundSurface(int width, int height);

} // namespace qv
