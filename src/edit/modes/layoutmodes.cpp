// The modes that choose where a layout operation starts: Justify (from the cursor)
// and Compressi (left or right).

#include "edit/layoutcommands.h"
#include "edit/modes/modeset.h"
#include "edit/navigation.h"

namespace qv::modes {

namespace {

// A click picks the x and the system; Enter takes the cursor as it stands; Esc or
// the right button gives up.
class JustifyMode : public EscapeEnds {
  public:
    void enter(EditSession& session, int) override { session.host.setCursorMark(false); }
    void leave(EditSession& session, int next) override {
        if (backToMusic(next)) session.host.setCursorMark(true);
    }
    void keyPress(EditSession& session, const KeyEvent& key) override {
        if (key.character == '\r') return justifyAtCursor(session);
        EscapeEnds::keyPress(session, key);
    }
    void mousePress(EditSession& session, const MouseEvent& mouse) override {
        if (mouse.button == RightButton) return SetMode(session, ModeMusic);
        if (mouse.button != LeftButton) return;
        const int s = nearestStave(session.score, session.editor.currentPage(), mouse.point.y);
        if (s >= 1 && s != session.editor.currentStave()) makeStaveCurrent(session, s);
        session.editor.cursorX = mouse.point.x;
        justifyAtCursor(session);
    }
};

// The left button goes down at the x to compress from; dragging it past the dead
// zone fixes the side and shows the limit; letting it go compresses.
class CompressMode : public EscapeEnds {
  public:
    void enter(EditSession& session, int) override { reset(session); }
    void leave(EditSession& session, int) override {
        session.host.hideCompressLimit();
        reset(session);
    }
    void mousePress(EditSession& session, const MouseEvent& mouse) override {
        if (mouse.button == RightButton) return SetMode(session, ModeMusic);
        if (mouse.button == LeftButton) compressPress(session, mouse.point.x);
    }
    void mouseMove(EditSession& session, const MouseEvent& mouse) override {
        if (mouse.buttons & LeftButton) compressDrag(session, mouse.point.x);
    }
    void mouseRelease(EditSession& session, const MouseEvent& mouse) override {
        if (mouse.button == LeftButton) compressRelease(session, mouse.point.x);
    }

  private:
    static void reset(EditSession& session) {
        session.editor.compressPressed = false;
        session.editor.compressDirection = CompressDirection::None;
    }
};

} // namespace

EditMode& justify() {
    static JustifyMode mode;
    return mode;
}

EditMode& compress() {
    static CompressMode mode;
    return mode;
}

} // namespace qv::modes
