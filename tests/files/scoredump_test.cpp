// The score dump's text is a contract (people and our file tests read it), so
// these tests build files byte by byte and compare exact lines.

#include "files/scoredump.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Records written as hexadecimal byte pairs; missing bytes of a record are zero.
Bytes file(const std::vector<std::string>& records) {
    Bytes bytes;
    for (const auto& hex : records) {
        std::istringstream in(hex);
        std::size_t size = 0;
        for (unsigned value = 0; in >> std::hex >> value; ++size)
            bytes.push_back(static_cast<std::uint8_t>(value));
        EXPECT_LE(size, 22u) << hex;
        bytes.resize(bytes.size() + 22 - size, 0);
    }
    return bytes;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

bool hasLine(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

// "Record" and a record number right-aligned in four columns, with the colon.
std::string recordLabel(std::size_t number) {
    const std::string digits = std::to_string(number);
    return "Record " + std::string(4 - std::min<std::size_t>(digits.size(), 4), ' ') + digits + ":";
}

const std::string Ruler = "             00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12 13 14 15";

// A whole score of two music staves: header, page, one font, staves 0..2 and
// three objects.
const std::vector<std::string> twoStaveRecords = {
    "02 71 56 01 4B 03 04 14 2F 01 01 F4 01 EE 02 00 00 60 00 00 01 00",
    "F8 2A 34 21 F4 01 EE 02 E8 03 58 02 FA 00 F4 FF C8 05 01 90 01 00",
    "01 0F 54 69 6D 65 73 20 4E 65 77 20 52 6F 6D 61 6E 00 00 00 00 00",
    "00 00 00 00 00 00 00 00 00 00 00 00 00 0C 00 03 FF 00 00 00 00 00",
    "00 00 00 00 00 00 00 01 00 00 00 00 00 00 01 81 00 00 00 00 00 00",
    "78 00 96 00 E2 FF 09 02 28 00 C8 05 00 00 01 0A 00 00 14 14 00 00",
    "2C 01 4A 01 0E 01 20 00 28 00 C8 05 00 01 02 0A 00 00 14 14 00 00",
    "00 01 10 00 64 00 32 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E",
    "01 01 01 00 50 00 78 00 03 FF 80 7F 00 00 00 00 00 00 00 00 00 00",
    "01 02 01 00 60 00 78 00 03 00 00 00 00 00 00 00 00 00 00 00 AB CD",
};

const char* const twoStaveDump = R"(Dump of file: songs/two.QVR
============

Record    0: 02 71 56 01 4B 03 04 14 2F 01 01 F4 01 EE 02 00 00 60 00 00 01 00
Nstaves Flags Spacing Pulse Beamang FileVer Header Footer Nhead Nfoot Page1 NumFonts
    2    $01      3     4      20     303     500     750     0     0     1     1

Record    1: F8 2A 34 21 F4 01 EE 02 E8 03 58 02 FA 00 F4 FF C8 05 01 90 01 00
Page size data: Length Width  TopM RightM LeftM  BotM   GutM LeftStv RightStv StvSiz Facing
                 11000   8500   500    750  1000   600    250     -12     1480    400  True
Font records:

Record    2: 01 0F 54 69 6D 65 73 20 4E 65 77 20 52 6F 6D 61 6E 00 00 00 00 00
Record    3: 00 00 00 00 00 00 00 00 00 00 00 00 00 0C 00 03 FF 00 00 00 00 00
Font num -----font name------ ------------ Size Style Colour
      1 Times New Roman                     12    BI   $FF000000

Stave records:


Record    4: 00 00 00 00 00 00 00 01 00 00 00 00 00 00 01 81 00 00 00 00 00 00
Stave data: Ycoord  MinY  MaxY CFlag Nobjec LeftX RightX Sysdown ForcedBk PageNum
Stv   0:       0     0     0     0     1      0      0
    0    0    1

Record    5: 78 00 96 00 E2 FF 09 02 28 00 C8 05 00 00 01 0A 00 00 14 14 00 00
Stave data: Ycoord  MinY  MaxY CFlag Nobjec LeftX RightX Sysdown ForcedBk PageNum
Stv   1:     120   -30   150     9     2     40   1480
    0    0    1

Record    6: 2C 01 4A 01 0E 01 20 00 28 00 C8 05 00 01 02 0A 00 00 14 14 00 00
Stave data: Ycoord  MinY  MaxY CFlag Nobjec LeftX RightX Sysdown ForcedBk PageNum
Stv   2:     300   270   330    32     0     40   1480
    0    1    2

Object data:

             00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12 13 14 15
Record    7: 00 01 10 00 64 00 32 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E
Record    8: 01 01 01 00 50 00 78 00 03 FF 80 7F 00 00 00 00 00 00 00 00 00 00
Record    9: 01 02 01 00 60 00 78 00 03 00 00 00 00 00 00 00 00 00 00 00 AB CD
)";

TEST(ScoreDump, ListsAWholeScoreRecordByRecord) {
    const DumpResult dump = dumpScoreFile(file(twoStaveRecords), "songs/two.QVR");
    EXPECT_EQ(dump.text, twoStaveDump);
    EXPECT_TRUE(dump.complete);
    EXPECT_EQ(defaultDumpName("dir.x/song.QVR"), "dir.x/song.DMP");
    EXPECT_EQ(defaultDumpName("a.b/noext"), "a.b/noext.DMP");
}

// Partial files (flag 0x80) and version 301 store no header/footer stave; version
// 302 without the flag does.
TEST(ScoreDump, TheStavesListedFollowTheFlagAndVersion) {
    for (const std::string flagsAndVersion :
         {"80 4B 03 04 14 2F", "00 4B 03 04 14 2D", "01 4B 03 04 14 2E"}) {
        SCOPED_TRACE(flagsAndVersion);
        const bool stored = flagsAndVersion == "01 4B 03 04 14 2E";
        std::vector<std::string> records = twoStaveRecords;
        records[0] = "02 71 56 " + flagsAndVersion + " 01 01 F4 01 EE 02 00 00 60 00 00 01 00";
        if (!stored) records.erase(records.begin() + 7), records.erase(records.begin() + 4);
        const DumpResult dump = dumpScoreFile(file(records), "part.QVR");
        EXPECT_TRUE(dump.complete);
        EXPECT_EQ(hasLine(dump.text, "Stv   0:       0     0     0     0     1      0      0"), stored);
        EXPECT_TRUE(hasLine(dump.text, "Stv   2:     300   270   330    32     0     40   1480"));
        EXPECT_NE(dump.text.find(Ruler + "\n" + recordLabel(stored ? 7 : 6) + " "), std::string::npos);
    }
}

// A template (flags 0x40 description 0x20, partial 0x80) with no staves.
Bytes templateFile(const std::string& description) {
    return file({"00 71 56 E0 4B 03 04 14 2F 01 01 F4 01 EE 02 00 00 60 00 00 00 00",
                 "F8 2A 34 21 F4 01 EE 02 E8 03 58 02 FA 00 F4 FF C8 05 00 90 01 00", description});
}

TEST(ScoreDump, TemplatesListTheirDescriptionKeptInsideItsRecordAndOnItsLine) {
    // "Hymn in four parts"
    const std::string hymn = dumpScoreFile(
        templateFile("12 48 79 6D 6E 20 69 6E 20 66 6F 75 72 20 70 61 72 74 73"), "hymn.QVT").text;
    EXPECT_TRUE(hasLine(hymn, "                 11000   8500   500    750  1000   600    250     -12     1480"
                              "    400  False\n\nRecord    2: 12 48 79 6D 6E 20 69 6E 20 66 6F 75 72 20 70 61"
                              " 72 74 73 00 00 00\n"
                              "Description:Hymn in four parts\n\nFont records:"));
    // A length byte of 255 shows the 21 bytes after it, not the next record; a line
    // feed and zero padding do not break the listing's lines.
    const auto damaged = templateFile("FF 41 42 0A 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50 51 52 53 54");
    EXPECT_TRUE(hasLine(dumpScoreFile(damaged, "x").text, "Description:AB.CDEFGHIJKLMNOPQRST"));
    EXPECT_TRUE(hasLine(dumpScoreFile(templateFile("05 41 42 00 00 43"), "x").text, "Description:AB..C"));
}

// Font 1: "Arial", 10 pt, no style, colour bytes 00 00 FF 00. Font 7: a 31-character
// name split 20 + 11, 255 pt, every style bit. Font 3: both name lengths beyond their
// fields. The font count's high byte is not used.
TEST(ScoreDump, FontLinesShowNameSizeStyleAndColourBytes) {
    const Bytes bytes = file({"00 71 56 00 4B 03 04 14 2F 01 01 F4 01 EE 02 00 00 60 00 00 03 01",
                              "F8 2A 34 21 F4 01 EE 02 E8 03 58 02 FA 00 F4 FF C8 05 00 90 01 00",
                              "01 05 41 72 69 61 6C",
                              "00 00 00 00 00 00 00 00 00 00 00 00 00 0A 00 00 00 00 FF 00",
                              "07 14 4C 6F 6E 67 20 66 61 63 65 20 6E 61 6D 65 20 6F 66 20 74 68",
                              "0B 69 72 74 79 2D 6F 6E 65 20 63 68 00 FF 00 0F 78 56 34 12",
                              "03 FF 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50 51 52 53 54",
                              "FF 61 62 63 64 65 66 67 68 69 6A 6B 6C 0C 00 04",
                              "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 81"});
    const DumpResult dump = dumpScoreFile(bytes, "fonts.QVR");
    EXPECT_TRUE(dump.complete);
    const std::string title = "Font num -----font name------ ------------ Size Style Colour";
    std::vector<std::string> fontLines;
    const auto all = lines(dump.text);
    for (std::size_t i = 0; i + 1 < all.size(); ++i)
        if (all[i] == title) fontLines.push_back(all[i + 1]);
    EXPECT_EQ(fontLines, (std::vector<std::string>{
                             "      1 Arial                               10         $0000FF00",
                             "      7 Long face name of th irty-one ch   255    BIUS $78563412",
                             "      3 ABCDEFGHIJKLMNOPQRST abcdefghijkl   12    U    $00000000"}));
    EXPECT_TRUE(hasLine(dump.text,
                        "    0    $00      3     4      20     303     500     750     0     0     1   259"));
    EXPECT_TRUE(hasLine(dump.text, "Stv   0:       0     0     0     0     0      0      0"));
}

TEST(ScoreDump, NoteWorthyFilesGiveOnlyTheHeaderPart) {
    // Version 300 is a NoteWorthy 2 file: what follows its first 22 bytes is in
    // another layout and not listed, whatever its length.
    Bytes bytes = file({"03 71 56 00 4B 03 04 14 2C 01 01 F4 01 EE 02 00 00 60 00 00 01 00", "FF FF FF FF"});
    bytes.resize(30);
    const DumpResult dump = dumpScoreFile(bytes, "nw2.QVR");
    const auto all = lines(dump.text);
    ASSERT_EQ(all.size(), 6u);
    EXPECT_EQ(all[5], "    3    $00      3     4      20     300     500     750     0     0     1     1");
    EXPECT_TRUE(dump.complete);
}

// Cut anywhere, the listing is what the whole file's listing has up to the first
// record missing; it is complete only when every announced record is there.
TEST(ScoreDump, AFileCutShortListsUpToTheFirstMissingRecord) {
    const Bytes whole = file(twoStaveRecords);
    const std::size_t lastNeeded = 7 * 22; // header, page, two font records, three staves
    for (std::size_t size = 0; size <= whole.size(); ++size) {
        SCOPED_TRACE(size);
        // An exactly sized copy, so the sanitizer build catches any read beyond it.
        const Bytes cut(whole.begin(), whole.begin() + static_cast<long>(size));
        const DumpResult dump = dumpScoreFile(cut, "songs/two.QVR");
        EXPECT_EQ(std::string(twoStaveDump).compare(0, dump.text.size(), dump.text), 0)
            << "not a prefix:\n" << dump.text;
        EXPECT_EQ(dump.complete, size % 22 == 0 && size >= lastNeeded);
        EXPECT_EQ(dump.text.find(recordLabel(size / 22)), std::string::npos);
    }
    Bytes longer = whole;
    longer.resize(whole.size() + 21, 0x11);
    const DumpResult trailing = dumpScoreFile(longer, "songs/two.QVR");
    EXPECT_EQ(trailing.text, twoStaveDump) << "bytes short of a record are not listed";
    EXPECT_FALSE(trailing.complete);
}

// Random bytes, sometimes behind a header that sends the listing on through the
// page, font and stave records, must neither crash nor read outside the buffer
// (the sanitizer build checks the latter); every whole record listed is listed
// once, in order.
TEST(ScoreDump, RandomGarbageNeverBreaksTheListing) {
    std::mt19937 random(20240611);
    int completeListings = 0;
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        Bytes bytes(random() % 700);
        if (round % 4 == 0) bytes.resize(bytes.size() / 22 * 22); // whole records only
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(random());
        if (bytes.size() >= 22 && round % 2 == 0) {
            bytes[0] = static_cast<std::uint8_t>(random() % 8);        // few staves
            bytes[8] = 0x2D + static_cast<std::uint8_t>(random() % 4); // versions 301..304
            bytes[9] = 0x01;
            bytes[20] = static_cast<std::uint8_t>(random() % 6); // few fonts
        }
        const DumpResult dump = dumpScoreFile(bytes, "g");
        EXPECT_TRUE(bytes.size() % 22 == 0 || !dump.complete);
        std::size_t listed = 0;
        for (const auto& line : lines(dump.text)) {
            if (line.rfind("Record ", 0) != 0) continue;
            EXPECT_EQ(line.substr(0, 12), recordLabel(listed++));
            EXPECT_EQ(line.size(), 12u + 22 * 3);
        }
        EXPECT_LE(listed, bytes.size() / 22);
        if (dump.complete && round % 2 == 0) {
            EXPECT_EQ(listed, bytes.size() / 22);
            ++completeListings;
        }
    }
    // The seeded buffers must reach the object records often enough to matter.
    EXPECT_GT(completeListings, 40) << completeListings;
}

} // namespace
} // namespace qv
