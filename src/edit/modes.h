#pragma once
// The editing modes of the score window: their codes, the names the mode label
// shows, the label colours and the pointer each mode uses over the page.

#include <cstdint>

namespace qv {

enum Mode : int {
    ModeNothing = 0,
    ModeMusic = 1,
    ModeDefblock = 2,
    ModeEdit = 3,
    ModeText = 4,
    ModeSymbol = 5,
    ModeLine = 6,
    ModeCurve = 7,
    ModeHairpin = 8,
    ModeDrawing = 9,
    ModeMovestave = 10,
    ModeJustify = 11,
    ModeBlockVb = 12,
    ModeBlockCpy = 13,
    ModeCompressi = 14,
    ModeDragging = 15,
    ModePreview = 16,
    ModeHeadFoot = 17,
    ModeWaiting = 18,
};
inline constexpr int ModeCount = 19;

// Pointers that are not one of the program's numbered pointer images.
enum StandardPointer : int {
    PointerArrow = 0,
    PointerCross = -1,     // the program's own cross replaces the system one
    PointerHourglass = -2,
    PointerEditSetting = -3, // the edit pointer the user last chose
};

struct ModeInfo {
    const char* label;    // at most 9 characters
    std::uint32_t colour; // 0x00BBGGRR
    int pointer;          // 1..15: the program's pointer images; else a StandardPointer
};

// The row of the mode table for `mode`; ModeNothing's row for codes out of range.
const ModeInfo& modeInfo(int mode);

} // namespace qv
