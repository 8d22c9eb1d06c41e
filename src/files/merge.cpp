// Putting the staves of a file read for merging into the open score.

#include "files/merge.h"

#include "files/mergeread.h"
#include "model/ui.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

namespace qv {

namespace {

constexpr int MergedTopY = 10; // the first merged stave's top extent when it goes above stave 1
constexpr int PageGap = 10;    // between the extents of staves that were on different pages

std::int32_t clamp32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

bool isText(const ScoreObject& o) {
    return o.is(ObjectKind::ShortText) || o.is(ObjectKind::LongText);
}

// The file's fonts registered in the open score's table (an equal font reused, a
// new one taking the next free number); the table maps the file's numbers to the
// open score's. A number the file does not describe is shown in the standard font.
std::array<int, 256> registerFonts(Score& score, const Score& file, Ui& ui) {
    std::array<int, 256> to;
    to.fill(1);
    const int count = std::clamp(file.NumFonts, 0, MaxFonts);
    for (int n = 1; n <= count; ++n) {
        const FontDesc& font = file.fonts.font(n);
        if (!font.name.empty()) to[static_cast<std::size_t>(n)] = score.fonts.registerFont(font, ui);
    }
    return to;
}

void translateFonts(Stave& stave, const std::array<int, 256>& to) {
    const int count = std::min<int>(stave.Nobjec, MaxObjects);
    for (int i = 1; i <= count; ++i) {
        ScoreObject& o = stave.object(i);
        if (isText(o)) o.setFontNumber(to[static_cast<std::size_t>(o.fontNumber())]);
    }
}

// Where each merged stave's middle line goes (index i - 1 for merged stave i): the
// file's spacing kept between staves of one page of the file, and PageGap between
// the extents of staves on different pages, as if its pages were glued together.
std::vector<std::int32_t> targetPositions(const Score& score, int p, const Score& file) {
    std::vector<std::int32_t> targets;
    targets.reserve(static_cast<std::size_t>(file.Nstaves));
    const Stave& first = file.stave(1);
    const std::int64_t above = p == 0 ? MergedTopY : score.stave(p).MaxY;
    targets.push_back(clamp32(above + first.Ycoord - first.MinY));
    for (int i = 2; i <= file.Nstaves; ++i) {
        const Stave& prev = file.stave(i - 1);
        const Stave& st = file.stave(i);
        const std::int64_t prevTarget = targets.back();
        if (st.PageNum == prev.PageNum)
            targets.push_back(clamp32(prevTarget + st.Ycoord - prev.Ycoord));
        else
            targets.push_back(clamp32(prevTarget + (std::int64_t{prev.MaxY} - prev.Ycoord) + PageGap +
                                      (st.Ycoord - st.MinY)));
    }
    return targets;
}

// A stave of the file as it joins the open score: on the one continuous page, and
// never asking for a page break of its own. The file's last stave ends its system:
// whatever its join flag says, it was the end of the file's last system, and the
// stave below it now belongs to another.
Stave mergedStave(const Score& file, int i) {
    Stave st = file.stave(i);
    st.ForcedBk = false;
    st.PageNum = 1;
    if (i == file.Nstaves) st.joinToNext = false;
    return st;
}

} // namespace

void insertMergedStaves(Score& score, int p, const Score& file, Ui& ui) {
    const int n = file.Nstaves;
    if (n < 1 || score.Nstaves + n > MaxStaves) return;
    p = std::clamp(p, 0, score.Nstaves);
    score.undo.pushInsertion(score, n);
    unpaginate(score);

    const std::array<int, 256> fonts = registerFonts(score, file, ui);
    const std::vector<std::int32_t> targets = targetPositions(score, p, file);
    for (int i = 1; i <= n; ++i) {
        Stave st = mergedStave(file, i);
        translateFonts(st, fonts);
        score.insertStave(p + i, st);
        ShiftStave(score, p + i, clamp32(std::int64_t{targets[static_cast<std::size_t>(i - 1)]} - st.Ycoord));
    }
    const int last = p + n;
    if (last < score.Nstaves) {
        const std::int64_t shift =
            std::int64_t{score.stave(last).MaxY} + PageGap - score.stave(last + 1).MinY;
        for (int t = last + 1; t <= score.Nstaves; ++t)
            ShiftStave(score, t, clamp32(shift));
    }
    score.modified = true;
}

bool mergeFile(Score& score, int p, const std::string& path, int H, Ui& ui, PageState& state) {
    std::optional<Score> file = readMergeFile(path, score, ui);
    if (!file) return false;
    insertMergedStaves(score, p, *file, ui);
    repaginate(score, H, ui, state);
    return true;
}

} // namespace qv
