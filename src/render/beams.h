#pragma once
// The geometry of a beam group, worked out apart from its drawing so that the
// fitted line can be checked on its own.

#include "model/score.h"

#include <vector>

namespace qv {

// Thickness, gap, shortest stem and stub length of the beams of a head style.
struct BeamMetrics {
    int thickness = 3;
    int gap = 3;
    int shortestStem = 17;
    int stubLength = 8;
    bool small = false;
};
BeamMetrics BeamMetricsFor(int headStyle);

// One note of a group with the point where its stem meets the beam before fitting.
struct BeamEntry {
    ScoreObject note;
    int sx = 0;
    int sy = 0;
    bool up = true;
    int beams = 0;
};

// The notes of the group ending at `lastIndex`, right to left (entry 0 is the last
// note). Automatic stems are resolved; inside a group they follow the last note.
std::vector<BeamEntry> CollectBeamGroup(const Stave& stave, int lastIndex, bool highRes);

// The beam line y = slope * x + intercept.
struct BeamLine {
    double slope = 0;
    double intercept = 0;
    double at(double x) const { return slope * x + intercept; }
};

// Least-squares line through the stem points, flattened by 0.6, flat below
// `slopeLimit` (the score's beamSlopeLimit) and never steeper than 0.5.
BeamLine FitBeamLine(const std::vector<BeamEntry>& entries, double slopeLimit);

// Moves the line away from the heads until every stem is at least the shortest
// stem long, counted from the innermost beam.
void KeepStemsLongEnough(BeamLine& line, const std::vector<BeamEntry>& entries, const BeamMetrics& m);

} // namespace qv
