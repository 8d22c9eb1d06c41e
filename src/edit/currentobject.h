#pragma once
// Edit mode's current object: which objects can be current, picking the one nearest
// to a point, stepping to the next or previous one, and deleting it with the links
// of the objects around it repaired.

#include "edit/setmode.h"

namespace qv {

inline const char* const NoObjectSelectedMessage = "No object selected.";
inline const char* const DeleteObjectQuestion = "About to delete object. Are you sure?";

// Every object but deleted ones and the continuation chunks of long texts (they
// belong to their head); curve points only while the stave is open for edit.
bool selectable(const ScoreObject& object, bool openForEdit);

// Whether an index beyond `index` in direction `step` holds anything but a
// continuation chunk (the step buttons are enabled by it).
bool selectableBeyond(const Stave& stave, int index, int step);

// The current object of the current stave; nullptr when none.
ScoreObject* currentObject(EditSession& session);

// Makes the object of the current stave nearest to (x, y) current, highlighted, with
// the pointer on it; with `strict` nothing is picked beyond 25 page units. Returns
// its index, 0 for none.
int PickObject(EditSession& session, int x, int y, bool strict);

// The next (+1) or previous (-1) selectable object becomes current; `placePointer`
// puts the pointer on it (the keys do, the buttons do not).
void StepObject(EditSession& session, int step, bool placePointer = true);

// Del: deletes the current object (after asking a beginner or an intermediate
// user), repairs the beams, ties, curves and texts it belonged to, and makes the
// object nearest to it current; with none left, Music mode.
void DeleteCurrentObject(EditSession& session);

// The current object was changed: the stave is drawn again and the object
// highlighted on it.
void showCurrentChange(EditSession& session);

} // namespace qv
