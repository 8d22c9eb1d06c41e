// MusicXML export of scores built here, read back by a reader of our own tests:
// pitches under every clef and key, the accidentals a bar holds and ties carry,
// durations and dots, beams, slurs, chord names, dynamics, words, titles, bars
// and parts.

#include "interchange/chordsymbol.h"
#include "interchange/musicxmlwriter.h"
#include "model/pagegeometry.h"
#include "model/staveops.h"
#include "support/musicxmlprobe.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qv {
namespace {

using test::append;
using test::makeNote;

ScoreObject keySig(int x, int count) {
    ScoreObject o = makeObject(ObjectKind::KeySignature, x, 0);
    o.setKeyCount(count);
    return o;
}

ScoreObject accidental(int x, int position, int value) {
    ScoreObject o = makeObject(ObjectKind::Accidental, x, 0);
    o.setAccPosition(position);
    o.setAccValue(value);
    return o;
}

ScoreObject bar(int x, int kind = 0) {
    ScoreObject o = makeObject(ObjectKind::Barline, x, 0);
    o.setBarType(kind);
    return o;
}

ScoreObject symbol(int x, int y, int code) {
    ScoreObject o = makeObject(ObjectKind::Symbol, x, y);
    o.setSymbolCode(code);
    return o;
}

test::ProbeScore exported(const Score& score) {
    test::ProbeScore probe = test::probeMusicXml(exportMusicXml(score));
    EXPECT_TRUE(probe.wellFormed) << probe.error;
    return probe;
}

TEST(ExportPitch, StaffPositionsUnderEachClefAndKey) {
    struct Case {
        int clef, key, position;
        char step;
        int alter, octave;
    };
    const Case cases[] = {
        {0, 0, 0, 'B', 0, 4},    {0, 0, -6, 'C', 0, 4},   {0, 0, -7, 'B', 0, 3},  {1, 0, 0, 'D', 0, 3},
        {1, 0, 6, 'C', 0, 4},    {1, 0, 5, 'B', 0, 3},    {2, 0, 0, 'C', 0, 4},   {3, 0, 0, 'A', 0, 3},
        {3, 0, -2, 'F', 0, 3},   {0, 2, -3, 'F', 1, 4},   {0, 2, 1, 'C', 1, 5},   {0, 2, 2, 'D', 0, 5},
        {0, -3, -4, 'E', -1, 4}, {0, -3, -1, 'A', -1, 4}, {0, -3, -2, 'G', 0, 4}, {1, -1, -2, 'B', -1, 2},
        {1, -1, -3, 'A', 0, 2},  {2, 1, 3, 'F', 1, 4},    {3, 7, 0, 'A', 1, 3},   {0, -7, -6, 'C', -1, 4},
        {0, 6, 0, 'B', 0, 4},    {0, 6, -2, 'G', 1, 4},   {0, -6, -3, 'F', 0, 4}, {0, -6, -6, 'C', -1, 4},
    };
    for (const Case& c : cases) {
        Score score = test::makeScore(1);
        Stave& s = score.stave(1);
        append(s, test::makeClef(10, c.clef, s.Ycoord));
        append(s, keySig(20, c.key));
        append(s, makeNote(40, c.position, 3, s.Ycoord));
        const auto notes = exported(score).pitched();
        ASSERT_EQ(notes.size(), 1u);
        EXPECT_EQ(notes[0].step, c.step)
            << "clef " << c.clef << " key " << c.key << " position " << c.position;
        EXPECT_EQ(notes[0].alter, c.alter)
            << "clef " << c.clef << " key " << c.key << " position " << c.position;
        EXPECT_EQ(notes[0].octave, c.octave)
            << "clef " << c.clef << " key " << c.key << " position " << c.position;
        EXPECT_EQ(notes[0].accidental, "");
    }
}

TEST(ExportPitch, AnAccidentalHoldsToTheBarsEndAndATieCarriesIt) {
    Score score = test::makeScore(1);
    Stave& s = score.stave(1);
    const int y = s.Ycoord;
    append(s, keySig(10, 2));         // F and C sharp
    append(s, accidental(40, -3, 1)); // F4 sharp (already in the key): shown, nothing changes
    append(s, makeNote(40, -3, 3, y));
    append(s, accidental(60, 1, 0)); // C5 natural
    append(s, makeNote(60, 1, 3, y));
    const int tieFrom = append(s, makeNote(80, 1, 3, y));
    append(s, makeNote(90, 8, 3, y)); // C6: another octave keeps the key's sharp
    append(s, bar(100));
    const int tieTo = append(s, makeNote(120, 1, 3, y));
    s.object(tieFrom).setTiedTo(tieTo);
    s.object(tieTo).setTiedFrom(tieFrom);
    append(s, makeNote(140, 1, 3, y)); // the bar is new: the key's sharp again
    append(s, accidental(150, -4, -2));
    append(s, makeNote(160, -4, 3, y));
    append(s, bar(200));
    append(s, makeNote(220, -4, 3, y));
    // A damaged file's tie between two pitches is no tie.
    const int wrongFrom = append(s, makeNote(240, 0, 3, y)), wrongTo = append(s, makeNote(260, 2, 3, y));
    s.object(wrongFrom).setTiedTo(wrongTo);
    s.object(wrongTo).setTiedFrom(wrongFrom);

    struct Expect {
        int measure;
        char step;
        int alter;
        const char* shown;
        bool tieStart, tieStop;
    };
    const Expect expected[] = {
        {1, 'F', 1, "sharp", false, false},
        {1, 'C', 0, "natural", false, false},
        {1, 'C', 0, "", true, false},
        {1, 'C', 1, "", false, false},
        {2, 'C', 0, "", false, true},
        {2, 'C', 1, "", false, false},
        {2, 'E', -2, "flat-flat", false, false},
        {3, 'E', 0, "", false, false},
        {3, 'B', 0, "", false, false},
        {3, 'D', 0, "", false, false},
    };
    const auto notes = exported(score).pitched();
    ASSERT_EQ(notes.size(), std::size(expected));
    for (std::size_t i = 0; i < notes.size(); ++i) {
        EXPECT_EQ(notes[i].measure, expected[i].measure) << "note " << i;
        EXPECT_EQ(notes[i].step, expected[i].step) << "note " << i;
        EXPECT_EQ(notes[i].alter, expected[i].alter) << "note " << i;
        EXPECT_EQ(notes[i].accidental, expected[i].shown) << "note " << i;
        EXPECT_EQ(notes[i].tieStart, expected[i].tieStart) << "note " << i;
        EXPECT_EQ(notes[i].tieStop, expected[i].tieStop) << "note " << i;
    }
}

TEST(ExportDurations, EveryCodeAndDotIsExact) {
    struct Case {
        int code, dots;
        const char* type;
        double crotchets;
    };
    const Case cases[] = {{0, 0, "breve", 8},       {1, 1, "whole", 6},       {2, 2, "half", 3.5},
                          {3, 3, "quarter", 1.875}, {4, 1, "eighth", 0.75},   {5, 0, "16th", 0.25},
                          {6, 2, "32nd", 0.21875},  {7, 3, "64th", 0.1171875}};
    Score score = test::makeScore(1);
    Stave& s = score.stave(1);
    int x = 20;
    for (const Case& c : cases) {
        ScoreObject n = makeNote(x, 0, c.code, s.Ycoord);
        n.setDots(c.dots);
        append(s, n);
        x += 30;
    }
    const auto probe = exported(score);
    const auto notes = probe.pitched();
    ASSERT_EQ(notes.size(), std::size(cases));
    double onset = 0;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        EXPECT_EQ(notes[i].type, cases[i].type);
        EXPECT_EQ(notes[i].dots, cases[i].dots) << cases[i].type;
        EXPECT_DOUBLE_EQ(notes[i].length, cases[i].crotchets) << cases[i].type;
        EXPECT_DOUBLE_EQ(notes[i].onset, onset) << cases[i].type;
        onset += cases[i].crotchets;
    }
}

