// Waiting: a long operation is running; keys and the mouse do nothing.

#include "edit/modes/modeset.h"

namespace qv::modes {

EditMode& waiting() {
    static EditMode mode;
    return mode;
}

} // namespace qv::modes
