#include "edit/placing.h"

#include "edit/navigation.h"
#include "model/pagegeometry.h"
#include "model/ui.h"

#include <algorithm>
#include <cstdlib>

namespace qv {

void SetPlacementLimits(EditSession& session, int s) {
    DrawingState& d = session.editor.drawing;
    const DragLimits limits = neighbourLimits(session.score, s, session.settings.Level, s == 0);
    d.lowestY = limits.upper;
    d.highestY = limits.lower;
    d.limited = limits.upper != DragLimits{}.upper || limits.lower != DragLimits{}.lower;
}

MarkPoint heldPoint(const DrawingState& drawing, PagePoint p) {
    if (!drawing.limited) return MarkPoint{p.x, p.y};
    return MarkPoint{p.x, std::clamp(p.y, drawing.lowestY, drawing.highestY)};
}

namespace {

// The page bitmap: the music area, or the whole printed height on the header/footer page.
bool onPage(const EditSession& session, MarkPoint p) {
    const Score& score = session.score;
    const int width = musicAreaWidth(score.page, score.StvSiz);
    const int height = session.editor.currentPage() == 0 ? printedHeight(score.page, score.StvSiz)
                                                          : musicAreaHeight(score.page, score.StvSiz);
    return p.x >= 0 && p.y >= 0 && p.x < width && p.y < height;
}

} // namespace

void DrawTether(EditSession& session, MarkPoint p) {
    PlacingMarks& marks = session.editor.marks;
    const Stave& stave = session.score.stave(session.editor.currentStave());
    const int y0 = stave.Ycoord;
    // The foot stands on the middle line as far left of the pointer as the pointer is
    // above or below it, so the mark rises at 45 degrees, but never off the stave.
    const int xs = std::clamp(p.x - std::abs(y0 - p.y), int{stave.LeftX}, std::max<int>(stave.LeftX, stave.RightX));
    marks.tether = onPage(session, p);
    marks.tetherLine = MarkLine{MarkPoint{xs, y0}, p};
    showMarks(session);
}

void removeTether(EditSession& session) {
    if (!session.editor.marks.tether) return;
    session.editor.marks.tether = false;
    showMarks(session);
}

void showMarks(EditSession& session) { session.host.showPlacingMarks(session.editor.marks); }

void AttachToStave(EditSession& session, int d) {
    Editor& ed = session.editor;
    const Score& score = session.score;
    const int target = ed.currentStave() + d;
    if (target < 1 || target > score.Nstaves || score.stave(target).PageNum != ed.currentPage()) return;
    const bool tethered = ed.marks.tether;
    const MarkPoint pointer = ed.marks.tetherLine.to;
    removeTether(session);
    session.host.drawStave(ed.currentStave(), false);
    makeStaveCurrent(session, target); // also enables the Edit button when the stave has objects
    session.host.drawStave(target, true);
    SetPlacementLimits(session, target);
    if (tethered) DrawTether(session, pointer);
}

bool staveHasRoom(EditSession& session) {
    if (session.score.stave(session.editor.currentStave()).Nobjec < MaxObjects) return true;
    showError(session.ui, StaveTooComplexMessage);
    return false;
}

void endPlacing(EditSession& session) {
    Editor& ed = session.editor;
    if (!ed.marks.empty()) {
        ed.marks = PlacingMarks{};
        showMarks(session);
    }
    if (session.score.provisional.present) {
        session.host.setProvisionalMark(false);
        session.score.provisional.clear();
    }
    DrawingState& d = ed.drawing;
    d.textBuffer.clear();
    d.textWidth = 0;
    d.curve.clear();
    d.dotted = false;
    d.linesThisVisit.reset();
    ed.firstPointPlaced = false;
}

void returnFromPlacing(EditSession& session) {
    SetMode(session, session.editor.previousMode == ModeHeadFoot ? ModeHeadFoot : ModeMusic);
}

} // namespace qv
