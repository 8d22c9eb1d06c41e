// MusicXML import: what each kind of notation becomes, the message of what was
// simplified, the refusals that leave nothing, and the benchmark pieces.

#include "interchange/exportmodel.h"
#include "interchange/musicxmlimport.h"
#include "interchange/mxlarchive.h"
#include "interchange/pitch.h"
#include "model/staveops.h"
#include "musicxmltext.h"
#include "scorenotes.h"
#include "support/scratchfolder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace qv::test {
namespace {

std::optional<Score> importText(const std::string& xml, ScriptedUi& ui) {
    return importMusicXmlBytes(bytesOf(xml), "test.musicxml", ui);
}

// The objects of one kind on stave s, in stave order.
std::vector<ScoreObject> objectsOf(const Score& score, int s, ObjectKind kind) {
    std::vector<ScoreObject> out;
    const Stave& st = score.stave(s);
    for (int i = 1; i <= st.Nobjec; ++i)
        if (st.object(i).is(kind)) out.push_back(st.object(i));
    return out;
}

std::vector<ScoreObject> notesOf(const Score& score, int s) {
    std::vector<ScoreObject> out;
    for (const ScoreObject& o : objectsOf(score, s, ObjectKind::Note))
        if (!o.isRest()) out.push_back(o);
    return out;
}

TEST(PitchTest, StaffPositionsUnderEveryClefRoundTrip) {
    struct Case {
        WrittenPitch pitch;
        int clef;
        int octaveChange;
        int position;
    };
    const Case cases[] = {
        {{'B', 4}, 0, 0, 0}, {{'C', 4}, 0, 0, -6}, {{'F', 5}, 0, 0, 4},  {{'D', 3}, 1, 0, 0}, {{'C', 4}, 1, 0, 6},
        {{'C', 4}, 2, 0, 0}, {{'A', 3}, 3, 0, 0},  {{'C', 4}, 3, 0, 2},  {{'B', 3}, 0, -1, 0}, {{'C', 0}, 1, 0, -22},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(staffPositionOf(c.pitch, c.clef, c.octaveChange), c.position) << c.pitch.step << c.pitch.octave;
        EXPECT_EQ(pitchAt(c.position, c.clef, c.octaveChange), c.pitch) << c.position;
    }
    EXPECT_EQ(keyAlter(2, 'F'), 1);
    EXPECT_EQ(keyAlter(2, 'C'), 1);
    EXPECT_EQ(keyAlter(2, 'G'), 0);
    EXPECT_EQ(keyAlter(-3, 'A'), -1);
    EXPECT_EQ(keyAlter(-3, 'D'), 0);
}

// One note in a bar, under a clef and key: where it stands and what accidental it gets.
TEST(ImportTest, PitchesUnderClefsAndKeysAndTheirAccidentals) {
    struct Case {
        const char* name;
        const char* clef; // sign and line
        int fifths;
        std::string notes;
        std::vector<int> positions;
        std::vector<int> accidentals; // in stave order
    };
    const std::string acc = "<accidental>sharp</accidental>";
    const Case cases[] = {
        {"treble C4", "G2", 0, note("C4", 16, "whole"), {-6}, {}},
        {"bass C4", "F4", 0, note("C4", 16, "whole"), {6}, {}},
        {"alto C4", "C3", 0, note("C4", 16, "whole"), {0}, {}},
        {"tenor C4", "C4", 0, note("C4", 16, "whole"), {2}, {}},
        {"printed sharp", "G2", 0, note("F#4", 16, "whole", acc), {-3}, {1}},
        {"sharp by the bar rule", "G2", 0, note("F#4", 16, "whole"), {-3}, {1}},
        {"key gives the sharp", "G2", 2, note("F#5", 16, "whole"), {4}, {}},
        {"natural against the key", "G2", 2, note("F5", 16, "whole"), {4}, {0}},
        {"second sharp in the bar is not repeated", "G2", 0, note("F#4", 8, "half") + note("F#4", 8, "half"), {-3, -3}, {1}},
        {"flat in a flat key", "G2", -2, note("Bb4", 8, "half") + note("Eb5", 8, "half"), {0, 3}, {}},
        {"printed cautionary natural", "G2", 0, note("C5", 16, "whole", "<accidental>natural</accidental>"), {1}, {0}},
    };
    for (const Case& c : cases) {
        const std::string clef = std::string("<clef><sign>") + c.clef[0] + "</sign><line>" + c.clef[1] + "</line></clef>";
        const std::string m = "<measure number=\"1\"><attributes><divisions>4</divisions><key><fifths>" + std::to_string(c.fifths) +
            "</fifths></key><time><beats>4</beats><beat-type>4</beat-type></time>" + clef + "</attributes>" + c.notes +
            "</measure>";
        ScriptedUi ui;
        const auto score = importText(partwise(m), ui);
        ASSERT_TRUE(score) << c.name << ": " << (ui.messages.empty() ? "" : ui.messages[0].text);
        std::vector<int> positions, accidentals;
        for (const ScoreObject& o : notesOf(*score, 1)) positions.push_back(o.staffPosition());
        for (const ScoreObject& o : objectsOf(*score, 1, ObjectKind::Accidental)) accidentals.push_back(o.accValue());
        EXPECT_EQ(positions, c.positions) << c.name;
        EXPECT_EQ(accidentals, c.accidentals) << c.name;
        EXPECT_TRUE(ui.messages.empty()) << c.name;
    }
}

TEST(ImportTest, ChordsDotsTiesBeamsSlursAndTuplets) {
    const std::string beam = "<beam number=\"1\">";
    const std::string body =
        // A dotted minim chord C E G, then a crotchet tied into the next bar.
        note("C4", 12, "half", "<dot/>") + note("E4", 12, "half", "<dot/>", true) + note("G4", 12, "half", "<dot/>", true) +
        note("D5", 4, "quarter", "<notations><tied type=\"start\"/></notations>");
    const std::string second =
        // The beam's first note gives its stem to the group, whatever the others say.
        note("D5", 2, "eighth", "<stem>down</stem>" + beam + "begin</beam><notations><tied type=\"stop\"/><slur type=\"start\" number=\"1\"/></notations>") +
        note("E5", 2, "eighth", "<stem>up</stem>" + beam + "continue</beam>") + note("F5", 2, "eighth", beam + "continue</beam>") +
        note("G5", 2, "eighth", beam + "end</beam><notations><slur type=\"stop\" number=\"1\"/></notations>") +
        // A triplet of quavers in the time of a crotchet, then a rest.
        note("A4", 1, "eighth", "<time-modification><actual-notes>3</actual-notes><normal-notes>2</normal-notes></time-modification>"
                                "<notations><tuplet type=\"start\"/></notations>") +
        note("B4", 1, "eighth", "<time-modification><actual-notes>3</actual-notes><normal-notes>2</normal-notes></time-modification>") +
        note("C5", 2, "eighth", "<time-modification><actual-notes>3</actual-notes><normal-notes>2</normal-notes></time-modification>") +
        note("rest", 4, "quarter");
    ScriptedUi ui;
    const auto score = importText(partwise(measure(1, body) + measure(2, second, false)), ui);
    ASSERT_TRUE(score);
    EXPECT_TRUE(ui.messages.empty());
    const Stave& st = score->stave(1);
    const std::vector<ScoreObject> notes = notesOf(*score, 1);
    ASSERT_EQ(notes.size(), 11u);
    // The chord: three heads at one x, the bottom one stemmed up with its stem reaching the top one.
    EXPECT_EQ(notes[0].x(), notes[2].x());
    int stemmed = 0;
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(notes[static_cast<std::size_t>(k)].dots(), 1);
        if (notes[static_cast<std::size_t>(k)].stem() != StemNone) {
            ++stemmed;
            EXPECT_EQ(notes[static_cast<std::size_t>(k)].staffPosition(), -6);
            EXPECT_EQ(notes[static_cast<std::size_t>(k)].stemExtra(), 4);
        }
    }
    EXPECT_EQ(stemmed, 1);
    // The tie across the bar line and the beam chain of four quavers.
    int ties = 0, beamLinks = 0;
    for (int i = 1; i <= st.Nobjec; ++i) {
        const ScoreObject& o = st.object(i);
        if (!o.isNote()) continue;
        if (o.tiedTo()) {
            ++ties;
            EXPECT_EQ(st.object(o.tiedTo()).tiedFrom(), i);
            EXPECT_EQ(st.object(o.tiedTo()).staffPosition(), o.staffPosition());
        }
        if (o.beamForward()) {
            ++beamLinks;
            EXPECT_EQ(st.object(o.beamForward()).beamBack(), i);
        }
    }
    EXPECT_EQ(ties, 1);
    EXPECT_EQ(beamLinks, 3); // the four quavers
    for (std::size_t k = 4; k <= 7; ++k) EXPECT_EQ(notes[k].stem(), StemDown) << k;
    // The slur: one curve of linked points from the first quaver to the fourth.
    const std::vector<ScoreObject> points = objectsOf(*score, 1, ObjectKind::CurvePoint);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_LT(points.front().x(), points.back().x());
    // The triplet is plain quavers with a "3" over them.
    bool three = false;
    for (int i = 1; i <= st.Nobjec; ++i)
        if (st.object(i).is(ObjectKind::LongText) && st.object(i).chunkText() == "3") three = true;
    EXPECT_TRUE(three);
    EXPECT_EQ(notes[8].duration(), 4);
    EXPECT_EQ(objectsOf(*score, 1, ObjectKind::Note).size(), 12u); // the rest too
}

