#pragma once
// A ModeHost that lists what the mode switch asked of the window, in words.

#include "edit/modehost.h"

#include <string>
#include <vector>

namespace qv::test {

class RecordingHost : public ModeHost {
  public:
    std::vector<std::string> calls;
    ToolState tools;
    MenuState menus;
    int clicks = 0;

    void showModeLabel(int mode, bool inColour) override {
        calls.push_back(std::string("label ") + modeInfo(mode).label + (inColour ? " in colour" : ""));
    }
    void setPagePointer(int mode) override { calls.push_back("pointer " + std::to_string(modeInfo(mode).pointer)); }
    void applyTools(const ToolState& t, const MenuState& m) override {
        tools = t;
        menus = m;
        calls.push_back("tools");
    }
    void redrawPage() override { calls.push_back("redraw page"); }
    void redrawStaves(int first, int last) override {
        calls.push_back("redraw staves " + std::to_string(first) + ".." + std::to_string(last));
    }
    void drawStave(int s, bool highlighted) override {
        calls.push_back("stave " + std::to_string(s) + (highlighted ? " highlighted" : " normal"));
    }
    void setCursorMark(bool shown) override { calls.push_back(shown ? "cursor shown" : "cursor removed"); }
    void showPrompt(int number) override { calls.push_back("prompt " + std::to_string(number)); }
    void promptsOff() override { calls.push_back("prompts off"); }
    void playClick() override {
        ++clicks;
        calls.push_back("click");
    }
    void setTextModeShortcuts(bool on) override { calls.push_back(on ? "text shortcuts back" : "text shortcuts off"); }
    void setDeleteStaveShortcut(bool on) override { calls.push_back(on ? "Del back" : "Del off"); }
    void openPreview() override { calls.push_back("open preview"); }
    void closePreview() override { calls.push_back("close preview"); }
    void showCurrentPage() override { calls.push_back("show page"); }
    void updateStatus() override { calls.push_back("status"); }
    void setHeaderFooterCaption(bool open) override { calls.push_back(open ? "caption close HF" : "caption define HF"); }

    bool saw(const std::string& call) const {
        for (const auto& c : calls)
            if (c == call) return true;
        return false;
    }
};

} // namespace qv::test
