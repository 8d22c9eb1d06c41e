#pragma once
// What the mode switch asks of the window that shows the score: the label, the
// pointer, the tools, redrawing, the cursor mark, prompts and the click. The score
// window implements it with widgets; tests record the calls.

#include "edit/drawingstate.h"
#include "edit/toolstate.h"
#include "layout/blocks.h"

#include <string>

namespace qv {

class ModeHost {
  public:
    virtual ~ModeHost() = default;

    // The mode label shows the mode's name, in the mode's colour when asked.
    virtual void showModeLabel(int mode, bool inColour) = 0;
    virtual void setPagePointer(int mode) = 0;
    virtual void applyTools(const ToolState& tools, const MenuState& menus) = 0;

    virtual void redrawPage() = 0;
    // Staves first..last again, then the braces and joins of their systems.
    virtual void redrawStaves(int first, int last) = 0;
    // Stave s in the current-stave colour (highlighted) or its normal colour.
    virtual void drawStave(int s, bool highlighted) = 0;
    // The entry cursor mark over the current stave: shown or removed.
    virtual void setCursorMark(bool shown) = 0;

    virtual void showPrompt(int number) = 0;
    virtual void promptsOff() = 0;
    virtual void playClick() = 0;

    // Text mode takes Ctrl+S, Ctrl+N and Ctrl+C from the menu items that own them;
    // Edit mode takes Del from "Delete Stave".
    virtual void setTextModeShortcuts(bool menusOwnThem) = 0;
    virtual void setDeleteStaveShortcut(bool on) = 0;

    virtual void openPreview() = 0;
    virtual void closePreview() = 0;

    // The current page changed (or the header/footer screen opened or closed): the
    // page bitmap is rebuilt for it, drawn and shown from its top; the entry cursor,
    // if it was showing, is drawn again on the current stave.
    virtual void showCurrentPage() = 0;
    virtual void updateStatus() = 0;
    // "Define &Header/Footer" reads "Close &Header/Footer screen" while the screen is open.
    virtual void setHeaderFooterCaption(bool screenOpen) = 0;

    // The provisional object, drawn by exclusive-or over the current stave: shown or
    // removed. The host keeps it right across redraws of the stave under it.
    virtual void setProvisionalMark(bool /*shown*/) {}
    // The hold timer: armed for a second, or stopped.
    virtual void startHoldTimer() {}
    virtual void stopHoldTimer() {}
    virtual void scrollIntoView(int /*x*/, int /*y*/) {}
    // Scrolls as little as needed for the whole band of stave s (and the cursor's x)
    // to be in view.
    virtual void scrollStaveIntoView(int /*s*/) {}
    // Dragging the page: scrolls by a distance in screen pixels.
    virtual void scrollBy(int /*dx*/, int /*dy*/) {}
    // Movestave's outline of stave s moved down by dy; s < 0 removes it.
    virtual void showStaveOutline(int /*s*/, int /*dy*/) {}
    virtual void placePointer(int /*x*/, int /*y*/) {}
    virtual void beep() {}
    // The defaults panel: the default duration, stem and style.
    virtual void showDefaults(const std::string& /*text*/) {}

    // Edit mode's current object (the editor's currentObject on the current stave):
    // drawn in the Edit colour, or drawn normally again.
    virtual void setCurrentObjectMark(bool /*shown*/) {}
    // While the current object is dragged the stave is drawn without it and the
    // object shown by exclusive-or, so each move only erases and redraws the object;
    // at the end of the drag the stave is drawn again with it in place.
    virtual void setObjectDragged(bool /*dragged*/) {}
    // The placing modes' marks: what was shown before is erased, these are drawn.
    virtual void showPlacingMarks(const PlacingMarks& /*marks*/) {}
    // Edit mode's pointer chosen with "+": 5, the cross or 6, remembered in the settings.
    virtual void setEditPointer(int /*pointer*/) {}
    // Compressi's limit line: a vertical line at x from y top to y bottom (page
    // units) showing how far the music can be squeezed; hidden again on leaving.
    virtual void showCompressLimit(int /*x*/, int /*top*/, int /*bottom*/) {}
    virtual void hideCompressLimit() {}
    // Whether the mouse pointer is over the score area (typed text goes only there).
    virtual bool pointerInScoreArea() const { return true; }
    // Block mode's box, drawn by exclusive-or: the box being dragged out, or the
    // target box of a copy or move. Showing a box erases the one shown before.
    virtual void showBlockBox(const BlockBox& /*box*/) {}
    virtual void hideBlockBox() {}
};

} // namespace qv
