// Edit mode: changing the objects of the current stave. Entering opens the stave
// for edit and records it for undo; leaving for Music closes it and redraws the
// system. Picking, moving and changing objects come with Edit mode's own commands.

#include "edit/modes/modeset.h"
#include "layout/tidystave.h"

namespace qv::modes {

namespace {

class EditModeObject : public EditMode {
  public:
    // Enter finishes the edit and Esc abandons it; until the edit's own commands
    // arrive there is nothing to keep or to take back, so both return to Music.
    void keyPress(EditSession& session, const KeyEvent& key) override {
        if (key.character == 27 || key.character == '\r') SetMode(session, ModeMusic);
    }

    void enter(EditSession& session, int) override {
        const int s = session.editor.currentStave();
        session.editor.openForEdit[static_cast<std::size_t>(s)] = true;
        session.score.undo.pushStave(session.score, s, UndoStave); // also marks the score modified
        // later: the saved stave for abandoning the edit, and the object nearest to the
        // cursor x made current.
        session.host.setDeleteStaveShortcut(false);
    }

    void leave(EditSession& session, int next) override {
        session.host.setDeleteStaveShortcut(true); // Del is Edit mode's only while in it
        if (!backToMusic(next)) return;
        ModeHost& host = session.host;
        Editor& ed = session.editor;
        const int s = ed.currentStave();
        const bool music = s >= 1 && s <= session.score.Nstaves;
        host.setCursorMark(true);
        if (music) StaveChanged(session.score, s);
        // later: the current object's highlight is removed.
        ed.openForEdit[static_cast<std::size_t>(s)] = false;
        ed.currentObject = 0;
        if (session.settings.options.FastCPU || !music) {
            host.redrawPage();
        } else {
            const SystemRange system = SystemExtent(session.score, s);
            host.redrawStaves(system.first, system.last);
        }
    }
};

} // namespace

EditMode& edit() {
    static EditModeObject mode;
    return mode;
}

} // namespace qv::modes
