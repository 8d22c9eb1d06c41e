#pragma once
// Which speed buttons and menu items the editing state allows. The score window
// applies these to its widgets after every mode change, every change of the
// provisional object and every change of the current stave.

#include "edit/editor.h"
#include "model/score.h"

namespace qv {

struct ButtonState {
    bool visible = true;
    bool enabled = false;
    bool pressed = false;
    bool operator==(const ButtonState&) const = default;
};

// The speed buttons the editing state decides, named as on the speed bar.
struct ToolState {
    ButtonState sbMusic, sbEdit, sbredraw, sbundo, sbpreview, sbdraw, sbstrings, sbheadfoot, sbcloseHF;
    ButtonState sbText, sbLine, sbcurve, sbHairpin, sbsymbol;
    ButtonState sbLeft, sbright, sbdelete, sbattrib, sbdelstave, sbcomplete, sbPrint, sbPgUp, sbPgDn;
    bool operator==(const ToolState&) const = default;
};

// What the editing layer cannot see by itself.
struct ToolContext {
    int level = 1;               // the user's competence level, 1..3
    bool hasNextObject = false;  // Edit mode: an object can be selected to the right
    bool hasPreviousObject = false;
};

// The buttons of the mode switch, refined by the rules that follow the current
// stave and the provisional object.
ToolState computeTools(const Editor& editor, const Score& score, const ToolContext& context);

// The groups of menu items that are enabled together.
struct MenuState {
    bool fileCommands = false;     // "&Save", "Save &As...", "&Print...", "Print S&etup...", "&Information..."
    bool advancedFile = false;     // templates, part saves, merging, picture output
    bool pageCommands = false;     // "Pre&view", "Re&paginate", "Page &Layout...", "&Stave size...", "&Undo"
    bool refreshCommands = false;  // "&Refresh", "Define &Header/Footer"
    bool musicCommands = false;    // systems, clefs, signatures, staves, justify, compress, cut off
    bool advancedMusic = false;    // "&Transpose/Change clef...", "&Sort stave"
    bool operator==(const MenuState&) const = default;
};
MenuState computeMenus(const Editor& editor, const Score& score, int level);

// Kinds of provisional object that have an attributes dialog.
bool hasAttributesDialog(const ScoreObject& object);

} // namespace qv
