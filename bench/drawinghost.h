#pragma once
// The score window's drawing without its widgets, for the editing benchmarks.

#include "edit/modehost.h"
#include "edit/setmode.h"
#include "render/densepage.h" // tests/render: the dense page of the drawing benchmarks
#include "render/dispatch.h"
#include "render/page.h"
#include "shell/placingmarks.h"

namespace bench {

// The score window's drawing without its widgets: the page bitmap, the band of a
// stave drawn again, the provisional object by exclusive-or.
class DrawingHost : public qv::ModeHost {
  public:
    DrawingHost(qv::Score& score, qv::Editor& editor) : score_(score), editor_(editor) {
        dc.newScreenPage(qv::test::DensePageWidth, qv::test::DensePageHeight);
    }
    qv::DrawContext dc;

    void showModeLabel(int, bool) override {}
    void setPagePointer(int) override {}
    void applyTools(const qv::ToolState&, const qv::MenuState&) override {}
    void redrawPage() override { qv::DrawPage(dc, score_, editor_.currentPage()); }
    void redrawStaves(int first, int last) override {
        qv::RedrawBand(dc, score_, editor_.currentPage(), score_.stave(first).MinY, score_.stave(last).MaxY);
    }
    void drawStave(int s, bool) override {
        ++bands;
        redrawStaves(s, s);
    }
    int bands = 0;
    void setCursorMark(bool) override {}
    void showPrompt(int) override {}
    void promptsOff() override {}
    void playClick() override {}
    void setTextModeShortcuts(bool) override {}
    void setDeleteStaveShortcut(bool) override {}
    void openPreview() override {}
    void closePreview() override {}
    void showCurrentPage() override { redrawPage(); }
    void updateStatus() override {}
    void setHeaderFooterCaption(bool) override {}
    void setProvisionalMark(bool shown) override {
        if (shown == shown_) return;
        qv::DrawProvisionalObject(dc, score_, editor_.currentStave());
        shown_ = shown;
    }
    // As the window does while an object is dragged: by exclusive-or.
    void setCurrentObjectMark(bool shown) override {
        if (shown == currentShown_) return;
        qv::DrawCurrentObject(dc, score_, qv::CurrentObject{true, editor_.currentStave(), editor_.currentObject},
                              dc.colours.Edit, true);
        currentShown_ = shown;
    }
    void showPlacingMarks(const qv::PlacingMarks& marks) override {
        if (marks == marks_) return;
        if (!marks_.empty()) qv::DrawPlacingMarks(dc, marks_, qv::MarkColours{});
        marks_ = marks;
        if (!marks_.empty()) qv::DrawPlacingMarks(dc, marks_, qv::MarkColours{});
    }

  private:
    qv::Score& score_;
    qv::Editor& editor_;
    bool shown_ = false;
    bool currentShown_ = false;
    qv::PlacingMarks marks_;
};

} // namespace bench
