#pragma once
// Loading a score file with every check: the pre-check of the file on disk, the
// records read under one error handler, the font-size question, the later-version
// question, recovery of damaged staves, the translation of NoteWorthy 2 files, and
// what follows a good read (template defaults, every stave tidied and measured).

#include "model/score.h"
#include "model/settings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

class PrinterDevice;
class Ui;

// Pre-check codes of a file about to be loaded; 0 when it may be opened.
enum class PrecheckCode {
    Ok = 0,
    NotFound = 1,      // "File cannot be found: %s"
    WrongAttributes = 2, // "File has wrong attributes: %s"
    ZeroSize = 3,      // "File has zero size: %s"
    ImpossibleSize = 4, // "File has impossible size: %s"
    LaterVersion = 5,  // "File has later version number than this program: %s"
    CannotOpen = 6,    // "File cannot be opened: %s"
};
PrecheckCode precheckScoreFile(const std::string& path);
// The message of a non-zero code, with the file name in it.
std::string precheckMessage(PrecheckCode code, const std::string& path);

struct FileHeader;
// The header checks of one of our own files before any record is read (its mark,
// the later-version question); false when the file is refused, the refusal shown.
bool acceptScoreHeader(const FileHeader& h, const std::string& name, Ui& ui);

struct LoadOptions {
    int screenResolution = 96;        // this screen's pixels per inch (96 without a screen)
    const Settings* settings = nullptr; // the default page setup for templates; defaults when unset
    PrinterDevice* printer = nullptr;   // whose sheet a NoteWorthy 2 file takes; none: the fallback page
};

// Loads `path` into `out`. On failure every refusal has been told through `ui`
// and `out` is exactly as it was. On success the score is replaced (hooks kept),
// every stave tidied and measured, and the modified flag is clear; the caller makes
// stave 1 and page 1 current and starts the undo store afresh.
bool loadScore(const std::string& path, const LoadOptions& options, Ui& ui, Score& out);

// The user's default page setup, stave size and spacing, pulse 3 and beaming angle 10,
// with every music stave reaching the new right margin: what a template loads with
// and a new score starts with.
void applyDefaultSetup(Score& score, const Settings& settings);

// The same from the file's bytes, after the pre-check: what loadScore does once the
// file is read, and what the fuzz target drives.
bool loadScoreBytes(const std::vector<std::uint8_t>& bytes, const std::string& name, const LoadOptions& options,
                    Ui& ui, Score& out);

} // namespace qv
