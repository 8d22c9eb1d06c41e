#pragma once
// Where the prompt beside the pointer goes: 50 pixels left of and 50 below the
// pointer, unless it would cover what the user is looking at (the preview, the
// clef of the current stave); then just clear of that, below, above, right or left.

#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

namespace qv {

// All in screen pixels; an invalid `screen` puts no bound on the place.
QPoint placePrompt(QSize prompt, QPoint pointer, const std::vector<QRect>& keepClear, const QRect& screen);

} // namespace qv