TEST(ImportTest, TimeSignaturesReadBackAsWritten) {
    // Our fixed signs where there is one, digits where there is not; both read
    // back (by the export's reading of the page) as the file's beats and beat type.
    for (const auto& [beats, type] : std::vector<std::pair<int, int>>{{3, 4}, {3, 8}, {6, 8}, {2, 2}, {5, 8}, {12, 16}, {7, 4}}) {
        const std::string bar = "<measure number=\"1\"><attributes><divisions>4</divisions><time><beats>" +
                                std::to_string(beats) + "</beats><beat-type>" + std::to_string(type) +
                                "</beat-type></time><clef><sign>G</sign><line>2</line></clef></attributes>" +
                                note("C5", 4, "quarter") + "</measure>";
        ScriptedUi ui;
        const auto score = importText(partwise(bar), ui);
        ASSERT_TRUE(score) << beats << "/" << type;
        const ExportScore back = buildExportScore(*score);
        ASSERT_FALSE(back.parts.empty());
        const TimeChange* time = nullptr;
        for (const MeasureItem& item : back.parts[0].measures.at(0).staves.at(0).items)
            if (!time) time = std::get_if<TimeChange>(&item);
        ASSERT_TRUE(time) << beats << "/" << type;
        EXPECT_EQ(time->beats, beats);
        EXPECT_EQ(time->beatType, type);
    }
}

