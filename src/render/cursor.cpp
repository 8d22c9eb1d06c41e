#include "render/cursor.h"

#include "render/primitives.h"

namespace qv {

void DrawCursor(DrawContext& dc, int x, int y, int thickness, int type) {
    const ColourValue c = dc.colours.Cursor;
    const auto stroke = [&](int x1, int y1, int x2, int y2) { DrawLine(dc, x1, y1, x2, true, c, thickness, y2); };
    switch (static_cast<CursorType>(type)) {
    case CursorType::Box:
        stroke(x - 14, y + 25, x + 14, y + 25);
        stroke(x - 14, y - 25, x + 14, y - 25);
        stroke(x + 14, y - 25, x + 14, y + 25);
        stroke(x - 14, y - 25, x - 14, y + 25);
        break;
    case CursorType::Corners:
        stroke(x - 14, y - 25, x - 7, y - 12);
        stroke(x + 7, y + 12, x + 14, y + 25);
        stroke(x - 14, y + 25, x - 7, y + 12);
        stroke(x + 7, y - 12, x + 14, y - 25);
        break;
    case CursorType::IBeam:
    default:
        stroke(x - 14, y + 25, x + 14, y + 25);
        stroke(x, y + 25, x, y - 25);
        stroke(x - 14, y - 25, x + 14, y - 25);
        break;
    }
    if (dc.scrollIntoView) dc.scrollIntoView(x, y);
    dc.cursor.x = x;
    dc.cursor.y = y;
    dc.cursor.shown = !dc.cursor.shown;
}

} // namespace qv
