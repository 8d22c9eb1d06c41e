#include "model/undostore.h"

#include "model/score.h"
#include "model/staveops.h"
#include "model/ui.h"

#include <algorithm>

namespace qv {

void UndoStore::open(int depth) {
    *this = UndoStore{};
    depth_ = std::clamp(depth, 0, 100000);
}

void UndoStore::grow(int needed) {
    // A group never wraps onto itself: the ring grows to hold it whole.
    if (write_ + needed > depth_) depth_ = write_ + needed;
}

void UndoStore::write(const Score& score, int s, int code, int count) {
    if (slots_.size() <= static_cast<std::size_t>(write_)) slots_.resize(static_cast<std::size_t>(write_) + 1);
    UndoRecord& r = slots_[static_cast<std::size_t>(write_)];
    r.sequence = live_;
    r.count = static_cast<std::uint8_t>(std::clamp(count, 1, 255));
    r.code = static_cast<std::uint8_t>(code);
    r.stave = static_cast<std::uint8_t>(s);
    r.copy = score.stave(s);
    ++live_;
    write_ = write_ + 1 == depth_ ? 0 : write_ + 1;
}

void UndoStore::pushStave(Score& score, int s, int code) {
    score.modified = true;
    if (depth_ == 0 || !score.hasStave(s)) return;
    if (code == UndoBinding && s < score.Nstaves) {
        // The pair must not wrap onto itself in a ring of one.
        grow(2);
        write(score, s + 1, UndoStave, 1);
    }
    write(score, s, code, 1);
}

void UndoStore::pushStaveSet(Score& score, const std::bitset<256>& staves, int code) {
    // Marked modified even with undo off, as a single push is: otherwise closing
    // after a block operation would not ask to save it.
    score.modified = true;
    if (depth_ == 0 || staves.none()) return;
    int lowest = -1, count = 0;
    for (int s = 0; s <= score.Nstaves; ++s) {
        if (!staves.test(static_cast<std::size_t>(s))) continue;
        if (lowest < 0) lowest = s;
        ++count;
    }
    if (lowest < 0) return;
    grow(count);
    for (int s = score.Nstaves; s > lowest; --s)
        if (staves.test(static_cast<std::size_t>(s))) write(score, s, UndoStave, 1);
    write(score, lowest, code, count);
}

void UndoStore::pushStaveRange(Score& score, int s, int code, int count) {
    score.modified = true;
    if (depth_ == 0 || !score.hasStave(s)) return;
    count = std::clamp(count, 1, 255);
    // A range never reaches past the last stave: its head would otherwise count
    // records that are not part of it.
    if (code == UndoStaveRange) count = std::min(count, std::max(1, score.Nstaves - s + 1));
    const bool companion = code == UndoInsertedStaves && s < score.Nstaves;
    grow(code == UndoStaveRange ? count : 1 + (companion ? 1 : 0));
    if (companion) write(score, s + 1, UndoFollowingStave, 1);
    if (code == UndoStaveRange)
        for (int t = std::min(s + count - 1, score.Nstaves); t > s; --t)
            write(score, t, UndoStave, 1);
    write(score, s, code, count);
}

void UndoStore::pushInsertion(Score& score, int count) {
    score.modified = true;
    if (depth_ == 0 || score.Nstaves < 1) return;
    grow(score.Nstaves + 1); // the range and its head stay whole in a shallow ring
    // With one stave the head alone puts it back; the head finds no range behind it.
    if (score.Nstaves >= 2) pushStaveRange(score, 1, UndoStaveRange, score.Nstaves);
    write(score, 1, UndoInsertedStaves, count);
}

void UndoStore::dropRecords(int n) {
    if (depth_ == 0) return;
    for (; n > 0 && live_ > 0; --n) {
        --live_;
        write_ = back(write_);
    }
}

bool UndoStore::intact(int slot, int sequence) const {
    return static_cast<std::size_t>(slot) < slots_.size() && slots_[static_cast<std::size_t>(slot)].sequence == sequence;
}

int UndoStore::furtherRecords(const Score& score, const UndoRecord& r) {
    switch (r.code) {
    case UndoDeletedStave:
    case UndoStaveRange:
        return r.count - 1;
    case UndoInsertedStaves: // the next stave's record, when a stave follows the removed ones
        return r.stave + r.count < score.Nstaves ? 1 : 0;
    case UndoBinding:
        return r.stave < score.Nstaves ? 1 : 0;
    default:
        return 0;
    }
}

int UndoStore::undoStep(Score& score, Ui& ui) {
    if (depth_ == 0) {
        showError(ui, UndoOffMessage);
        return -1;
    }
    if (live_ < 1) {
        showError(ui, UndoExceededMessage);
        return -1;
    }
    --live_;
    write_ = back(write_);
    // A slot written again since (the ring wrapped) holds a newer sequence number.
    if (!intact(write_, live_)) {
        showError(ui, UndoExceededMessage);
        return -1;
    }
    const UndoRecord& r = slots_[static_cast<std::size_t>(write_)];
    // A step is put back whole or not at all: when any record of its group has been
    // overwritten, the whole group is given up, so that no stave of it comes back
    // alone later.
    const int further = std::min(furtherRecords(score, r), live_);
    for (int k = 1, slot = back(write_); k <= further; ++k, slot = back(slot)) {
        if (intact(slot, live_ - k)) continue;
        dropRecords(further);
        showError(ui, UndoExceededMessage);
        return -1;
    }
    restore(score, r);
    int last = r.stave;
    for (int k = 0; k < further; ++k) {
        const int restored = undoStep(score, ui);
        if (restored < 0) break;
        last = restored;
    }
    score.modified = true;
    return last;
}

void UndoStore::restore(Score& score, const UndoRecord& r) {
    const int s = r.stave;
    if (r.code == UndoDeletedStave) {
        if (score.Nstaves < MaxStaves && s >= 1 && s <= score.Nstaves + 1) score.insertStave(s, r.copy);
        return;
    }
    if (s < 1 || s > score.Nstaves) return; // the header/footer stave is not put back
    const int wasY = score.stave(s).Ycoord;
    score.setStave(s, r.copy);
    if (r.code == UndoInsertedStaves) {
        score.removeStaves(s + 1, r.count);
    } else if (r.code == UndoFollowingStave) {
        // The staves below on its page moved with it; later pages did not.
        const int page = score.stave(s).PageNum;
        for (int t = s + 1; t <= score.Nstaves && score.stave(t).PageNum == page; ++t)
            ShiftStave(score, t, score.stave(s).Ycoord - wasY);
    }
}

} // namespace qv
