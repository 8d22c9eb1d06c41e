#pragma once
// "&Merge File After this stave..." and "Merge File &Before this stave...": another
// score file's staves put in as whole systems below the current stave's system or
// above it, chosen in a file dialog; the page shown afresh after.

#include "edit/setmode.h"

namespace qv {

inline const char* const MergeAfterRefusal =
    "You cannot merge another file after this stave.\nYour cursor must be on a stave (staff) which is not "
    "joined "
    "to the one below, ie you must be on the last stave of a system.";
inline const char* const MergeBeforeRefusal =
    "You cannot merge another file before this stave.\nYour cursor must be on a stave (staff) which is not "
    "joined "
    "to the one above, ie you must be on the first stave of a system.";
inline const char* const MergeDialogTitle = "Merge File";
inline const char* const MergeFilter = "Quaverly files (*.QVR *.qvr)";

void mergeAfter(EditSession& session);
void mergeBefore(EditSession& session);

} // namespace qv
