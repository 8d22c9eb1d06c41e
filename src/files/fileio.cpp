#include "files/fileio.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string& path, int* error) {
    const auto setError = [&](int e) {
        if (error) *error = e;
    };
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        setError(errno);
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    const bool failed = std::ferror(f);
    const int e = errno;
    std::fclose(f);
    if (failed) {
        setError(e ? e : EIO);
        return std::nullopt;
    }
    setError(0);
    return bytes;
}

namespace {

// Writes all of `bytes`, retrying short writes.
bool writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

void syncFolderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

WriteFileResult writeTemporaryBeside(const std::string& path, const std::vector<std::uint8_t>& bytes,
                                     std::string& tempName) {
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return {WriteStage::Create, errno};
    ::fchmod(fd, 0644);
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        ::unlink(temp.c_str());
        return {WriteStage::Write, written ? errno : writeError};
    }
    tempName = temp;
    return {};
}

WriteFileResult moveIntoPlace(const std::string& temp, const std::string& path) {
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int e = errno;
        ::unlink(temp.c_str());
        return {WriteStage::Write, e};
    }
    syncFolderOf(path);
    return {};
}

WriteFileResult writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::string temp;
    const WriteFileResult written = writeTemporaryBeside(path, bytes, temp);
    if (!written.ok()) return written;
    return moveIntoPlace(temp, path);
}

} // namespace qv
