// The block modes: dragging out a block box (Defblock), and placing a copy or a
// move of the marked block (BlockCpy, BlockVb). The operations themselves are the
// layout's block operations; these modes drive them from the mouse and the keys
// and keep the box on the screen.

#include "edit/attributes/showattributes.h"
#include "edit/attributes/textattributes.h"
#include "edit/blockplacing.h"
#include "edit/modes/modeset.h"
#include "edit/navigation.h"
#include "edit/picturecommands.h"
#include "model/ui.h"

#include <cstdlib>

namespace qv {

namespace {

constexpr std::uint32_t ShortestBlockDrag = 500; // ms: a quicker release is a click, not a block

BlockBox targetBox(const Editor& ed) {
    const int dx = ed.block.targetX - ed.block.sourceX, dy = ed.block.targetY - ed.block.sourceY;
    const BlockBox& b = ed.blockBox;
    return BlockBox{b.left + dx, b.top + dy, b.right + dx, b.bottom + dy};
}

// Shows the page of the target first stave when it is not the one shown, then the box.
void showTarget(EditSession& session) {
    Editor& ed = session.editor;
    const int page = session.score.stave(ed.block.targetFirst).PageNum;
    if (page != ed.currentPage()) {
        goToPage(session.score, ed.page, page, session.ui);
        session.host.showCurrentPage();
    }
    const BlockBox box = targetBox(ed);
    session.host.showBlockBox(box);
    session.host.scrollIntoView(box.left, box.top);
    session.host.placePointer(ed.block.targetX, ed.block.targetY);
}

} // namespace

bool placingBlock(const EditSession& session) {
    return session.editor.mode == ModeBlockVb || session.editor.mode == ModeBlockCpy;
}

void carryBlockToPage(EditSession& session, int direction) {
    if (!placingBlock(session)) return;
    if (stepTargetPage(session.score, session.editor.block, direction, session.ui)) showTarget(session);
}

void alterBlockAttributes(EditSession& session) {
    const std::vector<ObjectKind> kinds = alterableKinds(session.editor.block);
    if (kinds.empty()) {
        showInformation(session.ui, NothingAlterableMessage);
        return;
    }
    ObjectKind kind = kinds.front();
    if (kinds.size() > 1) {
        std::vector<int> offered;
        for (ObjectKind k : kinds)
            offered.push_back(static_cast<int>(k));
        const std::optional<int> chosen = session.ui.chooseObjectType(offered);
        if (!chosen) return;
        kind = static_cast<ObjectKind>(*chosen);
    }
    // Texts have their own dialog, which records its own undo.
    if (kind == ObjectKind::ShortText || kind == ObjectKind::LongText) return blockTextAttributes(session);
    blockAttributes(session, kind);
}

namespace modes {

namespace {

// What every block mode does when it ends for Music: the box goes, and so do the marks.
void endBlock(EditSession& session) {
    Editor& ed = session.editor;
    session.host.promptsOff();
    session.host.hideBlockBox();
    const bool marked = ed.block.any();
    const int first = ed.block.first, last = ed.block.last;
    releaseBlock(session.score, ed.block);
    if (marked) session.host.redrawStaves(first, last);
}

class DefblockMode : public EscapeEnds {
  public:
    void enter(EditSession& session, int) override { session.host.promptsOff(); }
    void leave(EditSession& session, int next) override {
        if (backToMusic(next)) endBlock(session);
    }
    // Also without the button: after "&Ignore that" the box follows the pointer from
    // the same press point until the next release.
    void mouseMove(EditSession& session, const MouseEvent& mouse) override {
        session.host.scrollIntoView(mouse.point.x, mouse.point.y);
        const PagePoint from = session.editor.pressPoint;
        session.host.showBlockBox(BlockBox::spanning(from.x, from.y, mouse.point.x, mouse.point.y));
    }
    void mouseRelease(EditSession& session, const MouseEvent& mouse) override {
        if (mouse.button != LeftButton) return;
        Editor& ed = session.editor;
        if (mouse.time - ed.pressTime < ShortestBlockDrag) {
            SetMode(session, ModeMusic);
            return;
        }
        const int first = ed.block.first, last = ed.block.last; // marks of an ignored box
        const PagePoint from = ed.pressPoint;
        ed.blockBox = BlockBox::spanning(from.x, from.y, mouse.point.x, mouse.point.y);
        const bool marked = markBox(session.score, ed.block, ed.blockBox, ed.currentPage(), session.ui);
        if (first) session.host.redrawStaves(first, last);
        if (!marked) {
            ed.cursorX = mouse.point.x;
            if (session.settings.Level <= Standard) showInformation(session.ui, NothingEnclosedMessage);
            SetMode(session, ModeMusic);
            return;
        }
        session.host.redrawStaves(ed.block.first, ed.block.last); // in the marked colour
        switch (session.ui.blockModeAction()) {
        case BlockCopy: SetMode(session, ModeBlockCpy); break;
        case BlockMove: SetMode(session, ModeBlockVb); break;
        case BlockDelete:
            deleteBlock(session.score, ed.block, session.ui);
            session.host.redrawPage();
            SetMode(session, ModeMusic);
            break;
        case BlockAlterAttributes:
            alterBlockAttributes(session);
            SetMode(session, ModeMusic);
            break;
        case BlockIgnore:
            // The same press point: the next move and release define the box again.
            session.host.hideBlockBox();
            break;
        case BlockPcxExport:
            exportBlockPicture(session);
            SetMode(session, ModeMusic);
            break;
        default: SetMode(session, ModeMusic); break;
        }
    }
};

class PlacingBlockMode : public EditMode {
  public:
    PlacingBlockMode(bool move, int prompt) : move_(move), prompt_(prompt) {}
    void enter(EditSession& session, int) override {
        showModePrompt(session, prompt_);
        session.host.showBlockBox(targetBox(session.editor));
    }
    void leave(EditSession& session, int next) override {
        if (backToMusic(next)) endBlock(session);
    }
    void mouseMove(EditSession& session, const MouseEvent& mouse) override {
        if (mouse.buttons & LeftButton) return;
        Editor& ed = session.editor;
        int dx = mouse.point.x - ed.previousMousePoint.x, dy = mouse.point.y - ed.previousMousePoint.y;
        if (!ed.block.freePlacing())
            dy = 0;
        else if (mouse.modifiers & ModShift)
            (std::abs(dx) >= std::abs(dy) ? dy : dx) = 0;
        moveBy(session, dx, dy);
    }
    void mouseRelease(EditSession& session, const MouseEvent& mouse) override {
        if (mouse.button == LeftButton)
            putDown(session);
        else if (mouse.button == RightButton)
            abandon(session);
    }
    void moveHorizontally(EditSession& session, int delta) override {
        moveBy(session, delta, 0);
        session.host.placePointer(session.editor.block.targetX, session.editor.block.targetY);
    }
    void moveVertically(EditSession& session, int direction, bool large) override {
        if (!session.editor.block.freePlacing()) return;
        moveBy(session, 0, direction * (large ? 5 : 1));
        session.host.placePointer(session.editor.block.targetX, session.editor.block.targetY);
    }
    void keyPress(EditSession& session, const KeyEvent& key) override {
        if (key.character == 27)
            abandon(session);
        else if (key.character == '\r')
            putDown(session);
    }
    void keyRelease(EditSession& session, const KeyEvent& key) override {
        if (key.key != KeyPageUp && key.key != KeyPageDown) return;
        const int direction = key.key == KeyPageUp ? -1 : +1;
        BlockState& block = session.editor.block;
        bool moved = false;
        if (key.modifiers == ModAlt)
            moved = stepTargetPage(session.score, block, direction, session.ui);
        else if (key.modifiers == ModCtrl)
            moved = stepTargetSystem(session.score, block, direction, session.ui);
        else if (key.plain())
            moved = stepTargetStave(session.score, block, direction, session.ui);
        if (moved) showTarget(session);
    }

