#include "layout/spacing.h"

#include "model/pagegeometry.h"
#include "render/glyphinkbox.h"

#include <algorithm>
#include <cstdlib>

namespace qv {

namespace {

// By spacing grade 1..5.
constexpr int NoteGap[5] = {15, 19, 26, 36, 51};
constexpr int KeyGap[5] = {3, 5, 7, 10, 15};
constexpr int BarGap[5] = {6, 9, 13, 20, 30};
constexpr int RepeatGap[5] = {6, 9, 13, 20, 30};
constexpr int DigitGap[5] = {14, 22, 33, 50, 75};
constexpr int CommonTimeGap[5] = {14, 22, 33, 50, 75};
constexpr int OtherGap[5] = {12, 18, 27, 40, 60};

int dotted(int advance, int dots) {
    switch (dots) {
    case 1: return roundHalfEven(advance * 1.35);
    case 2: return roundHalfEven(advance * 1.7);
    case 3: return roundHalfEven(advance * 1.9);
    default: return advance;
    }
}

int noteAdvance(const ScoreObject& o, int pulse, int s) {
    const int d = o.duration() - pulse;
    const int w = GlyphWidth(o.symbolCode());
    int a = NoteGap[s];
    if (d < 0) a = 2 * NoteGap[s] - w;
    if (d > 0) a = (w + NoteGap[s]) / 2 - 1;
    return dotted(a, o.dots());
}

int glyphAdvance(int code, int s) {
    if (code >= 8 && code <= 17) return DigitGap[s];
    if (code >= 19 && code <= 20) return CommonTimeGap[s];
    if (code >= 39 && code <= 40) return BarGap[s];
    if (code >= 67 && code <= 68) return RepeatGap[s];
    return OtherGap[s];
}

} // namespace

int GlyphWidth(int code) {
    const InkBox box = GlyphInkBox(code);
    const int width = box.right - box.left;
    return width >= 0 && width <= 31 ? width : 0;
}

int NoteAdvance(const ScoreObject& o, int pulse, int spacing) {
    // A grade outside 1..5 can only come from a damaged file; the nearest one serves.
    const int s = std::clamp(spacing, 1, 5) - 1;
    switch (o.kind()) {
    case ObjectKind::Clef: return o.symbolCode() <= 3 ? 30 : 25;
    case ObjectKind::KeySignature: return 12 * std::abs(o.keyCount()) + KeyGap[s];
    case ObjectKind::Note: return noteAdvance(o, pulse, s);
    default: return glyphAdvance(o.symbolCode(), s);
    }
}

int cursorAfterEntry(const Score& score, int stave, int x, const ScoreObject& object) {
    if (object.is(ObjectKind::Accidental)) return x;
    return std::min(x + NoteAdvance(object, score.Pulse, score.Spacing), static_cast<int>(score.stave(stave).RightX));
}

const char* spacingName(int grade) {
    static const char* const Names[5] = {"Very close", "Close", "Normal", "Wide", "Very wide"};
    return Names[std::clamp(grade, 1, 5) - 1];
}

} // namespace qv
