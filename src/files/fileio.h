#pragma once
// Whole-file reading and crash-safe writing.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// The file's bytes, or nothing (with errno-style code in `error`) when it cannot be read.
std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string& path, int* error = nullptr);

enum class WriteStage { Ok, Create, Write };
struct WriteFileResult {
    WriteStage stage = WriteStage::Ok;
    int error = 0; // the system's error code
    bool ok() const { return stage == WriteStage::Ok; }
};

// Writes to a temporary file in the target's folder, flushes it to disk and renames
// it over the target; on any failure the temporary file is removed and the target
// left untouched.
// Renames a complete temporary file over `path` and flushes the folder; on failure
// the temporary file is removed and `path` left as it was.
WriteFileResult moveIntoPlace(const std::string& temp, const std::string& path);

WriteFileResult writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes);

// The first half of the above, for callers that arrange the renames themselves:
// writes `bytes` to a new temporary file in `path`'s folder and flushes it to
// disk; its name goes to `tempName`. On failure nothing is left behind.
WriteFileResult writeTemporaryBeside(const std::string& path, const std::vector<std::uint8_t>& bytes,
                                     std::string& tempName);

// Flushes the folder holding `path`, so that renames within it survive a crash.
void syncFolderOf(const std::string& path);

} // namespace qv
