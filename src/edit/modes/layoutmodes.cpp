// The modes that choose where a layout operation starts: Justify (from the cursor)
// and Compressi (left or right).

#include "edit/modes/modeset.h"

namespace qv::modes {

namespace {

class JustifyMode : public EscapeEnds {
  public:
    void enter(EditSession& session, int) override { session.host.setCursorMark(false); }
    void leave(EditSession& session, int next) override {
        if (backToMusic(next)) session.host.setCursorMark(true);
    }
};

} // namespace

EditMode& justify() {
    static JustifyMode mode;
    return mode;
}

EditMode& compress() {
    static EditMode mode;
    return mode;
}

} // namespace qv::modes
