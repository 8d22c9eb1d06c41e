#pragma once
// The last step of reading a NoteWorthy 2 file, once all its records are in: the
// staves are spread to our vertical scale, every kind of object is put where our
// drawers expect it, short texts become long texts (chord names transposable, and
// the header and footer texts too, so that they are printed), and
// the whole score is moved so that the top of stave 1 is 10 page units from the top
// of the music area.

#include <algorithm>
#include <cstdint>

namespace qv {

class Score;
struct Stave;

// A position worked out in wider arithmetic, kept within the 16 bits of an object
// field: a damaged file must not wrap an object round to the other end of the page.
inline int toObjectField(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, INT16_MIN, INT16_MAX));
}

// NoteWorthy 2 positions and lengths across, in page units.
int acrossFromNoteWorthy(int v);

void finishNoteWorthyTranslation(Score& score);

// The short text at `index` becomes a long text: the characters NoteWorthy 2 uses
// for accidentals and chord letters become ours, and characters beyond the tenth go
// into one continuation chunk appended to the stave when it has room. On a music
// stave the position follows the font; on the header/footer stave it stays where
// the header or footer put it and the text is universal, as every text there is
// (and only long texts are printed there).
enum class TextPlace { MusicStave, HeaderFooter };
void shortTextToLongText(Stave& stave, int index, TextPlace place);

} // namespace qv
