// Transposition on the score's own model: keys, staff steps, accidentals, chord
// names, the octave, the clef change and stems; and properties over random music.

#include "layout/staveextent.h"
#include "model/staveops.h"
#include "model/undostore.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"
#include "transpose/chordtext.h"
#include "transpose/keyrule.h"
#include "transpose/transpose.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace qv {
namespace {

using test::append;
using test::makeNote;

ScoreObject key(int x, int k) {
    ScoreObject o = makeObject(ObjectKind::KeySignature);
    o.setX(x);
    o.setKeyCount(k);
    return o;
}

ScoreObject accidental(int x, int position, int value) {
    ScoreObject o = makeObject(ObjectKind::Accidental);
    o.setX(x);
    o.setY(-4 * position);
    o.setAccPosition(position);
    o.setAccValue(value);
    return o;
}

const std::string Flat(1, ChordFlat), Sharp(1, ChordSharp);

bool transpose(Score& score, int distance, int first = 1, int last = 1, Ui* ui = nullptr) {
    test::ScriptedUi quiet;
    TransposeRequest r;
    r.distance = distance;
    r.first = first;
    r.last = last;
    return Transpose(score, r, nullptr, ui ? *ui : quiet);
}

// A treble stave: clef, key k, then an F sharp (an accidental on the bottom
// space, -3), its F, a B (position 0) and a natural on B.
Score treble(int k) {
    Score score = test::makeScore(1);
    Stave& s = score.stave(1);
    append(s, test::makeClef(10, ClefTreble));
    append(s, key(20, k));
    append(s, accidental(40, -3, +1));
    append(s, makeNote(50, -3));
    append(s, accidental(70, 0, 0));
    append(s, makeNote(80, 0));
    return score;
}

TEST(Transpose, CUpASemitoneIsDFlatAndDMajorDownASemitoneKeepsItsStaffPositions) {
    Score c = treble(0);
    ASSERT_TRUE(transpose(c, +1));
    const Stave& up = c.stave(1);
    EXPECT_EQ(up.object(2).keyCount(), -5);
    EXPECT_EQ(up.object(4).staffPosition(), -2) << "every note a step up";
    EXPECT_EQ(up.object(4).y(), makeNote(50, -2).y());
    EXPECT_EQ(up.object(3).accValue(), 0) << "F sharp becomes G natural";
    EXPECT_EQ(up.object(3).accPosition(), -2);
    EXPECT_EQ(up.object(5).accValue(), 0) << "B natural becomes C natural";

    Score d = treble(2);
    ASSERT_TRUE(transpose(d, -1));
    EXPECT_EQ(d.stave(1).object(2).keyCount(), -5);
    EXPECT_EQ(d.stave(1).object(4).staffPosition(), -3) << "D flat major is written on D's steps";
    EXPECT_EQ(d.stave(1).object(3).accValue(), 0) << "the sharp becomes a natural";
}

TEST(Transpose, TheKeyTableAndTheLettersUnderEachClef) {
    const int up[15] = {0, 1, 2, 3, 4, 5, -6, -5, -4, -3, -2, -1, 0, 1, 2};
    const int down[15] = {-2, -1, 0, 1, 2, 3, 4, 5, 6, -5, -4, -3, -2, -1, 0};
    for (int k = -7; k <= 7; ++k) {
        EXPECT_EQ(transposeKey(k, +1), up[k + 7]) << k;
        EXPECT_EQ(transposeKey(k, -1), down[k + 7]) << k;
    }
    EXPECT_EQ(std::string() + noteLetter(0, ClefTreble) + noteLetter(0, ClefBass) + noteLetter(0, ClefAlto) +
                  noteLetter(0, ClefTenor),
              "BDCA");
    EXPECT_EQ(noteLetter(-3, ClefTreble), 'F');
    EXPECT_EQ(noteLetter(-40, ClefBass), noteLetter(-33, ClefBass)) << "an octave below keeps its letter";
}

TEST(Transpose, DoubleSignsThatCannotGoFurtherAreReportedAndStillMove) {
    Score score = treble(0);
    score.stave(1).object(3).setAccValue(-2); // a double flat on F
    score.stave(1).object(3).setAccPosition(-3);
    test::ScriptedUi ui;
    ASSERT_TRUE(transpose(score, +1, 1, 1, &ui));
    EXPECT_EQ(ui.lastText(), "Transposition error\nStave      : 1\nNote       : F\nAccidental : Double flat");
    EXPECT_EQ(score.stave(1).object(3).accValue(), -2);
    EXPECT_EQ(score.stave(1).object(3).accPosition(), -2);
}

TEST(Transpose, MusicBeforeTheKeyIsRefusedAndNothingChanges) {
    Score score = test::makeScore(3);
    for (int s = 1; s <= 3; ++s) {
        append(score.stave(s), makeNote(10, 1));
        append(score.stave(s), key(20, 0));
    }
    score.stave(2).object(1) = key(5, 1); // stave 2 starts with its key
    Score before = test::makeScore(3);
    for (int s = 1; s <= 3; ++s)
        before.setStave(s, score.stave(s));
    test::ScriptedUi ui;
    score.undo.open(5);
    score.modified = false;
    EXPECT_FALSE(Transpose(score, TransposeRequest{3, 1, 3, std::nullopt, false}, &score.undo, ui));
    EXPECT_EQ(ui.lastText(), formatMessage(KeyFirstMessage, "1, 3"));
    for (int s = 1; s <= 3; ++s)
        EXPECT_EQ(score.stave(s).object(1), before.stave(s).object(1));
    EXPECT_FALSE(score.modified) << "nothing changed, nothing to undo";
    EXPECT_EQ(score.undo.undoStep(score, ui), -1);
}

TEST(Transpose, ChordNamesAreRespeltLetterByLetter) {
    const struct {
        std::string text;
        int direction;
        std::string result;
    } cases[] = {
        {"Am7", +1, "B" + Flat + "m7"}, {"B" + Flat + "m7", +1, "Bm7"}, {"F" + Sharp, +1, "G"},
        {"C/E", -1, "B/E" + Flat},      {"Gsus4", +1, "A" + Flat + "sus4"}, {"dim", +1, "dim"},
        {"E" + Flat, -1, "D"},          {"B", +1, "C"},                  {"C" + Sharp, +1, "D"},
        {"C" + Flat + "7", -1, "B" + Flat + "7"}, {"E" + Sharp, +1, "F" + Sharp}, // the sign changes in place
    };
    for (const auto& c : cases)
        EXPECT_EQ(transposeChordText(c.text, c.direction), c.result) << c.text;
}

TEST(Transpose, ChordTextsFollowAndALongerNameKeepsItsEnd) {
    Score score = treble(0);
    Stave& s = score.stave(1);
    const int chord = append(s, test::makeTextHead(60, -40, 1, "Am7", TextTransposable));
    const int words = append(s, test::makeTextHead(60, 40, 1, "Allegro", 0));
    const int full = append(s, test::makeTextHead(90, -40, 1, "Cmaj7/G/Em", TextTransposable));
    ASSERT_TRUE(transpose(score, +2));
    EXPECT_EQ(longTextOf(s, chord), "Bm7");
    EXPECT_EQ(longTextOf(s, words), "Allegro");
    EXPECT_EQ(longTextOf(s, full), "Dmaj7/A/F" + Sharp + "m") << "eleven characters: a chunk more, nothing lost";

    ASSERT_TRUE(transpose(score, 12));
    EXPECT_EQ(longTextOf(s, chord), "Bm7") << "the octave leaves names alone";
    EXPECT_EQ(s.object(2).keyCount(), 2);
    EXPECT_EQ(s.object(4).staffPosition(), -3 + 1 + 7);
}

TEST(Transpose, ClefChangeKeepsThePitchAndAClefAlreadyTheTargetGoes) {
    Score score = test::makeScore(1);
    Stave& s = score.stave(1);
    append(s, makeNote(5, 2)); // before any clef: stays
    append(s, test::makeClef(10, ClefTreble));
    append(s, makeNote(20, -6));
    append(s, test::makeClef(30, ClefBass));
    append(s, makeNote(40, 3));
    TransposeRequest r;
    r.clefTarget = ClefBass;
    test::ScriptedUi ui;
    ASSERT_TRUE(Transpose(score, r, nullptr, ui));
    EXPECT_EQ(s.object(1).staffPosition(), 2);
    EXPECT_EQ(s.object(2).clefType(), ClefBass);
    EXPECT_EQ(s.object(3).staffPosition(), 6) << "treble to bass: twelve steps up";
    EXPECT_EQ(s.object(3).y(), makeNote(20, -6).y() - 48);
    EXPECT_TRUE(s.object(4).is(ObjectKind::Deleted)) << "the second clef was already bass";
    EXPECT_EQ(s.object(5).staffPosition(), 3);
}

TEST(Transpose, StemsFollowTheNoteOrTheirBeamChain) {
    Score score = test::makeScore(1);
    Stave& s = score.stave(1);
    const int a = append(s, makeNote(10, 1, 4)), b = append(s, makeNote(20, 1, 4)), c = append(s, makeNote(30, -4, 4));
    s.object(a).setBeamForward(b), s.object(b).setBeamBack(a), s.object(b).setBeamForward(c),
        s.object(c).setBeamBack(b);
    const int high = append(s, makeNote(40, 3)), low = append(s, makeNote(50, -1));
    for (int i = 1; i <= s.Nobjec; ++i)
        s.object(i).setStem(2);
    TransposeRequest r;
    r.adjustStems = true;
    test::ScriptedUi ui;
    Transpose(score, r, nullptr, ui);
    EXPECT_EQ(s.object(a).stem(), 0);
    EXPECT_EQ(s.object(b).stem(), 0);
    EXPECT_EQ(s.object(c).stem(), 0) << "the chain's positions add up to -2: stems up";
    EXPECT_EQ(s.object(high).stem(), 1);
    EXPECT_EQ(s.object(low).stem(), 0);
}

TEST(Transpose, AWiderKeyPushesItsSystemAlongAndTheSystemKeepsItsRightEnd) {
    Score score = test::makeScore(2);
    score.stave(1).joinToNext = true; // one system of two staves, ending at the stave's end
    for (int s = 1; s <= 2; ++s) {
        Stave& st = score.stave(s);
        append(st, test::makeClef(10, ClefTreble, st.Ycoord));
        append(st, key(30, 1));
        ScoreObject time = makeObject(ObjectKind::TimeSignature);
        time.setX(50);
        append(st, time);
        append(st, makeNote(80, 0, 3, st.Ycoord));
        ScoreObject bar = makeObject(ObjectKind::Barline);
        bar.setX(600);
        append(st, bar);
    }
    ASSERT_TRUE(transpose(score, 2, 1, 1)); // G to A on the upper stave alone
    for (int s = 1; s <= 2; ++s) {
        const Stave& st = score.stave(s);
        EXPECT_EQ(st.object(3).x(), 50 + 24) << "two more sharps: the time signature moves 24";
        EXPECT_GT(st.object(4).x(), 80) << "the staves of the system stay together";
        EXPECT_EQ(st.object(4).x(), score.stave(1).object(4).x());
        EXPECT_EQ(st.object(5).x(), 600) << "the end bar line stays at the stave's end";
    }
    EXPECT_EQ(score.stave(2).object(2).keyCount(), 1);
}

TEST(Transpose, NotesAreNeverCarriedPastTheStaffPositionsAStaveHolds) {
    Score score = treble(0);
    score.stave(1).object(6).setStaffPosition(124);
    test::ScriptedUi ui;
    EXPECT_FALSE(transpose(score, 12, 1, 1, &ui));
    EXPECT_EQ(ui.lastText(), OutOfRangeMessage);
    EXPECT_EQ(score.stave(1).object(6).staffPosition(), 124);
    EXPECT_TRUE(transpose(score, 3));
}

// True when `k` comes back spelt as it was from `distance` semitones up and as
// many down, and from twelve single steps up (the keys of the circle -6..5).
bool keyComesBack(int k, int distance) {
    int x = k;
    for (int n = 0; n < distance; ++n)
        x = transposeKey(x, +1);
    for (int n = 0; n < distance; ++n)
        x = transposeKey(x, -1);
    return x == k && k >= -6 && k <= 5;
}

// Music a transposition there and back leaves as it was: clefs, keys that come
// back as they were spelt, notes and rests, curve points, arpeggios, chord names
// and other texts; no accidentals.
Score randomMusic(std::mt19937& rng, int staves, int distance) {
    Score score = test::makeScore(staves);
    auto pick = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    std::vector<int> keys;
    for (int k = -7; k <= 7; ++k)
        if (keyComesBack(k, distance)) keys.push_back(k);
    const auto anyKey = [&] { return keys[std::size_t(pick(0, int(keys.size()) - 1))]; };
    for (int s = 1; s <= staves; ++s) {
        Stave& st = score.stave(s);
        st.RightX = 3000; // room to spare: wider keys only push the music along
        append(st, test::makeClef(10, pick(0, 3), st.Ycoord));
        append(st, key(20, anyKey()));
        // Music starts clear of the widest key, as it does on a page.
        for (int x = 120; st.Nobjec < pick(5, 120); x += 8) {
            switch (pick(0, 9)) {
            case 0: append(st, key(x, anyKey())), x += 84; break;
            case 1: append(st, test::makeRest(x)); break;
            case 2: {
                ScoreObject o = makeObject(pick(0, 1) ? ObjectKind::CurvePoint : ObjectKind::Arpeggio);
                o.setX(x), o.setY(pick(-60, 60));
                append(st, o);
                break;
            }
            case 3: {
                const std::string name(1, char('A' + pick(0, 6)));
                append(st, test::makeTextHead(x, -40, 1, name + "m7", TextTransposable));
                break;
            }
            default: append(st, makeNote(x, pick(-20, 20), pick(0, 7), st.Ycoord));
            }
        }
        StaveExtent(score, s);
    }
    return score;
}

// Where two staves first differ: a header field or an object's bytes.
std::string firstDifference(const Stave& a, const Stave& b) {
    if (a.MinY != b.MinY || a.MaxY != b.MaxY || a.Nobjec != b.Nobjec)
        return "extent or count: " + std::to_string(a.MinY) + ".." + std::to_string(a.MaxY) + " vs " +
               std::to_string(b.MinY) + ".." + std::to_string(b.MaxY);
    for (int i = 0; i < ObjectSlots; ++i) {
        if (a.object(i) == b.object(i)) continue;
        std::string text = "object " + std::to_string(i) + ":";
        for (int k = 0; k < 20; ++k)
            text += " " + std::to_string(a.object(i).u8(k)) + "/" + std::to_string(b.object(i).u8(k));
        return text;
    }
    return "other header fields";
}

void expectSameStaves(const Score& a, const Score& b, const std::string& what) {
    for (int s = 1; s <= a.Nstaves; ++s)
        EXPECT_TRUE(a.stave(s) == b.stave(s)) << what << ", stave " << s << ": "
                                               << firstDifference(a.stave(s), b.stave(s));
}

TEST(TransposeProperties, ThereAndBackTwelveStepsAndOneUndo) {
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        const int staves = int(seed % 4) + 1;
        const int distance = int(seed % 11) + 1;
        std::mt19937 rng(seed), same(seed);
        Score score = randomMusic(rng, staves, distance);
        const Score original = randomMusic(same, staves, distance);
        ASSERT_TRUE(transpose(score, distance, 1, staves));
        ASSERT_TRUE(transpose(score, -distance, 1, staves));
        expectSameStaves(score, original, "up and down " + std::to_string(distance));

        std::mt19937 again(seed), twice(seed), thrice(seed);
        Score steps = randomMusic(again, staves, distance);
        Score octave = randomMusic(twice, staves, distance);
        Score atOnce = randomMusic(thrice, staves, distance);
        transpose(atOnce, distance, 1, staves);
        for (int n = 0; n < 12; ++n) {
            transpose(steps, 1, 1, staves);
            if (n + 1 == distance) expectSameStaves(steps, atOnce, std::to_string(distance) + " single steps");
        }
        transpose(octave, 12, 1, staves);
        expectSameStaves(steps, octave, "twelve semitones and the octave");

        score.undo.open(20);
        TransposeRequest whole{distance, 1, staves, ClefBass, true};
        test::ScriptedUi ui;
        Transpose(score, whole, &score.undo, ui);
        EXPECT_GT(score.undo.undoStep(score, ui), 0);
        expectSameStaves(score, original, "undone");
    }
}

} // namespace
} // namespace qv
