#pragma once
// Builders of scores and objects for tests and benchmarks.

#include "model/score.h"

#include <cstdint>
#include <string>

namespace qv::test {

// A score of `staves` music staves 48 page units apart, each 600 wide, no objects.
Score makeScore(int staves);

ScoreObject makeNote(int x, int position, int duration = 3, int ycoord = 0);
ScoreObject makeRest(int x, int duration = 3);
ScoreObject makeClef(int x, int type, int ycoord = 0);
ScoreObject makeShortText(int x, int y, int font, const std::string& text);
// A long-text head (no chunks) with the given attribute bits.
ScoreObject makeTextHead(int x, int y, int font, const std::string& firstChunk, int attributes = 0);

// Appends an object directly (no capacity message, no hooks); returns its index.
int append(Stave& stave, const ScoreObject& object);

} // namespace qv::test
