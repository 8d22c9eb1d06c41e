#pragma once
// The program's own mouse pointers, by the numbers the score window's modes use:
// 1 PENCIL, 2 CURSOR_1, 3 CURSOR_13, 4 CURSOR_3, 5 CURSOR_4, 6 MAG_GLASS, 7 CURSOR_7,
// 8 CURSOR_8 (our cross, used where the system cross would be), 9 CURSOR_9,
// 10 CURSOR_10, 11 CURSOR_11, 12 CURSOR_12, 13 OPENHAND_CUR, 14 CLOSEDHAND_CUR, 15 ARROWH.
// Each is a 32 x 32 image with alpha under ":/shell/pointers/<NAME>.png"; its hot spot
// is stored in the image itself (PNG text "HotSpot" = "x,y"), so the generator that
// draws a pointer also decides where it points.

#include <QCursor>
#include <QImage>
#include <QPoint>

namespace qv {

inline constexpr int FirstPointer = 1;
inline constexpr int LastPointer = 15;
inline constexpr int CrossPointer = 8; // CURSOR_8

// The resource name of pointer `number` ("PENCIL" …), or nullptr outside 1..15.
const char* pointerName(int number);

// The pointer's picture and hot spot, decoded on first use and kept. A null image
// and (0, 0) for an unknown number or a missing resource.
QImage pointerImage(int number);
QPoint pointerHotSpot(int number);

// The pointer as a cursor; the arrow for an unknown number. Needs a QGuiApplication.
QCursor programPointer(int number);

} // namespace qv
