// Adding and deleting objects with their link repairs, ties, long texts, curve
// point collection, the clef in force and the effective stem.

#include "model/staveops.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace {

using test::append;
using test::makeNote;
using test::ScriptedUi;

TEST(AddObject, RefusesThe250thObjectAndRecordsTheStaveBeforeAChange) {
    Score score = test::makeScore(2);
    score.undo.open(300);
    std::vector<std::string> calls;
    score.hooks.staveChanged = [&](Score& s, int stave) {
        calls.push_back("changed " + std::to_string(stave) + " n=" + std::to_string(s.stave(stave).Nobjec));
    };
    ScriptedUi ui;
    ASSERT_TRUE(addObject(score, 2, makeNote(10, 0), ui));
    EXPECT_EQ(calls, (std::vector<std::string>{"changed 2 n=1"}));
    EXPECT_EQ(score.undo.live(), 1);
    EXPECT_TRUE(score.modified);
    EXPECT_EQ(score.stave(2).object(1).x(), 10);
    for (int i = 2; i <= MaxObjects; ++i) ASSERT_TRUE(addObject(score, 2, makeNote(10 + i, 0), ui));
    EXPECT_EQ(score.stave(2).Nobjec, 249);
    EXPECT_TRUE(ui.messages.empty());
    calls.clear();
    score.modified = false;
    EXPECT_FALSE(addObject(score, 2, makeNote(999, 0), ui));
    EXPECT_EQ(score.stave(2).Nobjec, 249);
    EXPECT_TRUE(ui.saw("Stave too complex to add this object"));
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(score.undo.live(), 249) << "a refused object records no undo step";
    EXPECT_FALSE(score.modified);
    EXPECT_EQ(score.undo.undoStep(score, ui), 2);
    EXPECT_EQ(score.stave(2).Nobjec, 248) << "the last addition taken back";
}

// Three notes beamed 1-2-3.
Stave beamedThree() {
    Stave s;
    for (int i = 0; i < 3; ++i) append(s, makeNote(10 * (i + 1), 0, 4));
    s.object(1).setBeamForward(2);
    s.object(2).setBeamBack(1);
    s.object(2).setBeamForward(3);
    s.object(3).setBeamBack(2);
    return s;
}

// Deleting repairs every link into the slot: beam neighbours join, ties are let go
// from both sides (also through a tie link object), a text head takes its chunks,
// curve points close up, and links out of the stave or looping are survived.
TEST(DeleteObject, RepairsTheLinksIntoTheDeletedSlot) {
    Stave s = beamedThree();
    deleteObject(s, 2);
    EXPECT_EQ(s.object(2).kind(), ObjectKind::Deleted);
    EXPECT_EQ(s.object(1).beamForward(), 3);
    EXPECT_EQ(s.object(3).beamBack(), 1);
    Stave end = beamedThree();
    deleteObject(end, 3);
    EXPECT_EQ(end.object(2).beamForward(), 0);
    EXPECT_EQ(end.object(1).beamForward(), 2);
    Stave tied;
    for (int x : {10, 20, 30}) append(tied, makeNote(x, 2));
    ASSERT_EQ(makeTie(tied, 2, true), 1);
    ASSERT_EQ(makeTie(tied, 3, true), 2);
    deleteObject(tied, 2);
    EXPECT_EQ(tied.object(1).tiedTo(), 0);
    EXPECT_EQ(tied.object(3).tiedFrom(), 0) << "the next note must not keep a tie to a deleted slot";
    ScoreObject link = makeObject(ObjectKind::TieLink);
    link.setTieFirst(1);
    link.setTieSecond(3);
    tied.object(1).setTiedTo(3);
    tied.object(3).setTiedFrom(1);
    deleteObject(tied, append(tied, link));
    EXPECT_EQ(tied.object(1).tiedTo(), 0);
    EXPECT_EQ(tied.object(3).tiedFrom(), 0);
    Stave text;
    ScriptedUi ui;
    const int head = append(text, test::makeTextHead(5, 5, 1, ""));
    append(text, makeNote(50, 0)); // an unrelated object between chunks
    ASSERT_TRUE(storeLongText(text, head, "Allegro ma non troppo e cantabile", TextStoreContext::EditingText, ui));
    ASSERT_EQ(text.Nobjec, 2 + 3);
    deleteObject(text, head);
    for (int i : {1, 3, 4, 5}) EXPECT_EQ(text.object(i).kind(), ObjectKind::Deleted) << i;
    EXPECT_EQ(text.object(2).kind(), ObjectKind::Note);
    Stave c;
    CurveCollector curve;
    for (int x : {10, 30, 50}) ASSERT_EQ(curve.add(x, 0, c.Nobjec, ui), CurveCollector::Result::Added);
    ASSERT_TRUE(curve.store(c, 1, false));
    deleteObject(c, 2);
    EXPECT_EQ(c.object(1).curveNext(), 3);
    EXPECT_EQ(c.object(3).curvePrev(), 1);
    Stave outside;
    append(outside, makeNote(10, 0));
    outside.object(1).setBeamBack(255);
    outside.object(1).setBeamForward(251);
    outside.object(1).setTiedFrom(252);
    deleteObject(outside, 1);
    EXPECT_EQ(outside.object(1).kind(), ObjectKind::Deleted);
    Stave loop;
    const int a = append(loop, test::makeTextHead(0, 0, 1, "a"));
    const int b = append(loop, test::makeTextHead(0, 0, 1, "b", TextContinuation));
    loop.object(a).setTextNext(b);
    loop.object(b).setTextNext(b); // a damaged chain that loops
    deleteObject(loop, a);
    EXPECT_EQ(loop.object(b).kind(), ObjectKind::Deleted);
}

