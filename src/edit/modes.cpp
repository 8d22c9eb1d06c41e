#include "edit/modes.h"

#include <array>

namespace qv {

namespace {

constexpr std::array<ModeInfo, ModeCount> Table{{
    {"Nothing", 0xFFFFFF, PointerArrow},
    {"Music", 0x000000, PointerArrow},
    {"Defblock", 0x00FF00, 5},
    {"Edit", 0x0000FF, PointerEditSetting},
    {"Text", 0x008000, 2},
    {"Symbol", 0x008000, 3},
    {"Line", 0xFF0000, 1},
    {"Curve", 0x800080, 4},
    {"Hairpin", 0x800000, 1},
    {"Drawing", 0x000080, PointerCross},
    {"Movestave", 0x0000FF, 14},
    {"Justify", 0xFFFF00, 12},
    {"BlockVb", 0xFFFF00, 3},
    {"BlockCpy", 0x00FF00, 3},
    {"Compressi", 0xFFFF00, 9},
    {"Dragging", 0x00FFFF, 14},
    {"Preview", 0x008000, PointerArrow},
    {"HeadFoot", 0xFF00FF, 15},
    {"Waiting", 0x000000, PointerHourglass},
}};

} // namespace

const ModeInfo& modeInfo(int mode) {
    if (mode < 0 || mode >= ModeCount) return Table[0];
    return Table[static_cast<std::size_t>(mode)];
}

} // namespace qv
