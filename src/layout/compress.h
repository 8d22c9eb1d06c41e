#pragma once
// Compressing a system left or right: the empty columns on one side of a pressed
// x are squeezed (or widened) so that the pressed column ends where the mouse is
// let go, while columns that hold ink keep their width. Positions are page units.

#include "layout/pagination.h"

#include <array>
#include <cstdint>

namespace qv {

class Ui;

inline const char* const NothingToCompress = "Nothing to do!";
inline const char* const NoCompressDirection = "No objects in that direction to compress!";
inline const char* const TooLittleSpace = "Cannot compress: too little space available";

enum class CompressDirection { None, Left, Right };

// The pointer must move this far from the press before a direction is fixed.
inline constexpr int CompressDeadZone = 5;

// Which columns of the page hold ink, indexed by page x 0..4000.
class ColumnMap {
  public:
    static constexpr int Columns = 4001;
    // Marks the column of an inked position q (entry q - 16; 16 or less gives
    // entry 0; q beyond the map is ignored).
    void markPosition(int q);
    // Marks entries from..to directly.
    void markColumns(int from, int to);
    bool occupied(int x) const { return x >= 0 && x < Columns && map_[static_cast<std::size_t>(x)] != 0; }
    // Occupied columns from..to, both included.
    int count(int from, int to) const;

  private:
    std::array<std::uint8_t, Columns> map_{};
};

// The map of the system of stave s: the protected `lcl` columns after that
// stave's left end, and the ink of every object of the system's staves.
ColumnMap systemColumns(const Score& score, int s, int lcl);

// The direction a drag from pressX to pointerX fixes, None within the dead zone.
CompressDirection dragDirection(int pressX, int pointerX);

// How far the music of the system of stave s can be squeezed from pressX in a
// direction: the x of the limit line and the system's height for drawing it.
struct CompressLimit {
    bool possible = false; // false: no ink between pressX and the stave's end
    int x = 0;
    int top = 0;
    int bottom = 0;
};
CompressLimit compressLimit(const Score& score, int s, int pressX, CompressDirection direction, int lcl);

// Compresses the system of stave s from the press x to the release x, recorded as
// one undo step. Returns whether anything changed; a refusal shows its reason.
bool Compress(Score& score, int s, int pressX, int releaseX, CompressDirection direction, int lcl, Ui& ui);

} // namespace qv
