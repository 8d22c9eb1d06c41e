#include "shell/attachmentlines.h"

namespace qv {

std::vector<QLine> attachmentLines(const Score& score, int page) {
    std::vector<QLine> lines;
    if (page < 1) return lines;
    for (int s = 1; s <= score.Nstaves; ++s) {
        const Stave& stave = score.stave(s);
        if (stave.PageNum != page) continue;
        for (int i = 1; i <= stave.Nobjec; ++i) {
            const ScoreObject& o = stave.object(i);
            if (o.y() != stave.Ycoord) lines.emplace_back(o.x(), o.y(), o.x(), stave.Ycoord);
        }
    }
    return lines;
}

} // namespace qv
