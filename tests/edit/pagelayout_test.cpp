// "Page Layout...": the dialog's page carried to the staves and the pages.

#include "edit/pagelayout.h"
#include "layout/staves.h"
#include "print/pagesetup.h"
#include "recordinghost.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using F = PageSetupDialog::Field;

// Twelve staves on one page; no printer, so the standard sheet (8 x 11 inches,
// 0.6-inch strips) is what the page is held against, and its values are kept.
struct Fixture : test::Session {
    Fixture() : Session(12) {
        editor.mode = ModeMusic;
        editor.page.currentStave = 5;
        score.undo.open(100);
    }
    // The dialog closed with OK after the fields were typed.
    void layout(std::vector<std::pair<F, const char*>> typed, std::deque<Button> answers) {
        ui.buttonAnswers = std::move(answers);
        ui.pageSetupScript = [typed](PageSetupDialog& d) {
            for (const auto& [f, text] : typed)
                d.setText(f, text);
            return d.accept();
        };
        pageLayout(session, nullptr);
    }
};

TEST(PageLayout, ANarrowerShorterPageNarrowsTheStavesAndRepaginates) {
    Fixture f;
    f.ui.pageSetupScript = [](PageSetupDialog& d) {
        d.setText(F::Length, "6");
        d.cancel();
        return false;
    };
    pageLayout(f.session, nullptr);
    EXPECT_EQ(f.score.page, PageData{});
    EXPECT_FALSE(f.score.modified);
    EXPECT_EQ(f.host.take(), "");

    f.layout({{F::Length, "6"}, {F::Right, "1.5"}}, {ButtonNo, ButtonOk});
    ASSERT_GE(f.ui.messages.size(), 2u);
    const std::string tooWide = "Your page width is 8.250\", printer maximum is 8.000\".\n";
    EXPECT_EQ(f.ui.messages[0].text.substr(0, tooWide.size()), tooWide);
    EXPECT_EQ(f.ui.messages[1].text, SaveAnywayQuestion);
    EXPECT_DOUBLE_EQ(f.score.page.Length, 6.0);
    EXPECT_EQ(usableStaveWidth(f.score), 600);
    for (int s = 1; s <= 12; ++s)
        EXPECT_EQ(f.score.stave(s).RightX, 595) << s;
    EXPECT_GT(f.editor.page.pages, 1) << "480 page units to a page now";
    EXPECT_EQ(f.editor.page.currentPage, f.score.stave(5).PageNum);
    EXPECT_TRUE(f.score.modified);
    EXPECT_NE(f.host.take().find("page"), std::string::npos) << "the page drawn anew";
}

TEST(PageLayout, AWiderPageAsksToWidenTheStavesAndAbortPutsTheOldPageBack) {
    Fixture f;
    const Stave before = f.score.stave(3);
    f.layout({{F::Left, "0.25"}, {F::Right, "0.25"}}, {ButtonNo, ButtonOk, ButtonAbort});
    EXPECT_EQ(f.ui.lastText(), WidenQuestion);
    EXPECT_EQ(f.score.page, PageData{});
    EXPECT_TRUE(f.score.stave(3) == before);
    EXPECT_FALSE(f.score.modified);

    f.ui.messages.clear();
    f.layout({{F::Left, "0.25"}, {F::Right, "0.25"}}, {ButtonNo, ButtonOk, ButtonYes, ButtonNo});
    EXPECT_EQ(f.ui.lastText(), SpreadQuestion);
    EXPECT_DOUBLE_EQ(f.score.page.LeftM, 0.25);
    EXPECT_EQ(f.score.stave(3).RightX, before.RightX + 48) << "744 page units across instead of 696";
    EXPECT_EQ(f.editor.page.pages, 1) << "the height is as it was";
}

} // namespace
} // namespace qv