TEST(ExportNotes, ChordsBeamsStemsSlursAndArticulations) {
    Score score = test::makeScore(1);
    Stave& s = score.stave(1);
    const int y = s.Ycoord;
    int idx[4];
    for (int i = 0; i < 4; ++i) {
        ScoreObject n = makeNote(40 + 20 * i, i, 4, y);
        n.setStem(StemDown);
        idx[i] = append(s, n);
    }
    for (int i = 0; i < 4; ++i) {
        if (i > 0) s.object(idx[i]).setBeamBack(idx[i - 1]);
        if (i < 3) s.object(idx[i]).setBeamForward(idx[i + 1]);
    }
    CurveCollector curve;
    test::ScriptedUi ui;
    curve.add(42, y - 20, s.Nobjec, ui);
    curve.add(70, y - 30, s.Nobjec, ui);
    curve.add(102, y - 20, s.Nobjec, ui);
    curve.store(s, 1, false);
    ScoreObject chordLow = makeNote(130, -2, 2, y), chordHigh = makeNote(130, 2, 2, y);
    chordLow.setStem(StemUp);
    chordLow.setAccent(true);
    chordLow.setStaccato(1);
    append(s, chordLow);
    append(s, chordHigh);
    append(s, symbol(128, y - 30, 65)); // a fermata over the chord

    const auto notes = exported(score).pitched();
    ASSERT_EQ(notes.size(), 6u);
    const char* beams[] = {"begin", "continue", "continue", "end"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(notes[i].beam, beams[i]);
        EXPECT_EQ(notes[i].stem, "down");
        EXPECT_FALSE(notes[i].chord);
    }
    EXPECT_EQ(notes[0].slurStarts, 1);
    EXPECT_EQ(notes[3].slurStops, 1);
    EXPECT_EQ(notes[1].slurStarts + notes[1].slurStops + notes[2].slurStarts + notes[2].slurStops, 0);
    EXPECT_FALSE(notes[4].chord);
    EXPECT_TRUE(notes[5].chord);
    EXPECT_DOUBLE_EQ(notes[5].onset, notes[4].onset);
    EXPECT_EQ(notes[4].stem, "up");
    EXPECT_EQ(notes[4].marks, (std::vector<std::string>{"accent", "staccato", "fermata"}));
}

