#pragma once
// The diagnostic listing of a score file: every record in hexadecimal, with the
// header, page, description, font and stave records decoded field by field. It
// reads the file's bytes, never the score in memory.

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

struct DumpResult {
    std::string text;
    bool complete = true; // false when the file ended inside the records it announced
};

DumpResult dumpScoreFile(const std::vector<std::uint8_t>& bytes, const std::string& fileName);

// The default output name: the score file's name with extension .DMP.
std::string defaultDumpName(const std::string& scoreFile);

} // namespace qv
