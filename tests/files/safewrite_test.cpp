// The rules every writer shares: what is replaced, written in place or refused, and what is left.

#include "files/safewrite.h"
#include "files/tempfiles.h"
#include "support/scratchfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

static int failLinksWith = 0; // set: every hard link this binary makes fails with this error

// The writer's hard links, failing on demand as on a file system without them.
extern "C" int link(const char* from, const char* to) noexcept {
    if (failLinksWith == 0) return ::linkat(AT_FDCWD, from, AT_FDCWD, to, 0);
    errno = failLinksWith;
    return -1;
}

using namespace qv;
using namespace qv::test;

namespace {
namespace fs = std::filesystem;
using Names = std::vector<std::string>;

const std::vector<std::uint8_t> Old = bytesOf("old version"), New = bytesOf("the new version");

mode_t modeOf(const std::string& path) {
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st.st_mode;
}

// A backup "X.bak" beside the file; answers `agree` when it cannot be made, keeps the errors asked.
struct Backup {
    explicit Backup(bool agree) {
        plan.nameFor = [](const std::string& target) { return target + ".bak"; };
        plan.saveWithout = [this, agree](const std::string&, int e) { return questions.push_back(e), agree; };
    }
    BackupPlan plan;
    std::vector<int> questions;
};

class SafeWrite : public ::testing::Test {
  protected:
    ScratchFolder folder;
    std::string at(const std::string& name) const { return folder.at(name); }
};

TEST_F(SafeWrite, ReplacesAFileKeepingABackupAsksWhenItCannotBeMadeAndKeepsHardLinks) {
    writeBytes(at("song"), Old);
    Backup backup(true);
    ASSERT_TRUE(writeFileSafely(at("song"), New, &backup.plan).ok());
    EXPECT_TRUE(fileBytes(at("song")) == New && fileBytes(at("song.bak")) == Old && backup.questions.empty());
    EXPECT_EQ(folder.names(), (Names{"song", "song.bak"})) << "no temporary file left";
    fs::remove(at("song.bak"));
    fs::create_directory(at("song.bak")); // in the way of the backup
    Backup declined(false);
    EXPECT_EQ(writeFileSafely(at("song"), Old, &declined.plan).stage, WriteStage::Declined);
    EXPECT_EQ(declined.questions, std::vector<int>{EISDIR});
    EXPECT_EQ(fileBytes(at("song")), New);
    Backup agreed(true);
    ASSERT_TRUE(writeFileSafely(at("song"), Old, &agreed.plan).ok());
    EXPECT_TRUE(fileBytes(at("song")) == Old && fs::is_directory(at("song.bak")));
    EXPECT_EQ(folder.names(), (Names{"song", "song.bak"}));
    // Other names of the file keep sharing the new content; the backup is a copy.
    fs::create_hard_link(at("song"), at("other-name"));
    fs::remove(at("song.bak"));
    ASSERT_TRUE(writeFileSafely(at("song"), New, &backup.plan).ok());
    EXPECT_TRUE(fileBytes(at("other-name")) == New && fileBytes(at("song.bak")) == Old);
    EXPECT_EQ(fs::hard_link_count(at("song")) * 10 + fs::hard_link_count(at("song.bak")), 21u);
}

// Without hard links the backup is a copy, mode and all; a link failing otherwise is asked about.
TEST_F(SafeWrite, WithoutHardLinksTheBackupIsACopyAndAFailingLinkIsAskedAbout) {
    writeBytes(at("song"), Old);
    fs::permissions(at("song"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    Backup copied(false), failing(false);
    failLinksWith = EXDEV;
    const bool ok = writeFileSafely(at("song"), New, &copied.plan).ok();
    failLinksWith = EIO;
    const WriteFileResult refused = writeFileSafely(at("song"), Old, &failing.plan);
    failLinksWith = 0;
    EXPECT_TRUE(ok && copied.questions.empty() && fileBytes(at("song.bak")) == Old);
    EXPECT_EQ(modeOf(at("song.bak")) & 0777, 0640u);
    EXPECT_TRUE(refused.stage == WriteStage::Declined && failing.questions == std::vector<int>{EIO});
    EXPECT_EQ(fileBytes(at("song")), New);
    EXPECT_EQ(folder.names(), (Names{"song", "song.bak"}));
}

TEST_F(SafeWrite, ALinkIsWrittenAtItsTargetAndStaysALink) {
    fs::create_directory(at("store"));
    writeBytes(at("store/real"), Old);
    fs::create_symlink("store/real", at("song"));
    fs::create_symlink("song", at("link-to-link"));
    Backup backup(true);
    ASSERT_TRUE(writeFileSafely(at("link-to-link"), New, &backup.plan).ok());
    EXPECT_TRUE(fs::is_symlink(at("song")) && fs::is_symlink(at("link-to-link")));
    EXPECT_EQ(fileBytes(at("store/real")), New);
    EXPECT_TRUE(fileBytes(at("store/real.bak")) == Old && !fs::is_symlink(at("store/real.bak"))) << "beside";
    EXPECT_EQ(folder.names(), (Names{"link-to-link", "song", "store"}));
    // A link to a file not made yet makes it where the link points.
    fs::create_symlink("store/later", at("dangling"));
    ASSERT_TRUE(writeFileSafely(at("dangling"), New).ok());
    EXPECT_TRUE(fs::is_symlink(at("dangling")) && fileBytes(at("store/later")) == New);
}

TEST_F(SafeWrite, APipeWithoutReaderIsRefusedADeviceWrittenInPlaceAndAFolderRefused) {
    ASSERT_EQ(::mkfifo(at("pipe").c_str(), 0600), 0);
    EXPECT_EQ(writeFileSafely(at("pipe"), New).error, ENXIO) << "nobody reads: refused, not waited on";
    EXPECT_TRUE(S_ISFIFO(modeOf(at("pipe"))));
    if (::mknod(at("null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0) { // a null device, where we may
        EXPECT_TRUE(writeFileSafely(at("null"), New).ok() && S_ISCHR(modeOf(at("null"))));
    }
    fs::create_directory(at("song.QVR"));
    const WriteFileResult folderResult = writeFileSafely(at("song.QVR"), New);
    EXPECT_TRUE(folderResult.stage == WriteStage::Create && folderResult.error == EISDIR);
    EXPECT_TRUE(fs::is_directory(at("song.QVR")));
}

TEST_F(SafeWrite, ModesFollowTheTargetOrTheUmaskAndReadOnlyIsRefused) {
    const mode_t oldMask = ::umask(027);
    const bool created = writeFileSafely(at("new"), New).ok();
    ::umask(oldMask);
    ASSERT_TRUE(created);
    EXPECT_EQ(modeOf(at("new")) & 0777, 0640u);
    writeBytes(at("private"), Old);
    fs::permissions(at("private"), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(writeFileSafely(at("private"), New).ok());
    EXPECT_EQ(modeOf(at("private")) & 0777, 0600u);
    // Marked read-only: refused even for the administrator, backup and all.
    writeBytes(at("song"), Old);
    fs::permissions(at("song"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    Backup backup(true);
    const WriteFileResult result = writeFileSafely(at("song"), New, &backup.plan);
    EXPECT_TRUE(result.stage == WriteStage::Create && result.error == EACCES && fileBytes(at("song")) == Old);
    EXPECT_EQ(folder.names(), (Names{"new", "private", "song"}));
}

// A killed save's leftovers are cleared; a live process's and files of another form or kind are kept.
TEST_F(SafeWrite, StaleTemporaryFilesOfOursAreCleared) {
    const pid_t ended = ::fork();
    if (ended == 0) ::_exit(0);
    ::waitpid(ended, nullptr, 0);
    const auto temporary = [](unsigned process, unsigned random) {
        char name[32];
        std::snprintf(name, sizeof name, ".~qv%08x%04x.tmp", process, random);
        return std::string(name);
    };
    const std::string stale = temporary(unsigned(ended), 0xbeef);
    const std::string live = temporary(unsigned(::getpid()), 0xbeef);
    const std::string folderOfOurForm = temporary(unsigned(ended), 0xd1d1), notOurs = ".~qvnothex!!!!!!.tmp";
    for (const std::string& n : {stale, live, notOurs, std::string("song.tmp")})
        writeBytes(at(n), Old);
    fs::create_directory(at(folderOfOurForm));
    EXPECT_TRUE(isTemporaryName(stale) && !isTemporaryName(notOurs));
    ASSERT_TRUE(writeFileSafely(at("song"), New).ok());
    Names kept = {live, folderOfOurForm, notOurs, "song", "song.tmp"};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(folder.names(), kept);
}

// A save cut short leaves the backup, and a temporary name of a dead process, as
// second names of the score's file: they are ours, so the next save still replaces
// the file whole (never in place, where another interruption would spoil it).
TEST_F(SafeWrite, OurOwnSecondNamesOfTheFileAreNotOtherLinks) {
    const pid_t ended = ::fork();
    if (ended == 0) ::_exit(0);
    ::waitpid(ended, nullptr, 0);
    char stale[32];
    std::snprintf(stale, sizeof stale, ".~qv%08x%04x.tmp", unsigned(ended), 0xbeefu);
    writeBytes(at("song"), Old);
    for (const std::string& name : {std::string("song.bak"), std::string(stale)}) {
        ASSERT_EQ(::link(at("song").c_str(), at(name).c_str()), 0);
        struct stat before {};
        ::stat(at("song").c_str(), &before);
        Backup backup(false);
        ASSERT_TRUE(writeFileSafely(at("song"), New, &backup.plan).ok()) << name;
        struct stat after {};
        ::stat(at("song").c_str(), &after);
        EXPECT_NE(after.st_ino, before.st_ino) << name << ": replaced, not written in place";
        EXPECT_EQ(fileBytes(at("song.bak")), Old) << name;
        EXPECT_EQ(folder.names(), (Names{"song", "song.bak"})) << name;
        writeBytes(at("song"), Old);
        fs::remove(at("song.bak"));
    }
}

// Someone else's file is refused unless shared through its mode; then it keeps its owner.
TEST_F(SafeWrite, AnOrdinaryUserMayNotReplaceWhatIsNotTheirs) {
    if (!canDropPrivileges()) GTEST_SKIP() << "needs root to set up another user's files";
    fs::permissions(folder.path(), fs::perms::all);
    writeBytes(at("theirs"), Old);
    fs::permissions(at("theirs"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    writeBytes(at("shared"), Old);
    fs::permissions(at("shared"), static_cast<fs::perms>(0666));
    EXPECT_TRUE(runAsOrdinaryUser([&] {
        const bool refused = writeFileSafely(at("theirs"), New).error == EACCES;
        return refused && writeFileSafely(at("shared"), New).ok();
    }));
    EXPECT_TRUE(fileBytes(at("theirs")) == Old && fileBytes(at("shared")) == New);
    struct stat st {};
    ASSERT_EQ(::stat(at("shared").c_str(), &st), 0);
    EXPECT_TRUE(st.st_uid == 0u && (st.st_mode & 0777) == 0666u) << st.st_uid << " " << st.st_mode;
    ASSERT_EQ(::chown(at("theirs").c_str(), 65534, 65534), 0); // root replaces it whole, owner kept
    struct stat before {};
    ASSERT_EQ(::stat(at("theirs").c_str(), &before), 0);
    ASSERT_TRUE(writeFileSafely(at("theirs"), New).ok());
    ASSERT_EQ(::stat(at("theirs").c_str(), &st), 0);
    EXPECT_TRUE(st.st_uid == 65534u && st.st_ino != before.st_ino) << st.st_uid;
    ASSERT_EQ(::chown(at("theirs").c_str(), 0, 65534), 0); // ours, in another group: the group stays
    ASSERT_TRUE(writeFileSafely(at("theirs"), Old).ok() && ::stat(at("theirs").c_str(), &st) == 0);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(folder.names(), (Names{"shared", "theirs"}));
}
} // namespace
