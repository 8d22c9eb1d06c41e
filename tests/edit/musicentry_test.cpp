// Music entry's rules below the keys: letters in every clef, stave and system moves at a
// page's edges, the cursor's stops, octaves, the signature key cycles and the hold timer.

#include "edit/eventrouting.h"
#include "edit/musicentry.h"
#include "layout/tidystave.h"
#include "recordinghost.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <tuple>

namespace qv {
namespace {

// Six staves: systems 1-2, 3-4 and 5-6; staves 1 to 4 on page 1, 5 and 6 on page 2.
struct Entry {
    Score score = test::makeScore(6);
    Editor editor;
    Settings settings;
    test::ScriptedUi ui;
    test::RecordingHost host;
    EditSession session{score, editor, settings, ui, host};
    explicit Entry(int stave = 1) {
        installLayoutHooks(score);
        for (int s : {1, 3, 5}) score.stave(s).joinToNext = true;
        for (int s : {5, 6}) score.stave(s).PageNum = 2;
        editor.mode = ModeMusic;
        editor.page.currentStave = stave;
        editor.page.currentPage = score.stave(stave).PageNum;
        editor.cursorX = 100;
    }
    const ScoreObject& provisional() const { return score.provisional.object; }
    void release(int key, unsigned mods = ModNone) {
        keyPressed(session, KeyEvent{key, 0, mods});
        keyReleased(session, KeyEvent{key, 0, mods});
    }
    void releaseAll(std::initializer_list<int> keys) {
        for (int k : keys) release(k);
    }
    void typeChar(char32_t c) {
        keyPressed(session, KeyEvent{0, c, ModNone});
        keyReleased(session, KeyEvent{0, 0, ModNone});
    }
};

TEST(LetterPosition, TheNearestPositionOfTheLetterInEachClef) {
    struct Case {
        int clef;
        char letter;
        int previous, position;
    };
    const Case cases[] = {
        {0, 'B', 0, 0},   {0, 'G', 0, -2},  {0, 'C', 0, 1},    {0, 'F', 0, -3},  {0, 'E', 0, 3},
        {1, 'D', 0, 0},   {1, 'A', 0, -3},  {1, 'G', 0, 3},    {2, 'C', 0, 0},   {3, 'A', 0, 0},
        {0, 'C', 6, 8},   {0, 'A', -6, -8}, {0, 'E', -10, -11}, {0, 'B', 20, 21}, {3, 'D', -4, -4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LetterPosition(c.clef, c.letter, c.previous), c.position)
            << "clef " << c.clef << " letter " << c.letter << " after " << c.previous;
}

TEST(MusicKeys, StavesChangeOnlyWithinThePageAndSystemsByTheirFirstStave) {
    Entry f(2);
    f.release(KeyDown);
    EXPECT_EQ(f.editor.currentStave(), 3);
    f.releaseAll({KeyDown, KeyDown});
    EXPECT_EQ(f.editor.currentStave(), 4) << "stave 5 is on the next page";
    f.release(KeyPageUp, ModCtrl);
    EXPECT_EQ(f.editor.currentStave(), 3) << "the first stave of its own system";
    f.release(KeyPageUp, ModCtrl);
    EXPECT_EQ(f.editor.currentStave(), 1);
    f.release(KeyPageUp, ModCtrl);
    EXPECT_EQ(f.editor.currentStave(), 1) << "no system above on the page";
    f.release(KeyPageDown, ModCtrl);
    EXPECT_EQ(f.editor.currentStave(), 3);
    f.release(KeyPageDown, ModCtrl);
    EXPECT_EQ(f.editor.currentStave(), 3) << "the next system is on the next page";
    f.releaseAll({'G', KeyPageDown});
    EXPECT_EQ(f.editor.currentStave(), 4) << "PgDn completes the note on the stave it leaves";
    EXPECT_EQ(f.score.stave(3).Nobjec, 1);
    f.releaseAll({'G', KeyPageDown});
    EXPECT_EQ(f.editor.currentStave(), 4) << "at the page's last stave PgDn only completes";
    EXPECT_EQ(f.score.stave(4).Nobjec, 1);
    EXPECT_FALSE(f.score.provisional.present);
}

TEST(MusicKeys, TabAndBackspaceStopAtTheClefsAndNotesOfTheSystem) {
    Entry f(1);
    test::append(f.score.stave(1), test::makeClef(10, 0));
    test::append(f.score.stave(1), test::makeNote(60, 0));
    test::append(f.score.stave(2), test::makeNote(140, 0));
    test::append(f.score.stave(3), test::makeNote(120, 0)); // another system
    test::append(f.score.stave(1), makeObject(ObjectKind::Barline, 90, 0));
    f.release(KeyTab);
    EXPECT_EQ(f.editor.cursorX, 140);
    f.release(KeyTab);
    EXPECT_EQ(f.editor.cursorX, 140) << "no stop further right";
    f.release(KeyTab, ModShift);
    EXPECT_EQ(f.editor.cursorX, 60);
    f.release(KeyBackspace);
    EXPECT_EQ(f.editor.cursorX, 10);
    f.score.Spacing = 5;
    f.score.stave(1).RightX = 50;
    f.typeChar(' ');
    EXPECT_EQ(f.editor.cursorX, 50) << "the space step of 60 stops at the stave's end";
    f.editor.cursorX = 0;
    f.typeChar(' ');
    EXPECT_EQ(f.editor.cursorX, 50);
}

TEST(MusicKeys, OctavesMoveNotesRestsAndAccidentalsAndPositionsStayInRange) {
    Entry f(1);
    f.releaseAll({'B', KeyUp});
    EXPECT_EQ(f.provisional().staffPosition(), 7);
    EXPECT_EQ(f.provisional().y(), f.score.stave(1).Ycoord - 28);
    f.typeChar('s');
    f.release(KeyDown);
    EXPECT_EQ(f.provisional().accPosition(), 0) << "an accidental moves with its octave too";
    f.releaseAll({'Z', KeyUp});
    EXPECT_EQ(f.provisional().staffPosition(), 2) << "a rest moves two positions";
    EXPECT_EQ(f.provisional().y(), f.score.stave(1).Ycoord - 8);
    f.releaseAll({KeyEscape, 'B'});
    for (int i = 0; i < 40; ++i) f.release(KeyUp);
    EXPECT_EQ(f.provisional().staffPosition(), 127) << "positions are bytes: they stop at the top";
    f.release('C');
    EXPECT_GE(f.provisional().staffPosition(), 124) << "a letter up there does not wrap to the bottom";
}

TEST(MusicKeys, SignatureAndDigitKeysCycle) {
    Entry f(1);
    for (int i = 0; i < 7; ++i) f.release('K', ModShift);
    EXPECT_EQ(f.provisional().keyCount(), 7);
    f.release('K', ModShift);
    EXPECT_EQ(f.provisional().keyCount(), -7) << "past seven sharps come seven flats";
    f.release('U', ModCtrl);
    EXPECT_EQ(f.provisional().symbolCode(), 12) << "the numerator starts at 4";
    for (int i = 0; i < 6; ++i) f.release('U', ModCtrl);
    EXPECT_EQ(f.provisional().symbolCode(), 8) << "after 9 comes 0";
    f.release('D', ModCtrl);
    EXPECT_EQ(f.provisional().symbolCode(), 8) << "a denominator step keeps a code it does not know";
    f.release(KeyEscape);
    f.release('D', ModCtrl);
    for (int step : {16, 18, 9, 10, 12}) {
        f.release('D', ModCtrl);
        EXPECT_EQ(f.provisional().symbolCode(), step);
    }
    f.release('D', ModCtrl);
    f.release('D', ModCtrl);
    f.release('U', ModCtrl);
    EXPECT_EQ(f.provisional().symbolCode(), 8) << "from the 16 the numerator starts again at 0";
    EXPECT_EQ(f.provisional().y(), f.score.stave(1).Ycoord) << "and stands on the middle line";
}

TEST(MusicKeys, HeadStyleRefusesABeamedNoteAndStemKeysLeaveOtherKindsAlone) {
    Entry f(1);
    f.typeChar('5');
    f.release('G');
    f.typeChar(' ');
    f.releaseAll({'A', KeyBackspace, '0'});
    EXPECT_EQ(f.ui.lastText(), "You cannot change the type of a beamed note.\n\nPlease unbeam first.");
    EXPECT_EQ(f.provisional().headStyle(), 0);
    f.release('Z');
    EXPECT_EQ(f.score.stave(1).object(1).beamForward(), 0) << "a note that becomes a rest lets its beam go";
    f.releaseAll({'A', '0'});
    EXPECT_EQ(f.provisional().headStyle(), 1);
    EXPECT_EQ(f.editor.defaultNote.headStyle(), 1) << "the style becomes the default";
    f.typeChar('s');
    f.releaseAll({'0', 'A'});
    EXPECT_EQ(f.provisional().dots(), 0) << "a note from a small accidental takes nothing of it";
    f.releaseAll({KeyEscape, 'K'});
    f.typeChar('p');
    EXPECT_EQ(f.editor.defaultNote.stem(), StemUp) << "nothing happens with a key signature shown";
    f.typeChar('~');
    f.release(KeyBackspace);
    EXPECT_FALSE(f.score.provisional.present) << "an arpeggio of no segments goes";
}

TEST(MusicMouse, AStaveDraggedByItsHandleIsOneUndoStepForItsPageOnly) {
    Entry f(3);
    f.score.undo.open(10);
    const auto ys = [&] {
        return std::tuple(f.score.stave(3).Ycoord, f.score.stave(4).Ycoord, f.score.stave(5).Ycoord);
    };
    const auto before = ys();
    MouseEvent m;
    m.point = {0, f.score.stave(3).Ycoord}, m.button = LeftButton, m.buttons = LeftButton;
    mousePressed(f.session, m, 0);
    EXPECT_TRUE(f.editor.mode == ModeMovestave && f.score.undo.live() == 0) << "nothing recorded until it moves";
    m.point.y += 20, mouseReleased(f.session, m);
    EXPECT_EQ(ys(), std::tuple(std::get<0>(before) + 20, std::get<1>(before) + 20, std::get<2>(before)));
    EXPECT_EQ(f.score.undo.live(), 1);
    f.score.undo.undoStep(f.score, f.ui);
    EXPECT_EQ(ys(), before) << "the next page's staves stay where they were";
}

TEST(MusicMouse, OnlyALeftReleaseInMusicPlacesTheCursor) {
    Entry f(1);
    const auto release = [&](int x, MouseButton b) {
        MouseEvent m;
        m.point = {x, 40}, m.button = b, mouseReleased(f.session, m);
    };
    release(300, RightButton);
    EXPECT_EQ(f.editor.cursorX, 100);
    f.editor.mode = ModeHeadFoot;
    release(300, LeftButton);
    EXPECT_EQ(f.editor.cursorX, 100);
    f.editor.mode = ModeMusic;
    release(300, LeftButton);
    EXPECT_EQ(f.editor.cursorX, 300);
}

TEST(HoldTimer, SwitchesToEditOnAnObjectOnlyWithAProvisionalObject) {
    Entry f(1);
    test::append(f.score.stave(1), test::makeNote(200, 0, 3, f.score.stave(1).Ycoord));
    f.editor.mousePoint = {210, f.score.stave(1).Ycoord + 10};
    f.editor.holdStave = 1;
    holdTimerFired(f.session);
    EXPECT_EQ(f.editor.mode, ModeMusic) << "no provisional object: nothing";
    f.release('G');
    f.editor.mousePoint = {226, f.score.stave(1).Ycoord};
    holdTimerFired(f.session);
    EXPECT_EQ(f.editor.mode, ModeMusic) << "26 away is too far";
    f.editor.mousePoint = {225, f.score.stave(1).Ycoord};
    holdTimerFired(f.session);
    EXPECT_EQ(f.editor.mode, ModeEdit);
    EXPECT_EQ(f.editor.currentObject, 1);
    EXPECT_FALSE(f.score.provisional.present);
    f.typeChar('\r');
    EXPECT_EQ(f.editor.mode, ModeMusic) << "Enter leaves Edit mode";
}

} // namespace
} // namespace qv
