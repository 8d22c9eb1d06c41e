#include "edit/layoutcommands.h"

#include "layout/compress.h"
#include "layout/cutoff.h"
#include "layout/justify.h"
#include "layout/pagination.h"
#include "model/ui.h"

namespace qv {

namespace {

bool inMusic(const EditSession& session) {
    const int s = session.editor.currentStave();
    return session.editor.mode == ModeMusic && s >= 1 && s <= session.score.Nstaves;
}

void redrawSystem(EditSession& session) {
    const SystemRange sys = SystemExtent(session.score, session.editor.currentStave());
    session.host.redrawStaves(sys.first, sys.last);
    session.host.updateStatus();
}

void cutOff(EditSession& session, CutSide side) {
    if (!inMusic(session)) return;
    if (!CutOff(session.score, session.editor.currentStave(), session.editor.cursorX, side, session.ui))
        return;
    // The stave lines got shorter: what lay beyond their old ends must go too.
    session.host.redrawPage();
    session.host.updateStatus();
    refreshTools(session);
}

} // namespace

void justifyRightFromCursor(EditSession& session) {
    if (!inMusic(session)) return;
    if (!JustifyCheck(session.score, session.editor.currentStave(), session.ui)) return;
    showInformation(session.ui, JustifyPrompt);
    SetMode(session, ModeJustify);
}

void compressLeftOrRight(EditSession& session) {
    if (!inMusic(session)) return;
    SetMode(session, ModeCompressi);
}

void cutOffLeftAtCursor(EditSession& session) {
    cutOff(session, CutSide::Left);
}
void cutOffRightAtCursor(EditSession& session) {
    cutOff(session, CutSide::Right);
}

void justifyAtCursor(EditSession& session) {
    if (Justify(session.score, session.editor.currentStave(), session.editor.cursorX, session.ui))
        redrawSystem(session);
    SetMode(session, ModeMusic);
}

void compressPress(EditSession& session, int x) {
    Editor& ed = session.editor;
    ed.compressPressed = true;
    ed.compressPressX = x;
    ed.compressDirection = CompressDirection::None;
}

void compressDrag(EditSession& session, int x) {
    Editor& ed = session.editor;
    if (!ed.compressPressed || ed.compressDirection != CompressDirection::None) return;
    const CompressDirection direction = dragDirection(ed.compressPressX, x);
    if (direction == CompressDirection::None) return;
    ed.compressDirection = direction;
    const CompressLimit limit =
        compressLimit(session.score, ed.currentStave(), ed.compressPressX, direction, session.settings.LCL);
    if (!limit.possible) {
        showInformation(session.ui, NothingToCompress);
        SetMode(session, ModeMusic);
        return;
    }
    session.host.showCompressLimit(limit.x, limit.top, limit.bottom);
}

void compressRelease(EditSession& session, int x) {
    Editor& ed = session.editor;
    if (!ed.compressPressed) return;
    if (Compress(session.score, ed.currentStave(), ed.compressPressX, x, ed.compressDirection,
                 session.settings.LCL, session.ui))
        redrawSystem(session);
    SetMode(session, ModeMusic);
}

} // namespace qv
