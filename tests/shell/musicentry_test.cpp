// Writing music from the keyboard on the real score window: keys pressed with the toolkit's
// test driver on a score loaded from a file; the objects and the page bitmap checked after.

#include "shell/speedbuttons.h"
#include "windowfixture.h"

#include <QLabel>
#include <QScrollArea>
#include <QTest>

#include <algorithm>
#include <fstream>
#include <functional>

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::Entry;

TEST(MusicEntry, LettersMakeCrotchetsAtTheirPositionsSpacedByTheGrade) {
    Entry f;
    EXPECT_EQ(f.window().editor().mode, ModeMusic);
    EXPECT_EQ(f.window().scrollBox()->size(), f.window().size()) << "the page fills the window";
    f.type("4g a b ");
    ASSERT_EQ(f.stave(1).Nobjec, 3);
    EXPECT_EQ(f.positions(1), (std::vector<int>{-2, -1, 0})) << "G, A and B in the treble clef";
    for (int i = 1; i <= 3; ++i) {
        const ScoreObject& n = f.stave(1).object(i);
        EXPECT_TRUE(n.isNote() && n.duration() == 3);
        EXPECT_EQ(n.x(), 100 + 26 * (i - 1)) << "a crotchet against a crotchet pulse at grade 3 advances 26";
        EXPECT_EQ(n.y(), f.stave(1).Ycoord - 4 * n.staffPosition());
    }
    EXPECT_FALSE(f.provisional().present);
    EXPECT_EQ(f.window().editor().cursorX, 178);
    EXPECT_EQ(f.frame.defaultsPanel()->text(), "Crotchet Stem up Normal size");
    f.type("G ");
    EXPECT_TRUE(f.positions(1).back() == -2 && f.stave(1).object(4).duration() == 3) << "upper case: the same key";
    f.type("cc ");
    EXPECT_EQ(f.stave(1).object(5).staffPosition(), -6 + 7) << "C nearest to the G before it";
    EXPECT_EQ(f.stave(1).object(5).duration(), 4) << "the letter again makes it shorter";
    f.type("d"), f.key(Qt::Key_D, Qt::ShiftModifier), f.type(" ");
    EXPECT_EQ(f.stave(1).object(6).duration(), 2) << "Shift makes it longer: crotchet, minim";
    f.key(Qt::Key_E, Qt::ShiftModifier);
    EXPECT_EQ(f.provisional().object.duration(), 2) << "a new note with Shift starts one longer";
}

TEST(MusicEntry, EscDropsTheProvisionalObjectAndThePageComesBackExactly) {
    Entry f;
    f.type("4g ");
    const Stave before = f.stave(1);
    f.window().redrawPage();
    const QImage page = f.page().copy();
    f.type("a#.");
    EXPECT_TRUE(f.provisional().present);
    EXPECT_EQ(f.provisional().object.kind(), ObjectKind::Accidental);
    EXPECT_NE(f.page(), page) << "the provisional object is drawn";
    QAction* complete = f.frame.speedAction(SpeedButton::sbcomplete);
    EXPECT_TRUE(complete->isVisible() && !f.frame.speedAction(SpeedButton::sbMusic)->isVisible());
    EXPECT_EQ(complete->statusTip() + "|" + complete->toolTip(), "Complete Object|Complete Object");
    f.key(Qt::Key_Escape);
    EXPECT_FALSE(f.provisional().present);
    EXPECT_FALSE(complete->isVisible());
    EXPECT_EQ(f.stave(1), before);
    EXPECT_EQ(f.page(), page) << "drawn by exclusive-or, it leaves nothing behind";
    // Every kind, changed twice by its key: each change takes the old drawing away first.
    const std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> kinds = {
        {Qt::Key_Q, Qt::ControlModifier}, {Qt::Key_K, Qt::NoModifier},     {Qt::Key_U, Qt::ControlModifier},
        {Qt::Key_D, Qt::ControlModifier}, {Qt::Key_Z, Qt::NoModifier},     {Qt::Key_Slash, Qt::NoModifier},
        {Qt::Key_AsciiTilde, Qt::NoModifier}, {Qt::Key_T, Qt::ControlModifier}, {Qt::Key_C, Qt::NoModifier}};
    for (const auto& [k, mods] : kinds) {
        for (int twice = 0; twice < 2; ++twice) {
            if (k == Qt::Key_Slash || k == Qt::Key_AsciiTilde) f.type(k == Qt::Key_Slash ? "/" : "~");
            else f.key(k, mods);
        }
        f.key(Qt::Key_Up);
        f.key(Qt::Key_Escape);
        EXPECT_EQ(f.page(), page) << "key " << k;
    }
    SetMode(f.window().session(), ModeEdit);
    f.key(Qt::Key_F7);
    EXPECT_EQ(f.window().editor().mode, ModeMusic) << "F7 enters Music";
}

TEST(MusicEntry, AFullStaveRefusesAndLosesNothing) {
    Entry f(3, 2, [](Score& score) {
        for (int i = 0; i < MaxObjects; ++i) test::append(score.stave(1), test::makeNote(20 + 2 * i, 0));
    });
    const Stave before = f.stave(1);
    f.type("g ");
    EXPECT_EQ(f.ui.lastText(), "Too many objects on top stave to put a bar line in.");
    EXPECT_EQ(f.stave(1).Nobjec, MaxObjects);
    EXPECT_TRUE(std::equal(before.objects.begin(), before.objects.begin() + 250, f.stave(1).objects.begin()));
    EXPECT_TRUE(f.provisional().present) << "the note waits to be abandoned";
    f.key(Qt::Key_Escape);
    EXPECT_FALSE(f.provisional().present);
    EXPECT_EQ(f.stave(1), before);
}

