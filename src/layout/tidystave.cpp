#include "layout/tidystave.h"

#include "layout/staveextent.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace qv {

namespace {

constexpr int LastLink = 249; // a link above this names no object

bool isNoteOrRest(const ScoreObject& o) { return o.is(ObjectKind::Note); }

// A link and the byte of the partner that must point back at this object.
struct LinkPair {
    int forward; // beam forward, tied to, next curve point
    int back;    // beam back, tied from, previous curve point
};
constexpr LinkPair NoteLinks[] = {{11, 10}, {16, 15}};
constexpr LinkPair CurveLinks[] = {{7, 8}};

// A forward link stands only when its partner links back, and the other way round.
// Partners must be of the same kind: other kinds keep unrelated values in those bytes.
void checkPairs(std::array<ScoreObject, ObjectSlots>& objects, int count, int i, const LinkPair* pairs, int n) {
    ScoreObject& o = objects[static_cast<std::size_t>(i)];
    for (int k = 0; k < n; ++k) {
        const LinkPair p = pairs[k];
        for (const auto& [mine, theirs] : {std::pair{p.forward, p.back}, std::pair{p.back, p.forward}}) {
            const int j = o.u8(mine);
            if (j == 0) continue;
            const bool answered = j <= LastLink && j <= count && objects[static_cast<std::size_t>(j)].kind() == o.kind() &&
                                  objects[static_cast<std::size_t>(j)].u8(theirs) == i;
            if (!answered) o.setU8(mine, 0);
        }
    }
}

// A long-text chain continues only from a full chunk.
void checkTextChain(std::array<ScoreObject, ObjectSlots>& objects, int count, int i) {
    ScoreObject& o = objects[static_cast<std::size_t>(i)];
    const int next = o.textNext();
    if (next == 0) return;
    if (next > LastLink || next > count) {
        o.setTextNext(0);
        return;
    }
    if (o.chunkText().size() < static_cast<std::size_t>(ChunkCapacity)) {
        ScoreObject& chunk = objects[static_cast<std::size_t>(next)];
        if (chunk.is(ObjectKind::LongText) && chunk.isContinuation()) chunk.setKind(ObjectKind::Deleted);
        o.setTextNext(0);
    }
}

void checkLinks(std::array<ScoreObject, ObjectSlots>& objects, int count) {
    for (int i = 1; i <= count; ++i) {
        const ScoreObject& o = objects[static_cast<std::size_t>(i)];
        if (isNoteOrRest(o)) checkPairs(objects, count, i, NoteLinks, 2);
        if (o.is(ObjectKind::CurvePoint)) checkPairs(objects, count, i, CurveLinks, 1);
        if (o.is(ObjectKind::LongText)) checkTextChain(objects, count, i);
    }
}

// A note or rest beyond the stave's ends is dropped; its partners let go of it first.
void releasePartners(std::array<ScoreObject, ObjectSlots>& objects, const ScoreObject& o) {
    const auto partner = [&](int j) -> ScoreObject* {
        return j >= 1 && j <= LastLink ? &objects[static_cast<std::size_t>(j)] : nullptr;
    };
    if (ScoreObject* p = partner(o.beamBack())) p->setBeamForward(0);
    if (ScoreObject* p = partner(o.beamForward())) p->setBeamBack(0);
    if (ScoreObject* p = partner(o.tiedFrom())) p->setTiedTo(0);
    if (ScoreObject* p = partner(o.tiedTo())) p->setTiedFrom(0);
}

bool isDead(const Stave& s, std::array<ScoreObject, ObjectSlots>& objects, int i) {
    const ScoreObject& o = objects[static_cast<std::size_t>(i)];
    if (o.x() < -100 || o.is(ObjectKind::Deleted) || o.is(ObjectKind::TieLink)) return true;
    if (isNoteOrRest(o) && (o.x() < s.LeftX || o.x() > s.RightX)) {
        releasePartners(objects, o);
        return true;
    }
    return false;
}

// Which objects go. A curve point is dropped when it has neither neighbour, also
// when its neighbours go in this same tidy: otherwise it would only go at the next.
std::vector<bool> deadObjects(const Stave& s, std::array<ScoreObject, ObjectSlots>& objects, int count) {
    std::vector<bool> dead(static_cast<std::size_t>(count) + 1, false);
    for (int i = 1; i <= count; ++i) dead[static_cast<std::size_t>(i)] = isDead(s, objects, i);
    const auto gone = [&](int j) { return j >= 1 && j <= count && dead[static_cast<std::size_t>(j)]; };
    for (int i = 1; i <= count; ++i) {
        ScoreObject& o = objects[static_cast<std::size_t>(i)];
        if (dead[static_cast<std::size_t>(i)] || !o.is(ObjectKind::CurvePoint)) continue;
        if (gone(o.curveNext())) o.setCurveNext(0);
        if (gone(o.curvePrev())) o.setCurvePrev(0);
        dead[static_cast<std::size_t>(i)] = o.curveNext() == 0 && o.curvePrev() == 0;
    }
    return dead;
}

// Rewrites every link of an object through `to` (old index -> new, 0 when gone).
void translateLinks(ScoreObject& o, const std::array<std::uint8_t, 256>& to) {
    const auto map = [&](int at) { o.setU8(at, to[o.u8(at)]); };
    if (isNoteOrRest(o)) {
        for (int at : {10, 11, 15, 16}) map(at);
    } else if (o.is(ObjectKind::CurvePoint)) {
        map(7);
        map(8);
    } else if (o.is(ObjectKind::LongText)) {
        map(7);
    }
}

// The text a short text shows, in byte order, shorter first on a common prefix.
// Other kinds have no text here: in a long text byte 7 is the link to the next
// chunk, and ordering by a link would reorder chunks each time they are renumbered.
int compareText(const ScoreObject& a, const ScoreObject& b) {
    const auto length = [](const ScoreObject& o) {
        return o.is(ObjectKind::ShortText) ? std::min<int>(o.u8(7), ShortTextCapacity) : 0;
    };
    const int la = length(a), lb = length(b);
    const int common = std::min(la, lb);
    const int c = std::memcmp(&a.bytes[8], &b.bytes[8], static_cast<std::size_t>(common));
    if (c != 0) return c;
    return la - lb;
}

// Left to right; at one x an accidental before the note it belongs to, then from
// the top down, then by text. Objects that compare equal keep their order.
bool comesBefore(const ScoreObject& a, const ScoreObject& b) {
    if (a.x() != b.x()) return a.x() < b.x();
    const bool accA = a.is(ObjectKind::Accidental), accB = b.is(ObjectKind::Accidental);
    if (accA != accB) return accA;
    if (a.y() != b.y()) return a.y() < b.y();
    return compareText(a, b) < 0;
}

} // namespace

