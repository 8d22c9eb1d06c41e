#pragma once
// The undo store: before an operation changes a stave it records the stave as it
// was; Undo puts the newest records back. The records live in a ring in memory
// whose depth is the "Undo" setting; 0 switches undo off. Groups of records (many
// staves changed at once) are undone as one step, and a sequence number in every
// record makes a ring that has wrapped refuse instead of restoring a wrong stave.

#include "model/stave.h"

#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

class Score;
class Ui;

// What undoing a record does beyond copying its stave back.
enum UndoCode : int {
    UndoStave = 1,           // a change to one stave, and the companions of groups
    UndoDeletedStave = 2,    // the stave is inserted again at its index
    UndoInsertedStaves = 3,  // the `count` staves inserted after it are removed
    UndoFollowingStave = 4,  // later staves move by as much as this one moves back
    UndoBinding = 5,         // binding to the next stave: the next stave's record follows
    UndoStaveRange = 6,      // a range or set of staves, `count` records in all
};

inline const char* const UndoOffMessage = "Undo is off: depth set at 0.\n\nCannot undo.";
inline const char* const UndoExceededMessage = "Undo depth exceeded. Cannot undo.";

// One record: the number of live records before it was written, how many staves
// its step covers, its code, the stave it belongs to and that stave as it was.
struct UndoRecord {
    std::int32_t sequence = 0;
    std::uint8_t count = 1;
    std::uint8_t code = UndoStave;
    std::uint8_t stave = 0;
    Stave copy;
};

class UndoStore {
  public:
    // Empties the store and sets its depth (0 switches undo off).
    void open(int depth);
    int depth() const { return depth_; }
    int live() const { return live_; }

    // Records stave s before a change; the score is marked modified even with undo off.
    void pushStave(Score& score, int s, int code);
    // A group for a set of staves, or for the run of `count` staves from s; the head
    // record (the lowest stave) is written last so that it is read back first.
    void pushStaveSet(Score& score, const std::bitset<256>& staves, int code);
    void pushStaveRange(Score& score, int s, int code, int count);
    // Records the whole score before `count` staves are put in anywhere: every music
    // stave as one range, then a head that takes `count` staves out after stave 1.
    // Undoing it puts every stave back at its index as it was, page numbers and
    // positions included, wherever the new staves went (also above stave 1).
    void pushInsertion(Score& score, int count);
    // Makes room for the next `records` records to be written without wrapping onto
    // each other: a step written as two groups (a range and its head) stays whole
    // even in a store shallower than the step.
    void reserve(int records) { if (depth_ > 0) grow(records); }
    // Forgets the n newest records (an abandoned edit or a cancelled operation).
    void dropRecords(int n);
    // Restores the newest step. Returns the stave of the record restored last, or -1
    // when nothing could be restored (the reason shown as an error).
    int undoStep(Score& score, Ui& ui);

  private:
    void write(const Score& score, int s, int code, int count);
    void grow(int needed);
    int back(int slot) const { return slot == 0 ? depth_ - 1 : slot - 1; }
    bool intact(int slot, int sequence) const;
    // How many records after a head belong to its step.
    static int furtherRecords(const Score& score, const UndoRecord& r);
    void restore(Score& score, const UndoRecord& r);

    std::vector<UndoRecord> slots_; // grows up to the depth as records are written
    int depth_ = 0;
    int write_ = 0; // the slot for the next record
    int live_ = 0;  // records that can still be undone
};

} // namespace qv
