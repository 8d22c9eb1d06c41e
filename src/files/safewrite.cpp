#include "files/safewrite.h"

#include "files/tempfiles.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

namespace {

constexpr int MaxLinkHops = 40; // as the system's own limit on links in a path
constexpr unsigned NewFileMode = 0666; // the umask takes away what the user wants kept private
constexpr mode_t PermissionBits = 07777;

WriteFileResult failed(WriteStage stage, int error) {
    return {stage, error};
}

// What the name to write resolves to.
enum class TargetKind { NewFile, RegularFile, Stream };
struct Target {
    std::string path; // the name written: a link's final target for files
    TargetKind kind = TargetKind::NewFile;
    struct stat st {};
};

// Devices and pipes take the bytes where they are; nothing else that is not a
// regular file may be written (a folder, a socket, a disk).
WriteFileResult classify(const std::string& path, const struct stat& st, Target& t) {
    t.path = path;
    t.st = st;
    if (S_ISREG(st.st_mode)) t.kind = TargetKind::RegularFile;
    else if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode)) t.kind = TargetKind::Stream;
    else return failed(WriteStage::Create, S_ISDIR(st.st_mode) ? EISDIR : EPERM);
    return {};
}

std::string readLink(const std::string& link) {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink(link.c_str(), buffer, sizeof buffer);
    if (n <= 0 || n == static_cast<ssize_t>(sizeof buffer)) return {};
    const std::string to(buffer, static_cast<std::size_t>(n));
    return to.front() == '/' ? to : folderOf(link) + "/" + to;
}

// A link to an existing file resolves to that file; a device or pipe behind a
// link (/dev/stdout) is opened through the link; a link whose target does not
// exist yet makes it where the chain of links ends.
WriteFileResult followLink(const std::string& link, Target& t, int hops);

WriteFileResult resolve(const std::string& path, Target& t, int hops = 0) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        if (errno != ENOENT) return failed(WriteStage::Create, errno);
        t.path = path;
        t.kind = TargetKind::NewFile;
        return {};
    }
    return S_ISLNK(st.st_mode) ? followLink(path, t, hops) : classify(path, st, t);
}

WriteFileResult followLink(const std::string& link, Target& t, int hops) {
    struct stat st {};
    if (::stat(link.c_str(), &st) != 0) {
        if (errno != ENOENT) return failed(WriteStage::Create, errno);
        if (hops >= MaxLinkHops) return failed(WriteStage::Create, ELOOP);
        const std::string next = readLink(link);
        return next.empty() ? failed(WriteStage::Create, EINVAL) : resolve(next, t, hops + 1);
    }
    if (!S_ISREG(st.st_mode)) return classify(link, st, t);
    char* real = ::realpath(link.c_str(), nullptr);
    if (!real) return failed(WriteStage::Create, errno);
    const std::string path = real;
    std::free(real);
    return classify(path, st, t);
}

// A file the user may not write, or that is marked read-only even for the
// administrator, is never replaced.
WriteFileResult checkWritable(const Target& t) {
    if (t.kind != TargetKind::RegularFile) return {};
    if (::faccessat(AT_FDCWD, t.path.c_str(), W_OK, AT_EACCESS) != 0) return failed(WriteStage::Create, errno);
    if ((t.st.st_mode & 0222) == 0) return failed(WriteStage::Create, EACCES);
    return {};
}

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void syncFolderOf(const std::string& path) {
    const int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Closes `fd`; on any failure (with errno) the temporary file is removed.
bool finishTemporary(const TemporaryFile& t, bool written) {
    const int writeError = errno;
    const bool closed = ::close(t.fd) == 0;
    if (written && closed) return true;
    const int e = written ? errno : writeError;
    ::unlink(t.path.c_str());
    errno = e;
    return false;
}

// The new content, complete and flushed, in a temporary file beside the target,
// with the target's permissions and owner. `ownerKept` says whether the owner
// could be given to it.
WriteFileResult writeTemporary(const Target& target, const std::vector<std::uint8_t>& bytes,
                               std::string& temp, bool& ownerKept) {
    const bool replacing = target.kind == TargetKind::RegularFile;
    const TemporaryFile t = createTemporaryIn(folderOf(target.path), replacing ? 0600 : NewFileMode);
    if (t.fd < 0) return failed(WriteStage::Create, errno);
    ownerKept = true;
    bool modeKept = true; // a file that cannot take the target's mode never replaces it
    if (replacing) {
        const struct stat& st = target.st;
        if (st.st_uid != ::geteuid() || st.st_gid != ::getegid())
            ownerKept = ::fchown(t.fd, st.st_uid, st.st_gid) == 0;
        modeKept = ::fchmod(t.fd, st.st_mode & PermissionBits) == 0;
    }
    const bool written = modeKept && writeAll(t.fd, bytes.data(), bytes.size()) && ::fsync(t.fd) == 0;
    if (!finishTemporary(t, written)) return failed(WriteStage::Write, errno);
    temp = t.path;
    return {};
}

// Copies the whole of one open file into another, a buffer at a time.
bool copyContents(int from, int to) {
    std::uint8_t buffer[65536];
    for (;;) {
        const ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        if (!writeAll(to, buffer, static_cast<std::size_t>(n))) return false;
    }
}

// A flushed copy of the target's current content under a temporary name.
bool copyToTemporary(const Target& target, std::string& held) {
    const int from = ::open(target.path.c_str(), O_RDONLY | O_CLOEXEC);
    if (from < 0) return false;
    const TemporaryFile t = createTemporaryIn(folderOf(target.path), 0600);
    if (t.fd < 0) {
        const int e = errno;
        ::close(from);
        errno = e;
        return false;
    }
    const bool copied = ::fchmod(t.fd, target.st.st_mode & PermissionBits) == 0 && copyContents(from, t.fd) &&
                        ::fsync(t.fd) == 0;
    ::close(from);
    if (!finishTemporary(t, copied)) return false;
    held = t.path;
    return true;
}

bool linksUnsupported(int error) {
    return error == EPERM || error == EXDEV || error == ENOTSUP || error == EOPNOTSUPP || error == EMLINK ||
           error == ENOSYS;
}

// Gives the target's current content a second, temporary name: a hard link where
// the file system has them (the target never has to move to become the backup),
// else a copy. A file about to be written in place must be copied, or the backup
// would change with it.
bool holdOldVersion(const Target& target, bool copy, std::string& held) {
    if (copy) return copyToTemporary(target, held);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const TemporaryFile name = createTemporaryIn(folderOf(target.path), 0600);
        if (name.fd < 0) return false;
        ::close(name.fd);
        ::unlink(name.path.c_str()); // only its unused name is wanted
        if (::link(target.path.c_str(), name.path.c_str()) == 0) {
            held = name.path;
            return true;
        }
        if (errno == EEXIST) continue;
        if (linksUnsupported(errno)) return copyToTemporary(target, held);
        return false;
    }
    errno = EEXIST;
    return false;
}

