#include "model/score.h"

#include <algorithm>
#include <cmath>

namespace qv {

Score::Score() {
    staves_[0] = std::make_unique<Stave>();
    stave(0).invisible = true;
    beamSlopeLimit = beamSlopeFor(Beamang);
    fonts.setFont(1, FontDesc{"Times New Roman", 12, 0, 0});
    fonts.markInUse(1);
}

void Score::setStaveCount(int n) {
    for (int i = 0; i <= MaxStaves; ++i) {
        auto& slot = staves_[static_cast<std::size_t>(i)];
        if (i <= n && !slot) {
            slot = std::make_unique<Stave>();
            slot->staveNumber = static_cast<std::uint16_t>(i);
        } else if (i > n) {
            slot.reset();
        }
    }
    Nstaves = n;
}

void Score::setStave(int i, const Stave& s) {
    auto& slot = staves_[static_cast<std::size_t>(i)];
    if (!slot) slot = std::make_unique<Stave>();
    *slot = s;
}

void Score::insertStave(int i, const Stave& s) {
    if (Nstaves >= MaxStaves || i < 1 || i > Nstaves + 1) return;
    std::rotate(staves_.begin() + i, staves_.begin() + Nstaves + 1, staves_.begin() + Nstaves + 2);
    staves_[static_cast<std::size_t>(i)] = std::make_unique<Stave>(s);
    ++Nstaves;
    renumber(i);
}

void Score::removeStaves(int first, int count) {
    if (first < 1 || first > Nstaves) return;
    count = std::min(count, Nstaves - first + 1);
    for (int k = 0; k < count; ++k)
        staves_[static_cast<std::size_t>(first + k)].reset();
    std::rotate(staves_.begin() + first, staves_.begin() + first + count, staves_.begin() + Nstaves + 1);
    Nstaves -= count;
    renumber(first);
}

void Score::renumber(int from) {
    for (int i = from; i <= Nstaves; ++i)
        stave(i).staveNumber = static_cast<std::uint16_t>(i);
}

void Score::setBeamang(int degrees) {
    Beamang = degrees;
    beamSlopeLimit = beamSlopeFor(degrees);
}

double beamSlopeFor(int beamang) { return std::tan(beamang / 57.3); }

bool Score::sameContent(const Score& o) const {
    const bool header = Nstaves == o.Nstaves && naturalsInKeyChange == o.naturalsInKeyChange &&
                        Spacing == o.Spacing && Pulse == o.Pulse && Beamang == o.Beamang &&
                        FileVer == o.FileVer && NumFonts == o.NumFonts && page == o.page &&
                        StvSiz == o.StvSiz && Facing == o.Facing && LeftStv == o.LeftStv &&
                        RightStv == o.RightStv;
    if (!header) return false;
    for (int n = 1; n <= MaxFonts; ++n) {
        if (fonts.inUse(n) != o.fonts.inUse(n)) return false;
        if (fonts.inUse(n) && !(fonts.font(n) == o.fonts.font(n))) return false;
    }
    for (int i = 0; i <= Nstaves; ++i)
        if (!(stave(i) == o.stave(i))) return false;
    return true;
}

} // namespace qv
