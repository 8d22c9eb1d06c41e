// Saving must survive the program dying at any instant: a child process saves two
// large scores in turn over the same file and is killed at random moments; after
// every kill the score's file (and its backup, once there is one) must be there,
// load, and hold exactly one of the two versions. Temporary files that a killed
// save leaves beside them are cleared by the next save.

#include "files/loader.h"
#include "files/saving.h"
#include "files/scorefilewrite.h"
#include "support/scratchfolder.h"
#include "support/randomscore.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace qv;
using namespace qv::test;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int Rounds = 40;
constexpr int MaxChildSaves = 100000; // a child the parent failed to kill still ends

std::vector<std::uint8_t> encodeDocument(Document& doc) {
    return encodeScore(doc.score, WriteRange{0, doc.score.Nstaves},
                       WriteOptions{false, doc.screenResolution});
}

// Saves B, A, B, A … over `path` until killed; exits 1 if a save fails.
[[noreturn]] void saveForever(Document& a, Document& b, const std::string& path) {
    for (int i = 0; i < MaxChildSaves; ++i) {
        ScriptedUi ui;
        if (!saveWholeScore(i % 2 == 0 ? b : a, path, ui)) ::_exit(1);
    }
    ::_exit(0);
}

class CrashSafetyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "qvcrashXXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    // The file loads without a word and is byte for byte one of the two versions;
    // returns which (0 for A, 1 for B), or -1 after reporting the failure.
    int whichVersion(const std::string& path) {
        ScriptedUi ui;
        Score loaded;
        EXPECT_TRUE(loadScore(path, LoadOptions{96, nullptr}, ui, loaded)) << path << ": " << ui.lastText();
        EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
        const auto bytes = fileBytes(path);
        if (bytes == expectedA) return 0;
        if (bytes == expectedB) return 1;
        ADD_FAILURE() << path << " holds neither version (" << bytes.size() << " bytes)";
        return -1;
    }

    fs::path dir;
    std::vector<std::uint8_t> expectedA, expectedB;
};

TEST_F(CrashSafetyTest, KilledSavesNeverLoseTheScoreFile) {
    const std::string path = (dir / "big.QVR").string();
    const std::string backup = (dir / "big.QVB").string();
    Document a{largestScore(1), path, 96};
    Document b{largestScore(2), path, 96};
    expectedA = encodeDocument(a);
    expectedB = encodeDocument(b);
    ASSERT_NE(expectedA, expectedB);

    ScriptedUi ui;
    const auto start = Clock::now();
    ASSERT_TRUE(saveWholeScore(a, path, ui)) << ui.lastText();
    const auto oneSave = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);

    // Kill anywhere within the first few saves of each child, whatever a save costs here.
    std::mt19937 rng(20261206);
    std::uniform_int_distribution<long> delay(0, std::max<long>(4 * oneSave.count(), 2000));
    int sawB = 0, sawBackup = 0;
    for (int round = 0; round < Rounds; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) saveForever(a, b, path);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_FALSE(WIFEXITED(status) && WEXITSTATUS(status) != 0) << "a save failed in round " << round;

        ASSERT_TRUE(fs::exists(path)) << "the score's file is missing after round " << round;
        sawB += whichVersion(path) == 1;
        if (fs::exists(backup)) {
            ++sawBackup;
            EXPECT_GE(whichVersion(backup), 0) << "backup after round " << round;
        }
        if (HasFailure()) break;
    }
    // The kills must have landed after some saves completed, or nothing was tested.
    EXPECT_GT(sawB, 0);
    EXPECT_GT(sawBackup, 0);
    // The next save clears what the killed ones left half written.
    ASSERT_TRUE(saveWholeScore(a, path, ui)) << ui.lastText();
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir)) left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"big.QVB", "big.QVR"}));
}

} // namespace
