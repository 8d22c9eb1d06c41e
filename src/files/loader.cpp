// Loading a score file: the pre-check on disk, the questions asked before the
// records are read, and the finishing of a good read. The score is read into a
// fresh Score and moved into the caller's only when everything has succeeded, so
// a refused or damaged file never leaves a half-loaded score behind.

#include "files/loader.h"

#include "files/fileread.h"
#include "files/noteworthy.h"
#include "files/scorefile.h"
#include "files/scorefileread.h"
#include "files/tempfiles.h"
#include "layout/staveextent.h"
#include "layout/tidystave.h"
#include "model/pagegeometry.h"
#include "model/ui.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <exception>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

namespace {

constexpr int FirstVersionWithResolution = 303;
constexpr int TemplatePulse = 3;    // crotchet
constexpr int TemplateBeamang = 10; // degrees
constexpr double FallbackBeamSlope = 0.176;
constexpr int TemplateRightXMargin = 5;

const char* const FontSizeQuestion =
    "The file you are loading was created from a system whose font size (eg \"large fonts\"/\"small fonts\") "
    "is not the same as this one.\n\nShall I modify the sizes of all the text fonts after loading?";
const char* const LaterVersionQuestion =
    "This file has been saved by a later version of %s than the one you are running now.\n\n"
    "There is a risk that it may not load correctly.\nDo you wish to try anyway?";
const char* const ProgramName = "Quaverly 32";

// Reads the first record of an opened file; false on any error or a short read.
bool readFirstRecord(const std::string& path, Record& record) {
    // Without blocking: a pipe put in the file's place since it was looked at must not
    // hang the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    ssize_t n;
    do {
        n = ::read(fd, record.data(), record.size());
    } while (n < 0 && errno == EINTR);
    ::close(fd);
    return n == static_cast<ssize_t>(record.size());
}

std::string readError(const std::string& name) {
    return FileReadErrorPrefix + name;
}

// Asks whether to read a file saved by a later version anyway; true on OK.
bool agreesToLaterVersion(Ui& ui) {
    const std::string text = formatMessage(LaterVersionQuestion, std::string(ProgramName));
    return ui.message(MessageType::Warning, text, ButtonOk | ButtonCancel) == ButtonOk;
}

// The resolution a screen of `ppi` stands for; no screen, or a nonsense value, is 96.
int usableResolution(int ppi) {
    return ppi > 0 ? ppi : DefaultScreenResolution;
}

// The writing system's resolution. Older files do not say and are taken as written
// on this screen; a zero byte says nothing either, and must not scale every font
// down to nothing.
int fileResolution(const FileHeader& h, int screen) {
    if (h.FileVer >= FirstVersionWithResolution && h.screenResolution > 0) return h.screenResolution;
    return screen;
}

// Asks whether to scale the fonts when the file came from another font size;
// returns the factor to apply to every font size.
double askFontSizeFactor(int fromFile, int screen, Ui& ui) {
    if (fromFile == screen) return 1.0;
    const Button answer =
        ui.message(MessageType::Warning, FontSizeQuestion, ButtonYes | ButtonNo | ButtonHelp);
    return answer == ButtonYes ? static_cast<double>(fromFile) / screen : 1.0;
}

double templateBeamSlope() {
    const double slope = beamSlopeFor(TemplateBeamang);
    return std::clamp(std::isfinite(slope) ? slope : FallbackBeamSlope, 0.0, 1.0);
}

} // namespace

bool acceptScoreHeader(const FileHeader& h, const std::string& name, Ui& ui) {
    if (!h.quaverlyMagic) {
        showError(ui, NotScoreFileMessage);
        return false;
    }
    if (h.FileVer > CurrentFileVersion && !agreesToLaterVersion(ui)) {
        showError(ui, readError(name)); // the "Wrong file type" refusal
        return false;
    }
    return true;
}

void applyDefaultSetup(Score& score, const Settings& settings) {
    score.page = settings.defaultPage;
    score.StvSiz = settings.defaultStaveSize;
    score.Facing = settings.defaultFacing;
    score.Spacing = settings.defaultSpacing;
    score.Pulse = TemplatePulse;
    score.Beamang = TemplateBeamang;
    score.beamSlopeLimit = templateBeamSlope();
    const int rightX = musicAreaWidth(score.page, score.StvSiz) - TemplateRightXMargin;
    for (int i = 1; i <= score.Nstaves; ++i)
        score.stave(i).RightX = static_cast<std::int16_t>(rightX);
}

