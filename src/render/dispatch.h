#pragma once
// The three ways an object reaches the page: a stored object of a stave, the
// provisional object being entered, and the current object of Edit mode. Each
// looks at the object's kind and calls that kind's drawer.

#include "model/score.h"
#include "render/drawcontext.h"

namespace qv {

// Draws object `index` of stave `stave`.
void DrawObject(DrawContext& dc, Score& score, int stave, int index, ColourValue colour, bool xorMode);

// Draws the provisional object on the current stave by exclusive-or in the Putative
// colour, so that drawing it again removes it. A provisional note is drawn from
// the slot after the stave's last object so that stems and beams are worked out
// against its neighbours.
void DrawProvisionalObject(DrawContext& dc, Score& score, int currentStave);

// Which object Edit mode has picked; nothing is current outside Edit mode.
struct CurrentObject {
    bool editMode = false;
    int stave = 0;
    int index = 0;
};
void DrawCurrentObject(DrawContext& dc, Score& score, const CurrentObject& current, ColourValue colour,
                       bool xorMode);

} // namespace qv
