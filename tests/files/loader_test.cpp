// Loading from disk: the pre-check, the questions before reading, refusals leaving the score alone.

#include "files/loader.h"
#include "files/scorefilewrite.h"
#include "model/bytes.h"
#include "support/scorebuilder.h"
#include "support/scratchfolder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace qv;
using namespace qv::test;

namespace {
namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Score plainScore() { // two staves with a note each, font 1 at 12 points
    Score s = makeScore(2);
    append(s.stave(1), makeNote(100, 2, 3, s.stave(1).Ycoord));
    append(s.stave(2), makeNote(120, -1, 4, s.stave(2).Ycoord));
    return s;
}

Bytes plainFile(int resolution = 96, int version = CurrentFileVersion) {
    Score s = plainScore();
    Bytes bytes = encodeScore(s, {0, s.Nstaves}, {false, resolution});
    putU16(&bytes[8], static_cast<std::uint16_t>(version));
    return bytes;
}

class Loader : public ::testing::Test {
  protected:
    std::string put(const std::string& n, const Bytes& b) { return writeBytes(dir.at(n), b), dir.at(n); }
    bool load(const std::string& path, Score& out, int screen = 96, const Settings* settings = nullptr) {
        return loadScore(path, LoadOptions{screen, settings}, ui, out);
    }
    ScratchFolder dir;
    ScriptedUi ui;
};

TEST_F(Loader, ThePrecheckRefusesWithAnErrorBoxAndTheScoreIsLeftAlone) {
    using Make = std::function<void(const std::string&)>;
    const auto file = [](const Bytes& bytes) -> Make { return [bytes](auto& p) { writeBytes(p, bytes); }; };
    const auto sparse = [](std::size_t records) -> Make {
        return [records](auto& p) { writeBytes(p, {}); ASSERT_EQ(::truncate(p.c_str(), records * 22), 0); };
    };
    Bytes noK = plainFile(), olderNoK = plainFile(96, 302); // without "K": judged by the version alone
    noK[4] = olderNoK[4] = 'X';
    using P = PrecheckCode;
    const std::string impossible = "File has impossible size: ", wrong = "File has wrong attributes: ";
    struct Case { std::string name; Make make; PrecheckCode code; std::string message; };
    const std::vector<Case> cases = {
        {"absent.QVR", [](auto&) {}, P::NotFound, "File cannot be found: "},
        {"empty.QVR", file({}), P::ZeroSize, "File has zero size: "},
        {"empty.QVR/x.QVR", [](auto&) {}, P::NotFound, "File cannot be found: "},
        {"folder.QVR", [](auto& p) { fs::create_directory(p); }, P::WrongAttributes, wrong},
        {"pipe.QVR", [](auto& p) { ::mkfifo(p.c_str(), 0600); }, P::WrongAttributes, wrong},
        {"short.QVR", file(Bytes(21, 1)), P::ImpossibleSize, impossible},
        // Whole records but more than the largest score can fill: refused from the size alone.
        {"huge.QVR", sparse(MaxScoreFileRecords + 1), P::ImpossibleSize, impossible},
        {"largest.QVR", sparse(MaxScoreFileRecords), P::Ok, ""},
        {"later.QVR", file(noK), P::LaterVersion, "File has later version number than this program: "},
        {"older.QVR", file(olderNoK), P::Ok, ""},
        {"nwc.QVR", file(plainFile(96, 200)), P::Ok, ""},
    };
    for (const Case& c : cases) {
        const std::string path = dir.at(c.name);
        c.make(path);
        ASSERT_EQ(precheckScoreFile(path), c.code) << c.name;
        if (c.code == PrecheckCode::Ok) continue;
        Score out = plainScore();
        EXPECT_FALSE(load(path, out)) << c.name;
        EXPECT_EQ(ui.lastText(), c.message + path);
        EXPECT_TRUE(ui.messages.back().type == MessageType::Error && ui.messages.back().buttons == ButtonOk);
        EXPECT_TRUE(out.sameContent(plainScore())) << c.name;
    }
    EXPECT_EQ(precheckMessage(PrecheckCode::CannotOpen, "a.QVR"), "File cannot be opened: a.QVR");
}

TEST_F(Loader, FontsFromAnotherScreenAreScaledOnlyWhenTheFileSaysAndTheUserAgrees) {
    const std::string path = put("large.QVR", plainFile(120));
    Score scaled, kept, helped, same, older, unset;
    ui.buttonAnswers = {ButtonYes, ButtonNo, ButtonHelp};
    ASSERT_TRUE(load(path, scaled) && load(path, kept) && load(path, helped));
    EXPECT_EQ(scaled.fonts.font(1).size, 15); // 12 × 120 / 96
    EXPECT_EQ(kept.fonts.font(1).size + helped.fonts.font(1).size, 24);
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0].buttons, ButtonYes | ButtonNo | ButtonHelp);
    EXPECT_NE(ui.lastText().find("Shall I modify the sizes of all the text fonts"), std::string::npos);
    // Nothing asked for the same screen, a version without the resolution byte, or a zero byte.
    Bytes zero = plainFile(96);
    zero[17] = 0;
    ASSERT_TRUE(load(path, same, 120));
    ASSERT_TRUE(load(put("older.QVR", plainFile(120, 302)), older, 96));
    ASSERT_TRUE(load(put("unset.QVR", zero), unset, 120));
    EXPECT_EQ(ui.messages.size(), 3u) << ui.lastText();
    EXPECT_EQ(same.fonts.font(1).size + older.fonts.font(1).size + unset.fonts.font(1).size, 36);
}

