// Going to pages, systems and staves, the header/footer screen, the status line
// and the print preview's spreads.

#include "edit/navigation.h"
#include "files/loader.h"
#include "files/scorefile.h"
#include "layout/pagination.h"
#include "support/scratchfolder.h"
#include "support/scriptedui.h"
#include "edit/previewpages.h"
#include "recordinghost.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qv {
namespace {

// Six staves in three systems of two, two systems on page 1 and one on page 2.
struct Fixture : test::Session {
    Fixture() : Session(6) {
        score.stave(1).joinToNext = score.stave(3).joinToNext = score.stave(5).joinToNext = true;
        score.stave(5).PageNum = score.stave(6).PageNum = 2;
        editor.mode = ModeMusic;
        editor.page.currentStave = editor.page.currentPage = 1;
    }
    std::string at() const {
        return "stave " + std::to_string(editor.currentStave()) + " page " + std::to_string(editor.currentPage()) +
               " " + modeInfo(editor.mode).label;
    }
};

// Typed into the goto box (nullptr: cancelled) at a level: where the editor ends, what it says, and
// what the window was asked.
TEST(Goto, ClampedIntoRangeReportedBelowAdvancedAndTheTargetMadeCurrentNotANumberChangesNothing) {
    using enum GotoTarget;
    const std::tuple<GotoTarget, const char*, int, const char*, const char*, const char*> cases[] = {
        {Page, "0", 1, "stave 1 page 1", "Page  0 does not exist. Moving to page 1.", "tools; status"},
        {Page, " 9 ", 2, "stave 5 page 2", "Page  9 does not exist. Moving to page 2.", "tools; page; status"},
        {Page, "9", 3, "stave 5 page 2", "", "tools; page; status"},
        {Page, "2", 1, "stave 5 page 2", "", "tools; page; status"},
        {System, "3", 1, "stave 5 page 2", "", "tools; page; status"},
        {System, "2", 1, "stave 3 page 1", "", "tools; stave 1 plain; stave 3 lit; status"},
        {System, "7", 2, "stave 5 page 2", "System 7 does not exist. Moving to system 3.", "tools; page; status"},
        {Stave, "4", 1, "stave 4 page 1", "", "tools; stave 1 plain; stave 4 lit; status"},
        {Stave, "-2", 1, "stave 1 page 1", "Stave -2 does not exist. Moving to stave 1.", "tools; status"},
        {Stave, "99999999999", 1, "stave 6 page 2", "Stave 1000000 does not exist. Moving to stave 6.",
         "tools; page; status"},
        {Page, "two", 1, "stave 1 page 1", "", ""}, {Page, "", 1, "stave 1 page 1", "", ""},
        {Page, "2x", 1, "stave 1 page 1", "", ""}, {Page, nullptr, 1, "stave 1 page 1", "", ""},
    };
    for (const auto& [target, typed, level, where, message, calls] : cases) {
        Fixture f;
        f.settings.Level = level;
        f.ui.inputAnswers = {typed ? std::optional<std::string>(typed) : std::nullopt};
        gotoCommand(f.session, target);
        const char* what = typed ? typed : "cancel";
        EXPECT_EQ(f.ui.prompts.size(), 1u);
        EXPECT_EQ(f.at(), where + std::string(" Music")) << what;
        EXPECT_EQ(f.ui.lastText(), message) << what;
        EXPECT_EQ(f.host.take(), calls) << what;
    }
    Fixture f;
    gotoNumber(f.session, GotoTarget::Stave, 4);
    EXPECT_EQ(f.editor.page.drag.upper, f.score.stave(3).Ycoord) << "the drag limits of the new stave";
    EXPECT_TRUE(f.host.tools.sbPgDn.enabled) << "the tools of the new stave";
}

TEST(Goto, TopEndAndSteppingStayInsideTheScoreAndTheStatusLineNamesTheStave) {
    Fixture f;
    gotoEnd(f.session);
    EXPECT_EQ(f.at(), "stave 6 page 2 Music");
    EXPECT_EQ(f.editor.cursorX, f.score.stave(6).LeftX + 20);
    f.host.calls.clear();
    stepPage(f.session, +1); // past the last page: nothing, not even a complaint
    EXPECT_EQ(f.at(), "stave 6 page 2 Music");
    EXPECT_TRUE(f.host.calls.empty());
    for (const auto& [step, where] : {std::pair{-1, "stave 1 page 1 Music"}, {-1, "stave 1 page 1 Music"},
                                      {+1, "stave 5 page 2 Music"}}) {
        stepPage(f.session, step);
        EXPECT_EQ(f.at(), where);
    }
    gotoTop(f.session);
    EXPECT_EQ(f.at(), "stave 1 page 1 Music");
    EXPECT_TRUE(f.ui.messages.empty());
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

TEST(HeaderFooterScreen, RefusedWhenBothStripsAreTooSmallElseOpensOnStaveZeroAndRestoresThePage) {
    Fixture f;
    f.score.page.Header = 0.05;
    f.score.page.Footer = 0.0;
    toggleHeaderFooterScreen(f.session);
    EXPECT_EQ(f.ui.lastText(),
              "Header and footer size are too small. Size must be at least 0.10\" (2.5mm)\n\n"
              "First set at least one of these with Page Layout.\n\n"
              "Current header is set to 0.05\" (1.3mm)\nand current footer to 0.00\" (0.0mm).");
    EXPECT_EQ(f.at(), "stave 1 page 1 Music");
    f.score.page.Footer = 0.5;
    gotoNumber(f.session, GotoTarget::Page, 2);
    f.host.calls.clear();
    toggleHeaderFooterScreen(f.session);
    EXPECT_EQ(f.at(), "stave 0 page 0 HeadFoot");
    EXPECT_EQ(f.ui.busyCalls, (std::vector<bool>{true, false}));
    EXPECT_EQ(f.host.take(),
              "page; HeadFoot; ptr 15; prompts off; click; tools; HeadFoot in colour; caption close; status");
    EXPECT_EQ(statusLine(f.editor, f.score), "Header/Footer screen. 0 objects.");
    stepPage(f.session, -1); // paging does nothing inside the screen
    gotoNumber(f.session, GotoTarget::Stave, 2);
    EXPECT_EQ(f.editor.currentPage(), 0);
    toggleHeaderFooterScreen(f.session);
    EXPECT_EQ(f.at(), "stave 5 page 2 Music");
    EXPECT_EQ(f.host.take(), "tools; page; caption define; Music; ptr 0; prompts off; stave 5 lit; click; tools; "
                             "Music in colour; status");
    EXPECT_EQ(f.ui.messages.size(), 1u);
}

// A spread in words: its label, left and right page, and whether it can go back and forward.
std::string spread(const PreviewPages& p) {
    return p.label() + " " + std::to_string(p.left()) + "|" + std::to_string(p.right()) +
           (p.canGoBack() ? " <" : "") + (p.canGoForward() ? " >" : "");
}

TEST(PreviewPages, SpreadsOfEvenLeftAndOddRight) {
    PreviewPages one(1, 1), five(3, 5);
    one.forward();
    one.back();
    EXPECT_EQ(spread(one), "Page 1 0|1");
    EXPECT_EQ(spread(five), "Pages 2 - 3 2|3 < >");
    five.forward();
    five.forward();
    EXPECT_EQ(spread(five), "Pages 4 - 5 4|5 <");
    for (int k = 0; k < 3; ++k)
        five.back();
    EXPECT_EQ(spread(five), "Page 1 0|1 >");
    EXPECT_EQ(spread(PreviewPages(4, 4)), "Page 4 4|0 <");
    EXPECT_EQ(spread(PreviewPages(9, 4)), "Page 4 4|0 <") << "a page past the end shows the last spread";
}

} // namespace
} // namespace qv

