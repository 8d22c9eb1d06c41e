#pragma once
// A stave record: its header fields and a fixed array of objects. The record is a
// plain value, copied whole for undo and for dialogs that edit a copy, so object
// links are indexes into `objects`, never pointers.

#include "model/scoreobject.h"

#include <array>
#include <cstdint>
#include <type_traits>

namespace qv {

inline constexpr int MaxObjects = 249;  // objects 1..249 may be in use
inline constexpr int ObjectSlots = 251; // slot 0 unused; slot Nobjec+1 is the provisional scratch
inline constexpr int MaxStaves = 255;   // music staves 1..255; stave 0 is the header/footer stave

// Binding bits as packed into the file's CFlag byte.
inline constexpr std::uint8_t CFlagJoinToNext = 1;
inline constexpr std::uint8_t CFlagBracket = 2;
inline constexpr std::uint8_t CFlagBracketWithNext = 4;
inline constexpr std::uint8_t CFlagBrace = 8;
inline constexpr std::uint8_t CFlagBarLineThrough = 16;
inline constexpr std::uint8_t CFlagFullEndBar = 32;

struct Stave {
    std::int32_t Ycoord = 0; // y of the middle line, page units
    std::int32_t MaxY = 0;   // bottom extent of the stave and its objects
    std::int32_t MinY = 0;   // top extent
    std::int16_t RightX = 0; // right end of the stave lines
    std::int16_t LeftX = 0;  // left end of the stave lines
    bool bracketWithNext = false;
    bool fullEndBar = false;
    bool bracket = false;
    bool barLineThrough = false;
    bool brace = false;
    bool joinToNext = false; // the stave below belongs to the same system
    bool ForcedBk = false;   // the next system starts on a new page
    bool invisible = false;  // stave lines not drawn
    std::int8_t lastPosition = 0; // staff position of the last note entered
    std::uint8_t PageNum = 0;
    std::uint16_t staveNumber = 0;
    std::uint16_t staveWord = 0;  // kept and saved, not otherwise used
    std::int32_t paramA = 0;      // kept and saved as a signed byte
    std::int32_t paramB = 0;      // kept and saved as a signed byte
    std::uint8_t lineValue = 0;   // 4-bit value kept beside the invisible flag
    std::uint8_t Nobjec = 0;
    std::array<ScoreObject, ObjectSlots> objects{};

    bool operator==(const Stave&) const = default;

    ScoreObject& object(int index) { return objects[static_cast<std::size_t>(index)]; }
    const ScoreObject& object(int index) const { return objects[static_cast<std::size_t>(index)]; }

    // The six binding flags packed as the file stores them, and back.
    std::uint8_t CFlag() const;
    void setCFlag(std::uint8_t bits);
};

static_assert(std::is_trivially_copyable_v<Stave>);

} // namespace qv
