#include "interchange/exportmodel.h"

#include "interchange/scoretitles.h"
#include "interchange/stavebars.h"
#include "interchange/voices.h"
#include "layout/pagination.h"

#include <algorithm>

namespace qv {

int divisionsFor(const Score& score) {
    int finest = 0; // duration code plus dots of the shortest value written
    for (int s = 1; s <= score.Nstaves; ++s) {
        const Stave& stave = score.stave(s);
        for (int i = 1; i <= stave.Nobjec; ++i) {
            const ScoreObject& o = stave.object(i);
            if (o.is(ObjectKind::Note))
                finest = std::max(finest, std::clamp(o.duration(), 0, 7) + std::clamp(o.dots(), 0, 3));
        }
    }
    return 1 << std::max(0, finest - 3);
}

int noteDivisions(int code, int dots, int divisions) {
    // A breve is eight crotchets; each dot adds half of what the last added.
    int part = divisions * 8 >> code;
    int total = part;
    for (int d = 0; d < dots; ++d)
        total += part >>= 1;
    return total;
}

std::string textToUtf8(const std::string& bytes) {
    std::string out;
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == 141)
            out += "\u266D"; // flat
        else if (c == 142)
            out += "\u266E"; // natural
        else if (c == 143)
            out += "\u266F"; // sharp
        else if (c < 0x20 || c == 0x7F)
            out += ' '; // no control character may stand in XML
        else if (c < 0x80)
            out += static_cast<char>(c);
        else if (c < 0xA0)
            out += ' '; // the other controls of the old character set
        else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

namespace {

struct PartLayout {
    int offset = 0; // first stave of the part within its system
    int staves = 1;
};

// A brace joins a stave to the one below: the pair is one part.
std::vector<PartLayout> partLayout(const Score& score, const SystemRange& system) {
    std::vector<PartLayout> parts;
    for (int s = system.first; s <= system.last;) {
        const bool pair = score.stave(s).brace && s < system.last;
        parts.push_back({s - system.first, pair ? 2 : 1});
        s += pair ? 2 : 1;
    }
    return parts;
}

std::vector<SystemRange> systemsOf(const Score& score) {
    std::vector<SystemRange> systems;
    for (int s = 1; s <= score.Nstaves;) {
        const SystemRange r = SystemExtent(score, s);
        systems.push_back(r);
        s = r.last + 1;
    }
    return systems;
}

BarStyle rightStyle(int kind) {
    switch (kind) {
    case BarDouble: return {"light-light", false};
    case BarRepeatEnd:
    case BarRepeatBoth: return {"light-heavy", true};
    case BarEnd: return {"light-heavy", false};
    default: return {};
    }
}

bool startsRepeat(int kind) {
    return kind == BarRepeatStart || kind == BarRepeatBoth;
}

// What a part carries from bar to bar: the signs in force, to leave out repeats
// of them (every system restates its clef and key).
struct PartState {
    std::optional<int> key;
    std::optional<std::pair<int, int>> time;
    std::optional<int> clef[2];
    int keyAtEnd[2] = {0, 0};
    std::vector<MeasureItem> carried[2]; // signs of a stretch without notes, for the next bar
};

// Drops signs that restate what is in force.
std::vector<MeasureItem> withoutRepeatedSigns(const std::vector<MeasureItem>& items, PartState& state,
                                              int staff) {
    std::vector<MeasureItem> kept;
    for (const MeasureItem& item : items) {
        if (const auto* c = std::get_if<ClefChange>(&item)) {
            if (state.clef[staff - 1] == c->clefType) continue;
            state.clef[staff - 1] = c->clefType;
        } else if (const auto* k = std::get_if<KeyChange>(&item)) {
            if (state.key == k->fifths) continue;
            state.key = k->fifths;
        } else if (const auto* t = std::get_if<TimeChange>(&item)) {
            const std::pair<int, int> time{t->beats, t->beatType};
            if (state.time == time) continue;
            state.time = time;
        }
        kept.push_back(item);
    }
    return kept;
}

int timeLength(const PartState& state, int divisions) {
    if (!state.time) return 4 * divisions;
    return state.time->first * divisions * 4 / state.time->second;
}

class ScoreReader {
  public:
    explicit ScoreReader(const Score& score) : score_(score) {}

