#include "interchange/pitch.h"

#include <cstdlib>

namespace qv {

namespace {

// The diatonic number of the middle line under each clef: B4, D3, C4, A3.
int middleLine(int clefType) {
    static constexpr int Middle[4] = {4 * 7 + 6, 3 * 7 + 1, 4 * 7 + 0, 3 * 7 + 5};
    return clefType >= 0 && clefType <= 3 ? Middle[clefType] : Middle[0];
}

int stepIndex(char step) {
    static constexpr char Order[] = "CDEFGAB";
    for (int i = 0; i < 7; ++i)
        if (Order[i] == step) return i;
    return 0;
}

int floorDiv(int a, int b) {
    const int q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

} // namespace

int diatonicNumber(WrittenPitch p) {
    return p.octave * 7 + stepIndex(p.step);
}

int staffPositionOf(WrittenPitch p, int clefType, int octaveChange) {
    return diatonicNumber(p) - middleLine(clefType) - 7 * octaveChange;
}

WrittenPitch pitchAt(int position, int clefType, int octaveChange) {
    const int d = position + middleLine(clefType) + 7 * octaveChange;
    const int octave = floorDiv(d, 7);
    return WrittenPitch{"CDEFGAB"[d - 7 * octave], octave};
}

int keyAlter(int fifths, char step) {
    // Sharps come in the order F C G D A E B, flats in the reverse.
    static constexpr char Sharps[] = "FCGDAEB";
    const int n = std::abs(fifths);
    for (int i = 0; i < n && i < 7; ++i) {
        const char letter = fifths > 0 ? Sharps[i] : Sharps[6 - i];
        if (letter == step) return fifths > 0 ? 1 : -1;
    }
    return 0;
}

} // namespace qv
