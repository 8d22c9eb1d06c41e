#pragma once
// The score file: a flat run of 22-byte records (header, page, optional
// description, font pairs, staves, then objects to the end of the file).
// Multi-byte fields are little-endian.

#include "model/fonttable.h"
#include "model/stave.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

inline constexpr int RecordSize = 22;
using Record = std::array<std::uint8_t, RecordSize>;

// Header flag bits.
inline constexpr std::uint8_t FlagNaturalsInKeyChange = 0x01;
inline constexpr std::uint8_t FlagDescription = 0x20;
inline constexpr std::uint8_t FlagTemplate = 0x40;
inline constexpr std::uint8_t FlagPartial = 0x80; // no header/footer stave stored

inline constexpr int LastNoteWorthyVersion = 300; // this version and below are NoteWorthy 2 files
inline constexpr int DefaultScreenResolution = 96;

// The largest file a valid score can make: header, page and description, every
// font pair, the header/footer stave and 255 music staves, each stave full. A
// larger file is refused before anything is allocated for it.
inline constexpr std::size_t MaxScoreFileRecords = 3 + 2 * MaxFonts + (MaxStaves + 1) * (1 + MaxObjects);
inline constexpr std::size_t MaxScoreFileSize = MaxScoreFileRecords * RecordSize;

// The header record decoded field by field, without judging it.
struct FileHeader {
    int Nstaves = 0;
    bool magicOk = false; // "qV" at bytes 1-2 and "K" at byte 4
    bool quaverlyMagic = false; // "qV" at bytes 1-2 alone, the test loading applies
    std::uint8_t Flags = 0;
    int Spacing = 0;
    int Pulse = 0;
    int Beamang = 0;
    int FileVer = 0;
    int Page1 = 0;
    int headerThousandths = 0;
    int footerThousandths = 0;
    int screenResolution = 0; // byte 17; meaningful from version 303 on
    int NumFonts = 0;

    bool partial() const { return Flags & FlagPartial; }
    bool isTemplate() const { return Flags & FlagTemplate; }
    bool hasDescription() const { return Flags & FlagDescription; }
};

FileHeader decodeHeader(const std::uint8_t* record);

// A length-prefixed string in a record field of `capacity` characters; a length
// byte larger than the field reads as the whole field.
std::string recordString(const std::uint8_t* field, int capacity);
void putRecordString(std::uint8_t* field, int capacity, const std::string& s);

} // namespace qv
