// Loading files from disk: the pre-check codes, the questions asked before reading
// (font size, later version), the refusals that leave the score alone, and what a
// good read is finished with (templates, tidied and measured staves).

#include "files/loader.h"
#include "files/scorefilewrite.h"
#include "model/bytes.h"
#include "model/pagegeometry.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace qv;
using namespace qv::test;

namespace {

namespace fs = std::filesystem;

constexpr int HeaderStaveRecord = 4; // header, page, font 1 pair, then stave 0

class LoaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "qvloadXXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string put(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    bool load(const std::string& path, Score& out, int screen = 96, const Settings* settings = nullptr) {
        return loadScore(path, LoadOptions{screen, settings}, ui, out);
    }

    fs::path dir;
    ScriptedUi ui;
};

// Two staves with a note each and font 1 at 12 points.
Score plainScore() {
    Score s = makeScore(2);
    append(s.stave(1), makeNote(100, 2, 3, s.stave(1).Ycoord));
    append(s.stave(2), makeNote(120, -1, 4, s.stave(2).Ycoord));
    return s;
}

std::vector<std::uint8_t> encodeWhole(Score& score, int resolution = 96) {
    return encodeScore(score, WriteRange{0, score.Nstaves}, WriteOptions{false, resolution});
}

std::vector<std::uint8_t> plainFile(int resolution = 96) {
    Score s = plainScore();
    return encodeWhole(s, resolution);
}

void setVersion(std::vector<std::uint8_t>& bytes, int version) {
    putU16(bytes.data() + 8, static_cast<std::uint16_t>(version));
}

std::uint8_t* record(std::vector<std::uint8_t>& bytes, int index) {
    return bytes.data() + index * RecordSize;
}

std::vector<std::uint8_t> withoutRecord(std::vector<std::uint8_t> bytes, int index) {
    const auto at = bytes.begin() + index * RecordSize;
    bytes.erase(at, at + RecordSize);
    return bytes;
}

TEST_F(LoaderTest, PrecheckCodesAndMessages) {
    EXPECT_EQ(precheckScoreFile((dir / "absent.QVR").string()), PrecheckCode::NotFound);
    EXPECT_EQ(precheckScoreFile((dir / "absent" / "x.QVR").string()), PrecheckCode::NotFound);
    fs::create_directory(dir / "folder.QVR");
    EXPECT_EQ(precheckScoreFile((dir / "folder.QVR").string()), PrecheckCode::WrongAttributes);
    ASSERT_EQ(::mkfifo((dir / "pipe.QVR").c_str(), 0600), 0);
    EXPECT_EQ(precheckScoreFile((dir / "pipe.QVR").string()), PrecheckCode::WrongAttributes);
    EXPECT_EQ(precheckScoreFile(put("empty.QVR", {})), PrecheckCode::ZeroSize);
    EXPECT_EQ(precheckScoreFile(put("short.QVR", std::vector<std::uint8_t>(21, 1))),
              PrecheckCode::ImpossibleSize);
    EXPECT_EQ(precheckScoreFile(put("long.QVR", std::vector<std::uint8_t>(45, 1))),
              PrecheckCode::ImpossibleSize);
    // Whole records, but more than the largest score can fill: refused from its
    // size alone, a sparse file of 2.2 GB as quickly as one record too many.
    for (const std::size_t records : {MaxScoreFileRecords + 1, std::size_t(100'000'000)}) {
        const std::string huge = (dir / "huge.QVR").string();
        ASSERT_EQ(::truncate(put("huge.QVR", {}).c_str(), static_cast<off_t>(records * RecordSize)), 0);
        EXPECT_EQ(precheckScoreFile(huge), PrecheckCode::ImpossibleSize) << records;
    }

    std::vector<std::uint8_t> bytes = plainFile();
    EXPECT_EQ(precheckScoreFile(put("good.QVR", bytes)), PrecheckCode::Ok);
    bytes[4] = 'X'; // "K" missing: judged by the version alone
    EXPECT_EQ(precheckScoreFile(put("later.QVR", bytes)), PrecheckCode::LaterVersion);
    setVersion(bytes, 302);
    EXPECT_EQ(precheckScoreFile(put("older.QVR", bytes)), PrecheckCode::Ok);
    setVersion(bytes, 200); // a NoteWorthy 2 file passes here
    EXPECT_EQ(precheckScoreFile(put("nwc.QVR", bytes)), PrecheckCode::Ok);

    EXPECT_EQ(precheckMessage(PrecheckCode::NotFound, "a.QVR"), "File cannot be found: a.QVR");
    EXPECT_EQ(precheckMessage(PrecheckCode::WrongAttributes, "a.QVR"), "File has wrong attributes: a.QVR");
    EXPECT_EQ(precheckMessage(PrecheckCode::ZeroSize, "a.QVR"), "File has zero size: a.QVR");
    EXPECT_EQ(precheckMessage(PrecheckCode::ImpossibleSize, "a.QVR"), "File has impossible size: a.QVR");
    EXPECT_EQ(precheckMessage(PrecheckCode::LaterVersion, "a.QVR"),
              "File has later version number than this program: a.QVR");
    EXPECT_EQ(precheckMessage(PrecheckCode::CannotOpen, "a.QVR"), "File cannot be opened: a.QVR");
    EXPECT_EQ(precheckMessage(PrecheckCode::Ok, "a.QVR"), "");
}

