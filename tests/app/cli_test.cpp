// The command line as a user runs it: real files in a scratch folder, real exit codes.

#include "files/fileio.h"
#include "files/scorefilewrite.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace qv {
namespace {

namespace fs = std::filesystem;

class Cli : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("quaverly-cli-test-" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs quaverly-cli with the arguments; returns its exit code and keeps stderr.
    int run(const std::string& args) {
        const std::string errFile = (dir / "stderr.txt").string();
        const std::string command = std::string(QUAVERLY_CLI) + " " + args + " 2>" + errFile + " >/dev/null";
        const int status = std::system(command.c_str());
        errors = slurp(errFile);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    static std::string slurp(const fs::path& p) {
        std::ifstream in(p);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::string writeTwoStaveScore(const std::string& name) {
        Score score = test::makeScore(2);
        test::append(score.stave(1), test::makeNote(30, 2));
        test::ScriptedUi ui;
        const std::string path = (dir / name).string();
        EXPECT_TRUE(writeScoreFile(score, path, {0, 2}, {}, ui));
        return path;
    }

    fs::path dir;
    std::string errors;
};

TEST_F(Cli, DumpWritesBesideTheScoreWithExtensionDMP) {
    const std::string score = writeTwoStaveScore("song.QVR");
    ASSERT_EQ(run("dump " + score), 0) << errors;
    const std::string text = slurp(dir / "song.DMP");
    EXPECT_EQ(text.rfind("Dump of file: " + score + "\n", 0), 0u);
    EXPECT_NE(text.find("Stv   2:"), std::string::npos);
    EXPECT_NE(text.find("Object data:"), std::string::npos);
}

TEST_F(Cli, DumpToANamedFileAndFailuresExitNonZeroWithOneLine) {
    const std::string score = writeTwoStaveScore("a.QVR");
    const std::string out = (dir / "listing.txt").string();
    ASSERT_EQ(run("dump " + score + " " + out), 0) << errors;
    EXPECT_TRUE(fs::exists(out));

    EXPECT_NE(run("dump " + (dir / "missing.QVR").string()), 0);
    EXPECT_NE(errors.find("cannot read"), std::string::npos);
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1);

    EXPECT_NE(run("frobnicate"), 0);
    EXPECT_NE(errors.find("unknown command"), std::string::npos);
    EXPECT_NE(run(""), 0) << "no command is a usage error";
}

} // namespace
} // namespace qv
