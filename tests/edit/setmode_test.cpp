// The mode switch: what leaving one mode and entering another asks of the window,
// in order, and does to the editing state; the refusal of a keyboard mode change.

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

    explicit Fixture(int mode = ModeNothing, int stave = 3) {
        score.stave(1).joinToNext = true; // two systems of two staves
        score.stave(3).joinToNext = true;
        editor.mode = mode;
        editor.page.currentStave = stave;
        editor.mousePoint = {120, 80};
        editor.firstPointPlaced = true;
        editor.pressPoint = {5, 6};
        editor.openForEdit[3] = mode == ModeEdit;
        editor.currentObject = 7;
        score.provisional.present = true;
        score.stave(3).MinY = -999; // measured again on the way into Music
    }
    // SetMode's calls between the plain mode label and the tools.
    std::string change(int mode) {
        SetMode(session, mode);
        const std::string label = modeInfo(editor.mode).label;
        std::string calls = host.take();
        const std::string head = label + "; ", tail = "; tools; " + label + " in colour";
        EXPECT_EQ(calls.substr(0, head.size()), head);
        EXPECT_TRUE(calls.ends_with(tail)) << calls;
        return calls.substr(head.size(), calls.size() - head.size() - std::min(tail.size(), calls.size()));
    }
};

TEST(SetMode, EnteringAModeAsksTheWindowForItsOwnWork) {
    const std::pair<int, const char*> cases[] = {
        {ModeDefblock, "ptr 5; prompts off"},
        {ModeEdit, "ptr -3; Del off; click"},
        {ModeText, "ptr 2; cursor off; stave 3 lit; prompt 554; menu keys off; click"},
        {ModeSymbol, "ptr 3; stave 3 lit; click"},
        {ModeLine, "ptr 1; stave 3 lit; cursor off; prompt 530; click"},
        {ModeDrawing, "ptr -1; stave 3 lit; cursor off; prompt 564; click"},
        {ModeMovestave, "ptr 14"},
        {ModeJustify, "ptr 12; cursor off"},
        {ModeBlockVb, "ptr 3; prompt 552"},
        {ModeBlockCpy, "ptr 3; prompt 550"},
        {ModePreview, "ptr 0; preview on"},
        {ModeWaiting, "ptr -2"},
    };
    for (const auto& [mode, calls] : cases) {
        Fixture f(ModeMusic);
        const char* name = modeInfo(mode).label;
        EXPECT_EQ(f.change(mode), calls) << name;
        EXPECT_EQ(f.editor.previousMode, ModeMusic);
        EXPECT_EQ(f.editor.hintsShown, std::string(calls).find("prompt 5") != std::string::npos) << name;
        if (mode >= ModeText && mode <= ModeDrawing) {
            EXPECT_EQ(f.editor.placingPoint, (PagePoint{120, 80})) << name;
        }
        EXPECT_EQ(f.editor.firstPointPlaced, mode < ModeLine || mode > ModeDrawing) << name;
        EXPECT_EQ(f.editor.openForEdit[3], mode == ModeEdit) << name;
        EXPECT_EQ(f.score.modified, mode == ModeEdit) << name;
        EXPECT_TRUE(f.score.provisional.present) << name;
    }
}

TEST(SetMode, MusicOnTheHeaderFooterStaveIsHeadFoot) {
    for (auto [from, calls] : {std::pair{ModeText, "ptr 15; redraw; prompts off; click"},
                               {ModeLine, "ptr 15; redraw; prompts off; click"},
                               {ModeDragging, "ptr 15; prompts off"},
                               {ModeEdit, "ptr 15; prompts off; click"}}) {
        Fixture f(from, 0);
        EXPECT_EQ(f.change(ModeMusic), calls) << modeInfo(from).label;
        EXPECT_EQ(f.editor.mode, ModeHeadFoot);
        SetMode(f.session, ModeMusic); // already there
        EXPECT_TRUE(f.host.calls.empty());
        EXPECT_EQ(f.editor.previousMode, from);
    }
}

