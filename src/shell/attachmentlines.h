#pragma once
// The lines the strings button shows while it is held down: from every object on
// the page straight up or down to the middle line of the stave it belongs to, so
// that text, symbols and lines placed between two staves show their stave.

#include "model/score.h"

#include <QLine>

#include <vector>

namespace qv {

// Page units; an object on its stave's middle line has no line.
std::vector<QLine> attachmentLines(const Score& score, int page);

} // namespace qv
