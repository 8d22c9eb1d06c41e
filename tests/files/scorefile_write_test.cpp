// The records a score is written as: order, byte layout, font compaction, partial
// files and templates, and writing to disk with its failure messages.

#include "files/scorefilewrite.h"
#include "model/bytes.h"
#include "support/scratchfolder.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace qv;
using namespace qv::test;

namespace {

const std::uint8_t* record(const std::vector<std::uint8_t>& bytes, int k) {
    return bytes.data() + static_cast<std::size_t>(k) * RecordSize;
}

int recordCount(const std::vector<std::uint8_t>& bytes) {
    return static_cast<int>(bytes.size()) / RecordSize;
}

WriteRange whole(const Score& s) {
    return {0, s.Nstaves};
}

void expectZero(const std::uint8_t* r, std::initializer_list<int> offsets) {
    for (int at : offsets)
        EXPECT_EQ(r[at], 0) << "byte " << at;
}

} // namespace

TEST(ScoreFileWrite, EmptyTwoStaveScoreIsSevenRecords) {
    Score score = makeScore(2);
    const auto bytes = encodeScore(score, whole(score), {});
    ASSERT_EQ(bytes.size(), 154u); // header, page, one font pair, staves 0..2

    const std::uint8_t* h = record(bytes, 0);
    EXPECT_EQ(h[0], 2);
    EXPECT_EQ(std::string(h + 1, h + 3), "qV");
    EXPECT_EQ(h[3], 0); // whole score: no partial flag
    EXPECT_EQ(h[4], 'K');
    EXPECT_EQ(getU16(h + 8), 303);
    EXPECT_EQ(h[10], 1);  // Page1
    EXPECT_EQ(h[17], 96); // screen resolution
    EXPECT_EQ(getU16(h + 20), 1);

    EXPECT_EQ(record(bytes, 2)[0], 1);
    EXPECT_EQ(recordString(record(bytes, 2) + 1, 20), "Times New Roman");
    EXPECT_EQ(record(bytes, 4)[15], 0x81); // stave 0: header/footer bit, invisible
    EXPECT_EQ(getI16(record(bytes, 5)), 40);
    EXPECT_EQ(getI16(record(bytes, 6)), 88);
}

TEST(ScoreFileWrite, HeaderRecordFields) {
    Score score = makeScore(1);
    score.naturalsInKeyChange = true;
    score.Spacing = 4;
    score.Pulse = 5;
    score.setBeamang(17);
    score.page.Header = 0.0025; // 2.5 thousandths: halves go to even
    score.page.Footer = 0.0035;
    WriteOptions options;
    options.screenResolution = 120;
    const auto bytes = encodeScore(score, whole(score), options);
    const std::uint8_t* h = record(bytes, 0);
    EXPECT_EQ(h[3], FlagNaturalsInKeyChange);
    EXPECT_EQ(h[5], 4);
    EXPECT_EQ(h[6], 5);
    EXPECT_EQ(h[7], 17);
    EXPECT_EQ(getU16(h + 11), 2);
    EXPECT_EQ(getU16(h + 13), 4);
    EXPECT_EQ(h[17], 120);
    expectZero(h, {15, 16, 18, 19});
}

TEST(ScoreFileWrite, PageRecordFieldsAndOddStaveSizeOffset) {
    Score score = makeScore(1);
    score.page = PageData{.Width = 8.5,
                          .Length = 11.0,
                          .TopM = 0.75,
                          .BotM = 0.625,
                          .RightM = 0.5,
                          .LeftM = 1.0025,
                          .GutM = 0.25,
                          .landscape = true};
    score.StvSiz = 0.3335;
    score.LeftStv = -3;
    score.RightStv = 700;
    score.Facing = true;
    const auto bytes = encodeScore(score, whole(score), {});
    const std::uint8_t* p = record(bytes, 1);
    EXPECT_EQ(getU16(p + 0), 11000); // Length
    EXPECT_EQ(getU16(p + 2), 8500);  // Width
    EXPECT_EQ(getU16(p + 4), 750);   // TopM
    EXPECT_EQ(getU16(p + 6), 500);   // RightM
    EXPECT_EQ(getU16(p + 8), 1002);  // LeftM, 1002.5 to even
    EXPECT_EQ(getU16(p + 10), 625);  // BotM
    EXPECT_EQ(getU16(p + 12), 250);  // GutM
    EXPECT_EQ(getU16(p + 14), 0xFFFD);
    EXPECT_EQ(getU16(p + 16), 700);
    EXPECT_EQ(p[18], 1);
    EXPECT_EQ(p[19], 334 & 0xFF); // StvSiz 333.5 to even, low byte at 19
    EXPECT_EQ(p[20], 334 >> 8);
    EXPECT_EQ(p[21], 1);
}

