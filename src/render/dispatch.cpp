#include "render/dispatch.h"

#include "model/bounds.h"
#include "render/curves.h"
#include "render/glyphcatalogue.h"
#include "render/glyphs.h"
#include "render/notes.h"
#include "render/primitives.h"
#include "render/shapes.h"
#include "render/signatures.h"
#include "render/text.h"

#include <algorithm>
#include <cstdlib>

namespace qv {

namespace {

// How the current object of Edit mode differs from a stored one.
enum class Form { Stored, Current };

void drawLine(DrawContext& dc, const ScoreObject& o, ColourValue colour, bool xorMode, Form form) {
    // The current object is drawn thin and solid so that its exact position shows.
    if (form == Form::Stored && o.lineStyle() != 0) {
        DrawStyledLine(dc, o.x(), o.y(), o.x() + o.lineDx(), xorMode, colour, o.lineStyle(), o.lineThickness(),
                       o.y() + o.lineDy());
        return;
    }
    const int thickness = form == Form::Current ? 1 : o.lineThickness();
    DrawLine(dc, o.x(), o.y(), o.x() + o.lineDx(), xorMode, colour, thickness, o.y() + o.lineDy());
}

void drawSymbol(DrawContext& dc, const ScoreObject& o, ColourValue colour, bool xorMode) {
    for (int k = 0; k <= o.repeats(); ++k)
        DrawGlyph(dc, o.symbolCode(), o.x() + k * o.stepDx(), o.y() + k * o.stepDy(), xorMode, colour);
}

void drawArpeggio(DrawContext& dc, const ScoreObject& o, ColourValue colour, bool xorMode) {
    constexpr int Wave = 157;
    const int segments = std::min(o.segments(), MaxArpeggioSegments); // the byte allows twice as many
    for (int k = 0; k < segments; ++k)
        DrawGlyph(dc, Wave, o.x() + 2, o.y() + 6 - 8 * k, xorMode, colour);
}

void drawHairpin(DrawContext& dc, const ScoreObject& o, ColourValue colour, bool xorMode, Form form) {
    const int t = form == Form::Current ? 1 : o.hairpinThickness();
    const int x = o.x(), y = o.y(), dx = o.hairpinDx(), dy = o.hairpinDy();
    if (t <= 1 || dx == 0 || dy == 0) { // a thin wedge, or one that is a single line
        DrawLine(dc, x, y, x + dx, xorMode, colour, t, y + dy);
        DrawLine(dc, x, y, x + dx, xorMode, colour, t, y - dy);
        return;
    }
    // A thick leg centred on its line would fill the narrow end of the wedge solid.
    // Each leg is instead t one-pixel lines laid outward from the line through the
    // vertex, so that the two legs stay apart right to the point: shifted up or down
    // for a leg flatter than 45 degrees, sideways (away from the opening) otherwise.
    const bool flat = std::abs(dx) >= std::abs(dy);
    const int sy = dy > 0 ? 1 : -1, sx = dx > 0 ? -1 : 1;
    for (int k = 0; k < t; ++k) {
        const int ox = flat ? 0 : sx * k, oy = flat ? sy * k : 0;
        DrawLine(dc, x + ox, y + oy, x + dx + ox, xorMode, colour, 1, y + dy + oy);
        DrawLine(dc, x + ox, y - oy, x + dx + ox, xorMode, colour, 1, y - dy - oy);
    }
}

// The first point of the curve that point `index` belongs to.
int firstPointOf(const Stave& s, int index) {
    for (int steps = 0; steps < ObjectSlots; ++steps) {
        const int prev = s.object(index).curvePrev();
        if (prev < 1 || prev >= ObjectSlots || !s.object(prev).is(ObjectKind::CurvePoint)) break;
        index = prev;
    }
    return index;
}

void drawNoteOrRest(DrawContext& dc, Score& score, int stave, int index, const ScoreObject& o, ColourValue colour,
                    bool xorMode, Form form) {
    if (o.isRest()) {
        DrawRest(dc, o, score.stave(stave).Ycoord, colour, xorMode);
    } else if (form == Form::Current) {
        DrawEditNote(dc, score, stave, index, colour, xorMode);
    } else {
        DrawNote(dc, score, stave, index, colour, xorMode);
    }
}

void drawCurvePoint(DrawContext& dc, Score& score, int stave, int index, const ScoreObject& o, ColourValue colour,
                    bool xorMode, Form form) {
    // Only a chain's first point draws the curve; the current point draws the whole
    // curve from its first point.
    if (form == Form::Current) {
        DrawCurve(dc, score, stave, firstPointOf(score.stave(stave), index), colour, false, xorMode);
    } else if (o.curvePrev() == 0 && o.curveNext() != 0) {
        DrawCurve(dc, score, stave, index, colour, false, xorMode);
    }
}

// The kind table. `index` is the object's slot on `stave` (notes need their
// neighbours for stems and beams); 0 for a record drawn outside the stave.
void drawKind(DrawContext& dc, Score& score, int stave, int index, const ScoreObject& o, ColourValue colour,
              bool xorMode, Form form) {
    switch (o.kind()) {
    case ObjectKind::Clef: DrawGlyph(dc, ClefGlyph(o.clefType(), o.clefSmall()), o.x(), o.y(), xorMode, colour); break;
    case ObjectKind::KeySignature: DrawKeySignatureObject(dc, score, stave, o, colour, xorMode); break;
    case ObjectKind::Glyph: DrawGlyph(dc, o.symbolCode(), o.x(), o.y(), xorMode, colour); break;
    case ObjectKind::TimeSignature: DrawTimeSignatureObject(dc, o, colour, xorMode); break;
    case ObjectKind::Barline: DrawBarlineObject(dc, score, stave, o, colour, xorMode); break;
    case ObjectKind::Note: drawNoteOrRest(dc, score, stave, index, o, colour, xorMode, form); break;
    case ObjectKind::Accidental: DrawAccidentalObject(dc, o, colour, xorMode); break;
    case ObjectKind::ShortText: DrawShortText(dc, score, stave, o, colour, xorMode); break;
    case ObjectKind::Line: drawLine(dc, o, colour, xorMode, form); break;
    case ObjectKind::CurvePoint:
        if (index > 0) drawCurvePoint(dc, score, stave, index, o, colour, xorMode, form);
        break;
    case ObjectKind::Symbol: drawSymbol(dc, o, colour, xorMode); break;
    case ObjectKind::Arpeggio: drawArpeggio(dc, o, colour, xorMode); break;
    case ObjectKind::LongText:
        if (index > 0 && !o.isContinuation()) DrawLongText(dc, score, stave, index, colour, xorMode);
        break;
    case ObjectKind::Hairpin: drawHairpin(dc, o, colour, xorMode, form); break;
    case ObjectKind::Shape: DrawShape(dc, o, colour, xorMode); break;

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
    // A bar line runs from the first stave of the current system down through it;
    // a rest and every other kind draw from the record.
    int from = currentStave;
    if (o.is(ObjectKind::Barline))
        while (from > 1 && score.stave(from - 1).joinToNext) --from;
    drawKind(dc, score, from, 0, o, putative, true, Form::Stored);
}

void DrawCurrentObject(DrawContext& dc, Score& score, const CurrentObject& current, ColourValue colour,
                       bool xorMode) {
    if (!current.editMode || !validSlot(score, current.stave, current.index)) return;
    const ScoreObject& o = score.stave(current.stave).object(current.index);
    if (o.is(ObjectKind::CurvePoint)) DrawAnchor(dc, o.x(), o.y(), colour, xorMode);
    drawKind(dc, score, current.stave, current.index, o, colour, xorMode, Form::Current);
}

} // namespace qv