TEST(SetMode, BackToMusicUndoesWhatTheModeLeftAndForgetsTheProvisionalObject) {
    const std::tuple<int, bool, const char*> cases[] = {
        {ModeNothing, false, "prompts off; stave 3 lit; click"},
        {ModeDefblock, false, "prompts off; prompts off; stave 3 lit"},
        {ModeBlockVb, false, "prompts off; prompts off; stave 3 lit; click"},
        {ModeEdit, false, "cursor on; redraw 3..4; Del on; prompts off; stave 3 lit; click"},
        {ModeEdit, true, "cursor on; redraw; Del on; prompts off; stave 3 lit; click"},
        {ModeText, false, "stave 3 plain; menu keys on; prompts off; stave 3 lit; click"},
        {ModeText, true, "redraw; menu keys on; prompts off; stave 3 lit; click"},
        {ModeSymbol, false, "cursor on; stave 3 plain; prompts off; stave 3 lit; click"},
        {ModeLine, false, "redraw; prompts off; stave 3 lit; click"},
        {ModeCurve, false, "cursor on; prompts off; stave 3 lit; click"},
        {ModeHairpin, false, "stave 3 plain; prompts off; stave 3 lit; click"},
        {ModeHairpin, true, "redraw; prompts off; stave 3 lit; click"},
        {ModeDrawing, false, "cursor on; prompts off; stave 3 lit; click"},
        {ModePreview, false, "preview off; prompts off; stave 3 lit; click"},
        {ModeDragging, false, "prompts off; stave 3 lit"},
    };
    for (const auto& [from, fast, calls] : cases) {
        Fixture f(from);
        f.settings.options.FastCPU = fast;
        f.editor.hintsShown = true;
        const std::string what = std::string(modeInfo(from).label) + (fast ? ", fast" : "");
        EXPECT_EQ(f.change(ModeMusic), std::string("ptr 0; ") + calls) << what;
        EXPECT_FALSE(f.score.provisional.present) << what;
        EXPECT_FALSE(f.editor.hintsShown) << what;
        EXPECT_EQ(f.editor.pressPoint, PagePoint{}) << what;
        EXPECT_FALSE(f.editor.openForEdit[3]) << what;
        EXPECT_NE(f.score.stave(3).MinY, -999) << what;
        EXPECT_EQ(f.editor.currentObject, from == ModeEdit ? 0 : 7) << what;
    }
}

TEST(SetMode, TheSameModeAgainDoesNothingAndSoundOffIsSilent) {
    Fixture f;
    f.settings.options.Sound = false;
    EXPECT_EQ(f.change(ModeMusic), "ptr 0; prompts off; stave 3 lit");
    f.editor.previousMode = ModeNothing;
    SetMode(f.session, ModeMusic);
    EXPECT_TRUE(f.host.calls.empty());
    EXPECT_EQ(f.editor.previousMode, ModeNothing);
}

TEST(SetMode, TheWindowGetsTheToolsAndMenusOfTheNewModeAndLevel) {
    Fixture beginner, f;
    beginner.score.provisional.clear();
    SetMode(beginner.session, ModeMusic);
    EXPECT_FALSE(beginner.host.tools.sbText.enabled);
    f.score.provisional.clear();
    f.settings.Level = 2;
    SetMode(f.session, ModeMusic);
    EXPECT_TRUE(f.host.tools.sbText.enabled);
    EXPECT_TRUE(f.host.menus.advancedFile);
    SetMode(f.session, ModePreview);
    EXPECT_TRUE(f.host.menus.fileCommands);
    EXPECT_FALSE(f.host.menus.pageCommands);
}

TEST(SetMode, EachPlacingModeHasItsPrompt) {
    for (auto [mode, shape, prompt] : {std::tuple{ModeLine, 0, 530},
                                       {ModeCurve, 0, 504},
                                       {ModeHairpin, 0, 540},
                                       {ModeDrawing, 1, 564},
                                       {ModeDrawing, 2, 566},
                                       {ModeDrawing, 3, 566},
                                       {ModeDrawing, 5, 568},
                                       {ModeDrawing, 7, 570},
                                       {ModeText, 0, 0}})
        EXPECT_EQ(placingPrompt(mode, shape), prompt) << mode << " shape " << shape;
}

TEST(RequestMode, RefusedWhileAProvisionalObjectExists) {
    Fixture f(ModeMusic);
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
