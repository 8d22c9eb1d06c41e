#include "files/fileio.h"

namespace qv {

std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string& path, int* error) {
    FileContents c = readRegularFile(path, MaxSettingsFileSize);
    if (error) *error = c.ok() ? 0 : c.error;
    if (!c.ok()) return std::nullopt;
    return std::move(c.bytes);
}

WriteFileResult writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    return writeFileSafely(path, bytes);
}

} // namespace qv
