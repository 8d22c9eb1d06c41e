#pragma once
// Reading a score file that is to be merged into the open score. Every check and
// every question comes here, before the open score changes at all: the file's
// staves are read into a score of their own, whole and checked, so that a refused,
// declined or damaged file leaves the open score exactly as it was.

#include "model/score.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

class Ui;

inline const char* const NotNormalFileMessage =
    "Cannot merge a which is not a normal file (eg a NoteWorthy file).\n"
    "First translate the file to be merged by loading it and resaving it.";
inline const char* const TooManyMergedStavesMessage =
    "The current score has %d staves, and the one to be merged has %d.\n\n"
    "This is greater than the %d allowed: file cannot be merged.";
inline const char* const PageDiffersQuestion =
    "The file you are merging differs in the %s from the one you are working on and may cause objects to be "
    "off "
    "the paper or otherwise distorted.\n\nDo you wish to continue?";

// Whether a file name ends in ".QVR", whatever its case.
bool hasScoreExtension(const std::string& path);

// The file at `path` read for merging into `open`: its music staves 1..Nstaves
// with their objects, tidied and measured as a load leaves them, and its font
// table under the file's own numbers. Nothing when the file is refused or the
// user declines a question; the reason has been told through `ui`.
std::optional<Score> readMergeFile(const std::string& path, const Score& open, Ui& ui);

// The same from the file's bytes, after the checks on disk (what the fuzz target
// and the tests drive). `name` is the name the messages give.
std::optional<Score> readMergeBytes(const std::vector<std::uint8_t>& bytes, const std::string& name,
                                    const Score& open, Ui& ui);

} // namespace qv
