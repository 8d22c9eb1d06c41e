#include "layout/staves.h"

#include "layout/staveextent.h"
#include "layout/tidystave.h"
#include "model/ui.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

namespace qv {

namespace {

constexpr int PageGap = 10;          // between the extents of staves glued across a page boundary
constexpr int NewStaveHalfHeight = 22; // a new empty stave's extent above and below its middle line
constexpr int AppendedClefX = 37;
constexpr int KeyNearLeft = 60;      // a key signature closer than this to LeftX keeps its distance
constexpr int KeyLowestX = 17;
constexpr int KeyHighestX = 77;
constexpr int KeyFallbackX = 67;

std::int32_t clamp32(std::int64_t v) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int16_t clamp16(std::int64_t v) {
    return static_cast<std::int16_t>(
        std::clamp<std::int64_t>(v, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

// a * b / c rounded to the nearest, halves away from zero; c > 0.
std::int64_t mulDiv(std::int64_t a, std::int64_t b, std::int64_t c) {
    const std::int64_t n = a * b;
    return n >= 0 ? (n + c / 2) / c : -((-n + c / 2) / c);
}

// Every music stave as one step, for operations whose repagination may move any of them.
void recordAllStaves(Score& score) {
    score.undo.pushStaveRange(score, 1, UndoStaveRange, score.Nstaves);
}

// Records the score before one stave is inserted anywhere. The head removes a stave
// after stave 1 and then hands on to the record of every stave, which puts each
// index back as it was: which stave the head took out no longer matters.
void recordBeforeInsertion(Score& score) {
    score.undo.reserve(score.Nstaves + 1);
    if (score.Nstaves >= 2) recordAllStaves(score);
    std::bitset<256> head;
    head.set(1);
    score.undo.pushStaveSet(score, head, UndoInsertedStaves);
}

void settle(Score& score, PageState& state, int current) {
    state.currentStave = std::clamp(current, 1, score.Nstaves);
    state.currentPage = score.stave(state.currentStave).PageNum;
    state.pages = pageCount(score);
}

// The distance between staves a and a + 1 when they share a page; nothing otherwise.
std::optional<std::int64_t> samePageSpacing(const Score& score, int a) {
    const Stave& upper = score.stave(a);
    const Stave& lower = score.stave(a + 1);
    if (upper.PageNum != lower.PageNum) return std::nullopt;
    return std::int64_t{lower.Ycoord} - upper.Ycoord;
}

void appendObject(Stave& st, const ScoreObject& o) {
    if (st.Nobjec >= MaxObjects) return;
    ++st.Nobjec;
    st.object(st.Nobjec) = o;
}

// The last object of a kind in object order; nothing when the stave has none.
std::optional<ScoreObject> lastOfKind(const Stave& st, ObjectKind kind) {
    for (int j = st.Nobjec; j >= 1; --j)
        if (st.object(j).is(kind)) return st.object(j);
    return std::nullopt;
}

} // namespace

BindingFlags BindingFlags::of(const Stave& st) {
    return BindingFlags{st.joinToNext, st.bracketWithNext, st.bracket,  st.brace,
                        st.barLineThrough, st.fullEndBar, st.ForcedBk, st.invisible};
}

int usableStaveWidth(const Score& score) {
    return musicAreaWidth(score.page, score.StvSiz);
}

bool insertStaveAfter(Score& score, int p, int H, Ui& ui, PageState& state) {
    const int n = score.Nstaves;
    if (n < 1) return false;
    if (n >= MaxStaves) {
        showError(ui, NotEnoughStaves);
        return false;
    }
    p = std::clamp(p, 0, n);
    recordBeforeInsertion(score);

    // The spacing: the distance to the stave below on the same page. Below the last
    // stave the distance between the last two is used; for staves on different pages
    // their distance once the pages are glued together; a lone stave spaces by its
    // own depth and the gap kept between glued pages.
    const int a = p < n ? p : n - 1;
    std::optional<std::int64_t> spacing;
    if (p == 0) spacing = score.stave(1).Ycoord;
    else if (a >= 1) spacing = samePageSpacing(score, a);
    unpaginate(score);
    if (!spacing) {
        if (a >= 1) spacing = std::int64_t{score.stave(a + 1).Ycoord} - score.stave(a).Ycoord;
        else spacing = std::int64_t{score.stave(1).MaxY} - score.stave(1).MinY + PageGap;
    }
    const std::int32_t s = clamp32(*spacing);

    const int q = p + 1;
    Stave fresh{};
    if (p == 0) {
        const Stave& below = score.stave(1);
        fresh.bracket = true;
        fresh.LeftX = below.LeftX;
        fresh.RightX = below.RightX;
        fresh.Ycoord = s;
        fresh.MinY = clamp32(std::int64_t{s} - NewStaveHalfHeight);
        fresh.MaxY = clamp32(std::int64_t{s} + NewStaveHalfHeight);
    } else {
        const Stave& above = score.stave(p);
        fresh.bracketWithNext = above.bracketWithNext;
        fresh.fullEndBar = above.fullEndBar;
        fresh.bracket = above.bracket;
        fresh.barLineThrough = above.barLineThrough;
        fresh.brace = above.brace;
        fresh.joinToNext = above.joinToNext;
        fresh.LeftX = above.LeftX;
        fresh.RightX = above.RightX;
        fresh.Ycoord = clamp32(std::int64_t{above.Ycoord} + s);
        fresh.MinY = clamp32(std::int64_t{above.MinY} + s);
        fresh.MaxY = clamp32(std::int64_t{above.MaxY} + s);
    }
    fresh.PageNum = 1; // every stave is on the one glued page now
    score.insertStave(q, fresh);
    for (int t = q + 1; t <= score.Nstaves; ++t) ShiftStave(score, t, s);

    state.currentStave = q;
    repaginate(score, H, ui, state);
    settle(score, state, q);
    return true;
}

bool deleteStaveAt(Score& score, int c, Ui& ui, PageState& state) {
    const int n = score.Nstaves;
    if (n <= 1) {
        showError(ui, OnlyStaveMessage);
        return false;
    }
    c = std::clamp(c, 1, n);
    const SystemRange sys = SystemExtent(score, c);
    const bool several = sys.last > sys.first;
    const bool top = several && c == sys.first;
    const bool bottom = several && c == sys.last;

    // The head puts the deleted stave back at its index; the range behind it every
    // stave from the one that changes on, whose numbers the deletion changed too.
    const int from = bottom ? c - 1 : c;
    score.undo.reserve(n - from + 1 + 2);
    score.undo.pushStaveRange(score, from, UndoStaveRange, n - from + 1);
    score.undo.pushStaveRange(score, c, UndoDeletedStave, 2);

    if (top) {
        const Stave& gone = score.stave(c);
        Stave& next = score.stave(c + 1);
        for (int j = 1; j <= gone.Nobjec; ++j) {
            if (!gone.object(j).is(ObjectKind::Barline)) continue;
            if (next.Nobjec >= MaxObjects) {
                showWarning(ui, BarLinesLostMessage);
                break;
            }
            ScoreObject bar = gone.object(j);
            bar.setY(next.Ycoord);
            appendObject(next, bar);
        }
        StaveChanged(score, c + 1);
    }
    if (bottom) {
        Stave& above = score.stave(c - 1);
        above.bracketWithNext = above.fullEndBar = above.barLineThrough = above.brace = above.joinToNext = false;
    }
    // The pages are not recomputed, but a page left without staves is closed up:
    // the pages after it are numbered one less, their positions unchanged.
    const int page = score.stave(c).PageNum;
    bool pageEmptied = true;
    for (int t = 1; t <= n && pageEmptied; ++t) pageEmptied = t == c || score.stave(t).PageNum != page;
    score.removeStaves(c, 1);
    if (pageEmptied)
        for (int t = c; t <= score.Nstaves; ++t)
            if (score.stave(t).PageNum > page) --score.stave(t).PageNum;
    settle(score, state, std::min(c, score.Nstaves));
    return true;
}

bool applyBinding(Score& score, int s, const BindingFlags& f, int H, Ui& ui, PageState& state) {
    const int n = score.Nstaves;
    if (s < 1 || s > n) return false;
    Stave& st = score.stave(s);
    const BindingFlags before = BindingFlags::of(st);
    if (f == before) return false;
    // A new join between staves on two pages would split a system across them.
    const bool joinsAcrossPages = f.joinToNext && !before.joinToNext && s < n &&
                                  score.stave(s + 1).PageNum != st.PageNum;
    const bool repage = f.ForcedBk != before.ForcedBk || joinsAcrossPages;
    if (repage) recordAllStaves(score);
    else score.undo.pushStaveRange(score, std::max(1, s - 1), UndoStaveRange, n - std::max(1, s - 1) + 1);

    st.joinToNext = f.joinToNext;
    st.bracketWithNext = f.bracketWithNext;
    st.bracket = f.bracket;
    st.brace = f.brace;
    st.barLineThrough = f.barLineThrough;
    st.fullEndBar = f.fullEndBar;
    st.ForcedBk = f.ForcedBk;
    st.invisible = f.invisible;
    // The bracket runs down through the staves bracketed with the next.
    for (int t = s; t < n && score.stave(t).bracketWithNext; ++t)
        score.stave(t + 1).bracket = score.stave(t).bracket;
    if (s > 1 && score.stave(s - 1).bracketWithNext && !st.bracket) score.stave(s - 1).bracketWithNext = false;

    if (repage) {
        unpaginate(score);
        repaginate(score, H, ui, state);
    }
    settle(score, state, s);
    return true;
}

bool toggleBinding(Score& score, int s, int H, Ui& ui, PageState& state) {
    const int n = score.Nstaves;
    if (s < 1 || s > n) return false;
    if (s == n) {
        ui.captionedMessage(MessageType::Information, BindCaption, BindLastStaveMessage);
        return false;
    }
    Stave& st = score.stave(s);
    const bool joinsAcrossPages = !st.brace && !st.joinToNext && score.stave(s + 1).PageNum != st.PageNum;
    if (joinsAcrossPages) recordAllStaves(score);
    else score.undo.pushStave(score, s, UndoBinding);

    if (st.brace) {
        st.joinToNext = st.bracketWithNext = st.brace = st.bracket = st.barLineThrough = false;
    } else if (st.joinToNext) {
        st.brace = st.barLineThrough = st.joinToNext = true;
        st.bracketWithNext = st.bracket = false;
    } else {
        st.joinToNext = st.bracketWithNext = st.bracket = true;
        st.barLineThrough = st.brace = false;
    }
    if (st.joinToNext) score.stave(s + 1).bracket = st.bracket;
    st.fullEndBar = false;
    if (joinsAcrossPages) {
        unpaginate(score);
        repaginate(score, H, ui, state);
    }
    settle(score, state, s);
    return true;
}

bool appendSystem(Score& score, int H, Ui& ui, PageState& state) {
    const int n = score.Nstaves;
    if (n < 1) return false;
    const AppendPlacement place = placeAppendedSystem(score, H, ui);
    if (!place.proceed) return false;
    const SystemRange sys = SystemExtent(score, n);
    const int k = sys.last - sys.first + 1;
    score.undo.pushStaveRange(score, n, UndoInsertedStaves, k);

    const int width = usableStaveWidth(score);
    for (int i = 0; i < k; ++i) {
        const Stave& source = score.stave(sys.first + i);
        Stave copy = source;
        copy.LeftX = NewStaveLeftX;
        copy.RightX = clamp16(std::int64_t{width} - NewStaveRightMargin);
        copy.ForcedBk = copy.invisible = false;
        copy.lastPosition = 0;
        copy.staveNumber = static_cast<std::uint16_t>(source.staveNumber + k);
        copy.Nobjec = 0;
        copy.objects = {};
        copy.Ycoord = clamp32(std::int64_t{source.Ycoord} + place.shift);
        copy.MinY = clamp32(std::int64_t{source.MinY} + place.shift);
        copy.MaxY = clamp32(std::int64_t{source.MaxY} + place.shift);
        copy.PageNum = static_cast<std::uint8_t>(place.pageNum);
        if (auto clef = lastOfKind(source, ObjectKind::Clef)) {
            clef->setClefSmall(false);
            clef->setX(AppendedClefX);
            clef->setY(copy.Ycoord);
            appendObject(copy, *clef);
        }
        if (auto key = lastOfKind(source, ObjectKind::KeySignature)) {
            int x = key->x();
            if (x - source.LeftX < KeyNearLeft) x = x - source.LeftX + NewStaveLeftX;
            if (x < KeyLowestX || x > KeyHighestX) x = KeyFallbackX;
            key->setX(x);
            key->setY(copy.Ycoord);
            appendObject(copy, *key);
        }
        score.insertStave(n + 1 + i, copy);
        // Tidied as well as measured: the key signature may lie left of the clef.
        StaveChanged(score, n + 1 + i);
    }
    settle(score, state, n + 1);
    return true;
}

void createFirstStave(Score& score, int spacing, PageState& state) {
    score.setStaveCount(1);
    Stave first{};
    first.Ycoord = FirstStaveY;
    first.MinY = FirstStaveY - NewStaveHalfHeight;
    first.MaxY = FirstStaveY + NewStaveHalfHeight;
    first.LeftX = NewStaveLeftX;
    first.RightX = clamp16(std::int64_t{usableStaveWidth(score)} - NewStaveRightMargin);
    first.PageNum = 1;
    first.staveNumber = 1;
    score.setStave(1, first);
    score.Spacing = spacing;
    score.Pulse = 3;
    score.setBeamang(10);
    StaveExtent(score, 1);
    settle(score, state, 1);
}

void widenStaves(Score& score, int delta, bool spread) {
    if (delta == 0 || score.Nstaves < 1) return;
    recordAllStaves(score);
    for (int s = 1; s <= score.Nstaves; ++s) {
        Stave& st = score.stave(s);
        const int oldRight = st.RightX;
        const int newRight = clamp16(std::int64_t{oldRight} + delta);
        const std::int64_t oldSpan = oldRight - st.LeftX;
        const std::int64_t newSpan = newRight - st.LeftX;
        // A stave with no length has nothing to spread over.
        if (spread && oldSpan > 0) {
            for (int j = 1; j <= st.Nobjec; ++j) {
                ScoreObject& o = st.object(j);
                o.setX(clamp16(st.LeftX + mulDiv(o.x() - st.LeftX, newSpan, oldSpan)));
            }
        }
        st.RightX = static_cast<std::int16_t>(newRight);
    }
}

bool narrowStaves(Score& score, int newWidth, Ui& ui) {
    const int limit = newWidth - NewStaveRightMargin;
    std::string beyond;
    bool tooLong = false;
    for (int s = 1; s <= score.Nstaves; ++s) {
        const Stave& st = score.stave(s);
        if (st.RightX > limit) tooLong = true;
        for (int j = 1; j <= st.Nobjec; ++j) {
            if (st.object(j).x() <= limit) continue;
            beyond += (beyond.empty() ? "" : ", ") + std::to_string(s);
            break;
        }
    }
    if (!beyond.empty()) {
        showError(ui, formatMessage(NarrowRefusal, beyond));
        return false;
    }
    if (!tooLong) return true;
    recordAllStaves(score);
    for (int s = 1; s <= score.Nstaves; ++s) {
        Stave& st = score.stave(s);
        if (st.RightX > limit) st.RightX = clamp16(limit);
    }
    return true;
}

bool adaptStaveWidths(Score& score, int oldWidth, int newWidth, Ui& ui) {
    if (newWidth < oldWidth) return narrowStaves(score, newWidth, ui);
    if (newWidth == oldWidth) return true;
    const Button widen = ui.message(MessageType::Confirmation, WidenQuestion, ButtonYes | ButtonNo | ButtonAbort);
    if (widen == ButtonAbort) return false;
    if (widen == ButtonYes) {
        const bool spread =
            ui.message(MessageType::Confirmation, SpreadQuestion, ButtonYes | ButtonNo) == ButtonYes;
        widenStaves(score, newWidth - oldWidth, spread);
    }
    return true;
}

} // namespace qv
