#include "model/staveops.h"

#include "model/ui.h"

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <cstdlib>

namespace qv {

namespace {

// A link read from an object may come from a damaged file: only slots that exist
// are followed.
bool isSlot(int i) { return i >= 1 && i < ObjectSlots; }

} // namespace

bool addObject(Score& score, int staveIndex, const ScoreObject& object, Ui& ui) {
    Stave& s = score.stave(staveIndex);
    if (s.Nobjec >= MaxObjects) {
        showError(ui, StaveTooComplexMessage);
        return false;
    }
    score.undo.pushStave(score, staveIndex, UndoStave);
    ++s.Nobjec;
    s.object(s.Nobjec) = object;
    if (score.hooks.staveChanged) score.hooks.staveChanged(score, staveIndex);
    return true;
}

void ShiftStave(Score& score, int s, int delta) {
    if (delta == 0 || s < 1 || s > score.Nstaves) return;
    Stave& st = score.stave(s);
    st.Ycoord = wrap32(std::int64_t{st.Ycoord} + delta);
    st.MaxY = wrap32(std::int64_t{st.MaxY} + delta);
    st.MinY = wrap32(std::int64_t{st.MinY} + delta);
    // An object's y is 16 bits and wraps: on the continuous strip of a long score it
    // may pass 32767, and wrapping brings it back exactly when the stave returns to
    // its page, where clamping would lose it.
    const int count = std::min<int>(st.Nobjec, ObjectSlots - 1);
    for (int i = 1; i <= count; ++i)
        st.object(i).setY(wrap32(std::int64_t{st.object(i).y()} + delta));
}

void deleteObject(Stave& s, int index) {
    if (!isSlot(index)) return;
    ScoreObject& o = s.object(index);
    switch (o.kind()) {
    case ObjectKind::Note: {
        const int back = o.beamBack(), forward = o.beamForward();
        if (isSlot(forward)) s.object(forward).setBeamBack(back);
        if (isSlot(back)) s.object(back).setBeamForward(forward);
        if (isSlot(o.tiedFrom())) s.object(o.tiedFrom()).setTiedTo(0);
        // The note tied from this one would otherwise keep a link to a dead slot.
        if (isSlot(o.tiedTo())) s.object(o.tiedTo()).setTiedFrom(0);
        break;
    }
    case ObjectKind::TieLink:
        if (isSlot(o.tieFirst())) s.object(o.tieFirst()).setTiedTo(0);
        if (isSlot(o.tieSecond())) s.object(o.tieSecond()).setTiedFrom(0);
        break;
    case ObjectKind::CurvePoint: {
        const int next = o.curveNext(), prev = o.curvePrev();
        if (isSlot(next)) s.object(next).setCurvePrev(prev);
        if (isSlot(prev)) s.object(prev).setCurveNext(next);
        break;
    }
    case ObjectKind::LongText: {
        // A chain is at most as long as the stave; counting guards against a looped one.
        int chunk = o.textNext();
        for (int steps = 0; isSlot(chunk) && steps < ObjectSlots; ++steps) {
            ScoreObject& c = s.object(chunk);
            if (!c.is(ObjectKind::LongText)) break;
            const int next = c.textNext();
            c.setKind(ObjectKind::Deleted);
            chunk = next;
        }
        break;
    }
    default: break;
    }
    o.setKind(ObjectKind::Deleted);
}

int makeTie(Stave& s, int index, bool overhand) {
    ScoreObject& note = s.object(index);
    int partner = 0;
    for (int i = 1; i <= s.Nobjec; ++i) {
        const ScoreObject& o = s.object(i);
        if (i == index || !o.isNote() || o.staffPosition() != note.staffPosition()) continue;
        if (o.x() < note.x() && (partner == 0 || o.x() > s.object(partner).x())) partner = i;
    }
    if (partner == 0) return 0;
    s.object(partner).setTiedTo(index);
    note.setTiedFrom(partner);
    note.setTieOverhand(overhand);
    return partner;
}

void removeTie(Stave& s, int index) {
    ScoreObject& note = s.object(index);
    if (isSlot(note.tiedFrom())) s.object(note.tiedFrom()).setTiedTo(0);
    note.setTiedFrom(0);
}

namespace {

// The next continuation chunk of a chain to write into: one not used yet, else 0.
int reusableChunk(const Stave& s, int chunk, const std::bitset<ObjectSlots>& used) {
    if (!isSlot(chunk) || used.test(static_cast<std::size_t>(chunk))) return 0;
    const ScoreObject& c = s.object(chunk);
    return c.is(ObjectKind::LongText) && c.isContinuation() ? chunk : 0;
}

} // namespace

bool storeLongText(Stave& s, int head, const std::string& text, TextStoreContext context, Ui& ui) {
    ScoreObject& h = s.object(head);
    // The chunks the text already has are written over in their order, so that a
    // rewritten text takes no more room than it needs; more are appended, and those
    // left over go.
    std::bitset<ObjectSlots> used;
    used.set(static_cast<std::size_t>(head));
    int old = reusableChunk(s, h.textNext(), used);
    h.setTextNext(0);
    h.setChunkText(text.substr(0, ChunkCapacity));

    std::size_t pos = ChunkCapacity;
    int previous = head;
    while (pos < text.size()) {
        int chunk = old;
        if (chunk != 0) {
            old = s.object(chunk).textNext();
        } else if (s.Nobjec < MaxObjects) {
            chunk = ++s.Nobjec;
            s.object(chunk) = makeObject(ObjectKind::LongText); // at x = y = 0
        } else {
            break;
        }
        used.set(static_cast<std::size_t>(chunk));
        ScoreObject& c = s.object(chunk);
        c.setFontNumber(s.object(head).fontNumber());
        c.setTextAttributes(s.object(head).textAttributes() | TextContinuation);
        c.setChunkText(text.substr(pos, ChunkCapacity));
        c.setTextNext(0);
        s.object(previous).setTextNext(chunk);
        previous = chunk;
        pos += ChunkCapacity;
        old = reusableChunk(s, old, used);
    }
    for (old = reusableChunk(s, old, used); old != 0; old = reusableChunk(s, old, used)) {
        used.set(static_cast<std::size_t>(old));
        const int next = s.object(old).textNext();
        s.object(old).setKind(ObjectKind::Deleted);
        old = next;
    }
    if (pos < text.size()) {
        showError(ui, context == TextStoreContext::EditingText ? LongStringMessage : TextModeMessage);
        return false;
    }
    return true;
}

std::string longTextOf(const Stave& s, int head) {
    std::string text = s.object(head).chunkText();
    // A damaged chain may lead back into itself or into another kind of object: each
    // chunk is read once, and only chunks of long text are read at all.
    std::bitset<ObjectSlots> read;
    if (isSlot(head)) read.set(static_cast<std::size_t>(head));
    for (int chunk = s.object(head).textNext(); isSlot(chunk) && !read.test(static_cast<std::size_t>(chunk));
         chunk = s.object(chunk).textNext()) {
        if (!s.object(chunk).is(ObjectKind::LongText)) break;
        read.set(static_cast<std::size_t>(chunk));
        text += s.object(chunk).chunkText();
    }
    return text;
}

CurveCollector::Result CurveCollector::add(int x, int y, int staveObjects, Ui& ui) {
    const int count = static_cast<int>(points_.size());
    if (count >= MaxPoints || count + 1 + staveObjects >= MaxObjects) {
        showError(ui, TooManyPointsMessage);
        return Result::Refused;
    }
    for (const Point& p : points_) {
        const int dx = std::abs(p.x - x), dy = std::abs(p.y - y);
        if (dx < 2 || (dx < 4 && dy < 4)) return Result::Ignored;
    }
    points_.push_back({x, y});
    return Result::Added;
}

bool CurveCollector::store(Stave& s, int thickness, bool dotted) const {
    const int n = static_cast<int>(points_.size());
    if (n < 2 || s.Nobjec + n > MaxObjects) return false;
    std::vector<Point> sorted = points_;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Point& a, const Point& b) { return a.x < b.x; });
    const int first = s.Nobjec + 1;
    for (int k = 0; k < n; ++k) {
        ScoreObject p = makeObject(ObjectKind::CurvePoint, sorted[static_cast<std::size_t>(k)].x,
                                   sorted[static_cast<std::size_t>(k)].y);
        p.setCurveThickness(thickness);
        p.setCurveNext(k + 1 < n ? first + k + 1 : 0);
        p.setCurvePrev(k > 0 ? first + k - 1 : 0);
        p.setCurveDotted(dotted);
        s.object(first + k) = p;
    }
    s.Nobjec = static_cast<std::uint8_t>(s.Nobjec + n);
    return true;
}

int clefInForce(const Stave& s, int x) {
    int clef = NoClef;
    for (int i = 1; i <= s.Nobjec && s.object(i).x() < x; ++i)
        if (s.object(i).is(ObjectKind::Clef)) clef = s.object(i).clefType();
    return clef;
}

int clefInForceOrTreble(const Stave& s, int x) {
    const int clef = clefInForce(s, x);
    return clef == NoClef ? 0 : clef;
}

int effectiveStem(const ScoreObject& note) {
    if (note.stem() == StemAuto) return note.staffPosition() > 0 ? StemDown : StemUp;
    return note.stem();
}

} // namespace qv