  private:
    void moveBy(EditSession& session, int dx, int dy) {
        BlockState& block = session.editor.block;
        block.targetX += dx;
        block.targetY += dy;
        session.host.showBlockBox(targetBox(session.editor));
    }
    void putDown(EditSession& session) {
        Editor& ed = session.editor;
        if (!copyBlock(session.score, ed.block, move_, session.ui)) return;
        session.host.redrawPage();
        if (!move_) {
            session.host.showBlockBox(targetBox(ed));
            return;
        }
        session.host.placePointer(ed.block.targetX, ed.block.targetY);
        ed.cursorX = ed.block.targetX;
        const int target = ed.block.targetFirst;
        SetMode(session, ModeMusic);
        makeStaveCurrent(session, target);
    }
    void abandon(EditSession& session) {
        const int target = session.editor.block.targetFirst;
        SetMode(session, ModeMusic);
        if (target >= 1 && target <= session.score.Nstaves) {
            goToPage(session.score, session.editor.page, session.score.stave(target).PageNum, session.ui);
            session.host.showCurrentPage();
            makeStaveCurrent(session, target);
        }
    }
    bool move_;
    int prompt_;
};

} // namespace

EditMode& defblock() {
    static DefblockMode mode;
    return mode;
}

EditMode& blockMove() {
    static PlacingBlockMode mode(true, 552);
    return mode;
}

EditMode& blockCopy() {
    static PlacingBlockMode mode(false, 550);
    return mode;
}

} // namespace modes
} // namespace qv
