#include "interchange/pitch.h"

namespace qv {

namespace {

// The diatonic index of the middle line under each clef.
int middleLine(int clefType) {
    switch (clefType) {
    case 1: return 3 * 7 + 1;  // bass: D3
    case 2: return 4 * 7 + 0;  // alto: C4
    case 3: return 3 * 7 + 5;  // tenor: A3
    default: return 4 * 7 + 6; // treble: B4
    }
}

int floorDiv7(int n) {
    return n >= 0 ? n / 7 : -((-n + 6) / 7);
}

} // namespace

int diatonicIndex(int position, int clefType) {
    return middleLine(clefType) + position;
}

char stepOfIndex(int diatonic) {
    static constexpr char Letters[] = "CDEFGAB";
    return Letters[diatonic - 7 * floorDiv7(diatonic)];
}

int octaveOfIndex(int diatonic) {
    return floorDiv7(diatonic);
}

int keyAlter(char step, int key) {
    // Sharps are added in the order F C G D A E B, flats in the reverse order.
    static constexpr char Order[] = "FCGDAEB";
    for (int i = 0; i < 7; ++i) {
        if (Order[i] != step) continue;
        if (key > 0 && i < key) return 1;
        if (key < 0 && 6 - i < -key) return -1;
        return 0;
    }
    return 0;
}

Pitch pitchAt(int position, int clefType, int alter) {
    const int d = diatonicIndex(position, clefType);
    return Pitch{stepOfIndex(d), alter, octaveOfIndex(d)};
}

} // namespace qv
