#pragma once
// The current font and the six favourite fonts: the Fonts menu's four commands,
// the font and favourite-font buttons and Text mode's Ctrl+F and Ctrl+V. The
// current font is the one every new text takes; an empty name stands for the
// settings' default font.

#include "model/settings.h"

#include <array>
#include <string>

namespace qv {

class Ui;

using Favourites = std::array<NamedFont, 6>;

inline const char* const FavouriteUndefinedMessage = "This favourite not defined. No change.";
inline const char* const NoFavouriteChosenMessage = "No favourite font chosen. Not saved.";
inline const char* const FavouriteSavedMessage = "Favourite Font %d saved as :\n\n";
inline const char* const CurrentFontSetMessage = "Current font set to:\n\n";

// The chooser of a favourite: its title, the label above the list, the list's
// caption, the six entries ("&1 " + description ...) and the number chosen, 1..6
// (0 while none is).
struct FavouriteChooser {
    std::string title;
    std::string label;
    std::string listCaption;
    std::array<std::string, 6> entries;
    int chosen = 0;
};

// A favourite or default font as a font description, and back. Only the upper-case
// style letters B, I, U and S count.
FontDesc fontOf(const NamedFont& named);
NamedFont namedFontOf(const FontDesc& font);
// "(Undefined)" for a favourite of size 0, else the face name and " (" size ")".
std::string fontDescription(const NamedFont& font);
// The name, "Size " and the size, and the style in words, on three lines.
std::string fontSummary(const FontDesc& font);

// The current font as texts take it: the chosen one, else the default.
FontDesc effectiveFont(const FontDesc& current, const NamedFont& defaultFont);

// "&Define current font...": the font dialog on the current font; OK makes the
// chosen font current. Returns whether it changed.
bool defineCurrentFont(FontDesc& current, const NamedFont& defaultFont, Ui& ui);
// "&Use a Favourite Font as current font": a defined favourite becomes current; a
// beginner (`level` 1) is told what it is.
bool useFavouriteFont(FontDesc& current, const Favourites& favourites, int level, Ui& ui);
// "Define a &Favourite Font...": the font dialog on the chosen favourite (on the
// current font for one never defined); OK there stores it in that favourite.
bool defineFavouriteFont(Favourites& favourites, const FontDesc& current, Ui& ui);
// "&Save current font as a Favourite Font...": the current font into the chosen favourite.
bool saveCurrentAsFavourite(const FontDesc& current, Favourites& favourites, Ui& ui);

} // namespace qv
