// What the editing state allows and tells: the speed buttons and menu groups of
// each state, and the prompt a beginner sees.

#include "edit/prompts.h"
#include "edit/toolstate.h"
#include "support/scorebuilder.h"

#include <gtest/gtest.h>

#include <array>

namespace qv {
namespace {

// The buttons that are not simply shown and disabled: "name" enabled, "name*"
// pressed, "(name)" disabled, "~" hidden; and the menu groups enabled.
#define BUTTON(name) std::pair{#name, &ToolState::sb##name}
std::string shown(const ToolState& t) {
    std::string out;
    for (const auto& [name, member] :
         {BUTTON(Music), BUTTON(Edit), BUTTON(redraw), BUTTON(undo), BUTTON(preview), BUTTON(draw), BUTTON(strings),
          BUTTON(headfoot), BUTTON(closeHF), BUTTON(Text), BUTTON(Line), BUTTON(curve), BUTTON(Hairpin),
          BUTTON(symbol), BUTTON(Left), BUTTON(right), BUTTON(delete), BUTTON(attrib), BUTTON(delstave),
          BUTTON(complete), BUTTON(Print), BUTTON(PgUp), BUTTON(PgDn)}) {
        const ButtonState& b = t.*member;
        if (b.visible && !b.enabled && !b.pressed) continue;
        const std::string token = std::string(name) + (b.pressed ? "*" : "");
        out += std::string(out.empty() ? "" : " ") + (b.visible ? "" : "~") + (b.enabled ? token : "(" + token + ")");
    }
    return out;
}
std::string shown(const MenuState& m) {
    std::string out;
    for (auto [on, name] : {std::pair{m.fileCommands, "file"}, {m.advancedFile, "advFile"}, {m.pageCommands, "page"},
                            {m.refreshCommands, "refresh"}, {m.musicCommands, "music"}, {m.advancedMusic, "advMusic"}})
        if (on) out += std::string(out.empty() ? "" : " ") + name;
    return out;
}

TEST(Tools, EachStateEnablesItsButtonsAndMenus) {
    enum Provisional { None, Text, Note };
    // The mode, current stave, level, provisional object, the objects after and before the current one.
    const std::tuple<int, int, int, Provisional, bool, bool, const char*, const char*> cases[] = {
        {ModeMusic, 1, 2, None, false, false,
         "Music* Edit redraw undo preview draw strings headfoot ~(closeHF) Text Line curve Hairpin symbol attrib "
         "delstave ~(complete) Print PgDn",
         "file advFile page refresh music advMusic"},
        {ModeMusic, 1, 1, None, false, false,
         "Music* Edit redraw undo preview strings headfoot ~(closeHF) attrib delstave ~(complete) Print PgDn",
         "file page refresh music"},
        {ModeMusic, 3, 3, None, false, false,
         "Music* redraw undo preview draw strings headfoot ~(closeHF) Text Line curve Hairpin symbol attrib "
         "delstave ~(complete) Print PgUp",
         "file advFile page refresh music advMusic"},
        {ModeMusic, 1, 2, Text, false, false,
         "~(Music*) preview strings ~(headfoot) ~(closeHF) delstave complete PgDn", "music advMusic"},
        {ModeMusic, 1, 2, Note, false, false,
         "~(Music*) preview strings ~(headfoot) ~(closeHF) attrib delstave complete PgDn", "music advMusic"},
        {ModeEdit, 1, 2, None, true, false,
         "Music Edit* ~(strings) ~(headfoot) ~(closeHF) right delete attrib delstave ~(complete)", ""},
        {ModeEdit, 1, 2, None, false, true,
         "Music Edit* ~(strings) ~(headfoot) ~(closeHF) Left delete attrib delstave ~(complete)", ""},
        {ModeHeadFoot, 0, 2, None, false, false,
         "~(Music*) Edit redraw ~(strings) ~(headfoot) closeHF Text Line delstave ~(complete)", "refresh"},
        {ModeHeadFoot, 0, 2, Text, false, false,
         "~(Music*) redraw ~(strings) ~(headfoot) closeHF Text Line delstave complete", ""},
        {ModeText, 1, 2, None, false, false, "Music ~(strings) ~(headfoot) ~(closeHF) Text* delstave ~(complete)", ""},
        {ModeSymbol, 1, 2, None, false, false, "Music ~(strings) ~(headfoot) ~(closeHF) symbol* delstave ~(complete)",
         ""},
        {ModeLine, 1, 2, None, false, false, "Music ~(strings) ~(headfoot) ~(closeHF) Line* delstave ~(complete)", ""},
        {ModeCurve, 1, 2, None, false, false, "Music ~(strings) ~(headfoot) ~(closeHF) curve delstave ~(complete)", ""},
        {ModeHairpin, 1, 2, None, false, false,
         "Music ~(strings) ~(headfoot) ~(closeHF) Hairpin* delstave ~(complete)", ""},
        {ModePreview, 1, 2, None, false, false, "Music ~(strings) ~(headfoot) ~(closeHF) delstave ~(complete)", "file"},
        {ModeNothing, 1, 2, None, false, false, "~(Music) ~(strings) ~(headfoot) ~(closeHF) delstave ~(complete)", ""},
    };
    for (const auto& [mode, stave, level, provisional, next, previous, tools, menus] : cases) {
        // Stave 1 holds a note and is on page 1 with stave 2; stave 3 is on page 2; stave 0 a text.
        Score score = test::makeScore(3);
        test::append(score.stave(1), test::makeNote(40, 0));
        test::append(score.stave(0), test::makeShortText(10, 10, 1, "h"));
        score.stave(3).PageNum = 2;
        score.provisional.present = provisional != None;
        score.provisional.object = provisional == Note ? test::makeNote(60, 2) : test::makeShortText(10, 10, 1, "p");
        Editor editor;
        editor.mode = mode;
        editor.page.currentStave = stave;
        const std::string what = modeInfo(mode).label + (" stave " + std::to_string(stave)) + " level " +
                                 std::to_string(level) + " provisional " + std::to_string(provisional);
        EXPECT_EQ(shown(computeTools(editor, score, ToolContext{level, next, previous})), tools) << what;
        EXPECT_EQ(shown(computeMenus(editor, score, level)), menus) << what;
    }
    Editor editor;
    editor.mode = ModeMusic;
    EXPECT_TRUE(computeTools(editor, test::makeScore(2), {}).sbdelstave.enabled);
    EXPECT_FALSE(computeTools(editor, test::makeScore(1), {}).sbdelstave.enabled) << "Delete Stave needs two";
}

TEST(Prompts, ABeginnerIsLedThroughTheFirstStave) {
    enum { Clef = 1, Key = 2, NoteOn = 4, ProvisionalNote = 8, ProvisionalOther = 16, FromTemplate = 32 };
    const std::array<int, 4> cases[] = { // mode, stave, state, prompt
        {ModeMusic, 1, 0, 506}, {ModeMusic, 1, NoteOn, 526}, {ModeMusic, 1, Clef | NoteOn, 508},
        {ModeMusic, 1, Clef | Key, 518}, {ModeMusic, 1, Clef | Key | NoteOn, 514},
        {ModeMusic, 1, ProvisionalNote, 524}, {ModeMusic, 1, Clef | Key | ProvisionalOther, 522},
        {ModeMusic, 1, FromTemplate, 560}, {ModeMusic, 2, 0, 514}, {ModeMusic, 2, ProvisionalNote, 524},
        {ModeMusic, 2, ProvisionalOther, 522}, {ModeMusic, 0, 0, 0}, {ModeMusic, 3, 0, 0}, {ModeEdit, 2, 0, 516},
        {ModeText, 1, 0, 0},
    };
    for (const auto& [mode, stave, state, expected] : cases) {
        Score score = test::makeScore(2);
        if (state & NoteOn) test::append(score.stave(1), test::makeNote(80, 0));
        if (state & Clef) test::append(score.stave(1), test::makeClef(10, 0));
        if (state & Key) test::append(score.stave(1), makeObject(ObjectKind::KeySignature, 30));
        score.provisional.present = state & (ProvisionalNote | ProvisionalOther);
        score.provisional.object =
            state & ProvisionalNote ? test::makeNote(60, 2) : makeObject(ObjectKind::Barline, 60);
        Editor editor;
        editor.mode = mode;
        editor.page.currentStave = stave;
        editor.startedFromTemplate = state & FromTemplate;
        const int prompt = beginnerPrompt(editor, score);
        EXPECT_EQ(prompt, expected) << modeInfo(mode).label << " stave " << stave << " state " << state;
        EXPECT_TRUE(!prompt || promptText(prompt).find("(purple) stave") != std::string::npos) << prompt;
    }
    EXPECT_EQ(promptText(517), "");
    EXPECT_STREQ(modeInfo(ModeCount).label, "Nothing");
    EXPECT_STREQ(modeInfo(-1).label, "Nothing");
}

} // namespace
} // namespace qv
