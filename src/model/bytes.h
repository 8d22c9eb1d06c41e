#pragma once
// Little-endian reading and writing of multi-byte fields inside byte buffers.
// Objects and file records are byte arrays; nothing casts unaligned memory.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace qv {

// Positions wrap like 32-bit registers instead of overflowing: a damaged file may
// hold extreme extents, and the arithmetic must stay defined.
inline std::int32_t wrap32(std::int64_t v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); }

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

// A length-prefixed string in a field of `capacity` characters after its length
// byte. A length byte larger than the field (a damaged file) reads as the whole
// field, never beyond it.
inline std::string getLpString(const std::uint8_t* field, int capacity) {
    const int length = std::min<int>(field[0], capacity);
    return std::string(reinterpret_cast<const char*>(field + 1), static_cast<std::size_t>(length));
}
// Stores at most `capacity` characters and zero-fills the rest of the field.
inline void putLpString(std::uint8_t* field, int capacity, const std::string& s) {
    const int length = std::min<int>(static_cast<int>(s.size()), capacity);
    field[0] = static_cast<std::uint8_t>(length);
    for (int i = 0; i < capacity; ++i)
        field[1 + i] = i < length ? static_cast<std::uint8_t>(s[static_cast<std::size_t>(i)]) : 0;
}

} // namespace qv