TEST(ScoreFileWrite, LengthsOutsideTheFieldAreHeldAtItsLimits) {
    Score score = makeScore(1);
    score.page.Width = 70.0;
    score.page.GutM = -0.5;
    const auto bytes = encodeScore(score, whole(score), {});
    EXPECT_EQ(getU16(record(bytes, 1) + 2), 65535);
    EXPECT_EQ(getU16(record(bytes, 1) + 12), 0);
}

TEST(ScoreFileWrite, StaveRecordFields) {
    Score score = makeScore(2);
    score.stave(0).Ycoord = 12; // never stored for the header/footer stave
    score.stave(0).lineValue = 3;
    Stave& s = score.stave(1);
    s.Ycoord = -5;
    s.MaxY = 70000; // only the low 16 bits are kept
    s.MinY = -40;
    s.setCFlag(CFlagJoinToNext | CFlagBrace | CFlagFullEndBar);
    s.LeftX = -7;
    s.RightX = 900;
    s.ForcedBk = true;
    s.PageNum = 9;
    s.invisible = true;
    s.lineValue = 15;
    s.staveWord = 0xBEEF;
    s.paramA = -3;
    s.paramB = 127;
    append(s, makeClef(10, 0));
    const auto bytes = encodeScore(score, whole(score), {});

    const std::uint8_t* hf = record(bytes, 4);
    EXPECT_EQ(getI16(hf), 0);
    EXPECT_EQ(hf[15], 0x80 | 1 | (3 << 1));

    const std::uint8_t* r = record(bytes, 5);
    EXPECT_EQ(getU16(r + 0), 0xFFFB);
    EXPECT_EQ(getU16(r + 2), 70000 & 0xFFFF);
    EXPECT_EQ(getI16(r + 4), -40);
    EXPECT_EQ(r[6], 1 | 8 | 32);
    EXPECT_EQ(r[7], 1);
    EXPECT_EQ(getI16(r + 8), -7);
    EXPECT_EQ(getI16(r + 10), 900);
    EXPECT_EQ(r[13], 1);
    EXPECT_EQ(r[14], 9);
    EXPECT_EQ(r[15], 1 | (15 << 1));
    EXPECT_EQ(getU16(r + 16), 0xBEEF);
    EXPECT_EQ(r[18], 0xFD);
    EXPECT_EQ(r[19], 127);
    expectZero(r, {12, 20, 21});
}

TEST(ScoreFileWrite, ObjectRecordsFollowStavesInIndexOrder) {
    Score score = makeScore(2);
    const ScoreObject a = makeNote(30, 2, 3, 40);
    const ScoreObject b = makeClef(5, 1, 88);
    append(score.stave(1), a);
    append(score.stave(2), b);
    append(score.stave(2), a);
    const auto bytes = encodeScore(score, whole(score), {});
    ASSERT_EQ(recordCount(bytes), 7 + 3);
    const std::uint8_t* r = record(bytes, 8);
    EXPECT_EQ(r[0], 2);
    EXPECT_EQ(r[1], 1);
    EXPECT_TRUE(std::equal(b.bytes.begin(), b.bytes.end(), r + 2));
    EXPECT_EQ(record(bytes, 7)[0], 1);
    EXPECT_EQ(record(bytes, 9)[1], 2);
}

