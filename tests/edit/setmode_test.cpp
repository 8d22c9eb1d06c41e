// The mode switch: what leaving one mode and entering another asks of the window,
// in order, and does to the editing state; the refusal of a keyboard mode change.

#include "edit/symbolpalette.h"
#include "recordinghost.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// Four staves in two systems of two; a mode's leftovers everywhere.
struct Fixture : test::Session {
    explicit Fixture(int mode = ModeNothing, int stave = 3) : Session(4) {
        score.stave(1).joinToNext = score.stave(3).joinToNext = true;
        editor.mode = mode;
        editor.page.currentStave = stave;
        editor.mousePoint = {120, 80};
        editor.pressPoint = {5, 6};
        editor.openForEdit[3] = mode == ModeEdit;
        editor.currentObject = 7;
        editor.firstPointPlaced = score.provisional.present = true;
        score.stave(3).MinY = -999; // measured again on the way into Music
        ui.paletteScript = [](SymbolPalette& p) { return (p.chosen = 70) != 0; };
    }
    // SetMode's calls between the plain mode label and the tools.
    std::string change(int mode) {
        SetMode(session, mode);
        const std::string label = modeInfo(editor.mode).label, calls = host.take();
        const std::string head = label + "; ", tail = "; tools; " + label + " in colour";
        EXPECT_TRUE(calls.starts_with(head) && calls.ends_with(tail)) << calls;
        return calls.substr(head.size(), calls.size() - head.size() - std::min(tail.size(), calls.size()));
    }
};

TEST(SetMode, EnteringAModeAsksTheWindowForItsOwnWork) {
    const std::pair<int, const char*> cases[] = {
        {ModeDefblock, "ptr 5; prompts off"}, {ModeEdit, "ptr -3; Del off; click"},
        {ModeText, "ptr 2; cursor off; stave 3 lit; prompt 554; menu keys off; click"},
        {ModeSymbol, "ptr 3; cursor off; stave 3 lit; prompt 556; click"}, {ModeLine, "ptr 1; stave 3 lit; cursor off; prompt 530; click"},
        {ModeDrawing, "ptr -1; stave 3 lit; cursor off; prompt 564; click"}, {ModeMovestave, "ptr 14"},
        {ModeJustify, "ptr 12; cursor off"}, {ModeBlockVb, "ptr 3; prompt 552"}, {ModeBlockCpy, "ptr 3; prompt 550"},
        {ModePreview, "ptr 0; preview on"}, {ModeWaiting, "ptr -2"},
    };
    for (const auto& [mode, calls] : cases) {
        Fixture f(ModeMusic);
        const char* name = modeInfo(mode).label;
        EXPECT_EQ(f.change(mode), calls) << name;
        EXPECT_EQ(f.editor.previousMode, ModeMusic);
        EXPECT_EQ(f.editor.hintsShown, std::string(calls).find("prompt 5") != std::string::npos) << name;
        EXPECT_TRUE(mode < ModeText || mode > ModeDrawing || f.editor.placingPoint == (PagePoint{120, 80})) << name;
        EXPECT_EQ(f.editor.firstPointPlaced, mode < ModeLine || mode > ModeDrawing) << name;
        EXPECT_EQ(f.editor.openForEdit[3], mode == ModeEdit) << name;
        EXPECT_EQ(f.score.modified, mode == ModeEdit) << name;
        EXPECT_TRUE(f.score.provisional.present) << name;
    }
    for (auto [mode, shape, prompt] : {std::tuple{ModeLine, 0, 530}, {ModeCurve, 0, 504}, {ModeHairpin, 0, 540},
                                       {ModeDrawing, 1, 564}, {ModeDrawing, 2, 566}, {ModeDrawing, 3, 566},
                                       {ModeDrawing, 5, 568}, {ModeDrawing, 7, 570}, {ModeText, 0, 0}})
        EXPECT_EQ(placingPrompt(mode, shape), prompt) << modeInfo(mode).label << " shape " << shape;
}

