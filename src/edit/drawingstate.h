#pragma once
// What the placing modes (Text, Symbol, Line, Curve, Hairpin, Drawing) keep while
// they work, and the marks they show over the page by exclusive-or: the tether from
// the stave to the pointer, rubber bands, the curve being drawn and the text being
// typed. The window draws the marks; drawing them twice takes them away.

#include "model/fonttable.h"
#include "model/staveops.h"

#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

struct MarkPoint {
    int x = 0;
    int y = 0;
    bool operator==(const MarkPoint&) const = default;
};

struct MarkLine {
    MarkPoint from;
    MarkPoint to;
    bool operator==(const MarkLine&) const = default;
};

// Everything the placing modes show by exclusive-or; the window erases what it
// showed before and draws these.
struct PlacingMarks {
    bool tether = false;
    MarkLine tetherLine;          // from the stave's middle line to the pointer
    std::vector<MarkLine> band;   // the rubber-band line, or a hairpin's two legs
    std::vector<MarkPoint> curve; // the anchors of the curve being drawn, by x
    int curveDepth = 2;
    bool curveDotted = false;
    std::string text;             // the text being typed, ending at the caret
    MarkPoint textTopLeft;
    FontDesc textFont;
    bool empty() const { return !tether && band.empty() && curve.empty() && text.empty(); }
    bool operator==(const PlacingMarks&) const = default;
};

inline constexpr int MaxTextBuffer = 255;

struct DrawingState {
    MarkPoint start;                 // Line: the line's start; Hairpin: the vertex; Drawing: the anchor
    MarkPoint current;               // the last pointer position used for a rubber band
    // Indexes of the lines added since Line mode began, as they were added (the tidy
    // after each addition may renumber them): whether any were added is what counts.
    std::bitset<256> linesThisVisit;
    CurveCollector curve;            // the anchors of the curve being drawn
    bool dotted = false;
    std::string textBuffer;          // at most MaxTextBuffer characters
    int textWidth = 0;
    MarkPoint caret;                 // where the typed text ends
    std::uint8_t textAttributes = 0;
    FontDesc currentFont;            // empty name: the settings' default font
    int shapeColour = 0;             // 0 black, 1 white (erase)
    bool manySymbols = false;        // the palette's "&More than one"
    bool limited = false;            // the pointer's y is held between the limits
    int lowestY = 0;                 // the limits, page units (y grows downwards):
    int highestY = 0;                // the stave above's middle line and the one below's
};

} // namespace qv
