#include "interchange/voices.h"

#include "interchange/symbolmarks.h"
#include "model/staveops.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <numeric>
#include <string>

namespace qv {

namespace {

// How far from a curve's end a note may stand and still be where the slur starts
// or ends, in page units.
constexpr int SlurReach = 12;
constexpr int SlurNumbers = 6;

struct Anchored {
    int x = 0;
    MeasureItem item;
};

struct Chord {
    int x = 0;
    int voice = 1;
    std::vector<ExportNote> notes;
    std::vector<MeasureItem> before; // signs and words written ahead of the notes
};

// A free-standing time-signature digit (a single glyph).
struct Digit {
    int x = 0, y = 0, code = 0;
};

struct Stretch {
    std::vector<Chord> chords;
    std::vector<Digit> digits;
    std::vector<Anchored> signs;                       // clef, key and time changes
    std::vector<Anchored> marks;                       // directions and chord names
    std::vector<std::pair<int, SymbolMark>> noteMarks; // fermatas and ornaments
    std::vector<int> arpeggios;
};

bool validNote(const Stave& stave, int index) {
    return index >= 1 && index <= stave.Nobjec && stave.object(index).isNote();
}

// A tie joins two notes of one pitch, the later to the right; a link to anything
// else (a damaged file) is no tie to a reader.
bool tiedTo(const Stave& stave, const ScoreObject& o, int partner, bool later) {
    if (!validNote(stave, partner)) return false;
    const ScoreObject& p = stave.object(partner);
    return p.staffPosition() == o.staffPosition() && (later ? p.x() > o.x() : p.x() < o.x());
}

// Slur numbers starting and stopping at each note: a curve runs from the note
// nearest its first point to the note nearest its last.
struct Slurs {
    std::map<int, std::vector<int>> starts, stops;
};

int nearestNote(const Stave& stave, int x, int low, int high) {
    int best = 0;
    for (int i = 1; i <= stave.Nobjec; ++i) {
        const ScoreObject& o = stave.object(i);
        if (!o.isNote() || o.x() < low || o.x() > high) continue;
        if (best == 0 || std::abs(o.x() - x) < std::abs(stave.object(best).x() - x)) best = i;
    }
    return best;
}

Slurs findSlurs(const Stave& stave) {
    Slurs slurs;
    int number = 0;
    for (int i = 1; i <= stave.Nobjec; ++i) {
        const ScoreObject& head = stave.object(i);
        if (!head.is(ObjectKind::CurvePoint) || head.curvePrev() != 0 || head.curveNext() == 0) continue;
        int last = i;
        // A damaged chain could loop: never follow more links than there are objects.
        for (int steps = 0; steps < stave.Nobjec; ++steps) {
            const int next = stave.object(last).curveNext();
            if (next < 1 || next > stave.Nobjec || !stave.object(next).is(ObjectKind::CurvePoint)) break;
            last = next;
        }
        const int x1 = head.x(), x2 = stave.object(last).x();
        const int from = nearestNote(stave, x1, x1 - SlurReach, x2);
        const int to = nearestNote(stave, x2, x1, x2 + SlurReach);
        if (from == 0 || to == 0 || stave.object(from).x() >= stave.object(to).x()) continue;
        number = number % SlurNumbers + 1;
        slurs.starts[from].push_back(number);
        slurs.stops[to].push_back(number);
    }
    return slurs;
}

BeamMark beamOf(const Stave& stave, const ScoreObject& o) {
    const bool back = validNote(stave, o.beamBack());
    const bool forward = validNote(stave, o.beamForward());
    if (back && forward) return BeamMark::Continue;
    if (forward) return BeamMark::Begin;
    if (back) return BeamMark::End;
    return BeamMark::None;
}

// Glyphs of the digits 0..9, and of the "16" that serves as a denominator.
constexpr int GlyphDigit0 = 8;
constexpr int GlyphDigit9 = 17;
constexpr int Glyph16 = 18;
// Digits closer than this in x make one time signature.
constexpr int DigitGroupReach = 16;

// Time signatures written with free-standing digits (for the metres the fixed
// signatures lack, such as 5/8): numerator digits on the middle line, the
// denominator below it.
std::vector<Anchored> timesFromDigits(std::vector<Digit> digits, int ycoord) {
    std::stable_sort(digits.begin(), digits.end(), [](const Digit& a, const Digit& b) { return a.x < b.x; });
    std::vector<Anchored> times;
    for (std::size_t first = 0; first < digits.size();) {
        std::string upper, lower;
        std::size_t i = first;
        for (; i < digits.size() && digits[i].x - digits[first].x <= DigitGroupReach; ++i) {
            const Digit& d = digits[i];
            const std::string value =
                d.code == Glyph16 ? "16" : std::string(1, char('0' + d.code - GlyphDigit0));
            (d.y < ycoord + 8 ? upper : lower) += value;
        }
        const int beats = upper.empty() || upper.size() > 2 ? 0 : std::stoi(upper);
        const int beatType = lower.empty() || lower.size() > 2 ? 0 : std::stoi(lower);
        if (beats > 0 && beatType > 0 && (beatType & (beatType - 1)) == 0)
            times.push_back({digits[first].x, TimeChange{beats, beatType, {}}});
        first = i;
    }
    return times;
}

TimeChange timeOf(int type) {
    struct Row {
        int beats, beatType;
        const char* symbol;
    };
    static constexpr Row Rows[15] = {{4, 4, "common"}, {2, 2, "cut"}, {1, 1, ""}, {2, 2, ""}, {3, 2, ""},
                                     {2, 4, ""},       {3, 4, ""},    {4, 4, ""}, {5, 4, ""}, {6, 4, ""},
                                     {7, 4, ""},       {3, 8, ""},    {6, 8, ""}, {9, 8, ""}, {12, 8, ""}};
    const Row& r = Rows[type];
    return TimeChange{r.beats, r.beatType, r.symbol};
}

// Reads the stave's objects in order; keeps what the bar's accidentals and the
// ties need while walking.
class StaveWalker {
  public:
    StaveWalker(const Score& score, int s, const std::vector<BarLine>& bars,
                const StaveReadingContext& context)
        : s_(s), stave_(score.stave(s)), bars_(bars), context_(context), stretches_(bars.size() + 1),
          key_(context.keyAtStart), slurs_(findSlurs(stave_)), twoVoices_(findTwoVoices()) {}

