#include "transpose/transpose.h"

#include "layout/staveextent.h"
#include "model/score.h"
#include "model/staveops.h"
#include "model/ui.h"
#include "model/undostore.h"
#include "transpose/chordtext.h"
#include "transpose/keyroom.h"
#include "transpose/keyrule.h"
#include "layout/pagination.h"

#include <algorithm>
#include <bitset>
#include <cstdlib>
#include <optional>
#include <vector>

namespace qv {

namespace {

constexpr int StaffStep = 4; // page units from one staff position to the next

bool movesWithPitch(const ScoreObject& o) { return o.isNote() || o.is(ObjectKind::Accidental); }

int positionOf(const ScoreObject& o) { return o.is(ObjectKind::Accidental) ? o.accPosition() : o.staffPosition(); }

// Moves a note or an accidental `steps` staff positions up.
void raise(ScoreObject& o, int steps) {
    if (o.is(ObjectKind::Accidental)) o.setAccPosition(o.accPosition() + steps);
    else o.setStaffPosition(o.staffPosition() + steps);
    o.setY(o.y() - StaffStep * steps);
}

// The staves on which a note or an accidental comes before the first key
// signature, as the message lists them ("3, 7").
std::string stavesWithoutKeyFirst(const Score& score, int first, int last) {
    std::string list;
    for (int s = first; s <= last; ++s) {
        const Stave& stave = score.stave(s);
        for (int i = 1; i <= stave.Nobjec; ++i) {
            const ScoreObject& o = stave.object(i);
            if (o.is(ObjectKind::KeySignature)) break;
            if (!movesWithPitch(o)) continue;
            list += (list.empty() ? "" : ", ") + std::to_string(s);
            break;
        }
    }
    return list;
}

std::string transpositionError(int stave, char letter, int value) {
    return std::string("Transposition error\n") + "Stave      : " + std::to_string(stave) + "\nNote       : " +
           letter + "\nAccidental : " + (value < 0 ? "Double flat" : "Double sharp");
}

// A transposable text is respelt whole from its head; its chunks go with it. A
// text that grows past its chunk gains a chunk rather than losing its end.
void transposeText(Stave& stave, int head, int direction, Ui& ui) {
    const std::string old = longTextOf(stave, head);
    const std::string text = transposeChordText(old, direction);
    if (text == old) return;
    if (text.size() <= ChunkCapacity && stave.object(head).textNext() == 0)
        stave.object(head).setChunkText(text);
    else
        storeLongText(stave, head, text, TextStoreContext::EditingText, ui);
}

void semitoneStepOfStave(Score& score, int s, int direction, Ui& ui) {
    Stave& stave = score.stave(s);
    KeyRule rule;
    int clef = ClefTreble;
    for (int i = 1; i <= stave.Nobjec; ++i) {
        ScoreObject& o = stave.object(i);
        switch (o.kind()) {
        case ObjectKind::Clef:
            clef = o.clefType();
            break;
        case ObjectKind::KeySignature:
            rule = KeyRule(o.keyCount(), direction);
            o.setKeyCount(rule.newKey);
            break;
        case ObjectKind::Note:
            if (!o.isRest()) raise(o, rule.step);
            break;
        case ObjectKind::Accidental: {
            const char letter = noteLetter(o.accPosition(), clef);
            const int change = rule.accidentalChange(letter);
            if ((change < 0 && o.accValue() == -2) || (change > 0 && o.accValue() == 2))
                showError(ui, transpositionError(s, letter, o.accValue()));
            else
                o.setAccValue(o.accValue() + change);
            raise(o, rule.step);
            break;
        }
        case ObjectKind::CurvePoint:
        case ObjectKind::Arpeggio:
            o.setY(o.y() - StaffStep * rule.step);
            break;
        case ObjectKind::LongText:
            if ((o.textAttributes() & TextTransposable) && !o.isContinuation()) transposeText(stave, i, direction, ui);
            break;
        default:
            break;
        }
    }
}

// Whether semitone steps can be taken; false, with the staves named, when a stave
// has music before its key. Steps never change which comes first.
bool keysComeFirst(const Score& score, int first, int last, Ui& ui) {
    if (const std::string staves = stavesWithoutKeyFirst(score, first, last); !staves.empty()) {
        showError(ui, formatMessage(KeyFirstMessage, staves));
        return false;
    }
    return true;
}

// Notes and accidentals go an octave; slurs and arpeggios go with them, as they
// do a semitone at a time, so that a slur never stays behind over empty stave.
void octaveShift(Score& score, int first, int last, int direction) {
    for (int s = first; s <= last; ++s) {
        Stave& stave = score.stave(s);
        for (int i = 1; i <= stave.Nobjec; ++i) {
            ScoreObject& o = stave.object(i);
            if (movesWithPitch(o)) raise(o, 7 * direction);
            else if (o.is(ObjectKind::CurvePoint) || o.is(ObjectKind::Arpeggio)) o.setY(o.y() - 28 * direction);
        }
    }
}

// Staff steps by which a pitch sits higher written under the clef `type`.
int clefOffset(int type) {
    static constexpr int Offsets[] = {-6, +6, 0, +2}; // treble, bass, alto, tenor
    return type >= 0 && type <= ClefTenor ? Offsets[type] : 0;
}

void changeClef(Score& score, int s, int target) {
    Stave copy = score.stave(s);
    std::optional<int> inForce;
    bool firstClef = true;
    for (int i = 1; i <= copy.Nobjec; ++i) {
        ScoreObject& o = copy.object(i);
        if (o.is(ObjectKind::Clef)) {
            inForce = o.clefType();
            // A later clef that is already the target has nothing left to say.
            if (o.clefType() == target && !firstClef) o.setKind(ObjectKind::Deleted);
            else o.setClefType(target);
            firstClef = false;
        } else if (inForce && movesWithPitch(o)) {
            raise(o, clefOffset(target) - clefOffset(*inForce));
        }
    }
    score.setStave(s, copy);
}

void adjustStems(Score& score, int s) {
    Stave copy = score.stave(s);
    const auto isChainNote = [&copy](int i) {
        return i >= 1 && i <= copy.Nobjec && copy.object(i).is(ObjectKind::Note);
    };
    for (int i = 1; i <= copy.Nobjec; ++i) {
        ScoreObject& o = copy.object(i);
        if (o.isNote() && o.beamBack() == 0 && o.beamForward() == 0) o.setStem(o.staffPosition() > 0 ? 1 : 0);
    }
    std::bitset<ObjectSlots> handled;
    for (int i = 1; i <= copy.Nobjec; ++i) {
        const ScoreObject& start = copy.object(i);
        if (!start.isNote() || start.duration() < 4 || start.beamForward() == 0 || handled.test(i)) continue;
        // The chain as its forward links give it; a damaged link ends it.
        std::vector<int> chain;
        int sum = 0;
        for (int n = i; isChainNote(n) && !handled.test(static_cast<std::size_t>(n));
             n = copy.object(n).beamForward()) {
            handled.set(static_cast<std::size_t>(n));
            chain.push_back(n);
            sum += copy.object(n).staffPosition();
        }
        for (int n : chain)
            copy.object(n).setStem(sum > 0 ? 1 : 0);
    }
    score.setStave(s, copy);
}

// Staff positions are single signed bytes: a transposition that would carry a
// note past them is refused before anything changes.
constexpr int HighestPosition = 127;

bool withinPositions(const Score& score, const TransposeRequest& r) {
    const int reach = (std::abs(r.distance) == 12 ? 7 : std::abs(r.distance)) + (r.clefTarget ? 12 : 0);
    for (int s = r.first; s <= r.last; ++s) {
        const Stave& stave = score.stave(s);
        for (int i = 1; i <= stave.Nobjec; ++i)
            if (movesWithPitch(stave.object(i)) && std::abs(positionOf(stave.object(i))) + reach > HighestPosition)
                return false;
    }
    return true;
}

} // namespace

bool Transpose(Score& score, const TransposeRequest& request, UndoStore* undo, Ui& ui) {
    const int first = std::max(1, request.first), last = std::min(request.last, int(score.Nstaves));
    if (first > last) return false;
    if (!withinPositions(score, request)) {
        showError(ui, OutOfRangeMessage);
        return false;
    }
    const bool steps = request.distance != 0 && std::abs(request.distance) != 12;
    const bool stepsAllowed = !steps || keysComeFirst(score, first, last, ui);
    // Refused with nothing else to do: no undo step, and the score not marked changed.
    if (!stepsAllowed && !request.clefTarget && !request.adjustStems) return false;
    if (undo) {
        // Whole systems: a key that changes width moves the music of its system.
        const int from = SystemExtent(score, first).first, to = SystemExtent(score, last).last;
        if (from == to) undo->pushStave(score, from, UndoStave);
        else undo->pushStaveRange(score, from, UndoStaveRange, to - from + 1);
    }
    const int direction = request.distance > 0 ? 1 : -1;
    if (std::abs(request.distance) == 12) {
        octaveShift(score, first, last, direction);
    } else if (steps && stepsAllowed) {
        const KeyWidths keys = measureKeys(score, first, last);
        for (int n = 0; n < std::abs(request.distance); ++n)
            for (int s = first; s <= last; ++s)
                semitoneStepOfStave(score, s, direction, ui);
        makeRoomForKeys(score, keys, last);
    }
    if (request.clefTarget)
        for (int s = first; s <= last; ++s)
            changeClef(score, s, *request.clefTarget);
    if (request.adjustStems)
        for (int s = first; s <= last; ++s)
            adjustStems(score, s);
    for (int s = first; s <= last; ++s)
        StaveExtent(score, s);
    score.modified = true;
    return stepsAllowed;
}

} // namespace qv
