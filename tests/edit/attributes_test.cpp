// The attribute dialogs' models and their dispatcher: what each dialog opens on,
// what OK writes back for one object, and what a marked block's dialog changes.

#include "edit/attributes/clefattributes.h"
#include "edit/attributes/keysigattributes.h"
#include "edit/attributes/noteattributes.h"
#include "edit/attributes/showattributes.h"
#include "edit/attributes/singleattributes.h"
#include "edit/blockplacing.h"
#include "edit/eventrouting.h"
#include "edit/stavecommands.h"
#include "layout/tidystave.h"
#include "recordinghost.h"
#include "support/scorebuilder.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

struct Attributes : test::Session {
    Attributes() : Session(2) {
        installLayoutHooks(score);
        score.undo.open(10);
        settings.Level = Advanced;
        editor.mode = ModeMusic;
        editor.page.currentStave = 1;
        editor.page.currentPage = 1;
        editor.cursorX = 200;
    }
    Stave& stave() { return score.stave(1); }
    int ycoord() { return stave().Ycoord; }
    int add(const ScoreObject& o) { return test::append(stave(), o); }
    int note(int x, int position, int duration = 5) { return add(test::makeNote(x, position, duration, ycoord())); }
    ScoreObject& object(int i) { return stave().object(i); }
    void edit(int index) {
        SetMode(session, ModeEdit);
        editor.currentObject = index;
    }
    // Marks every object of stave 1 in the box and opens the kind's block dialog.
    bool alterBlock(ObjectKind kind, BlockBox box) {
        if (!markBox(score, editor.block, box, 1, ui)) return false;
        return blockAttributes(session, kind);
    }
};

TEST(ClefAttributes, ABlockOfTwoTypesOffersNoChangeAndKeepsBoth) {
    Attributes f;
    const int treble = f.add(test::makeClef(20, 0, f.ycoord()));
    const int bass = f.add(test::makeClef(300, 1, f.ycoord()));
    std::optional<ClefAttributes> seen;
    f.ui.clefScript = [&](ClefAttributes& a) {
        seen = a;
        a.size = 1; // "&Small"; the type stays "No change"
        return true;
    };
    ASSERT_TRUE(f.alterBlock(ObjectKind::Clef, {0, 0, 600, 200}));
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->type, NoChange);
    EXPECT_EQ(seen->size, 0) << "both are normal size";
    EXPECT_EQ(f.object(treble).clefType(), 0);
    EXPECT_EQ(f.object(bass).clefType(), 1);
    EXPECT_TRUE(f.object(treble).clefSmall() && f.object(bass).clefSmall());
    EXPECT_EQ(f.object(bass).symbolCode(), 6) << "the small bass clef's glyph";
    f.score.undo.undoStep(f.score, f.ui);
    EXPECT_FALSE(f.stave().object(treble).clefSmall() || f.stave().object(bass).clefSmall()) << "one undo";
}

TEST(ClefAttributes, AccidentalsTakeTypeAndSizeAndABlockOnlyTheSize) {
    ScoreObject acc = makeObject(ObjectKind::Accidental, 10, 10);
    acc.setAccValue(-1);
    ClefAttributes a = clefAttributesOf(acc);
    EXPECT_EQ(a.caption(), "Accidental attributes");
    EXPECT_EQ(a.type, 1);
    a.type = 4;
    a.size = 1;
    applyClefAttributes(acc, a);
    EXPECT_EQ(acc.accValue(), 2);
    EXPECT_TRUE(acc.accSmall());
    EXPECT_EQ(a.previewSymbol(), 47) << "no small double sharp: the normal glyph";
    a.type = 3;
    EXPECT_EQ(a.previewSymbol(), 122);
    ClefAttributes block = blockClefAttributes({acc}, true);
    EXPECT_FALSE(block.typeShown());
    block.type = 0;
    block.size = 0;
    applyClefAttributes(acc, block);
    EXPECT_EQ(acc.accValue(), 2) << "a block cannot change an accidental's type";
    EXPECT_FALSE(acc.accSmall());
}

