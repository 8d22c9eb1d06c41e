#pragma once
// The "Key Signature" dialog's model: sharps, flats or none, and a number 1..6.
// Seven sharps or flats (reachable with the K key) open with no number chosen.

#include "edit/attributes/noteattributes.h"

#include <string>
#include <vector>

namespace qv {

enum KeyType : int { KeySharps = 0, KeyFlats = 1, KeyNone = 2 };

struct KeysigAttributes {
    bool block = false;
    int type = KeyNone; // NoChange: a block's key signatures differ
    int number = 0;     // 1..6, 0 when none is chosen
    int opened = 0;     // the count the dialog opened on

    // The count the choice stands for: a number left unchosen keeps the count's size.
    int count() const;
    bool numberEnabled() const { return type == KeySharps || type == KeyFlats; }
};

// "Cb major/Ab minor" (-7) .. "C major/A minor" (0) .. "C# major/A# minor" (+7), at most 30 characters.
std::string keyName(int count);

KeysigAttributes keysigAttributesOf(int count);
KeysigAttributes blockKeysigAttributes(const std::vector<ScoreObject>& keys);
// Stores the choice; a block's NoChange leaves the key signature alone.
void applyKeysigAttributes(ScoreObject& key, const KeysigAttributes& a);

} // namespace qv
