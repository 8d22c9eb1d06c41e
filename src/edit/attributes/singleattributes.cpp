#include "edit/attributes/singleattributes.h"

#include "render/glyphcatalogue.h"

#include <array>

namespace qv {

namespace {

int itemOf(const ScoreObject& o) {
    switch (o.kind()) {
    case ObjectKind::Barline: return o.barType();
    case ObjectKind::TimeSignature: return o.timeType();
    case ObjectKind::Line: return o.lineThickness();
    case ObjectKind::CurvePoint: return o.curveThickness();
    case ObjectKind::Hairpin: return o.hairpinThickness();
    default: return NoChange;
    }
}

int timeSignatureSymbol(int type) {
    static constexpr std::array<int, 3> Symbols{19, 20, 9};
    return type >= 0 && type < 3 ? Symbols.at(static_cast<std::size_t>(type)) : SymbolSelf;
}

} // namespace

bool singleDialogKind(ObjectKind kind) {
    return kind == ObjectKind::Barline || kind == ObjectKind::TimeSignature || kind == ObjectKind::Line ||
           kind == ObjectKind::CurvePoint || kind == ObjectKind::Hairpin;
}

std::string SingleAttributes::caption() const {
    if (kind == ObjectKind::Barline) return "Barline dialog";
    if (kind == ObjectKind::TimeSignature) return "Time signature dialog";
    return "Line Thickness";
}

std::vector<std::string> SingleAttributes::items() const {
    if (kind == ObjectKind::Barline)
        return {"&Single", "&Double", "&Repeat start", "Repeat &end", "Repeat &both", "E&nd section"};
    if (kind == ObjectKind::TimeSignature)
        return {"&C", "\u00a2", "&1/1", "&2/2", "3/2", "2/4", "&3/4", "&4/4",
                "&5/4", "&6/4", "&7/4", "3&/8", "6/&8", "&9/8", "12/8"};
    return {"&0", "&1", "&2", "&3", "&4", "&5"};
}

SingleAttributes singleAttributesOf(const ScoreObject& o) {
    SingleAttributes a;
    a.kind = o.kind();
    a.item = itemOf(o);
    if (a.item < 0 || a.item >= static_cast<int>(a.items().size())) a.item = NoChange;
    a.dotted = o.is(ObjectKind::CurvePoint) && o.curveDotted() ? 1 : 0;
    return a;
}

SingleAttributes blockSingleAttributes(const std::vector<ScoreObject>& objects, ObjectKind kind) {
    SingleAttributes a;
    a.kind = kind;
    a.block = true;
    a.item = a.dotted = NoChange;
    if (objects.empty()) return a;
    a = singleAttributesOf(objects.front());
    a.block = true;
    for (const ScoreObject& o : objects) {
        if (singleAttributesOf(o).item != a.item) a.item = NoChange;
        if (kind == ObjectKind::CurvePoint && o.curveDotted() != (a.dotted == 1)) a.dotted = NoChange;
    }
    return a;
}

void applySingleAttributes(ScoreObject& o, const SingleAttributes& a) {
    if (o.kind() != a.kind) return;
    if (a.item != NoChange) {
        switch (o.kind()) {
        case ObjectKind::Barline:
            o.setBarType(a.item);
            o.setSymbolCode(BarlineGlyph(a.item, o.symbolCode()));
            break;
        case ObjectKind::TimeSignature:
            o.setTimeType(a.item);
            o.setSymbolCode(timeSignatureSymbol(a.item));
            break;
        case ObjectKind::Line: o.setLineThickness(a.item); break;
        case ObjectKind::CurvePoint: o.setCurveThickness(a.item); break;
        case ObjectKind::Hairpin: o.setHairpinThickness(a.item); break;
        default: break;
        }
    }
    if (o.is(ObjectKind::CurvePoint) && a.dotted != NoChange) o.setCurveDotted(a.dotted == 1);
}

} // namespace qv
