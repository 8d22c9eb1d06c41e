#include "edit/fontcommands.h"

#include "layout/pagination.h"
#include "model/ui.h"

namespace qv {

namespace {

FavouriteChooser chooser(const char* title, std::string label, const char* listCaption,
                         const Favourites& favourites) {
    FavouriteChooser c{title, std::move(label), listCaption, {}, 0};
    for (std::size_t i = 0; i < favourites.size(); ++i)
        c.entries[i] = "&" + std::to_string(i + 1) + " " + fontDescription(favourites[i]);
    return c;
}

// The favourite chosen with OK, 0 when cancelled; OK without a choice is told
// when `tell` is set.
int chosenFavourite(FavouriteChooser& c, bool tell, Ui& ui) {
    if (!ui.runFavouriteChooser(c)) return 0;
    if (c.chosen >= 1 && c.chosen <= 6) return c.chosen;
    if (tell) showWarning(ui, NoFavouriteChosenMessage);
    return 0;
}

void tellSaved(int number, const FontDesc& font, Ui& ui) {
    showInformation(ui, formatMessage(FavouriteSavedMessage, number) + fontSummary(font));
}

} // namespace

FontDesc fontOf(const NamedFont& named) {
    FontDesc f{named.name, named.size, 0, 0};
    for (char c : named.style) {
        if (c == 'B') f.style |= FontBold;
        if (c == 'I') f.style |= FontItalic;
        if (c == 'U') f.style |= FontUnderline;
        if (c == 'S') f.style |= FontStrikeOut;
    }
    return f;
}

NamedFont namedFontOf(const FontDesc& font) {
    NamedFont n{font.name, font.size, ""};
    const std::pair<std::uint8_t, char> letters[] = {
        {FontBold, 'B'}, {FontItalic, 'I'}, {FontUnderline, 'U'}, {FontStrikeOut, 'S'}};
    for (const auto& [bit, letter] : letters)
        if (font.style & bit) n.style += letter;
    return n;
}

std::string fontDescription(const NamedFont& font) {
    if (font.size == 0) return "(Undefined)";
    return font.name + " (" + std::to_string(font.size) + ")";
}

std::string fontSummary(const FontDesc& font) {
    return font.name + "\nSize " + std::to_string(font.size) + "\n" + styleWords(font.style);
}

FontDesc effectiveFont(const FontDesc& current, const NamedFont& defaultFont) {
    return current.name.empty() ? fontOf(defaultFont) : current;
}

bool defineCurrentFont(FontDesc& current, const NamedFont& defaultFont, Ui& ui) {
    const std::optional<FontDesc> chosen = ui.chooseFont(effectiveFont(current, defaultFont));
    if (!chosen) return false;
    current = *chosen;
    return true;
}

bool useFavouriteFont(FontDesc& current, const Favourites& favourites, int level, Ui& ui) {
    FavouriteChooser c =
        chooser("Use as current font", "Current font will be set to:", "Favourite font number:", favourites);
    const int n = chosenFavourite(c, level < Advanced, ui);
    if (n == 0) return false;
    const NamedFont& favourite = favourites[static_cast<std::size_t>(n - 1)];
    if (favourite.size == 0) {
        showWarning(ui, FavouriteUndefinedMessage);
        return false;
    }
    current = fontOf(favourite);
    if (level == Beginner) showInformation(ui, CurrentFontSetMessage + fontSummary(current));
    return true;
}

bool defineFavouriteFont(Favourites& favourites, const FontDesc& current, Ui& ui) {
    FavouriteChooser c = chooser("Change/Define font number",
                                 "Select the font you wish to modify:", "Favourite font number:", favourites);
    const int n = chosenFavourite(c, true, ui);
    if (n == 0) return false;
    NamedFont& favourite = favourites[static_cast<std::size_t>(n - 1)];
    // A slot never defined has no font to show: the dialog starts from the current one.
    const std::optional<FontDesc> chosen = ui.chooseFont(favourite.size == 0 ? current : fontOf(favourite));
    if (!chosen) return false;
    favourite = namedFontOf(*chosen);
    tellSaved(n, *chosen, ui);
    return true;
}

bool saveCurrentAsFavourite(const FontDesc& current, Favourites& favourites, Ui& ui) {
    FavouriteChooser c =
        chooser("Save current font", formatMessage("Saving %s as", fontDescription(namedFontOf(current))),
                "Save/overwrite as font number:  ", favourites);
    const int n = chosenFavourite(c, true, ui);
    if (n == 0) return false;
    favourites[static_cast<std::size_t>(n - 1)] = namedFontOf(current);
    tellSaved(n, current, ui);
    return true;
}

} // namespace qv