    StaveReading read() {
        for (const int i : walkingOrder())
            take(i);
        StaveReading reading;
        for (Stretch& st : stretches_)
            reading.stretches.push_back(finish(st));
        reading.keyAtEnd = key_;
        return reading;
    }

  private:
    // Objects in order of x; at one x an accidental comes before the note it
    // stands in front of.
    std::vector<int> walkingOrder() const {
        std::vector<int> order(stave_.Nobjec);
        std::iota(order.begin(), order.end(), 1);
        std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
            const ScoreObject &oa = stave_.object(a), &ob = stave_.object(b);
            if (oa.x() != ob.x()) return oa.x() < ob.x();
            return oa.is(ObjectKind::Accidental) && !ob.is(ObjectKind::Accidental);
        });
        return order;
    }

    // The stretches in which stems up and stems down of different lengths meet at
    // one x.
    std::vector<bool> findTwoVoices() const {
        std::vector<bool> two(stretches_.size(), false);
        for (int a = 1; a <= stave_.Nobjec; ++a) {
            const ScoreObject& oa = stave_.object(a);
            if (!oa.isNote() || effectiveStem(oa) != StemUp) continue;
            for (int b = 1; b <= stave_.Nobjec; ++b) {
                const ScoreObject& ob = stave_.object(b);
                if (ob.isNote() && ob.x() == oa.x() && effectiveStem(ob) == StemDown &&
                    (ob.duration() != oa.duration() || ob.dots() != oa.dots()))
                    two[static_cast<std::size_t>(stretchOf(bars_, oa.x()))] = true;
            }
        }
        return two;
    }

