#include "render/text.h"

// Placeholder bodies until this drawer is written.
namespace qv {}
namespace qv {
void DrawShortText(DrawContext&, Score&, int, const ScoreObject&, ColourValue, bool) {}
void DrawLongText(DrawContext&, Score&, int, int, ColourValue, bool) {}
} // namespace qv
