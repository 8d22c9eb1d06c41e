#pragma once
// Justifying a system: everything right of a chosen x is stretched (or squeezed)
// so that the system's last object lands on the right end of the stave. Positions
// are page units.

#include "layout/pagination.h"
#include "model/score.h"

namespace qv {

class Ui;

inline const char* const JustifyNeedsBarLine =
    "In order to justify you must have a bar line at the end of your system.\n\nAdd this and try again.";
inline const char* const JustifyRepeatAtEnd =
    "In order to justify you must have a bar line at the end of your system.\n\nAdd this and try again.\n\n"
    "(Currently you have a forward-looking repeat mark)";
inline const char* const JustifyTextAtEnd =
    "In order to justify you must have a bar line at the end of your system.\n\nAdd this and try again.\n\n"
    "(Currently you have non-immobile text at the end)";
inline const char* const JustifyPrompt =
    "Place the cursor at horizontal position you want to justify from, in the system you want to justify, "
    "and click the Left mouse button, or press Enter.\nPress Esc or Right button to abort.";
inline const char* const NothingBeyondCursor = "There are no objects beyond the cursor. Justify aborted.";

// Whether the system of stave s ends in something it may be justified to: a bar
// line that opens no repeat, or an immobile long text. Otherwise the reason is
// shown and false returned.
bool JustifyCheck(const Score& score, int s, Ui& ui);
// The same check, silent: the reason, or null when the system may be justified.
const char* justifyRefusal(const Score& score, int s);

// The largest x of any object of the system.
int rightmostX(const Score& score, const SystemRange& sys);

// The arithmetic of justifying alone, with no checks and no undo record: every
// object of the system right of x = c is moved so that the rightmost lands on
// `right`, in proportion to its distance from c.
void justifyObjects(Score& score, const SystemRange& sys, int c, int right);

// Justifies the system of stave s from x = c to that stave's right end, recorded
// as one undo step. Returns whether anything changed.
bool Justify(Score& score, int s, int c, Ui& ui);

} // namespace qv
