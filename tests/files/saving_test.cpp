// Saving from the user's side: Save (As), backups, settings, failed and killed saves, parts.

#include "files/loader.h"
#include "files/partialsave.h"
#include "files/saving.h"
#include "files/scorefilewrite.h"
#include "support/randomscore.h"
#include "support/scorebuilder.h"
#include "support/scratchfolder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace qv;
using namespace qv::test;

namespace {
namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;

Bytes encoded(Document& doc) {
    return encodeScore(doc.score, {0, doc.score.Nstaves}, {false, doc.screenResolution});
}

class Saving : public ::testing::Test {
  protected:
    void SetUp() override { doc.score = makeScore(2), doc.score.modified = true; }
    void changeScore(int x) {
        append(doc.score.stave(1), makeNote(x, 0, 3, doc.score.stave(1).Ycoord)), doc.score.modified = true;
    }
    std::string at(const std::string& name) const { return dir.at(name); }
    ScratchFolder dir;
    Document doc;
    ScriptedUi ui;
    Settings settings;
};

TEST_F(Saving, SaveAsAsksInTheLastFolderAndNamesTheScore) {
    doc.fileName = "NONAME1";
    settings.Directory = dir.path();
    ui.fileAnswers = {std::nullopt}; // cancelled: nothing changes
    EXPECT_FALSE(saveCommand(doc, settings, ui)) << "an unnamed score goes to Save As";
    const FileDialogRequest& r = ui.fileRequests.at(0);
    EXPECT_EQ((Names{r.title, r.folder, r.fileName, r.filter, r.defaultExtension}),
              (Names{"Save As", dir.path(), "NONAME1.QVR", "Quaverly files (*.QVR)", "QVR"}));
    EXPECT_TRUE(doc.fileName == "NONAME1" && doc.score.modified && dir.names().empty() && ui.progress.empty())
        << doc.fileName;
    fs::create_directory(at("scores"));
    const std::string chosen = at("scores/Fugue.QVR");
    doc.fileName = "/elsewhere/Old.qvr";
    settings.recentFiles = {"a", chosen, "b", "c", "d", "e", "f", "g", "h"};
    ui.fileAnswers = {chosen, at("scores/Second.QVR")};
    ASSERT_TRUE(saveAsCommand(doc, settings, ui));
    EXPECT_EQ(ui.fileRequests.at(1).fileName, "Old.QVR");
    EXPECT_EQ(doc.fileName, chosen);
    EXPECT_EQ(settings.Directory, at("scores"));
    EXPECT_EQ(settings.recentFiles, (Names{chosen, "a", "b", "c", "d", "e", "f", "g", "h"})) << "moved up";
    EXPECT_TRUE(fileBytes(chosen) == encoded(doc) && !doc.score.modified);
    ASSERT_TRUE(saveAsCommand(doc, settings, ui));
    const Names recent = {at("scores/Second.QVR"), chosen, "a", "b", "c", "d", "e", "f", "g"};
    EXPECT_EQ(settings.recentFiles, recent) << "the oldest dropped";
}

TEST_F(Saving, SaveForcesTheExtensionAndKeepsOneBackupOfThePreviousVersion) {
    doc.fileName = at("song.txt");
    ASSERT_TRUE(saveCommand(doc, settings, ui));
    EXPECT_EQ(doc.fileName, at("song.QVR"));
    EXPECT_EQ(ui.progress, Names{"Score saved as " + at("song.QVR")});
    EXPECT_TRUE(ui.progressClosed == 1 && ui.fileRequests.empty() && ui.messages.empty()) << ui.lastText();
    EXPECT_FALSE(doc.score.modified);
    EXPECT_EQ(dir.names(), Names{"song.QVR"}) << "nothing to back up the first time";
    const Bytes first = encoded(doc);
    changeScore(100);
    ASSERT_TRUE(saveCommand(doc, settings, ui));
    const Bytes second = encoded(doc);
    EXPECT_EQ(fileBytes(at("song.QVB")), first);
    changeScore(200);
    ASSERT_TRUE(saveCommand(doc, settings, ui));
    EXPECT_EQ(fileBytes(at("song.QVR")), encoded(doc));
    EXPECT_EQ(fileBytes(at("song.QVB")), second);
    EXPECT_EQ(dir.names(), (Names{"song.QVB", "song.QVR"}));
    EXPECT_EQ(fs::hard_link_count(at("song.QVR")), 1u) << "the backup is no longer the same file";
    // "song.qvr" is saved as itself with its backup in the same case; other files get none.
    for (const std::string name : {"other.qvr", "export.dat"}) {
        ASSERT_TRUE(saveWholeScore(doc, at(name), ui));
        doc.fileName = at(name);
        changeScore(300);
        ASSERT_TRUE(name == "other.qvr" ? saveCommand(doc, settings, ui) : saveWholeScore(doc, at(name), ui));
        EXPECT_EQ(fileBytes(at(name)), encoded(doc));
    }
    EXPECT_EQ(dir.names(), (Names{"export.dat", "other.qvb", "other.qvr", "song.QVB", "song.QVR"}));
}

TEST_F(Saving, FailedSavesChangeNothingAndSayWhy) {
    const std::string path = at("song.QVR");
    ASSERT_TRUE(saveWholeScore(doc, path, ui));
    changeScore(100);
    ASSERT_TRUE(saveWholeScore(doc, path, ui));
    const Bytes current = fileBytes(path), backup = fileBytes(at("song.QVB"));
    changeScore(200);
    const auto failedWith = [&](bool saved, const std::string& target, const std::string& why) {
        EXPECT_FALSE(saved) << why;
        EXPECT_EQ(ui.lastText(), why + ": " + target);
        EXPECT_TRUE(ui.messages.back().type == MessageType::Error && doc.score.modified);
        EXPECT_EQ(ui.progress.size(), static_cast<std::size_t>(ui.progressClosed));
        EXPECT_TRUE(fileBytes(path) == current && fileBytes(at("song.QVB")) == backup);
        EXPECT_EQ(dir.names(), (Names{"song.QVB", "song.QVR"}));
    };
    const std::string create = "An error occurred during the processing of the file. Error code ";
    failedWith(saveWholeScore(doc, at("gone/song.QVR"), ui), at("gone/song.QVR"),
               create + std::to_string(ENOENT) + "\n\nNo such file or directory");
    // A file-size limit below the file makes the write itself fail, as a full disk would.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight{100, saved.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
    const bool savedBig = saveWholeScore(doc, path, ui);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    const std::string write = "An error has occured during the writing of the file. Error code ";
    failedWith(savedBig, path, write + std::to_string(EFBIG) + "\n\nFile too large");
    // A folder where the backup belongs is asked about; saved only if the user agrees, the folder untouched.
    fs::remove(at("song.QVB"));
    fs::create_directory(at("song.QVB"));
    ui.buttonAnswers = {ButtonNo, ButtonYes};
    EXPECT_FALSE(saveWholeScore(doc, path, ui));
    EXPECT_EQ(ui.lastText(), "The backup copy " + at("song.QVB") +
                                 " cannot be made: Is a directory.\n\nSave the score without a backup?");
    EXPECT_EQ(ui.messages.back().buttons, ButtonYes | ButtonNo);
    EXPECT_TRUE(fileBytes(path) == current && doc.score.modified);
    EXPECT_TRUE(saveWholeScore(doc, path, ui));
    EXPECT_TRUE(fileBytes(path) == encoded(doc) && fs::is_directory(at("song.QVB")) && !doc.score.modified);
}

// A child saving two large scores in turn over one file is killed at random moments; after every
// kill the file (and backup) loads without a word and holds one of the two versions exactly.
TEST(CrashSafety, KilledSavesNeverLoseTheScoreFile) {
    ScratchFolder dir;
    const std::string path = dir.at("big.QVR"), backup = dir.at("big.QVB");
    Document a{largestScore(1), path, 96}, b{largestScore(2), path, 96};
    const Bytes versions[] = {encoded(a), encoded(b)};
    ASSERT_NE(versions[0], versions[1]);
    const auto whichVersion = [&](const std::string& file) { // 0 for A, 1 for B, -1 for neither (reported)
        ScriptedUi ui;
        Score loaded;
        EXPECT_TRUE(loadScore(file, {}, ui, loaded)) << file << ": " << ui.lastText();
        EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
        const Bytes bytes = fileBytes(file);
        return bytes == versions[0] ? 0 : bytes == versions[1] ? 1 : (ADD_FAILURE() << file, -1);
    };
    ScriptedUi ui;
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    ASSERT_TRUE(saveWholeScore(a, path, ui)) << ui.lastText();
    const long oneSave = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count();
    // Kill anywhere within the first few saves of each child, whatever a save costs here.
    std::mt19937 rng(20261206);
    std::uniform_int_distribution<long> delay(0, std::max<long>(4 * oneSave, 2000));
    int sawB = 0, sawBackup = 0;
    for (int round = 0; round < 40 && !HasFailure(); ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) { // B, A, B … until killed; a child the parent failed to kill still ends
            for (int i = 0; i < 100000; ++i)
                if (ScriptedUi quiet; !saveWholeScore(i % 2 == 0 ? b : a, path, quiet)) ::_exit(1);
            ::_exit(0);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_FALSE(WIFEXITED(status) && WEXITSTATUS(status) != 0) << "a save failed in round " << round;
        ASSERT_TRUE(fs::exists(path)) << "the score's file is missing after round " << round;
        sawB += whichVersion(path) == 1;
        if (fs::exists(backup)) sawBackup += whichVersion(backup) >= 0;
    }
    EXPECT_TRUE(sawB > 0 && sawBackup > 0) << "no kill landed after a completed save";
    ASSERT_TRUE(saveWholeScore(a, path, ui)) << ui.lastText();
    EXPECT_EQ(dir.names(), (Names{"big.QVB", "big.QVR"}));
}

TEST(SavePart, TheStavesOfTheSystemsChosenAreSavedAsAPartialFile) {
    ScratchFolder dir;
    Score score = makeScore(6);
    for (int s : {1, 3, 5}) // systems 1-2, 3-4, 5-6
        score.stave(s).joinToNext = true;
    append(score.stave(4), makeNote(40, 2, 3, score.stave(4).Ycoord));
    score.modified = true;
    Settings settings;
    settings.Directory = "/somewhere/else";
    ScriptedUi ui;
    EXPECT_FALSE(savePartOfScore(score, 3, settings, ui)) << "the dialog cancelled";
    ui.savePartScript = [](SavePartDialog& d) { return d.showAll(), true; };
    EXPECT_FALSE(savePartOfScore(score, 3, settings, ui)) << "the chooser cancelled";
    EXPECT_TRUE(ui.progress.empty() && dir.names().empty() && settings.Directory == "/somewhere/else");
    ui.savePartScript = [](SavePartDialog& d) { return d.accept(); };
    ui.fileAnswers.push_back(dir.at("middle.QVR"));
    ASSERT_TRUE(savePartOfScore(score, 3, settings, ui));
    ASSERT_EQ(ui.fileRequests.size(), 2u);
    EXPECT_EQ(ui.fileRequests[1].folder, "/somewhere/else") << "the chooser opens in the last directory";
    EXPECT_EQ(ui.progress, Names{"Staves 3-4 saved as " + dir.at("middle.QVR")});
    EXPECT_TRUE(ui.progressClosed == 1 && score.modified) << "a partial save leaves the modified flag alone";
    EXPECT_EQ(settings.Directory, dir.path());
    EXPECT_EQ(dir.names(), Names{"middle.QVR"}) << "no backup";
    // Header, page, one font pair, two stave records, the note on the second stored stave.
    const Bytes bytes = fileBytes(dir.at("middle.QVR"));
    ASSERT_EQ(bytes.size(), 7u * RecordSize);
    EXPECT_EQ((Bytes{bytes[0], std::uint8_t(bytes[3] & (FlagPartial | FlagTemplate)), bytes[6 * RecordSize]}),
              (Bytes{2, FlagPartial, 2}));
}
} // namespace
