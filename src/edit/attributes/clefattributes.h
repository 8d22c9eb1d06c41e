#pragma once
// The clef dialog's model, which also serves accidentals: a type and a size, each
// NoChange where the marked objects of a block differ.

#include "edit/attributes/noteattributes.h"

#include <string>
#include <vector>

namespace qv {

struct ClefAttributes {
    bool accidental = false; // an accidental: the type is its value + 2
    bool block = false;
    int type = 0; // clef: 0 treble, 1 bass, 2 alto, 3 tenor; accidental: 0 double flat .. 4 double sharp
    int size = 0; // 0 normal, 1 small

    std::string caption() const { return accidental ? "Accidental attributes" : "Clef attributes"; }
    // A block of accidentals can change only their size.
    bool typeShown() const { return !(accidental && block); }
    // The glyph the preview shows for a type and size (NoChange: the normal one).
    int previewSymbol() const;
};

ClefAttributes clefAttributesOf(const ScoreObject& o);
ClefAttributes blockClefAttributes(const std::vector<ScoreObject>& objects, bool accidental);
// Writes the choice over a clef or accidental (its glyph follows), leaving NoChange values alone.
void applyClefAttributes(ScoreObject& o, const ClefAttributes& a);

} // namespace qv