    ExportScore read() {
        out_.divisions = divisionsFor(score_);
        const ScoreTitles titles = findTitles(score_);
        out_.title = titles.title;
        out_.composer = titles.composer;
        out_.credits = titles.credits;
        used_ = titles.used;
        out_.paper = {score_.page.Width, score_.page.Length, score_.StvSiz};
        const std::vector<SystemRange> systems = systemsOf(score_);
        if (systems.empty()) return out_;
        const auto widest =
            std::max_element(systems.begin(), systems.end(), [](const SystemRange& a, const SystemRange& b) {
                return a.last - a.first < b.last - b.first;
            });
        layout_ = partLayout(score_, *widest);
        states_.resize(layout_.size());
        for (std::size_t p = 0; p < layout_.size(); ++p) {
            ExportPart part;
            part.id = "P" + std::to_string(p + 1);
            part.name = "Part " + std::to_string(p + 1);
            part.staves = layout_[p].staves;
            out_.parts.push_back(part);
        }
        for (std::size_t k = 0; k < systems.size(); ++k)
            readSystem(systems[k], k == 0);
        if (measures_ == 0) addSilentBar();
        return out_;
    }

  private:
    using Readings = std::vector<std::vector<StaveReading>>; // [part][staff]

    Readings readStaves(const SystemRange& system, const std::vector<BarLine>& bars) {
        Readings readings(layout_.size());
        for (std::size_t p = 0; p < layout_.size(); ++p) {
            for (int j = 0; j < layout_[p].staves; ++j) {
                const int s = system.first + layout_[p].offset + j;
                if (s > system.last) {
                    readings[p].push_back(StaveReading{std::vector<StretchReading>(bars.size() + 1), 0});
                    continue;
                }
                StaveReadingContext context{out_.divisions, j + 1, states_[p].keyAtEnd[j], &used_};
                readings[p].push_back(readStave(score_, s, bars, context));
                states_[p].keyAtEnd[j] = readings[p].back().keyAtEnd;
            }
        }
        return readings;
    }

    void readSystem(const SystemRange& system, bool firstSystem) {
        const std::vector<BarLine> bars = systemBarLines(score_, system);
        const Readings readings = readStaves(system, bars);
        const int page = score_.stave(system.first).PageNum;
        bool firstOfSystem = true;
        for (std::size_t i = 0; i <= bars.size(); ++i) {
            const int leftKind = i > 0 ? bars[i - 1].kind : BarSingle;
            const int rightKind = i < bars.size() ? bars[i].kind : BarSingle;
            if (startsRepeat(leftKind)) repeatPending_ = true;
            if (!hasNotes(readings, i)) {
                carry(readings, i);
                if (i < bars.size() && rightKind != BarSingle && !startsRepeat(rightKind))
                    closeLastMeasure(rightKind);
                continue;
            }
            ExportMeasureFrame frame;
            frame.number = ++measures_;
            frame.newSystem = firstOfSystem && !firstSystem;
            frame.newPage = frame.newSystem && page != lastPage_;
            frame.right = rightStyle(rightKind);
            if (repeatPending_) frame.left = {"heavy-light", true};
            repeatPending_ = false;
            firstOfSystem = false;
            addMeasure(readings, i, frame);
        }
        lastPage_ = page;
    }

    // A part needs at least one bar: a score with no notes yet is one bar of rest,
    // as long as the time signature carried to it says.
    void addSilentBar() {
        measures_ = 1;
        int length = 0;
        for (std::size_t p = 0; p < out_.parts.size(); ++p) {
            PartState probe = states_[p];
            for (int staff = 1; staff <= out_.parts[p].staves; ++staff)
                withoutRepeatedSigns(probe.carried[staff - 1], probe, staff);
            length = std::max(length, timeLength(probe, out_.divisions));
        }
        for (std::size_t p = 0; p < out_.parts.size(); ++p) {
            ExportMeasure m;
            m.length = length;
            for (int staff = 1; staff <= out_.parts[p].staves; ++staff)
                m.staves.push_back(staffMeasure(StretchReading{}, p, staff, m.length));
            out_.parts[p].measures.push_back(std::move(m));
        }
    }

    struct ExportMeasureFrame {
        int number = 0;
        bool newSystem = false, newPage = false;
        BarStyle left, right;
    };

