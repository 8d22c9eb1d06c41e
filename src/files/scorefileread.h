#pragma once
// Reading a score file's records into a score. Every count and index read from the
// file is checked before use: a damaged file is refused, never written past.

#include "files/scorefile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

class Score;
class Ui;

struct ReadOptions {
    double fontSizeFactor = 1.0;                    // applied to every font size read
    int screenResolution = DefaultScreenResolution; // assumed for files without byte 17
};

enum class ReadStatus {
    Ok,
    NotScoreFile, // wrong magic: "File load failed.\n\nFile is not a Quaverly or NoteWorthy 2 file."
    NoteWorthy,   // version 300 or less: for the NoteWorthy 2 translation
    ReadError,    // truncated or not whole records: "File read error in " + name
    Bad,          // counts or indexes out of bounds: "… File is bad."
};

struct ReadResult {
    ReadStatus status = ReadStatus::Ok;
    std::string message;  // what to tell the user when the status is not Ok
    FileHeader header;
    int screenResolution = DefaultScreenResolution; // of the writing system
};

inline const char* const NotScoreFileMessage = "File load failed.\n\nFile is not a Quaverly or NoteWorthy 2 file.";
inline const char* const FileReadErrorPrefix = "File read error in ";
inline const char* const FileIsBad = "File is bad.";

// Reads the file's bytes into `out`. `out` is replaced only on success; on failure
// it is left exactly as it was. Recoverable faults (an object index above its
// stave's count) are told to the user through `ui` while reading goes on; the
// refusals are returned in the result for the caller to show.
ReadResult readScore(const std::vector<std::uint8_t>& bytes, const std::string& fileName,
                     const ReadOptions& options, Ui& ui, Score& out);

} // namespace qv
