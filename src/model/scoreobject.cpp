#include "model/scoreobject.h"

#include <algorithm>

namespace qv {

std::string ScoreObject::lpString(int at, int capacity) const {
    const int len = std::min<int>(bytes[at], capacity);
    return std::string(reinterpret_cast<const char*>(&bytes[at + 1]), static_cast<std::size_t>(len));
}

void ScoreObject::setLpString(int at, int capacity, const std::string& s) {
    const int len = std::min<int>(static_cast<int>(s.size()), capacity);
    bytes[at] = static_cast<std::uint8_t>(len);
    for (int i = 0; i < capacity; ++i)
        bytes[at + 1 + i] = i < len ? static_cast<std::uint8_t>(s[i]) : 0;
}

ScoreObject makeObject(ObjectKind kind, int x, int y) {
    ScoreObject o;
    o.setX(x);
    o.setY(y);
    o.setSymbolCode(SymbolSelf);
    o.setKind(kind);
    return o;
}

} // namespace qv
