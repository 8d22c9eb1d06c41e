// The current and favourite fonts: the choosers' texts, undefined favourites, OK
// without a choice, the messages by level, and the style letters of a favourite.

#include "edit/fontcommands.h"
#include "layout/pagination.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

struct Fonts {
    test::ScriptedUi ui;
    Favourites favourites{};
    FontDesc current{"Times New Roman", 12, 0, 0};
    Fonts() { favourites[1] = {"Courier New", 10, "BU"}; }
    // The chooser answers OK with `number` chosen (0: none).
    void choose(int number) {
        ui.favouriteScript = [number](FavouriteChooser& c) {
            c.chosen = number;
            return true;
        };
    }
};

TEST(FontCommands, StyleLettersAreReadInUpperCaseOnlyAndWrittenInTheirOrder) {
    EXPECT_EQ(fontOf({"Arial", 9, "BU"}), (FontDesc{"Arial", 9, FontBold | FontUnderline, 0}));
    EXPECT_EQ(fontOf({"Arial", 9, "bu"}).style, 0);
    EXPECT_EQ(namedFontOf({"Arial", 9, FontStrikeOut | FontItalic | FontBold, 0}).style, "BIS");
    EXPECT_EQ(fontDescription({"Arial", 9, ""}), "Arial (9)");
    EXPECT_EQ(fontDescription({}), "(Undefined)");
}

TEST(FontCommands, AnUndefinedFavouriteIsListedAsUndefinedAndUsingItChangesNothing) {
    Fonts f;
    f.choose(1);
    const FontDesc before = f.current;
    EXPECT_FALSE(useFavouriteFont(f.current, f.favourites, Beginner, f.ui));
    EXPECT_EQ(f.current, before);
    EXPECT_EQ(f.ui.lastText(), "This favourite not defined. No change.");
    ASSERT_EQ(f.ui.choosersOpened.size(), 1u);
    const FavouriteChooser& c = f.ui.choosersOpened[0];
    EXPECT_EQ(c.title, "Use as current font");
    EXPECT_EQ(c.label, "Current font will be set to:");
    EXPECT_EQ(c.listCaption, "Favourite font number:");
    EXPECT_EQ(c.entries[0], "&1 (Undefined)");
    EXPECT_EQ(c.entries[1], "&2 Courier New (10)");
    EXPECT_EQ(c.entries[5], "&6 (Undefined)");
}

TEST(FontCommands, UsingAFavouriteTellsOnlyABeginnerAndOkWithoutAChoiceBelowAdvanced) {
    const struct {
        int level;
        int chosen;
        const char* told; // "" for nothing
    } cases[] = {
        {Beginner, 2, "Current font set to:\n\nCourier New\nSize 10\nBold, Underline"},
        {Advanced, 2, ""},
        {Standard, 0, "No favourite font chosen. Not saved."},
        {Advanced, 0, ""},
    };
    for (const auto& c : cases) {
        Fonts f;
        f.choose(c.chosen);
        useFavouriteFont(f.current, f.favourites, c.level, f.ui);
        EXPECT_EQ(f.ui.lastText(), c.told) << c.level << " " << c.chosen;
        EXPECT_EQ(f.current.name, c.chosen ? "Courier New" : "Times New Roman");
    }
    Fonts cancelled;
    EXPECT_FALSE(useFavouriteFont(cancelled.current, cancelled.favourites, Beginner, cancelled.ui));
    EXPECT_TRUE(cancelled.ui.messages.empty());
}

TEST(FontCommands, SavingTheCurrentFontOverFavouriteThreeReplacesItWhole) {
    Fonts f;
    f.favourites[2] = {"Arial", 20, "S"};
    f.current = {"Liberation Serif", 14, FontBold | FontItalic, 0};
    f.choose(3);
    ASSERT_TRUE(saveCurrentAsFavourite(f.current, f.favourites, f.ui));
    EXPECT_EQ(f.favourites[2], (NamedFont{"Liberation Serif", 14, "BI"}));
    EXPECT_EQ(f.ui.lastText(), "Favourite Font 3 saved as :\n\nLiberation Serif\nSize 14\nBold, Italic");
    EXPECT_EQ(f.ui.choosersOpened[0].label, "Saving Liberation Serif (14) as");
    EXPECT_EQ(f.ui.choosersOpened[0].listCaption, "Save/overwrite as font number:  ");
    f.choose(0);
    EXPECT_FALSE(saveCurrentAsFavourite(f.current, f.favourites, f.ui));
    EXPECT_EQ(f.ui.lastText(), "No favourite font chosen. Not saved.");
}

TEST(FontCommands, DefiningAFavouriteOpensTheFontDialogOnItOrOnTheCurrentFont) {
    Fonts f;
    f.choose(2);
    f.ui.fontAnswers = {FontDesc{"Arial", 11, 0, 0}, FontDesc{"Arial", 16, FontItalic, 0}};
    ASSERT_TRUE(defineFavouriteFont(f.favourites, f.current, f.ui));
    EXPECT_EQ(f.ui.fontsOffered.back(), (FontDesc{"Courier New", 10, FontBold | FontUnderline, 0}));
    EXPECT_EQ(f.favourites[1], (NamedFont{"Arial", 11, ""}));
    EXPECT_EQ(f.ui.lastText(), "Favourite Font 2 saved as :\n\nArial\nSize 11\nNormal");
    EXPECT_EQ(f.ui.choosersOpened[0].title, "Change/Define font number");
    EXPECT_EQ(f.ui.choosersOpened[0].label, "Select the font you wish to modify:");
    f.choose(5);
    ASSERT_TRUE(defineFavouriteFont(f.favourites, f.current, f.ui));
    EXPECT_EQ(f.ui.fontsOffered.back(), f.current) << "a slot never defined starts from the current font";
    EXPECT_EQ(f.favourites[4], (NamedFont{"Arial", 16, "I"}));
    f.choose(1); // the font dialog cancelled: nothing stored
    EXPECT_FALSE(defineFavouriteFont(f.favourites, f.current, f.ui));
    EXPECT_EQ(f.favourites[0].size, 0);
}

} // namespace
} // namespace qv
