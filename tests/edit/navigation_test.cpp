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
        editor.page.currentStave = 1;
        editor.page.currentPage = 1;
    }
};

TEST(Goto, ClampedIntoRangeReportedBelowAdvancedAndTheTargetMadeCurrent) {
    struct Case {
        GotoTarget target;
        const char* typed;
        int level, stave, page;
        const char* message;
        const char* calls;
    };
    const Case cases[] = {
        {GotoTarget::Page, "0", 1, 1, 1, "Page  0 does not exist. Moving to page 1.", "tools; status"},
        {GotoTarget::Page, " 9 ", 2, 5, 2, "Page  9 does not exist. Moving to page 2.",
         "tools; page; status"},
        {GotoTarget::Page, "9", 3, 5, 2, nullptr, "tools; page; status"},
        {GotoTarget::Page, "2", 1, 5, 2, nullptr, "tools; page; status"},
        {GotoTarget::System, "3", 1, 5, 2, nullptr, "tools; page; status"},
        {GotoTarget::System, "2", 1, 3, 1, nullptr, "tools; stave 1 plain; stave 3 lit; status"},
        {GotoTarget::System, "7", 2, 5, 2, "System 7 does not exist. Moving to system 3.",
         "tools; page; status"},
        {GotoTarget::Stave, "4", 1, 4, 1, nullptr, "tools; stave 1 plain; stave 4 lit; status"},
        {GotoTarget::Stave, "-2", 1, 1, 1, "Stave -2 does not exist. Moving to stave 1.", "tools; status"},
        {GotoTarget::Stave, "99999999999", 1, 6, 2, "Stave 1000000 does not exist. Moving to stave 6.",
         "tools; page; status"},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.settings.Level = c.level;
        f.ui.inputAnswers = {std::string(c.typed)};
        gotoCommand(f.session, c.target);
        EXPECT_EQ(f.ui.prompts.size(), 1u);
        EXPECT_EQ(f.editor.currentStave(), c.stave) << c.typed;
        EXPECT_EQ(f.editor.currentPage(), c.page) << c.typed;
        EXPECT_EQ(f.ui.lastText(), c.message ? c.message : "") << c.typed;
        EXPECT_EQ(f.host.take(), c.calls) << c.typed;
    }
    Fixture f;
    gotoNumber(f.session, GotoTarget::Stave, 4);
    EXPECT_EQ(f.editor.page.drag.upper, f.score.stave(3).Ycoord) << "the drag limits of the new stave";
    EXPECT_TRUE(f.host.tools.sbPgDn.enabled) << "the tools of the new stave";
}

TEST(Goto, NotANumberOrCancelChangesNothing) {
    Fixture f;
    for (auto answer : {std::optional<std::string>("two"), std::optional<std::string>(""),
                        std::optional<std::string>("2x"), std::optional<std::string>()}) {
        f.ui.inputAnswers = {answer};
        gotoCommand(f.session, GotoTarget::Page);
    }
    EXPECT_EQ(f.ui.prompts, std::vector<std::string>(4, "Enter page to go to"));
    EXPECT_EQ(f.editor.currentPage(), 1);
    EXPECT_TRUE(f.ui.messages.empty());
    EXPECT_TRUE(f.host.calls.empty());
}