TEST(ImportTest, TiesAndSlursOverASystemBreakAreCurvesOnEachSide) {
    // Two measures too wide to share a line: the tie and the slur from the last note
    // of the first run on to the first note of the second.
    std::string first, second;
    for (int i = 0; i < 99; ++i) first += note("C5", 1, "16th");
    first += note("E5", 1, "16th", "<notations><tied type=\"start\"/><slur type=\"start\" number=\"1\"/></notations>");
    second = note("E5", 1, "16th", "<notations><tied type=\"stop\"/></notations>") + note("D5", 1, "16th") +
             note("C5", 1, "16th", "<notations><slur type=\"stop\" number=\"1\"/></notations>");
    ScriptedUi ui;
    const auto score = importText(partwise(measure(1, first) + measure(2, second, false)), ui);
    ASSERT_TRUE(score);
    ASSERT_EQ(score->Nstaves, 2);
    for (int s = 1; s <= 2; ++s) {
        EXPECT_EQ(objectsOf(*score, s, ObjectKind::CurvePoint).size(), 6u) << "stave " << s; // a tie and a slur
        for (const ScoreObject& o : notesOf(*score, s)) EXPECT_EQ(o.tiedTo() + o.tiedFrom(), 0);
    }
}

TEST(ImportTest, ChordSymbolsBecomeTransposableTextsAndCreditsATitleBlockAboveTheFirstStave) {
    const std::string harmony =
        "<harmony><root><root-step>D</root-step></root><kind>major</kind></harmony>" + note("D5", 8, "half") +
        "<harmony><root><root-step>B</root-step><root-alter>-1</root-alter></root><kind>minor-seventh</kind>"
        "<bass><bass-step>F</bass-step></bass></harmony>" + note("D5", 8, "half");
    const std::string head =
        "<defaults><scaling><millimeters>7</millimeters><tenths>40</tenths></scaling><page-layout>"
        "<page-height>1697.14</page-height><page-width>1200</page-width><page-margins type=\"both\">"
        "<left-margin>85.71</left-margin><right-margin>85.71</right-margin><top-margin>85.71</top-margin>"
        "<bottom-margin>85.71</bottom-margin></page-margins></page-layout></defaults>"
        "<credit page=\"1\"><credit-type>title</credit-type><credit-words>Little Suite</credit-words></credit>"
        "<credit page=\"1\"><credit-type>composer</credit-type><credit-words>A. Composer</credit-words></credit>";
    ScriptedUi ui;
    const auto score = importText(partwise(measure(1, harmony), head), ui);
    ASSERT_TRUE(score);
    std::vector<std::string> chords;
    const Stave& st = score->stave(1);
    for (int i = 1; i <= st.Nobjec; ++i) {
        const ScoreObject& o = st.object(i);
        if (o.is(ObjectKind::LongText) && !o.isContinuation() && (o.textAttributes() & TextTransposable))
            chords.push_back(longTextOf(st, i));
    }
    EXPECT_EQ(chords, (std::vector<std::string>{"D", "B\x8Dm7/F"}));
    // A4 paper with 15 mm margins and a stave of 7 mm.
    EXPECT_NEAR(score->page.Width, 210 / 25.4, 0.01);
    EXPECT_NEAR(score->page.Length, 297 / 25.4, 0.01);
    EXPECT_NEAR(score->page.LeftM, 15 / 25.4, 0.01);
    EXPECT_NEAR(score->StvSiz, 7 / 25.4, 0.001);
    // The title block stands above the first stave, printed on page 1 only: not in the header.
    std::vector<std::string> credits;
    int lowestCredit = -1000000, highestMusic = 1000000;
    for (int i = 1; i <= st.Nobjec; ++i) {
        const ScoreObject& o = st.object(i);
        if (o.is(ObjectKind::LongText) && !o.isContinuation() && (o.textAttributes() & TextImmobile)) {
            credits.push_back(longTextOf(st, i));
            lowestCredit = std::max(lowestCredit, static_cast<int>(o.y()));
        } else if (!o.is(ObjectKind::LongText)) {
            highestMusic = std::min(highestMusic, static_cast<int>(o.y()));
        }
    }
    EXPECT_EQ(credits, (std::vector<std::string>{"Little Suite", "A. Composer"}));
    EXPECT_LT(lowestCredit, highestMusic);
    EXPECT_LT(lowestCredit, st.Ycoord - 16);
    EXPECT_GE(st.MinY, 0);
    EXPECT_EQ(score->stave(0).Nobjec, 0);
    EXPECT_EQ(score->page.Header, 0);
}

