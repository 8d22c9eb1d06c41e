// Staves, systems and blocks on the real score window: a stave inserted from the
// Stave menu and undone, and a block boxed with the mouse and copied onto the next
// system, each taken back by one Undo.

#include "layout/justify.h"
#include "model/linkcheck.h"
#include "render/glyphcatalogue.h"

#include <QApplication>
#include <QMouseEvent>
#include "windowfixture.h"

#include <QTest>

#include <gtest/gtest.h>

namespace qv {
namespace {

// Two systems of two staves; the first has four crotchets on each stave.
void twoSystems(Score& score) {
    for (int s : {1, 3}) score.stave(s).joinToNext = true;
    for (int s : {1, 2})
        for (int i = 0; i < 4; ++i) {
            ScoreObject n = test::makeNote(100 + 30 * i, i - 1, 3, score.stave(s).Ycoord);
            n.setStem(StemUp), n.setSymbolCode(NoteGlyphTable(3, StemUp, 0));
            test::append(score.stave(s), n);
        }
}

struct Systems : test::Entry {
    Systems() : Entry(3, 4, twoSystems) {} // an undo depth of 3, shallower than a whole-score step
    std::vector<Stave> staves() {
        std::vector<Stave> all;
        for (int s = 0; s <= score().Nstaves; ++s) all.push_back(stave(s));
        return all;
    }
    void undo() { window().action("Undo1")->trigger(); }
};

TEST(StavesAndSystems, ANewStaveAboveTheFirstIsTakenBackByOneUndo) {
    Systems f;
    const std::vector<Stave> before = f.staves();
    f.window().action("NewStaveAbove")->trigger();
    ASSERT_EQ(f.score().Nstaves, 5);
    EXPECT_EQ(f.stave(2).Nobjec, 4) << "the old first stave moved down one";
    EXPECT_GT(f.stave(2).Ycoord, before[1].Ycoord);
    f.undo();
    EXPECT_TRUE(f.staves() == before) << "the step is whole even in a shallow undo store";
}

TEST(StavesAndSystems, ABoxDraggedOverASystemIsCopiedOntoTheNextAndUndone) {
    Systems f;
    const std::vector<Stave> before = f.staves();
    f.ui.blockActions = {BlockCopy};
    PageView& view = *f.window().pageView();
    const QPoint from = view.toWidget(QPoint(90, f.stave(1).Ycoord - 30));
    const QPoint to = view.toWidget(QPoint(200, f.stave(2).Ycoord + 30));
    QTest::mousePress(&view, Qt::LeftButton, {}, from);
    QMouseEvent drag(QEvent::MouseMove, QPointF(to), view.mapToGlobal(QPointF(to)), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(&view, &drag);
    QTest::qWait(600); // a drag held this long is a box, not a click
    QTest::mouseRelease(&view, Qt::LeftButton, {}, to);
    ASSERT_EQ(f.window().editor().mode, ModeBlockCpy);
    EXPECT_TRUE(f.score().marked[1].any());
    f.key(Qt::Key_PageDown, Qt::ControlModifier); // the next system
    f.click(90, f.stave(3).Ycoord - 30);
    f.key(Qt::Key_Escape);
    for (int s : {3, 4}) {
        EXPECT_EQ(f.stave(s).Nobjec, 4) << s;
        EXPECT_TRUE(brokenLinks(f.stave(s)).empty()) << s;
    }
    f.undo();
    EXPECT_TRUE(f.staves() == before);
}

TEST(StavesAndSystems, JustifyFromTheKeysAndDeleteFromTheMenuEachUndoneWhole) {
    Systems f;
    test::append(f.stave(1), makeObject(ObjectKind::Barline, 300, f.stave(1).Ycoord)); // the system's closing bar
    const std::vector<Stave> before = f.staves();
    f.key(Qt::Key_J, Qt::ControlModifier);
    EXPECT_EQ(f.ui.lastText(), JustifyPrompt);
    f.click(150, f.stave(1).Ycoord);
    EXPECT_EQ(f.stave(1).object(5).x(), f.stave(1).RightX) << "the closing bar line moved to the stave end";
    EXPECT_GT(f.stave(1).object(4).x(), 190) << "the notes after the cursor spread with it";
    EXPECT_EQ(f.stave(1).object(1).x(), 100) << "the note before the cursor stays";
    f.undo();
    EXPECT_TRUE(f.staves() == before);
    f.click(100, f.stave(2).Ycoord); // the bottom stave of the first system
    f.window().action("DeleteStaveitem")->trigger();
    EXPECT_EQ(f.score().Nstaves, 3);
    f.undo();
    EXPECT_TRUE(f.staves() == before);
}

} // namespace
} // namespace qv