TEST(SetMode, MusicOnTheHeaderFooterStaveIsHeadFoot) {
    // Text gives the menus their keys back and Edit gives Del back to "Delete Stave"
    // here too: the header/footer screen closes into Music without leaving them.
    for (auto [from, calls] : {std::pair{ModeText, "ptr 15; menu keys on; redraw; prompts off; click"},
                               {ModeLine, "ptr 15; redraw; prompts off; click"},
                               {ModeDragging, "ptr 15; prompts off"},
                               {ModeEdit, "ptr 15; Del on; mark off; cursor on; redraw; prompts off; click"}}) {
        Fixture f(from, 0);
        f.editor.hintsShown = true;
        EXPECT_EQ(f.change(ModeMusic), calls) << modeInfo(from).label;
        EXPECT_EQ(f.editor.mode, ModeHeadFoot);
        EXPECT_FALSE(f.editor.hintsShown);
        SetMode(f.session, ModeMusic); // already there
        EXPECT_TRUE(f.host.calls.empty());
        EXPECT_EQ(f.editor.previousMode, from);
    }
}

TEST(SetMode, BackToMusicUndoesWhatTheModeLeftAndForgetsTheProvisionalObject) {
    const std::tuple<int, bool, const char*> cases[] = {
        {ModeNothing, false, "prompts off; stave 3 lit; click"}, {ModeDragging, false, "prompts off; stave 3 lit"},
        {ModeDefblock, false, "prompts off; prompts off; stave 3 lit"},
        {ModeBlockVb, false, "prompts off; prompts off; stave 3 lit; click"},
        {ModeEdit, false, "Del on; mark off; cursor on; redraw 3..4; prompts off; stave 3 lit; click"},
        {ModeEdit, true, "Del on; mark off; cursor on; redraw; prompts off; stave 3 lit; click"},
        {ModeText, false, "stave 3 plain; menu keys on; prompts off; stave 3 lit; click"},
        {ModeText, true, "redraw; menu keys on; prompts off; stave 3 lit; click"},
        {ModeSymbol, false, "cursor on; stave 3 plain; prompts off; stave 3 lit; click"},
        {ModeLine, false, "prompts off; stave 3 lit; click"},
        {ModeCurve, false, "cursor on; prompts off; stave 3 lit; click"},
        {ModeHairpin, false, "stave 3 plain; prompts off; stave 3 lit; click"},
        {ModeHairpin, true, "redraw; prompts off; stave 3 lit; click"},
        {ModeDrawing, false, "cursor on; prompts off; stave 3 lit; click"},
        {ModePreview, false, "preview off; prompts off; stave 3 lit; click"},
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
    Fixture silent; // the same mode again does nothing, and sound off is silent
    silent.settings.options.Sound = false;
    EXPECT_EQ(silent.change(ModeMusic), "ptr 0; prompts off; stave 3 lit");
    silent.editor.previousMode = ModeNothing;
    SetMode(silent.session, ModeMusic);
    EXPECT_TRUE(silent.host.calls.empty());
    EXPECT_EQ(silent.editor.previousMode, ModeNothing);
}

TEST(SetMode, TheWindowGetsTheToolsAndMenusOfTheNewModeAndLevelAndRequestsWaitForTheProvisionalObject) {
    for (const int level : {1, 2}) {
        Fixture f;
        f.score.provisional.clear();
        f.settings.Level = level;
        SetMode(f.session, ModeMusic);
        EXPECT_EQ(f.host.tools.sbText.enabled, level == 2);
        EXPECT_EQ(f.host.menus.advancedFile, level == 2);
        SetMode(f.session, ModePreview);
        EXPECT_TRUE(f.host.menus.fileCommands && !f.host.menus.pageCommands);
    }
    // A change of mode from the keyboard is refused while a provisional object exists.
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