TEST(ExportNotes, ADamagedCurveWhoseLinksLoopEndsAndOutOfRangeBytesAreHeld) {
    Score score = test::makeScore(1);
    Stave& s = score.stave(1);
    ScoreObject wild = makeNote(40, 0, 9, s.Ycoord); // duration code 9, five dots
    wild.setDots(5);
    append(s, wild);
    append(s, makeNote(80, 0, 3, s.Ycoord));
    ScoreObject a = makeObject(ObjectKind::CurvePoint, 40, 0), b = makeObject(ObjectKind::CurvePoint, 80, 0);
    a.setCurveNext(4);
    b.setCurveNext(3); // back to the first point
    b.setCurvePrev(3);
    append(s, a);
    append(s, b);
    append(s, keySig(90, 12));
    append(s, makeNote(100, -3, 3, s.Ycoord));
    const auto probe = exported(score);
    const auto notes = probe.pitched();
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0].type, "64th");
    EXPECT_EQ(notes[0].dots, 3);
    EXPECT_LE(notes[0].slurStarts, 1);
    const auto& signs = probe.measures[0].signs;
    EXPECT_NE(std::find(signs.begin(), signs.end(), "key 7"), signs.end()) << "a key of 12 sharps is held at 7";
}

TEST(ExportNotes, StemsUpAndDownOfDifferentLengthsAreTwoVoices) {
    Score score = test::makeScore(1);
    Stave& s = score.stave(1);
    const int y = s.Ycoord;
    const auto note = [&](int x, int position, int code, int stem) {
        ScoreObject n = makeNote(x, position, code, y);
        n.setStem(stem);
        append(s, n);
    };
    // Bar 1: minims over crotchets, and a rest on the middle line beside an upper
    // voice's note: the lower voice's rest.
    note(40, 2, 2, StemUp);
    note(40, -4, 3, StemDown);
    note(70, -3, 3, StemDown);
    note(100, 1, 2, StemUp);
    append(s, test::makeRest(100, 3));
    note(130, -3, 3, StemDown);
    append(s, bar(160));
    // Bar 2: stems disagree only in direction: one voice of chords.
    note(180, 2, 2, StemUp);
    note(180, -4, 2, StemDown);

    std::vector<std::string> seen;
    for (const test::ProbeNote& n : exported(score).notes)
        seen.push_back(std::to_string(n.measure) + " v" + std::to_string(n.voice) + " @" +
                       std::to_string(n.onset).substr(0, 3) +
                       (n.rest    ? " rest"
                        : n.chord ? " chord"
                                  : ""));
    EXPECT_EQ(seen,
              (std::vector<std::string>{"1 v1 @0.0", "1 v1 @2.0", "1 v2 @0.0", "1 v2 @1.0", "1 v2 @2.0 rest",
                                        "1 v2 @3.0", "2 v1 @0.0", "2 v1 @0.0 chord"}));
}

