#pragma once
// A dense page for benchmarks and golden images: twelve staves of the largest
// random score (seed 11), every object squeezed onto one page of 696 x 960 page
// units, pairs of staves joined into braced systems. Header only, so that the
// benchmarks can use it without linking the render tests.

#include "model/score.h"
#include "support/randomscore.h"

#include <algorithm>

namespace qv::test {

inline constexpr int DensePageStaves = 12;
inline constexpr int DensePageWidth = 696;
inline constexpr int DensePageHeight = 960;

// Moves a random stave to row `row` of the page and squeezes its objects into the
// page width, so that every object lands on the page.
inline void placeOnDensePage(Stave& s, int row) {
    const int y = 60 + 76 * row;
    const int dy = y - s.Ycoord;
    int widest = 1;
    for (int i = 1; i <= s.Nobjec; ++i)
        widest = std::max(widest, s.object(i).x());
    for (int i = 1; i <= s.Nobjec; ++i) {
        ScoreObject& o = s.object(i);
        if (o.x() == 0 && o.y() == 0) continue; // continuation chunks and links have no position
        o.setX(40 + o.x() * 600 / widest);
        o.setY(o.y() + dy);
    }
    s.Ycoord = y;
    s.MinY = y - 36;
    s.MaxY = y + 36;
    s.LeftX = 30;
    s.RightX = 660;
    s.PageNum = 1;
}

inline Score densePage() {
    Score score = largestScore(11);
    score.setStaveCount(DensePageStaves);
    for (int s = 1; s <= DensePageStaves; ++s)
        placeOnDensePage(score.stave(s), s - 1);
    for (int s = 1; s < DensePageStaves; s += 2) {
        score.stave(s).joinToNext = true;
        score.stave(s).brace = true;
    }
    return score;
}

} // namespace qv::test
