#pragma once
// Little-endian reading and writing of multi-byte fields inside byte buffers.
// Objects and file records are byte arrays; nothing casts unaligned memory.

#include <cstddef>
#include <cstdint>

namespace qv {

inline std::uint16_t getU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::int16_t getI16(const std::uint8_t* p) { return static_cast<std::int16_t>(getU16(p)); }
inline std::uint32_t getU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline void putU16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v & 0xFF);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void putI16(std::uint8_t* p, std::int16_t v) { putU16(p, static_cast<std::uint16_t>(v)); }
inline void putU32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF);
}

} // namespace qv
