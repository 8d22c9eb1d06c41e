#pragma once
// The title, subtitle and composer of a MusicXML document: centred and
// right-aligned long texts above the first stave, so that they print on the
// first page only.

#include "interchange/musicxmldata.h"
#include "model/score.h"

namespace qv {

class Ui;

// Called once the staves are built. Nothing when the document names no title,
// subtitle or composer; when the first stave has no room for them they go to the
// header (with its height set), which prints them on every page.
void placeCredits(Score& score, const mx::Document& doc, Ui& ui);

} // namespace qv
