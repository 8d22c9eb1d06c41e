#pragma once
// A contact sheet of every glyph: its code, the screen glyph and the three-times
// glyph, each on a faint stave drawn through its reference point, so that a
// reader can check at a glance that clefs sit on their lines and heads on pitch.

#include <QImage>

namespace qv {

class GlyphStore;

QImage glyphContactSheet(const GlyphStore& store);

} // namespace qv
