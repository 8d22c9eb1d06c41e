// The block modes: dragging out a block box (Defblock), and moving or copying a
// marked block (BlockVb, BlockCpy). Until block mode's own commands arrive, a box
// dragged out ends with the button's release and Esc ends the others.

#include "edit/modes/modeset.h"

namespace qv::modes {

namespace {

class BlockMode : public EscapeEnds {
  public:
    explicit BlockMode(int prompt) : prompt_(prompt) {}
    void enter(EditSession& session, int) override {
        if (prompt_ == 0) session.host.promptsOff();
        else showModePrompt(session, prompt_);
    }
    void leave(EditSession& session, int next) override {
        if (!backToMusic(next)) return;
        session.host.promptsOff();
        // later: the saved block buffer is released.
    }

  private:
    int prompt_;
};

class DefblockMode : public BlockMode {
  public:
    DefblockMode() : BlockMode(0) {}
    void mouseRelease(EditSession& session, const MouseEvent& mouse) override {
        if (mouse.button == LeftButton) SetMode(session, ModeMusic);
    }
};

} // namespace

EditMode& defblock() {
    static DefblockMode mode;
    return mode;
}

EditMode& blockMove() {
    static BlockMode mode(552);
    return mode;
}

EditMode& blockCopy() {
    static BlockMode mode(550);
    return mode;
}

} // namespace qv::modes
