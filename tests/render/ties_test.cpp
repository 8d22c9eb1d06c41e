// Ties, thick hairpins and beam ends measured on the pixels. Ties: clear of the notes they join
// and close to their heads, shallow when long and no V when short, on the screen and on paper.

#include "drawtest.h"
#include "render/curves.h"
#include "render/dispatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <tuple>
#include <vector>
#include <string>

namespace qv {
namespace {

using test::inked;

struct TieCase {
    int duration, stemA, stemB, stepA, stepB, distance;
    bool overhand;
    std::string name() const {
        return "duration " + std::to_string(duration) + " stems " + std::to_string(stemA) + "/" +
               std::to_string(stemB) + " steps " + std::to_string(stepA) + "/" + std::to_string(stepB) + " apart " +
               std::to_string(distance) + (overhand ? " overhand" : " underhand");
    }
};

bool ink(const QImage& image, int x, int y) {
    return image.rect().contains(x, y) && test::rgb(image, x, y) != 0xFFFFFF;
}

// The page image of the two notes drawn with `stems` (their own, or none for the bare heads), or of
// the tie alone.
enum class Draw { Notes, Heads, Tie };
QImage drawn(const TieCase& c, bool paper, Draw what) {
    test::Recording page(400, 120);
    Score score = test::makeScore(1);
    Stave& s = score.stave(1);
    const int stems[2] = {c.stemA, c.stemB}, steps[2] = {c.stepA, c.stepB};
    for (int k = 0; k < 2; ++k) {
        ScoreObject n = test::makeNote(60 + k * c.distance, steps[k], c.duration, s.Ycoord);
        n.setStem(what == Draw::Heads ? StemNone : stems[k]);
        test::append(s, n);
    }
    page.dc.HighResMode = paper;
    if (what == Draw::Tie)
        DrawTie(page.dc, score, 1, 0, false, 1, 2, c.overhand ? -1 : 1);
    else
        DrawObject(page.dc, score, 1, 1, 0, false), DrawObject(page.dc, score, 1, 2, 0, false);
    return paper ? page.dc.Printimage : page.dc.MainImage;
}

struct TieInk {
    QRect box;          // the tie's ink
    int overlap = 0;    // pixels inked by both the tie and the notes
    int endGap[2] = {}; // from the tie's leftmost and rightmost ink to the nearest ink of the notes
    int endReach[2] = {}; // how far those ends lie above or below the heads' ink
};

// The Chebyshev distance from the ink of column `x` to the nearest ink of `notes`, and how
// far that ink lies outside the rows of `heads`.
std::pair<int, int> endOf(const QImage& tie, const QImage& notes, const QRect& heads, int x) {
    int gap = INT_MAX, reach = 0;
    for (int y = 0; y < tie.height(); ++y) {
        if (!ink(tie, x, y)) continue;
        reach = std::max({reach, heads.top() - y, y - heads.bottom()});
        for (int r = 0; r < 40 && r < gap; ++r)
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx)
                    if ((std::abs(dx) == r || std::abs(dy) == r) && ink(notes, x + dx, y + dy)) gap = std::min(gap, r);
    }
    return {gap, reach};
}

TieInk measure(const TieCase& c, bool paper) {
    const QImage notes = drawn(c, paper, Draw::Notes), heads = drawn(c, paper, Draw::Heads);
    const QImage tie = drawn(c, paper, Draw::Tie);
    TieInk m;
    QRect headBox;
    for (int y = 0; y < tie.height(); ++y)
        for (int x = 0; x < tie.width(); ++x) {
            if (ink(heads, x, y)) headBox |= QRect(x, y, 1, 1);
            if (ink(tie, x, y)) m.box |= QRect(x, y, 1, 1), m.overlap += ink(notes, x, y);
        }
    std::tie(m.endGap[0], m.endReach[0]) = endOf(tie, notes, headBox, m.box.left());
    std::tie(m.endGap[1], m.endReach[1]) = endOf(tie, notes, headBox, m.box.right());
    return m;
}

// Every note value, both stems, both sides, from heads nearly touching to a long tie: the tie
// touches neither the heads nor the stems and flags, starts and ends within a couple of pixels of
// the notes and at most half a space above or below their heads, and is at most about a space deep and no deeper than a third of its width.
TEST(Ties, ClearOfTheNotesCloseToTheHeadsAndShallowAtEveryLengthAndPlacement) {
    for (int duration = 0; duration <= 7; ++duration)
        for (const int stem : {StemUp, StemDown})
            for (const bool overhand : {true, false})
                for (const int distance : {16, 24, 40, 80, 200})
                    for (const bool paper : {false, true}) {
                        // Flagged notes this close run into each other's flags without a tie.
                        if (distance == 16 && duration >= 4) continue;
                        const int step = stem == StemUp ? -1 : 2;
                        const TieCase c{duration, stem, stem, step, step, distance, overhand};
                        const TieInk m = measure(c, paper);
                        const int scale = paper ? 3 : 1, line = paper ? 6 : 1;
                        const std::string what = c.name() + (paper ? " on paper" : "");
                        ASSERT_FALSE(m.box.isEmpty()) << what;
                        EXPECT_EQ(m.overlap, 0) << what;
                        for (const int end : {0, 1})
                            EXPECT_TRUE(m.endGap[end] <= 3 * scale && m.endReach[end] <= 4 * scale)
                                << what << ": end " << end << " is " << m.endGap[end] << " from the notes, "
                                << m.endReach[end] << " beyond the heads";
                        const int depth = m.box.height() - line;
                        EXPECT_LE(depth, 8 * scale) << what;
                        EXPECT_LE(3 * depth, m.box.width() + 3 * scale) << what << ": a V, not a tie";
                    }
}

// Stems that differ, heads at two heights and small heads: still clear of the notes and close to
// their heads.
TEST(Ties, MixedStemsAndHeightsStayClear) {
    for (const TieCase& c : {TieCase{3, StemUp, StemDown, -1, -1, 24, true}, {3, StemUp, StemDown, -1, -1, 24, false},
                             {2, StemDown, StemUp, 1, 1, 30, true}, {2, StemDown, StemUp, 1, 1, 30, false},
                             {2, StemDown, StemDown, 1, 2, 28, true}, {4, StemUp, StemUp, -2, -1, 40, false},
                             {5, StemUp, StemUp, 0, 0, 24, true}, {1, StemUp, StemUp, 0, 0, 20, true}})
        for (const bool paper : {false, true}) {
            const TieInk m = measure(c, paper);
            const std::string what = c.name() + (paper ? " on paper" : "");
            EXPECT_EQ(m.overlap, 0) << what;
            for (const int end : {0, 1})
                EXPECT_TRUE(m.endGap[end] <= (paper ? 9 : 3) && m.endReach[end] <= (paper ? 12 : 4)) << what;
        }
}

// Thick hairpins: the two legs stay apart to the vertex (a white pixel between them in every
// column where the wedge opens by two pixels), each as thick as asked at the open end.
TEST(Hairpins, ThickLegsStayTwoLinesToTheVertex) {
    for (const int thickness : {2, 3})
        for (const int dx : {80, -80})
            for (const bool paper : {false, true}) {
                test::Recording page(200, 120);
                Score score = test::makeScore(1);
                test::append(score.stave(1), test::makeHairpin(100, 60, dx, 8, thickness));
                page.dc.HighResMode = paper;
                DrawObject(page.dc, score, 1, 1, 0, false);
                const QImage& image = paper ? page.dc.Printimage : page.dc.MainImage;
                const int s = paper ? 3 : 1, sign = dx > 0 ? 1 : -1;
                for (int step = 1; step < std::abs(dx); ++step) {
                    const int x = s * (100 + sign * step) + (paper ? 1 : 0);
                    std::vector<int> runs; // the lengths of the column's runs of ink
                    for (int y = s * 40, last = 0; y < s * 80; ++y) {
                        const int here = ink(image, x, y);
                        if (here && !last) runs.push_back(0);
                        if (here) ++runs.back();
                        last = here;
                    }
                    const bool open = 2 * 8 * step / std::abs(dx) >= 2;
                    EXPECT_EQ(runs.size(), open ? 2u : runs.size())
                        << "thickness " << thickness << " dx " << dx << (paper ? " on paper" : "") << " column " << step;
                    if (step != std::abs(dx) - 2) continue;
                    for (const int run : runs)
                        EXPECT_GE(run, s * thickness) << thickness << (paper ? " on paper" : "");
                }
            }
}

// On paper a beam ends flush with the outer edges of its outermost stems, up or down, flat or
// sloping, without a notch standing out past them.
TEST(Beams, EndFlushWithTheOuterStemsOnPaper) {
    for (const auto& [stem, steps] : {std::pair{StemUp, std::vector{-1, -1, -1}}, {StemDown, {3, 3, 3}},
                                      {StemUp, {-3, -1, 1}}, {StemDown, {1, 3, 5}}}) {
        test::Recording page(200, 120);
        Score score = test::makeScore(1);
        Stave& st = score.stave(1);
        for (std::size_t k = 0; k < steps.size(); ++k) {
            ScoreObject n = test::makeNote(60 + 30 * int(k), steps[k], k == 1 ? 5 : 4, st.Ycoord);
            n.setStem(stem), n.setBeamBack(k ? int(k) : 0), n.setBeamForward(k + 1 < steps.size() ? int(k) + 2 : 0);
            test::append(st, n);
        }
        page.dc.HighResMode = true;
        for (int i = 1; i <= 3; ++i) DrawObject(page.dc, score, 1, i, 0, false);
        const QImage& image = page.dc.Printimage;
        // Stems are the columns with long runs of ink; beams the rows with long runs.
        int stemLeft = INT_MAX, stemRight = -1, beamLeft = INT_MAX, beamRight = -1;
        for (int x = 0; x < image.width(); ++x) {
            for (int y = 0, run = 0; y < image.height(); ++y) {
                if ((run = ink(image, x, y) ? run + 1 : 0) > 45) stemLeft = std::min(stemLeft, x), stemRight = x;
            }
        }
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0, run = 0; x < image.width(); ++x) {
                if ((run = ink(image, x, y) ? run + 1 : 0) > 40)
                    beamLeft = std::min(beamLeft, x - run + 1), beamRight = std::max(beamRight, x);
            }
        }
        EXPECT_EQ(beamLeft, stemLeft) << int(stem) << " from step " << steps[0];
        EXPECT_EQ(beamRight, stemRight) << int(stem) << " from step " << steps[0];
    }
}

} // namespace
} // namespace qv