TEST(ExportChordSymbols, NamesAreReadIntoRootKindAndBassAndEveryKindHasASpellingThatReadsBack) {
    const std::string flat(1, static_cast<char>(141)), sharp(1, static_cast<char>(143));
    struct Case {
        std::string text;
        bool parsed;
        char root;
        int alter;
        const char* kind;
        char bass;
        int bassAlter;
    };
    const Case cases[] = {
        {"Am7", true, 'A', 0, "minor-seventh", 0, 0},
        {"B" + flat + "maj7/D", true, 'B', -1, "major-seventh", 'D', 0},
        {"F" + sharp + "m", true, 'F', 1, "minor", 0, 0},
        {"C#dim7", true, 'C', 1, "diminished-seventh", 0, 0},
        {"Ebm/Gb", true, 'E', -1, "minor", 'G', -1},
        {" G ", true, 'G', 0, "major", 0, 0},
        {"Dsus4", true, 'D', 0, "suspended-fourth", 0, 0},
        {"Fine", false, 0, 0, "", 0, 0},
        {"Hm", false, 0, 0, "", 0, 0},
        {"C/", false, 0, 0, "", 0, 0},
    };
    for (const Case& c : cases) {
        const auto chord = parseChordSymbol(c.text);
        ASSERT_EQ(chord.has_value(), c.parsed) << c.text;
        if (!chord) continue;
        EXPECT_EQ(chord->root, c.root) << c.text;
        EXPECT_EQ(chord->rootAlter, c.alter) << c.text;
        EXPECT_EQ(chord->kind, c.kind) << c.text;
        EXPECT_EQ(chord->bass.value_or(0), c.bass) << c.text;
        EXPECT_EQ(chord->bassAlter, c.bassAlter) << c.text;
    }
    // The spelling an imported chord is written with reads back as its kind.
    for (const char* kind : {"major", "minor", "augmented", "diminished", "dominant", "major-seventh",
                             "minor-seventh", "diminished-seventh", "augmented-seventh", "half-diminished",
                             "major-minor", "major-sixth", "minor-sixth", "dominant-ninth", "major-ninth",
                             "minor-ninth", "dominant-11th", "major-11th", "minor-11th", "dominant-13th",
                             "major-13th", "minor-13th", "suspended-second", "suspended-fourth", "power"}) {
        const auto chord = parseChordSymbol("C" + chordSuffix(kind));
        ASSERT_TRUE(chord) << kind;
        EXPECT_EQ(chord->kind, kind);
    }
    EXPECT_EQ(chordSuffix("none"), "");
}

TEST(ExportMarks, ChordNamesDynamicsWedgesAndWords) {
    Score score = test::makeScore(1);
    Stave& s = score.stave(1);
    const int y = s.Ycoord;
    append(s, test::makeTextHead(38, y - 40, 1, "Am7", TextTransposable));
    append(s, test::makeTextHead(39, y - 30, 1, "Fine", TextTransposable));
    append(s, makeNote(40, 0, 3, y));
    append(s, symbol(44, y + 30, 141));
    ScoreObject pin = makeObject(ObjectKind::Hairpin, 60, y + 30);
    pin.setHairpinDx(60);
    pin.setHairpinDy(5);
    append(s, pin);
    append(s, makeNote(70, 0, 3, y));
    append(s, test::makeTextHead(75, y + 30, 1, "dolce", TextNonPrinting));
    append(s, test::makeShortText(95, y + 30, 1,
                                  "dol\x1E"
                                  "ce"));
    append(s, makeNote(100, 0, 3, y));
    append(s, symbol(118, y - 30, 213));
    append(s, makeNote(120, 0, 3, y));

    std::vector<std::string> marks;
    for (const test::ProbeMark& m : exported(score).marks)
        marks.push_back(m.kind + " " + m.text);
    EXPECT_EQ(marks,
              (std::vector<std::string>{"harmony A minor-seventh", "words Fine", "dynamics mf",
                                        "wedge crescendo", "words dol ce", "words D.C.", "wedge stop"}));
}

