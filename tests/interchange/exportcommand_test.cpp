// "Export MusicXML..." as the window runs it, and our documents as MuseScore 3
// reads them: the demo score and a score typed in through music entry come back
// from MuseScore with every note's pitch, length, bar and place in the bar.

#include "edit/musicxmlcommand.h"
#include "edit/recordinghost.h"
#include "files/loader.h"
#include "interchange/musicxmlwriter.h"
#include "layout/tidystave.h"
#include "support/musicxmlprobe.h"
#include "support/scratchfolder.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <tuple>

namespace qv {
namespace {

struct ExportSession : test::Session {
    test::ScratchFolder folder;
    std::string name = "NONAME1";
    ExportSession() : Session(1) {
        session.fileName = &name;
        installLayoutHooks(score);
        editor.mode = ModeMusic;
        editor.page.currentStave = editor.page.currentPage = 1;
        editor.cursorX = 30;
    }
};

TEST(MusicXmlCommand, WritesOnlyTheChosenFileAndNothingWhenCancelled) {
    ExportSession t;
    test::append(t.score.stave(1), test::makeNote(40, 0, 3, t.score.stave(1).Ycoord));
    t.ui.fileAnswers = {t.folder.at("song.musicxml"), std::nullopt};
    exportMusicXmlCommand(t.session);
    ASSERT_EQ(t.ui.fileRequests.size(), 1u);
    EXPECT_EQ(t.ui.fileRequests[0].fileName, "NONAME.musicxml");
    EXPECT_EQ(t.folder.names(), std::vector<std::string>{"song.musicxml"});
    const auto bytes = test::fileBytes(t.folder.at("song.musicxml"));
    EXPECT_EQ(
        test::probeMusicXml(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())))
            .pitched()
            .size(),
        1u);
    exportMusicXmlCommand(t.session);
    EXPECT_EQ(t.folder.names(), std::vector<std::string>{"song.musicxml"});
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST(MusicXmlCommand, AFolderInTheWayIsReportedAndLeftAlone) {
    ExportSession t;
    const std::string target = t.folder.at("taken.musicxml");
    std::filesystem::create_directory(target);
    test::writeBytes(target + "/inside", test::bytesOf("keep"));
    t.ui.fileAnswers = {target};
    EXPECT_FALSE(writeMusicXmlFile(t.score, target, t.ui));
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text.rfind("An error occurred during the processing of the file.", 0), 0u)
        << t.ui.lastText();
    EXPECT_EQ(test::fileBytes(target + "/inside"), test::bytesOf("keep"));
    EXPECT_EQ(t.folder.names(), std::vector<std::string>{"taken.musicxml"});
}

