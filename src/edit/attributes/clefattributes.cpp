#include "edit/attributes/clefattributes.h"

#include "edit/musicentry.h"
#include "render/glyphcatalogue.h"

#include <array>

namespace qv {

namespace {

int typeOf(const ScoreObject& o) { return o.is(ObjectKind::Accidental) ? o.accValue() + 2 : o.clefType(); }
int sizeOf(const ScoreObject& o) {
    return (o.is(ObjectKind::Accidental) ? o.accSmall() : o.clefSmall()) ? 1 : 0;
}

} // namespace

int ClefAttributes::previewSymbol() const {
    const int t = type == NoChange ? 0 : type;
    const bool small = size == 1;
    if (!accidental) return ClefGlyph(t, small);
    // There are no small double accidentals: those keep the normal glyph.
    static constexpr std::array<int, 5> Normal{45, 44, 48, 46, 47};
    static constexpr std::array<int, 5> Small{45, 121, 123, 122, 47};
    const std::size_t i = static_cast<std::size_t>(type == NoChange ? 2 : type);
    return small ? Small.at(i) : Normal.at(i);
}

ClefAttributes clefAttributesOf(const ScoreObject& o) {
    ClefAttributes a;
    a.accidental = o.is(ObjectKind::Accidental);
    a.type = typeOf(o);
    a.size = sizeOf(o);
    return a;
}

ClefAttributes blockClefAttributes(const std::vector<ScoreObject>& objects, bool accidental) {
    ClefAttributes a;
    a.accidental = accidental;
    a.block = true;
    a.type = a.size = NoChange;
    if (objects.empty()) return a;
    a.type = typeOf(objects.front());
    a.size = sizeOf(objects.front());
    for (const ScoreObject& o : objects) {
        if (typeOf(o) != a.type) a.type = NoChange;
        if (sizeOf(o) != a.size) a.size = NoChange;
    }
    if (!a.typeShown()) a.type = NoChange;
    return a;
}

void applyClefAttributes(ScoreObject& o, const ClefAttributes& a) {
    if (o.is(ObjectKind::Accidental)) {
        if (a.type != NoChange && a.typeShown()) o.setAccValue(a.type - 2);
        if (a.size != NoChange) o.setAccSmall(a.size == 1);
        o.setSymbolCode(accidentalSymbol(o.accValue()));
    } else if (o.is(ObjectKind::Clef)) {
        if (a.type != NoChange) o.setClefType(a.type);
        if (a.size != NoChange) o.setClefSmall(a.size == 1);
        o.setSymbolCode(ClefGlyph(o.clefType(), o.clefSmall()));
    }
}

} // namespace qv
