// The score dump's text is a contract: files built byte by byte, exact lines compared.

#include "files/scoredump.h"

#include <gtest/gtest.h>

#include <sstream>

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

bool hasLine(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

std::string recordLabel(std::size_t number) { // the number right-aligned in four columns
    const std::string digits = std::to_string(number);
    return "Record " + std::string(4 - std::min<std::size_t>(digits.size(), 4), ' ') + digits + ":";
}

const std::string Ruler = "             00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12 13 14 15";

// Two music staves: header, page, two fonts, staves 0..2, three objects. Font 7's name is in
// both of its records, each length byte beyond its field; the font count's high byte is unused.
const std::vector<std::string> twoStaveRecords = {
    "02 71 56 01 4B 03 04 14 2F 01 01 F4 01 EE 02 00 00 60 00 00 02 01",
    "F8 2A 34 21 F4 01 EE 02 E8 03 58 02 FA 00 F4 FF C8 05 01 90 01 00",
    "01 0F 54 69 6D 65 73 20 4E 65 77 20 52 6F 6D 61 6E 00 00 00 00 00",
    "00 00 00 00 00 00 00 00 00 00 00 00 00 0C 00 03 FF 00 00 00 00 00",
    "07 FF 4C 6F 6E 67 20 66 61 63 65 20 6E 61 6D 65 20 6F 66 20 74 68",
    "FF 69 72 74 79 2D 6F 6E 65 20 63 68 00 FF 00 0C 78 56 34 12",
    "00 00 00 00 00 00 00 01 00 00 00 00 00 00 01 81 00 00 00 00 00 00",
    "78 00 96 00 E2 FF 09 02 28 00 C8 05 00 00 01 0A 00 00 14 14 00 00",
    "2C 01 4A 01 0E 01 20 00 28 00 C8 05 00 01 02 0A 00 00 14 14 00 00",
    "00 01 10 00 64 00 32 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E",
    "01 01 01 00 50 00 78 00 03 FF 80 7F 00 00 00 00 00 00 00 00 00 00",
    "01 02 01 00 60 00 78 00 03 00 00 00 00 00 00 00 00 00 00 00 AB CD",
};

const char* const twoStaveDump = R"(Dump of file: songs/two.QVR
============

Record    0: 02 71 56 01 4B 03 04 14 2F 01 01 F4 01 EE 02 00 00 60 00 00 02 01
Nstaves Flags Spacing Pulse Beamang FileVer Header Footer Nhead Nfoot Page1 NumFonts
    2    $01      3     4      20     303     500     750     0     0     1   258

Record    1: F8 2A 34 21 F4 01 EE 02 E8 03 58 02 FA 00 F4 FF C8 05 01 90 01 00
Page size data: Length Width  TopM RightM LeftM  BotM   GutM LeftStv RightStv StvSiz Facing
                 11000   8500   500    750  1000   600    250     -12     1480    400  True
Font records:

Record    2: 01 0F 54 69 6D 65 73 20 4E 65 77 20 52 6F 6D 61 6E 00 00 00 00 00
Record    3: 00 00 00 00 00 00 00 00 00 00 00 00 00 0C 00 03 FF 00 00 00 00 00
Font num -----font name------ ------------ Size Style Colour
      1 Times New Roman                     12    BI   $FF000000

Record    4: 07 FF 4C 6F 6E 67 20 66 61 63 65 20 6E 61 6D 65 20 6F 66 20 74 68
Record    5: FF 69 72 74 79 2D 6F 6E 65 20 63 68 00 FF 00 0C 78 56 34 12 00 00
Font num -----font name------ ------------ Size Style Colour
      7 Long face name of th irty-one ch.  255    US   $78563412

Stave records:


Record    6: 00 00 00 00 00 00 00 01 00 00 00 00 00 00 01 81 00 00 00 00 00 00
Stave data: Ycoord  MinY  MaxY CFlag Nobjec LeftX RightX Sysdown ForcedBk PageNum
Stv   0:       0     0     0     0     1      0      0
    0    0    1

Record    7: 78 00 96 00 E2 FF 09 02 28 00 C8 05 00 00 01 0A 00 00 14 14 00 00
Stave data: Ycoord  MinY  MaxY CFlag Nobjec LeftX RightX Sysdown ForcedBk PageNum
Stv   1:     120   -30   150     9     2     40   1480
    0    0    1

Record    8: 2C 01 4A 01 0E 01 20 00 28 00 C8 05 00 01 02 0A 00 00 14 14 00 00
Stave data: Ycoord  MinY  MaxY CFlag Nobjec LeftX RightX Sysdown ForcedBk PageNum
Stv   2:     300   270   330    32     0     40   1480
    0    1    2

Object data:

             00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12 13 14 15
Record    9: 00 01 10 00 64 00 32 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E
Record   10: 01 01 01 00 50 00 78 00 03 FF 80 7F 00 00 00 00 00 00 00 00 00 00
Record   11: 01 02 01 00 60 00 78 00 03 00 00 00 00 00 00 00 00 00 00 00 AB CD
)";

