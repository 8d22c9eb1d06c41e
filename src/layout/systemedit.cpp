#include "layout/systemedit.h"

#include "layout/tidystave.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace qv {

void recordSystemForUndo(Score& score, const SystemRange& system) {
    score.undo.pushStaveRange(score, system.first, UndoStaveRange, system.last - system.first + 1);
    score.modified = true;
}

int clampX(long long x) {
    return static_cast<int>(std::clamp<long long>(x, std::numeric_limits<std::int16_t>::min(),
                                                  std::numeric_limits<std::int16_t>::max()));
}

void keepNotesOnStave(Stave& stave) {
    for (int i = 1; i <= stave.Nobjec; ++i) {
        ScoreObject& o = stave.object(i);
        if (!o.is(ObjectKind::Note) || o.x() < -100) continue;
        if (stave.LeftX <= stave.RightX) o.setX(std::clamp(o.x(), int(stave.LeftX), int(stave.RightX)));
    }
}

void systemChanged(Score& score, const SystemRange& system) {
    for (int s = system.first; s <= system.last; ++s)
        StaveChanged(score, s);
}

bool isImmobileText(const ScoreObject& o) {
    return o.is(ObjectKind::LongText) && (o.textAttributes() & TextImmobile) != 0;
}

} // namespace qv
