// The mode switch: what it does on leaving and entering modes, the click, the
// buttons and menus it allows, and the refusal of a keyboard mode change.

#include "edit/setmode.h"
#include "recordinghost.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

struct Fixture {
    Score score = test::makeScore(4);
    Editor editor;
    Settings settings;
    test::ScriptedUi ui;
    test::RecordingHost host;
    EditSession session{score, editor, settings, ui, host};

    Fixture() {
        // Two systems of two staves.
        score.stave(1).joinToNext = true;
        score.stave(3).joinToNext = true;
        editor.page.currentStave = 3;
    }
    void enter(int mode) {
        SetMode(session, mode);
        host.calls.clear();
        host.clicks = 0;
    }
};

TEST(SetMode, TheCurrentModeAgainChangesNothing) {
    Fixture f;
    f.enter(ModeMusic);
    f.editor.previousMode = ModeNothing;
    SetMode(f.session, ModeMusic);
    EXPECT_TRUE(f.host.calls.empty());
    EXPECT_EQ(f.editor.previousMode, ModeNothing);
}

TEST(SetMode, MusicOnTheHeaderFooterStaveIsHeadFoot) {
    Fixture f;
    f.enter(ModeText);
    f.editor.page.currentStave = 0;
    SetMode(f.session, ModeMusic);
    EXPECT_EQ(f.editor.mode, ModeHeadFoot);
    EXPECT_EQ(f.editor.previousMode, ModeText);
    EXPECT_TRUE(f.host.saw("redraw page")); // from Text the header/footer page is drawn again
    EXPECT_TRUE(f.host.tools.sbcloseHF.visible && f.host.tools.sbcloseHF.enabled);
    EXPECT_TRUE(f.host.tools.sbMusic.pressed);
    // Already in HeadFoot: Music asks for the same mode and nothing happens.
    f.host.calls.clear();
    SetMode(f.session, ModeMusic);
    EXPECT_TRUE(f.host.calls.empty());
}

TEST(SetMode, LeavingEditRedrawsTheSystemOrThePage) {
    Fixture f;
    f.enter(ModeEdit);
    EXPECT_TRUE(f.editor.openForEdit[3]);
    SetMode(f.session, ModeMusic);
    EXPECT_TRUE(f.host.saw("redraw staves 3..4"));
    EXPECT_FALSE(f.host.saw("redraw page"));
    EXPECT_TRUE(f.host.saw("Del back"));
    EXPECT_FALSE(f.editor.openForEdit[3]);

    Fixture fast;
    fast.settings.options.FastCPU = true;
    fast.enter(ModeEdit);
    SetMode(fast.session, ModeMusic);
    EXPECT_TRUE(fast.host.saw("redraw page"));
    EXPECT_FALSE(fast.host.saw("redraw staves 3..4"));
}

TEST(SetMode, EnteringEditTakesDelAndMarksTheScoreModified) {
    Fixture f;
    f.enter(ModeMusic);
    SetMode(f.session, ModeEdit);
    EXPECT_TRUE(f.host.saw("Del off"));
    EXPECT_TRUE(f.score.modified);
    EXPECT_TRUE(f.host.tools.sbEdit.pressed);
    EXPECT_TRUE(f.host.tools.sbdelete.enabled);
}

TEST(SetMode, TextModeBorrowsTheMenuShortcutsAndGivesThemBack) {
    Fixture f;
    f.enter(ModeMusic);
    f.editor.mousePoint = {120, 80};
    SetMode(f.session, ModeText);
    EXPECT_EQ(f.editor.placingPoint, (PagePoint{120, 80}));
    const std::vector<std::string> entering{"label Text",        "pointer 2", "cursor removed",
                                            "stave 3 highlighted", "prompt 554", "text shortcuts off",
                                            "click",             "tools",     "label Text in colour"};
    EXPECT_EQ(f.host.calls, entering);
    f.host.calls.clear();
    SetMode(f.session, ModeMusic);
    EXPECT_TRUE(f.host.saw("stave 3 normal"));
    EXPECT_TRUE(f.host.saw("text shortcuts back"));
}

TEST(SetMode, EveryEntryIntoMusicForgetsTheProvisionalObject) {
    Fixture f;
    f.enter(ModeSymbol);
    f.score.provisional.present = true;
    f.editor.pressPoint = {5, 6};
    SetMode(f.session, ModeMusic);
    EXPECT_FALSE(f.score.provisional.present);
    EXPECT_EQ(f.editor.pressPoint, PagePoint{});
    EXPECT_TRUE(f.host.saw("prompts off"));
    EXPECT_TRUE(f.host.saw("stave 3 highlighted"));
}

TEST(SetMode, PlacingModesShowTheirPrompts) {
    for (auto [mode, shape, prompt] : {std::tuple{ModeLine, 0, 530}, {ModeCurve, 0, 504}, {ModeHairpin, 0, 540},
                                       {ModeDrawing, 0, 564}, {ModeDrawing, 3, 566}, {ModeDrawing, 5, 568},
                                       {ModeDrawing, 7, 570}}) {
        Fixture f;
        f.enter(ModeMusic);
        f.editor.chosenShape = shape;
        f.editor.firstPointPlaced = true;
        SetMode(f.session, mode);
        EXPECT_TRUE(f.host.saw("prompt " + std::to_string(prompt))) << mode << " shape " << shape;
        EXPECT_FALSE(f.editor.firstPointPlaced);
    }
}

TEST(SetMode, ClickSoundFollowsTheSettingAndItsExceptions) {
    EXPECT_TRUE(clicksOnEntry(ModeNothing, ModeMusic));
    EXPECT_FALSE(clicksOnEntry(ModeDefblock, ModeMusic));
    EXPECT_FALSE(clicksOnEntry(ModeDragging, ModeMusic));
    EXPECT_FALSE(clicksOnEntry(ModeDragging, ModeHeadFoot));
    EXPECT_TRUE(clicksOnEntry(ModeText, ModeHeadFoot));
    EXPECT_FALSE(clicksOnEntry(ModeMusic, ModeMovestave));
    EXPECT_FALSE(clicksOnEntry(ModeMusic, ModePreview));
    EXPECT_TRUE(clicksOnEntry(ModeMusic, ModeDrawing));

    Fixture quiet;
    quiet.settings.options.Sound = false;
    quiet.enter(ModeMusic);
    SetMode(quiet.session, ModeEdit);
    EXPECT_EQ(quiet.host.clicks, 0);
}

TEST(SetMode, PreviewOpensAndClosesThroughTheWindow) {
    Fixture f;
    f.enter(ModeMusic);
    SetMode(f.session, ModePreview);
    EXPECT_TRUE(f.host.saw("open preview"));
    EXPECT_TRUE(f.host.menus.fileCommands);
    EXPECT_FALSE(f.host.menus.pageCommands);
    f.host.calls.clear();
    SetMode(f.session, ModeMusic);
    EXPECT_TRUE(f.host.saw("close preview"));
}

TEST(RequestMode, RefusedWhileAProvisionalObjectExists) {
    Fixture f;
    f.enter(ModeMusic);
    f.score.provisional.present = true;
    RequestMode(f.session, ModeSymbol);
    EXPECT_EQ(f.editor.mode, ModeMusic);
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_EQ(f.ui.messages[0].type, MessageType::Warning);
    EXPECT_EQ(f.ui.messages[0].text, FinishProvisionalFirst);
    EXPECT_TRUE(f.score.provisional.present);

    f.score.provisional.clear();
    RequestMode(f.session, ModeSymbol);
    EXPECT_EQ(f.editor.mode, ModeSymbol);
}

} // namespace
} // namespace qv
