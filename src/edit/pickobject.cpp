#include "edit/pickobject.h"

#include <cstdlib>

namespace qv {

namespace {

bool between(int v, int a, int b) { return (a <= v && v <= b) || (b <= v && v <= a); }

int lineDistance(const ScoreObject& o, int px, int py) {
    const int x = o.x(), y = o.y(), dx = o.lineDx(), dy = o.lineDy();
    if (dx == 0 && between(py, y, y + dy)) return std::abs(x - px);
    if (dy == 0 && between(px, x, x + dx)) return std::abs(y - py);
    return std::abs(x + dx / 2 - px) + std::abs(y + dy / 2 - py);
}

} // namespace

int hitDistance(const ScoreObject& o, int px, int py, bool openForEdit) {
    const int manhattan = std::abs(px - o.x()) + std::abs(py - o.y());
    switch (o.kind()) {
    case ObjectKind::Clef:
    case ObjectKind::KeySignature:
    case ObjectKind::Glyph:
    case ObjectKind::TimeSignature:
    case ObjectKind::Barline:
    case ObjectKind::Note:
    case ObjectKind::Accidental:
    case ObjectKind::Symbol:
    case ObjectKind::Arpeggio:
    case ObjectKind::Hairpin:
    case ObjectKind::ShortText:
        return manhattan;
    case ObjectKind::Line:
        return lineDistance(o, px, py);
    case ObjectKind::CurvePoint:
        return openForEdit ? manhattan : -1;
    case ObjectKind::LongText:
        return o.isContinuation() ? -1 : manhattan;
    default:
        return -1;
    }
}

Pick nearestObject(const Stave& s, int px, int py, bool openForEdit) {
    Pick best;
    for (int i = 1; i <= s.Nobjec && i < ObjectSlots; ++i) {
        const int d = hitDistance(s.object(i), px, py, openForEdit);
        if (d >= 0 && (best.index == 0 || d < best.distance)) best = Pick{i, d};
    }
    return best;
}

} // namespace qv
