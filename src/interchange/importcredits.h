#pragma once
// The title, subtitle and composer of a MusicXML document as header texts of the
// score: centred and right-aligned long texts on the header/footer stave, with
// the header made tall enough to hold them.

#include "interchange/musicxmldata.h"
#include "model/score.h"

namespace qv {

class Ui;

// Sets the score's header height; nothing when the document names no title,
// subtitle or composer.
void placeCredits(Score& score, const mx::Document& doc, Ui& ui);

} // namespace qv
