#include "files/tempfiles.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

namespace {

// ".~qv" + eight hex digits of the process + four random ones + ".tmp": 20 bytes.
const std::string Mark = ".~qv";
const std::string Suffix = ".tmp";
constexpr std::size_t ProcessDigits = 8;
constexpr std::size_t RandomDigits = 4;
constexpr std::size_t NameLength = 4 + ProcessDigits + RandomDigits + 4;
constexpr int MaxCreateAttempts = 100;
// A folder with more entries than this is looked at only so far; stale files
// further on wait for a later save.
constexpr int MaxEntriesLooked = 100000;

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

std::string temporaryName(unsigned process, unsigned random) {
    char digits[ProcessDigits + RandomDigits + 1];
    std::snprintf(digits, sizeof digits, "%08x%04x", process, random & 0xFFFFu);
    return Mark + digits + Suffix;
}

unsigned processOf(const std::string& name) {
    return static_cast<unsigned>(std::stoul(name.substr(Mark.size(), ProcessDigits), nullptr, 16));
}

// Whether the process that made a temporary file has ended. A process we may not
// signal is alive.
bool processEnded(unsigned process) {
    if (process == 0 || process > 0x7FFFFFFFu) return true;
    return ::kill(static_cast<pid_t>(process), 0) != 0 && errno == ESRCH;
}

bool isStale(int dirFd, const std::string& name) {
    struct stat st {};
    if (::fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
    return S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && processEnded(processOf(name));
}

} // namespace

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

TemporaryFile createTemporaryIn(const std::string& folder, unsigned mode) {
    // One generator per thread: page files may be written from a worker thread.
    thread_local std::mt19937 random{std::random_device{}()};
    const std::string prefix = folder == "/" ? folder : folder + "/";
    TemporaryFile t;
    for (int attempt = 0; attempt < MaxCreateAttempts; ++attempt) {
        const std::string path = prefix + temporaryName(static_cast<unsigned>(::getpid()), random());
        t.fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (t.fd >= 0) {
            t.path = path;
            return t;
        }
        if (errno != EEXIST) return t;
    }
    errno = EEXIST;
    return t;
}

bool isTemporaryName(const std::string& fileName) {
    if (fileName.size() != NameLength || fileName.compare(0, Mark.size(), Mark) != 0 ||
        fileName.compare(NameLength - Suffix.size(), Suffix.size(), Suffix) != 0)
        return false;
    for (std::size_t i = Mark.size(); i < NameLength - Suffix.size(); ++i)
        if (!isHexDigit(fileName[i])) return false;
    return true;
}

int clearStaleTemporaries(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return 0;
    int removed = 0;
    int looked = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (++looked > MaxEntriesLooked) break;
        const std::string name = entry->d_name;
        if (!isTemporaryName(name) || !isStale(::dirfd(dir), name)) continue;
        if (::unlinkat(::dirfd(dir), name.c_str(), 0) == 0) ++removed;
    }
    ::closedir(dir);
    return removed;
}

} // namespace qv
