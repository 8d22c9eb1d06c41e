// Save and Save As from the user's side: unnamed scores, the forced extension, the
// one-generation backup, the chooser and the settings it updates, progress texts,
// and failed saves that must leave every file and the modified flag alone.

#include "files/saving.h"
#include "files/scorefilewrite.h"
#include "support/scratchfolder.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sys/resource.h>

using namespace qv;
using namespace qv::test;

namespace {

namespace fs = std::filesystem;

class SavingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "qvsaveXXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        doc.score = makeScore(2);
        doc.score.modified = true;
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string at(const std::string& name) const { return (dir / name).string(); }

    // The bytes a save of the document's score writes now.
    std::vector<std::uint8_t> encoded() {
        return encodeScore(doc.score, WriteRange{0, doc.score.Nstaves},
                           WriteOptions{false, doc.screenResolution});
    }

    std::vector<std::uint8_t> bytesOf(const std::string& path) const {
        return fileBytes(path);
    }

    // Every file in the folder: a failed save must leave no temporary behind.
    std::vector<std::string> folderContents() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    void changeScore(int x) {
        append(doc.score.stave(1), makeNote(x, 0, 3, doc.score.stave(1).Ycoord));
        doc.score.modified = true;
    }

    fs::path dir;
    Document doc;
    ScriptedUi ui;
    Settings settings;
};

TEST(SavingNames, UnnamedAndExtensions) {
    EXPECT_TRUE(isUnnamed("NONAME1"));
    EXPECT_TRUE(isUnnamed("NONAME12.QVR"));
    EXPECT_FALSE(isUnnamed("NONAM"));
    EXPECT_FALSE(isUnnamed("/home/u/NONAME1.QVR")); // named by the user, in a folder
    EXPECT_FALSE(isUnnamed("noname1"));

    EXPECT_EQ(withExtension("song.qvr", ".QVR"), "song.QVR");
    EXPECT_EQ(withExtension("song", ".QVR"), "song.QVR");
    EXPECT_EQ(withExtension("/a/b.c/song", ".QVR"), "/a/b.c/song.QVR");
    EXPECT_EQ(withExtension("/a/b/song.old.txt", "QVB"), "/a/b/song.old.QVB");
    EXPECT_EQ(withExtension("/a/.hidden", ".QVR"), "/a/.hidden.QVR");
}

TEST_F(SavingTest, UnnamedScoreGoesToSaveAs) {
    doc.fileName = "NONAME1";
    settings.Directory = dir.string();
    ui.fileAnswers = {std::nullopt}; // cancelled
    EXPECT_FALSE(saveCommand(doc, settings, ui));
    ASSERT_EQ(ui.fileRequests.size(), 1u);
    const FileDialogRequest& r = ui.fileRequests[0];
    EXPECT_EQ(r.title, "Save As");
    EXPECT_EQ(r.folder, dir.string());
    EXPECT_EQ(r.fileName, "NONAME1.QVR");
    EXPECT_EQ(r.filter, "Quaverly files (*.QVR)");
    EXPECT_EQ(r.defaultExtension, "QVR");
    EXPECT_EQ(doc.fileName, "NONAME1"); // cancelling changes nothing
    EXPECT_TRUE(doc.score.modified);
    EXPECT_TRUE(folderContents().empty());
    EXPECT_TRUE(ui.progress.empty());
}

