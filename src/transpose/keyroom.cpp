#include "transpose/keyroom.h"

#include "layout/justify.h"
#include "layout/pagination.h"
#include "layout/staveextent.h"
#include "layout/systemedit.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace qv {

namespace {

constexpr int KeyAccidentalWidth = 12; // page units an accidental of a key signature takes

// Every object of the system right of x moves by `delta`.
void shiftSystem(Score& score, const SystemRange& sys, int x, int delta) {
    for (int t = sys.first; t <= sys.last; ++t) {
        Stave& st = score.stave(t);
        for (int i = 1; i <= st.Nobjec; ++i) {
            ScoreObject& o = st.object(i);
            if (o.x() > x && !isImmobileText(o)) o.setX(clampX(static_cast<long long>(o.x()) + delta));
        }
    }
}

} // namespace

KeyWidths measureKeys(const Score& score, int first, int last) {
    KeyWidths widths{first, {}};
    for (int s = first; s <= last; ++s) {
        const Stave& st = score.stave(s);
        std::vector<int> counts(static_cast<std::size_t>(st.Nobjec) + 1, 0);
        for (int i = 1; i <= st.Nobjec; ++i)
            if (st.object(i).is(ObjectKind::KeySignature)) counts[std::size_t(i)] = std::abs(st.object(i).keyCount());
        widths.counts.push_back(std::move(counts));
    }
    return widths;
}

void makeRoomForKeys(Score& score, const KeyWidths& before, int last) {
    // The widening at each x of each system: keys at one x (the staves of a system
    // begin together) make room once, for the widest change.
    struct Change {
        int delta = 0; // how much wider the key became (narrower: negative)
        int width = 0; // its new width
    };
    std::map<int, std::map<int, Change>> changes; // system's first stave -> key x -> change
    for (int s = before.first; s <= last; ++s) {
        const Stave& st = score.stave(s);
        const auto& counts = before.counts[std::size_t(s - before.first)];
        for (int i = 1; i <= st.Nobjec && i < int(counts.size()); ++i) {
            const ScoreObject& o = st.object(i);
            if (!o.is(ObjectKind::KeySignature)) continue;
            const int delta = KeyAccidentalWidth * (std::abs(o.keyCount()) - counts[std::size_t(i)]);
            if (delta == 0) continue;
            Change& c = changes[SystemExtent(score, s).first][o.x()];
            if (std::abs(delta) > std::abs(c.delta)) c = {delta, KeyAccidentalWidth * std::abs(o.keyCount())};
        }
    }
    for (const auto& [firstStave, keys] : changes) {
        const SystemRange sys = SystemExtent(score, firstStave);
        const int right = score.stave(sys.first).RightX;
        const bool reachedEnd = rightmostX(score, sys) >= right;
        int moved = 0; // how far the keys further right have already gone
        for (const auto& [x, change] : keys) {
            shiftSystem(score, sys, x + moved, change.delta);
            moved += change.delta;
        }
        // The music after the first key keeps its distance from the key's new end.
        const int from = keys.begin()->first + keys.begin()->second.width;
        if (reachedEnd || rightmostX(score, sys) > right) justifyObjects(score, sys, from, right);
        for (int t = sys.first; t <= sys.last; ++t) {
            keepNotesOnStave(score.stave(t));
            StaveExtent(score, t);
        }
    }
}

} // namespace qv
