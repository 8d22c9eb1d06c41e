// The "Transposing" dialog's model: the interval list and the distance following
// each other, the clef change kept to one stave, the questions of "&Do it!" word
// for word, and the staves of the request for each extent.

#include "layout/pagination.h"
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
    EXPECT_EQ(std::string(TransposeDialog::intervals()[size_t(f.dialog.interval())]), "Unison");
    EXPECT_EQ(f.dialog.distance(), 0);
    // Distance set → entry shown, and that entry chosen → the same distance back.
    const std::pair<int, const char*> cases[] = {
        {12, "One octave up"},   {7, "Perfect 5th up"},          {6, "Augmented 4th (tritone) up"},
        {1, "Minor 2nd up (semitone)"}, {-1, "Minor 2nd down (semitone)"}, {-5, "Perfect 4th down"},
        {-11, "Major 7th down"}, {-12, "Octave down"},
    };
    const auto& list = TransposeDialog::intervals();
    for (const auto& [distance, caption] : cases) {
        f.dialog.setDistance(distance);
        EXPECT_EQ(std::string(list[size_t(f.dialog.interval())]), caption) << distance;
        f.dialog.setDistance(0);
        const auto entry = std::find(list.begin(), list.end(), std::string_view(caption)) - list.begin();
        f.dialog.chooseInterval(int(entry));
        EXPECT_EQ(f.dialog.distance(), distance) << caption;
    }
    f.dialog.setDistance(15);
    EXPECT_EQ(f.dialog.distance(), 12) << "an octave at most";
    f.dialog.chooseInterval(30);
    EXPECT_EQ(f.dialog.distance(), -12);
}

TEST(TransposeDialog, AClefChangeKeepsTheExtentToTheCurrentStave) {
    Fixture f;
    f.dialog.chooseExtent(Extent::WholeScore);
    f.dialog.chooseClef(ClefBass); // a clef change while the whole score is chosen
    EXPECT_EQ(f.ui.lastText(), OneStaveWithClefChange);
    EXPECT_EQ(f.dialog.extent(), Extent::CurrentStave);
    EXPECT_EQ(f.dialog.clefTarget(), ClefBass) << "the clef change stays chosen";
    for (Extent wider : {Extent::WholeScore, Extent::ThisSystem}) { // and the reverse
        f.ui.messages.clear();
        f.dialog.chooseExtent(wider);
        EXPECT_EQ(f.ui.lastText(), OneStaveWithClefChange);
        EXPECT_EQ(f.dialog.extent(), Extent::CurrentStave);
    }
    f.ui.messages.clear();
    f.dialog.chooseClef(std::nullopt);
    f.dialog.chooseExtent(Extent::ThisSystem);
    f.dialog.chooseClef(9); // not a clef type: no change
    EXPECT_TRUE(f.ui.messages.empty());
    EXPECT_EQ(f.dialog.extent(), Extent::ThisSystem);
}

struct Case {
    int distance;
    Extent extent;
    std::optional<int> clef;
    bool stems;
    const char* text;
};

