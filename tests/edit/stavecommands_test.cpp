// The window's stave commands: the quick binding key, the stave size and the
// binding dialog.

#include "edit/bindingdialog.h"
#include "edit/stavecommands.h"
#include "layout/staves.h"
#include "recordinghost.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

struct Fixture : test::Session {
    Fixture() : Session(3) {
        editor.mode = ModeMusic;
        editor.page.currentStave = editor.page.currentPage = 1;
        score.undo.open(100);
    }
};

TEST(StaveCommands, TheBindingKeyCyclesBracketBraceAndBackToUnbound) {
    Fixture f;
    const BindingFlags first = BindingFlags::of(f.score.stave(1));
    const BindingFlags below = BindingFlags::of(f.score.stave(2));
    f.score.stave(1).fullEndBar = true;
    f.type("[");
    const Stave& st = f.score.stave(1);
    EXPECT_EQ(BindingFlags::of(st), (BindingFlags{.joinToNext = true, .bracketWithNext = true, .bracket = true}));
    EXPECT_TRUE(f.score.stave(2).bracket) << "the stave below joins the bracket";
    EXPECT_EQ(SystemExtent(f.score, 1).last, 2);
    f.type("[");
    EXPECT_EQ(BindingFlags::of(st), (BindingFlags{.joinToNext = true, .brace = true, .barLineThrough = true}));
    EXPECT_FALSE(f.score.stave(2).bracket);
    f.type("[");
    EXPECT_EQ(BindingFlags::of(st), first);
    EXPECT_EQ(BindingFlags::of(f.score.stave(2)), below);
    EXPECT_EQ(f.score.undo.live(), 6) << "each press one step of two records";

    f.editor.page.currentStave = 3;
    f.type("[");
    EXPECT_EQ(f.ui.captions, std::vector<std::string>{BindCaption});
    EXPECT_EQ(f.ui.lastText(), BindLastStaveMessage);
    EXPECT_FALSE(f.score.stave(3).joinToNext);
}

TEST(StaveCommands, HalvingTheStaveSizeDoublesTheWidthAndSpreadsTheObjects) {
    Fixture f;
    f.score.StvSiz = 0.5;
    const int width = usableStaveWidth(f.score);
    for (int s = 1; s <= 3; ++s) {
        f.score.stave(s).RightX = static_cast<std::int16_t>(width);
        test::append(f.score.stave(s), test::makeNote(40 * s, 0));
        test::append(f.score.stave(s), test::makeRest(width - 10 * s));
    }
    const Stave before = f.score.stave(2);
    f.ui.inputAnswers = {"1/4"};
    f.ui.buttonAnswers = {ButtonYes, ButtonYes};
    staveSize(f.session);
    EXPECT_EQ(f.ui.messages.size(), 2u) << "asked to widen and to spread";
    EXPECT_TRUE(f.score.StvSiz == 0.25 && usableStaveWidth(f.score) == 2 * width);
    const Stave& after = f.score.stave(2);
    EXPECT_EQ(after.RightX, 2 * before.RightX);
    for (int j = 1; j <= 2; ++j)
        EXPECT_EQ(after.object(j).x() - after.LeftX, 2 * (before.object(j).x() - before.LeftX)) << j;

    // Back to the larger size the rest would fall off the paper: refused, size restored.
    f.ui.messages.clear();
    f.ui.inputAnswers = {"0.5"};
    staveSize(f.session);
    EXPECT_EQ(f.ui.lastText(), formatMessage(NarrowRefusal, "1, 2, 3"));
    EXPECT_DOUBLE_EQ(f.score.StvSiz, 0.25);
    EXPECT_TRUE(f.score.stave(2) == after);

    f.ui.inputAnswers = {"0.1"};
    staveSize(f.session);
    EXPECT_EQ(f.ui.captions.back(), ResetSizeCaption);
    EXPECT_EQ(f.ui.lastText(), PageTooLargeMessage);
    EXPECT_DOUBLE_EQ(f.score.StvSiz, 0.25);
}

TEST(StaveCommands, TheBindingDialogRunsBracketsDownAndAPageBreakRepaginates) {
    Fixture f;
    f.score.stave(1).bracketWithNext = f.score.stave(1).bracket = f.score.stave(2).bracket = true;
    f.score.stave(3).bracket = true;
    f.ui.bindingScript = [](BindingDialog& d) {
        EXPECT_TRUE(d.joinOffered());
        d.flags.bracket = false;
        d.flags.bracketWithNext = true;
        return true;
    };
    bindingDialogFor(f.session, 2);
    EXPECT_FALSE(f.score.stave(3).bracket) << "the stave below takes the bracket of the one above";
    EXPECT_FALSE(f.score.stave(1).bracketWithNext) << "no bracket to join above";
    const int records = f.score.undo.live();
    f.ui.bindingScript = [](BindingDialog&) { return false; };
    bindingDialogFor(f.session, 2);
    EXPECT_EQ(f.score.undo.live(), records) << "cancelled: nothing recorded";
    f.ui.bindingScript = [](BindingDialog& d) { return d.flags.ForcedBk = true; };
    bindingDialogFor(f.session, 2);
    EXPECT_EQ(f.score.stave(3).PageNum, 2);
    EXPECT_EQ(f.editor.page.pages, 2);
    f.ui.bindingScript = [](BindingDialog& d) { return !d.joinOffered() && (d.flags.joinToNext = true); };
    bindingDialogFor(f.session, 3);
    EXPECT_FALSE(f.score.stave(3).joinToNext) << "the last stave has nothing to join";
}

} // namespace
} // namespace qv