TEST(MakeTie, FindsTheNearestEarlierNoteAtThePitch) {
    Stave s;
    append(s, makeNote(10, 3));
    append(s, makeNote(20, 3));
    append(s, makeNote(25, 2)); // another pitch
    ScoreObject rest = makeNote(28, 3);
    rest.setRest(true);
    append(s, rest);
    append(s, makeNote(40, 3));
    append(s, makeNote(60, 3)); // later: never a partner of the note at 40
    EXPECT_EQ(makeTie(s, 5, false), 2);
    EXPECT_EQ(s.object(2).tiedTo(), 5);
    EXPECT_EQ(s.object(5).tiedFrom(), 2);
    EXPECT_FALSE(s.object(5).tieOverhand());
    EXPECT_EQ(makeTie(s, 1, true), 0) << "nothing earlier at that pitch";
    EXPECT_EQ(s.object(1).tiedFrom(), 0);
    removeTie(s, 5);
    EXPECT_EQ(s.object(2).tiedTo(), 0);
    EXPECT_EQ(s.object(5).tiedFrom(), 0);
}

TEST(StoreLongText, CutsIntoTenCharacterChunksInLinkOrder) {
    Stave s;
    ScriptedUi ui;
    const int head = append(s, test::makeTextHead(100, 20, 3, "", TextTransposable | TextBoxed));
    const std::string text = "Cm7/Bb  then G7sus4 (ad lib.)";
    ASSERT_TRUE(storeLongText(s, head, text, TextStoreContext::CompletingTextMode, ui));
    EXPECT_EQ(s.Nobjec, 3);
    EXPECT_EQ(longTextOf(s, head), text);
    for (int i = 2; i <= 3; ++i) {
        const ScoreObject& c = s.object(i);
        EXPECT_EQ(c.kind(), ObjectKind::LongText);
        EXPECT_EQ(c.x(), 0);
        EXPECT_EQ(c.y(), 0);
        EXPECT_EQ(c.fontNumber(), 3);
        EXPECT_EQ(c.textAttributes(), TextTransposable | TextBoxed | TextContinuation);
    }
    EXPECT_EQ(s.object(3).textNext(), 0);
    // Storing a shorter wording drops the chunks of the old one.
    ASSERT_TRUE(storeLongText(s, head, "Fine", TextStoreContext::EditingText, ui));
    EXPECT_EQ(longTextOf(s, head), "Fine");
    EXPECT_EQ(s.object(2).kind(), ObjectKind::Deleted);
    EXPECT_EQ(s.object(3).kind(), ObjectKind::Deleted);
    EXPECT_TRUE(ui.messages.empty());
    for (auto context : {TextStoreContext::EditingText, TextStoreContext::CompletingTextMode}) {
        Stave full; // a full stave keeps what fits and says which message
        for (int i = 0; i < 247; ++i) append(full, makeNote(i, 0));
        const int at = append(full, test::makeTextHead(300, 0, 1, ""));
        EXPECT_FALSE(storeLongText(full, at, std::string(35, 'x'), context, ui));
        EXPECT_EQ(full.Nobjec, 249);
        EXPECT_EQ(longTextOf(full, at), std::string(20, 'x'));
        EXPECT_EQ(ui.lastText(), context == TextStoreContext::EditingText
                                     ? "Stave too complex to store long string"
                                     : "Stave too complex to save all the text.");
    }
}

