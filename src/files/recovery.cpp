#include "files/recovery.h"

#include "files/scorefileread.h"
#include "model/bounds.h"

#include <algorithm>
#include <optional>

namespace qv {

namespace {

std::string problem(const std::string& what) {
    return "Problem with " + what + "\n" + FileIsBad;
}

std::string atObject(int stave, int index) {
    return "stave " + std::to_string(stave) + " at object " + std::to_string(index);
}

// A file shorter than its counts: the slots it never filled would otherwise stand
// as clefs at (0, 0). Returns how many there were.
int deleteUnfilled(Stave& s, const std::bitset<ObjectSlots>& filled) {
    int missing = 0;
    for (int i = 1; i <= s.Nobjec; ++i) {
        if (filled.test(static_cast<std::size_t>(i))) continue;
        s.object(i) = makeObject(ObjectKind::Deleted);
        ++missing;
    }
    return missing;
}

// The links that make chains, by the kind that carries them and the byte that
// holds the next object's index.
struct ChainLink {
    ObjectKind kind;
    int at;
};
constexpr ChainLink ChainLinks[] = {
    {ObjectKind::LongText, 7},   // next chunk
    {ObjectKind::CurvePoint, 7}, // next point
    {ObjectKind::CurvePoint, 8}, // previous point
    {ObjectKind::Note, 11},      // beam forward
    {ObjectKind::Note, 10},      // beam back
};

// Follows every chain of `link` on the stave and cuts the link that would lead
// back into the chain walked so far. `cut` collects the objects whose link went.
void cutLoops(Stave& s, ChainLink link, std::vector<int>& cut) {
    const int n = s.Nobjec;
    const auto inChain = [&](int j) { return j >= 1 && j <= n && s.object(j).is(link.kind); };
    std::bitset<ObjectSlots> walked; // by any earlier walk, which ended without a loop
    for (int first = 1; first <= n; ++first) {
        if (!inChain(first) || walked.test(static_cast<std::size_t>(first))) continue;
        std::bitset<ObjectSlots> path;
        for (int j = first;;) {
            path.set(static_cast<std::size_t>(j));
            walked.set(static_cast<std::size_t>(j));
            const int next = s.object(j).u8(link.at);
            if (!inChain(next)) break;
            if (path.test(static_cast<std::size_t>(next))) {
                s.object(j).setU8(link.at, 0);
                cut.push_back(j);
                break;
            }
            if (walked.test(static_cast<std::size_t>(next))) break; // joins a chain already walked
            j = next;
        }
    }
}

// Cuts a signed extent to the paper's reach; true when it had to.
bool cutExtent(ScoreObject& o, int at, int reach) {
    const int v = o.i16(at);
    const int bounded = std::clamp(v, -reach, reach);
    if (bounded == v) return false;
    o.setI16(at, bounded);
    return true;
}

// The byte positions of an object's two extents: dx and dy of lines and hairpins,
// the two sizes of a shape; nothing for other kinds.
std::optional<std::array<int, 2>> extentsOf(const ScoreObject& o) {
    switch (o.kind()) {
    case ObjectKind::Line:
    case ObjectKind::Hairpin:
        return std::array{6, 8};
    case ObjectKind::Shape:
        return std::array{9, 11};
    default:
        return std::nullopt;
    }
}

// True when the object had to be cut down to the paper's reach.
bool boundObject(ScoreObject& o, int reach) {
    bool cut = false;
    if (const auto extents = extentsOf(o))
        for (int at : *extents)
            cut = cutExtent(o, at, reach) || cut;
    if (o.is(ObjectKind::Arpeggio) && o.segments() > MaxArpeggioSegments) {
        o.setSegments(MaxArpeggioSegments);
        cut = true;
    }
    return cut;
}

} // namespace

std::vector<std::string> recoverPage(Score& score) {
    std::vector<std::string> messages;
    if (boundPaper(score.page)) messages.push_back(problem("the page size"));
    if (boundMargins(score.page)) messages.push_back(problem("the page margins"));
    return messages;
}

std::vector<std::string> recoverObjects(Score& score, const FilledSlots& filled) {
    std::vector<std::string> messages;
    const int reach = paperReach(score.page, score.StvSiz);
    for (int stave = 0; stave <= score.Nstaves; ++stave) {
        Stave& s = score.stave(stave);
        if (const int missing = deleteUnfilled(s, filled[static_cast<std::size_t>(stave)]))
            messages.push_back(problem("stave " + std::to_string(stave) + ": " + std::to_string(missing) +
                                       (missing == 1 ? " object" : " objects") + " missing"));
        std::vector<int> mended;
        for (const ChainLink& link : ChainLinks)
            cutLoops(s, link, mended);
        for (int i = 1; i <= s.Nobjec; ++i)
            if (boundObject(s.object(i), reach)) mended.push_back(i);
        // One message a stave, at its first mended object, so that a file damaged
        // throughout does not bury the user in messages.
        if (!mended.empty())
            messages.push_back(problem(atObject(stave, *std::min_element(mended.begin(), mended.end()))));
    }
    return messages;
}

} // namespace qv
