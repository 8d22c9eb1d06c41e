// Pagination: systems and pages of staves, the continuous strip and breaking it
// into pages, moving staves, room for an appended system and the drag limits.
//
// Most scores here come from makeScore: stave i has its middle line at
// 40 + 48(i - 1), top extent 16 above it and bottom extent 16 below it, all on page 1.

#include "layout/pagination.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <random>
#include <vector>

namespace qv {
namespace {

using test::makeScore;
using test::ScriptedUi;
using Ints = std::vector<int>;

// Binds consecutive staves into systems of the given sizes.
void bindSystems(Score& score, const Ints& sizes) {
    int s = 1;
    for (int size : sizes)
        for (int k = 1; k <= size; ++k, ++s)
            score.stave(s).joinToNext = k < size;
}

void setPages(Score& score, std::initializer_list<int> pages) {
    int s = 1;
    for (int p : pages)
        score.stave(s++).PageNum = static_cast<std::uint8_t>(p);
}

template <typename Field> Ints each(const Score& score, Field field) {
    Ints v;
    for (int i = 1; i <= score.Nstaves; ++i)
        v.push_back(field(score.stave(i)));
    return v;
}
Ints ycoords(const Score& score) {
    return each(score, [](const Stave& s) { return s.Ycoord; });
}
Ints pages(const Score& score) {
    return each(score, [](const Stave& s) { return int(s.PageNum); });
}

Ints objectYs(const Score& score) {
    Ints v;
    for (int i = 1; i <= score.Nstaves; ++i)
        for (int k = 1; k <= score.stave(i).Nobjec; ++k)
            v.push_back(score.stave(i).object(k).y());
    return v;
}

TEST(Systems, ExtentNumberFirstStaveAndPagesAgree) {
    Score score = makeScore(6);
    bindSystems(score, {2, 3, 1});
    score.stave(6).joinToNext = true; // the last stave's flag joins nothing
    EXPECT_EQ(SystemExtent(score, 4).first, 3);
    EXPECT_EQ(SystemExtent(score, 4).last, 5);
    EXPECT_EQ(SystemExtent(score, 0).last, 2) << "clamped to stave 1";
    EXPECT_EQ(SystemExtent(score, 99).first, 6) << "clamped to the last stave";
    EXPECT_EQ(SystemExtent(score, 6).last, 6);
    for (const auto& [stave, system] : {std::pair{0, 1}, {2, 1}, {5, 2}, {6, 3}, {7, 4}})
        EXPECT_EQ(systemNumber(score, stave), system) << "stave " << stave;
    for (const auto& [system, stave] : {std::pair{0, 1}, {2, 3}, {3, 6}, {4, 7}})
        EXPECT_EQ(firstStaveOfSystem(score, system), stave) << "system " << system;
    setPages(score, {1, 1, 2, 2, 4, 4});
    ScriptedUi ui;
    for (const auto& [page, first] : {std::pair{0, 0}, {1, 1}, {2, 3}, {3, 5}})
        EXPECT_EQ(firststaveonpage(score, page, ui), first) << "page " << page << " (3 is empty)";
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(firststaveonpage(score, 5, ui), 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Problem with firststaveonpage 5");
    EXPECT_EQ(ui.messages[0].type, MessageType::Error);
    for (const auto& [page, last] : {std::pair{0, 0}, {1, 2}, {2, 4}, {3, 4}, {200, 6}})
        EXPECT_EQ(laststaveonpage(score, page), last) << "page " << page;
    setPages(score, {3, 3, 3, 3, 3, 3});
    EXPECT_EQ(laststaveonpage(score, 1), 1) << "stave 1's own page is not looked at";
}

TEST(Systems, AScoreWithoutStavesIsLeftAlone) {
    Score score = makeScore(0);
    ScriptedUi ui;
    PageState state;
    state.currentStave = 3;
    EXPECT_EQ(SystemExtent(score, 1).last, 0);
    EXPECT_EQ(firstStaveOfSystem(score, 2), 1);
    EXPECT_EQ(laststaveonpage(score, 1), 0);
    unpaginate(score);
    repaginate(score, 100, ui, state);
    setCurrentStave(score, state, 1, Standard, false);
    EXPECT_FALSE(placeAppendedSystem(score, 100, ui).proceed);
    EXPECT_EQ(state.currentStave, 3);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(ShiftStave, MovesTheStaveItsExtentsAndEveryObject) {
    Score score = makeScore(2);
    Stave& s = score.stave(2);
    test::append(s, test::makeNote(100, 2, 3, s.Ycoord));
    test::append(s, test::makeShortText(150, 30, 1, "f"));
    s.object(3) = test::makeShortText(0, 500, 1, "x"); // beyond Nobjec: not an object
    ShiftStave(score, 2, -30);
    EXPECT_EQ(ycoords(score), (Ints{40, 58}));
    EXPECT_EQ(s.MinY, 42);
    EXPECT_EQ(s.MaxY, 74);
    EXPECT_EQ(objectYs(score), (Ints{80 - 30, 0}));
    EXPECT_EQ(s.object(3).y(), 500);
    setStavePosition(score, 2, 200);
    EXPECT_EQ(s.Ycoord, 200);
    EXPECT_EQ(s.object(1).y(), 192);
    // Staves that do not exist are not touched (and not read).
    ShiftStave(score, 0, 5);
    ShiftStave(score, 3, 5);
    setStavePosition(score, 7, 5);
    setStavePosition(score, 0, 5);
    EXPECT_EQ(score.stave(0).Ycoord, 0);
}

TEST(ShiftStave, ObjectsFollowTheirStaveWhereTheStripPassesSixteenBits) {
    // 255 staves 150 apart reach y = 38140 on the continuous strip. An object's y
    // has only 16 bits, so it must wrap there and come back whole on its page.
    Score score = makeScore(255);
    for (int i = 1; i <= 255; ++i) {
        Stave& s = score.stave(i);
        s.Ycoord = 40 + 150 * (i - 1);
        s.MinY = s.Ycoord - 40;
        s.MaxY = s.Ycoord + 40;
        ScoreObject o = makeObject(ObjectKind::Glyph, 10, 0);
        o.setY(static_cast<std::int16_t>(s.Ycoord - 8)); // as the strip holds it
        test::append(s, o);
    }
    ScriptedUi ui;
    PageState state;
    repaginate(score, 1000, ui, state); // seven staves a page
    EXPECT_EQ(state.pages, 37);
    for (int i = 1; i <= 255; ++i) {
        ASSERT_EQ(score.stave(i).object(1).y(), score.stave(i).Ycoord - 8) << "stave " << i;
        ASSERT_LE(score.stave(i).MaxY, 1000);
    }
}

TEST(Unpaginate, GluesThePagesTenUnitsApart) {
    Score score = makeScore(4);
    setPages(score, {1, 1, 2, 2});
    setStavePosition(score, 3, 26); // top extent 10 on page 2
    setStavePosition(score, 4, 74);
    test::append(score.stave(4), test::makeNote(50, 0, 3, 74));
    unpaginate(score);
    EXPECT_EQ(pages(score), (Ints{1, 1, 1, 1}));
    // Stave 3: 88 + (104 - 88) + 10 + (26 - 10) = 130, its top extent 10 below 104.
    EXPECT_EQ(ycoords(score), (Ints{40, 88, 130, 178}));
    EXPECT_EQ(score.stave(4).object(1).y(), 178);
}

// Systems of makeScore's staves broken into pages of height H.
struct PagesCase {
    const char* what;
    Ints systems;
    Ints forcedBreaks; // staves with ForcedBk
    int H;
    Ints pages, ycoords;
    const char* warning; // "" for none
};

TEST(Repaginate, SystemsGoToTheFirstPageWithRoom) {
    // clang-format off
    const PagesCase cases[] = {
        {"the last bottom extent is exactly H", {2, 2, 2}, {}, 296, {1, 1, 1, 1, 1, 1}, {40, 88, 136, 184, 232, 280}, ""},
        // T(5) = 216 - 10 = 206, so stave 5 moves from 232 to 26 and stave 6 to 74.
        {"one unit less", {2, 2, 2}, {}, 295, {1, 1, 1, 1, 2, 2}, {40, 88, 136, 184, 26, 74}, ""},
        {"an oversized first system stays on page 1", {4, 2}, {}, 150, {1, 1, 1, 1, 2, 2},
         {40, 88, 136, 184, 26, 74}, "Cannot fit system 1 on page 1"},
        {"an oversized later system keeps its place below the others", {2, 4, 2}, {}, 150,
         {1, 1, 1, 1, 1, 1, 2, 2}, {40, 88, 136, 184, 232, 280, 26, 74}, "Cannot fit system 2 on page 1"},
        {"an oversized system on a later page overflows it", {2, 2, 4}, {}, 150, {1, 1, 2, 2, 3, 3, 3, 3},
         {40, 88, 26, 74, 26, 74, 122, 170}, "Cannot fit system 3 on page 2"},
        {"a forced break acts only at a system's end", {2, 2, 2}, {2, 3}, 1000, {1, 1, 2, 2, 2, 2},
         {40, 88, 26, 74, 122, 170}, ""},
        {"a forced break before an oversized system is kept", {2, 4}, {2}, 150, {1, 1, 2, 2, 2, 2},
         {40, 88, 26, 74, 122, 170}, "Cannot fit system 2 on page 1"},
    };
    // clang-format on
    for (const PagesCase& c : cases) {
        SCOPED_TRACE(c.what);
        Score score = makeScore(static_cast<int>(c.pages.size()));
        bindSystems(score, c.systems);
        score.stave(score.Nstaves).joinToNext = true; // joins nothing: breaking stops at the last stave
        for (int s : c.forcedBreaks)
            score.stave(s).ForcedBk = true;
        ScriptedUi ui;
        PageState state;
        state.currentStave = 99;
        state.currentPage = 7;
        repaginate(score, c.H, ui, state);
        EXPECT_EQ(pages(score), c.pages);
        EXPECT_EQ(ycoords(score), c.ycoords);
        EXPECT_EQ(ui.lastText(), c.warning);
        if (*c.warning) {
            EXPECT_EQ(ui.messages.back().type, MessageType::Warning);
        }
        EXPECT_EQ(state.pages, c.pages.back());
        EXPECT_EQ(state.currentStave, score.Nstaves) << "clamped to the last stave";
        EXPECT_EQ(state.currentPage, c.pages.back());
    }
}

TEST(Repaginate, AScoreWithinOnePageIsUnchangedAndTheBusyPointerShows) {
    struct BusyUi : ScriptedUi {
        std::vector<bool> busy;
        void setBusy(bool b) override { busy.push_back(b); }
    };
    auto build = [] {
        Score score = makeScore(6);
        bindSystems(score, {2, 2, 2});
        test::append(score.stave(3), test::makeNote(50, 1, 3, 136));
        setPages(score, {0, 0, 0, 0, 0, 0}); // read as one continuous strip
        return score;
    };
    Score score = build();
    const Score original = build();
    BusyUi ui;
    PageState state;
    repaginate(score, 296, ui, state);
    EXPECT_EQ(pages(score), (Ints{1, 1, 1, 1, 1, 1}));
    setPages(score, {0, 0, 0, 0, 0, 0});
    EXPECT_TRUE(score.sameContent(original));
    EXPECT_EQ(ui.busy, (std::vector<bool>{true, false}));
}

// A score of random systems (1-4 staves) and extents on one continuous strip.
// `packed`: each system's top extent lies 10 below the bottom extent above it, the
// way unpaginate glues pages; otherwise the gaps between systems vary.
Score randomStrip(std::mt19937& rng, int staves, bool packed) {
    Score score = makeScore(staves);
    std::uniform_int_distribution<int> size(1, 4), gap(36, 70), reach(16, 40), objects(0, 5);
    int y = 60, left = 0;
    for (int i = 1; i <= staves; ++i) {
        if (left == 0) left = size(rng);
        Stave& s = score.stave(i);
        s.joinToNext = --left > 0;
        s.ForcedBk = !s.joinToNext && rng() % 9 == 0;
        const int above = reach(rng);
        if (packed && i > 1 && !score.stave(i - 1).joinToNext) y = score.stave(i - 1).MaxY + 10 + above;
        s.Ycoord = y;
        s.MinY = y - above;
        s.MaxY = y + reach(rng);
        for (int k = objects(rng); k > 0; --k)
            test::append(s, test::makeNote(20 * k, k - 2, 3, y));
        y += gap(rng) + (s.joinToNext ? 0 : 30);
    }
    return score;
}

TEST(Repaginate, PagesHoldWholeSystemsAndLaterPagesStartTenDown) {
    std::mt19937 rng(7);
    for (int round = 0; round < 40; ++round) {
        Score score = randomStrip(rng, 1 + static_cast<int>(rng() % 120), false);
        const int H = 150 + static_cast<int>(rng() % 900);
        ScriptedUi ui;
        PageState state;
        repaginate(score, H, ui, state);
        for (int i = 2; i <= score.Nstaves; ++i) {
            const Stave& s = score.stave(i);
            const Stave& above = score.stave(i - 1);
            ASSERT_TRUE(s.PageNum == above.PageNum || s.PageNum == above.PageNum + 1);
            if (above.joinToNext) {
                ASSERT_EQ(s.PageNum, above.PageNum) << "a system is never split";
            }
            if (s.PageNum != above.PageNum) {
                ASSERT_EQ(s.MinY, 10) << "a later page's first top extent";
            }
            if (above.ForcedBk && !above.joinToNext) {
                ASSERT_EQ(s.PageNum, above.PageNum + 1) << "forced break after stave " << i - 1;
            }
        }
        for (int i = 1; i <= score.Nstaves && ui.messages.empty(); ++i)
            ASSERT_LE(score.stave(i).MaxY, H) << "no system was too tall, so none overflows";
        EXPECT_EQ(state.pages, score.stave(score.Nstaves).PageNum);
    }
}

TEST(Repaginate, UnpaginateThenRepaginateReproducesThePages) {
    std::mt19937 rng(11);
    for (int round = 0; round < 40; ++round) {
        Score score = randomStrip(rng, 1 + static_cast<int>(rng() % 120), true);
        const Ints stripY = ycoords(score), stripObjects = objectYs(score);
        const int H = 150 + static_cast<int>(rng() % 900);
        ScriptedUi ui;
        PageState state;
        repaginate(score, H, ui, state);
        const Ints firstPages = pages(score), firstY = ycoords(score), firstObjects = objectYs(score);
        unpaginate(score);
        ASSERT_EQ(ycoords(score), stripY) << "round " << round;
        ASSERT_EQ(objectYs(score), stripObjects);
        repaginate(score, H, ui, state);
        ASSERT_EQ(pages(score), firstPages) << "round " << round;
        ASSERT_EQ(ycoords(score), firstY) << "round " << round;
        ASSERT_EQ(objectYs(score), firstObjects);
    }
}

TEST(AppendSystem, FitsBelowTheLowestExtentOfTheLastPageOrAsksAndNeverPasses255Staves) {
    Score score = makeScore(4);
    bindSystems(score, {2, 2});
    ScriptedUi ui;
    // The copy of staves 3-4 needs (184 - 136 + 32) + (200 + 30) = 310.
    AppendPlacement p = placeAppendedSystem(score, 310, ui);
    EXPECT_TRUE(p.proceed && !p.newPage);
    EXPECT_EQ(p.shift, 200 + 46 - 136);
    EXPECT_EQ(p.pageNum, 1);
    EXPECT_TRUE(ui.messages.empty());
    ui.buttonAnswers = {ButtonYes};
    p = placeAppendedSystem(score, 309, ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "No room on this page for another system of this size.\n\nStart new page?");
    EXPECT_EQ(ui.messages[0].buttons, Buttons{ButtonYes | ButtonAbort});
    EXPECT_TRUE(p.proceed && p.newPage);
    EXPECT_EQ(p.shift, 50 - 136);
    EXPECT_EQ(p.pageNum, 2);
    ui.buttonAnswers = {ButtonAbort};
    EXPECT_FALSE(placeAppendedSystem(score, 309, ui).proceed);
    // A stave of the last page reaching lower than the last stave sets the place,
    // and the room is measured from there: 80 + (260 + 30) = 370.
    score.stave(3).MaxY = 260;
    EXPECT_EQ(placeAppendedSystem(score, 370, ui).shift, 260 + 46 - 136);
    EXPECT_EQ(ui.messages.size(), 2u);
    score.stave(3).MaxY = 152;
    // Staves of earlier pages do not count.
    setPages(score, {1, 1, 2, 2});
    score.stave(2).MaxY = 900;
    setStavePosition(score, 3, 26);
    setStavePosition(score, 4, 74); // bottom extent 90
    p = placeAppendedSystem(score, 1000, ui);
    EXPECT_EQ(p.shift, 90 + 46 - 26);
    EXPECT_EQ(p.pageNum, 2);
    // A forced break on the last stave starts a new page without asking.
    score.stave(4).ForcedBk = true;
    p = placeAppendedSystem(score, 10000, ui);
    EXPECT_TRUE(p.proceed && p.newPage);
    EXPECT_EQ(p.pageNum, 3);
    EXPECT_EQ(ui.messages.size(), 2u);
    // Refused beyond 255 staves, before any question.
    Score full = makeScore(254);
    full.stave(253).joinToNext = true; // the last system: staves 253-254
    EXPECT_FALSE(placeAppendedSystem(full, 100, ui).proceed);
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[2].text, "Not enough staves available to complete this operation.");
    EXPECT_EQ(ui.messages[2].type, MessageType::Error);
    Score room = makeScore(253);
    room.stave(252).joinToNext = true;
    room.stave(253).ForcedBk = true;
    EXPECT_TRUE(placeAppendedSystem(room, 100, ui).proceed) << "exactly 255 staves";
}

TEST(CurrentStave, GoingToAPageMakesItsFirstStaveCurrentWithTheDragLimitsOfItsPage) {
    Score score = makeScore(5);
    setPages(score, {1, 1, 2, 2, 3});
    ScriptedUi ui;
    PageState state;
    state.pages = 3;
    goToPage(score, state, 2, ui);
    EXPECT_EQ(state.currentPage, 2);
    EXPECT_EQ(state.currentStave, 3);
    goToPage(score, state, 0, ui);
    goToPage(score, state, 4, ui);
    EXPECT_EQ(state.currentPage, 2);
    EXPECT_TRUE(ui.messages.empty());
    state.pages = 4; // out of step with the staves
    goToPage(score, state, 4, ui);
    EXPECT_TRUE(ui.saw("Problem with firststaveonpage 4"));
    EXPECT_EQ(state.currentStave, 3);
    // The drag limits stop at the neighbours on the same page.
    setPages(score, {1, 1, 1, 2, 2});
    Ints refreshed;
    score.hooks.refreshStatus = [&](Score&, int s) { refreshed.push_back(s); };
    state = PageState{};
    const int none = 2147483647;
    struct Case {
        int stave, competence;
        bool headerFooter;
        int upper, lower, page;
    };
    for (const Case c : {Case{1, Standard, false, -none, 88, 1}, Case{2, Standard, false, 40, 136, 1},
                         Case{3, Standard, false, 88, none, 1}, Case{4, Standard, false, -none, 232, 2},
                         Case{5, Standard, false, 184, none, 2}, Case{2, Beginner, false, 40, 136, 1},
                         Case{2, Advanced, false, -none, none, 1}, Case{2, Standard, true, -none, none, 1},
                         Case{9, Standard, false, 184, none, 2}}) {
        setCurrentStave(score, state, c.stave, c.competence, c.headerFooter);
        EXPECT_EQ(state.currentStave, std::min(c.stave, 5));
        EXPECT_EQ(state.drag.upper, c.upper) << "stave " << c.stave;
        EXPECT_EQ(state.drag.lower, c.lower) << "stave " << c.stave;
        EXPECT_EQ(state.currentPage, c.page) << "stave " << c.stave;
    }
    EXPECT_EQ(refreshed, (Ints{1, 2, 3, 4, 5, 2, 2, 2, 5}));
    setCurrentStave(score, state, 0, Standard, true);
    EXPECT_EQ(state.currentStave, 0) << "the header/footer stave";
}

} // namespace
} // namespace qv