namespace qv {
namespace {

// Every file of the damaged and hand-made corpora the loader accepts, and the demo
// with its page numbers broken, opens with counts that hold together.
TEST(OpenedPages, EveryAcceptedFileCountsItsPagesAndSystemsConsistently) {
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files;
    for (const char* folder : {"/fuzz/corpus", "/fuzz/corpus-loaddraw"})
        for (const auto& entry : std::filesystem::directory_iterator(QUAVERLY_SOURCE_DIR + std::string(folder)))
            files.emplace_back(entry.path().string(), test::fileBytes(entry.path().string()));
    const std::vector<std::uint8_t> demo = test::fileBytes(QUAVERLY_SOURCE_DIR "/resources/demo/demo.QVR");
    ASSERT_FALSE(demo.empty());
    constexpr std::size_t FirstStaveRecord = 8, PageNumByte = 14; // header, page, three font pairs
    for (const auto& [stave, page] : {std::pair{1, 0}, {5, 7}, {16, 0}, {9, 1}}) {
        auto broken = demo;
        broken[(FirstStaveRecord + std::size_t(stave)) * RecordSize + PageNumByte] = std::uint8_t(page);
        files.emplace_back("demo, stave " + std::to_string(stave) + " on page " + std::to_string(page), broken);
    }
    test::ScratchFolder dir;
    int accepted = 0;
    for (const auto& [name, bytes] : files) {
        test::writeBytes(dir.at("file.QVR"), bytes);
        test::ScriptedUi ui;
        Score score;
        if (!loadScore(dir.at("file.QVR"), LoadOptions{}, ui, score)) continue;
        ++accepted;
        PageState state;
        settleOpenedPages(score, state, ui);
        EXPECT_TRUE(pagesConsistent(score)) << name;
        EXPECT_GE(state.pages, 1) << name;
        for (int s = 1; s <= score.Nstaves; ++s) {
            EXPECT_LE(score.stave(s).PageNum, state.pages) << name << ", stave " << s;
            EXPECT_GE(firststaveonpage(score, score.stave(s).PageNum, ui), 1) << name << ", stave " << s;
        }
    }
    EXPECT_GE(accepted, 15);
}

} // namespace
} // namespace qv
