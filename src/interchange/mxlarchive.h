#pragma once
// A compressed MusicXML file (.mxl) is a zip archive: META-INF/container.xml names
// the root file, which holds the score. Everything is bounded before it is
// inflated, so that a small archive cannot claim a huge entry.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// The largest score we read, compressed or not.
inline constexpr std::size_t MaxMusicXmlBytes = 64u * 1024u * 1024u;
// The largest container.xml.
inline constexpr std::size_t MaxContainerBytes = 64u * 1024u;

struct ArchiveResult {
    std::vector<std::uint8_t> bytes; // the root file
    std::string problem;             // empty on success
    bool ok() const { return problem.empty(); }
};

// True when the bytes start as a zip archive does.
bool looksLikeZip(const std::vector<std::uint8_t>& bytes);

// The root file of the archive in `zipBytes`, at most MaxMusicXmlBytes.
ArchiveResult readMxlRootFile(const std::vector<std::uint8_t>& zipBytes);

} // namespace qv
