#include "render/beams.h"

#include "render/notes.h"
#include "render/primitives.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv {

namespace {

// Round half to even, as the beam geometry was worked out with.
int rnd(double v) {
    return static_cast<int>(std::nearbyint(v));
}

BeamEntry entryFor(const ScoreObject& note, int ycoord, bool highRes) {
    BeamEntry e;
    e.note = note;
    e.up = note.stem() != StemDown;
    e.beams = BeamCount(note);
    const int x = note.x(), y = note.y(), add = note.stemExtra();
    const int hiResNudge = highRes ? 1 : 0;
    if (note.headStyle() == 1) {
        e.sx = e.up ? x + 3 + hiResNudge : x - 2;
        e.sy = e.up ? y - 14 - 4 * add : y + 14 + 4 * add;
    } else {
        // Normal beamed stems always reach the middle line.
        e.sx = e.up ? x + 5 + hiResNudge : x - 4;
        e.sy = e.up ? std::min(y - 28 - 4 * add, ycoord) : std::max(y + 28 + 4 * add, ycoord);
    }
    return e;
}

double clampedLimit(double limit) {
    if (limit < 0) return 0;
    return std::min(limit, 1.0);
}

struct GroupDraw {
    DrawContext& dc;
    const std::vector<BeamEntry>& entries;
    const BeamMetrics& m;
    const BeamLine& line;
    int tv = 0;
    int gv = 0;
    ColourValue colour = 0;
    bool xorMode = false;

    // Beam levels first..last (from 1) between x1 and x2, each tv lines of one
    // pixel stacked toward the heads (`dir` +1 down for stems up).
    void levels(int first, int last, double x1, double x2, int dir) const {
        int off = (tv + gv) * (first - 1) * dir;
        for (int k = first; k <= last; ++k) {
            for (int t = 0; t < tv; ++t, off += dir)
                DrawFracLine(dc, 1, xorMode, colour, x1, line.at(x1) + off, x2, line.at(x2) + off);
            off += gv * dir;
        }
    }

    void stem(const BeamEntry& e) const {
        const BeamEntry& last = entries.front();
        const int y = (last.up && m.small) ? e.note.y() - 1 : e.note.y();
        const int tip = rnd(line.at(e.sx));
        if (dc.HighResMode) {
            const int u = m.small ? 1 : -1;
            FillHiResRect(dc, 3 * e.sx + u, 3 * y, 3 * e.sx + u + 2, 3 * tip, xorMode, colour);
            return;
        }
        DrawLine(dc, e.sx, y, e.sx, xorMode, colour, -1, tip);
    }

    // On paper a beam's round end reaches one print pixel past its end point, which
    // at a stem on the beam's right is the stem's outer edge; a beam that starts at
    // a stem on its left starts that pixel in, so that it does not stand out past the
    // stem's left edge.
    double paperInset() const { return dc.HighResMode && !m.small ? 1.0 / 3 : 0.0; }

    // Beams shared by entry i and its right neighbour i - 1.
    void shared(std::size_t i) const {
        const BeamEntry& a = entries[i - 1];
        const BeamEntry& b = entries[i];
        const int n = std::min({a.beams, b.beams, 4});
        const int bx = b.sx + ((dc.HighResMode && m.small && i + 1 == entries.size()) ? 1 : 0);
        levels(1, n, a.sx, bx + paperInset(), a.up ? 1 : -1);
    }

    // The beams a note has beyond its neighbours', as stubs into the group.
    void stubs(std::size_t i) const {
        const BeamEntry& e = entries[i];
        const int p = i > 0 ? entries[i - 1].beams : 0;
        const int q = i + 1 < entries.size() ? entries[i + 1].beams : 0;
        // The end notes' stubs point into the group; a middle note's toward the
        // neighbour with fewer beams.
        const bool last = i + 1 == entries.size();
        const bool right = i == 0 ? false : (last ? true : p > q);
        const int have = right ? p : q;
        const int reach = right ? m.stubLength : -(m.stubLength + (m.small ? 0 : 1));
        levels(have + 1, e.beams, e.sx + (right ? paperInset() : 0.0), e.sx + reach, e.up ? 1 : -1);
    }
};

} // namespace

BeamMetrics BeamMetricsFor(int headStyle) {
    if (headStyle == 1) return BeamMetrics{2, 2, 12, 5, true};
    return BeamMetrics{};
}

std::vector<BeamEntry> CollectBeamGroup(const Stave& stave, int lastIndex, bool highRes) {
    std::vector<BeamEntry> entries;
    ScoreObject last = stave.object(lastIndex);
    ResolveStem(last);
    entries.push_back(entryFor(last, stave.Ycoord, highRes));
    int index = last.beamBack();
    // A damaged chain may loop; a group never has more notes than the stave has slots.
    while (index >= 1 && index < ObjectSlots && index != lastIndex && entries.size() < ObjectSlots) {
        ScoreObject n = stave.object(index);
        if (!n.isNote()) break;
        if (n.stem() == StemAuto) n.setStem(last.stem());
        entries.push_back(entryFor(n, stave.Ycoord, highRes));
        index = n.beamBack();
    }
    return entries;
}

BeamLine FitBeamLine(const std::vector<BeamEntry>& entries, double slopeLimit) {
    const double n = static_cast<double>(entries.size());
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const BeamEntry& e : entries) {
        sx += e.sx;
        sy += e.sy;
        sxx += double(e.sx) * e.sx;
        sxy += double(e.sx) * e.sy;
    }
    const double variance = sxx / n - (sx / n) * (sx / n);
    double slope = 0;
    if (std::fabs(variance) > 0.001)
        slope = (sxy / n - sx * sy / (n * n)) / variance;
    else if (variance != 0)
        slope = variance > 0 ? 1e6 : -1e6;
    // A beam follows the notes' contour only in part, and not at all when nearly flat.
    slope *= 0.6;
    if (std::fabs(slope) < clampedLimit(slopeLimit)) slope = 0;
    if (std::fabs(slope) >= 0.5) slope = slope > 0 ? 0.5 : -0.5;
    return BeamLine{slope, sy / n - slope * sx / n};
}

void KeepStemsLongEnough(BeamLine& line, const std::vector<BeamEntry>& entries, const BeamMetrics& m) {
    int shortest = std::numeric_limits<int>::max();
    for (const BeamEntry& e : entries) {
        int d = e.note.y() - rnd(line.at(e.sx));
        if (!e.up) d = -d;
        shortest = std::min(shortest, d - (m.thickness + m.gap) * e.beams);
    }
    if (shortest >= m.shortestStem) return;
    const int move = m.shortestStem - shortest;
    line.intercept += entries.front().up ? -move : move;
}

void DrawBeamGroup(DrawContext& dc, Score& score, int stave, int lastIndex, ColourValue colour,
                   bool xorMode) {
    const Stave& s = score.stave(stave);
    const std::vector<BeamEntry> entries = CollectBeamGroup(s, lastIndex, dc.HighResMode);
    const BeamMetrics m = BeamMetricsFor(entries.front().note.headStyle());
    BeamLine line = FitBeamLine(entries, score.beamSlopeLimit);
    KeepStemsLongEnough(line, entries, m);
    // Beams are measured across; a sloping beam is taller measured down.
    const double across = std::cos(std::atan(line.slope));
    const GroupDraw draw{dc,     entries, m, line, rnd(m.thickness / across), rnd(m.gap / across),
                         colour, xorMode};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        draw.stem(entries[i]);
        if (i > 0) draw.shared(i);
        draw.stubs(i);
    }
}

} // namespace qv
