#include "render/notes.h"

// Placeholder bodies until this drawer is written.
namespace qv {}
namespace qv {
void DrawNote(DrawContext&, Score&, int, int, ColourValue, bool) {}
void DrawRest(DrawContext&, const ScoreObject&, int, ColourValue, bool) {}
void DrawEditNote(DrawContext&, Score&, int, int, ColourValue, bool) {}
} // namespace qv
