#include "layout/blocks.h"

#include "layout/pagination.h"
#include "layout/tidystave.h"
#include "model/staveops.h"
#include "model/ui.h"

#include <algorithm>
#include <array>
#include <bitset>

namespace qv {

namespace {

constexpr std::uint32_t bit(ObjectKind k) {
    return 1U << static_cast<unsigned>(k);
}

// Kinds marked by their own anchor; curve points and long texts have their own rules.
constexpr std::uint32_t MarkedByAnchor =
    bit(ObjectKind::Clef) | bit(ObjectKind::KeySignature) | bit(ObjectKind::Glyph) |
    bit(ObjectKind::TimeSignature) | bit(ObjectKind::Barline) | bit(ObjectKind::Note) |
    bit(ObjectKind::Accidental) | bit(ObjectKind::ShortText) | bit(ObjectKind::TieLink) |
    bit(ObjectKind::Line) | bit(ObjectKind::Symbol) | bit(ObjectKind::Arpeggio) | bit(ObjectKind::Hairpin) |
    bit(ObjectKind::Shape);

bool validIndex(const Stave& s, int j) {
    return j >= 1 && j <= std::min<int>(s.Nobjec, MaxObjects);
}

// The points of the curve through point i, each once, however its links run.
std::vector<int> curveChain(const Stave& s, int i) {
    std::vector<int> chain{i};
    std::bitset<256> seen;
    seen.set(static_cast<std::size_t>(i));
    for (const bool forward : {true, false}) {
        int j = i;
        for (;;) {
            const ScoreObject& o = s.object(j);
            const int next = forward ? o.curveNext() : o.curvePrev();
            if (!validIndex(s, next) || seen.test(static_cast<std::size_t>(next)) ||
                !s.object(next).is(ObjectKind::CurvePoint))
                break;
            seen.set(static_cast<std::size_t>(next));
            chain.push_back(next);
            j = next;
        }
    }
    return chain;
}

// Marks the objects of one stave; returns whether a curve was only partly inside.
bool markStave(const Stave& st, std::bitset<256>& set, const BlockBox& box) {
    bool partial = false;
    const int n = std::min<int>(st.Nobjec, MaxObjects);
    for (int i = 1; i <= n; ++i) {
        const ScoreObject& o = st.object(i);
        if (!box.contains(o.x(), o.y()) || set.test(static_cast<std::size_t>(i))) continue;
        if (o.is(ObjectKind::CurvePoint)) {
            const std::vector<int> chain = curveChain(st, i);
            const bool whole = std::all_of(chain.begin(), chain.end(), [&](int j) {
                return box.contains(st.object(j).x(), st.object(j).y());
            });
            if (!whole)
                partial = true;
            else
                for (int j : chain)
                    set.set(static_cast<std::size_t>(j));
        } else if (o.is(ObjectKind::LongText)) {
            if (o.isContinuation()) continue;
            set.set(static_cast<std::size_t>(i));
            for (int j = o.textNext(), steps = 0; validIndex(st, j) && steps < MaxObjects; ++steps) {
                const ScoreObject& c = st.object(j);
                if (!c.is(ObjectKind::LongText) || set.test(static_cast<std::size_t>(j))) break;
                set.set(static_cast<std::size_t>(j));
                j = c.textNext();
            }
        } else if (static_cast<unsigned>(o.kind()) < 32 && (MarkedByAnchor & bit(o.kind()))) {
            set.set(static_cast<std::size_t>(i));
        }
    }
    return partial;
}

// Rewrites the links of a copied object through `to` (old index -> new, 0: not copied).
void translateLinks(ScoreObject& o, const std::array<std::uint8_t, 256>& to) {
    const auto map = [&](int at) { o.setU8(at, to[o.u8(at)]); };
    switch (o.kind()) {
    case ObjectKind::Note:
        for (int at : {10, 11, 15, 16})
            map(at);
        break;
    case ObjectKind::TieLink: map(6), map(7); break;
    case ObjectKind::CurvePoint: map(7), map(8); break;
    case ObjectKind::LongText: map(7); break;
    default: break;
    }
}

} // namespace

BlockBox BlockBox::spanning(int x1, int y1, int x2, int y2) {
    return BlockBox{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

bool BlockState::freePlacing() const {
    for (unsigned k = 0; k < 32; ++k)
        if (((kinds >> k) & 1U) && placedFreely(static_cast<ObjectKind>(k))) return true;
    return false;
}

void releaseBlock(Score& score, BlockState& block) {
    for (auto& set : score.marked)
        set.reset();
    block = BlockState{};
}

bool markBox(Score& score, BlockState& block, const BlockBox& box, int page, Ui& ui) {
    releaseBlock(score, block);
    const int from = std::max(1, firststaveonpage(score, page, ui));
    const int to = std::min(laststaveonpage(score, page), score.Nstaves);
    bool partial = false;
    for (int s = from; s <= to; ++s) {
        std::bitset<256>& set = score.marked[static_cast<std::size_t>(s)];
        partial = markStave(score.stave(s), set, box) || partial;
        if (set.none()) continue;
        if (block.first == 0) block.first = s;
        block.last = s;
    }
    if (partial) showInformation(ui, IncompleteCurveMessage);
    if (!block.any()) return false;
    for (int s = block.first; s <= block.last; ++s) {
        std::vector<MarkedObject>& objects = block.saved.emplace_back();
        const Stave& st = score.stave(s);
        for (int i = 1; i <= MaxObjects; ++i) {
            if (!score.marked[static_cast<std::size_t>(s)].test(static_cast<std::size_t>(i))) continue;
            objects.push_back(MarkedObject{i, st.object(i)});
            block.kinds |= bit(st.object(i).kind());
        }
    }
    block.sourceX = block.targetX = box.left;
    block.sourceY = block.targetY = box.top;
    block.targetFirst = block.first;
    return true;
}

bool copyBlock(Score& score, BlockState& block, bool move, Ui& ui) {
    if (!block.any()) return false;
    if (block.targetFirst < 1 || block.targetLast() > score.Nstaves) {
        showError(ui, CannotFitBlockMessage);
        return false;
    }
    const auto target = [&](int s) { return block.targetFirst + (s - block.first); };
    const auto marked = [&](int s) -> const std::vector<MarkedObject>& {
        return block.saved[static_cast<std::size_t>(s - block.first)];
    };
    // A stave holds at most MaxObjects objects: the slot after them is the
    // provisional object's scratch slot, which a copy must never fill.
    for (int s = block.first; s <= block.last; ++s) {
        if (score.stave(target(s)).Nobjec + static_cast<int>(marked(s).size()) > MaxObjects) {
            showError(ui, TooManyObjectsMessage);
            return false;
        }
    }
    // Tidying drops notes and rests beyond a stave's ends: a block put down so far
    // across would lose them without a word, so it is not put down there.
    const int dx = block.targetX - block.sourceX;
    for (int s = block.first; s <= block.last; ++s) {
        const Stave& to = score.stave(target(s));
        for (const MarkedObject& m : marked(s))
            if (m.object.is(ObjectKind::Note) && (m.object.x() + dx < to.LeftX || m.object.x() + dx > to.RightX)) {
                showError(ui, BlockBeyondStaveMessage);
                return false;
            }
    }
    std::bitset<256> touched;
    for (int s = block.first; s <= block.last; ++s) {
        touched.set(static_cast<std::size_t>(target(s)));
        touched.set(static_cast<std::size_t>(s));
    }
    score.undo.pushStaveSet(score, touched, UndoStaveRange);

    const int dy = (block.targetY - score.stave(block.targetFirst).Ycoord) -
                   (block.sourceY - score.stave(block.first).Ycoord);
    for (int s = block.first; s <= block.last; ++s) {
        Stave& to = score.stave(target(s));
        const int staveShift = to.Ycoord - score.stave(s).Ycoord;
        std::array<std::uint8_t, 256> newIndex{};
        int next = to.Nobjec;
        for (const MarkedObject& m : marked(s))
            newIndex[static_cast<std::size_t>(m.index)] = static_cast<std::uint8_t>(++next);
        for (const MarkedObject& m : marked(s)) {
            ScoreObject o = m.object;
            translateLinks(o, newIndex);
            const int shift = staveShift + (placedFreely(o.kind()) ? dy : 0);
            o.setX(o.x() + dx);
            o.setY(o.y() + shift);
            if (o.is(ObjectKind::CurvePoint)) {
                o.setCurveTop(o.curveTop() + shift);
                o.setCurveBottom(o.curveBottom() + shift);
            }
            to.object(++to.Nobjec) = o;
        }
    }
    if (move) {
        for (int s = block.first; s <= block.last; ++s)
            for (const MarkedObject& m : marked(s))
                deleteObject(score.stave(s), m.index);
    }
    for (int s = 1; s <= score.Nstaves; ++s) {
        const bool isTarget = s >= block.targetFirst && s <= block.targetLast();
        const bool isSource = move && s >= block.first && s <= block.last;
        if (isTarget || isSource) StaveChanged(score, s);
    }
    score.modified = true;
    return true;
}

bool deleteBlock(Score& score, BlockState& block, Ui& ui) {
    if (!block.any()) return false;
    bool barLinesToo = true;
    if (block.has(ObjectKind::Barline))
        barLinesToo =
            ui.message(MessageType::Confirmation, DeleteBarLinesQuestion, ButtonYes | ButtonNo) == ButtonYes;
    const auto goes = [&](const MarkedObject& m) { return barLinesToo || !m.object.is(ObjectKind::Barline); };
    bool any = false;
    for (const auto& objects : block.saved)
        any = any || std::any_of(objects.begin(), objects.end(), goes);
    if (!any) return false;

    score.undo.pushStaveRange(score, block.first, UndoStaveRange, block.last - block.first + 1);
    for (int s = block.first; s <= block.last; ++s)
        for (const MarkedObject& m : block.saved[static_cast<std::size_t>(s - block.first)])
            if (goes(m)) deleteObject(score.stave(s), m.index);
    for (int s = block.first; s <= block.last; ++s)
        StaveChanged(score, s);
    score.modified = true;
    return true;
}

bool moveTargetByStaves(const Score& score, BlockState& block, int staves, Ui& ui) {
    const int span = block.last - block.first;
    int f = block.targetFirst + staves;
    if (!block.any() || f < 1 || f + span > score.Nstaves) {
        showError(ui, CannotFitBlockMessage);
        return false;
    }
    const int step = staves < 0 ? -1 : 1;
    const auto page = [&](int s) { return score.stave(s).PageNum; };
    while (page(f) != page(f + span)) {
        if ((step < 0 && f == 1) || (step > 0 && f + span == score.Nstaves)) break;
        f += step;
    }
    if (page(f) != page(f + span)) {
        showError(ui, CannotSplitBlockMessage);
        return false;
    }
    block.targetY += score.stave(f).Ycoord - score.stave(block.targetFirst).Ycoord;
    block.targetFirst = f;
    return true;
}

bool stepTargetStave(const Score& score, BlockState& block, int direction, Ui& ui) {
    if (!block.any()) return false;
    if (direction < 0 && block.targetFirst <= 1) return false;
    if (direction > 0 && block.targetLast() >= score.Nstaves) return false;
    return moveTargetByStaves(score, block, direction < 0 ? -1 : 1, ui);
}

bool stepTargetSystem(const Score& score, BlockState& block, int direction, Ui& ui) {
    if (!block.any()) return false;
    const SystemRange system = SystemExtent(score, block.targetFirst);
    const int offset = block.targetFirst - system.first;
    int f = 1;
    if (direction > 0) {
        f = system.last + 1 + offset;
        if (f + (block.last - block.first) > score.Nstaves) {
            showError(ui, CannotFitBlockMessage);
            return false;
        }
    } else if (system.first > 1) {
        f = SystemExtent(score, system.first - 1).first + offset;
    }
    return moveTargetByStaves(score, block, f - block.targetFirst, ui);
}

bool stepTargetPage(const Score& score, BlockState& block, int direction, Ui& ui) {
    if (!block.any() || block.targetFirst < 1 || block.targetFirst > score.Nstaves) return false;
    const int page = score.stave(block.targetFirst).PageNum;
    if (direction > 0 ? page >= pageCount(score) : page <= 1) return false;
    const int f = firststaveonpage(score, page + (direction > 0 ? 1 : -1), ui);
    if (f < 1 || f > score.Nstaves) return false;
    return moveTargetByStaves(score, block, f - block.targetFirst, ui);
}

std::vector<ObjectKind> alterableKinds(const BlockState& block) {
    std::vector<ObjectKind> kinds;
    bool notes = false;
    for (const auto& objects : block.saved)
        for (const MarkedObject& m : objects)
            notes = notes || m.object.isNote();
    if (notes) kinds.push_back(ObjectKind::Note);
    for (ObjectKind k : {ObjectKind::Accidental, ObjectKind::Clef, ObjectKind::Line, ObjectKind::Hairpin,
                         ObjectKind::CurvePoint, ObjectKind::LongText, ObjectKind::KeySignature})
        if (block.has(k)) kinds.push_back(k);
    return kinds;
}

} // namespace qv
