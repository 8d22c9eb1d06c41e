#include "interchange/importplan.h"

#include "interchange/pitch.h"
#include "model/stave.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace qv {

namespace {

// The duration code of a note without a <type>, from how long it sounds.
int codeFromTicks(std::int64_t ticks, int& dots) {
    dots = 0;
    for (int code = 0; code <= 7; ++code) {
        const std::int64_t plain = mx::ImportTicksPerQuarter * 8 >> code; // breve = 8 crotchets
        if (ticks >= plain) {
            if (ticks * 2 >= plain * 3 && code < 7) dots = 1;
            return code;
        }
    }
    return 7;
}

// What a stave keeps from measure to measure while it is planned.
struct StaveState {
    mx::Clef clef;
    int key = 0;
};

// The accidentals in force in the current bar, by letter and octave.
using BarAlters = std::map<std::pair<char, int>, int>;

PlannedHead planHead(const mx::Note& n, const StaveState& st, BarAlters& bar) {
    PlannedHead h;
    h.position = staffPositionOf({n.step, n.octave}, st.clef.type, st.clef.octaveChange);
    h.tieStart = n.tieStart;
    h.tieStop = n.tieStop;
    const auto key = std::make_pair(n.step, n.octave);
    const auto found = bar.find(key);
    const int inForce = found != bar.end() ? found->second : keyAlter(st.key, n.step);
    if (n.accidental != mx::NoAccidental) h.accidental = n.accidental;
    else if (n.alter != inForce && !n.tieStop) h.accidental = n.alter;
    bar[key] = n.alter;
    return h;
}

// The stem of an event with no stem given: down when its heads lie mostly above
// the middle line.
int automaticStem(const PlannedEvent& e) {
    if (e.heads.empty()) return 0;
    return e.heads.front().position + e.heads.back().position > 0 ? 1 : 0;
}

// Beam groups share one stem direction: the first one given, else the group's
// heads decide.
void settleBeamStems(std::vector<PlannedEvent>& events, const std::vector<int>& given) {
    std::size_t i = 0;
    while (i < events.size()) {
        if (events[i].beam != mx::Beam::Begin) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j + 1 < events.size() && events[j].beam != mx::Beam::End &&
               (events[j + 1].beam == mx::Beam::Continue || events[j + 1].beam == mx::Beam::End))
            ++j;
        int stem = -1, sum = 0;
        for (std::size_t k = i; k <= j; ++k) {
            if (stem < 0 && given[k] >= 0 && given[k] <= 1) stem = given[k];
            if (!events[k].heads.empty()) sum += events[k].heads.front().position + events[k].heads.back().position;
        }
        if (stem < 0) stem = sum > 0 ? 1 : 0;
        for (std::size_t k = i; k <= j; ++k)
            if (events[k].stem != 2) events[k].stem = stem;
        i = j + 1;
    }
}

void addEvent(std::vector<PlannedEvent>& events, std::vector<int>& given, const std::vector<const mx::Note*>& group,
              StaveState& st, BarAlters& bar) {
    const mx::Note& n = *group.front();
    PlannedEvent e;
    e.rest = n.rest;
    e.ticks = n.duration;
    e.duration = n.type;
    e.dots = n.dots;
    if (n.type == mx::NoType) e.duration = codeFromTicks(n.measureRest ? mx::ImportTicksPerQuarter * 4 : n.duration, e.dots);
    if (n.measureRest) e.duration = 1, e.dots = 0;
    e.beam = n.beam;
    e.accent = n.accent;
    e.staccato = n.staccato;
    if (n.tupletStart && n.tupletActual > 0) e.tuplet = n.tupletActual;
    int stem = -1;
    for (const mx::Note* h : group) {
        if (stem < 0) stem = h->stem;
        e.slurStarts.insert(e.slurStarts.end(), h->slurStarts.begin(), h->slurStarts.end());
        e.slurStops.insert(e.slurStops.end(), h->slurStops.begin(), h->slurStops.end());
        if (h->slurPlaced) e.slurAbove = h->slurAbove;
        if (!h->rest && !e.rest) e.heads.push_back(planHead(*h, st, bar));
    }
    std::sort(e.heads.begin(), e.heads.end(), [](const PlannedHead& a, const PlannedHead& b) { return a.position < b.position; });
    // Two heads on one position (a unison) are drawn once.
    e.heads.erase(std::unique(e.heads.begin(), e.heads.end(),
                              [](const PlannedHead& a, const PlannedHead& b) { return a.position == b.position; }),
                  e.heads.end());
    e.stem = stem >= 0 && stem <= 2 ? stem : automaticStem(e);
    if (!group.front()->slurPlaced && !e.slurStarts.empty()) e.slurAbove = e.stem == 1;
    events.push_back(std::move(e));
    given.push_back(stem);
}