TEST_F(SavingTest, SaveAsNamesTheScoreAndUpdatesDirectoryAndRecentFiles) {
    fs::create_directory(dir / "scores");
    const std::string chosen = at("scores/Fugue.QVR");
    doc.fileName = "/elsewhere/Old.qvr";
    settings.recentFiles = {"a.QVR", chosen, "b.QVR", "c.QVR", "d.QVR", "e.QVR", "f.QVR", "g.QVR", "h.QVR"};
    ui.fileAnswers = {chosen};
    ASSERT_TRUE(saveAsCommand(doc, settings, ui));
    EXPECT_EQ(ui.fileRequests[0].fileName, "Old.QVR");
    EXPECT_EQ(doc.fileName, chosen);
    EXPECT_EQ(settings.Directory, (dir / "scores").string());
    const std::vector<std::string> recent = {chosen,  "a.QVR", "b.QVR", "c.QVR", "d.QVR",
                                             "e.QVR", "f.QVR", "g.QVR", "h.QVR"};
    EXPECT_EQ(settings.recentFiles, recent); // moved up, not repeated
    EXPECT_EQ(bytesOf(chosen), encoded());
    EXPECT_FALSE(doc.score.modified);

    ui.fileAnswers = {at("scores/Second.QVR")};
    ASSERT_TRUE(saveAsCommand(doc, settings, ui));
    ASSERT_EQ(settings.recentFiles.size(), 9u); // the oldest drops off
    EXPECT_EQ(settings.recentFiles[0], at("scores/Second.QVR"));
    EXPECT_EQ(settings.recentFiles[1], chosen);
    EXPECT_EQ(settings.recentFiles.back(), "g.QVR");
}

TEST_F(SavingTest, SaveForcesTheExtensionAndShowsProgress) {
    doc.fileName = at("song.txt");
    ASSERT_TRUE(saveCommand(doc, settings, ui));
    EXPECT_EQ(doc.fileName, at("song.QVR"));
    EXPECT_TRUE(fs::exists(at("song.QVR")));
    EXPECT_FALSE(fs::exists(at("song.txt")));
    EXPECT_TRUE(ui.fileRequests.empty());
    ASSERT_EQ(ui.progress.size(), 1u);
    EXPECT_EQ(ui.progress[0], "Score saved as " + at("song.QVR"));
    EXPECT_EQ(ui.progressClosed, 1);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(doc.score.modified);
}

TEST_F(SavingTest, TwoSavesKeepOneBackupOfThePreviousVersion) {
    const std::string path = at("song.QVR");
    ASSERT_TRUE(saveWholeScore(doc, path, ui));
    const std::vector<std::uint8_t> first = encoded();
    EXPECT_FALSE(fs::exists(at("song.QVB"))); // nothing to back up the first time

    changeScore(100);
    ASSERT_TRUE(saveWholeScore(doc, path, ui));
    const std::vector<std::uint8_t> second = encoded();
    EXPECT_EQ(bytesOf(at("song.QVB")), first);

    changeScore(200);
    ASSERT_TRUE(saveWholeScore(doc, path, ui));
    EXPECT_EQ(bytesOf(path), encoded());
    EXPECT_EQ(bytesOf(at("song.QVB")), second);
    EXPECT_EQ(folderContents(), (std::vector<std::string>{"song.QVB", "song.QVR"}));
    EXPECT_EQ(fs::hard_link_count(path), 1u); // the backup is no longer the same file
}

TEST_F(SavingTest, OnlyScoreFilesAreBackedUp) {
    const std::string path = at("export.dat");
    ASSERT_TRUE(saveWholeScore(doc, path, ui));
    changeScore(100);
    ASSERT_TRUE(saveWholeScore(doc, path, ui));
    EXPECT_EQ(folderContents(), std::vector<std::string>{"export.dat"});
    EXPECT_EQ(bytesOf(path), encoded());
}

TEST_F(SavingTest, SaveIntoAMissingFolderChangesNothing) {
    const std::string path = at("gone/song.QVR");
    EXPECT_FALSE(saveWholeScore(doc, path, ui));
    EXPECT_EQ(ui.lastText(), "An error occurred during the processing of the file. Error code " +
                                 std::to_string(ENOENT) + "\n\nNo such file or directory: " + path);
    EXPECT_EQ(ui.messages.back().type, MessageType::Error);
    EXPECT_EQ(ui.progressClosed, 1);
    EXPECT_TRUE(doc.score.modified);
    EXPECT_TRUE(folderContents().empty());
}

