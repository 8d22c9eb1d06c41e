#include "edit/attributes/keysigattributes.h"

#include <array>
#include <cstdlib>

namespace qv {

std::string keyName(int count) {
    static constexpr std::array<const char*, 15> Names{
        "Cb major/Ab minor", "Gb major/Eb minor", "Db major/Bb minor", "Ab major/F minor", "Eb major/C minor",
        "Bb major/G minor",  "F major/D minor",   "C major/A minor",   "G major/E minor",  "D major/B minor",
        "A major/F# minor",  "E major/C# minor",  "B major/G# minor",  "F# major/D# minor", "C# major/A# minor"};
    if (count < -7 || count > 7) return {};
    return std::string(Names.at(static_cast<std::size_t>(count + 7))).substr(0, 30);
}

int KeysigAttributes::count() const {
    if (type == KeyNone) return 0;
    const int size = number != 0 ? number : std::max(1, std::abs(opened));
    return type == KeySharps ? size : -size;
}

KeysigAttributes keysigAttributesOf(int count) {
    KeysigAttributes a;
    a.opened = count;
    a.type = count > 0 ? KeySharps : count < 0 ? KeyFlats : KeyNone;
    a.number = std::abs(count) <= 6 ? std::abs(count) : 0;
    return a;
}

KeysigAttributes blockKeysigAttributes(const std::vector<ScoreObject>& keys) {
    KeysigAttributes a = keysigAttributesOf(keys.empty() ? 0 : keys.front().keyCount());
    a.block = true;
    for (const ScoreObject& k : keys)
        if (k.keyCount() != a.opened) {
            a.type = NoChange;
            a.number = 0;
            a.opened = 0;
        }
    return a;
}

void applyKeysigAttributes(ScoreObject& key, const KeysigAttributes& a) {
    if (!key.is(ObjectKind::KeySignature) || a.type == NoChange) return;
    key.setKeyCount(a.count());
}

} // namespace qv
