// The advance after each kind of object, and the entry cursor's limit.

#include "layout/spacing.h"
#include "render/glyphinkbox.h"
#include "support/scorebuilder.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

ScoreObject note(int duration, int code, int dots = 0) {
    ScoreObject n = test::makeNote(0, 0, duration);
    n.setSymbolCode(code);
    n.setDots(dots);
    return n;
}

ScoreObject glyphObject(ObjectKind kind, int code) {
    ScoreObject o = makeObject(kind);
    o.setSymbolCode(code);
    return o;
}

TEST(NoteAdvance, NotesAgainstThePulseAndTheirDots) {
    const int minimWidth = GlyphWidth(23);
    const int quaverWidth = GlyphWidth(28);
    EXPECT_EQ(quaverWidth, 17) << "the quaver's box runs from its head at 17 to its flag at 34";
    EXPECT_EQ(NoteAdvance(note(3, 26), 3, 3), 26);
    EXPECT_EQ(NoteAdvance(note(2, 23), 3, 3), 52 - minimWidth);
    EXPECT_EQ(NoteAdvance(note(4, 28), 3, 3), (quaverWidth + 26) / 2 - 1);
    EXPECT_EQ(NoteAdvance(note(3, 26), 4, 1), 2 * 15 - GlyphWidth(26)) << "longer than a quaver pulse";
    EXPECT_EQ(NoteAdvance(note(3, 26), 2, 5), (GlyphWidth(26) + 51) / 2 - 1) << "shorter than a minim pulse";
    ScoreObject rest = test::makeRest(0, 2);
    EXPECT_EQ(NoteAdvance(rest, 3, 3), 52 - GlyphWidth(rest.symbolCode())) << "rests are spaced by duration too";
    EXPECT_EQ(NoteAdvance(note(3, 26), 3, 0), 15) << "grades from damaged files stay inside the tables";
    EXPECT_EQ(NoteAdvance(note(3, 26), 3, 200), 51);
    // Dots stretch the advance.
    EXPECT_EQ(NoteAdvance(note(3, 26, 1), 3, 3), 35);
    EXPECT_EQ(NoteAdvance(note(3, 26, 2), 3, 3), 44);
    EXPECT_EQ(NoteAdvance(note(3, 26, 3), 3, 3), 49);
    EXPECT_EQ(NoteAdvance(note(3, 26, 4), 3, 3), 26) << "other dot counts leave it";
    // Halves go to even: a minim without glyph width against a crotchet pulse at grade 1
    // is 2 x 15 - 0 = 30, dotted 30 x 1.35 = 40.5 -> 40.
    EXPECT_EQ(NoteAdvance(note(2, 244, 1), 3, 1), 40);
    EXPECT_EQ(NoteAdvance(note(4, 244, 2), 3, 4), 29) << "(0 + 36) / 2 - 1 = 17, x 1.7 = 28.9";
}

TEST(NoteAdvance, ClefsKeysAndGlyphsByGrade) {
    ScoreObject key = makeObject(ObjectKind::KeySignature);
    key.setKeyCount(-3);
    EXPECT_EQ(NoteAdvance(key, 3, 1), 39);
    key.setKeyCount(7);
    EXPECT_EQ(NoteAdvance(key, 3, 5), 84 + 15);
    EXPECT_EQ(NoteAdvance(glyphObject(ObjectKind::Clef, 3), 3, 3), 30);
    EXPECT_EQ(NoteAdvance(glyphObject(ObjectKind::Clef, 6), 3, 3), 25);
    EXPECT_EQ(NoteAdvance(glyphObject(ObjectKind::Glyph, 12), 3, 4), 50);
    EXPECT_EQ(NoteAdvance(glyphObject(ObjectKind::Glyph, 19), 3, 2), 22);
    EXPECT_EQ(NoteAdvance(glyphObject(ObjectKind::Barline, 40), 3, 3), 13);
    EXPECT_EQ(NoteAdvance(glyphObject(ObjectKind::Barline, 68), 3, 5), 30);
    EXPECT_EQ(NoteAdvance(glyphObject(ObjectKind::Barline, 41), 3, 3), 27) << "the end bar takes the general gap";
    EXPECT_EQ(NoteAdvance(glyphObject(ObjectKind::Barline, 69), 3, 1), 12);
    EXPECT_EQ(NoteAdvance(glyphObject(ObjectKind::TimeSignature, 244), 3, 3), 27);
}

TEST(GlyphWidth, OnlyBoxesOfAtMost31Count) {
    const InkBox head = GlyphInkBox(25);
    EXPECT_EQ(GlyphWidth(25), head.right - head.left);
    EXPECT_EQ(GlyphWidth(244), 0) << "its box runs backwards";
    EXPECT_EQ(GlyphWidth(36), 0) << "an empty box";
    // The cursor never goes past the stave's end, and not on after an accidental.
    Score score = test::makeScore(1);
    score.stave(1).RightX = 300;
    EXPECT_EQ(cursorAfterEntry(score, 1, 100, note(3, 26)), 126);
    EXPECT_EQ(cursorAfterEntry(score, 1, 290, note(3, 26)), 300);
    EXPECT_EQ(cursorAfterEntry(score, 1, 100, makeObject(ObjectKind::Accidental)), 100);
}

} // namespace
} // namespace qv