TEST(TransposeDialog, DoItRefusesNothingAtAllAndAsksInTheProgramsWords) {
    const Case cases[] = {
        {1, Extent::CurrentStave, {}, false,
         "You have chosen:\n\nTranspose this one stave by 1 semitone up\n\nwithout automatic stem adjustments"},
        {-3, Extent::WholeScore, {}, true,
         "You have chosen:\n\nTranspose the whole score by 3 semitones down\n\nwith automatic stem adjustments"},
        {12, Extent::ThisSystem, {}, false,
         "You have chosen:\n\nTranspose this system by 12 semitones up\n\nwithout automatic stem adjustments"},
        {-1, Extent::CurrentStave, ClefTreble, false,
         "You have chosen:\n\nTranspose this one stave by 1 semitone down\n\n  all clef(s) changed to Treble (G)"
         "\n\nwithout automatic stem adjustments"},
        {0, Extent::CurrentStave, ClefBass, true,
         "You have chosen:\n\nTranspose this one stave by 0 semitones down\n\n  all clef(s) changed to Bass (F)"
         "\n\nwith automatic stem adjustments"},
        {2, Extent::CurrentStave, ClefAlto, false,
         "You have chosen:\n\nTranspose this one stave by 2 semitones up\n\n  all clef(s) changed to Alto (C)"
         "\n\nwithout automatic stem adjustments"},
        {0, Extent::CurrentStave, ClefTenor, false,
         "You have chosen:\n\nTranspose this one stave by 0 semitones down\n\n  all clef(s) changed to Tenor (C)"
         "\n\nwithout automatic stem adjustments"},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.dialog.setDistance(c.distance);
        f.dialog.chooseExtent(c.extent);
        f.dialog.chooseClef(c.clef);
        f.dialog.adjustStems = c.stems;
        f.dialog.doIt();
        ASSERT_FALSE(f.ui.messages.empty()) << c.text;
        EXPECT_EQ(f.ui.messages[0].text, c.text);
        EXPECT_EQ(f.ui.messages[0].buttons, ButtonYes | ButtonNo);
        EXPECT_EQ(f.ui.messages.size(), c.stems ? 2u : 1u) << "the stems question follows only with stems";
        EXPECT_FALSE(f.dialog.isOpen());
        EXPECT_TRUE(f.dialog.chosen().has_value()) << "every question answered Yes";
    }

    Fixture f;
    f.dialog.doIt();
    EXPECT_EQ(f.ui.lastText(), NoDistanceRefusal);
    EXPECT_TRUE(f.dialog.isOpen()) << "the dialog stays for another choice";
    EXPECT_FALSE(f.dialog.chosen());
}

TEST(TransposeDialog, AnyNoClosesWithoutARequest) {
    for (const std::deque<Button>& answers :
         {std::deque<Button>{ButtonNo}, std::deque<Button>{ButtonYes, ButtonNo}, std::deque<Button>{ButtonNone}}) {
        Fixture f;
        f.dialog.setDistance(4);
        f.dialog.adjustStems = true;
        f.ui.buttonAnswers = answers;
        f.dialog.doIt();
        EXPECT_FALSE(f.dialog.isOpen());
        EXPECT_FALSE(f.dialog.chosen());
        EXPECT_EQ(f.ui.messages.size(), answers.size());
        EXPECT_EQ(f.ui.lastText(), answers.size() == 2 ? StemsQuestion : f.dialog.confirmation());
    }
}

TEST(TransposeDialog, TheRequestCoversTheStavesOfTheExtent) {
    const std::tuple<Extent, std::optional<int>, int, int> cases[] = {
        {Extent::CurrentStave, ClefTenor, 3, 3},
        {Extent::ThisSystem, std::nullopt, 2, 4},
        {Extent::WholeScore, std::nullopt, 1, 5},
    };
    for (const auto& [extent, clef, first, last] : cases) {
        Fixture f;
        f.dialog.setDistance(-7);
        f.dialog.chooseClef(clef);
        f.dialog.chooseExtent(extent);
        f.dialog.adjustStems = true;
        f.dialog.doIt();
        ASSERT_TRUE(f.dialog.chosen()) << int(extent);
        const TransposeRequest& r = *f.dialog.chosen();
        EXPECT_EQ(std::tuple(r.distance, r.first, r.last, r.clefTarget, r.adjustStems),
                  std::tuple(-7, first, last, clef, true));
    }
    Fixture f; // a lone stave is a system of its own
    TransposeDialog lone(f.score, 5, f.ui);
    lone.chooseExtent(Extent::ThisSystem);
    EXPECT_EQ(std::pair(lone.firstStave(), lone.lastStave()), std::pair(5, 5));
    lone.cancel();
    EXPECT_FALSE(lone.isOpen() || lone.chosen());
}

} // namespace
} // namespace qv
