// Going to pages, systems and staves, the header/footer screen, the status line
// and the print preview's spreads.

#include "edit/navigation.h"
#include "edit/previewpages.h"
#include "recordinghost.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// Six staves in three systems of two, two systems on page 1 and one on page 2.
struct Fixture {
    Score score = test::makeScore(6);
    Editor editor;
    Settings settings;
    test::ScriptedUi ui;
    test::RecordingHost host;
    EditSession session{score, editor, settings, ui, host};

    Fixture() {
        for (int s : {1, 3, 5})
            score.stave(s).joinToNext = true;
        score.stave(5).PageNum = 2;
        score.stave(6).PageNum = 2;
        editor.mode = ModeMusic;
        editor.page.pages = 2;
    }
};

TEST(Goto, PagesOutOfRangeAreClampedAndReportedBelowAdvanced) {
    Fixture f;
    f.ui.inputAnswers = {std::string("0")};
    gotoCommand(f.session, GotoTarget::Page);
    ASSERT_EQ(f.ui.prompts, std::vector<std::string>{"Enter page to go to"});
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_EQ(f.ui.messages[0].text, "Page  0 does not exist. Moving to page 1.");
    EXPECT_EQ(f.editor.currentPage(), 1);

    f.ui.inputAnswers = {std::string(" 9 ")};
    gotoCommand(f.session, GotoTarget::Page);
    EXPECT_EQ(f.ui.messages.back().text, "Page  9 does not exist. Moving to page 2.");
    EXPECT_EQ(f.editor.currentPage(), 2);
    EXPECT_EQ(f.editor.currentStave(), 5);
    EXPECT_TRUE(f.host.saw("show page"));

    Fixture advanced;
    advanced.settings.Level = 3;
    advanced.ui.inputAnswers = {std::string("9")};
    gotoCommand(advanced.session, GotoTarget::Page);
    EXPECT_TRUE(advanced.ui.messages.empty());
    EXPECT_EQ(advanced.editor.currentPage(), 2);
}

TEST(Goto, NotANumberLeavesThePageAlone) {
    Fixture f;
    for (auto answer : {std::optional<std::string>("two"), std::optional<std::string>(""),
                        std::optional<std::string>("2x"), std::optional<std::string>()}) {
        f.ui.inputAnswers = {answer};
        gotoCommand(f.session, GotoTarget::Page);
    }
    EXPECT_EQ(f.editor.currentPage(), 1);
    EXPECT_TRUE(f.ui.messages.empty());
    EXPECT_FALSE(f.host.saw("show page"));
}

TEST(Goto, SystemsAndStavesShowTheirPage) {
    Fixture f;
    gotoNumber(f.session, GotoTarget::System, 3);
    EXPECT_EQ(f.editor.currentStave(), 5);
    EXPECT_EQ(f.editor.currentPage(), 2);
    gotoNumber(f.session, GotoTarget::Stave, 4);
    EXPECT_EQ(f.editor.currentStave(), 4);
    EXPECT_EQ(f.editor.currentPage(), 1);
    gotoNumber(f.session, GotoTarget::System, 7);
    EXPECT_EQ(f.ui.messages.back().text, "System 7 does not exist. Moving to system 3.");
    EXPECT_EQ(f.editor.currentStave(), 5);
    gotoNumber(f.session, GotoTarget::Stave, -2);
    EXPECT_EQ(f.ui.messages.back().text, "Stave -2 does not exist. Moving to stave 1.");
    EXPECT_EQ(f.editor.currentStave(), 1);
}

TEST(Goto, TopEndAndStepping) {
    Fixture f;
    gotoEnd(f.session);
    EXPECT_EQ(f.editor.currentStave(), 6);
    EXPECT_EQ(f.editor.cursorX, f.score.stave(6).LeftX + 20);
    stepPage(f.session, +1); // past the last page: nothing
    EXPECT_EQ(f.editor.currentStave(), 6);
    stepPage(f.session, -1);
    EXPECT_EQ(f.editor.currentPage(), 1);
    EXPECT_EQ(f.editor.currentStave(), 1);
    stepPage(f.session, -1);
    EXPECT_EQ(f.editor.currentPage(), 1);
    stepPage(f.session, +1);
    EXPECT_EQ(f.editor.currentStave(), 5);
    gotoTop(f.session);
    EXPECT_EQ(f.editor.currentStave(), 1);
    EXPECT_EQ(f.editor.currentPage(), 1);
}

