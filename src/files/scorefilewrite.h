#pragma once
// Writing a score, a range of its staves or a template as a score file.

#include "files/safewrite.h"
#include "files/scorefile.h"

#include <string>
#include <vector>

namespace qv {

class Score;
class Ui;

struct WriteRange {
    int first = 0; // 0..Nstaves for a whole score, else 1 <= first <= last <= Nstaves
    int last = 0;
};

struct WriteOptions {
    bool isTemplate = false;
    int screenResolution = DefaultScreenResolution; // written in the header's byte 17
};

// Keeps only the fonts that texts use (font 1 always), renumbered 1, 2, 3 … in
// the order of their old numbers; texts on staves 0..Nstaves follow the renumbering.
void compactFonts(Score& score);

// The bytes of the file for `range`; compacts the font table first.
std::vector<std::uint8_t> encodeScore(Score& score, WriteRange range, const WriteOptions& options);

inline const char* const WriteErrorMessage =
    "An error has occured during the writing of the file. Error code %d";
inline const char* const CreateErrorMessage =
    "An error occurred during the processing of the file. Error code %d";

// Encodes and writes the file by the rules every writer shares (safewrite.h): a
// failed write leaves the old file as it was. Failures are told to the user;
// returns false on failure.
bool writeScoreFile(Score& score, const std::string& path, WriteRange range, const WriteOptions& options,
                    Ui& ui);

// Tells the user why writing `path` failed: the program's wording with the error
// code, then the system's own text and the name. Nothing for a save the user
// declined.
void showWriteFailure(Ui& ui, const WriteFileResult& result, const std::string& path);

} // namespace qv
