#include "render/dispatch.h"

#include "render/glyphcatalogue.h"
#include "render/glyphs.h"
#include "render/primitives.h"
#include "render/shapes.h"

namespace qv {

namespace {

// How the current object of Edit mode differs from a stored one.
enum class Form { Stored, Current };

void drawLine(DrawContext& dc, const ScoreObject& o, ColourValue colour, bool xorMode, Form form) {
    // The current object is drawn thin and solid so that its exact position shows.
    // Dash styles get their own drawer with the curves; until then lines are solid.
    const int thickness = form == Form::Current ? 1 : o.lineThickness();
    DrawLine(dc, o.x(), o.y(), o.x() + o.lineDx(), xorMode, colour, thickness, o.y() + o.lineDy());
}

void drawSymbol(DrawContext& dc, const ScoreObject& o, ColourValue colour, bool xorMode) {
    for (int k = 0; k <= o.repeats(); ++k)
        DrawGlyph(dc, o.symbolCode(), o.x() + k * o.stepDx(), o.y() + k * o.stepDy(), xorMode, colour);
}

void drawArpeggio(DrawContext& dc, const ScoreObject& o, ColourValue colour, bool xorMode) {
    constexpr int Wave = 157;
    for (int k = 0; k < o.segments(); ++k) DrawGlyph(dc, Wave, o.x() + 2, o.y() + 6 - 8 * k, xorMode, colour);
}

void drawHairpin(DrawContext& dc, const ScoreObject& o, ColourValue colour, bool xorMode, Form form) {
    const int t = form == Form::Current ? 1 : o.hairpinThickness();
    const int x = o.x(), y = o.y(), dx = o.hairpinDx(), dy = o.hairpinDy();
    DrawLine(dc, x, y, x + dx, xorMode, colour, t, y + dy);
    DrawLine(dc, x, y, x + dx, xorMode, colour, t, y - dy);
}

// The kind table. `index` is the object's slot on `stave` (notes need their
// neighbours for stems and beams).
void drawKind(DrawContext& dc, Score& /*score*/, int /*stave*/, int /*index*/, const ScoreObject& o,
              ColourValue colour, bool xorMode, Form form) {
    switch (o.kind()) {
    case ObjectKind::Clef: DrawGlyph(dc, ClefGlyph(o.clefType(), o.clefSmall()), o.x(), o.y(), xorMode, colour); break;
    case ObjectKind::Glyph: DrawGlyph(dc, o.symbolCode(), o.x(), o.y(), xorMode, colour); break;
    case ObjectKind::Line: drawLine(dc, o, colour, xorMode, form); break;
    case ObjectKind::Symbol: drawSymbol(dc, o, colour, xorMode); break;
    case ObjectKind::Arpeggio: drawArpeggio(dc, o, colour, xorMode); break;
    case ObjectKind::Hairpin: drawHairpin(dc, o, colour, xorMode, form); break;
    case ObjectKind::Shape: DrawShape(dc, o, colour, xorMode); break;

    // The drawers of these kinds are still to come: key and time signatures, bar
    // lines, notes and rests, accidentals, texts and curves.
    case ObjectKind::KeySignature:
    case ObjectKind::TimeSignature:
    case ObjectKind::Barline:
    case ObjectKind::Note:
    case ObjectKind::Accidental:
    case ObjectKind::ShortText:
    case ObjectKind::CurvePoint:
    case ObjectKind::LongText: break;

    // Never drawn: unused kinds, deleted slots and tie links.
    case ObjectKind::Unused6:
    case ObjectKind::Deleted:
    case ObjectKind::TieLink:
    case ObjectKind::Unused15: break;
    }
}

bool validSlot(const Score& score, int stave, int index) {
    return stave >= 0 && stave <= score.Nstaves && index >= 1 && index < ObjectSlots;
}

// The kinds that are entered from the keyboard and shown while provisional.
bool drawnWhileProvisional(ObjectKind k) {
    switch (k) {
    case ObjectKind::Clef:
    case ObjectKind::KeySignature:
    case ObjectKind::Glyph:
    case ObjectKind::TimeSignature:
    case ObjectKind::Barline:
    case ObjectKind::Note:
    case ObjectKind::Accidental:
    case ObjectKind::Symbol:
    case ObjectKind::Arpeggio: return true;
    default: return false;
    }
}

} // namespace

void DrawObject(DrawContext& dc, Score& score, int stave, int index, ColourValue colour, bool xorMode) {
    if (!validSlot(score, stave, index)) return;
    drawKind(dc, score, stave, index, score.stave(stave).object(index), colour, xorMode, Form::Stored);
}

void DrawProvisionalObject(DrawContext& dc, Score& score, int currentStave) {
    const ScoreObject& o = score.provisional.object;
    if (!score.provisional.present || !drawnWhileProvisional(o.kind())) return;
    if (currentStave < 0 || currentStave > score.Nstaves) return;
    const ColourValue putative = dc.colours.Putative;
    Stave& s = score.stave(currentStave);
    if (o.isNote() && s.Nobjec + 1 < ObjectSlots) {
        const int scratch = s.Nobjec + 1;
        s.object(scratch) = o;
        s.lastPosition = static_cast<std::int8_t>(o.staffPosition());
        drawKind(dc, score, currentStave, scratch, s.object(scratch), putative, true, Form::Stored);
        return;
    }
    // A bar line will be drawn from the first stave of the current system once bar
    // lines have their drawer; a rest and every other kind draw from the record.
    drawKind(dc, score, currentStave, 0, o, putative, true, Form::Stored);
}

void DrawCurrentObject(DrawContext& dc, Score& score, const CurrentObject& current, ColourValue colour,
                       bool xorMode) {
    if (!current.editMode || !validSlot(score, current.stave, current.index)) return;
    const ScoreObject& o = score.stave(current.stave).object(current.index);
    if (o.is(ObjectKind::CurvePoint)) DrawAnchor(dc, o.x(), o.y(), colour, xorMode);
    drawKind(dc, score, current.stave, current.index, o, colour, xorMode, Form::Current);
}

} // namespace qv
