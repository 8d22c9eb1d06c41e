#include "model/stave.h"

namespace qv {

std::uint8_t Stave::CFlag() const {
    return static_cast<std::uint8_t>((joinToNext ? CFlagJoinToNext : 0) | (bracket ? CFlagBracket : 0) |
                                     (bracketWithNext ? CFlagBracketWithNext : 0) | (brace ? CFlagBrace : 0) |
                                     (barLineThrough ? CFlagBarLineThrough : 0) |
                                     (fullEndBar ? CFlagFullEndBar : 0));
}

void Stave::setCFlag(std::uint8_t bits) {
    joinToNext = bits & CFlagJoinToNext;
    bracket = bits & CFlagBracket;
    bracketWithNext = bits & CFlagBracketWithNext;
    brace = bits & CFlagBrace;
    barLineThrough = bits & CFlagBarLineThrough;
    fullEndBar = bits & CFlagFullEndBar;
}

} // namespace qv