TEST(ScoreFileWrite, FontsOneAndFourBecomeOneAndTwo) {
    Score score = makeScore(1);
    for (int n = 2; n <= 4; ++n) {
        score.fonts.setFont(n, FontDesc{"Face " + std::to_string(n), 10 + n, 0, 0});
        score.fonts.markInUse(n);
    }
    score.NumFonts = 4;
    append(score.stave(0), makeShortText(5, 5, 1, "page"));
    const int head = append(score.stave(1), makeTextHead(10, 20, 4, "first part"));
    ScoreObject chunk = makeTextHead(0, 0, 4, "more", TextContinuation);
    score.stave(1).object(head).setTextNext(append(score.stave(1), chunk));

    const auto bytes = encodeScore(score, whole(score), {});
    EXPECT_EQ(score.NumFonts, 2);
    EXPECT_TRUE(score.fonts.inUse(2));
    EXPECT_FALSE(score.fonts.inUse(3));
    EXPECT_EQ(score.fonts.font(2).name, "Face 4");
    EXPECT_EQ(score.stave(1).object(1).fontNumber(), 2);
    EXPECT_EQ(score.stave(1).object(2).fontNumber(), 2);
    EXPECT_EQ(score.stave(0).object(1).fontNumber(), 1);

    EXPECT_EQ(getU16(record(bytes, 0) + 20), 2);
    EXPECT_EQ(record(bytes, 4)[0], 2);
    EXPECT_EQ(recordString(record(bytes, 4) + 1, 20), "Face 4");
    EXPECT_EQ(getU16(record(bytes, 5) + 13), 14);
    const int firstObject = 2 + 4 + 2; // after header, page, two font pairs, staves 0 and 1
    EXPECT_EQ(record(bytes, firstObject)[2 + 6], 1);
    EXPECT_EQ(record(bytes, firstObject + 1)[2 + 6], 2);
    EXPECT_EQ(record(bytes, firstObject + 2)[2 + 6], 2);
}

TEST(ScoreFileWrite, CompactionKeepsFontOneAndCountsADamagedFontByteAsIt) {
    Score score = makeScore(1);
    score.fonts.setFont(3, FontDesc{"Three", 9, FontItalic, 0x123456});
    score.fonts.markInUse(3);
    score.NumFonts = 3;
    append(score.stave(1), makeShortText(5, 5, 0, "lost font"));
    append(score.stave(1), makeShortText(9, 5, 3, "three"));
    compactFonts(score);
    EXPECT_EQ(score.NumFonts, 2);
    EXPECT_EQ(score.stave(1).object(1).fontNumber(), 1);
    EXPECT_EQ(score.stave(1).object(2).fontNumber(), 2);
    EXPECT_EQ(score.fonts.font(2), (FontDesc{"Three", 9, FontItalic, 0x123456}));
    EXPECT_EQ(score.fonts.font(3), FontDesc{});

    Score plain = makeScore(1);
    plain.NumFonts = 5;
    for (int n = 2; n <= 5; ++n)
        plain.fonts.markInUse(n);
    const auto bytes = encodeScore(plain, whole(plain), {});
    EXPECT_EQ(getU16(record(bytes, 0) + 20), 1);
    EXPECT_EQ(recordCount(bytes), 2 + 2 + 2);
}

TEST(ScoreFileWrite, FaceNamesSplitAfterTwentyCharacters) {
    const std::string twenty = "ABCDEFGHIJKLMNOPQRST";
    Score score = makeScore(1);
    score.fonts.setFont(1, FontDesc{twenty, 12, FontBold | FontStrikeOut, 0x00FF8040});
    auto bytes = encodeScore(score, whole(score), {});
    EXPECT_EQ(record(bytes, 2)[1], 20);
    EXPECT_EQ(recordString(record(bytes, 2) + 1, 20), twenty);
    const std::uint8_t* second = record(bytes, 3);
    EXPECT_EQ(second[0], 0);
    EXPECT_EQ(getU16(second + 13), 12);
    EXPECT_EQ(second[15], FontBold | FontStrikeOut);
    EXPECT_EQ(getU32(second + 16), 0x00FF8040u);

    score.fonts.setFont(1, FontDesc{twenty + "U", 12, 0, 0});
    bytes = encodeScore(score, whole(score), {});
    EXPECT_EQ(recordString(record(bytes, 2) + 1, 20), twenty);
    EXPECT_EQ(recordString(record(bytes, 3), 12), "U");

    score.fonts.setFont(1, FontDesc{twenty + "UVWXYZabcde", 12, 0, 0}); // 31, the longest
    bytes = encodeScore(score, whole(score), {});
    EXPECT_EQ(recordString(record(bytes, 3), 12), "UVWXYZabcde");
}

