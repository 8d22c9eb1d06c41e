// Compacting the font table before a save: only fonts that texts use survive,
// renumbered from 1 in the order of their old numbers.

#include "files/scorefilewrite.h"

#include "model/score.h"

#include <algorithm>
#include <array>
#include <bitset>

namespace qv {

namespace {

bool isText(const ScoreObject& o) {
    return o.is(ObjectKind::ShortText) || o.is(ObjectKind::LongText);
}

// A font byte of 0 names no font (slot 0 is never used): only a damaged file
// leaves one, and the text is shown in the standard font, so it counts as font 1.
int textFont(const ScoreObject& o) {
    return o.fontNumber() == 0 ? 1 : o.fontNumber();
}

// Calls f on every text object of staves 0..Nstaves.
template <typename F> void forEachText(Score& score, F f) {
    for (int s = 0; s <= score.Nstaves; ++s) {
        Stave& stave = score.stave(s);
        const int count = std::min<int>(stave.Nobjec, ObjectSlots - 1);
        for (int i = 1; i <= count; ++i)
            if (isText(stave.object(i))) f(stave.object(i));
    }
}

} // namespace

void compactFonts(Score& score) {
    std::bitset<256> used;
    used.set(1);
    forEachText(score, [&](const ScoreObject& o) { used.set(static_cast<std::size_t>(textFont(o))); });

    std::array<int, 256> renumbered{};
    int count = 0;
    for (int n = 1; n <= MaxFonts; ++n)
        if (used.test(static_cast<std::size_t>(n))) renumbered[static_cast<std::size_t>(n)] = ++count;

    forEachText(score,
                [&](ScoreObject& o) { o.setFontNumber(renumbered[static_cast<std::size_t>(textFont(o))]); });

    // A fresh table takes each used font whole, so slots above the new count are
    // empty rather than holding stale descriptions.
    FontTable compacted;
    for (int n = 1; n <= MaxFonts; ++n) {
        const int to = renumbered[static_cast<std::size_t>(n)];
        if (to == 0) continue;
        compacted.setFont(to, score.fonts.font(n));
        compacted.markInUse(to);
    }
    score.fonts = compacted;
    score.NumFonts = count;
}

} // namespace qv
