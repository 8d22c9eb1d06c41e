// Save and Save As, with the one-generation backup. The new file is complete on
// disk before anything is renamed, and every step after that is a link or an
// atomic rename, so a crash at any instant leaves the score's file in place:
// either the old version or the new one, never a part of either and never none.

#include "files/saving.h"

#include "files/fileio.h"
#include "files/scorefilewrite.h"
#include "model/ui.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

namespace {

const char* const SavedAsMessage = "Score saved as %s";
const char* const ScoreExtension = ".QVR";
const char* const BackupExtension = ".QVB";
constexpr std::size_t MaxRecentFiles = 9;
constexpr int MaxLinkAttempts = 100;

// The progress window is up exactly while the file is being written.
class ProgressWindow {
  public:
    ProgressWindow(Ui& ui, const std::string& text) : ui_(ui) { ui_.showProgress(text); }
    ~ProgressWindow() { close(); }
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;
    void close() {
        if (open_) ui_.closeProgress();
        open_ = false;
    }

  private:
    Ui& ui_;
    bool open_ = true;
};

std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

// Where the extension starts in `fileName`, or npos. A leading dot of the last
// name part (a hidden file) is not an extension.
std::size_t extensionStart(const std::string& fileName) {
    const std::size_t slash = fileName.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = fileName.find_last_of('.');
    return dot != std::string::npos && dot > nameStart ? dot : std::string::npos;
}

bool hasScoreExtension(const std::string& path) {
    const std::size_t dot = extensionStart(path);
    return dot != std::string::npos && upper(path.substr(dot)) == ScoreExtension;
}

bool isRegularFile(const std::string& path, struct stat& st) {
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// A name beside `path` that nothing uses yet, for the backup in the making.
std::string backupTempName(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".qvb" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
}

// Without hard links the old version is copied, and the copy flushed like the
// new file, before it takes the backup's name.
WriteFileResult copyOldVersion(const std::string& target, std::string& held) {
    int error = 0;
    const auto bytes = readFileBytes(target, &error);
    if (!bytes) return {WriteStage::Create, error};
    return writeTemporaryBeside(target, *bytes, held);
}

bool linksUnsupported(int error) {
    return error == EPERM || error == EXDEV || error == ENOTSUP || error == EOPNOTSUPP || error == EMLINK ||
           error == ENOSYS;
}

// Gives the target's current content a second, temporary name, so that the
// target itself never has to move to become the backup.
WriteFileResult holdOldVersion(const std::string& target, std::string& held) {
    for (int attempt = 0; attempt < MaxLinkAttempts; ++attempt) {
        const std::string name = backupTempName(target);
        if (::link(target.c_str(), name.c_str()) == 0) {
            held = name;
            return {};
        }
        if (errno == EEXIST) continue;
        if (linksUnsupported(errno)) return copyOldVersion(target, held);
        return {WriteStage::Create, errno};
    }
    return {WriteStage::Create, EEXIST};
}

// Moves the held old version over the backup: one atomic step, so there is always
// a backup of some generation once there has been one.
WriteFileResult makeBackup(const std::string& target) {
    std::string held;
    const WriteFileResult holding = holdOldVersion(target, held);
    if (!holding.ok()) return holding;
    if (::rename(held.c_str(), withExtension(target, BackupExtension).c_str()) != 0) {
        const int e = errno;
        ::unlink(held.c_str());
        return {WriteStage::Write, e};
    }
    return {};
}

// Writes `bytes` as the new content of `path`, first making the existing file the
// backup when asked to. On failure the target is as it was and no temporary file
// is left; the backup is replaced only after the new file is safely on disk.
WriteFileResult replaceKeepingBackup(const std::string& path, const std::vector<std::uint8_t>& bytes,
                                     bool backup) {
    std::string temp;
    const WriteFileResult written = writeTemporaryBeside(path, bytes, temp);
    if (!written.ok()) return written;
    struct stat old {};
    if (isRegularFile(path, old)) {
        ::chmod(temp.c_str(), old.st_mode & 0777); // the saved file keeps its permissions
        if (backup) {
            const WriteFileResult backedUp = makeBackup(path);
            if (!backedUp.ok()) {
                ::unlink(temp.c_str());
                return backedUp;
            }
        }
    }
    return moveIntoPlace(temp, path);
}

void showFailure(Ui& ui, const WriteFileResult& result) {
    const char* pattern = result.stage == WriteStage::Create ? CreateErrorMessage : WriteErrorMessage;
    showError(ui, formatMessage(pattern, static_cast<long>(result.error)));
}

// Adds a name at the top of the recent files: an entry already first stays as it
// is, an equal entry further down moves up, and the list keeps at most nine.
void addRecentFile(std::vector<std::string>& recent, const std::string& name) {
    if (!recent.empty() && recent.front() == name) return;
    recent.erase(std::remove(recent.begin(), recent.end(), name), recent.end());
    recent.insert(recent.begin(), name);
    if (recent.size() > MaxRecentFiles) recent.resize(MaxRecentFiles);
}

std::string fileNamePart(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

} // namespace

bool isUnnamed(const std::string& fileName) {
    return fileName.compare(0, 6, "NONAME") == 0;
}

std::string withExtension(const std::string& fileName, const std::string& extension) {
    const std::string ext = extension.empty() || extension.front() == '.' ? extension : "." + extension;
    return fileName.substr(0, extensionStart(fileName)) + ext;
}

bool saveWholeScore(Document& doc, const std::string& path, Ui& ui) {
    ProgressWindow progress(ui, formatMessage(SavedAsMessage, path));
    Score& score = doc.score;
    const auto bytes =
        encodeScore(score, WriteRange{0, score.Nstaves}, WriteOptions{false, doc.screenResolution});
    const WriteFileResult result = replaceKeepingBackup(path, bytes, hasScoreExtension(path));
    progress.close();
    if (!result.ok()) {
        showFailure(ui, result);
        return false;
    }
    score.modified = false;
    return true;
}

bool saveCommand(Document& doc, Settings& settings, Ui& ui) {
    if (isUnnamed(doc.fileName)) return saveAsCommand(doc, settings, ui);
    doc.fileName = withExtension(doc.fileName, ScoreExtension);
    return saveWholeScore(doc, doc.fileName, ui);
}

bool saveAsCommand(Document& doc, Settings& settings, Ui& ui) {
    FileDialogRequest request;
    request.title = "Save As";
    request.folder = settings.Directory;
    request.fileName = fileNamePart(withExtension(doc.fileName, ScoreExtension));
    request.filter = "Quaverly files (*.QVR)";
    request.defaultExtension = "QVR";
    const std::optional<std::string> chosen = ui.saveFileName(request);
    if (!chosen || chosen->empty()) return false;

    doc.fileName = *chosen;
    addRecentFile(settings.recentFiles, *chosen);
    const std::string folder = std::filesystem::path(*chosen).parent_path().string();
    if (!folder.empty()) settings.Directory = folder;
    return saveWholeScore(doc, *chosen, ui);
}

} // namespace qv
