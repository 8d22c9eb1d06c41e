// Reading a file to be merged: the refusals and questions first, in the order the
// user meets them (kind of file, file on disk, later version, room for its staves,
// page geometry), then every record read and checked into a score of its own.

#include "files/mergeread.h"

#include "files/fileread.h"
#include "files/loader.h"
#include "files/scorefile.h"
#include "files/scorefileread.h"
#include "layout/staveextent.h"
#include "layout/tidystave.h"
#include "model/bytes.h"
#include "model/pagegeometry.h"
#include "model/ui.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <exception>

namespace qv {

namespace {

std::string readError(const std::string& name) {
    return FileReadErrorPrefix + name;
}

std::string tooManyStaves(int current, int merged) {
    std::string text = formatMessage(TooManyMergedStavesMessage, current);
    text = formatMessage(text, merged);
    return formatMessage(text, MaxStaves);
}

// A length in memory as the file stores it: thousandths of an inch, halves to even.
int thousandths(double inches) {
    return roundHalfEven(std::clamp(inches * 1000.0, 0.0, 65535.0));
}

// One length of the page record: where the file keeps it, what the question calls
// it, and the open score's value.
struct PageField {
    int offset;
    const char* name;
    double inches;
};

// Each length that differs asks whether to go on; false as soon as the user does not.
bool acceptPage(const std::uint8_t* record, const Score& open, Ui& ui) {
    const PageData& p = open.page;
    const std::array<PageField, 8> fields{{
        {0, "page length", p.Length},
        {2, "page width", p.Width},
        {4, "top margin", p.TopM},
        {10, "bottom margin", p.BotM},
        {8, "left margin", p.LeftM},
        {6, "right margin", p.RightM},
        {12, "gutter margin", p.GutM},
        {19, "stave size", open.StvSiz},
    }};
    for (const PageField& f : fields) {
        if (getU16(record + f.offset) == thousandths(f.inches)) continue;
        const std::string question = formatMessage(PageDiffersQuestion, std::string(f.name));
        if (ui.message(MessageType::Confirmation, question, ButtonOk | ButtonCancel) != ButtonOk)
            return false;
    }
    return true;
}

// The header's refusals and questions; false when the merge is not to go on (the
// reason has been shown).
bool acceptHeader(const std::vector<std::uint8_t>& bytes, const std::string& name, const Score& open,
                  Ui& ui) {
    const FileHeader h = decodeHeader(bytes.data());
    if (h.FileVer <= LastNoteWorthyVersion) {
        showError(ui, NotNormalFileMessage);
        return false;
    }
    if (!acceptScoreHeader(h, name, ui)) return false;
    if (open.Nstaves + h.Nstaves > MaxStaves) {
        showError(ui, tooManyStaves(open.Nstaves, h.Nstaves));
        return false;
    }
    if (!acceptPage(bytes.data() + RecordSize, open, ui)) {
        showError(ui, readError(name)); // the "Bad page size" refusal
        return false;
    }
    return true;
}

// The merged staves are drawn and laid out like any other: they get the tidying and
// the extents a load gives (which also clears slots a damaged file left unfilled).
// Only the music staves: the file's header and footer are not merged.
void tidyMusicStaves(Score& file) {
    for (int i = 1; i <= file.Nstaves; ++i) {
        TidyStave(file.stave(i));
        StaveExtent(file, i);
    }
}

} // namespace

bool hasScoreExtension(const std::string& path) {
    const std::string::size_type dot = path.rfind('.');
    const std::string::size_type slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    std::string extension = path.substr(dot);
    for (char& c : extension)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return extension == ".QVR";
}

std::optional<Score> readMergeFile(const std::string& path, const Score& open, Ui& ui) {
    if (!hasScoreExtension(path)) {
        showError(ui, NotNormalFileMessage);
        return std::nullopt;
    }
    const PrecheckCode code = precheckScoreFile(path);
    if (code != PrecheckCode::Ok) {
        showError(ui, precheckMessage(code, path));
        return std::nullopt;
    }
    const FileContents contents = readRegularFile(path, MaxScoreFileSize);
    if (!contents.ok()) {
        showError(ui, readError(path));
        return std::nullopt;
    }
    return readMergeBytes(contents.bytes, path, open, ui);
}

std::optional<Score> readMergeBytes(const std::vector<std::uint8_t>& bytes, const std::string& name,
                                    const Score& open, Ui& ui) {
    // The header and the page record are judged before anything is read; a file too
    // short to hold them, or not of whole records, is one that cannot be read.
    if (bytes.size() < 2 * RecordSize || bytes.size() % RecordSize != 0 || bytes.size() > MaxScoreFileSize) {
        showError(ui, readError(name));
        return std::nullopt;
    }
    if (!acceptHeader(bytes, name, open, ui)) return std::nullopt;
    // One handler over the whole read, as for a load: whatever goes wrong is a read
    // error of this file, and the open score has not been touched.
    try {
        Score file;
        const ReadResult result = readScore(bytes, name, ReadOptions{}, ui, file);
        if (result.status != ReadStatus::Ok) {
            showError(ui, result.status == ReadStatus::NoteWorthy ? std::string(NotNormalFileMessage)
                                                                  : result.message);
            return std::nullopt;
        }
        tidyMusicStaves(file);
        return file;
    } catch (const std::exception&) {
        showError(ui, readError(name));
        return std::nullopt;
    }
}

} // namespace qv
