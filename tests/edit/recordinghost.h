#pragma once
// A ModeHost that lists what the editing layer asked of the window, in words, and an
// editing session over a score of plain staves that reports to it.

#include "edit/eventrouting.h"
#include "edit/setmode.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <string>
#include <utility>
#include <vector>

namespace qv::test {

class RecordingHost : public ModeHost {
  public:
    std::vector<std::string> calls;
    ToolState tools;
    MenuState menus;
    void showModeLabel(int m, bool lit) override { add(modeInfo(m).label + std::string(lit ? " in colour" : "")); }
    void setPagePointer(int mode) override { add("ptr " + std::to_string(modeInfo(mode).pointer)); }
    void applyTools(const ToolState& t, const MenuState& m) override { tools = t; menus = m; add("tools"); }
    void redrawPage() override { add("redraw"); }
    void redrawStaves(int a, int b) override { add("redraw " + std::to_string(a) + ".." + std::to_string(b)); }
    void drawStave(int s, bool lit) override { add("stave " + std::to_string(s) + (lit ? " lit" : " plain")); }
    void setCursorMark(bool shown) override { add(shown ? "cursor on" : "cursor off"); }
    void showPrompt(int number) override { add("prompt " + std::to_string(number)); }
    void promptsOff() override { add("prompts off"); }
    void playClick() override { add("click"); }
    void setTextModeShortcuts(bool on) override { add(on ? "menu keys on" : "menu keys off"); }
    void setDeleteStaveShortcut(bool on) override { add(on ? "Del on" : "Del off"); }
    void openPreview() override { add("preview on"); }
    void closePreview() override { add("preview off"); }
    void showCurrentPage() override { add("page"); }
    void updateStatus() override { add("status"); }
    void setHeaderFooterCaption(bool open) override { add(open ? "caption close" : "caption define"); }
    // The placing modes' marks as last shown, where the pointer was put, and whether
    // it is over the page.
    PlacingMarks marks;
    PagePoint pointer;
    bool overPage = true;
    void showPlacingMarks(const PlacingMarks& m) override { marks = m; }
    void placePointer(int x, int y) override { pointer = PagePoint{x, y}; }
    bool pointerInScoreArea() const override { return overPage; }
    void setCurrentObjectMark(bool shown) override { add(shown ? "mark on" : "mark off"); }
    // Block mode's box as last shown, and whether it is shown.
    BlockBox blockBox;
    bool blockBoxShown = false;
    void showBlockBox(const BlockBox& box) override { blockBox = box, blockBoxShown = true; }
    void hideBlockBox() override { blockBoxShown = false; }
    // The calls so far joined with "; ", and forgotten.
    std::string take() {
        std::string joined;
        for (const std::string& c : std::exchange(calls, {}))
            joined += (joined.empty() ? "" : "; ") + c;
        return joined;
    }

  private:
    void add(const std::string& call) { calls.push_back(call); }
};

inline MouseEvent mouseAt(PagePoint p, MouseButton button, unsigned held, std::uint32_t time = 0) {
    MouseEvent e;
    e.point = p, e.button = button, e.buttons = held, e.time = time;
    return e;
}

struct Session {
    Score score;
    Editor editor;
    Settings settings;
    ScriptedUi ui;
    RecordingHost host;
    EditSession session{score, editor, settings, ui, host};
    explicit Session(int staves) : score(makeScore(staves)) {}
    // Each character typed (pressed and let go); a key by its code, pressed and let go.
    void type(const std::string& text, unsigned mods = ModNone) {
        for (unsigned char c : text) keyPressed(session, KeyEvent{0, c, mods}), keyReleased(session, KeyEvent{0, 0, mods});
    }
    void key(int code, unsigned mods = ModNone) {
        keyPressed(session, KeyEvent{code, 0, mods});
        keyReleased(session, KeyEvent{code, 0, mods});
    }
    // A block box: pressed at `from`, dragged to `to` and let go `ms` later.
    void dragBox(PagePoint from, PagePoint to, std::uint32_t ms) {
        mousePressed(session, mouseAt(from, LeftButton, LeftButton), 1000);
        mouseMoved(session, mouseAt({(from.x + to.x) / 2, (from.y + to.y) / 2}, NoButton, LeftButton));
        mouseMoved(session, mouseAt(to, NoButton, LeftButton));
        mouseReleased(session, mouseAt(to, LeftButton, NoButton, 1000 + ms));
    }
};

} // namespace qv::test
