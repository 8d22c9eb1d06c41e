#pragma once
// A profile file (`[Section]` lines, `Key=Value` lines) held as text, so that a
// writer changes only the lines it means to and everything else comes back exactly
// as found: the encoding and its byte-order mark, each line's own ending, comments,
// blank lines and the sections of other programs.
//
// Lines are held in UTF-8 when the file is UTF-16 (Windows editors write it, with a
// mark, in either byte order); any other file is taken byte for byte, so a file in
// some 8-bit encoding keeps its bytes too.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv::ini {

struct Line {
    std::string text; // without its ending
    std::string end;  // "\r\n" or "\n"; empty for a last line that has none
};

struct Section {
    std::string name;           // trimmed; empty for the lines before the first section
    std::optional<Line> header; // none for the lines before the first section
    std::vector<Line> lines;
};

enum class Encoding { Utf8, Utf16LE, Utf16BE };

struct Document {
    Encoding encoding = Encoding::Utf8;
    bool marked = false;              // begins with a byte-order mark
    std::string newline = "\n";       // the first line's ending, given to every new line
    std::vector<Section> sections{1}; // the first holds the lines before any `[Section]`
    std::string oddByte;              // the dangling last byte of a UTF-16 file, kept as it was

    // A new line ending as the file's lines do.
    Line line(std::string text) const { return {std::move(text), newline}; }
};

// Never fails: anything that is not a section header is kept as a line of text.
Document parse(std::span<const std::uint8_t> bytes);

// The file again in its own encoding. A line without an ending that is no longer
// the last gets the file's.
std::vector<std::uint8_t> serialise(const Document& doc);

// ---- Names and lines ----------------------------------------------------------

std::string_view trim(std::string_view s);
std::string lower(std::string_view s);
// Section and key names match whatever their case.
bool sameName(std::string_view a, std::string_view b);

// The name of a `[Section]` line.
std::optional<std::string> sectionName(std::string_view line);
// The key of a `Key=Value` line; comments and lines without '=' have none.
std::optional<std::string> keyOf(std::string_view line);
// What follows the first '=' of a key's line, trimmed.
std::string_view valueOf(std::string_view line);

} // namespace qv::ini
