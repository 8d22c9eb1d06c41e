#pragma once
// The program's pointers, 32 x 32 with alpha, each with its hot spot.

#include <QImage>
#include <QPoint>

namespace iconsgen {

inline constexpr int PointerPixels = 32;

struct PointerArt {
    QImage image;   // ARGB, transparent around the pointer
    QPoint hotSpot; // the pixel the pointer points at
};

// Pointer 1..15 (8 is our cross); a null image for any other number.
PointerArt renderPointer(int number);

} // namespace iconsgen
