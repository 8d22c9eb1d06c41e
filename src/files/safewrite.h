#pragma once
// Writing a file without harming anything that is not it. Every writer of the
// program (scores, partial files, templates, listings, the settings) goes through
// here, so the rules hold for all of them:
// - a symbolic link is followed: its target is written, the link stays a link;
// - a regular file the user may not write, or one marked read-only, is refused
//   and left as it was;
// - a regular file is replaced only by a complete, flushed copy renamed over it,
//   which keeps its permissions and owner; a file with other hard links, or whose
//   owner we cannot keep, is written in place instead, after its backup is made;
// - a new file follows the umask like any other new file;
// - a device or pipe is written in place and never renamed over; a folder or
//   anything else is refused;
// - temporary files have short names of one length beside the target, are
//   removed on failure, and stale ones of ours are cleared first.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qv {

enum class WriteStage {
    Ok,
    Create,   // the target cannot be written or created
    Write,    // writing or committing the new content failed
    Declined, // the backup could not be made and the user chose not to save
};

struct WriteFileResult {
    WriteStage stage = WriteStage::Ok;
    int error = 0; // the system's error code
    bool ok() const { return stage == WriteStage::Ok; }
};

// The one-generation backup of a replaced regular file.
struct BackupPlan {
    // The backup's name for the file actually written (a link's target).
    std::function<std::string(const std::string& target)> nameFor;
    // Asked when the backup cannot be made (with the system's error code): true
    // to save without it.
    std::function<bool(const std::string& backup, int error)> saveWithout;
};

// Writes `bytes` as the new content of `path` by the rules above, first moving the
// existing regular file to its backup when `backup` is given. On failure the
// target and its backup are as they were and no temporary file is left.
WriteFileResult writeFileSafely(const std::string& path, const std::vector<std::uint8_t>& bytes,
                                const BackupPlan* backup = nullptr);

// True when `a` and `b` name the same existing file (links followed).
bool sameFile(const std::string& a, const std::string& b);

} // namespace qv
