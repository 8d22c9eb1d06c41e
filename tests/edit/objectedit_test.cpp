// Edit mode's keys on each kind of object, its steps along the stave and its deletions
// with the links around the deleted object repaired.

#include "edit/currentobject.h"
#include "edit/eventrouting.h"
#include "edit/objectedit.h"
#include "edit/musicentry.h"
#include "layout/tidystave.h"
#include "render/glyphcatalogue.h"
#include "recordinghost.h"
#include "support/scorebuilder.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// Stave 1 (middle line at y 40) open in Edit mode at the advanced level.
struct Editing : test::Session {
    Editing() : Session(2) {
        installLayoutHooks(score);
        score.undo.open(10);
        settings.Level = Advanced;
        editor.mode = ModeMusic;
        editor.page.currentStave = 1;
    }
    Stave& stave() { return score.stave(1); }
    int add(const ScoreObject& o) { return test::append(stave(), o); }
    ScoreObject& object(int i) { return stave().object(i); }
    void edit(int index) {
        SetMode(session, ModeEdit);
        editor.currentObject = index;
    }
};

TEST(EditKeys, EachKindCyclesItsOwnValuesAndIgnoresTheOthers) {
    Editing f;
    const int key = f.add(makeObject(ObjectKind::KeySignature, 30, 40));
    const int bar = f.add(makeObject(ObjectKind::Barline, 60, 40));
    const int acc = f.add(makeObject(ObjectKind::Accidental, 80, 40));
    const int clef = f.add(makeObject(ObjectKind::Clef, 10, 40));
    const int arp = f.add(makeObject(ObjectKind::Arpeggio, 90, 48));
    f.object(key).setKeyCount(7);
    f.object(arp).setSegments(1);
    f.edit(key);
    f.key('K', ModShift);
    EXPECT_EQ(f.object(key).keyCount(), -7) << "+8 wraps to -7";
    f.key('K');
    EXPECT_EQ(f.object(key).keyCount(), 7) << "-8 wraps to +7";
    f.type("1s.T~");
    EXPECT_EQ(f.object(key).keyCount(), 7) << "keys of other kinds change nothing";
    f.editor.currentObject = bar;
    f.type("//////");
    EXPECT_EQ(f.object(bar).barType(), 0) << "six steps come round to the plain bar line";
    f.editor.currentObject = acc;
    std::vector<int> values;
    for (int i = 0; i < 5; ++i) f.type("#"), values.push_back(f.object(acc).accValue());
    EXPECT_EQ(values, (std::vector<int>{1, -1, -2, 2, 0}));
    f.key('G');
    EXPECT_EQ(f.object(acc).accPosition(), -2) << "G in the treble clef";
    EXPECT_EQ(f.object(acc).y(), 48);
    f.editor.currentObject = clef;
    f.type("\x11\x11\x11\x11");
    EXPECT_EQ(f.object(clef).clefType(), 0) << "four types with the C clefs";
    f.editor.currentObject = arp;
    f.key(KeyBackspace);
    EXPECT_EQ(f.object(arp).segments(), 1) << "never fewer than one segment";
    f.type("~~");
    EXPECT_EQ(f.object(arp).segments(), 3);
    f.key(KeyDown, ModCtrl);
    EXPECT_EQ(f.object(arp).y(), 53) << "a free object moves by the large step";
}

TEST(EditKeys, TiesGoToTheNearestEarlierMatchingNoteAndComeOffAgain) {
    Editing f;
    const int far = f.add(test::makeNote(20, 2, 3, 40));
    const int near = f.add(test::makeNote(50, 2, 3, 40));
    const int other = f.add(test::makeNote(60, 4, 3, 40));
    const int current = f.add(test::makeNote(90, 2, 3, 40));
    f.edit(other);
    f.type("T");
    EXPECT_EQ(f.object(other).tiedFrom(), 0) << "no earlier note at position 4";
    f.editor.currentObject = current;
    f.type("t");
    EXPECT_EQ(f.object(current).tiedFrom(), near);
    EXPECT_EQ(f.object(near).tiedTo(), current);
    EXPECT_FALSE(f.object(current).tieOverhand());
    f.type("T");
    EXPECT_EQ(f.object(current).tiedFrom(), 0);
    EXPECT_EQ(f.object(near).tiedTo(), 0);
    EXPECT_EQ(f.object(far).tiedTo(), 0);
    f.type("..");
    EXPECT_EQ(f.object(current).dots(), 2);
    f.type("..");
    EXPECT_EQ(f.object(current).dots(), 0) << "after three dots none";
    std::vector<int> staccato;
    for (int i = 0; i < 3; ++i) f.type("'"), staccato.push_back(f.object(current).staccato());
    EXPECT_EQ(staccato, (std::vector<int>{1, 2, 0}));
    f.type("-");
    EXPECT_TRUE(f.object(current).accent());
    f.host.take();
    f.type("0");
    EXPECT_EQ(f.object(current).headStyle(), 1);
    EXPECT_EQ(f.object(current).symbolCode(), NoteGlyphTable(3, StemAuto, 1)) << "the glyph follows the style";
    EXPECT_EQ(f.host.take(), "mark off; mark on") << "the change is drawn";
}

