#pragma once
// Reading a whole file the safe way: only a regular file, only up to the size a
// valid file of its kind can have. The size is checked on the opened file before
// anything is allocated, and a file that grows while it is read is still cut off,
// so neither a device that never ends, a pipe that never answers nor a huge file
// can decide how much memory or time a reader spends.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

enum class ReadProblem {
    None,
    NotFound,   // nothing of that name
    NotRegular, // a folder, device, pipe or socket
    TooLarge,   // larger than any valid file of its kind
    Failed,     // the system refused to open or read it
};

struct FileContents {
    std::vector<std::uint8_t> bytes;
    ReadProblem problem = ReadProblem::None;
    int error = 0; // the system's error code behind the problem
    bool ok() const { return problem == ReadProblem::None; }
};

// Reads `path` when it is a regular file (links followed) of at most `limit` bytes.
FileContents readRegularFile(const std::string& path, std::size_t limit);

// One line for a problem, e.g. "is not a regular file", for messages of the form
// "cannot read NAME: ...".
std::string readProblemText(const FileContents& contents);

} // namespace qv
