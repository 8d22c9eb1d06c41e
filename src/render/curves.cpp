#include "render/curves.h"

// Placeholder bodies until this drawer is written.
namespace qv {}
namespace qv {
void DrawCurve(DrawContext&, Score&, int, int, ColourValue, bool, bool) {}
void DrawTie(DrawContext&, Score&, int, ColourValue, bool, int, int, int) {}
void DrawStyledLine(DrawContext&, int, int, int, bool, ColourValue, int, int, int) {}
} // namespace qv
