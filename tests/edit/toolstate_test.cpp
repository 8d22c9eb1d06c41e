// What the editing state allows and tells: the speed buttons and menu groups of
// each state, and the prompt a beginner sees.

#include "edit/prompts.h"
#include "edit/toolstate.h"
#include "support/scorebuilder.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// The buttons that are not simply shown and disabled: "name" enabled, "name*"
// pressed, "(name)" disabled, "~" hidden.
std::string shown(const ToolState& t) {
    static const std::pair<const char*, ButtonState ToolState::*> buttons[] = {
        {"Music", &ToolState::sbMusic},       {"Edit", &ToolState::sbEdit},
        {"redraw", &ToolState::sbredraw},     {"undo", &ToolState::sbundo},
        {"preview", &ToolState::sbpreview},   {"draw", &ToolState::sbdraw},
        {"strings", &ToolState::sbstrings},   {"headfoot", &ToolState::sbheadfoot},
        {"closeHF", &ToolState::sbcloseHF},   {"Text", &ToolState::sbText},
        {"Line", &ToolState::sbLine},         {"curve", &ToolState::sbcurve},
        {"Hairpin", &ToolState::sbHairpin},   {"symbol", &ToolState::sbsymbol},
        {"Left", &ToolState::sbLeft},         {"right", &ToolState::sbright},
        {"delete", &ToolState::sbdelete},     {"attrib", &ToolState::sbattrib},
        {"delstave", &ToolState::sbdelstave}, {"complete", &ToolState::sbcomplete},
        {"Print", &ToolState::sbPrint},       {"PgUp", &ToolState::sbPgUp},
        {"PgDn", &ToolState::sbPgDn}};
    std::string out;
    for (const auto& [name, member] : buttons) {
        const ButtonState& b = t.*member;
        if (b.visible && !b.enabled && !b.pressed) continue;
        const std::string token = std::string(name) + (b.pressed ? "*" : "");
        out += std::string(out.empty() ? "" : " ") + (b.visible ? "" : "~") +
               (b.enabled ? token : "(" + token + ")");
    }
    return out;
}

std::string shown(const MenuState& m) {
    std::string out;
    for (auto [on, name] : {std::pair{m.fileCommands, "file"},
                            {m.advancedFile, "advFile"},
                            {m.pageCommands, "page"},
                            {m.refreshCommands, "refresh"},
                            {m.musicCommands, "music"},
                            {m.advancedMusic, "advMusic"}})
        if (on) out += std::string(out.empty() ? "" : " ") + name;
    return out;
}