TEST(ExportBars, TimeSignaturesFromTheFixedOnesAndFromFreeDigits) {
    Score score = test::makeScore(1);
    Stave& s = score.stave(1);
    const int y = s.Ycoord;
    const auto digit = [&](int x, int below, int code) {
        ScoreObject o = makeObject(ObjectKind::Glyph, x, y + below);
        o.setSymbolCode(code);
        append(s, o);
    };
    const auto time = [&](int x, int type) {
        ScoreObject o = makeObject(ObjectKind::TimeSignature, x, y);
        o.setTimeType(type);
        append(s, o);
    };
    time(10, 12);
    append(s, makeNote(30, 0, 2, y));
    append(s, bar(100));
    digit(110, 0, 13);  // 5
    digit(110, 16, 16); // 8
    append(s, makeNote(130, 0, 2, y));
    append(s, bar(200));
    digit(210, 0, 9);   // 1
    digit(218, 0, 10);  // 2
    digit(214, 16, 18); // 16
    digit(250, 0, 12);  // a lone 4 is no signature
    append(s, makeNote(230, 0, 2, y));
    append(s, bar(300));
    time(310, 1);
    append(s, makeNote(330, 0, 2, y));
    std::vector<std::string> signs;
    for (const test::ProbeMeasure& m : exported(score).measures)
        for (const std::string& sign : m.signs)
            if (sign.rfind("time", 0) == 0) signs.push_back(std::to_string(m.number) + " " + sign);
    EXPECT_EQ(signs, (std::vector<std::string>{"1 time 6/8", "2 time 5/8", "3 time 12/16", "4 time 2/2"}));
}

TEST(ExportBars, AScoreWithoutNotesIsOneBarOfRestAsLongAsItsTime) {
    Score score = test::makeScore(1);
    append(score.stave(1), test::makeClef(5, 1, score.stave(1).Ycoord));
    append(score.stave(1), keySig(15, 3));
    ScoreObject time = makeObject(ObjectKind::TimeSignature, 25, score.stave(1).Ycoord);
    time.setTimeType(6); // 3/4
    append(score.stave(1), time);
    const auto probe = exported(score);
    ASSERT_EQ(probe.measures.size(), 1u);
    EXPECT_EQ(probe.measures[0].signs, (std::vector<std::string>{"key 3", "time 3/4", "clef 1 F4"}));
    EXPECT_DOUBLE_EQ(probe.measures[0].length, 3.0);
    ASSERT_EQ(probe.notes.size(), 1u);
    EXPECT_TRUE(probe.notes[0].wholeMeasure);

    // A bar of nothing but a semibreve rest after a bar of notes is as long as the time too.
    append(score.stave(1), makeNote(40, 0, 2, score.stave(1).Ycoord));
    append(score.stave(1), bar(100));
    append(score.stave(1), test::makeRest(130, 1));
    const auto later = exported(score);
    ASSERT_EQ(later.measures.size(), 2u);
    EXPECT_DOUBLE_EQ(later.measures[1].length, 3.0);
}

