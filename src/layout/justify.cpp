#include "layout/justify.h"

#include "layout/systemedit.h"
#include "model/ui.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace qv {

namespace {

constexpr int ChordReach = 12; // a stemless note this close to a stemmed one is part of its chord

bool isStemmed(const ScoreObject& o) {
    return o.is(ObjectKind::Note) && o.stem() != StemNone;
}
bool isStemless(const ScoreObject& o) {
    return o.is(ObjectKind::Note) && o.stem() == StemNone;
}

// The x of the first stemmed note or rest within reach of a stemless one, or 0.
int chordAnchor(const Stave& st, const ScoreObject& stemless) {
    for (int i = 1; i <= st.Nobjec; ++i) {
        const ScoreObject& o = st.object(i);
        if (isStemmed(o) && std::abs(o.x() - stemless.x()) <= ChordReach) return o.x();
    }
    return 0;
}

} // namespace

const char* justifyRefusal(const Score& score, int s) {
    const SystemRange sys = SystemExtent(score, s);
    const ScoreObject* last = nullptr;
    for (int t = sys.first; t <= sys.last; ++t) {
        const Stave& st = score.stave(t);
        for (int i = 1; i <= st.Nobjec; ++i)
            if (!last || st.object(i).x() > last->x()) last = &st.object(i);
    }
    const char* refusal = JustifyNeedsBarLine;
    if (last && last->is(ObjectKind::Barline)) {
        const int type = last->barType();
        refusal = (type == 2 || type == 4) ? JustifyRepeatAtEnd : nullptr;
    } else if (last && isImmobileText(*last)) {
        refusal = nullptr;
    } else if (last && (last->is(ObjectKind::ShortText) || last->is(ObjectKind::LongText))) {
        refusal = JustifyTextAtEnd;
    }
    return refusal;
}

bool JustifyCheck(const Score& score, int s, Ui& ui) {
    const char* refusal = justifyRefusal(score, s);
    if (refusal) showError(ui, refusal);
    return refusal == nullptr;
}

int rightmostX(const Score& score, const SystemRange& sys) {
    int m = std::numeric_limits<int>::min();
    for (int t = sys.first; t <= sys.last; ++t) {
        const Stave& st = score.stave(t);
        for (int i = 1; i <= st.Nobjec; ++i)
            m = std::max(m, st.object(i).x());
    }
    return m;
}

void justifyObjects(Score& score, const SystemRange& sys, int c, int right) {
    const int m = rightmostX(score, sys);
    if (m <= c || right <= c) return;
    const double f = double(right - c) / double(m - c);
    auto moved = [&](int x) { return x > c ? clampX(c + std::llrint((x - c) * f)) : x; };
    for (int t = sys.first; t <= sys.last; ++t) {
        Stave& st = score.stave(t);
        const Stave before = st;
        for (int i = 1; i <= st.Nobjec; ++i) {
            const ScoreObject& was = before.object(i);
            ScoreObject& o = st.object(i);
            if (isImmobileText(was)) continue;
            const int d = isStemless(was) ? chordAnchor(before, was) : 0;
            // A chord's stemless note keeps its distance to its stemmed note, on
            // whichever side of the cursor either of them stands.
            if (d > 0)
                o.setX(clampX(static_cast<long long>(moved(d)) + (was.x() - d)));
            else
                o.setX(moved(was.x()));
        }
        keepNotesOnStave(st);
    }
}

bool Justify(Score& score, int s, int c, Ui& ui) {
    const SystemRange sys = SystemExtent(score, s);
    bool any = false;
    int m = c;
    for (int t = sys.first; t <= sys.last; ++t) {
        const Stave& st = score.stave(t);
        for (int i = 1; i <= st.Nobjec; ++i) {
            any = true;
            m = std::max(m, st.object(i).x());
        }
    }
    if (!any) return false;
    if (m == c) {
        showError(ui, NothingBeyondCursor);
        return false;
    }
    const int right = score.stave(s).RightX;
    // A cursor at or beyond the right end would fold the music back over itself.
    if (right <= c) return false;

    recordSystemForUndo(score, sys);
    justifyObjects(score, sys, c, right);
    systemChanged(score, sys);
    return true;
}

} // namespace qv
