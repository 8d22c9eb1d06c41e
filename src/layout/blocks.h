#pragma once
// Block operations: marking the objects whose anchors lie in a box on the current
// page, and copying, moving and deleting the marked block. The marked objects are
// the score's marked sets (one per stave, bit = object index); the rest of the
// block's state is a BlockState. Positions are page units, y growing downwards.
// Every operation that changes staves records all of them first as one undo step.

#include "model/score.h"

#include <cstdint>
#include <vector>

namespace qv {

class Ui;

inline const char* const IncompleteCurveMessage =
    "One or more curves were incompletely enclosed. These will not be included in the box.";
inline const char* const TooManyObjectsMessage =
    "This copy operation would give too many objects on the target stave.\nCannot comply.";
inline const char* const CannotFitBlockMessage = "Cannot fit block into target system.";
inline const char* const BlockBeyondStaveMessage =
    "The block would put notes beyond the end of a stave.\n\nMove it further in and try again.";
inline const char* const CannotSplitBlockMessage = "Cannot split a block over 2 pages while copying.";
inline const char* const DeleteBarLinesQuestion = "Delete bar lines along with everything else?";
inline const char* const NothingAlterableMessage =
    "No objects in the box have attributes which can be altered.\nReturning to Music Mode.";

// A box with left <= right and top <= bottom; a point is inside when
// left <= x < right and top <= y < bottom.
struct BlockBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    // The box spanned by two opposite corners, in either order.
    static BlockBox spanning(int x1, int y1, int x2, int y2);
    bool contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
};

// A marked object as it was when the box was marked, by its index then.
struct MarkedObject {
    int index = 0;
    ScoreObject object;
};

struct BlockState {
    int first = 0; // first and last staves holding marked objects; 0: nothing marked
    int last = 0;
    std::uint32_t kinds = 0;      // bit k: an object of kind k is marked
    int sourceX = 0, sourceY = 0; // the corner the block was taken from
    int targetX = 0, targetY = 0; // where the copy or move puts that corner
    int targetFirst = 0;          // the stave that receives the first marked stave's objects
    // The marked objects of staves first..last as marked, in object order: copies are
    // made from these, so a copy put down on its own stave (which is tidied and
    // renumbered) can be put down again.
    std::vector<std::vector<MarkedObject>> saved;

    bool any() const { return first != 0; }
    bool has(ObjectKind k) const { return (kinds >> static_cast<unsigned>(k)) & 1U; }
    int targetLast() const { return targetFirst + (last - first); }
    // A marked kind that moves freely up and down lets the block be placed vertically.
    bool freePlacing() const;
};


// Marks the objects of the staves of `page` whose anchors lie in the box (whole
// curves only, long texts with all their chunks). Clears earlier marks first and
// sets the state's staves, kinds and source corner; the target starts at the source.
// Tells the user once when a curve was only partly inside. Returns whether anything
// is marked.
bool markBox(Score& score, BlockState& block, const BlockBox& box, int page, Ui& ui);
// Forgets the block: the marked sets are cleared.
void releaseBlock(Score& score, BlockState& block);

// Copies (or moves) the marked objects to the target corner and target staves.
// Refused, changing nothing, when a target stave would overflow. Returns whether
// the block was put down.
bool copyBlock(Score& score, BlockState& block, bool move, Ui& ui);
// Deletes the marked objects; asks first whether marked bar lines go too.
// Returns whether anything was deleted.
bool deleteBlock(Score& score, BlockState& block, Ui& ui);

// Moves the target by `staves` (negative: up), stepping further while its first and
// last staves lie on different pages; refused with a message when they never come
// together or the block would leave the score. The target corner's y follows.
bool moveTargetByStaves(const Score& score, BlockState& block, int staves, Ui& ui);
// PgUp/PgDn: one stave up or down (nothing at the top or bottom of the score).
bool stepTargetStave(const Score& score, BlockState& block, int direction, Ui& ui);
// Ctrl+PgUp/PgDn: the same place in the previous or next system.
bool stepTargetSystem(const Score& score, BlockState& block, int direction, Ui& ui);
// Alt+PgUp/PgDn: the first stave of the previous or next page.
bool stepTargetPage(const Score& score, BlockState& block, int direction, Ui& ui);

// The kinds of marked objects whose attributes a block can change, in the order the
// chooser offers them.
std::vector<ObjectKind> alterableKinds(const BlockState& block);

} // namespace qv