TEST(HeaderFooterScreen, RefusedWhenBothStripsAreTooSmall) {
    Fixture f;
    f.score.page.Header = 0.05;
    f.score.page.Footer = 0.0;
    toggleHeaderFooterScreen(f.session);
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_EQ(f.ui.messages[0].text,
              "Header and footer size are too small. Size must be at least 0.10\" (2.5mm)\n\n"
              "First set at least one of these with Page Layout.\n\n"
              "Current header is set to 0.05\" (1.3mm)\nand current footer to 0.00\" (0.0mm).");
    EXPECT_EQ(f.editor.currentStave(), 1);
    EXPECT_EQ(f.editor.mode, ModeMusic);
}

TEST(HeaderFooterScreen, OpensOnStaveZeroAndRestoresThePage) {
    Fixture f;
    f.score.page.Footer = 0.5;
    gotoNumber(f.session, GotoTarget::Page, 2);
    toggleHeaderFooterScreen(f.session);
    EXPECT_EQ(f.editor.currentStave(), 0);
    EXPECT_EQ(f.editor.currentPage(), 0);
    EXPECT_EQ(f.editor.mode, ModeHeadFoot);
    EXPECT_TRUE(f.host.saw("caption close HF"));
    EXPECT_EQ(statusLine(f.editor, f.score), "Header/Footer screen. 0 objects.");
    // Paging does nothing inside the screen.
    stepPage(f.session, -1);
    EXPECT_EQ(f.editor.currentPage(), 0);

    toggleHeaderFooterScreen(f.session);
    EXPECT_EQ(f.editor.currentPage(), 2);
    EXPECT_EQ(f.editor.currentStave(), 5);
    EXPECT_EQ(f.editor.mode, ModeMusic);
    EXPECT_TRUE(f.host.saw("caption define HF"));
}

TEST(StatusLine, NamesPageSystemAndStave) {
    Fixture f;
    test::append(f.score.stave(4), test::makeNote(40, 0));
    f.editor.page.currentStave = 4;
    EXPECT_EQ(statusLine(f.editor, f.score), "Page 1 of 2   System 2 of 3   Stave 4 of 6:  1 objects.");
    EXPECT_EQ(statusLine(f.editor, f.score, true),
              "Copy to: Page 1 of 2   System 2 of 3   Stave 4 of 6:  1 objects.");
}

TEST(NearestStave, OnlyStavesOfThePageCount) {
    Fixture f;
    const int y3 = f.score.stave(3).Ycoord;
    EXPECT_EQ(nearestStave(f.score, 1, y3 + 5), 3);
    EXPECT_EQ(nearestStave(f.score, 1, -1000), 1);
    EXPECT_EQ(nearestStave(f.score, 2, y3), 5); // staves 5 and 6 alone are on page 2
    EXPECT_EQ(nearestStave(f.score, 3, 0), 0);
}

TEST(PreviewPages, SpreadsOfEvenLeftAndOddRight) {
    PreviewPages one(1, 1);
    EXPECT_EQ(one.label(), "Page 1");
    EXPECT_FALSE(one.canGoBack());
    EXPECT_FALSE(one.canGoForward());
    one.forward();
    one.back();
    EXPECT_EQ(one.right(), 1);
    EXPECT_EQ(one.left(), 0);

    PreviewPages five(3, 5);
    EXPECT_EQ(five.label(), "Pages 2 - 3");
    five.forward();
    EXPECT_EQ(five.label(), "Pages 4 - 5");
    EXPECT_FALSE(five.canGoForward());
    five.forward();
    EXPECT_EQ(five.left(), 4);
    five.back();
    five.back();
    EXPECT_EQ(five.label(), "Page 1");
    EXPECT_FALSE(five.canGoBack());

    PreviewPages four(4, 4);
    EXPECT_EQ(four.label(), "Page 4");
    EXPECT_EQ(four.right(), 0);
}

} // namespace
} // namespace qv
