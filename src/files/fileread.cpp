#include "files/fileread.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

namespace {

FileContents problem(ReadProblem p, int error) {
    FileContents c;
    c.problem = p;
    c.error = error;
    return c;
}

// Closes the descriptor however the read ends.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

// Reads until the end of the file or until more than `limit` bytes have come.
FileContents readAtMost(int fd, std::size_t expected, std::size_t limit) {
    FileContents c;
    c.bytes.resize(expected + 1); // one byte more shows a file that has grown
    std::size_t done = 0;
    for (;;) {
        if (done == c.bytes.size()) {
            if (c.bytes.size() > limit) return problem(ReadProblem::TooLarge, EFBIG);
            c.bytes.resize(std::min(limit + 1, c.bytes.size() * 2));
        }
        const ssize_t n = ::read(fd, c.bytes.data() + done, c.bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return problem(ReadProblem::Failed, errno);
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    if (done > limit) return problem(ReadProblem::TooLarge, EFBIG);
    c.bytes.resize(done);
    return c;
}

} // namespace

FileContents readRegularFile(const std::string& path, std::size_t limit) {
    // Not blocking: opening a pipe with no writer must not wait for one.
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        const int e = errno;
        if (e == ENOENT || e == ENOTDIR) return problem(ReadProblem::NotFound, e);
        if (e == EISDIR || e == ENXIO) return problem(ReadProblem::NotRegular, e);
        return problem(ReadProblem::Failed, e);
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return problem(ReadProblem::Failed, errno);
    if (!S_ISREG(st.st_mode)) return problem(ReadProblem::NotRegular, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
    if (st.st_size < 0 || static_cast<std::uint64_t>(st.st_size) > limit) return problem(ReadProblem::TooLarge, EFBIG);
    return readAtMost(fd.get(), static_cast<std::size_t>(st.st_size), limit);
}

std::string readProblemText(const FileContents& contents) {
    switch (contents.problem) {
    case ReadProblem::None:
        return {};
    case ReadProblem::NotFound:
        return "no such file";
    case ReadProblem::NotRegular:
        return "not a regular file";
    case ReadProblem::TooLarge:
        return "larger than any file of its kind can be";
    case ReadProblem::Failed:
        return std::strerror(contents.error);
    }
    return {};
}

} // namespace qv