namespace {

// Only the music staves: the header/footer stave holds free texts, which the
// tidying and measuring of music staves has no business reordering.
void tidyMusicStaves(Score& score) {
    for (int i = 1; i <= score.Nstaves; ++i) {
        TidyStave(score.stave(i));
        StaveExtent(score, i);
    }
}

bool readAndFinish(const std::vector<std::uint8_t>& bytes, const std::string& name,
                   const LoadOptions& options, Ui& ui, Score& out) {
    const int screen = usableResolution(options.screenResolution);
    const FileHeader h = decodeHeader(bytes.data());
    const double factor = askFontSizeFactor(fileResolution(h, screen), screen, ui);
    // A NoteWorthy 2 file is told apart by its version alone and translated while read.
    const bool noteWorthy = h.FileVer <= LastNoteWorthyVersion;
    if (!noteWorthy && !acceptScoreHeader(h, name, ui)) return false;

    Score fresh;
    const ReadResult result = noteWorthy ? readNoteWorthy(bytes, name, options.printer, ui, fresh)
                                         : readScore(bytes, name, ReadOptions{factor, screen}, ui, fresh);
    if (result.status != ReadStatus::Ok) {
        showError(ui, result.message);
        return false;
    }
    if (!noteWorthy && h.isTemplate()) applyDefaultSetup(fresh, options.settings ? *options.settings : Settings{});
    tidyMusicStaves(fresh);
    fresh.modified = false;
    fresh.hooks = std::move(out.hooks);
    out = std::move(fresh);
    return true;
}

} // namespace

PrecheckCode precheckScoreFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? PrecheckCode::NotFound : PrecheckCode::CannotOpen;
    // Anything but a plain file (a folder, a device, a pipe that would never end).
    if (!S_ISREG(st.st_mode)) return PrecheckCode::WrongAttributes;
    if (st.st_size == 0) return PrecheckCode::ZeroSize;
    if (st.st_size % RecordSize != 0 || static_cast<std::uint64_t>(st.st_size) > MaxScoreFileSize)
        return PrecheckCode::ImpossibleSize;
    Record first{};
    if (!readFirstRecord(path, first)) return PrecheckCode::CannotOpen;
    const FileHeader h = decodeHeader(first.data());
    if (!h.magicOk && h.FileVer >= FirstVersionWithResolution) return PrecheckCode::LaterVersion;
    return PrecheckCode::Ok;
}

std::string precheckMessage(PrecheckCode code, const std::string& path) {
    switch (code) {
    case PrecheckCode::Ok:
        return {};
    case PrecheckCode::NotFound:
        return "File cannot be found: " + path;
    case PrecheckCode::WrongAttributes:
        return "File has wrong attributes: " + path;
    case PrecheckCode::ZeroSize:
        return "File has zero size: " + path;
    case PrecheckCode::ImpossibleSize:
        return "File has impossible size: " + path;
    case PrecheckCode::LaterVersion:
        return "File has later version number than this program: " + path;
    case PrecheckCode::CannotOpen:
        return "File cannot be opened: " + path;
    }
    return {};
}

bool loadScore(const std::string& path, const LoadOptions& options, Ui& ui, Score& out) {
    const PrecheckCode code = precheckScoreFile(path);
    if (code != PrecheckCode::Ok) {
        showError(ui, precheckMessage(code, path));
        return false;
    }
    // What a save killed half way left beside the file goes now.
    clearStaleTemporaries(folderOf(path));
    const FileContents contents = readRegularFile(path, MaxScoreFileSize);
    if (!contents.ok()) {
        showError(ui, readError(path));
        return false;
    }
    return loadScoreBytes(contents.bytes, path, options, ui, out);
}

bool loadScoreBytes(const std::vector<std::uint8_t>& bytes, const std::string& name,
                    const LoadOptions& options, Ui& ui, Score& out) {
    if (bytes.size() < RecordSize || bytes.size() > MaxScoreFileSize) {
        showError(ui, readError(name));
        return false;
    }
    // One handler over the whole read, as for any read failure: whatever goes wrong
    // (memory, for one) is a read error of this file and `out` is untouched.
    try {
        return readAndFinish(bytes, name, options, ui, out);
    } catch (const std::exception&) {
        showError(ui, readError(name));
        return false;
    }
}

} // namespace qv