TEST(EditKeys, BackspaceBeamsAShortNoteBackToItsPartnerOrSaysThereIsNone) {
    Editing f;
    const int lone = f.add(test::makeNote(20, 0, 4, 40));
    const int crotchet = f.add(test::makeNote(40, 0, 3, 40));
    const int quaver = f.add(test::makeNote(60, 0, 4, 40));
    f.edit(lone);
    f.key(KeyBackspace);
    EXPECT_EQ(f.ui.lastText(), NoBeamPartnerMessage);
    f.editor.currentObject = crotchet;
    f.key(KeyBackspace);
    EXPECT_EQ(f.ui.messages.size(), 1u) << "a crotchet is never beamed";
    f.editor.currentObject = quaver;
    f.key(KeyBackspace);
    EXPECT_EQ(f.object(quaver).beamBack(), lone);
    EXPECT_EQ(f.object(lone).beamForward(), quaver);
    f.key(KeyBackspace);
    EXPECT_EQ(f.object(quaver).beamBack() + f.object(lone).beamForward(), 0) << "a second press unbeams";
}

TEST(EditSteps, StepsSkipWhatCannotBeCurrentAndStopAtTheEnds) {
    Editing f;
    const int note = f.add(test::makeNote(20, 0, 3, 40));
    f.add(makeObject(ObjectKind::Deleted, 30, 40));
    ScoreObject chunk = makeObject(ObjectKind::LongText, 0, 0);
    chunk.setTextAttributes(TextContinuation);
    f.add(chunk);
    const int last = f.add(makeObject(ObjectKind::Symbol, 60, 30));
    f.edit(note);
    f.key(KeyRight, ModAlt);
    EXPECT_EQ(f.editor.currentObject, last);
    EXPECT_FALSE(f.host.tools.sbright.enabled);
    f.key(KeyRight, ModAlt);
    EXPECT_EQ(f.editor.currentObject, last) << "nothing after the last";
    EXPECT_TRUE(f.host.tools.sbLeft.enabled);
    f.key(KeyLeft, ModAlt);
    EXPECT_EQ(f.editor.currentObject, note);
}

TEST(EditDelete, DeletingRepairsBeamsTiesCurvesAndTakesTextChunksAlong) {
    Editing f;
    const int a = f.add(test::makeNote(20, 0, 4, 40)), b = f.add(test::makeNote(40, 0, 4, 40)),
              c = f.add(test::makeNote(60, 0, 4, 40));
    f.object(a).setBeamForward(b), f.object(b).setBeamBack(a), f.object(b).setBeamForward(c), f.object(c).setBeamBack(b);
    f.object(b).setTiedFrom(a), f.object(a).setTiedTo(b), f.object(c).setTiedFrom(b), f.object(b).setTiedTo(c);
    const int p1 = f.add(makeObject(ObjectKind::CurvePoint, 100, 20)), p2 = f.add(makeObject(ObjectKind::CurvePoint, 120, 16)),
              p3 = f.add(makeObject(ObjectKind::CurvePoint, 140, 20));
    f.object(p1).setCurveNext(p2), f.object(p2).setCurvePrev(p1), f.object(p2).setCurveNext(p3), f.object(p3).setCurvePrev(p2);
    const int head = f.add(test::makeTextHead(200, 60, 1, "abcdefghij"));
    ScoreObject chunk = makeObject(ObjectKind::LongText, 0, 0);
    chunk.setTextAttributes(TextContinuation);
    chunk.setChunkText("klm");
    const int tail = f.add(chunk);
    f.object(head).setTextNext(tail);
    f.edit(b);
    f.key(KeyDelete);
    EXPECT_TRUE(f.object(b).is(ObjectKind::Deleted));
    EXPECT_EQ(f.object(a).beamForward(), c);
    EXPECT_EQ(f.object(c).beamBack(), a);
    EXPECT_EQ(f.object(a).tiedTo() + f.object(c).tiedFrom(), 0) << "no tie to or from a deleted note";
    f.editor.currentObject = p2;
    f.key(KeyDelete);
    EXPECT_EQ(f.object(p1).curveNext(), p3);
    EXPECT_EQ(f.object(p3).curvePrev(), p1);
    f.editor.currentObject = head;
    f.key(KeyDelete);
    EXPECT_TRUE(f.object(tail).is(ObjectKind::Deleted)) << "the text goes whole";
    EXPECT_EQ(f.editor.mode, ModeEdit);

    Editing beginner;
    beginner.settings.Level = 1;
    const int only = beginner.add(test::makeNote(20, 0, 3, 40));
    beginner.edit(only);
    beginner.ui.buttonAnswers = {ButtonCancel};
    beginner.key(KeyDelete);
    EXPECT_EQ(beginner.ui.lastText(), DeleteObjectQuestion);
    EXPECT_TRUE(beginner.object(only).is(ObjectKind::Note)) << "Cancel keeps it";
    beginner.editor.currentObject = 0;
    beginner.key(KeyDelete);
    EXPECT_EQ(beginner.ui.lastText(), NoObjectSelectedMessage);
}

} // namespace
} // namespace qv
