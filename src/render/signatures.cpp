#include "render/signatures.h"

// Placeholder bodies until this drawer is written.
namespace qv {}
namespace qv {
void DrawKeySignatureObject(DrawContext&, Score&, int, const ScoreObject&, ColourValue, bool) {}
void DrawTimeSignatureObject(DrawContext&, const ScoreObject&, ColourValue, bool) {}
void DrawBarlineObject(DrawContext&, Score&, int, const ScoreObject&, ColourValue, bool) {}
void DrawAccidentalObject(DrawContext&, const ScoreObject&, ColourValue, bool) {}
} // namespace qv
