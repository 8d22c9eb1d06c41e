// Which buttons and menu groups the editing state allows.

#include "edit/toolstate.h"
#include "support/scorebuilder.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

struct State {
    Score score = test::makeScore(3);
    Editor editor;
    State(int mode) {
        editor.mode = mode;
        editor.page.currentStave = 1;
    }
    ToolState tools(int level = 2) { return computeTools(editor, score, ToolContext{level, false, false}); }
};

TEST(Tools, ABeginnerCannotReachThePlacingModesFromTheBar) {
    State s(ModeMusic);
    const ToolState beginner = s.tools(1);
    for (const ButtonState& b : {beginner.sbText, beginner.sbLine, beginner.sbcurve, beginner.sbHairpin,
                                 beginner.sbsymbol, beginner.sbdraw})
        EXPECT_FALSE(b.enabled);
    const ToolState standard = s.tools(2);
    for (const ButtonState& b : {standard.sbText, standard.sbLine, standard.sbcurve, standard.sbHairpin,
                                 standard.sbsymbol, standard.sbdraw})
        EXPECT_TRUE(b.enabled);
}

TEST(Tools, AProvisionalObjectSwapsMusicForComplete) {
    State s(ModeMusic);
    test::append(s.score.stave(1), test::makeNote(40, 0));
    ToolState t = s.tools();
    EXPECT_TRUE(t.sbMusic.visible && t.sbMusic.enabled && t.sbMusic.pressed);
    EXPECT_FALSE(t.sbcomplete.visible);
    EXPECT_TRUE(t.sbEdit.enabled);
    EXPECT_TRUE(t.sbheadfoot.enabled);

    s.score.provisional.present = true;
    s.score.provisional.object = test::makeShortText(10, 10, 1, "p");
    t = s.tools();
    EXPECT_FALSE(t.sbMusic.visible);
    EXPECT_TRUE(t.sbcomplete.visible && t.sbcomplete.enabled);
    EXPECT_FALSE(t.sbEdit.enabled);
    EXPECT_FALSE(t.sbundo.enabled);
    EXPECT_FALSE(t.sbText.enabled);
    EXPECT_FALSE(t.sbattrib.enabled); // a short text has no attributes dialog
    s.score.provisional.object = test::makeNote(40, 2);
    EXPECT_TRUE(s.tools().sbattrib.enabled);
}

TEST(Tools, EditNeedsObjectsOnTheCurrentStave) {
    State s(ModeMusic);
    EXPECT_FALSE(s.tools().sbEdit.enabled);
    s.editor.mode = ModeEdit;
    EXPECT_TRUE(s.tools().sbEdit.enabled);
    EXPECT_TRUE(s.tools().sbEdit.pressed);
    EXPECT_FALSE(s.tools().sbright.enabled);
    EXPECT_TRUE(computeTools(s.editor, s.score, ToolContext{2, true, false}).sbright.enabled);
}

TEST(Tools, PageButtonsFollowTheCurrentStavesPage) {
    State s(ModeMusic);
    s.score.stave(2).PageNum = 2;
    s.score.stave(3).PageNum = 3;
    s.editor.page.currentStave = 1;
    EXPECT_TRUE(s.tools().sbPgDn.enabled);
    EXPECT_FALSE(s.tools().sbPgUp.enabled);
    s.editor.page.currentStave = 3;
    EXPECT_FALSE(s.tools().sbPgDn.enabled);
    EXPECT_TRUE(s.tools().sbPgUp.enabled);
    s.editor.mode = ModeText;
    EXPECT_FALSE(s.tools().sbPgUp.enabled);
}

TEST(Tools, DeleteStaveNeedsTwoStaves) {
    State s(ModeMusic);
    EXPECT_TRUE(s.tools().sbdelstave.enabled);
    s.score.setStaveCount(1);
    EXPECT_FALSE(s.tools().sbdelstave.enabled);
}

TEST(Menus, GroupsFollowModeProvisionalAndLevel) {
    State s(ModeMusic);
    MenuState m = computeMenus(s.editor, s.score, 1);
    EXPECT_TRUE(m.fileCommands && m.pageCommands && m.refreshCommands && m.musicCommands);
    EXPECT_FALSE(m.advancedFile);
    EXPECT_FALSE(m.advancedMusic);
    EXPECT_TRUE(computeMenus(s.editor, s.score, 3).advancedFile);

    s.score.provisional.present = true;
    m = computeMenus(s.editor, s.score, 3);
    EXPECT_FALSE(m.fileCommands || m.pageCommands || m.refreshCommands || m.advancedFile);
    EXPECT_TRUE(m.musicCommands && m.advancedMusic);

    s.score.provisional.clear();
    s.editor.mode = ModeHeadFoot;
    m = computeMenus(s.editor, s.score, 3);
    EXPECT_TRUE(m.refreshCommands);
    EXPECT_FALSE(m.fileCommands || m.musicCommands);
}

} // namespace
} // namespace qv