    int voiceOf(int stretch, const ScoreObject& o) const {
        if (!twoVoices_[static_cast<std::size_t>(stretch)]) return 1;
        if (o.isRest()) {
            // A rest beside a note takes the other voice; else its place decides.
            for (int i = 1; i <= stave_.Nobjec; ++i) {
                const ScoreObject& n = stave_.object(i);
                if (n.isNote() && n.x() == o.x()) return effectiveStem(n) == StemDown ? 1 : 2;
            }
            return o.staffPosition() >= 0 ? 1 : 2;
        }
        return effectiveStem(o) == StemDown ? 2 : 1;
    }

    void take(int i) {
        const ScoreObject& o = stave_.object(i);
        const int stretch = stretchOf(bars_, o.x());
        if (stretch != current_) {
            barAlters_.clear(); // an accidental holds to the end of its bar
            shown_.clear();
            current_ = stretch;
        }
        Stretch& st = stretches_[static_cast<std::size_t>(stretch)];
        switch (o.kind()) {
        case ObjectKind::Clef:
            st.signs.push_back({o.x(), ClefChange{o.clefType() <= 3 ? o.clefType() : 0, context_.staff}});
            break;
        case ObjectKind::KeySignature:
            key_ = std::clamp(o.keyCount(), -7, 7);
            st.signs.push_back({o.x(), KeyChange{key_}});
            break;
        case ObjectKind::TimeSignature:
            if (o.timeType() <= 14) st.signs.push_back({o.x(), timeOf(o.timeType())});
            break;
        case ObjectKind::Glyph:
            if ((o.symbolCode() >= GlyphDigit0 && o.symbolCode() <= GlyphDigit9) || o.symbolCode() == Glyph16)
                st.digits.push_back({o.x(), o.y(), o.symbolCode()});
            break;
        case ObjectKind::Accidental: takeAccidental(o); break;
        case ObjectKind::Note: takeNote(st, i, o, voiceOf(stretch, o)); break;
        case ObjectKind::Symbol: takeSymbol(st, o); break;
        case ObjectKind::Arpeggio: st.arpeggios.push_back(o.x()); break;
        case ObjectKind::Hairpin: takeHairpin(o); break;
        case ObjectKind::ShortText:
        case ObjectKind::LongText: takeText(st, i, o); break;
        default: break;
        }
    }

    void takeAccidental(const ScoreObject& o) {
        const int d = diatonicNumber(pitchAt(o.accPosition(), clefInForceOrTreble(stave_, o.x())));
        const int value = std::clamp(o.accValue(), -2, 2);
        barAlters_[d] = value;
        shown_[d] = {value, o.accSmall()};
    }

    int alterFor(const ScoreObject& o, WrittenPitch written) {
        const int d = diatonicNumber(written);
        const int from = o.tiedFrom();
        if (tiedTo(stave_, o, from, false) && alters_.count(from))
            return alters_[from]; // a tie carries it on
        if (const auto it = barAlters_.find(d); it != barAlters_.end()) return it->second;
        return keyAlter(key_, written.step);
    }

