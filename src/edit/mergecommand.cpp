#include "edit/mergecommand.h"

#include "edit/navigation.h"
#include "edit/stavecommands.h"
#include "files/merge.h"
#include "model/ui.h"

#include <algorithm>

namespace qv {

namespace {

std::optional<std::string> chooseFile(EditSession& session) {
    FileDialogRequest request;
    request.title = MergeDialogTitle;
    request.folder = session.settings.Directory;
    request.filter = MergeFilter;
    request.defaultExtension = "QVR";
    return session.ui.openFileName(request);
}

// Merges the chosen file after stave p; the current stave keeps its number and the
// page it is now on is shown.
void mergeAt(EditSession& session, int p) {
    const std::optional<std::string> path = chooseFile(session);
    if (!path) return;
    Score& score = session.score;
    Editor& ed = session.editor;
    session.ui.setBusy(true);
    const bool merged =
        mergeFile(score, p, *path, musicAreaHeight(score.page, score.StvSiz), session.ui, ed.page);
    session.ui.setBusy(false);
    if (!merged) return;
    const int s = std::clamp(ed.currentStave(), 1, score.Nstaves);
    ed.page.pages = pageCount(score);
    makeStaveCurrent(session, s);
    ed.page.currentPage = score.stave(s).PageNum;
    session.host.showCurrentPage();
}

} // namespace

void mergeAfter(EditSession& session) {
    if (!readyForStaveCommand(session)) return;
    const int c = session.editor.currentStave();
    if (session.score.stave(c).joinToNext) {
        showError(session.ui, MergeAfterRefusal);
        return;
    }
    mergeAt(session, c);
}

void mergeBefore(EditSession& session) {
    if (!readyForStaveCommand(session)) return;
    const int c = session.editor.currentStave();
    if (c > 1 && session.score.stave(c - 1).joinToNext) {
        showError(session.ui, MergeBeforeRefusal);
        return;
    }
    mergeAt(session, c - 1);
}

} // namespace qv
