// The layout commands from the menu and the Justify and Compressi modes they lead
// to: where the x comes from, what is shown, and that each ends in Music mode.

#include "edit/layoutcommands.h"
#include "layout/justify.h"
#include "layout/tidystave.h"
#include "recordinghost.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

ScoreObject barLine(int x) {
    ScoreObject o = makeObject(ObjectKind::Barline);
    o.setX(x);
    o.setSymbolCode(39);
    return o;
}

// Two staves in one system (middle lines at 40 and 88), stave 1 current, in Music mode.
struct Layout : test::Session {
    Layout() : Session(2) {
        installLayoutHooks(score);
        score.undo.open(20);
        score.stave(1).joinToNext = true;
        test::append(score.stave(1), test::makeNote(200, 0));
        test::append(score.stave(2), barLine(300));
        editor.mode = ModeMusic;
        editor.page.currentStave = 1;
    }
    void mouse(int x, int y, MouseButton b, bool down) {
        const MouseEvent e{{x, y}, b, down ? unsigned(b) : unsigned(NoButton), ModNone, {}};
        if (down)
            mousePressed(session, e, 0);
        else
            mouseReleased(session, e);
    }
    void drag(int from, int to) {
        mouse(from, 40, LeftButton, true);
        mouseMoved(session, MouseEvent{{to, 40}, NoButton, LeftButton, ModNone, {}});
        mouse(to, 40, LeftButton, false);
    }
};

TEST(LayoutCommands, JustifyAsksForTheXThenJustifiesTheClickedSystemAndReturnsToMusic) {
    Layout f;
    justifyRightFromCursor(f.session);
    EXPECT_EQ(f.ui.lastText(), JustifyPrompt);
    ASSERT_EQ(f.editor.mode, ModeJustify);
    f.mouse(100, 90, LeftButton, true); // in the system, nearest to stave 2
    EXPECT_EQ(f.editor.mode, ModeMusic);
    EXPECT_EQ(f.editor.currentStave(), 2);
    EXPECT_EQ(f.score.stave(1).object(1).x(), 100 + (200 - 100) * (600 - 100) / (300 - 100));
    EXPECT_EQ(f.score.stave(2).object(1).x(), 600);

    // Esc gives up without a change; with no bar line at the end the mode is not entered.
    justifyRightFromCursor(f.session);
    f.type("\x1b");
    EXPECT_EQ(f.editor.mode, ModeMusic);
    EXPECT_EQ(f.score.undo.live(), 2);
    test::append(f.score.stave(1), test::makeNote(610, 0));
    justifyRightFromCursor(f.session);
    EXPECT_EQ(f.ui.lastText(), JustifyNeedsBarLine);
    EXPECT_EQ(f.editor.mode, ModeMusic);
}

struct LimitHost : test::RecordingHost {
    int limitX = -1;
    void showCompressLimit(int x, int, int) override { limitX = x; }
    void hideCompressLimit() override { limitX = -2; }
};

TEST(LayoutCommands, CompressTakesItsSideFromTheDragAndShowsTheLimitMeanwhile) {
    Layout f;
    LimitHost host;
    EditSession session{f.score, f.editor, f.settings, f.ui, host};
    compressLeftOrRight(session);
    ASSERT_EQ(f.editor.mode, ModeCompressi);
    mousePressed(session, MouseEvent{{150, 40}, LeftButton, LeftButton, ModNone, {}}, 0);
    mouseMoved(session, MouseEvent{{152, 40}, NoButton, LeftButton, ModNone, {}});
    EXPECT_EQ(host.limitX, -1); // still within the dead zone
    mouseMoved(session, MouseEvent{{170, 40}, NoButton, LeftButton, ModNone, {}});
    EXPECT_GT(host.limitX, f.score.stave(1).LeftX); // Right: RightX less the inked columns
    EXPECT_LT(host.limitX, f.score.stave(1).RightX);
    mouseReleased(session, MouseEvent{{170, 40}, LeftButton, NoButton, ModNone, {}});
    EXPECT_EQ(f.editor.mode, ModeMusic);
    EXPECT_EQ(host.limitX, -2);
    EXPECT_GT(f.score.stave(1).object(1).x(), 200); // pushed towards the right end
    EXPECT_EQ(f.score.undo.live(), 2);

    // A click without a drag has no side.
    compressLeftOrRight(session);
    mousePressed(session, MouseEvent{{150, 40}, LeftButton, LeftButton, ModNone, {}}, 0);
    mouseReleased(session, MouseEvent{{150, 40}, LeftButton, NoButton, ModNone, {}});
    EXPECT_EQ(f.ui.lastText(), NoCompressDirection);
    EXPECT_EQ(f.editor.mode, ModeMusic);
}

TEST(LayoutCommands, CutOffWorksAtTheCursorOnTheWholeSystem) {
    Layout f;
    f.editor.cursorX = 250;
    cutOffLeftAtCursor(f.session);
    EXPECT_EQ(f.ui.lastText(), "Objects beyond current cursor position on stave 1.\nCannot chop here");
    cutOffRightAtCursor(f.session);
    EXPECT_EQ(f.ui.lastText(), "Objects beyond current cursor position on stave 2.\nCannot chop here");
    f.editor.cursorX = 320;
    cutOffRightAtCursor(f.session);
    EXPECT_EQ(f.score.stave(1).RightX, 320);
    EXPECT_EQ(f.score.stave(2).RightX, 320);
    ASSERT_GE(f.score.undo.undoStep(f.score, f.ui), 1);
    EXPECT_EQ(f.score.stave(2).RightX, 600);
}

} // namespace
} // namespace qv
