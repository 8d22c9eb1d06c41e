#include "layout/staveextent.h"

#include "render/glyphcatalogue.h"
#include "render/glyphinkbox.h"
#include "render/textmetrics.h"

#include <algorithm>
#include <cstdlib>

namespace qv {

namespace {

constexpr int StaveTopGlyph = 42;
constexpr int StaveBottomGlyph = 43;
constexpr int SharpGlyph = 46;
constexpr int FlatGlyph = 44;

struct Extent {
    int minY;
    int maxY;
    void cover(int top, int bottom) {
        minY = std::min(minY, top);
        maxY = std::max(maxY, bottom);
    }
};

// The height a glyph drawn with its centre at y covers.
void coverGlyph(Extent& e, int code, int y) {
    const InkBox box = GlyphInkBox(code);
    const int base = y + GlyphOffset(code).dy - 32;
    e.cover(base + box.top - 1, base + box.bottom + 2);
}

void coverNote(Extent& e, const ScoreObject& o) {
    const int y = o.y();
    if (o.isRest()) {
        coverGlyph(e, o.symbolCode(), y);
        return;
    }
    if (o.beamBack() != 0 || o.beamForward() != 0) {
        const int steps = o.duration() - 3;
        const int stem = o.headStyle() == 0 ? steps * 5 + 13 : steps * 4 + 9;
        if (o.stem() == StemUp)
            e.cover(y - stem - 1, y + 3);
        else
            e.cover(y - 3, y + stem + 1);
        return;
    }
    switch (o.stem()) {
    case StemUp: e.cover(y - 28, y + 8); break;
    case StemDown: e.cover(y - 8, y + 28); break;
    case StemNone: e.cover(y - 8, y + 8); break;
    default: break; // an automatic stem adds nothing
    }
}

void coverKeySignature(Extent& e, const ScoreObject& o) {
    const int count = o.keyCount();
    if (std::abs(count) > 2) e.minY = std::min(e.minY, o.y() - 20 + GlyphInkBox(SharpGlyph).top);
    if (count < -6) e.maxY = std::max(e.maxY, o.y() + 20 + GlyphInkBox(FlatGlyph).bottom);
}

void coverObject(Extent& e, const Score& score, const Stave& s, const ScoreObject& o) {
    const int y = o.y();
    switch (o.kind()) {
    case ObjectKind::Clef:
    case ObjectKind::Accidental:
    case ObjectKind::Symbol:
    case ObjectKind::Unused15: coverGlyph(e, o.symbolCode(), y); break;
    case ObjectKind::KeySignature: coverKeySignature(e, o); break;
    case ObjectKind::Note: coverNote(e, o); break;
    case ObjectKind::ShortText:
        e.cover(y, y + TextHeight(score.fonts.font(o.fontNumber()), o.shortText()));
        break;
    case ObjectKind::Line: {
        const int dy = o.lineDy(), t = o.lineThickness();
        e.cover(std::min(y, y + dy - t), std::max(y, y + dy + t));
        break;
    }
    case ObjectKind::CurvePoint:
        if (o.curvePrev() == 0 && o.curveNext() > 0)
            e.cover(s.Ycoord + o.curveTop(), s.Ycoord + o.curveThickness() + o.curveBottom());
        break;
    case ObjectKind::Arpeggio: e.cover(y - 8 * static_cast<std::int8_t>(o.segments()), y); break;
    case ObjectKind::LongText:
        if (o.textAttributes() < TextContinuation) e.cover(y, y + TextHeight(score.fonts.font(o.fontNumber()), "Mg"));
        break;
    case ObjectKind::Hairpin: {
        const int h = std::abs(o.hairpinDy()), t = o.hairpinThickness();
        e.cover(y - h - t, y + h + t);
        break;
    }
    default: break;
    }
}

} // namespace

void StaveExtent(Score& score, int index) {
    Stave& s = score.stave(index);
    Extent e{s.Ycoord - GlyphInkBox(StaveTopGlyph).top - 32 + GlyphOffset(StaveTopGlyph).dy,
             s.Ycoord + GlyphInkBox(StaveBottomGlyph).bottom - 32 + GlyphOffset(StaveBottomGlyph).dy};
    const int count = std::min<int>(s.Nobjec, ObjectSlots - 1);
    for (int i = 1; i <= count; ++i) coverObject(e, score, s, s.object(i));
    s.MinY = e.minY;
    s.MaxY = e.maxY;
}

} // namespace qv
