#include "transpose/keyrule.h"

namespace qv {

int transposeKey(int k, int direction) {
    // Old k -7..+7 to the key a semitone away, spelt with the fewer accidentals:
    // up from F is G flat, from C is D flat; down from D is D flat, from C is B.
    static constexpr int Up[15] = {0, 1, 2, 3, 4, 5, -6, -5, -4, -3, -2, -1, 0, 1, 2};
    static constexpr int Down[15] = {-2, -1, 0, 1, 2, 3, 4, 5, 6, -5, -4, -3, -2, -1, 0};
    if (k < -7 || k > 7) return k; // not a key: left as it is
    return direction > 0 ? Up[k + 7] : Down[k + 7];
}

char noteLetter(int position, int clefType) {
    static constexpr int Shift[] = {1, -4, 2, 0}; // treble, bass, alto, tenor
    const int a = clefType >= 0 && clefType <= 3 ? Shift[clefType] : Shift[0];
    return static_cast<char>('A' + ((position + a + 49) % 7 + 7) % 7);
}

KeyRule::KeyRule(int oldKey, int direction) : newKey(transposeKey(oldKey, direction)), direction_(direction), oldKey_(oldKey) {
    if (direction > 0) {
        // Into a flat key a step higher, or into a sharp key on the same step.
        if (oldKey >= -1) change_ = -1, step = 1;
        else change_ = +1, step = 0;
    } else {
        if (oldKey >= 2) change_ = -1, step = 0;
        else change_ = +1, step = -1;
    }
}

int KeyRule::accidentalChange(char letter) const {
    // A semitone between letters (E-F, B-C) is crossed by the step alone.
    if (direction_ > 0 && oldKey_ >= -1 && (letter == 'B' || letter == 'E')) return 0;
    if (direction_ < 0 && oldKey_ < 2 && (letter == 'C' || letter == 'F')) return 0;
    return change_;
}

} // namespace qv
