#pragma once
// Reading partwise MusicXML with QXmlStreamReader into the plain data of
// musicxmldata.h. Everything the file can make us spend is bounded: elements,
// parts, staves, measures and notes are counted, and every number is checked
// before it is used. A file that is not MusicXML, is timewise, lacks or misspells
// an element the score needs, or carries an absurd number is refused with one
// line saying why.

#include "interchange/musicxmldata.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// The bounds of what we read.
inline constexpr long MaxXmlElements = 4'000'000;
inline constexpr int MaxParts = 255;
inline constexpr int MaxPartStaves = 16;
inline constexpr int MaxMeasures = 20'000;
inline constexpr long MaxNotes = 1'000'000;
inline constexpr long MaxDivisions = 1'000'000;
inline constexpr int MaxTextCharacters = 200; // of one text, credit or chord symbol

struct MusicXmlRead {
    std::optional<mx::Document> document;
    std::string problem; // why the file was refused, when it was
};

MusicXmlRead readMusicXml(const std::vector<std::uint8_t>& bytes);

// A text from the file in the score's 8-bit characters: the music signs of chord
// names become our flat, natural and sharp characters, anything beyond Latin-1 a
// question mark, and control characters spaces.
std::string scoreTextOf(const std::u16string& text);

} // namespace qv
