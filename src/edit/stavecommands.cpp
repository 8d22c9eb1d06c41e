#include "edit/stavecommands.h"

#include "edit/bindingdialog.h"
#include "edit/navigation.h"
#include "layout/staves.h"
#include "model/ui.h"

#include <algorithm>

namespace qv {

namespace {

int usableHeight(const Score& score) {
    return musicAreaHeight(score.page, score.StvSiz);
}

// The page of stave s shown afresh with s current.
void showWith(EditSession& session, int s) {
    Editor& ed = session.editor;
    Score& score = session.score;
    s = std::clamp(s, 1, score.Nstaves);
    ed.page.pages = pageCount(score);
    makeStaveCurrent(session, s);
    ed.page.currentPage = score.stave(s).PageNum;
    session.host.showCurrentPage();
}

void insertAfter(EditSession& session, int p) {
    if (!readyForStaveCommand(session)) return;
    Score& score = session.score;
    if (insertStaveAfter(score, p, usableHeight(score), session.ui, session.editor.page))
        showWith(session, session.editor.currentStave());
}

} // namespace

bool readyForStaveCommand(EditSession& session) {
    if (session.editor.inHeaderFooterScreen() || session.score.Nstaves < 1) return false;
    if (session.score.provisional.present) {
        showWarning(session.ui, FinishProvisionalFirst);
        return false;
    }
    return true;
}

void newStaveAbove(EditSession& session) {
    insertAfter(session, session.editor.currentStave() - 1);
}

void newStaveBelow(EditSession& session) {
    insertAfter(session, session.editor.currentStave());
}

void deleteStave(EditSession& session) {
    if (!readyForStaveCommand(session)) return;
    Score& score = session.score;
    if (score.Nstaves <= 1) {
        showError(session.ui, OnlyStaveMessage);
        return;
    }
    if (session.settings.Level < Advanced &&
        session.ui.message(MessageType::Confirmation, DeleteStaveQuestion, ButtonYes | ButtonNo) != ButtonYes)
        return;
    if (deleteStaveAt(score, session.editor.currentStave(), session.ui, session.editor.page))
        showWith(session, session.editor.currentStave());
}

void bindingDialog(EditSession& session) {
    bindingDialogFor(session, session.editor.currentStave());
}

void bindingDialogFor(EditSession& session, int stave) {
    if (!readyForStaveCommand(session) || stave < 1 || stave > session.score.Nstaves) return;
    Score& score = session.score;
    BindingDialog dialog(score, stave);
    if (!session.ui.runBindingDialog(dialog)) return; // cancelled: nothing was recorded
    BindingFlags flags = dialog.flags;
    if (!dialog.joinOffered()) flags.joinToNext = score.stave(stave).joinToNext;
    if (applyBinding(score, stave, flags, usableHeight(score), session.ui, session.editor.page))
        showWith(session, stave);
}

void quickBinding(EditSession& session) {
    if (!readyForStaveCommand(session)) return;
    Score& score = session.score;
    const int s = session.editor.currentStave();
    if (toggleBinding(score, s, usableHeight(score), session.ui, session.editor.page)) showWith(session, s);
}

void anotherSystem(EditSession& session) {
    if (session.editor.mode != ModeMusic || !readyForStaveCommand(session)) return;
    Score& score = session.score;
    if (appendSystem(score, usableHeight(score), session.ui, session.editor.page))
        showWith(session, session.editor.currentStave());
}

void staveSize(EditSession& session) {
    if (!readyForStaveCommand(session)) return;
    Score& score = session.score;
    const DisplayUnit unit = displayUnit(session.settings);
    const auto size = askStaveSize(session.ui, score.StvSiz, unit);
    // The box shows the size rounded: taking it back as shown changes nothing.
    if (!size || formatStaveSize(*size, unit) == formatStaveSize(score.StvSiz, unit)) return;
    // Checked before any stave is touched, so that putting the old size back leaves
    // the staves as they were. A size beyond the largest is refused too: the saved
    // score could not keep it.
    if (!(*size >= MinStaveSize)) {
        session.ui.captionedMessage(MessageType::Warning, ResetSizeCaption, PageTooLargeMessage);
        return;
    }
    if (!(*size <= MaxStaveSize)) {
        session.ui.captionedMessage(MessageType::Warning, ResetSizeCaption, PageTooSmallMessage);
        return;
    }
    const double old = score.StvSiz;
    const int oldWidth = usableStaveWidth(score);
    score.StvSiz = *size;
    if (!adaptStaveWidths(score, oldWidth, usableStaveWidth(score), session.ui)) {
        score.StvSiz = old;
        return;
    }
    score.modified = true;
    showWith(session, 1);
}

} // namespace qv