    void takeNote(Stretch& st, int i, const ScoreObject& o, int voice) {
        ExportNote n;
        n.staff = context_.staff;
        n.voice = voice;
        n.rest = o.isRest();
        n.code = std::clamp(o.duration(), 0, 7);
        n.dots = std::clamp(o.dots(), 0, 3);
        n.cue = o.headStyle() == 1;
        n.crossHead = o.headStyle() == 4;
        if (!n.rest) {
            const WrittenPitch written = pitchAt(o.staffPosition(), clefInForceOrTreble(stave_, o.x()));
            const int d = diatonicNumber(written);
            const int alter = alterFor(o, written);
            alters_[i] = alter;
            n.pitch = Pitch{written.step, alter, written.octave};
            if (const auto it = shown_.find(d); it != shown_.end()) {
                n.accidental = it->second.first;
                n.smallAccidental = it->second.second;
                shown_.erase(it); // shown once, before the first note it stands at
            }
            const int stem = effectiveStem(o);
            n.stem = stem == StemDown ? StemDown : stem == StemNone ? StemNone : StemUp;
            n.beam = beamOf(stave_, o);
            n.tieStart = tiedTo(stave_, o, o.tiedTo(), true);
            n.tieStop = tiedTo(stave_, o, o.tiedFrom(), false);
            n.accent = o.accent();
            n.staccato = o.staccato() <= 2 ? o.staccato() : 0;
            if (auto it = slurs_.starts.find(i); it != slurs_.starts.end()) n.slurStarts = it->second;
            if (auto it = slurs_.stops.find(i); it != slurs_.stops.end()) n.slurStops = it->second;
        }
        // Notes of a voice at one x sound together; the first one's length is the chord's.
        const auto last = std::find_if(st.chords.rbegin(), st.chords.rend(),
                                       [&](const Chord& c) { return c.voice == voice; });
        if (!n.rest && last != st.chords.rend() && last->x == o.x() && !last->notes[0].rest) {
            const ExportNote& first = last->notes[0];
            n.chord = true;
            n.code = first.code;
            n.dots = first.dots;
            n.duration = first.duration;
            last->notes.push_back(n);
            return;
        }
        n.duration = noteDivisions(n.code, n.dots, context_.divisions);
        st.chords.push_back(Chord{o.x(), voice, {n}, {}});
    }

    bool above(const ScoreObject& o) const { return o.y() < stave_.Ycoord; }

    void takeSymbol(Stretch& st, const ScoreObject& o) {
        const SymbolMark mark = symbolMark(o.symbolCode());
        switch (mark.kind) {
        case MarkKind::Dynamic:
            st.marks.push_back(
                {o.x(), Direction{DirectionKind::Dynamic, mark.text, above(o), context_.staff}});
            break;
        case MarkKind::Segno:
            st.marks.push_back({o.x(), Direction{DirectionKind::Segno, {}, true, context_.staff}});
            break;
        case MarkKind::Words:
            st.marks.push_back({o.x(), Direction{DirectionKind::Words, mark.text, above(o), context_.staff}});
            break;
        case MarkKind::Fermata:
        case MarkKind::Ornament: st.noteMarks.push_back({o.x(), mark}); break;
        case MarkKind::None: break;
        }
    }

    // A wedge opens away from its point: to the right a crescendo, to the left a
    // diminuendo.
    void takeHairpin(const ScoreObject& o) {
        const int dx = o.hairpinDx();
        if (dx == 0) return;
        const int start = dx > 0 ? o.x() : o.x() + dx;
        const int stop = dx > 0 ? o.x() + dx : o.x();
        const DirectionKind kind = dx > 0 ? DirectionKind::WedgeCrescendo : DirectionKind::WedgeDiminuendo;
        mark(start, Direction{kind, {}, above(o), context_.staff});
        mark(stop, Direction{DirectionKind::WedgeStop, {}, above(o), context_.staff});
    }

    void mark(int x, const MeasureItem& item) {
        stretches_[static_cast<std::size_t>(stretchOf(bars_, x))].marks.push_back({x, item});
    }

    void takeText(Stretch& st, int i, const ScoreObject& o) {
        std::string text;
        if (o.is(ObjectKind::ShortText)) {
            text = o.shortText();
        } else {
            if (o.isContinuation() || (o.textAttributes() & TextNonPrinting)) return;
            text = longTextOf(stave_, i);
        }
        if (text.find_first_not_of(' ') == std::string::npos) return;
        if (context_.skipped && context_.skipped->count({s_, i})) return;
        const bool transposable = o.is(ObjectKind::LongText) && (o.textAttributes() & TextTransposable);
        if (transposable) {
            if (const auto chord = parseChordSymbol(text)) {
                st.marks.push_back({o.x(), Harmony{*chord, context_.staff}});
                return;
            }
        }
        st.marks.push_back(
            {o.x(), Direction{DirectionKind::Words, textToUtf8(text), above(o), context_.staff}});
    }

