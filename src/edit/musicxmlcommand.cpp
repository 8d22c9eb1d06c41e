#include "edit/musicxmlcommand.h"

#include "files/safewrite.h"
#include "files/saving.h"
#include "files/scorefilewrite.h"
#include "interchange/musicxmlwriter.h"
#include "model/ui.h"

#include <filesystem>

namespace qv {

namespace {

// The score's name with the extension .musicxml in the score's folder; NONAME in
// the last folder used while the score has no name.
FileDialogRequest exportRequest(const EditSession& session) {
    const std::string score = session.fileName ? *session.fileName : std::string();
    const bool named = !score.empty() && !isUnnamed(std::filesystem::path(score).filename().string());
    const std::filesystem::path proposed(named ? score : std::string("NONAME"));
    FileDialogRequest request;
    request.title = MusicXmlTitle;
    request.folder =
        named && proposed.has_parent_path() ? proposed.parent_path().string() : session.settings.Directory;
    request.fileName = withExtension(proposed.filename().string(), ".musicxml");
    request.filter = MusicXmlFilter;
    request.defaultExtension = "musicxml";
    return request;
}

} // namespace

bool writeMusicXmlFile(const Score& score, const std::string& path, Ui& ui) {
    const QByteArray bytes = exportMusicXml(score);
    const WriteFileResult result =
        writeFileSafely(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    if (result.ok()) return true;
    showWriteFailure(ui, result, path);
    return false;
}

void exportMusicXmlCommand(EditSession& session) {
    const std::optional<std::string> name = session.ui.saveFileName(exportRequest(session));
    if (!name || name->empty()) return;
    session.ui.setBusy(true);
    writeMusicXmlFile(session.score, *name, session.ui);
    session.ui.setBusy(false);
}

} // namespace qv