TEST_F(LoaderTest, PrecheckFailureIsAnErrorBoxAndNothingIsRead) {
    const std::string shortFile = put("short.QVR", std::vector<std::uint8_t>(21, 0));
    const std::string empty = put("empty.QVR", {});
    Score out = plainScore();
    EXPECT_FALSE(load(shortFile, out));
    EXPECT_FALSE(load(empty, out));
    EXPECT_FALSE(load((dir / "absent.QVR").string(), out));
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0].text, "File has impossible size: " + shortFile);
    EXPECT_EQ(ui.messages[1].text, "File has zero size: " + empty);
    EXPECT_EQ(ui.messages[2].text, "File cannot be found: " + (dir / "absent.QVR").string());
    for (const auto& m : ui.messages) {
        EXPECT_EQ(m.type, MessageType::Error);
        EXPECT_EQ(m.buttons, ButtonOk);
    }
    Score reference = plainScore();
    EXPECT_TRUE(out.sameContent(reference));
}

TEST_F(LoaderTest, LargerFontsOnTheWritingSystemAreScaledOnlyWhenTheUserAgrees) {
    const std::string path = put("large.QVR", plainFile(120));
    Score scaled, kept, helped;
    ui.buttonAnswers = {ButtonYes, ButtonNo, ButtonHelp};
    ASSERT_TRUE(load(path, scaled));
    ASSERT_TRUE(load(path, kept));
    ASSERT_TRUE(load(path, helped));
    EXPECT_EQ(scaled.fonts.font(1).size, 15); // 12 × 120 / 96
    EXPECT_EQ(kept.fonts.font(1).size, 12);
    EXPECT_EQ(helped.fonts.font(1).size, 12);
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0].type, MessageType::Warning);
    EXPECT_EQ(ui.messages[0].buttons, ButtonYes | ButtonNo | ButtonHelp);
    EXPECT_NE(ui.messages[0].text.find("Shall I modify the sizes of all the text fonts after loading?"),
              std::string::npos);
    ASSERT_TRUE(load(path, kept, 120)); // same font size here: nothing asked
    EXPECT_EQ(ui.messages.size(), 3u);
}

TEST_F(LoaderTest, FilesThatDoNotGiveTheirFontSizeAskNothing) {
    std::vector<std::uint8_t> older = plainFile(120);
    setVersion(older, 302); // byte 17 means nothing before 303
    std::vector<std::uint8_t> unset = plainFile(96);
    record(unset, 0)[17] = 0; // a 303 file that does not say: fonts must not shrink to nothing
    Score a, b;
    ASSERT_TRUE(load(put("older.QVR", older), a, 96));
    ASSERT_TRUE(load(put("unset.QVR", unset), b, 120));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(a.fonts.font(1).size, 12);
    EXPECT_EQ(b.fonts.font(1).size, 12);
}

