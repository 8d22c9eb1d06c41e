#pragma once
// The score's font table: 255 numbered font descriptions that texts refer to by
// number, with the set of numbers in use.

#include <array>
#include <bitset>
#include <cstdint>
#include <string>

namespace qv {

class Ui;

// Style bits as stored in files.
inline constexpr std::uint8_t FontBold = 1;
inline constexpr std::uint8_t FontItalic = 2;
inline constexpr std::uint8_t FontUnderline = 4;
inline constexpr std::uint8_t FontStrikeOut = 8;

// A style as messages show it: "Normal", or the words "Bold", "Italic",
// "Underline", "Strikeout" joined by ", ".
std::string styleWords(std::uint8_t style);

inline constexpr int MaxFonts = 255;
inline constexpr int MaxFaceName = 31;

struct FontDesc {
    std::string name;          // face name, at most 31 characters
    int size = 0;              // points
    std::uint8_t style = 0;    // FontBold | FontItalic | ...
    std::uint32_t colour = 0;  // Windows colour value 0x00BBGGRR

    bool operator==(const FontDesc&) const = default;
};

inline const char* const TooManyFontsMessage = "Too many fonts used in this document. Standard font chosen.";

class FontTable {
  public:
    // Slot n (1..255); slot 0 is never used.
    const FontDesc& font(int n) const { return fonts_[static_cast<std::size_t>(n)]; }
    // Stores a description; an empty name never replaces a name already set.
    void setFont(int n, const FontDesc& f);

    bool inUse(int n) const { return used_.test(static_cast<std::size_t>(n)); }
    void markInUse(int n, bool on = true) { used_.set(static_cast<std::size_t>(n), on); }
    void clearInUse() { used_.reset(); }
    // Highest font number in use, 0 when none is.
    int highestInUse() const;

    // The number of an equal font among 1..highest in use, else the next free slot
    // above the highest in use (marked in use), else font 1 after telling the user.
    int registerFont(const FontDesc& f, Ui& ui);

    bool operator==(const FontTable&) const = default;

  private:
    std::array<FontDesc, MaxFonts + 1> fonts_{};
    std::bitset<256> used_;
};

} // namespace qv
