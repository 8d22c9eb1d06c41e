#pragma once
// Where drawing goes: the screen page (MainImage, one page unit per pixel) or the
// print image (Printimage, three pixels per page unit), with the origins and the
// configured colours. Every drawer takes the context; nothing draws on a widget.

#include <QImage>
#include <QPoint>

#include <cstdint>

namespace qv {

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

inline constexpr ColourValue White = 0xFFFFFF;
inline constexpr ColourValue Lime = 0x00FF00;

QColor toQColor(ColourValue bgr);

struct DrawContext {
    QImage MainImage;  // RGB32 screen page
    QImage Printimage; // RGB32, black on white, three pixels per page unit
    bool HighResMode = false;
    QPoint ScreenOrigin; // where page position (0, 0) lies on MainImage
    QPoint HiResOrigin;  // where page position (0, 0) lies on Printimage
    Colours colours;

    // A white screen page of the given size in page units.
    void newScreenPage(int width, int height);
    // A white print image three times the given page size.
    void newPrintPage(int width, int height);
};

} // namespace qv
