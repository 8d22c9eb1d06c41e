#include "edit/toolstate.h"

namespace qv {

namespace {

bool in(int mode, std::initializer_list<int> modes) {
    for (int m : modes)
        if (m == mode) return true;
    return false;
}

ButtonState enabledIn(int mode, std::initializer_list<int> modes, int pressedIn = -1) {
    return ButtonState{true, in(mode, modes), mode == pressedIn};
}

ButtonState shownAndEnabled(bool on) { return ButtonState{on, on, false}; }

// What the mode switch itself sets, before the finer rules.
ToolState modeButtons(int m) {
    ToolState t;
    const bool musicShown = !in(m, {ModeNothing, ModeMusic, ModeHeadFoot});
    t.sbMusic = ButtonState{musicShown, musicShown, in(m, {ModeMusic, ModeHeadFoot})};
    t.sbEdit = enabledIn(m, {ModeMusic, ModeEdit, ModeHeadFoot}, ModeEdit);
    t.sbredraw = enabledIn(m, {ModeMusic, ModeHeadFoot});
    t.sbundo = enabledIn(m, {ModeMusic});
    t.sbpreview = enabledIn(m, {ModeMusic});
    t.sbdraw = enabledIn(m, {ModeMusic});
    t.sbstrings = shownAndEnabled(m == ModeMusic);
    t.sbheadfoot = shownAndEnabled(m == ModeMusic);
    t.sbcloseHF = shownAndEnabled(m == ModeHeadFoot);
    t.sbText = enabledIn(m, {ModeMusic, ModeText, ModeHeadFoot}, ModeText);
    t.sbLine = enabledIn(m, {ModeMusic, ModeLine, ModeHeadFoot}, ModeLine);
    t.sbcurve = enabledIn(m, {ModeMusic, ModeCurve});
    t.sbHairpin = enabledIn(m, {ModeMusic, ModeHairpin}, ModeHairpin);
    t.sbsymbol = enabledIn(m, {ModeMusic, ModeSymbol}, ModeSymbol);
    t.sbLeft = enabledIn(m, {ModeEdit});
    t.sbright = enabledIn(m, {ModeEdit});
    t.sbdelete = enabledIn(m, {ModeEdit});
    t.sbattrib = enabledIn(m, {ModeEdit});
    return t;
}

void refineForMusic(ToolState& t, const Editor& editor, const Score& score, const ToolContext& context) {
    const bool free = !score.provisional.present;
    t.sbundo.enabled = free;
    t.sbPrint.enabled = free;
    t.sbredraw.enabled = free;
    const bool placing = free && context.level > 1; // a beginner cannot reach these from the bar
    for (ButtonState* b : {&t.sbText, &t.sbLine, &t.sbcurve, &t.sbHairpin, &t.sbdraw, &t.sbsymbol})
        b->enabled = placing;
    t.sbMusic.visible = free;
    t.sbMusic.enabled = free;
    t.sbattrib.enabled = free || hasAttributesDialog(score.provisional.object);
    t.sbheadfoot = shownAndEnabled(free);
    const int s = editor.currentStave();
    const int stavePage = (s >= 1 && s <= score.Nstaves) ? int(score.stave(s).PageNum) : 0;
    t.sbPgDn.enabled = stavePage < pageCount(score);
    t.sbPgUp.enabled = stavePage > 1;
}

} // namespace

bool hasAttributesDialog(const ScoreObject& object) {
    switch (object.kind()) {
    case ObjectKind::Clef:
    case ObjectKind::KeySignature:
    case ObjectKind::TimeSignature:
    case ObjectKind::Barline:
    case ObjectKind::Note:
    case ObjectKind::Accidental:
    case ObjectKind::Line:
        return true;
    default:
        return false;
    }
}

ToolState computeTools(const Editor& editor, const Score& score, const ToolContext& context) {
    const int m = editor.mode;
    ToolState t = modeButtons(m);
    const bool free = !score.provisional.present;
    const int s = editor.currentStave();
    const bool staveHasObjects = s >= 0 && s <= score.Nstaves && score.stave(s).Nobjec > 0;

    t.sbdelstave.enabled = score.Nstaves >= 2;
    if (m == ModeMusic || m == ModeHeadFoot) t.sbEdit.enabled = staveHasObjects && free;
    if (m == ModeMusic) refineForMusic(t, editor, score, context);
    if (m == ModeHeadFoot) t.sbcloseHF = shownAndEnabled(true);
    if (m == ModeEdit) {
        t.sbright.enabled = context.hasNextObject;
        t.sbLeft.enabled = context.hasPreviousObject;
    }
    t.sbcomplete = shownAndEnabled(!free);
    return t;
}

MenuState computeMenus(const Editor& editor, const Score& score, int level) {
    const int m = editor.mode;
    const bool free = !score.provisional.present;
    const bool advanced = level >= 2;
    MenuState menus;
    menus.fileCommands = (m == ModeMusic || m == ModePreview) && free;
    menus.advancedFile = m == ModeMusic && free && advanced;
    menus.pageCommands = m == ModeMusic && free;
    menus.refreshCommands = (m == ModeMusic || m == ModeHeadFoot) && free;
    menus.musicCommands = m == ModeMusic;
    menus.advancedMusic = m == ModeMusic && advanced;
    return menus;
}

} // namespace qv
