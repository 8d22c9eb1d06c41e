#pragma once
// The one-choice dialog's model: a bar line's type, a time signature's type, or the
// thickness of a line, curve or hairpin (a curve also has its "&Dotted" flag).

#include "edit/attributes/noteattributes.h"

#include <string>
#include <vector>

namespace qv {

struct SingleAttributes {
    ObjectKind kind = ObjectKind::Barline;
    bool block = false;
    int item = 0;   // the chosen item from 0; NoChange: none chosen
    int dotted = 0; // a curve's flag: 0, 1, or NoChange (grey)

    std::string caption() const;
    // The radio items in order, with their accelerators.
    std::vector<std::string> items() const;
    // The time signature's items stand in three columns, the others in one.
    int columns() const { return kind == ObjectKind::TimeSignature ? 3 : 1; }
    bool dottedShown() const { return kind == ObjectKind::CurvePoint; }
};

// Whether the dialog serves objects of this kind.
bool singleDialogKind(ObjectKind kind);

SingleAttributes singleAttributesOf(const ScoreObject& o);
// Thicknesses of a block: the common value or none; a curve's flag grey when the points differ.
SingleAttributes blockSingleAttributes(const std::vector<ScoreObject>& objects, ObjectKind kind);
// Writes the choice over an object of the dialog's kind; its glyph follows.
void applySingleAttributes(ScoreObject& o, const SingleAttributes& a);

} // namespace qv