void simplify(ImportPlan& plan, const std::string& what) {
    if (std::find(plan.simplified.begin(), plan.simplified.end(), what) == plan.simplified.end())
        plan.simplified.push_back(what);
}

int columnOf(const std::vector<std::int64_t>& columns, std::int64_t t) {
    const auto it = std::upper_bound(columns.begin(), columns.end(), t);
    return it == columns.begin() ? 0 : static_cast<int>(it - columns.begin()) - 1;
}

// The stave's share of one measure: its notes grouped by onset into events.
StaveMeasure planStave(const mx::Measure& m, int staff, StaveState& st, std::vector<std::pair<std::int64_t, int>>& clefTimes) {
    StaveMeasure sm;
    for (const mx::ClefChange& c : m.clefs) {
        if (c.staff != staff || c.start != 0) continue;
        sm.clefChanged = sm.clefChanged || c.clef.type != st.clef.type;
        st.clef = c.clef;
    }
    sm.clef = st.clef.type;
    sm.key = st.key;
    BarAlters bar;
    std::vector<int> given;
    std::vector<const mx::Note*> group;
    auto flush = [&] {
        if (!group.empty()) addEvent(sm.events, given, group, st, bar);
        group.clear();
    };
    std::vector<const mx::Note*> notes;
    for (const mx::Note& n : m.notes)
        if (n.staff == staff) notes.push_back(&n);
    std::stable_sort(notes.begin(), notes.end(), [](const mx::Note* a, const mx::Note* b) { return a->start < b->start; });
    std::size_t nextClef = 0;
    std::vector<const mx::ClefChange*> inside;
    for (const mx::ClefChange& c : m.clefs)
        if (c.staff == staff && c.start > 0) inside.push_back(&c);
    for (const mx::Note* n : notes) {
        if (!group.empty() && n->start != group.front()->start) flush();
        // A clef change inside the measure governs the notes from its time on.
        while (nextClef < inside.size() && inside[nextClef]->start <= n->start && group.empty()) {
            st.clef = inside[nextClef]->clef;
            clefTimes.emplace_back(inside[nextClef]->start, st.clef.type);
            ++nextClef;
        }
        group.push_back(n);
    }
    flush();
    for (; nextClef < inside.size(); ++nextClef) {
        st.clef = inside[nextClef]->clef;
        clefTimes.emplace_back(inside[nextClef]->start, st.clef.type);
    }
    settleBeamStems(sm.events, given);
    return sm;
}

// Directions and chord symbols of a part's stave as marks on the measure's columns.
void addMarks(const mx::Measure& m, int staff, const std::vector<std::int64_t>& columns, StaveMeasure& sm) {
    for (const mx::Direction& d : m.directions) {
        if (d.staff != staff) continue;
        PlannedMark mark{columnOf(columns, d.start), d.dynamic ? TextRole::Dynamic : TextRole::Words, d.dynamicGlyph,
                         d.text, d.above};
        sm.marks.push_back(std::move(mark));
    }
    for (const mx::Harmony& h : m.harmonies)
        if (h.staff == staff) sm.marks.push_back(PlannedMark{columnOf(columns, h.start), TextRole::Chord, 0, h.text, true});
}

} // namespace

