#include "interchange/barlayout.h"

#include "layout/spacing.h"
#include "model/scoreobject.h"
#include "render/glyphcatalogue.h"

#include <algorithm>
#include <cstdlib>

namespace qv {

namespace {

constexpr int NoteGap[5] = {15, 19, 26, 36, 51}; // the crotchet's advance by grade
constexpr int HeadRoom = 12;                       // the least a column holding a head may be

int grade0(int grade) {
    return std::clamp(grade, 1, 5) - 1;
}

// The widths of a measure's columns: each event's advance shared over the
// columns it sounds through, in proportion to their time.
std::vector<int> columnWidths(const MeasurePlan& m, int grade) {
    const std::size_t n = m.columns.size();
    std::vector<int> width(n, 0);
    for (const StaveMeasure& sm : m.staves) {
        for (std::size_t k = 0; k < sm.events.size(); ++k) {
            const PlannedEvent& e = sm.events[k];
            const int advance = eventAdvance(e, grade);
            const std::size_t first = static_cast<std::size_t>(e.column);
            const std::int64_t end = m.columns[first] + std::max<std::int64_t>(e.ticks, 1);
            // An event's share ends where the stave's next event begins: a file
            // whose notes overlap must not make this quadratic.
            const std::size_t stop = k + 1 < sm.events.size() ? static_cast<std::size_t>(sm.events[k + 1].column) : n;
            width[first] = std::max(width[first], HeadRoom);
            for (std::size_t c = first; c < stop && m.columns[c] < end; ++c) {
                const std::int64_t next = c + 1 < n ? m.columns[c + 1] : std::max(m.length, end);
                const std::int64_t gap = std::min(next, end) - m.columns[c];
                const std::int64_t share = e.ticks > 0 ? advance * gap / e.ticks : advance;
                width[c] = std::max(width[c], static_cast<int>(std::min<std::int64_t>(share, 2000)));
            }
        }
    }
    return width;
}

// Room before each column: accidentals and clef changes.
std::vector<int> columnLeads(const MeasurePlan& m) {
    std::vector<int> lead(m.columns.size(), 0);
    for (const StaveMeasure& sm : m.staves) {
        for (const PlannedEvent& e : sm.events) {
            const std::vector<int> levels = accidentalLevels(e);
            const int top = levels.empty() ? -1 : *std::max_element(levels.begin(), levels.end());
            if (top >= 0) lead[e.column] = std::max(lead[e.column], AccidentalGap + AccidentalLevel * top);
        }
        for (const PlannedClef& c : sm.clefs)
            lead[c.column] = std::max(lead[c.column], SmallClefAdvance);
    }
    return lead;
}

int objectsOf(const StaveMeasure& sm) {
    int n = 2 + static_cast<int>(sm.clefs.size()); // bar lines: an end and perhaps a repeat start
    for (const PlannedEvent& e : sm.events) {
        n += std::max<int>(1, static_cast<int>(e.heads.size()));
        for (const PlannedHead& h : e.heads) {
            n += h.accidental != mx::NoAccidental;
            n += 3 * h.tieStart; // a tie over a system break is a curve on each side
        }
        n += 6 * static_cast<int>(e.slurStarts.size()); // a slur broken over two systems is two curves
        if (e.tuplet) n += 1;
    }
    for (const PlannedMark& k : sm.marks) n += k.glyph ? 1 : textObjects(k.text);
    return n;
}

} // namespace

int textObjects(const std::string& text) {
    return 1 + (std::max<int>(1, static_cast<int>(text.size())) - 1) / ChunkCapacity;
}

std::vector<int> accidentalLevels(const PlannedEvent& e) {
    std::vector<int> level(e.heads.size(), -1);
    // From the top down, each accidental takes the first level where the ones
    // already there lie at least a sixth away.
    for (std::size_t i = e.heads.size(); i-- > 0;) {
        if (e.heads[i].accidental == mx::NoAccidental) continue;
        int l = 0;
        for (bool clash = true; clash && l < 4;) {
            clash = false;
            for (std::size_t j = i + 1; j < e.heads.size(); ++j)
                if (level[j] == l && std::abs(e.heads[j].position - e.heads[i].position) < 6) clash = true;
            if (clash) ++l;
        }
        level[i] = l;
    }
    return level;
}

int eventAdvance(const PlannedEvent& e, int grade) {
    ScoreObject o = makeObject(ObjectKind::Note);
    o.setDuration(e.duration);
    o.setDots(e.dots);
    o.setRest(e.rest);
    o.setSymbolCode(e.rest ? SymbolSelf : NoteGlyphTable(e.duration, e.stem, 0));
    return NoteAdvance(o, ImportPulse, grade);
}

int keyAdvance(int previous, int key, int grade) {
    ScoreObject o = makeObject(ObjectKind::KeySignature);
    o.setKeyCount(key);
    const bool signChange = previous != 0 && (key == 0 || (previous > 0) != (key > 0));
    const int naturals = signChange ? std::abs(previous) : std::max(0, std::abs(previous) - std::abs(key));
    return NoteAdvance(o, ImportPulse, grade) + 12 * naturals;
}

int timeSignatureType(const mx::Time& t) {
    if (t.common && t.beats == 4 && t.beatType == 4) return 0;
    if (t.cut && t.beats == 2 && t.beatType == 2) return 1;
    static const struct {
        int beats, type, code;
    } Fixed[] = {{1, 1, 2}, {2, 2, 3},  {3, 2, 4},  {2, 4, 5},  {3, 4, 6},   {4, 4, 7},   {5, 4, 8},
                 {6, 4, 9}, {7, 4, 10}, {3, 8, 11}, {6, 8, 12}, {9, 8, 13},  {12, 8, 14}};
    for (const auto& f : Fixed)
        if (f.beats == t.beats && f.type == t.beatType) return f.code;
    return -1;
}

int timeAdvance(const mx::Time& time, int grade) {
    ScoreObject o = makeObject(ObjectKind::TimeSignature);
    if (timeSignatureType(time) < 0) o = makeObject(ObjectKind::Glyph), o.setSymbolCode(12);
    return NoteAdvance(o, ImportPulse, grade);
}

int barAdvance(int barType, int grade) {
    ScoreObject o = makeObject(ObjectKind::Barline);
    o.setBarType(barType);
    o.setSymbolCode(BarlineGlyph(barType, 39));
    return NoteAdvance(o, ImportPulse, grade);
}

std::vector<MeasureLayout> layoutMeasures(const ImportPlan& plan, int grade) {
    std::vector<MeasureLayout> out;
    out.reserve(plan.measures.size());
    for (const MeasurePlan& m : plan.measures) {
        MeasureLayout ml;
        const std::vector<int> width = columnWidths(m, grade);
        const std::vector<int> lead = columnLeads(m);
        int x = 0;
        for (std::size_t c = 0; c < m.columns.size(); ++c) {
            x += lead[c];
            ml.columnX.push_back(x);
            x += width[c];
        }
        ml.barX = std::max(x, 2 * NoteGap[grade0(grade)]);
        ml.width = ml.barX + barAdvance(m.endBar, grade);
        for (const StaveMeasure& sm : m.staves) ml.objects.push_back(objectsOf(sm));
        out.push_back(std::move(ml));
    }
    return out;
}

} // namespace qv
