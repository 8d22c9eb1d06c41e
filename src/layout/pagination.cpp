#include "layout/pagination.h"

#include "model/ui.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

namespace qv {

namespace {

inline constexpr int PageTopGap = 10;    // a later page's first top extent lies this far down
inline constexpr int AppendGap = 46;     // from the lowest extent on a page to an appended copy's first stave
inline constexpr int NewPageFirstY = 50; // an appended copy's first stave on a new page

bool isStave(const Score& score, int s) {
    return s >= 1 && s <= score.Nstaves;
}

// The last stave of the score ends its system whatever its join flag says.
bool endsSystem(const Score& score, int s) {
    return s >= score.Nstaves || !score.stave(s).joinToNext;
}

bool firstOnItsPage(const Score& score, int s) {
    return s <= 1 || score.stave(s - 1).PageNum != score.stave(s).PageNum;
}

bool lastOnItsPage(const Score& score, int s) {
    return s >= score.Nstaves || score.stave(s + 1).PageNum != score.stave(s).PageNum;
}

std::string cannotFitText(int system, int page) {
    char text[64];
    std::snprintf(text, sizeof text, CannotFitMessage, system, page);
    return text;
}

// What repaginate works out for every stave before moving any of them.
struct Layout {
    std::array<std::int32_t, MaxStaves + 1> y0{};     // position on the continuous strip
    std::array<std::int32_t, MaxStaves + 1> offset{}; // subtracted when the stave tops a page
    std::array<std::int32_t, MaxStaves + 1> newY{};
    std::array<int, MaxStaves + 1> page{};
};

void recordStrip(const Score& score, Layout& layout) {
    for (int i = 1; i <= score.Nstaves; ++i) {
        layout.y0[i] = score.stave(i).Ycoord;
        // Page 1 keeps the strip's own positions; a stave opening a later page has
        // its top extent brought to PageTopGap.
        layout.offset[i] = i == 1 ? 0 : wrap32(std::int64_t{score.stave(i).MinY} - PageTopGap);
    }
}

bool fitsBelow(const Score& score, const Layout& layout, int top, int last, int H) {
    return std::int64_t{score.stave(last).MaxY} - layout.offset[top] <= H;
}

// Breaks the strip system by system; warns about every system taller than a page.
void breakIntoPages(const Score& score, int H, Ui& ui, Layout& layout) {
    int page = 1, system = 1, top = 1;
    bool forced = false;
    for (int s = 1; s <= score.Nstaves;) {
        const SystemRange sys = SystemExtent(score, s);
        if (forced || !fitsBelow(score, layout, top, sys.last, H)) {
            const int previousTop = top;
            top = sys.first;
            ++page;
            if (!fitsBelow(score, layout, sys.first, sys.last, H)) {
                showWarning(ui, cannotFitText(system, page - 1));
                // A system too tall for any page that would open page 2 stays on
                // page 1 instead, in its place below the systems already there:
                // lifting it to the page top would lay it over them. After a forced
                // break it goes to page 2 as asked.
                if (page == 2 && !forced) {
                    page = 1;
                    top = previousTop;
                }
            }
        }
        for (int i = sys.first; i <= sys.last; ++i) {
            layout.newY[i] = wrap32(std::int64_t{layout.y0[i]} - layout.offset[top]);
            layout.page[i] = page;
        }
        forced = score.stave(sys.last).ForcedBk;
        ++system;
        s = sys.last + 1;
    }
}

bool allOnPageOne(const Score& score) {
    for (int i = 1; i <= score.Nstaves; ++i)
        if (score.stave(i).PageNum != 1) return false;
    return true;
}

// The largest bottom extent among the last stave and every stave on the last page.
std::int32_t lowestExtentOnLastPage(const Score& score) {
    const Stave& last = score.stave(score.Nstaves);
    std::int32_t lowest = last.MaxY;
    for (int i = 1; i <= score.Nstaves; ++i)
        if (score.stave(i).PageNum == last.PageNum) lowest = std::max(lowest, score.stave(i).MaxY);
    return lowest;
}

bool userWantsNewPage(Ui& ui) {
    return ui.message(MessageType::Confirmation, NoRoomQuestion, ButtonYes | ButtonAbort) == ButtonYes;
}

} // namespace

SystemRange SystemExtent(const Score& score, int s) {
    if (score.Nstaves < 1) return {1, 0}; // no staves: an empty range
    s = std::clamp(s, 1, score.Nstaves);
    SystemRange r{s, s};
    while (r.first >= 2 && score.stave(r.first - 1).joinToNext)
        --r.first;
    while (r.last < score.Nstaves && score.stave(r.last).joinToNext)
        ++r.last;
    return r;
}

int firststaveonpage(const Score& score, int page, Ui& ui) {
    if (page <= 0) return 0;
    for (int i = 1; i <= score.Nstaves; ++i)
        if (score.stave(i).PageNum >= page) return i;
    showError(ui, FirstStaveProblem + std::to_string(page));
    return 0;
}

int laststaveonpage(const Score& score, int page) {
    if (page <= 0 || score.Nstaves < 1) return 0;
    int i = 1;
    while (i < score.Nstaves && score.stave(i + 1).PageNum <= page)
        ++i;
    return i;
}

int systemNumber(const Score& score, int s) {
    const int before = std::min(s - 1, score.Nstaves);
    int n = 1;
    for (int i = 1; i <= before; ++i)
        if (endsSystem(score, i)) ++n;
    return n;
}

int firstStaveOfSystem(const Score& score, int n) {
    if (n <= 1) return 1;
    int count = 1;
    for (int i = 1; i < score.Nstaves; ++i) {
        if (endsSystem(score, i) && ++count == n) return i + 1;
    }
    return score.Nstaves + 1;
}

void setStavePosition(Score& score, int s, int y) {
    if (!isStave(score, s)) return;
    ShiftStave(score, s, wrap32(std::int64_t{y} - score.stave(s).Ycoord));
}

bool inRange(int low, int value, int high) {
    return low <= value && value <= high;
}

void unpaginate(Score& score) {
    if (score.Nstaves < 1) return;
    std::array<std::int32_t, MaxStaves + 1> target{};
    target[1] = score.stave(1).Ycoord;
    int pageSeen = score.stave(1).PageNum;
    for (int i = 2; i <= score.Nstaves; ++i) {
        const Stave& above = score.stave(i - 1);
        const Stave& st = score.stave(i);
        std::int64_t gap = std::int64_t{st.Ycoord} - above.Ycoord;
        if (st.PageNum != pageSeen) {
            // Glue the pages: this stave's top extent 10 below the bottom extent above.
            gap = std::int64_t{above.MaxY} - above.Ycoord + PageTopGap + (std::int64_t{st.Ycoord} - st.MinY);
            pageSeen = st.PageNum;
        }
        target[i] = wrap32(target[i - 1] + gap);
    }
    for (int i = 1; i <= score.Nstaves; ++i) {
        score.stave(i).PageNum = 1;
        setStavePosition(score, i, target[i]);
    }
}

void repaginate(Score& score, int H, Ui& ui, PageState& state) {
    if (score.Nstaves < 1) return;
    ui.setBusy(true);
    if (!allOnPageOne(score)) unpaginate(score);
    Layout layout;
    recordStrip(score, layout);
    breakIntoPages(score, H, ui, layout);
    for (int i = 1; i <= score.Nstaves; ++i) {
        setStavePosition(score, i, layout.newY[i]);
        score.stave(i).PageNum = static_cast<std::uint8_t>(layout.page[i]);
    }
    ui.setBusy(false);
    state.pages = score.stave(score.Nstaves).PageNum;
    state.currentStave = std::clamp(state.currentStave, 1, score.Nstaves);
    state.currentPage = score.stave(state.currentStave).PageNum;
}

AppendPlacement placeAppendedSystem(const Score& score, int H, Ui& ui) {
    if (score.Nstaves < 1) return {};
    const SystemRange sys = SystemExtent(score, score.Nstaves);
    if (score.Nstaves + (sys.last - sys.first + 1) > MaxStaves) {
        showError(ui, NotEnoughStaves);
        return {};
    }
    const Stave& first = score.stave(sys.first);
    const Stave& last = score.stave(sys.last);
    // The copy's first stave goes AppendGap below the lowest extent on the page and
    // its last stave's bottom line 16 below its own middle line: the room needed is
    // measured from that lowest extent too, not from the last stave alone.
    const std::int64_t lowest = lowestExtentOnLastPage(score);
    const std::int64_t needed = (std::int64_t{last.Ycoord} - first.Ycoord + 32) + (lowest + 30);
    AppendPlacement p;
    p.proceed = true;
    p.newPage = last.ForcedBk;
    if (!p.newPage && H < needed) {
        if (!userWantsNewPage(ui)) return {};
        p.newPage = true;
    }
    const int page = std::max<int>(last.PageNum, 1);
    if (p.newPage) {
        p.shift = wrap32(std::int64_t{NewPageFirstY} - first.Ycoord);
        p.pageNum = std::min(page + 1, 255);
    } else {
        p.shift = wrap32(lowest + AppendGap - first.Ycoord);
        p.pageNum = page;
    }
    return p;
}

bool pagesConsistent(const Score& score) {
    int previous = 1;
    for (int s = 1; s <= score.Nstaves; ++s) {
        const int page = score.stave(s).PageNum;
        if (page < previous || page > previous + (s > 1 ? 1 : 0)) return false;
        previous = page;
    }
    return true;
}

int pageCount(const Score& score) {
    return score.Nstaves >= 1 ? int(score.stave(score.Nstaves).PageNum) : 0;
}

void goToPage(const Score& score, PageState& state, int p, Ui& ui) {
    if (p < 1 || p > state.pages) return;
    const int s = firststaveonpage(score, p, ui);
    if (s == 0) return; // the page count was out of step with the staves
    state.currentPage = p;
    state.currentStave = s;
}

DragLimits neighbourLimits(const Score& score, int s, int competence, bool headerFooterScreen) {
    DragLimits limits;
    if (s < 1 || s > score.Nstaves || headerFooterScreen || competence > Standard) return limits;
    if (!firstOnItsPage(score, s)) limits.upper = score.stave(s - 1).Ycoord;
    if (!lastOnItsPage(score, s)) limits.lower = score.stave(s + 1).Ycoord;
    return limits;
}

void setCurrentStave(Score& score, PageState& state, int s, int competence, bool headerFooterScreen) {
    // Stave 0, the header/footer stave, is current only in the header/footer screen.
    const int lowest = headerFooterScreen ? 0 : 1;
    if (score.Nstaves < lowest) return;
    s = std::clamp(s, lowest, score.Nstaves);
    state.currentStave = s;
    state.drag = neighbourLimits(score, s, competence, headerFooterScreen);
    if (s >= 1) state.currentPage = score.stave(s).PageNum;
    if (score.hooks.refreshStatus) score.hooks.refreshStatus(score, s);
}

} // namespace qv