    static bool hasNotes(const Readings& readings, std::size_t i) {
        for (const auto& part : readings)
            for (const StaveReading& r : part)
                if (r.stretches[i].hasNotes) return true;
        return false;
    }

    // A stretch with no notes (signs before a repeat mark, the space after the
    // last bar line) gives its signs and words to the next bar.
    void carry(const Readings& readings, std::size_t i) {
        for (std::size_t p = 0; p < readings.size(); ++p)
            for (std::size_t j = 0; j < readings[p].size(); ++j) {
                const auto& items = readings[p][j].stretches[i].measure.items;
                states_[p].carried[j].insert(states_[p].carried[j].end(), items.begin(), items.end());
            }
    }

    // A double, end or repeat bar line that closes nothing new marks the last bar.
    void closeLastMeasure(int kind) {
        for (ExportPart& part : out_.parts)
            if (!part.measures.empty() && part.measures.back().right.style.empty())
                part.measures.back().right = rightStyle(kind);
    }

    int measureLength(const Readings& readings, std::size_t i) const {
        int length = 0;
        for (const auto& part : readings)
            for (const StaveReading& r : part)
                if (!r.stretches[i].loneWholeRest) length = std::max(length, r.stretches[i].measure.length);
        return length;
    }

    void addMeasure(const Readings& readings, std::size_t i, const ExportMeasureFrame& frame) {
        int length = measureLength(readings, i);
        if (length == 0) {
            // Only whole-bar rests: the bar is as long as the time signature says.
            for (std::size_t p = 0; p < readings.size(); ++p) {
                PartState probe = states_[p];
                for (std::size_t j = 0; j < readings[p].size(); ++j)
                    withoutRepeatedSigns(readings[p][j].stretches[i].measure.items, probe,
                                         static_cast<int>(j) + 1);
                length = std::max(length, timeLength(probe, out_.divisions));
            }
        }
        for (std::size_t p = 0; p < readings.size(); ++p) {
            ExportMeasure m;
            m.number = frame.number;
            m.length = length;
            m.newSystem = frame.newSystem;
            m.newPage = frame.newPage;
            m.left = frame.left;
            m.right = frame.right;
            for (std::size_t j = 0; j < readings[p].size(); ++j)
                m.staves.push_back(
                    staffMeasure(readings[p][j].stretches[i], p, static_cast<int>(j) + 1, length));
            out_.parts[p].measures.push_back(std::move(m));
        }
    }

    StaffMeasure staffMeasure(const StretchReading& r, std::size_t p, int staff, int length) {
        PartState& state = states_[p];
        std::vector<MeasureItem> items = std::move(state.carried[staff - 1]);
        state.carried[staff - 1].clear();
        items.insert(items.end(), r.measure.items.begin(), r.measure.items.end());
        if (measures_ == 1) {
            // The first bar states the clef and key even where the stave has none.
            const bool clef = std::any_of(items.begin(), items.end(), [](const MeasureItem& m) {
                return std::holds_alternative<ClefChange>(m);
            });
            if (!clef) items.insert(items.begin(), ClefChange{0, staff});
            const bool key = std::any_of(items.begin(), items.end(), [](const MeasureItem& m) {
                return std::holds_alternative<KeyChange>(m);
            });
            if (!key && staff == 1) items.insert(items.begin(), KeyChange{0});
        }
        StaffMeasure m;
        m.items = withoutRepeatedSigns(items, state, staff);
        m.length = r.measure.length;
        const bool silent = !r.hasNotes || r.loneWholeRest;
        if (silent) {
            // The stave rests for the whole bar.
            std::erase_if(m.items, [](const MeasureItem& item) {
                return std::holds_alternative<ExportNote>(item) || std::holds_alternative<Backup>(item);
            });
            ExportNote rest;
            rest.rest = true;
            rest.wholeMeasure = true;
            rest.code = 1;
            rest.duration = length;
            rest.staff = staff;
            m.items.push_back(rest);
            m.length = length;
        }
        return m;
    }

    const Score& score_;
    ExportScore out_;
    TextSet used_;
    std::vector<PartLayout> layout_;
    std::vector<PartState> states_;
    int measures_ = 0;
    int lastPage_ = 0;
    bool repeatPending_ = false;
};

} // namespace

ExportScore buildExportScore(const Score& score) {
    return ScoreReader(score).read();
}

} // namespace qv
