// Edit mode on the real score window: objects picked and moved with the mouse and the
// arrows, changed with keys, deleted, and the edit finished or abandoned, with what the
// page shows checked after.

#include "edit/objectedit.h"
#include "render/drawcontext.h"
#include "render/glyphcatalogue.h"

#include "windowfixture.h"

#include <QTest>

#include <gtest/gtest.h>

namespace qv {
namespace {

// Three quavers at x 100, 140 and 180 on stave 1 (positions 0, 2, 4), beamed in one chain.
void beamedQuavers(Score& score) {
    Stave& s = score.stave(1);
    for (int i = 0; i < 3; ++i) {
        ScoreObject n = test::makeNote(100 + 40 * i, 2 * i, 4, s.Ycoord);
        n.setStem(StemUp);
        n.setSymbolCode(NoteGlyphTable(4, StemUp, 0));
        test::append(s, n);
    }
    s.object(1).setBeamForward(2);
    s.object(2).setBeamBack(1);
    s.object(2).setBeamForward(3);
    s.object(3).setBeamBack(2);
}

struct Editing : test::Entry {
    explicit Editing(int level = 3) : Entry(level, 2, beamedQuavers) {}
    Editor& editor() { return window().editor(); }
    const ScoreObject& current() { return stave(1).object(editor().currentObject); }
    // Pixels of the Edit colour around (x, y); with `head` only in the left half of a
    // note head there (a beamed note's highlight also lights its group's stems).
    int editPixels(int x, int y, bool head = false) {
        const int reach = head ? 3 : 20;
        return pixelsOf(window().drawContext().colours.Edit, QRect(QPoint(x - 8, y - reach), QPoint(x + (head ? -1 : 14), y + reach)));
    }
};

TEST(EditMode, F10PicksTheNearestObjectWhichTheMouseAndTheArrowsMove) {
    Editing f;
    f.key(Qt::Key_F10);
    ASSERT_EQ(f.editor().mode, ModeEdit);
    EXPECT_EQ(f.editor().currentObject, 1) << "nearest to the cursor at x 100";
    EXPECT_GT(f.editPixels(100, f.stave(1).Ycoord, true), 5) << "drawn in the Edit colour";
    f.click(178, f.stave(1).Ycoord - 10);
    EXPECT_EQ(f.editor().currentObject, 3);
    EXPECT_EQ(f.editPixels(100, f.stave(1).Ycoord, true), 0) << "the old one drawn normally again";

    const int y3 = f.current().y();
    f.drag(QPoint(180, y3), QPoint(230, y3 + 30));
    EXPECT_EQ(f.current().x(), 230);
    EXPECT_EQ(f.current().y(), y3) << "a note moves only across";
    EXPECT_EQ(f.editPixels(180, y3), 0) << "nothing left where it was";
    EXPECT_GT(f.editPixels(230, y3), 20);
    f.key(Qt::Key_Right);
    f.key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(f.current().x(), 221);
    f.key(Qt::Key_Up);
    EXPECT_EQ(f.current().staffPosition(), 11) << "an octave up";
    EXPECT_EQ(f.current().y(), y3 - 28);
    f.key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(f.editor().currentObject, 2);
}

TEST(EditMode, ACrotchetLeavesItsBeamAndAShorterNoteKeepsIt) {
    Editing f;
    f.key(Qt::Key_F10);
    f.key(Qt::Key_Right, Qt::AltModifier);
    ASSERT_EQ(f.editor().currentObject, 2);
    f.type("5");
    EXPECT_EQ(f.stave(1).object(1).beamForward(), 2) << "a semiquaver can stay beamed";
    f.key(Qt::Key_Right, Qt::AltModifier);
    f.type("j0");
    EXPECT_EQ(f.current().stem(), StemUp) << "a note beamed back keeps its stem";
    EXPECT_EQ(f.ui.messages.size(), 2u);
    EXPECT_EQ(f.ui.messages[0].text, BeamedStemMessage);
    EXPECT_EQ(f.ui.messages[1].text, BeamedSizeMessage);
    f.key(Qt::Key_Left, Qt::AltModifier);
    f.type("4");
    EXPECT_EQ(f.current().duration(), 3);
    EXPECT_EQ(f.stave(1).object(1).beamForward(), 0);
    EXPECT_EQ(f.stave(1).object(3).beamBack(), 0);
    EXPECT_EQ(f.current().beamBack() + f.current().beamForward(), 0);
    f.type("i");
    EXPECT_EQ(f.current().stem(), StemDown) << "automatic resolves at once: position 2 is above the middle";
}

TEST(EditMode, DeletingTheLastObjectReturnsToMusic) {
    Editing f;
    f.key(Qt::Key_F10);
    f.key(Qt::Key_Delete);
    EXPECT_TRUE(f.stave(1).object(1).is(ObjectKind::Deleted));
    EXPECT_EQ(f.stave(1).object(2).beamBack(), 0) << "the chain closes over the deleted note";
    EXPECT_EQ(f.editor().currentObject, 2) << "the nearest object is current";
    f.key(Qt::Key_Delete);
    f.key(Qt::Key_Delete);
    EXPECT_EQ(f.editor().mode, ModeMusic);
    EXPECT_FALSE(f.window().action("DeleteStaveitem")->shortcut().isEmpty()) << "Del deletes staves again";
}

TEST(EditMode, EscRestoresTheStaveAndEnterKeepsItWithOneUndoBack) {
    Editing advanced;
    const Stave before = advanced.stave(1);
    advanced.key(Qt::Key_F10);
    advanced.type("1.");
    advanced.key(Qt::Key_Escape);
    EXPECT_EQ(advanced.editor().mode, ModeMusic);
    EXPECT_TRUE(advanced.ui.messages.empty()) << "no question at level 3";
    EXPECT_EQ(advanced.stave(1).object(1), before.object(1));

    Editing beginner(1);
    beginner.key(Qt::Key_F10);
    beginner.type("1");
    beginner.ui.buttonAnswers = {ButtonNo};
    beginner.key(Qt::Key_Escape);
    EXPECT_EQ(beginner.editor().mode, ModeEdit) << "No keeps the edit going";
    EXPECT_EQ(beginner.current().duration(), 0);
    beginner.ui.buttonAnswers = {ButtonNo, ButtonYes};
    beginner.key(Qt::Key_Return);
    EXPECT_EQ(beginner.editor().mode, ModeEdit);
    beginner.key(Qt::Key_Return);
    EXPECT_EQ(beginner.editor().mode, ModeMusic);
    EXPECT_EQ(beginner.stave(1).object(1).duration(), 0) << "kept";
    beginner.window().action("Undo1")->trigger();
    EXPECT_EQ(beginner.stave(1).object(1), before.object(1)) << "one undo takes the whole edit back";
}

} // namespace
} // namespace qv
