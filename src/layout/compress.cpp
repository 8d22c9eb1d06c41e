#include "layout/compress.h"

#include "layout/spacing.h"
#include "layout/systemedit.h"
#include "model/ui.h"
#include "render/glyphinkbox.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace qv {

namespace {

constexpr int SharpGlyph = 46;
constexpr int FilledHeadGlyph = 25;
constexpr int SmallHeadGlyph = 90;
constexpr int InkShift = 16; // a position's column lies this far to its left

void markInk(ColumnMap& map, int x, int left, int right) {
    for (int q = x + left; q <= x + right; ++q)
        map.markPosition(q);
}

void markObject(ColumnMap& map, const ScoreObject& o) {
    switch (o.kind()) {
    case ObjectKind::Deleted:
    case ObjectKind::ShortText:
    case ObjectKind::Line:
    case ObjectKind::CurvePoint:
    case ObjectKind::Arpeggio:
    case ObjectKind::Unused15: return;
    case ObjectKind::KeySignature:
        return markInk(map, o.x(), 0, GlyphWidth(SharpGlyph) * std::abs(o.keyCount()));
    case ObjectKind::Note: {
        const InkBox box = GlyphInkBox(o.headStyle() == 1 ? SmallHeadGlyph : FilledHeadGlyph);
        return markInk(map, o.x(), box.left, box.right);
    }
    default: {
        const InkBox box = GlyphInkBox(o.symbolCode());
        return markInk(map, o.x(), box.left, box.right);
    }
    }
}

} // namespace

void ColumnMap::markPosition(int q) {
    if (q > Columns - 1) return;
    map_[static_cast<std::size_t>(std::max(0, q - InkShift))] = 1;
}

void ColumnMap::markColumns(int from, int to) {
    for (int x = std::max(0, from); x <= std::min(to, Columns - 1); ++x)
        map_[static_cast<std::size_t>(x)] = 1;
}

int ColumnMap::count(int from, int to) const {
    int n = 0;
    for (int x = std::max(0, from); x <= std::min(to, Columns - 1); ++x)
        n += map_[static_cast<std::size_t>(x)];
    return n;
}

ColumnMap systemColumns(const Score& score, int s, int lcl) {
    ColumnMap map;
    map.markColumns(0, score.stave(s).LeftX + lcl);
    const SystemRange sys = SystemExtent(score, s);
    for (int t = sys.first; t <= sys.last; ++t) {
        const Stave& st = score.stave(t);
        for (int i = 1; i <= st.Nobjec; ++i)
            markObject(map, st.object(i));
    }
    return map;
}

CompressDirection dragDirection(int pressX, int pointerX) {
    if (pointerX > pressX + CompressDeadZone) return CompressDirection::Right;
    if (pointerX < pressX - CompressDeadZone) return CompressDirection::Left;
    return CompressDirection::None;
}

CompressLimit compressLimit(const Score& score, int s, int pressX, CompressDirection direction, int lcl) {
    CompressLimit limit;
    if (direction == CompressDirection::None) return limit;
    const ColumnMap map = systemColumns(score, s, lcl);
    const Stave& st = score.stave(s);
    const bool right = direction == CompressDirection::Right;
    const int n = right ? map.count(pressX, st.RightX) : map.count(st.LeftX, pressX);
    if (n == 0) return limit;
    const SystemRange sys = SystemExtent(score, s);
    limit.possible = true;
    limit.x = right ? st.RightX - n : st.LeftX + n;
    limit.top = score.stave(sys.first).Ycoord - 16;
    limit.bottom = score.stave(sys.last).Ycoord + 16;
    return limit;
}

bool Compress(Score& score, int s, int pressX, int releaseX, CompressDirection direction, int lcl, Ui& ui) {
    if (direction == CompressDirection::None) {
        showError(ui, NoCompressDirection);
        return false;
    }
    const ColumnMap map = systemColumns(score, s, lcl);
    const int leftX = score.stave(s).LeftX;
    const int rightX = score.stave(s).RightX;
    const bool right = direction == CompressDirection::Right;
    const int n = right ? map.count(pressX, rightX) : map.count(leftX, pressX);
    const int free = right ? (rightX - pressX) - n : (pressX - leftX) - n;
    const int target = right ? (rightX - releaseX) - n : (releaseX - leftX) - n;
    // Refused before anything is recorded, so that the refusal leaves no trace.
    if (free < 1) {
        showError(ui, TooLittleSpace);
        return false;
    }
    const double f = std::max(0.0, double(target) / double(free));

    // Where each column goes: occupied columns keep their width, empty ones take f.
    std::vector<int> to(ColumnMap::Columns);
    for (int x = 0; x < ColumnMap::Columns; ++x)
        to[static_cast<std::size_t>(x)] = x;
    const int step = right ? -1 : +1;
    double p = right ? rightX : leftX;
    for (int x = right ? rightX : leftX; right ? x >= pressX : x <= pressX; x += step) {
        if (x >= 0 && x < ColumnMap::Columns) to[static_cast<std::size_t>(x)] = clampX(std::llrint(p));
        p += step * (map.occupied(x) ? 1.0 : f);
    }

    const SystemRange sys = SystemExtent(score, s);
    recordSystemForUndo(score, sys);
    for (int t = sys.first; t <= sys.last; ++t) {
        Stave& st = score.stave(t);
        for (int i = 1; i <= st.Nobjec; ++i) {
            ScoreObject& o = st.object(i);
            if (isImmobileText(o) || o.x() < 0 || o.x() >= ColumnMap::Columns) continue;
            o.setX(to[static_cast<std::size_t>(o.x())]);
        }
        keepNotesOnStave(st);
    }
    systemChanged(score, sys);
    return true;
}

} // namespace qv