TEST(ImportTest, WhatCannotBeShownIsListedInOneMessage) {
    std::string crowded; // more heads than a stave of a system holds
    for (int i = 0; i < 260; ++i) crowded += note("C5", 1, "16th");
    const std::string secondVoice = "<backup><duration>16</duration></backup><note><pitch><step>E</step><octave>4</octave>"
                                    "</pitch><duration>16</duration><voice>2</voice><type>whole</type></note>";
    const std::string longWords = "<direction><direction-type><words>" + std::string(300, 'a') +
                                  "</words></direction-type></direction>";
    struct Case {
        const char* name;
        std::string body;
        std::vector<const char*> phrases;
        std::size_t notes; // 0: the stave is full, holding fewer than were written
    };
    const Case cases[] = {
        {"lyrics and a second voice", note("C5", 16, "whole", "<lyric><text>la</text></lyric>") + secondVoice,
         {"lyrics", "second voice"}, 1},
        {"a text too long", longWords + note("C5", 16, "whole"), {"texts longer than 200"}, 1},
        {"a crowded stave", crowded, {"more than 249 objects"}, 0},
        {"grace notes and microtones",
         "<note><grace/><pitch><step>D</step><octave>5</octave></pitch><voice>1</voice><type>eighth</type></note>"
         "<note><pitch><step>C</step><alter>0.5</alter><octave>5</octave></pitch><duration>16</duration><voice>1</voice></note>",
         {"grace notes", "microtones"}, 1},
    };
    for (const Case& c : cases) {
        ScriptedUi ui;
        const auto score = importText(partwise(measure(1, c.body)), ui);
        ASSERT_TRUE(score) << c.name;
        ASSERT_EQ(ui.messages.size(), 1u) << c.name;
        EXPECT_EQ(ui.messages[0].type, MessageType::Warning) << c.name;
        const std::string& text = ui.messages[0].text;
        EXPECT_EQ(text.rfind(SimplifiedMessage, 0), 0u) << c.name;
        for (const char* phrase : c.phrases) EXPECT_NE(text.find(phrase), std::string::npos) << c.name << ": " << text;
        if (c.notes == 0) {
            EXPECT_EQ(score->stave(1).Nobjec, MaxObjects);
            EXPECT_LT(notesOf(*score, 1).size(), 260u);
        } else {
            EXPECT_EQ(notesOf(*score, 1).size(), c.notes) << c.name;
        }
        for (int s = 1; s <= score->Nstaves; ++s) EXPECT_LE(score->stave(s).Nobjec, MaxObjects);
    }
}