TEST(ScoreDump, ListsAWholeScoreRecordByRecord) {
    const DumpResult dump = dumpScoreFile(file(twoStaveRecords), "songs/two.QVR");
    EXPECT_EQ(dump.text, twoStaveDump);
    EXPECT_TRUE(dump.complete);
    EXPECT_EQ(defaultDumpName("d.x/song.QVR") + defaultDumpName("a.b/noext"), "d.x/song.DMPa.b/noext.DMP");
}

// Partial files (flag 0x80) and version 301 store no header/footer stave; 302 without the flag does.
TEST(ScoreDump, TheStavesListedFollowTheFlagAndVersion) {
    for (const std::string flagsAndVersion :
         {"80 4B 03 04 14 2F", "00 4B 03 04 14 2D", "01 4B 03 04 14 2E"}) {
        SCOPED_TRACE(flagsAndVersion);
        const bool stored = flagsAndVersion == "01 4B 03 04 14 2E";
        std::vector<std::string> records = twoStaveRecords;
        records[0] = "02 71 56 " + flagsAndVersion + " 01 01 F4 01 EE 02 00 00 60 00 00 02 01";
        if (!stored) records.erase(records.begin() + 9), records.erase(records.begin() + 6);
        const DumpResult dump = dumpScoreFile(file(records), "part.QVR");
        EXPECT_TRUE(dump.complete);
        EXPECT_EQ(hasLine(dump.text, "Stv   0:       0     0     0     0     1      0      0"), stored);
        EXPECT_TRUE(hasLine(dump.text, "Stv   2:     300   270   330    32     0     40   1480"));
        EXPECT_NE(dump.text.find(Ruler + "\n" + recordLabel(stored ? 9 : 8) + " "), std::string::npos);
    }
}

// A template (flags 0x40 description 0x20, partial 0x80) with no staves.
Bytes templateFile(const std::string& description) {
    return file({"00 71 56 E0 4B 03 04 14 2F 01 01 F4 01 EE 02 00 00 60 00 00 00 00",
                 "F8 2A 34 21 F4 01 EE 02 E8 03 58 02 FA 00 F4 FF C8 05 00 90 01 00", description});
}

TEST(ScoreDump, TemplatesListTheirDescriptionKeptInsideItsRecordAndOnItsLine) {
    const std::string hymn = dumpScoreFile(
        templateFile("12 48 79 6D 6E 20 69 6E 20 66 6F 75 72 20 70 61 72 74 73"), "hymn.QVT").text;
    EXPECT_TRUE(hasLine(hymn, "                 11000   8500   500    750  1000   600    250     -12     1480"
                              "    400  False\n\nRecord    2: 12 48 79 6D 6E 20 69 6E 20 66 6F 75 72 20 70 61"
                              " 72 74 73 00 00 00\n"
                              "Description:Hymn in four parts\n\nFont records:"));
    // A length byte of 255 shows the 21 bytes after it, not the next record; a line feed and
    // zero padding do not break the listing's lines.
    const auto damaged = templateFile("FF 41 42 0A 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50 51 52 53 54");
    EXPECT_TRUE(hasLine(dumpScoreFile(damaged, "x").text, "Description:AB.CDEFGHIJKLMNOPQRST"));
    EXPECT_TRUE(hasLine(dumpScoreFile(templateFile("05 41 42 00 00 43"), "x").text, "Description:AB..C"));
}

// Cut anywhere, the listing is the whole file's up to the first record missing; it is
// complete only when every announced record is there.
TEST(ScoreDump, AFileCutShortListsUpToTheFirstMissingRecord) {
    const Bytes whole = file(twoStaveRecords);
    const std::size_t lastNeeded = 9 * 22; // header, page, four font records, three staves
    for (std::size_t size = 0; size <= whole.size(); ++size) {
        SCOPED_TRACE(size); // an exactly sized copy: the sanitizer build catches reads beyond it
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
} // namespace
} // namespace qv
