#pragma once
// The speed-button icons, drawn in a 24 x 24 square of logical units so that one
// drawing serves the 24-pixel icon and its 48-pixel twin.

#include "shell/speedbuttons.h"

#include <QImage>

namespace iconsgen {

inline constexpr int IconUnits = 24;

// The icon at `pixels` x `pixels` (24 or 48) on a transparent background.
QImage renderIcon(qv::SpeedButton button, int pixels);

} // namespace iconsgen
