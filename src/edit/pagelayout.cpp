#include "edit/pagelayout.h"

#include "edit/navigation.h"
#include "layout/staves.h"
#include "model/tpagedata.h"
#include "model/ui.h"
#include "print/pagesetup.h"

#include <algorithm>

namespace qv {

void pageLayout(EditSession& session, PrinterDevice* printer) {
    Score& score = session.score;
    Editor& ed = session.editor;
    if (ed.inHeaderFooterScreen() || score.Nstaves < 1) return;
    if (score.provisional.present) return showWarning(session.ui, FinishProvisionalFirst);

    Tpagedata capacities(printer);
    PageSetupDialog dialog(score.page, score.Facing, displayUnit(session.settings), capacities, session.ui);
    if (!session.ui.runPageSetup(dialog) || dialog.isOpen()) return;
    if (dialog.page() == score.page && dialog.facing() == score.Facing) return;

    const PageData oldPage = score.page;
    const int oldWidth = usableStaveWidth(score);
    const int oldHeight = musicAreaHeight(score.page, score.StvSiz);
    score.page = dialog.page();
    if (!adaptStaveWidths(score, oldWidth, usableStaveWidth(score), session.ui)) {
        score.page = oldPage;
        return;
    }
    score.Facing = dialog.facing();
    const int height = musicAreaHeight(score.page, score.StvSiz);
    if (height != oldHeight || usableStaveWidth(score) != oldWidth)
        repaginate(score, height, session.ui, ed.page);
    score.modified = true;
    // The page is drawn anew on the surface of its new size, with the current stave.
    const int s = std::clamp(ed.currentStave(), 1, score.Nstaves);
    ed.page.pages = pageCount(score);
    makeStaveCurrent(session, s);
    ed.page.currentPage = score.stave(s).PageNum;
    session.host.showCurrentPage();
}

} // namespace qv
