#pragma once
// The mode objects, one file each in this folder, and what several of them share.
// A mode whose own commands are not built yet is a small object that does what the
// mode switch says of it and lets Esc end it.

#include "edit/mode.h"
#include "edit/placing.h"
#include "edit/setmode.h"

namespace qv::modes {

EditMode& nothing();
EditMode& music();
EditMode& defblock();
EditMode& edit();
EditMode& text();
EditMode& symbol();
EditMode& line();
EditMode& curve();
EditMode& hairpin();
EditMode& drawing();
EditMode& movestave();
EditMode& justify();
EditMode& blockMove();
EditMode& blockCopy();
EditMode& compress();
EditMode& dragging();
EditMode& preview();
EditMode& headFoot();
EditMode& waiting();

// A mode is cleaned up when it is left for Music or for HeadFoot, Music's form in
// the header/footer screen.
inline bool backToMusic(int next) { return next == ModeMusic || next == ModeHeadFoot; }

// Shows prompt n beside the pointer and remembers it.
void showModePrompt(EditSession& session, int number);

// The placing modes start at the last mouse point with no point placed, the stave
// drawn as current, the cursor mark off and the tether drawn to the point.
void startPlacing(EditSession& session);

// Esc (as a character) ends the mode for Music.
class EscapeEnds : public EditMode {
  public:
    void keyPress(EditSession& session, const KeyEvent& key) override {
        if (key.character == 27) SetMode(session, ModeMusic);
    }
};

// Esc (as a key code, on the release) ends the mode for Music.
class EscapeReleaseEnds : public EditMode {
  public:
    void keyRelease(EditSession& session, const KeyEvent& key) override {
        if (key.key == KeyEscape) SetMode(session, ModeMusic);
    }
};

// The placing modes: PgUp and PgDn, on the release, move the work to the stave above
// or below; Esc on the release is the mode's own (Text, Line and Hairpin end there).
class PlacingMode : public EditMode {
  public:
    void keyRelease(EditSession& session, const KeyEvent& key) override;

  protected:
    virtual void escapeReleased(EditSession&) {}
};

} // namespace qv::modes
