#include "edit/picturecommands.h"

#include "files/saving.h"
#include "model/ui.h"
#include "print/pictureexport.h"

#include <filesystem>

namespace qv {

namespace {

std::string scoreFileName(const EditSession& session) {
    return session.fileName ? *session.fileName : std::string();
}

// The score's name with the extension PCX, in the score's folder; NONAME.PCX in
// the last folder used while the score has no name.
FileDialogRequest pictureRequest(const EditSession& session, const char* title, const char* filter) {
    const std::string score = scoreFileName(session);
    const bool named = !score.empty() && !isUnnamed(std::filesystem::path(score).filename().string());
    const std::filesystem::path proposed(named ? score : std::string("NONAME"));
    FileDialogRequest request;
    request.title = title;
    request.folder =
        named && proposed.has_parent_path() ? proposed.parent_path().string() : session.settings.Directory;
    request.fileName = withExtension(proposed.filename().string(), ".PCX");
    request.filter = filter;
    request.defaultExtension = "PCX";
    return request;
}

PictureSource currentPage(EditSession& session) {
    return PictureSource{session.score, session.editor.currentPage(), scoreFileName(session), {}};
}

} // namespace

void pcxOutputCommand(EditSession& session) {
    if (session.editor.mode != ModeMusic) return;
    const std::optional<std::string> name =
        session.ui.saveFileName(pictureRequest(session, PcxOutputTitle, PcxFilter));
    if (!name || name->empty()) return;
    SetMode(session, ModeWaiting);
    OutputCurrentPage(currentPage(session), *name, session.ui);
    SetMode(session, ModeMusic);
}

void exportBlockPicture(EditSession& session) {
    const std::optional<SaveChoice> choice =
        session.ui.saveFileChoice(pictureRequest(session, PcxExportTitle, PictureFilters));
    if (!choice || choice->fileName.empty()) return;
    const PictureFormat format = choice->filter == 1 ? PictureFormat::Bmp : PictureFormat::Pcx;
    const BlockBox& box = session.editor.blockBox;
    OutputBox(currentPage(session), choice->fileName, format, QPoint(box.left, box.top),
              QPoint(box.right, box.bottom), session.ui);
}

} // namespace qv
