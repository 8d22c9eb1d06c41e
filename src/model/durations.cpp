#include "model/durations.h"

#include <algorithm>

namespace qv {

const char* durationName(int code, int language) {
    static const char* const British[] = {"Breve",  "Semibreve",  "Minim",          "Crotchet",
                                          "Quaver", "Semiquaver", "Demisemiquaver", "Hemidemisemiquaver"};
    static const char* const American[] = {"Double whole note", "Whole note",     "Half note",
                                           "Quarter note",      "Eighth note",    "Sixteenth note",
                                           "Thirty-second note", "Sixty-fourth note"};
    const int i = std::clamp(code, 0, 7);
    return language == 1 ? American[i] : British[i];
}

} // namespace qv