// Whether `name` is another name of the target's file.
bool isSecondName(const std::string& name, const Target& target) {
    struct stat st {};
    return !name.empty() && name != target.path && ::stat(name.c_str(), &st) == 0 &&
           st.st_dev == target.st.st_dev && st.st_ino == target.st.st_ino;
}

// Moves the old version to the backup's name in one atomic step; when that cannot
// be done the user decides whether to save without it.
WriteFileResult makeBackup(const Target& target, bool copy, const BackupPlan& plan) {
    const std::string backup = plan.nameFor(target.path);
    if (backup.empty() || backup == target.path) return {};
    // The backup already is the old version (a save was cut short after making it);
    // renaming a second link over it would do nothing and leave the link behind.
    if (!copy && isSecondName(backup, target)) return {};
    std::string held;
    bool made = holdOldVersion(target, copy, held);
    if (made && ::rename(held.c_str(), backup.c_str()) != 0) {
        const int e = errno;
        ::unlink(held.c_str());
        errno = e;
        made = false;
    }
    if (made) return {};
    const int e = errno;
    if (plan.saveWithout && plan.saveWithout(backup, e)) return {};
    return failed(WriteStage::Declined, e);
}

WriteFileResult moveIntoPlace(const std::string& temp, const std::string& path) {
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int e = errno;
        ::unlink(temp.c_str());
        return failed(WriteStage::Write, e);
    }
    syncFolderOf(path);
    return {};
}

// Writes over the existing node itself: a device, a pipe, or a regular file that
// cannot be replaced without losing its links or its owner. A pipe nobody reads
// is refused at once rather than waited on.
WriteFileResult writeInPlace(const Target& target, const std::vector<std::uint8_t>& bytes) {
    const int fd = ::open(target.path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return failed(WriteStage::Create, errno);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const bool regular = target.kind == TargetKind::RegularFile;
    bool written = writeAll(fd, bytes.data(), bytes.size());
    if (written && regular)
        written = ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
    const int e = errno;
    const bool closed = ::close(fd) == 0;
    if (!written) return failed(WriteStage::Write, e);
    if (!closed) return failed(WriteStage::Write, errno);
    return {};
}

// Whether names other than ours share the target's content. A save cut short
// between making the backup and putting the new file in place leaves the backup
// as a second name of the target: that one is ours and does not count, or the next
// save would be written in place, where a second interruption would spoil it.
bool hasOtherLinks(const Target& target, const BackupPlan* backup) {
    const bool backupIsTarget = backup && isSecondName(backup->nameFor(target.path), target);
    return target.st.st_nlink - (backupIsTarget ? 1 : 0) > 1;
}

WriteFileResult replaceRegular(const Target& target, const std::vector<std::uint8_t>& bytes,
                               const BackupPlan* backup) {
    std::string temp;
    bool ownerKept = true;
    bool inPlace = target.kind == TargetKind::RegularFile && hasOtherLinks(target, backup);
    if (!inPlace) {
        const WriteFileResult written = writeTemporary(target, bytes, temp, ownerKept);
        if (!written.ok()) return written;
        if (!ownerKept) {
            ::unlink(temp.c_str());
            inPlace = true;
        }
    }
    if (backup && target.kind == TargetKind::RegularFile) {
        const WriteFileResult backedUp = makeBackup(target, inPlace, *backup);
        if (!backedUp.ok()) {
            if (!inPlace) ::unlink(temp.c_str());
            return backedUp;
        }
    }
    return inPlace ? writeInPlace(target, bytes) : moveIntoPlace(temp, target.path);
}

} // namespace

WriteFileResult writeFileSafely(const std::string& path, const std::vector<std::uint8_t>& bytes,
                                const BackupPlan* backup) {
    Target target;
    if (const WriteFileResult resolved = resolve(path, target); !resolved.ok()) return resolved;
    if (target.kind == TargetKind::Stream) return writeInPlace(target, bytes);
    if (const WriteFileResult writable = checkWritable(target); !writable.ok()) return writable;
    // A stale temporary name may be a second link to the target: gone, it is not counted.
    clearStaleTemporaries(folderOf(target.path));
    if (target.kind == TargetKind::RegularFile) ::stat(target.path.c_str(), &target.st);
    return replaceRegular(target, bytes, backup);
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat sa {}, sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

} // namespace qv