TEST(Tools, EachStateEnablesItsButtonsAndMenus) {
    enum Provisional { None, Text, Note };
    struct Case {
        int mode, stave, level;
        Provisional provisional;
        bool next, previous;
        const char* tools;
        const char* menus;
    };
    const Case cases[] = {
        {ModeMusic, 1, 2, None, false, false,
         "Music* Edit redraw undo preview draw strings headfoot ~(closeHF) Text Line curve Hairpin symbol "
         "attrib "
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
        {ModeText, 1, 2, None, false, false,
         "Music ~(strings) ~(headfoot) ~(closeHF) Text* delstave ~(complete)", ""},
        {ModeSymbol, 1, 2, None, false, false,
         "Music ~(strings) ~(headfoot) ~(closeHF) symbol* delstave ~(complete)", ""},
        {ModeLine, 1, 2, None, false, false,
         "Music ~(strings) ~(headfoot) ~(closeHF) Line* delstave ~(complete)", ""},
        {ModeCurve, 1, 2, None, false, false,
         "Music ~(strings) ~(headfoot) ~(closeHF) curve delstave ~(complete)", ""},
        {ModeHairpin, 1, 2, None, false, false,
         "Music ~(strings) ~(headfoot) ~(closeHF) Hairpin* delstave ~(complete)", ""},
        {ModePreview, 1, 2, None, false, false,
         "Music ~(strings) ~(headfoot) ~(closeHF) delstave ~(complete)", "file"},
        {ModeNothing, 1, 2, None, false, false,
         "~(Music) ~(strings) ~(headfoot) ~(closeHF) delstave ~(complete)", ""},
    };
    for (const Case& c : cases) {
        // Stave 1 holds a note and is on page 1 with stave 2; stave 3 is on page 2;
        // the header/footer stave holds a text.
        Score score = test::makeScore(3);
        test::append(score.stave(1), test::makeNote(40, 0));
        test::append(score.stave(0), test::makeShortText(10, 10, 1, "h"));
        score.stave(3).PageNum = 2;
        score.provisional.present = c.provisional != None;
        score.provisional.object =
            c.provisional == Note ? test::makeNote(60, 2) : test::makeShortText(10, 10, 1, "p");
        Editor editor;
        editor.mode = c.mode;
        editor.page.currentStave = c.stave;
        const std::string what = std::string(modeInfo(c.mode).label) + " stave " + std::to_string(c.stave) +
                                 " level " + std::to_string(c.level) + " provisional " +
                                 std::to_string(c.provisional);
        EXPECT_EQ(shown(computeTools(editor, score, ToolContext{c.level, c.next, c.previous})), c.tools)
            << what;
        EXPECT_EQ(shown(computeMenus(editor, score, c.level)), c.menus) << what;
    }
}

TEST(Tools, DeleteStaveNeedsTwoStaves) {
    Editor editor;
    editor.mode = ModeMusic;
    EXPECT_TRUE(computeTools(editor, test::makeScore(2), {}).sbdelstave.enabled);
    EXPECT_FALSE(computeTools(editor, test::makeScore(1), {}).sbdelstave.enabled);
}

TEST(Prompts, ABeginnerIsLedThroughTheFirstStave) {
    enum { Clef = 1, Key = 2, NoteOn = 4, ProvisionalNote = 8, ProvisionalOther = 16, FromTemplate = 32 };
    struct Case {
        int mode, stave, state, prompt;
    };
    const Case cases[] = {
        {ModeMusic, 1, 0, 506},
        {ModeMusic, 1, NoteOn, 526},
        {ModeMusic, 1, Clef | NoteOn, 508},
        {ModeMusic, 1, Clef | Key, 518},
        {ModeMusic, 1, Clef | Key | NoteOn, 514},
        {ModeMusic, 1, ProvisionalNote, 524},
        {ModeMusic, 1, Clef | Key | ProvisionalOther, 522},
        {ModeMusic, 1, FromTemplate, 560},
        {ModeMusic, 2, 0, 514},
        {ModeMusic, 2, ProvisionalNote, 524},
        {ModeMusic, 2, ProvisionalOther, 522},
        {ModeMusic, 0, 0, 0},
        {ModeMusic, 3, 0, 0},
        {ModeEdit, 2, 0, 516},
        {ModeText, 1, 0, 0},
    };
    for (const Case& c : cases) {
        Score score = test::makeScore(2);
        Stave& first = score.stave(1);
        if (c.state & NoteOn) test::append(first, test::makeNote(80, 0));
        if (c.state & Clef) test::append(first, test::makeClef(10, 0));
        if (c.state & Key) test::append(first, makeObject(ObjectKind::KeySignature, 30));
        score.provisional.present = c.state & (ProvisionalNote | ProvisionalOther);
        score.provisional.object =
            c.state & ProvisionalNote ? test::makeNote(60, 2) : makeObject(ObjectKind::Barline, 60);
        Editor editor;
        editor.mode = c.mode;
        editor.page.currentStave = c.stave;
        editor.startedFromTemplate = c.state & FromTemplate;
        const int prompt = beginnerPrompt(editor, score);
        EXPECT_EQ(prompt, c.prompt) << modeInfo(c.mode).label << " stave " << c.stave << " state " << c.state;
        if (prompt) {
            EXPECT_NE(promptText(prompt).find("(purple) stave"), std::string::npos) << prompt;
        }
    }
    EXPECT_EQ(promptText(517), "");
    EXPECT_STREQ(modeInfo(ModeCount).label, "Nothing");
    EXPECT_STREQ(modeInfo(-1).label, "Nothing");
}

} // namespace
} // namespace qv
