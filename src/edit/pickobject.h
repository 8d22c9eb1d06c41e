#pragma once
// Which object of a stave a point is on: the hit distance of each kind and the
// nearest pickable object.

#include "model/stave.h"

namespace qv {

// The hit distance in page units from (px, py) to an object; -1 when the object
// cannot be picked (deleted, tie links, continuation chunks; curve points unless
// the stave is open for edit).
int hitDistance(const ScoreObject& object, int px, int py, bool openForEdit);

struct Pick {
    int index = 0;     // 0: nothing pickable
    int distance = -1;
};
// The nearest pickable object; the lowest index among equal distances.
Pick nearestObject(const Stave& stave, int px, int py, bool openForEdit);

} // namespace qv
