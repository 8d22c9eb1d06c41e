// Block mode from the mouse and keys: a quick drag is no block, an empty box is
// reported, and a copy follows the pointer sideways only and is put down twice.

#include "edit/blockplacing.h"
#include "model/linkcheck.h"
#include "recordinghost.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::append;
using test::makeNote;
using test::mouseAt;

struct BlockSession : test::Session {
    explicit BlockSession(int staves) : Session(staves) {
        score.undo.open(20);
        for (int s = 1; s <= staves; ++s) {
            Stave& st = score.stave(s);
            append(st, makeNote(100, 0, 4, st.Ycoord));
            append(st, makeNote(130, 2, 4, st.Ycoord));
            st.object(1).setBeamForward(2), st.object(2).setBeamBack(1);
            append(st, makeObject(ObjectKind::Barline, 160, st.Ycoord));
        }
    }
    void moveTo(PagePoint p) { mouseMoved(session, mouseAt(p, NoButton, NoButton)); }
    void click(MouseButton b) {
        mousePressed(session, mouseAt(editor.mousePoint, b, b), 5000);
        mouseReleased(session, mouseAt(editor.mousePoint, b, NoButton));
    }
    void expectLinksWhole() {
        for (int s = 1; s <= score.Nstaves; ++s)
            for (const std::string& b : brokenLinks(score.stave(s)))
                ADD_FAILURE() << "stave " << s << ": " << b;
    }
};

TEST(BlockMode, AQuickDragIsNoBlockAndAnEmptyBoxIsReported) {
    BlockSession t(2);
    t.ui.blockActions = {BlockDelete};
    t.dragBox({90, 0}, {200, 120}, 499);
    EXPECT_EQ(t.editor.mode, ModeMusic);
    EXPECT_EQ(t.ui.blockActions.size(), 1u); // no dialog
    EXPECT_TRUE(t.score.marked[1].none());
    t.dragBox({300, 0}, {500, 120}, 800);
    EXPECT_EQ(t.ui.lastText(), NothingEnclosedMessage);
}

TEST(BlockMode, CopyMovesSidewaysWithThePointerAndIsPutDownTwice) {
    BlockSession t(2);
    t.ui.blockActions = {BlockCopy};
    t.dragBox({90, 0}, {150, 120}, 800); // both staves' beamed notes, not the bar lines
    ASSERT_EQ(t.editor.mode, ModeBlockCpy);
    EXPECT_FALSE(t.editor.block.freePlacing());
    const BlockBox marked = t.host.blockBox;
    t.moveTo({150 + 200, 120 + 30}); // notes only: the box keeps its height
    EXPECT_EQ(t.host.blockBox.left, marked.left + 200);
    EXPECT_EQ(t.host.blockBox.top, marked.top);
    t.click(LeftButton);
    EXPECT_EQ(t.editor.mode, ModeBlockCpy);
    EXPECT_TRUE(t.host.blockBoxShown);
    t.moveTo({150 + 300, 120});
    t.click(LeftButton);
    t.expectLinksWhole();
    for (int s : {1, 2}) {
        const Stave& st = t.score.stave(s);
        ASSERT_EQ(st.Nobjec, 7);
        int beamed = 0;
        for (int i = 1; i <= st.Nobjec; ++i)
            beamed += st.object(i).beamForward() != 0;
        EXPECT_EQ(beamed, 3) << s; // the original pair and both copies
    }
    // One undo takes back the second copy on both staves.
    EXPECT_GE(t.score.undo.undoStep(t.score, t.ui), 1);
    EXPECT_EQ(t.score.stave(2).Nobjec, 5);
    t.type("\x1b");
    EXPECT_EQ(t.editor.mode, ModeMusic);
    EXPECT_FALSE(t.host.blockBoxShown);
    EXPECT_TRUE(t.score.marked[1].none() && t.score.marked[2].none());
}

} // namespace
} // namespace qv