TEST(ScoreFileWrite, PartialFileOfStavesThreeToFive) {
    Score score = makeScore(6);
    for (int s = 1; s <= 6; ++s)
        for (int k = 0; k < s; ++k)
            append(score.stave(s), makeRest(10 * k));
    const auto bytes = encodeScore(score, {3, 5}, {});
    const std::uint8_t* h = record(bytes, 0);
    EXPECT_EQ(h[0], 3);
    EXPECT_EQ(h[3], FlagPartial);
    ASSERT_EQ(recordCount(bytes), 4 + 3 + (3 + 4 + 5));
    EXPECT_EQ(getI16(record(bytes, 4)), score.stave(3).Ycoord);
    EXPECT_EQ(record(bytes, 4)[15] & 0x80, 0);
    EXPECT_EQ(getI16(record(bytes, 6)), score.stave(5).Ycoord);
    std::vector<int> staveBytes;
    for (int k = 7; k < recordCount(bytes); ++k)
        staveBytes.push_back(record(bytes, k)[0]);
    EXPECT_EQ(staveBytes, (std::vector<int>{1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 3}));
}

TEST(ScoreFileWrite, RangeFromStaveZeroShortOfTheEndStoresMusicStavesOnly) {
    Score score = makeScore(4);
    const auto bytes = encodeScore(score, {0, 2}, {});
    EXPECT_EQ(record(bytes, 0)[0], 2);
    EXPECT_EQ(record(bytes, 0)[3], FlagPartial);
    ASSERT_EQ(recordCount(bytes), 4 + 2);
    EXPECT_EQ(getI16(record(bytes, 4)), score.stave(1).Ycoord);
}

TEST(ScoreFileWrite, TemplateCarriesItsFlagsAndDescription) {
    Score score = makeScore(3);
    score.description = "String quartet with piano";
    const auto bytes = encodeScore(score, {1, 3}, WriteOptions{true, 96});
    EXPECT_EQ(record(bytes, 0)[0], 3);
    EXPECT_EQ(record(bytes, 0)[3], FlagPartial | FlagTemplate | FlagDescription);
    EXPECT_EQ(recordString(record(bytes, 2), 21), "String quartet with p");
    EXPECT_EQ(record(bytes, 3)[0], 1); // the font pair follows the description
    EXPECT_EQ(recordCount(bytes), 3 + 2 + 3);
}

class ScoreFileDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("quaverly-write-test-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    int entries(const std::filesystem::path& dir) const {
        return static_cast<int>(std::distance(std::filesystem::directory_iterator(dir), {}));
    }

    std::filesystem::path folder;
    ScriptedUi ui;
};

TEST_F(ScoreFileDisk, WrittenFileHoldsTheEncodedBytes) {
    const std::string path = (folder / "SONG.QVR").string();
    { std::ofstream(path) << "the previous version"; }
    Score score = makeScore(3);
    append(score.stave(2), makeShortText(10, 10, 1, "Allegro"));
    ASSERT_TRUE(writeScoreFile(score, path, whole(score), {}, ui));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(fileBytes(path), encodeScore(score, whole(score), {}));
    EXPECT_EQ(entries(folder), 1);
}

TEST_F(ScoreFileDisk, MissingFolderFailsWithTheProcessingMessage) {
    const std::filesystem::path path = folder / "missing" / "SONG.QVR";
    Score score = makeScore(2);
    append(score.stave(1), makeClef(5, 0));
    EXPECT_FALSE(writeScoreFile(score, path.string(), whole(score), {}, ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].type, MessageType::Error);
    EXPECT_EQ(ui.lastText(), formatMessage(CreateErrorMessage, static_cast<long>(ENOENT)) +
                                 "\n\nNo such file or directory: " + path.string());
    EXPECT_EQ(entries(folder), 0);
    EXPECT_EQ(score.stave(1).Nobjec, 1);
}

TEST_F(ScoreFileDisk, FailedReplaceShowsTheWriteMessageAndLeavesNoTemporary) {
    const std::filesystem::path target = folder / "TAKEN.QVR";
    std::filesystem::create_directories(target / "inside"); // a folder is never replaced by a file
    Score score = makeScore(1);
    EXPECT_FALSE(writeScoreFile(score, target.string(), whole(score), {}, ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.lastText(), formatMessage(CreateErrorMessage, static_cast<long>(EISDIR)) +
                                 "\n\nIs a directory: " + target.string());
    EXPECT_EQ(entries(folder), 1);
    EXPECT_TRUE(std::filesystem::is_directory(target / "inside"));
}
