#pragma once
// Where drawing goes: the screen page (MainImage, one page unit per pixel) or the
// print image (Printimage, three pixels per page unit), with the origins and the
// configured colours. Every drawer takes the context; nothing draws on a widget.
//
// A screen zoomed in is drawn like the print image, three pixels per page unit
// from the three-times glyphs, but with everything the screen shows: colours,
// exclusive-or marks, non-printing objects and editing aids.

#include "model/settings.h"

#include <QImage>
#include <QPoint>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qv {

class GlyphStore;

// Colours are stored as Windows colour values 0x00BBGGRR and turned into QColor
// only when drawing.
using ColourValue = std::uint32_t;

struct Colours {
    ColourValue Ink = 0x000000;
    ColourValue Nonprinting = 0xFF00FF;
    ColourValue Putative = 0xC0C0C0;
    ColourValue Line = 0x008000;
    ColourValue Erase = 0x00FFFF;
    ColourValue Anchor = 0x808080;
    ColourValue Edit = 0x0000FF;
    ColourValue Cursor = 0xFF0000;
    ColourValue Block = 0x80FF00;
    ColourValue Marked = 0xFF0000;
    ColourValue UniversalText = 0xFF00FF;
    ColourValue Strings = 0xFF00FF;
};

// The drawing colours from the user's settings.
Colours coloursFrom(const ColourSettings& settings);

inline constexpr ColourValue White = 0xFFFFFF;
inline constexpr ColourValue Lime = 0x00FF00;

QColor toQColor(ColourValue bgr);

struct DrawContext {
    QImage MainImage;  // RGB32 screen page
    QImage Printimage; // RGB32, black on white, three pixels per page unit
    bool HighResMode = false; // drawing three pixels per page unit into Printimage
    bool ZoomedScreen = false; // with HighResMode: the screen zoomed in, not paper
    QPoint ScreenOrigin; // where page position (0, 0) lies on MainImage
    QPoint HiResOrigin;  // where page position (0, 0) lies on Printimage
    Colours colours;
    // The glyph bitmaps to draw from; the ones compiled into the program when unset.
    const GlyphStore* glyphs = nullptr;

    // When set, every primitive also lists its call here in words, e.g.
    // "line (10, 20)-(10, 40) thickness 4 colour 000000", so that tests of drawers
    // read like the rules they follow. Drawing still happens. Callers test `record`
    // before building the words, which a page drawn for the screen never needs.
    std::vector<std::string>* record = nullptr;
    void note(const std::string& call) const {
        if (record) record->push_back(call);
    }

    // The entry cursor's last position and whether it is showing; drawing it
    // twice hides it. The score window keeps the cursor in view through the hook.
    struct CursorState {
        int x = 0;
        int y = 0;
        bool shown = false;
    } cursor;
    std::function<void(int x, int y)> scrollIntoView;

    // Drawing for paper: black ink only, nothing that does not print.
    bool onPaper() const { return HighResMode && !ZoomedScreen; }
    // The surface drawn on, where page position (0, 0) lies on it and its pixels
    // per page unit.
    QImage& surface() { return HighResMode ? Printimage : MainImage; }
    QPoint origin() const { return HighResMode ? HiResOrigin : ScreenOrigin; }
    int scale() const { return HighResMode ? 3 : 1; }

    // A white screen page of the given size in page units, at most the largest
    // paper (either way round) at the smallest stave size.
    void newScreenPage(int width, int height);
    // A white print image three times the given page size, bounded the same way.
    void newPrintPage(int width, int height);
    // The same, but the print image already there is kept as it is, not cleared,
    // when it has that size and no copy of it is held elsewhere. True when a new
    // (white) one was made.
    bool keepPrintPage(int width, int height);
};

} // namespace qv
