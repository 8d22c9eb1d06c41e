#include "layout/cutoff.h"

#include "layout/pagination.h"
#include "layout/systemedit.h"
#include "model/ui.h"

#include <string>

namespace qv {

namespace {

bool staffBound(const ScoreObject& o) {
    switch (o.kind()) {
    case ObjectKind::Clef:
    case ObjectKind::KeySignature:
    case ObjectKind::Glyph:
    case ObjectKind::TimeSignature:
    case ObjectKind::Barline:
    case ObjectKind::Note:
    case ObjectKind::Accidental: return true;
    default: return false;
    }
}

} // namespace

bool CutOff(Score& score, int s, int x, CutSide side, Ui& ui) {
    const SystemRange sys = SystemExtent(score, s);
    const bool left = side == CutSide::Left;
    for (int t = sys.first; t <= sys.last; ++t) {
        const Stave& st = score.stave(t);
        for (int i = 1; i <= st.Nobjec; ++i) {
            const ScoreObject& o = st.object(i);
            if (!staffBound(o) || (left ? o.x() > x : o.x() <= x)) continue;
            showError(ui, formatMessage(CannotChopMessage, std::to_string(t)));
            return false;
        }
        // A stave may not lose its length altogether: its ends would cross.
        if (left ? x >= st.RightX : x <= st.LeftX) return false;
    }
    recordSystemForUndo(score, sys);
    for (int t = sys.first; t <= sys.last; ++t) {
        Stave& st = score.stave(t);
        if (left)
            st.LeftX = static_cast<std::int16_t>(x);
        else
            st.RightX = static_cast<std::int16_t>(x);
    }
    systemChanged(score, sys);
    return true;
}

} // namespace qv
