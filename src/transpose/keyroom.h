#pragma once
// Room for key signatures that transposition made wider or narrower: each of
// their accidentals takes 12 page units, so the music after such a key moves by
// the difference on every stave of its system, and the system keeps its right end.

#include "model/score.h"

#include <vector>

namespace qv {

// The accidentals of every key signature on staves first..last, by object index.
struct KeyWidths {
    int first = 1;
    std::vector<std::vector<int>> counts; // [stave - first][object index]
};

KeyWidths measureKeys(const Score& score, int first, int last);

// Moves the music after every key signature whose count of accidentals differs
// from `before`, system by system. A system that reached the stave's right end
// is justified back to it; any other is only squeezed back if it would pass it.
void makeRoomForKeys(Score& score, const KeyWidths& before, int last);

} // namespace qv