TEST(CurveCollector, IgnoresCrowdedPointsStoresInOrderOfXAndRefusesTooMany) {
    ScriptedUi ui;
    CurveCollector c;
    using R = CurveCollector::Result;
    EXPECT_EQ(c.add(50, 10, 0, ui), R::Added);
    EXPECT_EQ(c.add(51, 40, 0, ui), R::Ignored) << "less than 2 across";
    EXPECT_EQ(c.add(53, 13, 0, ui), R::Ignored) << "less than 4 both ways";
    EXPECT_EQ(c.add(53, 14, 0, ui), R::Added) << "4 down is far enough";
    EXPECT_EQ(c.add(10, 0, 0, ui), R::Added);
    EXPECT_TRUE(ui.messages.empty());
    Stave s;
    append(s, makeNote(0, 0));
    ASSERT_TRUE(c.store(s, 2, true));
    ASSERT_EQ(s.Nobjec, 4);
    EXPECT_EQ((std::vector<int>{s.object(2).x(), s.object(3).x(), s.object(4).x()}), (std::vector<int>{10, 50, 53}));
    EXPECT_EQ((std::vector<int>{s.object(2).curvePrev(), s.object(2).curveNext(), s.object(3).curvePrev(),
                                s.object(4).curveNext()}),
              (std::vector<int>{0, 3, 2, 0}));
    EXPECT_TRUE(s.object(3).curveDotted());
    EXPECT_EQ(s.object(4).curveThickness(), 2);
    CurveCollector full; // the 101st point is refused, and points the stave cannot hold
    for (int i = 0; i < 100; ++i) ASSERT_EQ(full.add(i * 5, 0, 0, ui), CurveCollector::Result::Added);
    EXPECT_EQ(full.add(1000, 0, 0, ui), CurveCollector::Result::Refused);
    EXPECT_TRUE(ui.saw("Too many points in curve"));
    CurveCollector nearlyFull;
    ScriptedUi ui2;
    EXPECT_EQ(nearlyFull.add(0, 0, 246, ui2), CurveCollector::Result::Added);  // 1 + 246 = 247
    EXPECT_EQ(nearlyFull.add(10, 0, 246, ui2), CurveCollector::Result::Added); // 248
    EXPECT_EQ(nearlyFull.add(20, 0, 246, ui2), CurveCollector::Result::Refused) << "would reach 249";
}

TEST(ClefInForce, IsTheLastClefBeforeXAndAutomaticStemsPointDownAboveTheMiddle) {
    Stave s;
    EXPECT_EQ(clefInForce(s, 100), NoClef);
    EXPECT_EQ(clefInForceOrTreble(s, 100), 0);
    append(s, test::makeClef(5, 1));
    append(s, makeNote(20, 0));
    append(s, test::makeClef(40, 2));
    append(s, makeNote(60, 0));
    for (const auto& [x, clef] : {std::pair{5, NoClef}, {6, 1}, {40, 1}, {41, 2}, {1000, 2}})
        EXPECT_EQ(clefInForce(s, x), clef) << "x " << x << " (a clef at x itself is not before x)";
    ScoreObject n = makeNote(0, 1);
    EXPECT_EQ(effectiveStem(n), StemDown);
    n.setStaffPosition(0);
    EXPECT_EQ(effectiveStem(n), StemUp);
    n.setStem(StemDown);
    EXPECT_EQ(effectiveStem(n), StemDown) << "a chosen stem is kept";
}

TEST(Score, StaveCountAllocatesAndFreesRecords) {
    Score score;
    EXPECT_TRUE(score.stave(0).invisible);
    score.setStaveCount(3);
    EXPECT_TRUE(score.hasStave(3));
    EXPECT_FALSE(score.hasStave(4));
    EXPECT_EQ(score.stave(3).staveNumber, 3);
    score.setStaveCount(1);
    EXPECT_FALSE(score.hasStave(2));
    EXPECT_EQ(score.Nstaves, 1);
}

} // namespace
} // namespace qv
