// MuseScore 3 as a peer: a file it writes back from its own format imports with
// every note's pitch and duration kept. Its notes are counted here by a small
// reader of our own, apart from the importer, and compared with the notes read
// back from the imported score's objects.

#include "interchange/musicxmlimport.h"
#include "scorenotes.h"
#include "support/scratchfolder.h"
#include "support/scriptedui.h"

#include <QFile>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <unistd.h>

namespace qv::test {
namespace {

constexpr const char* MuseScore = "/usr/bin/mscore3";

using NoteList = std::vector<std::string>; // described notes, sorted

// The sounding notes and rests of each staff, read straight from the file.
std::map<int, NoteList> notesInFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    std::map<int, NoteList> out;
    if (!file.open(QIODevice::ReadOnly)) return out;
    QXmlStreamReader xml(&file);
    double divisions = 1;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("divisions")) {
            divisions = xml.readElementText().toDouble();
            continue;
        }
        if (xml.name() != QLatin1String("note")) continue;
        ReadNote n;
        int staff = 1;
        bool grace = false;
        while (xml.readNextStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("grace")) grace = true, xml.skipCurrentElement();
            else if (name == QLatin1String("rest")) n.rest = true, xml.skipCurrentElement();
            else if (name == QLatin1String("staff")) staff = xml.readElementText().toInt();
            else if (name == QLatin1String("duration")) n.quarters = xml.readElementText().toDouble() / divisions;
            else if (name == QLatin1String("pitch")) {
                while (xml.readNextStartElement()) {
                    const QString t = xml.readElementText();
                    if (xml.name() == QLatin1String("step")) n.step = t.toLatin1().at(0);
                    else if (xml.name() == QLatin1String("alter")) n.alter = t.toInt();
                    else if (xml.name() == QLatin1String("octave")) n.octave = t.toInt();
                }
            } else xml.skipCurrentElement();
        }
        if (!grace) out[staff].push_back(describe(n));
    }
    for (auto& [staff, notes] : out) std::sort(notes.begin(), notes.end());
    return out;
}

bool run(const std::string& command) {
    return std::system(("QT_QPA_PLATFORM=offscreen " + command + " >/dev/null 2>&1").c_str()) == 0;
}

TEST(RoundTripTest, MuseScoreWrittenFilesImportWithEveryPitchAndDuration) {
    if (access(MuseScore, X_OK) != 0) GTEST_SKIP() << "MuseScore 3 (" << MuseScore << ") is not installed";
    for (const char* seed : {"grand.musicxml", "small.musicxml"}) {
        ScratchFolder folder;
        const std::string in = std::string(QUAVERLY_SOURCE_DIR) + "/fuzz/corpus-import/" + seed;
        const std::string own = folder.at("own.mscz"), back = folder.at("back.musicxml");
        ASSERT_TRUE(run(std::string(MuseScore) + " -o '" + own + "' '" + in + "'")) << seed;
        ASSERT_TRUE(run(std::string(MuseScore) + " -o '" + back + "' '" + own + "'")) << seed;
        const std::map<int, NoteList> expected = notesInFile(back);
        ASSERT_FALSE(expected.empty()) << seed;
        ScriptedUi ui;
        const auto score = importMusicXml(back, ui);
        ASSERT_TRUE(score) << seed << ": " << (ui.messages.empty() ? "" : ui.messages.back().text);
        const int staves = static_cast<int>(expected.size());
        for (const auto& [staff, notes] : expected) {
            NoteList imported;
            for (const ReadNote& n : readBackNotes(*score, staff - 1, staves)) imported.push_back(describe(n));
            std::sort(imported.begin(), imported.end());
            EXPECT_EQ(imported, notes) << seed << ", staff " << staff;
        }
    }
}

} // namespace
} // namespace qv::test