TEST_F(Loader, LaterVersionLoadsOnlyAfterTheUserAgrees) {
    const std::string path = put("later.QVR", plainFile(96, 304));
    Score out, refused = plainScore();
    ui.buttonAnswers = {ButtonOk, ButtonCancel};
    ASSERT_TRUE(load(path, out));
    EXPECT_NE(ui.lastText().find("saved by a later version of Quaverly 32"), std::string::npos);
    const auto& asked = ui.messages[0];
    EXPECT_TRUE(asked.type == MessageType::Warning && asked.buttons == (ButtonOk | ButtonCancel));
    EXPECT_EQ(out.stave(2).Nobjec, 1);
    EXPECT_FALSE(load(path, refused));
    EXPECT_EQ(ui.lastText(), "File read error in " + path);
    EXPECT_TRUE(refused.sameContent(plainScore()));
}

TEST_F(Loader, RefusedBytesLeaveTheScoreAndItsHooksAloneAndAGoodLoadKeepsTheHooks) {
    int refreshed = 0;
    Score out = plainScore();
    out.modified = true;
    out.hooks.refreshStatus = [&](Score&, int) { ++refreshed; };
    Bytes truncated = plainFile();
    truncated.resize(4 * RecordSize); // stops before the staves: the reader's refusal is shown
    Bytes noteWorthyWithoutStaves(RecordSize, 0);
    noteWorthyWithoutStaves[8] = 200; // the version of a NoteWorthy 2 file
    for (const auto& [bytes, name, message] :
         {std::tuple<Bytes, std::string, std::string>{noteWorthyWithoutStaves, "n.QVR",
                                                      "Problem with the header: no staves\nFile is bad."},
          {truncated, "t.QVR", "File read error in t.QVR"}}) {
        EXPECT_FALSE(loadScoreBytes(bytes, name, LoadOptions{}, ui, out)) << name;
        EXPECT_EQ(ui.lastText(), message);
        EXPECT_EQ(ui.messages.back().type, MessageType::Error) << name;
    }
    EXPECT_TRUE(out.sameContent(plainScore()) && out.modified);
    ASSERT_TRUE(load(put("good.QVR", plainFile()), out));
    ASSERT_TRUE(!out.modified && out.hooks.refreshStatus);
    out.hooks.refreshStatus(out, 1);
    EXPECT_EQ(refreshed, 1);
}
} // namespace