TEST_F(LoaderTest, LaterVersionLoadsOnlyAfterTheUserAgrees) {
    std::vector<std::uint8_t> bytes = plainFile();
    setVersion(bytes, 304);
    const std::string path = put("later.QVR", bytes);
    Score out;
    ui.buttonAnswers = {ButtonOk};
    ASSERT_TRUE(load(path, out));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(
        ui.messages[0].text,
        "This file has been saved by a later version of Quaverly 32 than the one you are running now.\n\n"
        "There is a risk that it may not load correctly.\nDo you wish to try anyway?");
    EXPECT_EQ(ui.messages[0].type, MessageType::Warning);
    EXPECT_EQ(ui.messages[0].buttons, ButtonOk | ButtonCancel);
    EXPECT_EQ(out.Nstaves, 2);
    EXPECT_EQ(out.stave(2).Nobjec, 1);

    Score refused = plainScore();
    ui.buttonAnswers = {ButtonCancel};
    EXPECT_FALSE(load(path, refused));
    EXPECT_EQ(ui.lastText(), "File read error in " + path);
    EXPECT_EQ(ui.messages.back().type, MessageType::Error);
    Score reference = plainScore();
    EXPECT_TRUE(refused.sameContent(reference));
}

TEST_F(LoaderTest, Version301GetsAnEmptyInvisibleHeaderFooterStave) {
    Score s = plainScore();
    s.stave(0).LeftX = 77;
    s.stave(0).invisible = false;
    std::vector<std::uint8_t> bytes = withoutRecord(encodeWhole(s), HeaderStaveRecord);
    setVersion(bytes, 301);
    Score out;
    ASSERT_TRUE(load(put("v301.QVR", bytes), out));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(out.stave(0).invisible);
    EXPECT_EQ(out.stave(0).LeftX, 0);
    EXPECT_EQ(out.stave(0).Nobjec, 0);
    EXPECT_EQ(out.Nstaves, 2);
    EXPECT_EQ(out.stave(1).object(1).x(), 100);
}

TEST_F(LoaderTest, TemplateTakesTheUsersPageSetup) {
    Score t = makeScore(3);
    t.Spacing = 1;
    t.Pulse = 5;
    t.setBeamang(25);
    t.description = "Quartet";
    std::vector<std::uint8_t> bytes = encodeScore(t, WriteRange{1, 3}, WriteOptions{true, 96});

    Settings settings;
    settings.defaultPage.Width = 10.0;
    settings.defaultPage.Length = 14.0;
    settings.defaultPage.LeftM = 1.0;
    settings.defaultPage.GutM = 0.25;
    settings.defaultPage.Header = 0.4;
    settings.defaultStaveSize = 0.4;
    settings.defaultSpacing = 5;
    settings.defaultFacing = true;

    Score out;
    ASSERT_TRUE(load(put("quartet.QVT", bytes), out, 96, &settings));
    EXPECT_EQ(out.page, settings.defaultPage);
    EXPECT_DOUBLE_EQ(out.StvSiz, 0.4);
    EXPECT_TRUE(out.Facing);
    EXPECT_EQ(out.Spacing, 5);
    EXPECT_EQ(out.Pulse, 3);
    EXPECT_EQ(out.Beamang, 10);
    EXPECT_NEAR(out.beamSlopeLimit, std::tan(10 / 57.3), 1e-12);
    const int width = musicAreaWidth(settings.defaultPage, 0.4);
    ASSERT_EQ(out.Nstaves, 3);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(out.stave(i).RightX, width - 5) << "stave " << i;

    Score plain; // without settings: the built-in defaults
    ASSERT_TRUE(load(put("quartet2.QVT", bytes), plain));
    EXPECT_EQ(plain.page, Settings{}.defaultPage);
    EXPECT_DOUBLE_EQ(plain.StvSiz, Settings{}.defaultStaveSize);
}

TEST_F(LoaderTest, ObjectBeyondTheCountIsRecoveredWithAMessage) {
    Score s = plainScore();
    append(s.stave(1), makeNote(200, 0, 3, s.stave(1).Ycoord));
    append(s.stave(1), makeNote(300, 1, 3, s.stave(1).Ycoord));
    std::vector<std::uint8_t> bytes = encodeWhole(s);
    record(bytes, HeaderStaveRecord + 1)[7] = 1; // stave 1 claims one object of three
    Score out;
    ASSERT_TRUE(load(put("bad.QVR", bytes), out));
    EXPECT_TRUE(ui.saw("Problem with stave 1 at object 2\nFile is bad."));
    EXPECT_TRUE(ui.saw("Problem with stave 1 at object 3\nFile is bad."));
    EXPECT_EQ(out.stave(1).Nobjec, 3);
    EXPECT_EQ(out.stave(1).object(3).x(), 300);
}

