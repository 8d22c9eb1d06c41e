#pragma once
// Transitional: the settings file still reads and writes through these two names
// while it moves to fileread.h and safewrite.h.

#include "files/fileread.h"
#include "files/safewrite.h"

#include <optional>

namespace qv {

inline constexpr std::size_t MaxSettingsFileSize = std::size_t(1) << 20;

std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string& path, int* error = nullptr);
WriteFileResult writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace qv