ImportPlan planImport(const mx::Document& doc) {
    ImportPlan plan;
    std::size_t measures = 0;
    for (std::size_t p = 0; p < doc.parts.size(); ++p) {
        const mx::Part& part = doc.parts[p];
        for (int s = 1; s <= part.staves; ++s)
            plan.staves.push_back(PlannedStave{static_cast<int>(p), s, part.staves});
        measures = std::max(measures, part.measures.size());
    }
    plan.measures.resize(measures);
    std::vector<StaveState> states(plan.staves.size());
    mx::Time lastTime;
    for (std::size_t mi = 0; mi < measures; ++mi) {
        MeasurePlan& mp = plan.measures[mi];
        mp.staves.resize(plan.staves.size());
        std::vector<std::vector<std::pair<std::int64_t, int>>> clefTimes(plan.staves.size());
        std::vector<std::int64_t> times;
        for (std::size_t s = 0; s < plan.staves.size(); ++s) {
            const PlannedStave& ps = plan.staves[s];
            const mx::Part& part = doc.parts[static_cast<std::size_t>(ps.part)];
            if (mi >= part.measures.size()) continue;
            const mx::Measure& m = part.measures[mi];
            StaveState& st = states[s];
            const int previousKey = st.key;
            if (m.key) st.key = *m.key;
            if (s == 0 || plan.staves[s - 1].part != ps.part) {
                // A time signature is written where the time changes, not where a file repeats it.
                if (m.time && (mi == 0 || !(*m.time == lastTime))) mp.time = m.time;
                if (m.time) lastTime = *m.time;
                mp.repeatStart = mp.repeatStart || m.repeatStart;
                mp.endBar = std::max(mp.endBar, m.endBar);
                mp.length = std::max(mp.length, m.length);
            }
            mp.staves[s] = planStave(m, ps.staff, st, clefTimes[s]);
            mp.staves[s].previousKey = previousKey;
            mp.staves[s].keyChanged = st.key != previousKey || (mi == 0 && st.key != 0);
            for (const mx::Note& n : m.notes)
                if (n.staff == ps.staff) times.push_back(n.start);
            for (const auto& [t, type] : clefTimes[s]) times.push_back(t);
        }
        std::sort(times.begin(), times.end());
        times.erase(std::unique(times.begin(), times.end()), times.end());
        if (times.empty()) times.push_back(0);
        mp.columns = times;
        for (std::size_t s = 0; s < plan.staves.size(); ++s) {
            StaveMeasure& sm = mp.staves[s];
            // Events were planned in onset order; give them their columns.
            const PlannedStave& ps = plan.staves[s];
            const mx::Part& part = doc.parts[static_cast<std::size_t>(ps.part)];
            if (mi >= part.measures.size()) continue;
            const mx::Measure& m = part.measures[mi];
            std::vector<std::int64_t> onsets;
            for (const mx::Note& n : m.notes)
                if (n.staff == ps.staff) onsets.push_back(n.start);
            std::sort(onsets.begin(), onsets.end());
            onsets.erase(std::unique(onsets.begin(), onsets.end()), onsets.end());
            for (std::size_t e = 0; e < sm.events.size() && e < onsets.size(); ++e)
                sm.events[e].column = columnOf(mp.columns, onsets[e]);
            for (const auto& [t, type] : clefTimes[s]) sm.clefs.push_back(PlannedClef{columnOf(mp.columns, t), type});
            addMarks(m, ps.staff, mp.columns, sm);
        }
        for (std::size_t s = 0; s < plan.staves.size(); ++s) {
            StaveMeasure& sm = mp.staves[s];
            for (PlannedEvent& e : sm.events)
                mp.length = std::max(mp.length, mp.columns[static_cast<std::size_t>(e.column)] + e.ticks);
            // A stave of a system holds no more objects than this, whatever a
            // measure asks for; what is beyond is not planned at all.
            if (sm.events.size() > static_cast<std::size_t>(MaxObjects) ||
                sm.marks.size() > static_cast<std::size_t>(MaxObjects)) {
                sm.events.resize(std::min<std::size_t>(sm.events.size(), MaxObjects));
                sm.marks.resize(std::min<std::size_t>(sm.marks.size(), MaxObjects));
                simplify(plan, "more than 249 objects on a stave of a system: the rest of that system's stave was left out");
            }
        }
    }
    return plan;
}

} // namespace qv