void TidyStave(Stave& s) {
    std::array<ScoreObject, ObjectSlots> objects = s.objects;
    const int count = std::min<int>(s.Nobjec, ObjectSlots - 1);
    checkLinks(objects, count);

    // Close up the survivors in their old order.
    std::array<std::uint8_t, 256> toCompact{};
    const std::vector<bool> dead = deadObjects(s, objects, count);
    std::vector<int> survivors;
    survivors.reserve(static_cast<std::size_t>(count));
    for (int i = 1; i <= count; ++i)
        if (!dead[static_cast<std::size_t>(i)]) survivors.push_back(i);
    for (std::size_t k = 0; k < survivors.size(); ++k)
        toCompact[static_cast<std::size_t>(survivors[k])] = static_cast<std::uint8_t>(k + 1);

    // Order them: an insertion sort gives the same stable order as an exchange
    // sort, and runs in one pass over a stave that is already nearly in order.
    std::vector<int> order(survivors.size());
    for (std::size_t k = 0; k < order.size(); ++k) order[k] = static_cast<int>(k + 1);
    std::vector<ScoreObject> compacted(survivors.size() + 1);
    for (std::size_t k = 0; k < survivors.size(); ++k) {
        compacted[k + 1] = objects[static_cast<std::size_t>(survivors[k])];
        translateLinks(compacted[k + 1], toCompact);
    }
    for (std::size_t k = 1; k < order.size(); ++k) {
        const int moving = order[k];
        std::size_t p = k;
        while (p > 0 && comesBefore(compacted[static_cast<std::size_t>(moving)],
                                    compacted[static_cast<std::size_t>(order[p - 1])])) {
            order[p] = order[p - 1];
            --p;
        }
        order[p] = moving;
    }

    // Write back in order, renumbering links from compacted to sorted positions.
    std::array<std::uint8_t, 256> toSorted{};
    for (std::size_t k = 0; k < order.size(); ++k) toSorted[static_cast<std::size_t>(order[k])] = static_cast<std::uint8_t>(k + 1);
    s.objects = {};
    for (std::size_t k = 0; k < order.size(); ++k) {
        ScoreObject o = compacted[static_cast<std::size_t>(order[k])];
        translateLinks(o, toSorted);
        s.objects[k + 1] = o;
    }
    s.Nobjec = static_cast<std::uint8_t>(order.size());
}

void StaveChanged(Score& score, int stave) {
    TidyStave(score.stave(stave));
    StaveExtent(score, stave);
    if (score.hooks.refreshStatus) score.hooks.refreshStatus(score, stave);
}

void SortStave(Score& score, int stave) {
    score.undo.pushStave(score, stave, UndoStave);
    StaveChanged(score, stave);
    score.modified = true;
}

void installLayoutHooks(Score& score) { score.hooks.staveChanged = StaveChanged; }

} // namespace qv
