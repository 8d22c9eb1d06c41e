// "Page Layout...": the dialog's page carried to the staves and the pages.

#include "edit/pagelayout.h"
#include "layout/staves.h"
#include "print/pagesetup.h"
#include "recordinghost.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using F = PageSetupDialog::Field;

// Twelve staves on one page. Without a printer the page is held against the
// standard sheet (8 x 11 inches) and, asked, kept anyway.
struct Fixture : test::Session {
    Fixture() : Session(12) {
        editor.mode = ModeMusic;
        editor.page.currentStave = 5;
        score.undo.open(100);
    }
    void layout(std::vector<std::pair<F, const char*>> typed, std::deque<Button> answers, bool ok = true) {
        ui.messages.clear();
        ui.buttonAnswers = std::move(answers);
        ui.pageSetupScript = [typed, ok](PageSetupDialog& d) {
            for (const auto& [f, text] : typed)
                d.setText(f, text);
            d.setFacing(true);
            return ok ? d.accept() : (d.cancel(), false);
        };
        pageLayout(session, nullptr);
    }
};

TEST(PageLayout, ANarrowerShorterPageNarrowsTheStavesAndRepaginates) {
    Fixture f;
    f.layout({{F::Length, "6"}}, {}, false);
    EXPECT_TRUE(f.score.page == PageData{} && !f.score.Facing && !f.score.modified && f.host.take().empty());

    f.layout({{F::Length, "6"}, {F::Right, "1.5"}}, {ButtonNo, ButtonOk});
    EXPECT_EQ(f.ui.lastText(), SaveAnywayQuestion);
    EXPECT_TRUE(f.score.page.Length == 6.0 && f.score.Facing);
    for (int s = 1; s <= 12; ++s)
        EXPECT_EQ(f.score.stave(s).RightX, 600 - 5) << s;
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
    EXPECT_TRUE(f.score.page == PageData{} && !f.score.Facing && f.score.stave(3) == before &&
                !f.score.modified);

    f.layout({{F::Left, "0.25"}, {F::Right, "0.25"}}, {ButtonNo, ButtonOk, ButtonYes, ButtonNo});
    EXPECT_EQ(f.ui.lastText(), SpreadQuestion);
    EXPECT_EQ(f.score.stave(3).RightX, before.RightX + 48) << "744 page units across instead of 696";
    EXPECT_EQ(f.editor.page.pages, 1) << "the height is as it was";
}

} // namespace
} // namespace qv
