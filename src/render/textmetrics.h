#pragma once
// Measuring text in the score's fonts as it stands on the screen page, where one
// page unit is one pixel and a point is 96/72 of a pixel.

#include "model/fonttable.h"

#include <string>

namespace qv {

// The pixel size of a font of `points` on the screen page.
int screenPixelSize(int points);

// The height of `text` set in `font` on the screen page: the font's full height,
// whatever the characters. Heights are cached per font.
int TextHeight(const FontDesc& font, const std::string& text);

} // namespace qv