TEST_F(SavingTest, FailedWriteKeepsTheOldFileAndItsBackup) {
    const std::string path = at("song.QVR");
    ASSERT_TRUE(saveWholeScore(doc, path, ui));
    changeScore(100);
    ASSERT_TRUE(saveWholeScore(doc, path, ui));
    const std::vector<std::uint8_t> current = bytesOf(path), backup = bytesOf(at("song.QVB"));
    changeScore(200);

    // A file-size limit below the file makes the write itself fail, as a full disk would.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = saved;
    tight.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
    const bool savedOk = saveWholeScore(doc, path, ui);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(savedOk);
    EXPECT_EQ(ui.lastText(), "An error has occured during the writing of the file. Error code " +
                                 std::to_string(EFBIG) + "\n\nFile too large: " + path);
    EXPECT_TRUE(doc.score.modified);
    EXPECT_EQ(bytesOf(path), current);
    EXPECT_EQ(bytesOf(at("song.QVB")), backup);
    EXPECT_EQ(folderContents(), (std::vector<std::string>{"song.QVB", "song.QVR"}));
    EXPECT_EQ(ui.progress.size(), static_cast<std::size_t>(ui.progressClosed));
}

// The name the user opened is the name saved: "song.qvr" is not saved as a second
// file "song.QVR", and its backup keeps the same case.
TEST_F(SavingTest, SaveKeepsTheNameOpenedAndItsCase) {
    const std::string path = at("song.qvr");
    ASSERT_TRUE(saveWholeScore(doc, path, ui));
    doc.fileName = path;
    changeScore(100);
    ASSERT_TRUE(saveCommand(doc, settings, ui));
    EXPECT_EQ(doc.fileName, path);
    EXPECT_EQ(bytesOf(path), encoded());
    EXPECT_EQ(folderContents(), (std::vector<std::string>{"song.qvb", "song.qvr"}));
}

TEST_F(SavingTest, AReadOnlyScoreIsNotReplaced) {
    const std::string path = at("song.QVR");
    ASSERT_TRUE(saveWholeScore(doc, path, ui));
    const std::vector<std::uint8_t> before = bytesOf(path);
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    doc.fileName = path;
    changeScore(100);
    EXPECT_FALSE(saveCommand(doc, settings, ui));
    EXPECT_EQ(ui.lastText(), "An error occurred during the processing of the file. Error code " +
                                 std::to_string(EACCES) + "\n\nPermission denied: " + path);
    EXPECT_EQ(bytesOf(path), before);
    EXPECT_EQ(folderContents(), std::vector<std::string>{"song.QVR"});
    EXPECT_TRUE(doc.score.modified);
}

// A folder where the backup belongs is reported; the score is saved only when the
// user agrees, and the folder is never touched.
TEST_F(SavingTest, ABackupThatCannotBeMadeIsAskedAbout) {
    const std::string path = at("song.QVR");
    ASSERT_TRUE(saveWholeScore(doc, path, ui));
    const std::vector<std::uint8_t> before = bytesOf(path);
    fs::create_directory(at("song.QVB"));
    changeScore(100);

    ui.buttonAnswers = {ButtonNo};
    EXPECT_FALSE(saveWholeScore(doc, path, ui));
    EXPECT_EQ(ui.lastText(), "The backup copy " + at("song.QVB") +
                                 " cannot be made: Is a directory.\n\nSave the score without a backup?");
    EXPECT_EQ(ui.messages.back().buttons, ButtonYes | ButtonNo);
    EXPECT_EQ(bytesOf(path), before);
    EXPECT_TRUE(doc.score.modified);

    ui.buttonAnswers = {ButtonYes};
    EXPECT_TRUE(saveWholeScore(doc, path, ui));
    EXPECT_EQ(bytesOf(path), encoded());
    EXPECT_TRUE(fs::is_directory(at("song.QVB")));
    EXPECT_FALSE(doc.score.modified);
}

} // namespace