TEST(KeysigAttributes, SevenSharpsOpenWithNoNumberAndCloseOnTheChoice) {
    Attributes f;
    ScoreObject key = makeObject(ObjectKind::KeySignature, 40, f.ycoord());
    key.setKeyCount(7);
    const int k = f.add(key);
    f.edit(k);
    f.ui.keysigScript = [](KeysigAttributes& a) {
        EXPECT_EQ(a.type, KeySharps);
        EXPECT_EQ(a.number, 0) << "seven is not offered";
        a.number = 6;
        return true;
    };
    f.type("?");
    EXPECT_EQ(f.object(k).keyCount(), 6);

    const struct {
        int type, number, count;
    } closes[] = {{KeyFlats, 3, -3}, {KeyNone, 5, 0}, {KeySharps, 1, 1}};
    for (const auto& c : closes) {
        KeysigAttributes a = keysigAttributesOf(-7);
        a.type = c.type;
        a.number = c.number;
        EXPECT_EQ(a.count(), c.count);
    }
    EXPECT_EQ(keyName(-7), "Cb major/Ab minor");
    EXPECT_EQ(keyName(3), "A major/F# minor");
}

TEST(SingleAttributes, BarLinesTimeSignaturesAndACurvesThicknessAlongItsPoints) {
    Attributes f;
    ScoreObject bar = makeObject(ObjectKind::Barline, 100, f.ycoord());
    const int b = f.add(bar);
    ScoreObject time = makeObject(ObjectKind::TimeSignature, 50, f.ycoord());
    const int t = f.add(time);
    f.edit(b);
    f.ui.singleScript = [](SingleAttributes& a) {
        a.item = a.kind == ObjectKind::Barline ? 3 : 2;
        return true;
    };
    f.type("?");
    EXPECT_EQ(f.object(b).barType(), 3);
    f.editor.currentObject = t;
    f.type("?");
    EXPECT_EQ(f.object(t).timeType(), 2);
    EXPECT_EQ(f.object(t).symbolCode(), 9);

    // Three points of one curve: the dialog on the middle one reaches both ends.
    std::array<int, 3> points{};
    for (int i = 0; i < 3; ++i) points[std::size_t(i)] = f.add(makeObject(ObjectKind::CurvePoint, 200 + 20 * i, 30));
    f.object(points[0]).setCurveNext(points[1]);
    f.object(points[1]).setCurvePrev(points[0]);
    f.object(points[1]).setCurveNext(points[2]);
    f.object(points[2]).setCurvePrev(points[1]);
    f.editor.openForEdit[1] = true;
    f.editor.currentObject = points[1];
    f.ui.singleScript = [](SingleAttributes& a) {
        EXPECT_EQ(a.caption(), "Line Thickness");
        a.item = 4;
        a.dotted = 1;
        return true;
    };
    f.type("?");
    for (int p : points) {
        EXPECT_EQ(f.object(p).curveThickness(), 4) << p;
        EXPECT_TRUE(f.object(p).curveDotted()) << p;
    }
}

TEST(NoteAttributes, StemChoicesStoreTheirCodesAndSetDefaultActsLikeOk) {
    Attributes f;
    f.key('C');
    ASSERT_TRUE(f.score.provisional.present);
    for (int stem : {int(StemAuto), int(StemNone)}) {
        f.ui.noteScript = [stem](NoteAttributes& a) {
            a.stem = stem;
            return true;
        };
        f.type("?");
        EXPECT_EQ(f.score.provisional.object.stem(), stem);
    }
    f.ui.noteScript = [](NoteAttributes& a) {
        a.duration = 6;
        a.dots = 2;
        a.setDefault = true;
        return true;
    };
    f.type("?");
    EXPECT_EQ(f.score.provisional.object.duration(), 6);
    EXPECT_EQ(f.score.provisional.object.dots(), 2);
    EXPECT_EQ(f.editor.defaultNote.duration(), 6) << "new notes take it from now on";
    // Cancelled: nothing changes.
    f.ui.noteScript = [](NoteAttributes& a) {
        a.duration = 0;
        return false;
    };
    f.type("?");
    EXPECT_EQ(f.score.provisional.object.duration(), 6);
}

