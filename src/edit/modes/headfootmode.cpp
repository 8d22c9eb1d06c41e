// HeadFoot: Music mode in the header/footer screen. The mouse works as in Music
// mode; of the keys only the double quote (Text mode) acts here, and Ctrl+F12
// (Symbol mode) as in every mode.

#include "edit/modes/musicmode.h"

namespace qv::modes {

namespace {

class HeadFootMode : public MusicMode {
  public:
    void enter(EditSession& session, int previous) override {
        if (previous == ModeText || previous == ModeLine) session.host.redrawPage();
        session.host.promptsOff();
        session.editor.hintsShown = false;
    }
    void keyPress(EditSession& session, const KeyEvent& key) override {
        if (key.character == '"' && !session.score.provisional.present) RequestMode(session, ModeText);
    }
    void keyRelease(EditSession&, const KeyEvent&) override {}
    void moveHorizontally(EditSession&, int) override {}
    void moveVertically(EditSession&, int, bool) override {}
};

} // namespace

EditMode& headFoot() {
    static HeadFootMode mode;
    return mode;
}

} // namespace qv::modes
