#include "edit/setmode.h"

#include "layout/tidystave.h"
#include "model/ui.h"

namespace qv {

namespace {

bool isMusicStave(const EditSession& session, int s) { return s >= 1 && s <= session.score.Nstaves; }

// ---------------------------------------------------------------------------------
// Leaving a mode for Music: what the previous mode left on the screen is undone.
// Effects that belong to a mode whose editing commands have not been built yet are
// marked "later:" here; the mode's own file adds them when it arrives.
// ---------------------------------------------------------------------------------
void leaveForMusic(EditSession& session, int previous) {
    ModeHost& host = session.host;
    Editor& ed = session.editor;
    const int s = ed.currentStave();
    switch (previous) {
    case ModeDefblock:
    case ModeBlockVb:
    case ModeBlockCpy:
        host.promptsOff();
        // later: the saved block buffer is released (block mode).
        break;
    case ModeEdit: {
        host.setCursorMark(true);
        if (isMusicStave(session, s)) StaveChanged(session.score, s);
        // later: the current object's highlight is removed (Edit mode).
        ed.openForEdit[static_cast<std::size_t>(s)] = false;
        ed.currentObject = 0;
        if (session.settings.options.FastCPU || !isMusicStave(session, s)) {
            host.redrawPage();
        } else {
            const SystemRange system = SystemExtent(session.score, s);
            host.redrawStaves(system.first, system.last);
        }
        host.setDeleteStaveShortcut(true);
        break;
    }
    case ModeText:
        if (session.settings.options.FastCPU) host.redrawPage();
        else host.drawStave(s, false);
        // later: the text position mark is removed (Text mode).
        host.setTextModeShortcuts(true);
        break;
    case ModeSymbol:
        host.setCursorMark(true);
        host.drawStave(s, false);
        break;
    case ModeLine:
        // later: the band between the highest and lowest line drawn is redrawn (Line mode).
        host.redrawPage();
        break;
    case ModeCurve:
        // later: the anchor-position mark is removed unless the curve was just saved.
        host.setCursorMark(true);
        break;
    case ModeHairpin:
        if (session.settings.options.FastCPU) host.redrawPage();
        else host.drawStave(s, false);
        // later: the hairpin position mark is removed.
        break;
    case ModeDrawing:
    case ModeJustify:
        host.setCursorMark(true);
        break;
    case ModePreview:
        host.closePreview();
        break;
    default:
        break;
    }
    host.promptsOff();
    ed.hintsShown = false;
    host.drawStave(s, true);
    ed.pressPoint = PagePoint{};
    session.score.provisional.clear(); // forgotten, not drawn
    if (isMusicStave(session, s)) StaveChanged(session.score, s);
}

void startPlacing(EditSession& session) {
    Editor& ed = session.editor;
    ed.placingPoint = ed.mousePoint;
    ed.firstPointPlaced = false;
    session.host.drawStave(ed.currentStave(), true);
    session.host.setCursorMark(false);
    // later: the mode's position mark is drawn (placing modes).
}

void prompt(EditSession& session, int number) {
    if (number == 0) return;
    session.editor.promptNumber = number;
    session.editor.hintsShown = true;
    session.host.showPrompt(number);
}

// ---------------------------------------------------------------------------------
// Entering any mode other than Music.
// ---------------------------------------------------------------------------------
void enterOther(EditSession& session, int mode, int previous) {
    ModeHost& host = session.host;
    Editor& ed = session.editor;
    const int s = ed.currentStave();
    switch (mode) {
    case ModeDefblock:
        host.promptsOff();
        break;
    case ModeEdit:
        ed.openForEdit[static_cast<std::size_t>(s)] = true;
        // later: the stave is saved for undo and for abandoning the edit, and the
        // object nearest to the cursor x becomes the current object (Edit mode).
        session.score.modified = true;
        host.setDeleteStaveShortcut(false);
        break;
    case ModeText:
        ed.placingPoint = ed.mousePoint;
        host.setCursorMark(false);
        host.drawStave(s, true);
        // later: the text buffer is emptied and the position mark drawn (Text mode).
        prompt(session, 554);
        host.setTextModeShortcuts(false);
        break;
    case ModeSymbol:
        ed.placingPoint = ed.mousePoint;
        host.drawStave(s, true);
        // later: the symbol palette opens (Symbol mode).
        break;
    case ModeLine:
    case ModeCurve:
    case ModeHairpin:
    case ModeDrawing:
        startPlacing(session);
        prompt(session, placingPrompt(mode, ed.chosenShape));
        break;
    case ModeJustify:
        host.setCursorMark(false);
        break;
    case ModeBlockVb:
        prompt(session, 552);
        break;
    case ModeBlockCpy:
        prompt(session, 550);
        break;
    case ModePreview:
        host.openPreview();
        break;
    case ModeHeadFoot:
        if (previous == ModeText || previous == ModeLine) host.redrawPage();
        host.promptsOff();
        ed.hintsShown = false;
        break;
    default:
        break;
    }
}

} // namespace

int placingPrompt(int mode, int chosenShape) {
    switch (mode) {
    case ModeLine:
        return 530;
    case ModeCurve:
        return 504;
    case ModeHairpin:
        return 540;
    case ModeDrawing:
        return 564 + 2 * (chosenShape / 2);
    default:
        return 0;
    }
}

bool clicksOnEntry(int previous, int mode) {
    const bool clickingMode = mode == ModeMusic || (mode >= ModeEdit && mode <= ModeDrawing) || mode == ModeHeadFoot;
    if (!clickingMode) return false;
    if (mode == ModeMusic && (previous == ModeDefblock || previous == ModeDragging)) return false;
    if (mode == ModeHeadFoot && previous == ModeDragging) return false;
    return true;
}

void refreshTools(EditSession& session) {
    session.host.applyTools(computeTools(session.editor, session.score, session.tools()),
                            computeMenus(session.editor, session.score, session.settings.Level));
}

void SetMode(EditSession& session, int mode) {
    Editor& ed = session.editor;
    if (mode == ed.mode) return;
    if (mode == ModeMusic && ed.inHeaderFooterScreen()) mode = ModeHeadFoot;
    if (mode == ed.mode) return;
    const int previous = ed.mode;
    ed.previousMode = previous;
    ed.mode = mode;
    session.host.showModeLabel(mode, false);
    session.host.setPagePointer(mode);
    if (mode == ModeMusic) leaveForMusic(session, previous);
    else enterOther(session, mode, previous);
    if (session.settings.options.Sound && clicksOnEntry(previous, mode)) session.host.playClick();
    refreshTools(session);
    session.host.showModeLabel(mode, true);
}

void RequestMode(EditSession& session, int mode) {
    if (session.score.provisional.present) {
        showWarning(session.ui, FinishProvisionalFirst);
        return;
    }
    SetMode(session, mode);
}

} // namespace qv
