// The command line as a user runs it: real files in a scratch folder, real exit codes.

#include "files/scorefile.h"
#include "files/scorefilewrite.h"
#include "support/scratchfolder.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
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

// The command line writes only its output, and only where it may: a listing is
// never written over the file it lists, a read-only file is refused, a pipe is
// written where it is (and a pipe or device as input refused at once), and a
// replaced file keeps its mode.
TEST_F(Cli, OutputsNeverHarmWhatIsNotTheirs) {
    const std::string listed = writeTwoStaveScore("My Song.DMP");
    const auto before = test::fileBytes(listed);
    EXPECT_NE(run("dump '" + listed + "'"), 0);
    EXPECT_NE(errors.find("it is the file being listed"), std::string::npos) << errors;
    EXPECT_EQ(test::fileBytes(listed), before);

    const std::string score = writeTwoStaveScore("song.QVR");
    const std::string readOnly = writeTwoStaveScore("kept.QVR");
    fs::permissions(readOnly, fs::perms::owner_read);
    EXPECT_NE(run("convert " + score + " " + readOnly), 0);
    EXPECT_NE(errors.find("Permission denied"), std::string::npos) << errors;
    EXPECT_EQ((fs::status(readOnly).permissions() & fs::perms::all), fs::perms::owner_read);

    const std::string priv = writeTwoStaveScore("private.QVR");
    fs::permissions(priv, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(run("convert " + score + " " + priv), 0) << errors;
    EXPECT_EQ((fs::status(priv).permissions() & fs::perms::all), fs::perms::owner_read | fs::perms::owner_write);

    const std::string pipe = (dir / "pipe").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_NE(run("convert " + score + " " + pipe), 0) << "nobody reads the pipe";
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_NE(run("dump " + pipe + " " + (dir / "out.DMP").string()), 0);
    EXPECT_NE(errors.find("not a regular file"), std::string::npos) << errors;
    EXPECT_NE(run("dump /dev/zero " + (dir / "out.DMP").string()), 0);
    EXPECT_FALSE(fs::exists(dir / "out.DMP"));
}

// The object records of a whole file: everything after header, page, fonts and staves.
std::vector<std::uint8_t> objectRecords(const std::vector<std::uint8_t>& file) {
    const std::size_t numFonts = file[20] | (file[21] << 8);
    const std::size_t staves = file[0] + 1;
    const std::size_t first = (2 + 2 * numFonts + staves) * RecordSize;
    return {file.begin() + static_cast<std::ptrdiff_t>(std::min(first, file.size())), file.end()};
}

TEST_F(Cli, ConvertLoadsAndSavesTheWholeScore) {
    const std::string in = writeTwoStaveScore("in.QVR");
    const std::string out = (dir / "out.QVR").string();
    const std::string again = (dir / "again.QVR").string();
    ASSERT_EQ(run("convert " + in + " " + out), 0) << errors;
    ASSERT_EQ(run("convert " + out + " " + again), 0) << errors;
    const auto original = test::fileBytes(in), converted = test::fileBytes(out), twice = test::fileBytes(again);
    ASSERT_FALSE(original.empty() || converted.empty() || twice.empty());
    EXPECT_EQ(converted, twice) << "a loaded and saved score saves the same again";
    EXPECT_EQ(converted[0], 2);
    EXPECT_EQ(converted[3], 0) << "a whole score: no partial or template flag";
    EXPECT_EQ(objectRecords(converted), objectRecords(original));
    EXPECT_EQ(objectRecords(converted).size(), 1u * RecordSize);
}

TEST_F(Cli, ConvertTurnsAPartialFileIntoAWholeScore) {
    Score score = test::makeScore(3);
    test::append(score.stave(3), test::makeNote(30, 1));
    test::ScriptedUi ui;
    const std::string in = (dir / "part.QVR").string();
    ASSERT_TRUE(writeScoreFile(score, in, {2, 3}, {}, ui));
    const std::string out = (dir / "whole.QVR").string();
    ASSERT_EQ(run("convert " + in + " " + out), 0) << errors;
    const auto converted = test::fileBytes(out);
    ASSERT_FALSE(converted.empty());
    EXPECT_EQ(converted[0], 2);
    EXPECT_EQ(converted[3] & FlagPartial, 0);
    const auto objects = objectRecords(converted);
    ASSERT_EQ(objects.size(), 1u * RecordSize);
    EXPECT_EQ(objects[0], 2) << "the note is on the second stave of the new score";
}

TEST_F(Cli, ConvertFailuresExitNonZeroWithOneLine) {
    const std::string out = (dir / "out.QVR").string();
    { std::ofstream(dir / "bad.QVR") << "this is not a score file at all"; }
    EXPECT_NE(run("convert " + (dir / "bad.QVR").string() + " " + out), 0);
    EXPECT_NE(errors.find("cannot convert"), std::string::npos) << errors;
    EXPECT_NE(errors.find("impossible size"), std::string::npos) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_FALSE(fs::exists(out));

    EXPECT_NE(run("convert " + (dir / "missing.QVR").string() + " " + out), 0);
    EXPECT_NE(errors.find("File cannot be found"), std::string::npos) << errors;

    const std::string in = writeTwoStaveScore("good.QVR");
    EXPECT_NE(run("convert " + in + " " + (dir / "no" / "such" / "folder.QVR").string()), 0);
    EXPECT_NE(errors.find("cannot write"), std::string::npos) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;

    EXPECT_NE(run("convert " + in), 0) << "OUT is needed";
}

// Rows of a PNG that hold anything but white.
int inkedRows(const QImage& image) {
    int rows = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                ++rows;
                break;
            }
    return rows;
}

TEST_F(Cli, RenderDrawsTheScreenPageAndThePrintImage) {
    const std::string score = writeTwoStaveScore("render.QVR");
    const std::string screen = (dir / "screen.png").string();
    ASSERT_EQ(run("render " + score + " -o " + screen), 0) << errors;
    const QImage page(QString::fromStdString(screen));
    // The file keeps the stave size in thousandths of an inch: 0.333.
    const QSize area(musicAreaWidth(PageData{}, 0.333), musicAreaHeight(PageData{}, 0.333));
    EXPECT_EQ(page.size(), area) << "the music area, one pixel per page unit";
    EXPECT_GE(inkedRows(page), 10) << "two staves of five lines and a note";

    const std::string print = (dir / "print.png").string();
    ASSERT_EQ(run("render " + score + " --page 1 --print -o " + print), 0) << errors;
    const QImage paper(QString::fromStdString(print));
    EXPECT_EQ(paper.size(), 3 * area) << "no header or footer: the music area at three times";
    EXPECT_GE(inkedRows(paper), 30) << "ten bars three pixels high";

    ASSERT_EQ(run("render " + score + " --page 0 -o " + screen), 0) << errors;
    EXPECT_EQ(QImage(QString::fromStdString(screen)).height(), paper.height() / 3)
        << "the header/footer page reaches from the top margin to the bottom margin";

    EXPECT_NE(run("render " + score + " --page 2 -o " + screen), 0);
    EXPECT_NE(errors.find("has 1 pages"), std::string::npos) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_NE(run("render " + score), 0);
    EXPECT_NE(errors.find("render needs"), std::string::npos) << errors;
    EXPECT_NE(run("render " + (dir / "missing.QVR").string() + " -o " + screen), 0);
    EXPECT_NE(errors.find("cannot render"), std::string::npos) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
}

} // namespace
} // namespace qv
