#pragma once
// A contact sheet of every icon and pointer, for looking them over.

#include <QImage>

namespace iconsgen {

// Each icon at 24 and 48 pixels and each pointer (its hot spot marked in red) with
// its name, on a light and on a dark strip.
QImage contactSheet();

} // namespace iconsgen