TEST(ImportTest, RefusalsShowOneErrorAndGiveNothing) {
    std::string manyStaves = "<part-list>";
    std::string parts;
    for (int p = 1; p <= 130; ++p) {
        const std::string id = "P" + std::to_string(p);
        manyStaves += "<score-part id=\"" + id + "\"><part-name>x</part-name></score-part>";
        parts += "<part id=\"" + id + "\"><measure number=\"1\"><attributes><staves>2</staves></attributes>" +
                 note("C4", 4, "quarter") + "</measure></part>";
    }
    manyStaves = "<score-partwise>" + manyStaves + "</part-list>" + parts + "</score-partwise>";
    // A hundred grand staves fill a system of 200 staves, and the first part's two
    // measures of 100 semiquavers each cannot share one line even at the smallest size.
    std::string dense = "<part-list>", denseParts, crowded;
    for (int i = 0; i < 100; ++i) crowded += note("C5", 1, "16th");
    for (int p = 1; p <= 100; ++p) {
        const std::string id = "P" + std::to_string(p);
        dense += "<score-part id=\"" + id + "\"><part-name>x</part-name></score-part>";
        const std::string body = p == 1 ? crowded : note("C4", 16, "whole");
        denseParts += "<part id=\"" + id + "\"><measure number=\"1\"><attributes><divisions>4</divisions><staves>2</staves>"
                      "</attributes>" + body + "</measure><measure number=\"2\">" + body + "</measure></part>";
    }
    dense = "<score-partwise>" + dense + "</part-list>" + denseParts + "</score-partwise>";
    struct Case {
        const char* name;
        std::string text;
        const char* reason;
    };
    const Case cases[] = {
        {"not XML", "this is not a score", "not well-formed XML"},
        {"another XML", "<html><body/></html>", "not a MusicXML score"},
        {"timewise", "<score-timewise><part-list/></score-timewise>", "timewise"},
        {"no part list", "<score-partwise><part id=\"P1\"/></score-partwise>", "part-list"},
        {"a note without duration", partwise(measure(1, "<note><pitch><step>C</step><octave>4</octave></pitch></note>")), "<duration>"},
        {"a misspelt step", partwise(measure(1, note("H4", 4, "quarter"))), "<step>"},
        {"a pitch without octave", partwise(measure(1, "<note><pitch><step>C</step></pitch><duration>4</duration></note>")), "<octave>"},
        {"an absurd duration", partwise(measure(1, note("C4", 999999999, "quarter"))), "<duration>"},
        {"no divisions", partwise("<measure number=\"1\"><attributes><divisions>0</divisions></attributes></measure>"), "<divisions>"},
        {"cut short", partwise(measure(1, note("C4", 4, "quarter"))).substr(0, 300), "not well-formed"},
        {"more staves than a score holds", manyStaves, "260 staves"},
        {"more systems than a score holds", dense, "even at the smallest stave size"},
        {"a damaged zip", std::string("PK\x03\x04") + std::string(200, 'x'), "archive"},
    };
    for (const Case& c : cases) {
        ScriptedUi ui;
        EXPECT_FALSE(importText(c.text, ui)) << c.name;
        ASSERT_EQ(ui.messages.size(), 1u) << c.name;
        EXPECT_EQ(ui.messages[0].type, MessageType::Error) << c.name;
        EXPECT_EQ(ui.messages[0].text.rfind("Cannot import test.musicxml: ", 0), 0u) << c.name << ": " << ui.messages[0].text;
        EXPECT_NE(ui.messages[0].text.find(c.reason), std::string::npos) << c.name << ": " << ui.messages[0].text;
    }
}