// quaverly-cli export SCORE --musicxml OUT, with its exit code.
int runCli(const std::string& args) {
    const int status =
        std::system((std::string(QUAVERLY_CLI) + " export " + args + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(MusicXmlCommandLine, WritesTheWholeScoreAndRefusesAPageRange) {
    test::ScratchFolder folder;
    const std::string demo = QUAVERLY_SOURCE_DIR "/resources/demo/demo.QVR";
    ASSERT_EQ(runCli(demo + " --musicxml " + folder.at("demo.musicxml")), 0);
    const auto bytes = test::fileBytes(folder.at("demo.musicxml"));
    const test::ProbeScore probe =
        test::probeMusicXml(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    EXPECT_TRUE(probe.wellFormed);
    EXPECT_EQ(probe.title, "Minuet in G");
    EXPECT_EQ(probe.measures.size(), 32u) << "one part of a grand staff, 32 bars";
    EXPECT_NE(runCli(demo + " --musicxml " + folder.at("part.musicxml") + " --pages 1-2"), 0);
    EXPECT_NE(runCli(demo + " --musicxml " + folder.at("missing/demo.musicxml")), 0);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"demo.musicxml"});
}

// A score typed in: G major, crotchets C D E and F made natural; a bar line;
// beamed quavers G A, a dotted crotchet B, F (sharp again in the new bar), a
// quaver C; a bar line; two minim Es tied; an end bar line.
void typeTheTune(ExportSession& t) {
    t.type("\x11 ");
    t.key('K', ModShift);
    t.type(" 4");
    for (const char letter : {'C', 'D', 'E'})
        t.key(letter), t.type(" ");
    t.key('F');
    t.type("n  / 5");
    t.key('G');
    t.type(" ");
    t.key('A');
    t.key(KeyBackspace);
    t.type(" 4");
    t.key('B');
    t.type(". ");
    t.key('F');
    t.type(" 5");
    t.key('C');
    t.type(" / 3");
    t.key('E');
    t.type(" ");
    t.key('E');
    t.type("T //////");
    t.type(" ");
}

std::string spelled(const test::ProbeNote& n) {
    const char* alter[] = {"bb", "b", "", "#", "##"};
    return std::string{n.step} + alter[std::clamp(n.alter, -2, 2) + 2] + std::to_string(n.octave);
}

TEST(MusicXmlExport, ATuneTypedInIsWrittenAsItWasTyped) {
    ExportSession t;
    typeTheTune(t);
    const test::ProbeScore probe = test::probeMusicXml(exportMusicXml(t.score));
    std::vector<std::string> notes;
    for (const test::ProbeNote& n : probe.pitched())
        notes.push_back(std::to_string(n.measure) + " " + spelled(n) + " " + std::to_string(n.length) +
                        (n.accidental.empty() ? "" : " " + n.accidental) +
                        (n.beam.empty() ? "" : " " + n.beam) + (n.tieStart ? " tie" : ""));
    EXPECT_EQ(notes, (std::vector<std::string>{"1 C5 1.000000", "1 D5 1.000000", "1 E5 1.000000",
                                               "1 F5 1.000000 natural", "2 G5 0.500000 begin",
                                               "2 A5 0.500000 end", "2 B5 1.500000", "2 F#5 1.000000",
                                               "2 C5 0.500000", "3 E5 2.000000 tie", "3 E5 2.000000"}));
    ASSERT_EQ(probe.measures.size(), 3u);
    EXPECT_EQ(probe.measures[2].right, "light-heavy");
}

// What MuseScore 3 writes back after reading `ours`; nothing when it is not installed.
std::optional<QByteArray> throughMuseScore(const QByteArray& ours, const test::ScratchFolder& folder) {
    const QString mscore = QStandardPaths::findExecutable("mscore3");
    if (mscore.isEmpty()) return std::nullopt;
    const std::string in = folder.at("ours.musicxml"), out = folder.at("back.musicxml");
    test::writeBytes(in, std::vector<std::uint8_t>(ours.begin(), ours.end()));
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(env);
    process.start(mscore, {"-o", QString::fromStdString(out), QString::fromStdString(in)});
    if (!process.waitForFinished(180000)) return QByteArray();
    const auto back = test::fileBytes(out);
    return QByteArray(reinterpret_cast<const char*>(back.data()), qsizetype(back.size()));
}

using NoteKey = std::tuple<int, int, int, double, std::string, double>;

std::vector<NoteKey> noteKeys(const test::ProbeScore& score) {
    std::vector<NoteKey> keys;
    for (const test::ProbeNote& n : score.pitched())
        keys.emplace_back(n.part, n.measure, n.staff, n.onset, spelled(n), n.length);
    std::sort(keys.begin(), keys.end());
    return keys;
}

void expectMuseScoreAgrees(const QByteArray& ours) {
    test::ScratchFolder folder;
    const auto back = throughMuseScore(ours, folder);
    if (!back) GTEST_SKIP() << "mscore3 is not installed: the round trip through MuseScore 3 is not checked";
    const test::ProbeScore theirs = test::probeMusicXml(*back);
    ASSERT_TRUE(theirs.wellFormed) << "MuseScore wrote nothing readable: " << theirs.error;
    const auto ourKeys = noteKeys(test::probeMusicXml(ours));
    const auto theirKeys = noteKeys(theirs);
    ASSERT_FALSE(ourKeys.empty());
    EXPECT_EQ(ourKeys.size(), theirKeys.size());
    for (std::size_t i = 0; i < std::min(ourKeys.size(), theirKeys.size()); ++i) {
        const auto& [p, m, s, onset, pitch, length] = ourKeys[i];
        EXPECT_EQ(ourKeys[i], theirKeys[i]) << "our note " << i << ": part " << p << " bar " << m << " staff "
                                            << s << " at " << onset << " " << pitch << " for " << length;
    }
}

// A grand staff in two systems: two voices, chords, accidentals held and carried
// by a tie over the bar line, a clef change inside a bar and a key change.
Score voicesAndChords() {
    Score score = test::makeScore(4);
    for (int s : {1, 3})
        score.stave(s).joinToNext = score.stave(s).brace = true;
    const auto add = [&](int s, ScoreObject o) { return test::append(score.stave(s), o); };
    const auto note = [&](int s, int x, int position, int code, int stem = StemAuto) {
        ScoreObject n = test::makeNote(x, position, code, score.stave(s).Ycoord);
        n.setStem(stem);
        return add(s, n);
    };
    for (int s = 1; s <= 4; ++s) {
        add(s, test::makeClef(5, s % 2 == 1 ? 0 : 1, score.stave(s).Ycoord));
        ScoreObject key = makeObject(ObjectKind::KeySignature, 15, 0);
        key.setKeyCount(s <= 2 ? -2 : 3);
        add(s, key);
    }
    note(1, 40, 2, 2, StemUp);
    note(1, 40, -1, 3, StemDown);
    note(1, 70, -2, 3, StemDown);
    ScoreObject sharp = makeObject(ObjectKind::Accidental, 100, 0);
    sharp.setAccPosition(0);
    sharp.setAccValue(1);
    add(1, sharp);
    note(1, 100, 0, 2, StemUp);
    note(1, 100, -3, 3, StemDown);
    const int from = note(1, 130, 0, 3, StemDown);
    add(1, makeObject(ObjectKind::Barline, 160, 0));
    const int to = note(1, 180, 0, 1);
    score.stave(1).object(from).setTiedTo(to);
    score.stave(1).object(to).setTiedFrom(from);
    for (int x : {40, 100})
        note(2, x, -3, 2), note(2, x, 1, 2);
    add(2, test::makeClef(170, 0, score.stave(2).Ycoord));
    note(2, 180, -2, 1);
    note(3, 40, 0, 1);
    note(3, 40, 4, 1);
    note(4, 40, 0, 3);
    note(4, 70, 1, 3);
    note(4, 100, 2, 2);
    return score;
}

TEST(MusicXmlRoundTrip, MuseScoreReadsVoicesChordsAndSignsAsWeWroteThem) {
    expectMuseScoreAgrees(exportMusicXml(voicesAndChords()));
}

TEST(MusicXmlRoundTrip, MuseScoreReadsTheDemoScoreAsWeWroteIt) {
    Score score;
    test::ScriptedUi ui;
    ASSERT_TRUE(loadScore(QUAVERLY_SOURCE_DIR "/resources/demo/demo.QVR", {}, ui, score)) << ui.lastText();
    expectMuseScoreAgrees(exportMusicXml(score));
}

TEST(MusicXmlRoundTrip, MuseScoreReadsATypedTuneAsWeWroteIt) {
    ExportSession t;
    typeTheTune(t);
    expectMuseScoreAgrees(exportMusicXml(t.score));
}

} // namespace
} // namespace qv
