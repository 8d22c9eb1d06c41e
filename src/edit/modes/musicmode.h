#pragma once
// Music mode: writing music from the keyboard at the entry cursor of the current
// stave, and the mouse that places the cursor, chooses the stave and starts the
// stave and page drags. HeadFoot, its form in the header/footer screen, shares the
// mouse and keeps only two of the keys.

#include "edit/modes/modeset.h"

namespace qv::modes {

class MusicMode : public EditMode {
  public:
    void enter(EditSession& session, int previous) override;
    void keyPress(EditSession& session, const KeyEvent& key) override;
    void keyRelease(EditSession& session, const KeyEvent& key) override;
    void moveHorizontally(EditSession& session, int delta) override;
    void moveVertically(EditSession& session, int direction, bool large) override;
    void mousePress(EditSession& session, const MouseEvent& mouse) override;
    void mouseMove(EditSession& session, const MouseEvent& mouse) override;
    void mouseRelease(EditSession& session, const MouseEvent& mouse) override;
    void doubleClick(EditSession& session, const MouseEvent& mouse) override;
    void holdTimer(EditSession& session) override;

  private:
    void leftPress(EditSession& session, PagePoint p);
    void rightPress(EditSession& session, const MouseEvent& mouse);
};

} // namespace qv::modes
