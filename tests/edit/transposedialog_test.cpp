// The "Transposing" dialog's model: the interval list and the distance following
// each other, the clef change kept to one stave, the questions of "&Do it!" word
// for word, and the staves of the request for each extent.

#include "support/scorebuilder.h"
#include "support/scriptedui.h"
#include "transpose/transposedialog.h"

#include <algorithm>
#include <string_view>

#include <gtest/gtest.h>

namespace qv {
namespace {

using Extent = TransposeExtent;

// Five staves; 2, 3 and 4 make one system. The dialog opens on stave 3.
struct Fixture {
    Score score = test::makeScore(5);
    test::ScriptedUi ui;
    TransposeDialog dialog{score, 3, ui};
    Fixture() { score.stave(2).joinToNext = score.stave(3).joinToNext = true; }
};

TEST(TransposeDialog, TheIntervalAndTheDistanceFollowEachOther) {
    Fixture f;
    const auto& list = TransposeDialog::intervals();
    EXPECT_EQ(std::string(list[size_t(f.dialog.interval())]), "Unison");
    for (const auto& [distance, caption] : {std::pair{12, "One octave up"},
                                            {6, "Augmented 4th (tritone) up"},
                                            {1, "Minor 2nd up (semitone)"},
                                            {-5, "Perfect 4th down"},
                                            {-12, "Octave down"}}) {
        f.dialog.chooseInterval(
            int(std::find(list.begin(), list.end(), std::string_view(caption)) - list.begin()));
        EXPECT_EQ(f.dialog.distance(), distance) << caption;
        f.dialog.setDistance(0), f.dialog.setDistance(distance);
        EXPECT_EQ(std::string(list[size_t(f.dialog.interval())]), caption);
    }
    f.dialog.setDistance(15);
    EXPECT_EQ(f.dialog.distance(), 12) << "an octave at most";
}

TEST(TransposeDialog, AClefChangeKeepsTheExtentToTheCurrentStave) {
    Fixture f;
    f.dialog.chooseExtent(Extent::WholeScore);
    f.dialog.chooseClef(ClefBass);
    EXPECT_EQ(f.ui.lastText(), OneStaveWithClefChange);
    EXPECT_EQ(std::pair(f.dialog.extent(), f.dialog.clefTarget()),
              std::pair(Extent::CurrentStave, std::optional(1)));
    f.ui.messages.clear();
    f.dialog.chooseExtent(Extent::ThisSystem); // the reverse
    EXPECT_EQ(f.ui.lastText(), OneStaveWithClefChange);
    EXPECT_EQ(f.dialog.extent(), Extent::CurrentStave);
    f.ui.messages.clear();
    f.dialog.chooseClef(std::nullopt);
    f.dialog.chooseExtent(Extent::WholeScore);
    EXPECT_TRUE(f.ui.messages.empty());
}

TEST(TransposeDialog, DoItRefusesNothingAtAllAndAsksInTheProgramsWords) {
    const std::tuple<int, Extent, std::optional<int>, bool, const char*> cases[] = {
        {1, Extent::CurrentStave, {}, false, "this one stave by 1 semitone up\n\nwithout"},
        {-3, Extent::WholeScore, {}, true, "the whole score by 3 semitones down\n\nwith"},
        {12, Extent::ThisSystem, {}, false, "this system by 12 semitones up\n\nwithout"},
        {-1, Extent::CurrentStave, ClefTreble, false,
         "this one stave by 1 semitone down\n\n  all clef(s) changed to Treble (G)\n\nwithout"},
        {0, Extent::CurrentStave, ClefBass, true,
         "this one stave by 0 semitones down\n\n  all clef(s) changed to Bass (F)\n\nwith"},
        {2, Extent::CurrentStave, ClefAlto, false,
         "this one stave by 2 semitones up\n\n  all clef(s) changed to Alto (C)\n\nwithout"},
        {0, Extent::CurrentStave, ClefTenor, false,
         "this one stave by 0 semitones down\n\n  all clef(s) changed to Tenor (C)\n\nwithout"},
    };
    for (const auto& [distance, extent, clef, stems, text] : cases) {
        Fixture f;
        f.dialog.setDistance(distance), f.dialog.chooseExtent(extent), f.dialog.chooseClef(clef);
        f.dialog.adjustStems = stems;
        f.dialog.doIt();
        ASSERT_EQ(f.ui.messages.size(), stems ? 2u : 1u) << text;
        EXPECT_EQ(f.ui.messages[0].text,
                  std::string("You have chosen:\n\nTranspose ") + text + " automatic stem adjustments");
        EXPECT_EQ(f.ui.messages[0].buttons, ButtonYes | ButtonNo);
        EXPECT_EQ(f.ui.lastText(), stems ? StemsQuestion : f.ui.messages[0].text);
        EXPECT_TRUE(!f.dialog.isOpen() && f.dialog.chosen()) << "every question answered Yes";
    }
    Fixture f;
    f.dialog.doIt();
    EXPECT_EQ(f.ui.lastText(), NoDistanceRefusal);
    EXPECT_TRUE(f.dialog.isOpen() && !f.dialog.chosen()) << "the dialog stays for another choice";
    for (const std::deque<Button>& answers : {std::deque{ButtonNo}, std::deque{ButtonYes, ButtonNo}}) {
        Fixture g; // any No closes the dialog without a request
        g.dialog.adjustStems = true;
        g.ui.buttonAnswers = answers;
        g.dialog.doIt();
        EXPECT_TRUE(g.ui.buttonAnswers.empty() && !g.dialog.isOpen() && !g.dialog.chosen()) << answers.size();
    }
}

TEST(TransposeDialog, TheRequestCoversTheStavesOfTheExtent) {
    const std::tuple<Extent, std::optional<int>, int, int> cases[] = {{Extent::CurrentStave, ClefTenor, 3, 3},
                                                                      {Extent::ThisSystem, {}, 2, 4},
                                                                      {Extent::WholeScore, {}, 1, 5}};
    for (const auto& [extent, clef, first, last] : cases) {
        Fixture f;
        f.dialog.setDistance(-7), f.dialog.chooseClef(clef), f.dialog.chooseExtent(extent);
        f.dialog.adjustStems = true;
        f.dialog.doIt();
        ASSERT_TRUE(f.dialog.chosen()) << int(extent);
        const TransposeRequest& r = *f.dialog.chosen();
        EXPECT_EQ(std::tuple(r.distance, r.first, r.last, r.clefTarget, r.adjustStems),
                  std::tuple(-7, first, last, clef, true));
    }
}

} // namespace
} // namespace qv
