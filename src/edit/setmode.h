#pragma once
// The mode switch: the only way the editing mode changes, with what leaving one
// mode and entering another does to the screen, the tools and the menus.

#include "edit/editor.h"
#include "edit/modehost.h"
#include "model/settings.h"

#include <string>

namespace qv {

class Ui;

// Everything the mode switch and the window's commands work on.
struct EditSession {
    Score& score;
    Editor& editor;
    const Settings& settings;
    Ui& ui;
    ModeHost& host;
    // The score's file name ("NONAME" and a number while unnamed): the header and
    // footer fields print it and picture export proposes it. Null when not known.
    const std::string* fileName = nullptr;
    ToolContext tools() const;
};

void SetMode(EditSession& session, int mode);

inline const char* const FinishProvisionalFirst =
    "Finish or abandon the provisional object first.\n\n(Esc=abandon, Enter=complete)";
// A mode chosen from the keyboard: refused while a provisional object exists.
void RequestMode(EditSession& session, int mode);

// Brings the tools and menus up to date with the editing state.
void refreshTools(EditSession& session);

// Whether entering `mode` from `previous` clicks (when the "Sound" setting is on).
bool clicksOnEntry(int previous, int mode);

// The prompt of the placing modes: Line 530, Curve 504, Hairpin 540, Drawing 564,
// 566, 568 or 570 by the chosen shape; 0 for modes without one.
int placingPrompt(int mode, int chosenShape);

} // namespace qv