TEST_F(LoaderTest, RefusedFilesLeaveTheScoreAndItsHooksAlone) {
    int refreshed = 0;
    Score out = plainScore();
    append(out.stave(2), makeClef(10, 1));
    out.modified = true;
    out.hooks.refreshStatus = [&](Score&, int) { ++refreshed; };
    Score reference = plainScore();
    append(reference.stave(2), makeClef(10, 1));

    std::vector<std::uint8_t> badMagic = plainFile();
    badMagic[1] = 'x';
    setVersion(badMagic, 302);
    std::vector<std::uint8_t> noteWorthy = plainFile();
    setVersion(noteWorthy, 200);
    std::vector<std::uint8_t> truncated = plainFile();
    truncated.resize(HeaderStaveRecord * RecordSize); // stops before the staves
    std::vector<std::uint8_t> staveOutOfRange = plainFile();
    staveOutOfRange[staveOutOfRange.size() - RecordSize] = 9; // an object on stave 9 of 2
    const LoadOptions options{96, nullptr};

    EXPECT_FALSE(loadScoreBytes(badMagic, "m.QVR", options, ui, out));
    EXPECT_EQ(ui.lastText(), "File load failed.\n\nFile is not a Quaverly or NoteWorthy 2 file.");
    EXPECT_FALSE(loadScoreBytes(noteWorthy, "n.QVR", options, ui, out));
    EXPECT_EQ(ui.lastText(), "NoteWorthy 2 files cannot be loaded yet: n.QVR");
    EXPECT_FALSE(loadScoreBytes(truncated, "t.QVR", options, ui, out));
    EXPECT_EQ(ui.lastText(), "File read error in t.QVR");
    EXPECT_FALSE(loadScoreBytes(std::vector<std::uint8_t>(10, 0), "tiny.QVR", options, ui, out));
    EXPECT_EQ(ui.lastText(), "File read error in tiny.QVR");
    EXPECT_FALSE(loadScoreBytes(staveOutOfRange, "s.QVR", options, ui, out));
    EXPECT_NE(ui.lastText().find("File is bad."), std::string::npos);
    for (const auto& m : ui.messages)
        EXPECT_EQ(m.type, MessageType::Error);

    EXPECT_TRUE(out.sameContent(reference));
    EXPECT_TRUE(out.modified);
    ASSERT_TRUE(out.hooks.refreshStatus);

    ASSERT_TRUE(load(put("good.QVR", plainFile()), out)); // a good load keeps the hooks too
    EXPECT_FALSE(out.modified);
    ASSERT_TRUE(out.hooks.refreshStatus);
    out.hooks.refreshStatus(out, 1);
    EXPECT_EQ(refreshed, 1);
}

TEST_F(LoaderTest, StavesAreTidiedAndMeasuredAfterLoading) {
    Score s = makeScore(1);
    const int y = s.stave(1).Ycoord;
    append(s.stave(1), makeNote(300, 0, 3, y));
    ScoreObject high = makeNote(100, 14, 3, y); // far above the stave
    high.setStem(StemNone);
    append(s.stave(1), high);
    append(s.stave(1), makeNote(200, -1, 3, y));
    s.stave(1).MinY = s.stave(1).MaxY = y; // stored extents that say nothing
    Score out;
    ASSERT_TRUE(load(put("unsorted.QVR", encodeWhole(s)), out));
    const Stave& stave = out.stave(1);
    ASSERT_EQ(stave.Nobjec, 3);
    EXPECT_EQ(stave.object(1).x(), 100);
    EXPECT_EQ(stave.object(2).x(), 200);
    EXPECT_EQ(stave.object(3).x(), 300);
    EXPECT_LE(stave.MinY, high.y() - 8); // the high note's head is inside the extent
    EXPECT_GT(stave.MaxY, y);
}

} // namespace