TEST(ExportTitles, TheLargestCentredTextIsTheTitleAndTheRightOneTheComposer) {
    Score score = test::makeScore(1);
    score.stave(1).Ycoord = 200;
    test::ScriptedUi ui;
    const int big = score.fonts.registerFont({"Liberation Serif", 24, 0, 0}, ui);
    const int small = score.fonts.registerFont({"Liberation Serif", 10, 0, 0}, ui);
    const int width = musicAreaWidth(score.page, score.StvSiz);
    Stave& s = score.stave(1);
    append(s, test::makeTextHead(width / 2 - 30, 20, small, "Sub"));
    append(s, test::makeTextHead(width / 2 - 40, 40, big, "Air"));
    append(s, test::makeTextHead(width - 60, 75, small, "1695"));
    append(s, test::makeTextHead(width - 90, 60, small, "H. Purcell"));
    append(s, test::makeTextHead(20, 120, small, "Slowly"));
    append(s, makeNote(40, 0, 3, 200));
    const auto probe = exported(score);
    EXPECT_EQ(probe.title, "Air");
    EXPECT_EQ(probe.composer, "H. Purcell");
    // The title block stands on the paper where it stood on the page; the lines
    // of one side are one credit.
    ASSERT_EQ(probe.credits.size(), 3u);
    const double unit = score.StvSiz / 32, left = score.page.LeftM, top = score.page.TopM + score.page.Header;
    struct Expect {
        const char *type, *justify, *text;
        double x, y;
    };
    const Expect expected[] = {
        {"", "center", "Sub", left + (width / 2 - 30) * unit, top + 20 * unit},
        {"title", "center", "Air", left + width / 2 * unit, top + 40 * unit},
        {"composer", "right", "H. Purcell\n1695", left + (width - 30) * unit, top + 60 * unit}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(probe.credits[i].type, expected[i].type);
        EXPECT_EQ(probe.credits[i].justify, expected[i].justify);
        EXPECT_EQ(probe.credits[i].text, expected[i].text);
        EXPECT_NEAR(probe.credits[i].x, expected[i].x, 0.3) << expected[i].text;
        EXPECT_NEAR(probe.credits[i].y, expected[i].y, 0.01) << expected[i].text;
    }
    ASSERT_EQ(probe.marks.size(), 1u);
    EXPECT_EQ(probe.marks[0].text, "Slowly");
}

TEST(ExportBars, PartsFromSystemsBarsFromBarLinesAcrossSystems) {
    // Two systems of a braced pair and a single stave below it.
    Score score = test::makeScore(6);
    for (int s : {1, 4})
        score.stave(s).brace = true;
    for (int s : {1, 2, 4, 5})
        score.stave(s).joinToNext = true;
    for (int s = 1; s <= 6; ++s) {
        Stave& st = score.stave(s);
        append(st, test::makeClef(5, s % 3 == 2 ? 1 : 0, st.Ycoord));
        append(st, keySig(15, -1));
    }
    Stave& top = score.stave(1);
    append(top, bar(22, 2));
    append(top, makeNote(30, 0, 2, top.Ycoord));
    append(top, test::makeClef(45, 2, top.Ycoord));
    append(top, makeNote(50, 0, 2, top.Ycoord));
    append(top, bar(100, 1));
    append(top, makeNote(110, 0, 1, top.Ycoord));
    append(top, bar(200, 3));
    append(score.stave(2), makeNote(30, 0, 1, score.stave(2).Ycoord));
    append(score.stave(3), test::makeRest(110, 1));
    Stave& next = score.stave(4);
    append(next, makeNote(30, 0, 1, next.Ycoord));
    append(next, bar(100, 5));

    const auto probe = exported(score);
    ASSERT_EQ(probe.parts, 2);
    EXPECT_EQ(probe.staves, (std::vector<int>{2, 1}));
    std::vector<std::string> bars;
    for (const test::ProbeMeasure& m : probe.measures)
        bars.push_back(std::to_string(m.part) + ":" + std::to_string(m.number) + " " + m.left + "|" +
                       m.right + (m.newSystem ? " new" : ""));
    EXPECT_EQ(bars, (std::vector<std::string>{"0:1 heavy-light repeat|light-light", "0:2 |light-heavy repeat",
                                              "0:3 |light-heavy new", "1:1 heavy-light repeat|light-light",
                                              "1:2 |light-heavy repeat", "1:3 |light-heavy new"}));
    // The opening signs once; the alto clef changes the second minim; the second
    // system restates only the treble clef that the alto one replaced.
    EXPECT_EQ(probe.measures[0].signs,
              (std::vector<std::string>{"key -1", "clef 1 G2", "clef 2 F4", "clef 1 C3"}));
    EXPECT_EQ(probe.measures[2].signs, std::vector<std::string>{"clef 1 G2"});
    const auto first = probe.notesOf(0, 1);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(std::string{first[1].step} + std::to_string(first[1].octave), "C4");
    // Silent staves rest for the whole bar; every staff fills the bar.
    for (const test::ProbeMeasure& m : probe.measures)
        EXPECT_DOUBLE_EQ(m.length, 4) << m.part << ":" << m.number;
    const auto silent = probe.notesOf(1, 1);
    ASSERT_EQ(silent.size(), 1u);
    EXPECT_TRUE(silent[0].wholeMeasure);
}

} // namespace
} // namespace qv
