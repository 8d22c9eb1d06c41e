#pragma once
// The editing state of the score window: one set of values that every editing
// command reads and writes. Positions are page units, y growing downwards.

#include "edit/drawingstate.h"
#include "edit/modes.h"
#include "layout/compress.h"
#include "layout/blocks.h"
#include "layout/pagination.h"
#include "model/scoreobject.h"
#include "model/stave.h"

#include <array>
#include <cstdint>

namespace qv {

struct PagePoint {
    int x = 0;
    int y = 0;
    bool operator==(const PagePoint&) const = default;
};

// Modifier keys of the last key press or release.
struct ShiftState {
    bool shift = false;
    bool alt = false;
    bool ctrl = false;
    bool operator==(const ShiftState&) const = default;
};

struct Editor {
    static std::array<std::uint8_t, 256> filledArray() {
        std::array<std::uint8_t, 256> a{};
        a.fill(0xFF);
        return a;
    }
    int mode = ModeNothing;
    int previousMode = ModeNothing;
    // Current stave (0 while the header/footer screen is shown), current page,
    // page count and the drag limits of the current stave.
    PageState page;
    int savedPage = 1; // shown again when the header/footer screen closes
    int cursorX = 0;
    int currentObject = 0; // Edit mode's selected object, 0 for none
    std::array<bool, 256> openForEdit{};
    PagePoint mousePoint;
    PagePoint previousMousePoint; // the pointer before the last move
    PagePoint pressPoint;
    std::uint32_t pressTime = 0;
    PagePoint holdPoint;
    int holdStave = 0;
    bool holdTimerArmed = false;
    ShiftState shiftState;
    // The modifiers held when each key (by code) went down, 0xFF for none: a key acts
    // on its release with them, even when Shift is let go a moment before the key.
    std::array<std::uint8_t, 256> modifiersAtPress = filledArray();
    bool swallowNextKeyRelease = false;
    bool hintsShown = false;
    int promptNumber = 0;
    bool startedFromTemplate = false;
    int chosenShape = 0;     // Drawing mode's shape: 0, 1 rectangle; 2, 3 circle; ...
    PagePoint placingPoint;  // where the placing modes put their next object
    bool firstPointPlaced = false;
    // What bytes 6..19 of a new note take: duration, last position, dots, stem ...
    // (the other bytes unused); all zero at first: a breve, stem up, normal size.
    ScoreObject defaultNote{};
    // The current stave's last position before the provisional note changed it, put
    // back when the note is abandoned.
    int lastPositionBefore = 0;
    bool lastPositionSaved = false;
    PagePoint moveStart; // Movestave: where the drag began
    int moveStartY = 0;  // and the stave's Ycoord then
    PagePoint dragStart; // Dragging: the last pointer position on the screen, in pixels
    DrawingState drawing; // the placing modes' work in progress
    PlacingMarks marks;   // the placing modes' marks as last shown
    // Edit mode: the stave as it was when the edit began, put back when it is
    // abandoned, and whether the current object is being dragged with the mouse.
    Stave savedStave{};
    int savedStaveIndex = -1; // -1: nothing saved
    bool objectDragged = false;
    // Compressi: whether the button is down, where it went down, and the
    // direction the drag has fixed (None until the pointer leaves the dead zone).
    bool compressPressed = false;
    int compressPressX = 0;
    CompressDirection compressDirection = CompressDirection::None;
    // Block mode: the marked block and where it is to go, and the box it was marked
    // with (the target box is this box moved by the target corner's offset).
    BlockState block;
    BlockBox blockBox;
    // The information window's page when it was last closed (0 "&Document").
    int informationPage = 0;

    int currentStave() const { return page.currentStave; }
    int currentPage() const { return page.currentPage; }
    bool inHeaderFooterScreen() const { return page.currentStave == 0; }
};

} // namespace qv
