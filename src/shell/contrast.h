#pragma once
// How well a text colour stands out from its ground, as the contrast ratio of
// their relative luminances (1 for equal colours, 21 for black on white).

#include <QColor>

namespace qv {

double contrastRatio(const QColor& a, const QColor& b);

// Black or white, whichever `text` stands out from more.
QColor groundFor(const QColor& text);

} // namespace qv
