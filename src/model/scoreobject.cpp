#include "model/scoreobject.h"

namespace qv {

std::string ScoreObject::lpString(int at, int capacity) const { return getLpString(&bytes[at], capacity); }

void ScoreObject::setLpString(int at, int capacity, const std::string& s) { putLpString(&bytes[at], capacity, s); }

bool placedFreely(ObjectKind k) {
    switch (k) {
    case ObjectKind::ShortText:
    case ObjectKind::Line:
    case ObjectKind::CurvePoint:
    case ObjectKind::Symbol:
    case ObjectKind::Arpeggio:
    case ObjectKind::LongText:
    case ObjectKind::Hairpin:
    case ObjectKind::Shape:
        return true;
    default:
        return false;
    }
}

ScoreObject makeObject(ObjectKind kind, int x, int y) {
    ScoreObject o;
    o.setX(x);
    o.setY(y);
    o.setSymbolCode(SymbolSelf);
    o.setKind(kind);
    return o;
}

} // namespace qv
