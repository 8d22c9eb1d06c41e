// Preview: the print preview of the current page; Esc returns to Music.

#include "edit/modes/modeset.h"

namespace qv::modes {

namespace {

class PreviewMode : public EscapeEnds {
  public:
    void enter(EditSession& session, int) override { session.host.openPreview(); }
    void leave(EditSession& session, int next) override {
        if (backToMusic(next)) session.host.closePreview();
    }
};

} // namespace

EditMode& preview() {
    static PreviewMode mode;
    return mode;
}

} // namespace qv::modes
