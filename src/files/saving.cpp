// Save and Save As, with the one-generation backup. The writing itself follows the
// rules every writer shares (links followed, read-only files refused, modes and
// owners kept): the new file is complete on disk before anything is renamed, and
// every step after that is a link or an atomic rename, so a crash at any instant
// leaves the score's file in place, either the old version or the new one.

#include "files/saving.h"

#include "files/safewrite.h"
#include "files/scorefilewrite.h"
#include "model/ui.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>

namespace qv {

namespace {

const char* const SavedAsMessage = "Score saved as %s";
const char* const ScoreExtension = ".QVR";
const char* const BackupExtension = ".QVB";
constexpr std::size_t MaxRecentFiles = 9;

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

// The backup beside the file written, its extension in the case of the score's:
// "song.qvr" keeps "song.qvb", anything else gets ".QVB".
std::string backupNameFor(const std::string& target) {
    const std::size_t dot = extensionStart(target);
    const bool lower = dot != std::string::npos && target.substr(dot) == ".qvr";
    return withExtension(target, lower ? ".qvb" : BackupExtension);
}

bool askToSaveWithoutBackup(Ui& ui, const std::string& backup, int error) {
    const std::string text = "The backup copy " + backup + " cannot be made: " + std::strerror(error) +
                             ".\n\nSave the score without a backup?";
    return ui.message(MessageType::Warning, text, ButtonYes | ButtonNo) == ButtonYes;
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
    BackupPlan backup;
    backup.nameFor = backupNameFor;
    backup.saveWithout = [&](const std::string& name, int error) {
        progress.close(); // the question stands alone, not over "Please wait"
        return askToSaveWithoutBackup(ui, name, error);
    };
    const WriteFileResult result = writeFileSafely(path, bytes, hasScoreExtension(path) ? &backup : nullptr);
    progress.close();
    if (!result.ok()) {
        showWriteFailure(ui, result, path);
        return false;
    }
    score.modified = false;
    return true;
}

bool saveCommand(Document& doc, Settings& settings, Ui& ui) {
    if (isUnnamed(doc.fileName)) return saveAsCommand(doc, settings, ui);
    // A score opened as "song.qvr" is saved as that file; a file of another kind
    // (a translated one) is not written over but saved beside it as a score.
    if (!hasScoreExtension(doc.fileName)) doc.fileName = withExtension(doc.fileName, ScoreExtension);
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