TEST(MusicEntry, BackspaceBeamsAndUnbeamsAndTTiesToTheSamePosition) {
    Entry f;
    f.type("5d e");
    const Stave& st = f.stave(1);
    const auto links = [&](int i) { return std::pair(st.object(i).beamBack(), st.object(i).beamForward()); };
    f.key(Qt::Key_Backspace);
    EXPECT_TRUE(f.provisional().object.beamBack() == 1 && links(1) == std::pair(0, 2));
    f.key(Qt::Key_Backspace);
    EXPECT_TRUE(f.provisional().object.beamBack() == 0 && links(1) == std::pair(0, 0)) << "Backspace again unbeams";
    f.key(Qt::Key_Backspace);
    f.type(" f ");
    EXPECT_TRUE(links(1) == std::pair(0, 2) && links(2) == std::pair(1, 0) && links(3) == std::pair(0, 0));
    f.type("4fT ");
    const Stave& s = f.stave(1);
    ASSERT_EQ(s.Nobjec, 4);
    EXPECT_TRUE(s.object(4).tiedFrom() == 3 && s.object(3).tiedTo() == 4 && s.object(4).tieOverhand())
        << "tied overhand to the nearest earlier F";
    f.type("gT");
    EXPECT_EQ(f.provisional().object.tiedFrom(), 0) << "no earlier G: nothing to tie to";
    f.key(Qt::Key_Escape);
    f.type("5pg");
    f.key(Qt::Key_Backspace);
    EXPECT_EQ(f.ui.lastText(),
              "You have tried to beam a note back to a previous note.\n\n"
              "There is no previous note with the same stem and size available.")
        << "no earlier quaver has its stem down";
}

TEST(MusicEntry, SignaturesClefsBarLinesAndAccidentals) {
    Entry f;
    f.stave(1).joinToNext = true; // one system of two staves
    f.key(Qt::Key_Q, Qt::ControlModifier), f.key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(f.provisional().object.clefType(), 1) << "Ctrl+Q again: the next clef";
    f.type(" ");
    f.key(Qt::Key_K, Qt::ShiftModifier);
    // Shift let go a moment before the key: the key still acts as pressed.
    QTest::keyPress(&f.window(), Qt::Key_K, Qt::ShiftModifier);
    QTest::keyRelease(&f.window(), Qt::Key_K, Qt::NoModifier);
    f.type(" k 4c ");
    EXPECT_EQ(f.stave(1).object(4).staffPosition(), -1) << "C in the bass clef now in force";
    EXPECT_EQ(std::pair(f.stave(1).object(2).keyCount(), f.stave(1).object(3).keyCount()), std::pair(2, -1));
    f.key(Qt::Key_Down);
    EXPECT_EQ(f.window().editor().currentStave(), 2) << "Down without a provisional object: the stave below";
    f.type("// ");
    EXPECT_EQ(f.stave(2).Nobjec, 0);
    const ScoreObject& bar = f.stave(1).object(f.stave(1).Nobjec);
    EXPECT_TRUE(bar.is(ObjectKind::Barline) && bar.barType() == 1) << "a bar line goes on the system's first stave";
    f.type("ev ");
    ASSERT_EQ(f.stave(2).Nobjec, 1) << "the flat is completed, the note follows it, not yet completed";
    EXPECT_TRUE(f.provisional().object.isNote());
    EXPECT_EQ(f.provisional().object.staffPosition(), f.stave(2).object(1).accPosition());
    f.type(" ");
    ASSERT_EQ(f.stave(2).Nobjec, 2);
    EXPECT_TRUE(f.stave(2).object(1).is(ObjectKind::Accidental));
    EXPECT_EQ(f.stave(2).object(1).accValue(), -1);
    EXPECT_EQ(f.stave(2).object(2).x(), f.stave(2).object(1).x() + 8) << "the head stands clear of its flat";
}

TEST(MusicEntry, UndoTakesBackTheLastCompletionAndAsksBeginners) {
    Entry f;
    f.type("4g a b ");
    const auto undo = [](Entry& e) { return e.key(Qt::Key_Backspace, Qt::AltModifier), int(e.stave(1).Nobjec); };
    EXPECT_EQ(std::vector<int>({undo(f), undo(f), undo(f)}), (std::vector<int>{2, 1, 0}));
    EXPECT_TRUE(undo(f) == 0 && f.ui.lastText() == "Undo depth exceeded. Cannot undo.");
    Entry beginner(1);
    beginner.type("4g ");
    beginner.ui.buttonAnswers = {ButtonNo, ButtonYes};
    EXPECT_EQ(undo(beginner), 1) << "No: nothing undone";
    EXPECT_EQ(undo(beginner), 0);
    EXPECT_EQ(beginner.ui.messages.back().text, "Undo chosen. Do this?\n\n(There is no redo facility)");
}

} // namespace
} // namespace qv
