#pragma once
// A dense page for benchmarks and golden images: twelve staves of the largest random score
// (seed 11) squeezed onto one page of 696 x 960 units, pairs of staves braced. Header only.

#include "model/score.h"
#include "support/randomscore.h"

#include <algorithm>

namespace qv::test {

inline constexpr int DensePageStaves = 12;
inline constexpr int DensePageWidth = 696;
inline constexpr int DensePageHeight = 960;

// Puts a stave on page 1 at `y`, from `left` to x 660, 36 units above and below.
inline Stave& placeStave(Stave& s, int y, int left) {
    return s.Ycoord = y, s.MinY = y - 36, s.MaxY = y + 36, s.LeftX = left, s.RightX = 660, s.PageNum = 1, s;
}

inline Score densePage() {
    Score score = largestScore(11);
    score.setStaveCount(DensePageStaves);
    for (int row = 0; row < DensePageStaves; ++row) {
        Stave& s = score.stave(row + 1);
        const int dy = 60 + 76 * row - s.Ycoord;
        int widest = 1;
        for (int i = 1; i <= s.Nobjec; ++i) widest = std::max(widest, s.object(i).x());
        for (int i = 1; i <= s.Nobjec; ++i) {
            ScoreObject& o = s.object(i);
            if (o.x() == 0 && o.y() == 0) continue; // continuation chunks and links have no position
            o.setX(40 + o.x() * 600 / widest), o.setY(o.y() + dy);
        }
        placeStave(s, 60 + 76 * row, 30);
        if (row % 2 == 0) s.joinToNext = s.brace = true;
    }
    return score;
}

} // namespace qv::test