TEST(NoteAttributes, BeamBackAndTiesAreLinkedAndCutBothWays) {
    Attributes f;
    const int first = f.note(100, 2);
    const int second = f.note(150, 2);
    f.edit(second);
    f.ui.noteScript = [](NoteAttributes& a) {
        EXPECT_EQ(a.beam, 0);
        a.beam = 1;
        a.tie = TieOverhand;
        return true;
    };
    f.type("?");
    EXPECT_EQ(f.object(second).beamBack(), first);
    EXPECT_EQ(f.object(first).beamForward(), second);
    EXPECT_EQ(f.object(second).tiedFrom(), first);
    EXPECT_EQ(f.object(first).tiedTo(), second);
    EXPECT_TRUE(f.object(second).tieOverhand());
    f.ui.noteScript = [](NoteAttributes& a) {
        EXPECT_EQ(a.beam, 1);
        EXPECT_EQ(a.tie, TieOverhand);
        a.beam = 0;
        a.tie = TieNone;
        return true;
    };
    f.type("?");
    EXPECT_EQ(f.object(second).beamBack(), 0);
    EXPECT_EQ(f.object(first).beamForward(), 0);
    EXPECT_EQ(f.object(second).tiedFrom(), 0);
    EXPECT_EQ(f.object(first).tiedTo(), 0);
    // A crotchet cannot stay beamed.
    f.ui.noteScript = [](NoteAttributes& a) {
        a.beam = 1;
        return true;
    };
    f.type("?");
    ASSERT_EQ(f.object(second).beamBack(), first);
    f.ui.noteScript = [](NoteAttributes& a) {
        a.duration = 3;
        return true;
    };
    f.type("?");
    EXPECT_EQ(f.object(second).beamBack(), 0);
    EXPECT_EQ(f.object(first).beamForward(), 0);
}

TEST(NoteAttributes, ABlockChangesOnlyItsMarkedNotesAndBeamsThemTogetherByStem) {
    Attributes f;
    const int outside = f.note(20, 0);
    const int up1 = f.note(100, -2);
    const int rest = f.add(test::makeRest(120, 5));
    const int up2 = f.note(140, -3);
    const int down = f.note(160, 4);
    f.object(down).setStem(StemDown);
    f.object(up2).setAccent(true);
    f.object(down).setHeadStyle(1);
    std::optional<NoteAttributes> seen;
    f.ui.noteScript = [&](NoteAttributes& a) {
        seen = a;
        a.dots = 1;
        a.beam = 1;
        return true;
    };
    ASSERT_TRUE(f.alterBlock(ObjectKind::Note, {90, 0, 200, 200}));
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->duration, 5);
    EXPECT_EQ(seen->accent, NoChange);
    EXPECT_EQ(seen->stem, NoChange);
    EXPECT_TRUE(seen->manyStyles);
    EXPECT_EQ(seen->beam, NoChange) << "Beam together starts grey";
    for (int n : {up1, up2, down}) EXPECT_EQ(f.object(n).dots(), 1) << n;
    EXPECT_EQ(f.object(outside).dots(), 0);
    EXPECT_EQ(f.object(rest).dots(), 0) << "rests are left alone";
    EXPECT_TRUE(f.object(up2).accent()) << "No change keeps each note's accent";
    EXPECT_EQ(f.object(down).headStyle(), 1) << "many source styles are not changed";
    EXPECT_EQ(f.object(up2).beamBack(), up1);
    EXPECT_EQ(f.object(up1).beamForward(), up2);
    EXPECT_EQ(f.object(down).beamBack(), 0) << "stems down are chained apart";
    f.ui.noteScript = [](NoteAttributes& a) {
        a.beam = 0;
        return true;
    };
    ASSERT_TRUE(f.alterBlock(ObjectKind::Note, {90, 0, 200, 200}));
    EXPECT_EQ(f.object(up2).beamBack(), 0);
    EXPECT_EQ(f.object(up1).beamForward(), 0);
}

TEST(ShowAttributes, MusicModeWithoutAProvisionalObjectOpensTheStavesDialog) {
    Attributes f;
    int opened = 0;
    f.ui.bindingScript = [&](BindingDialog&) {
        ++opened;
        return false;
    };
    f.type("?");
    EXPECT_EQ(opened, 1);
}

} // namespace
} // namespace qv