TEST(ImportTest, FilesAreCheckedBeforeTheyAreRead) {
    ScratchFolder folder;
    ScriptedUi ui;
    EXPECT_FALSE(importMusicXml(folder.path(), ui)); // a folder
    EXPECT_FALSE(importMusicXml(folder.at("missing.musicxml"), ui));
    // Larger than any score we read: refused by its size, before anything is read.
    const std::string huge = folder.at("huge.musicxml");
    writeBytes(huge, bytesOf("<score-partwise>"));
    std::filesystem::resize_file(huge, MaxMusicXmlBytes + 1);
    EXPECT_FALSE(importMusicXml(huge, ui));
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_NE(ui.messages[1].text.find("missing.musicxml"), std::string::npos);
    EXPECT_NE(ui.messages[2].text.find("huge.musicxml"), std::string::npos);
}

TEST(ImportTest, CompressedFilesReadTheirRootFileAndRefuseDamage) {
    const std::string path = std::string(QUAVERLY_SOURCE_DIR) + "/fuzz/corpus-import/small.mxl";
    ScriptedUi ui;
    const auto score = importMusicXml(path, ui);
    ASSERT_TRUE(score);
    EXPECT_FALSE(notesOf(*score, 1).empty());
    std::vector<std::uint8_t> damaged = fileBytes(path);
    ASSERT_GT(damaged.size(), 100u);
    damaged.resize(damaged.size() - 30); // the central directory cut off
    EXPECT_FALSE(importMusicXmlBytes(damaged, "small.mxl", ui));
    EXPECT_NE(ui.messages.back().text.find("archive"), std::string::npos);
}

// Counts in the file's text, apart from the importer: notes that sound and rests.
struct Counted {
    int notes = 0;
    int rests = 0;
};
Counted countNotes(const std::string& text) {
    Counted c;
    for (std::size_t at = text.find("<note>"); at != std::string::npos; at = text.find("<note>", at + 1)) {
        const std::size_t end = text.find("</note>", at);
        if (end == std::string::npos) break;
        const std::string inner = text.substr(at, end - at);
        if (inner.find("<grace") != std::string::npos) continue;
        (inner.find("<rest") != std::string::npos ? c.rests : c.notes) += 1;
    }
    return c;
}

TEST(ImportTest, TheBenchmarkPiecesImport) {
    for (const int bars : {16, 160, 800}) {
        const std::string path = "/work/shared/bench/bench_" + std::to_string(bars) + ".musicxml";
        std::ifstream in(path);
        if (!in) GTEST_SKIP() << path << " is not here";
        std::stringstream text;
        text << in.rdbuf();
        ScriptedUi ui;
        const auto score = importMusicXml(path, ui);
        ASSERT_TRUE(score) << path << ": " << (ui.messages.empty() ? "" : ui.messages.back().text);
        EXPECT_EQ(score->Nstaves % 2, 0);
        EXPECT_TRUE(score->stave(1).brace);
        EXPECT_TRUE(score->stave(1).joinToNext);
        if (bars == 800) {
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_NE(ui.messages[0].text.find("stave size"), std::string::npos);
        }
        if (bars != 16) continue;
        EXPECT_TRUE(ui.messages.empty());
        const Counted counted = countNotes(text.str());
        int notes = 0, rests = 0;
        for (int s = 1; s <= score->Nstaves; ++s)
            for (const ScoreObject& o : objectsOf(*score, s, ObjectKind::Note)) (o.isRest() ? rests : notes) += 1;
        EXPECT_EQ(notes, counted.notes);
        EXPECT_EQ(rests, counted.rests);
    }
}

} // namespace
} // namespace qv::test
