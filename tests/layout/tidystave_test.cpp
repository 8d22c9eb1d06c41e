// Tidying a stave: dead objects dropped, order, links checked and renumbered; and
// over many random staves, the promises every other routine relies on.

#include "layout/tidystave.h"
#include "model/staveops.h"
#include "support/randomscore.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <random>

namespace qv {
namespace {

using test::append;
using test::makeNote;

Stave wideStave() {
    Stave s;
    s.LeftX = 0;
    s.RightX = 600;
    return s;
}

void beam(Stave& s, int a, int b) {
    s.object(a).setBeamForward(b);
    s.object(b).setBeamBack(a);
}

void tie(Stave& s, int a, int b) {
    s.object(a).setTiedTo(b);
    s.object(b).setTiedFrom(a);
}

TEST(TidyStave, SortsByXWithAccidentalsFirstThenYThenTextAndOtherwiseKeepsTheOrder) {
    Stave s = wideStave();
    append(s, makeNote(50, 0));                               // 1
    append(s, test::makeShortText(50, 10, 1, "b"));           // 2
    ScoreObject acc = makeObject(ObjectKind::Accidental, 50, 40);
    append(s, acc);                                           // 3
    append(s, test::makeShortText(50, 10, 1, "ab"));          // 4
    append(s, test::makeShortText(50, 10, 1, "a"));           // 5
    append(s, test::makeClef(5, 0));                          // 6
    TidyStave(s);
    ASSERT_EQ(s.Nobjec, 6);
    EXPECT_TRUE(s.object(1).is(ObjectKind::Clef));
    EXPECT_TRUE(s.object(2).is(ObjectKind::Accidental)) << "an accidental precedes the note at its x";
    EXPECT_EQ(s.object(3).y(), 0) << "then from the top down";
    EXPECT_EQ(s.object(4).shortText(), "a") << "equal x and y: by text, shorter first";
    EXPECT_EQ(s.object(5).shortText(), "ab");
    EXPECT_EQ(s.object(6).shortText(), "b");
    Stave equal = wideStave(); // objects that compare equal keep their order
    for (int i = 0; i < 5; ++i) {
        ScoreObject line = makeObject(ObjectKind::Line, 30, 30);
        line.setLineThickness(i + 1); // not part of the order
        append(equal, line);
    }
    append(equal, makeObject(ObjectKind::Line, 10, 30));
    TidyStave(equal);
    EXPECT_EQ(equal.object(1).x(), 10);
    for (int i = 2; i <= 6; ++i) EXPECT_EQ(equal.object(i).lineThickness(), i - 1);
}

TEST(TidyStave, WhatCannotStayGoesAndItsPartnersLetGo) {
    Stave s = wideStave();
    append(s, makeNote(10, 0, 4));
    append(s, makeNote(20, 0, 4));
    append(s, makeNote(30, 0, 4));
    append(s, makeNote(40, 0, 4));
    beam(s, 1, 2);
    beam(s, 2, 3);
    tie(s, 3, 4);
    s.object(3).setX(700); // dragged beyond RightX
    TidyStave(s);
    ASSERT_EQ(s.Nobjec, 3);
    EXPECT_EQ(s.object(2).beamForward(), 0);
    EXPECT_EQ(s.object(3).x(), 40);
    EXPECT_EQ(s.object(3).tiedFrom(), 0);
    EXPECT_EQ(s.object(1).beamForward(), 2);
    EXPECT_EQ(s.object(2).beamBack(), 1);
    Stave dead = wideStave(); // deleted, far left, tie links and lonely curve points go
    append(dead, makeObject(ObjectKind::Line, -101, 0));
    append(dead, makeObject(ObjectKind::Line, -100, 0)); // stays
    append(dead, makeObject(ObjectKind::Deleted, 5, 0));
    append(dead, makeObject(ObjectKind::TieLink, 6, 0));
    append(dead, makeObject(ObjectKind::CurvePoint, 7, 0));
    TidyStave(dead);
    ASSERT_EQ(dead.Nobjec, 1);
    EXPECT_EQ(dead.object(1).x(), -100);
    EXPECT_EQ(dead.object(2), ScoreObject{}) << "slots past the last object are cleared";
}

TEST(TidyStave, LinksAreCheckedAndFollowTheirObjectsWhenSorted) {
    Stave s = wideStave();
    append(s, makeNote(90, 0, 4)); // 1
    append(s, makeNote(10, 0, 4)); // 2
    append(s, makeNote(50, 0, 4)); // 3
    beam(s, 2, 3);
    beam(s, 3, 1);
    s.object(2).setTiedTo(3); // one-sided: 3 does not tie back
    s.object(1).setTiedFrom(250); // past any object
    TidyStave(s);
    // Sorted 10, 50, 90: the beam chain now runs 1 -> 2 -> 3.
    EXPECT_EQ(s.object(1).beamForward(), 2);
    EXPECT_EQ(s.object(2).beamBack(), 1);
    EXPECT_EQ(s.object(2).beamForward(), 3);
    EXPECT_EQ(s.object(3).beamBack(), 2);
    EXPECT_EQ(s.object(1).tiedTo(), 0);
    EXPECT_EQ(s.object(3).tiedFrom(), 0);
}

TEST(TidyStave, ATextChainGoesOnOnlyFromAFullChunk) {
    Stave s = wideStave();
    test::ScriptedUi ui;
    const int head = append(s, test::makeTextHead(80, 20, 1, ""));
    ASSERT_TRUE(storeLongText(s, head, "Tempo di minuetto", TextStoreContext::EditingText, ui));
    TidyStave(s);
    ASSERT_EQ(s.Nobjec, 2);
    const int newHead = s.object(1).isContinuation() ? 2 : 1;
    EXPECT_EQ(longTextOf(s, newHead), "Tempo di minuetto") << "the chain survives the sort";
    s.object(newHead).setChunkText("Tempo"); // the head is no longer full
    TidyStave(s);
    ASSERT_EQ(s.Nobjec, 1);
    EXPECT_EQ(longTextOf(s, 1), "Tempo");
}

TEST(StaveChanged, AddingAnObjectTidiesMeasuresAndRefreshes) {
    Score score = test::makeScore(1);
    installLayoutHooks(score);
    int refreshed = 0;
    score.hooks.refreshStatus = [&](Score&, int stave) { refreshed += stave; };
    test::ScriptedUi ui;
    ASSERT_TRUE(addObject(score, 1, makeNote(200, 0), ui));
    ScoreObject high = makeNote(100, 20, 3, score.stave(1).Ycoord);
    high.setStem(StemUp);
    ASSERT_TRUE(addObject(score, 1, high, ui));
    const Stave& s = score.stave(1);
    EXPECT_EQ(s.object(1).x(), 100) << "sorted on adding";
    EXPECT_LE(s.MinY, s.Ycoord - 80) << "the high note raised the top extent";
    EXPECT_EQ(refreshed, 2);
    score.undo.open(10);
    score.modified = false;
    SortStave(score, 1);
    EXPECT_EQ(score.undo.live(), 1);
    EXPECT_TRUE(score.modified);
}

// A valid stave, then the kinds of damage editing and files can do to one.
Stave damagedStave(std::mt19937& rng) {
    test::RandomScoreOptions options;
    options.minStaves = options.maxStaves = 1;
    options.maxObjectsPerStave = 249;
    Score score = test::randomScore(rng, options);
    Stave s = score.stave(1);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const int damage = pick(0, 12);
    for (int k = 0; k < damage && s.Nobjec > 0; ++k) {
        const int i = pick(1, s.Nobjec);
        switch (pick(0, 4)) {
        case 0: deleteObject(s, i); break;
        case 1: s.object(i).setX(pick(-150, 800)); break;
        case 2: s.object(i).setU8(pick(7, 16), pick(0, 255)); break;
        case 3: s.object(i).setKind(ObjectKind::Deleted); break;
        case 4: s.object(i).setY(pick(-50, 400)); break;
        }
    }
    return s;
}

// Every link names an object on the stave, and the object answers it.
void expectLinksHold(const Stave& s) {
    for (int i = 1; i <= s.Nobjec; ++i) {
        const ScoreObject& o = s.object(i);
        auto pointsBack = [&](int j, int backByte) {
            ASSERT_LE(j, s.Nobjec) << "object " << i;
            if (j != 0) {
                EXPECT_EQ(s.object(j).u8(backByte), i) << "object " << i << " -> " << j;
            }
        };
        if (o.is(ObjectKind::Note)) {
            pointsBack(o.beamForward(), 10);
            pointsBack(o.beamBack(), 11);
            pointsBack(o.tiedTo(), 15);
            pointsBack(o.tiedFrom(), 16);
        } else if (o.is(ObjectKind::CurvePoint)) {
            pointsBack(o.curveNext(), 8);
            pointsBack(o.curvePrev(), 7);
        } else if (o.is(ObjectKind::LongText)) {
            EXPECT_LE(o.textNext(), s.Nobjec);
        }
    }
}

TEST(TidyStaveProperties, OrderedSymmetricInsideAndSettled) {
    std::mt19937 rng(20261206);
    for (int round = 0; round < 300; ++round) {
        Stave s = damagedStave(rng);
        TidyStave(s);
        for (int i = 2; i <= s.Nobjec; ++i) {
            const ScoreObject &a = s.object(i - 1), &b = s.object(i);
            ASSERT_LE(a.x(), b.x()) << "round " << round << " at " << i;
            if (a.x() != b.x()) continue;
            ASSERT_FALSE(b.is(ObjectKind::Accidental) && !a.is(ObjectKind::Accidental)) << "round " << round;
            if (a.is(ObjectKind::Accidental) == b.is(ObjectKind::Accidental)) {
                ASSERT_LE(a.y(), b.y()) << "round " << round << " at " << i;
            }
        }
        expectLinksHold(s);
        for (int i = 1; i <= s.Nobjec; ++i) {
            ASSERT_FALSE(s.object(i).is(ObjectKind::Deleted));
            ASSERT_GE(s.object(i).x(), -100);
        }
        const Stave once = s;
        TidyStave(s);
        ASSERT_TRUE(s == once) << "tidying a tidy stave changes nothing (round " << round << ")";
        if (HasFatalFailure() || HasNonfatalFailure()) return;
    }
}

} // namespace
} // namespace qv