TEST(Goto, TopEndAndSteppingStayInsideTheScore) {
    Fixture f;
    gotoEnd(f.session);
    EXPECT_EQ(f.editor.currentStave(), 6);
    EXPECT_EQ(f.editor.cursorX, f.score.stave(6).LeftX + 20);
    f.host.calls.clear();
    stepPage(f.session, +1); // past the last page: nothing, not even a complaint
    EXPECT_EQ(f.editor.currentStave(), 6);
    EXPECT_TRUE(f.host.calls.empty());
    stepPage(f.session, -1);
    EXPECT_EQ(f.editor.currentStave(), 1);
    EXPECT_EQ(f.editor.currentPage(), 1);
    stepPage(f.session, -1);
    EXPECT_EQ(f.editor.currentPage(), 1);
    stepPage(f.session, +1);
    EXPECT_EQ(f.editor.currentStave(), 5);
    gotoTop(f.session);
    EXPECT_EQ(f.editor.currentStave(), 1);
    EXPECT_EQ(f.editor.currentPage(), 1);
    EXPECT_TRUE(f.ui.messages.empty());
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
    f.host.calls.clear();
    toggleHeaderFooterScreen(f.session);
    EXPECT_EQ(f.editor.currentStave(), 0);
    EXPECT_EQ(f.editor.currentPage(), 0);
    EXPECT_EQ(f.editor.mode, ModeHeadFoot);
    EXPECT_EQ(f.ui.busyCalls, (std::vector<bool>{true, false}));
    EXPECT_EQ(f.host.take(),
              "page; HeadFoot; ptr 15; prompts off; click; tools; HeadFoot in colour; caption close; status");
    EXPECT_EQ(statusLine(f.editor, f.score), "Header/Footer screen. 0 objects.");
    stepPage(f.session, -1); // paging does nothing inside the screen
    gotoNumber(f.session, GotoTarget::Stave, 2);
    EXPECT_EQ(f.editor.currentPage(), 0);

    toggleHeaderFooterScreen(f.session);
    EXPECT_EQ(f.editor.currentPage(), 2);
    EXPECT_EQ(f.editor.currentStave(), 5);
    EXPECT_EQ(f.editor.mode, ModeMusic);
    EXPECT_EQ(f.host.take(),
              "tools; page; caption define; Music; ptr 0; prompts off; stave 5 lit; click; tools; "
              "Music in colour; status");
}

TEST(StatusLine, NamesPageSystemAndStaveAndNearestStaveKeepsToThePage) {
    Fixture f;
    test::append(f.score.stave(4), test::makeNote(40, 0));
    f.editor.page.currentStave = 4;
    EXPECT_EQ(statusLine(f.editor, f.score), "Page 1 of 2   System 2 of 3   Stave 4 of 6:  1 objects.");
    EXPECT_EQ(statusLine(f.editor, f.score, true),
              "Copy to: Page 1 of 2   System 2 of 3   Stave 4 of 6:  1 objects.");

    const int y3 = f.score.stave(3).Ycoord;
    EXPECT_EQ(nearestStave(f.score, 1, y3 + 5), 3);
    EXPECT_EQ(nearestStave(f.score, 1, y3 + 24), 3) << "the first among equals";
    EXPECT_EQ(nearestStave(f.score, 1, -1000), 1);
    EXPECT_EQ(nearestStave(f.score, 2, y3), 5); // staves 5 and 6 alone are on page 2
    EXPECT_EQ(nearestStave(f.score, 3, 0), 0);
}

TEST(PreviewPages, SpreadsOfEvenLeftAndOddRight) {
    PreviewPages one(1, 1);
    one.forward();
    one.back();
    EXPECT_EQ(one.label(), "Page 1");
    EXPECT_EQ(one.right(), 1);
    EXPECT_EQ(one.left(), 0);
    EXPECT_FALSE(one.canGoBack() || one.canGoForward());

    PreviewPages five(3, 5);
    EXPECT_EQ(five.label(), "Pages 2 - 3");
    five.forward();
    five.forward();
    EXPECT_EQ(five.label(), "Pages 4 - 5");
    EXPECT_FALSE(five.canGoForward());
    five.back();
    five.back();
    five.back();
    EXPECT_EQ(five.label(), "Page 1");
    EXPECT_FALSE(five.canGoBack());

    PreviewPages four(4, 4);
    EXPECT_EQ(four.label(), "Page 4");
    EXPECT_EQ(four.right(), 0);
    EXPECT_TRUE(four.canGoBack());
    EXPECT_EQ(PreviewPages(9, 4).left(), 4) << "a page past the end shows the last spread";
}

} // namespace
} // namespace qv