    static int voiceLength(const Stretch& st, int voice) {
        int length = 0;
        for (const Chord& c : st.chords)
            if (c.voice == voice) length += c.notes[0].duration;
        return length;
    }

    static int nearestChord(const std::vector<Chord>& chords, int x) {
        int best = 0;
        for (std::size_t c = 1; c < chords.size(); ++c)
            if (std::abs(chords[c].x - x) < std::abs(chords[static_cast<std::size_t>(best)].x - x))
                best = static_cast<int>(c);
        return best;
    }

    StretchReading finish(Stretch& st) const {
        StretchReading r;
        for (const Anchored& t : timesFromDigits(st.digits, stave_.Ycoord))
            st.signs.push_back(t);
        std::stable_sort(st.signs.begin(), st.signs.end(),
                         [](const Anchored& a, const Anchored& b) { return a.x < b.x; });
        std::vector<MeasureItem> lead, tail;
        for (const Anchored& a : st.signs) {
            const auto at =
                std::find_if(st.chords.begin(), st.chords.end(), [&](const Chord& c) { return c.x >= a.x; });
            if (at == st.chords.end())
                tail.push_back(a.item);
            else
                at->before.push_back(a.item);
        }
        std::stable_sort(st.marks.begin(), st.marks.end(),
                         [](const Anchored& a, const Anchored& b) { return a.x < b.x; });
        for (const Anchored& a : st.marks) {
            if (st.chords.empty())
                lead.push_back(a.item);
            else
                st.chords[static_cast<std::size_t>(nearestChord(st.chords, a.x))].before.push_back(a.item);
        }
        for (const auto& [x, m] : st.noteMarks) {
            if (st.chords.empty()) continue;
            ExportNote& n = st.chords[static_cast<std::size_t>(nearestChord(st.chords, x))].notes[0];
            (m.kind == MarkKind::Fermata ? n.fermata : n.ornament) = m.text;
        }
        for (const int x : st.arpeggios) {
            if (st.chords.empty()) continue;
            for (ExportNote& n : st.chords[static_cast<std::size_t>(nearestChord(st.chords, x))].notes)
                n.arpeggio = !n.rest;
        }
        r.measure.items = lead;
        for (int voice = 1; voice <= 2; ++voice) {
            int length = 0;
            for (const Chord& c : st.chords) {
                if (c.voice != voice) continue;
                if (voice == 2 && length == 0) r.measure.items.push_back(Backup{voiceLength(st, 1)});
                r.measure.items.insert(r.measure.items.end(), c.before.begin(), c.before.end());
                r.measure.items.insert(r.measure.items.end(), c.notes.begin(), c.notes.end());
                length += c.notes[0].duration;
            }
            r.measure.length = std::max(r.measure.length, length);
        }
        r.measure.items.insert(r.measure.items.end(), tail.begin(), tail.end());
        r.hasNotes = !st.chords.empty();
        r.loneWholeRest =
            st.chords.size() == 1 && st.chords[0].notes[0].rest && st.chords[0].notes[0].code <= 1;
        return r;
    }

    int s_;
    const Stave& stave_;
    const std::vector<BarLine>& bars_;
    StaveReadingContext context_;
    std::vector<Stretch> stretches_;
    int key_;
    Slurs slurs_;
    std::vector<bool> twoVoices_;
    int current_ = -1;
    std::map<int, int> barAlters_;              // diatonic index -> alteration
    std::map<int, std::pair<int, bool>> shown_; // accidentals waiting for their note
    std::map<int, int> alters_;                 // note index -> its alteration
};

} // namespace

StaveReading readStave(const Score& score, int s, const std::vector<BarLine>& bars,
                       const StaveReadingContext& context) {
    return StaveWalker(score, s, bars, context).read();
}

} // namespace qv
