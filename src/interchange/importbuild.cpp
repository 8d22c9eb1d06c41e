#include "interchange/importbuild.h"

#include "layout/justify.h"
#include "layout/pagination.h"
#include "layout/staveextent.h"
#include "layout/staves.h"
#include "layout/tidystave.h"
#include "render/glyphcatalogue.h"

#include <algorithm>
#include <map>

namespace qv {

namespace {

constexpr int WithinPartGap = 72;  // least distance between the middle lines of a part's staves
constexpr int BetweenPartsGap = 84;
constexpr int BetweenSystemsGap = 100;
constexpr int ExtentClearance = 8; // between one stave's lowest point and the next one's highest
constexpr int SystemClearance = 20;
constexpr int FirstTop = 10;       // the top of the first stave's extent on the page
constexpr int SlurLift = 10;       // a slur's ends from the heads
constexpr int TieLift = 6;
constexpr int ResumedCurveGap = 14; // a curve carried into a system starts this far before its music
constexpr int ShortestSlur = 10;
constexpr int ChordY = -50, WordsAboveY = -34, WordsBelowY = 22, DynamicGlyphY = 32, DynamicTextY = 24;
constexpr int TupletAboveY = -42, TupletBelowY = 26;
constexpr double JustifyFill = 0.6; // a last system this full is justified too

struct Point {
    int x = 0;
    int y = 0;
};

// A slur begun and not yet ended; or a tie that runs on into the next system,
// drawn there as a curve from the start of the system to its note.
struct OpenSlur {
    int number = 1;
    Point start;
    bool above = false;
    int position = 0; // of a tie's note
};

// One stave of the system being built, with what carries across its measures.
class StaveBuilder {
  public:
    StaveBuilder(Stave& stave, std::vector<std::string>& simplified) : stave_(stave), simplified_(simplified) {}

    // Appends an object; 0 (and a note of it) when the stave is full.
    int add(const ScoreObject& o) {
        if (stave_.Nobjec >= MaxObjects) {
            note("more than 249 objects on a stave of a system: the rest of that system's stave was left out");
            return 0;
        }
        stave_.object(++stave_.Nobjec) = o;
        return stave_.Nobjec;
    }
    bool room(int n) const { return stave_.Nobjec + n <= MaxObjects; }
    ScoreObject& at(int i) { return stave_.object(i); }
    void note(const std::string& what) {
        if (std::find(simplified_.begin(), simplified_.end(), what) == simplified_.end()) simplified_.push_back(what);
    }

    void text(int x, int y, int font, int attributes, const std::string& text);
    void event(const PlannedEvent& e, int x, bool centre, int barX);
    void clef(int x, int type, bool small);
    void key(int x, int count);
    void time(int x, const mx::Time& t);
    // Ends the slurs and ties still open at the end of the system at x, to go on
    // in the next system from x = start.
    struct Carried {
        std::vector<OpenSlur> slurs;
        std::vector<OpenSlur> ties;
    };
    Carried breakSlurs(int endX);
    void resumeSlurs(const Carried& carried, int startX);
    void curve(Point a, Point b, bool above, int lift = SlurLift);

  private:
    void heads(const PlannedEvent& e, int x, int& stemmed);
    void slurs(const PlannedEvent& e, int x);

    Stave& stave_;
    std::vector<std::string>& simplified_;
    int beamPrevious_ = 0;
    std::map<int, int> openTies_; // staff position -> note index
    std::vector<OpenSlur> openSlurs_;
    std::vector<OpenSlur> carriedTies_; // ties from the system before
};

void StaveBuilder::text(int x, int y, int font, int attributes, const std::string& s) {
    if (!appendLongText(stave_, x, y, font, attributes, s)) note("texts beyond a stave's capacity were left out");
}

void StaveBuilder::clef(int x, int type, bool small) {
    ScoreObject o = makeObject(ObjectKind::Clef, x, 0);
    o.setClefType(type);
    o.setClefSmall(small);
    o.setSymbolCode(ClefGlyph(type, small));
    add(o);
}

void StaveBuilder::key(int x, int count) {
    ScoreObject o = makeObject(ObjectKind::KeySignature, x, 0);
    o.setKeyCount(count);
    add(o);
}

void StaveBuilder::time(int x, const mx::Time& t) {
    const int type = timeSignatureType(t);
    if (type >= 0) {
        ScoreObject o = makeObject(ObjectKind::TimeSignature, x, 0);
        o.setTimeType(type);
        add(o);
        return;
    }
    // Any other time as free digits: the beats on the middle line, the beat type
    // a stave space and a half below.
    const auto digits = [&](int value, int y) {
        const std::string d = std::to_string(value);
        const int width = 10 * static_cast<int>(d.size());
        for (std::size_t i = 0; i < d.size(); ++i) {
            ScoreObject o = makeObject(ObjectKind::Glyph, x - width / 2 + 5 + 10 * static_cast<int>(i), y);
            o.setSymbolCode(8 + (d[i] - '0'));
            add(o);
        }
    };
    digits(t.beats, 0);
    if (t.beatType == 16) {
        ScoreObject o = makeObject(ObjectKind::Glyph, x, 16);
        o.setSymbolCode(18);
        add(o);
    } else {
        digits(t.beatType, 16);
    }
}

// The heads of a note or chord: the stemmed one at the end away from the stem
// tip, the others stemless beside it; a head a step from its neighbour stands
// aside.
void StaveBuilder::heads(const PlannedEvent& e, int x, int& stemmed) {
    const std::size_t n = e.heads.size();
    const bool down = e.stem == 1;
    const std::size_t stemmedHead = down ? n - 1 : 0;
    std::vector<int> offset(n, 0);
    if (!down) {
        for (std::size_t i = 1; i < n; ++i)
            if (e.heads[i].position - e.heads[i - 1].position == 1 && offset[i - 1] == 0) offset[i] = SecondOffset;
    } else {
        for (std::size_t i = n - 1; i-- > 0;)
            if (e.heads[i + 1].position - e.heads[i].position == 1 && offset[i + 1] == 0) offset[i] = -SecondOffset;
    }
    const std::vector<int> levels = accidentalLevels(e);
    const int leftmost = x + *std::min_element(offset.begin(), offset.end());
    const int span = e.heads.back().position - e.heads.front().position;
    for (std::size_t i = 0; i < n; ++i) {
        const PlannedHead& h = e.heads[i];
        const int y = -4 * h.position;
        if (h.accidental != mx::NoAccidental) {
            ScoreObject a = makeObject(ObjectKind::Accidental, leftmost - AccidentalGap - AccidentalLevel * levels[i], y);
            static constexpr int Glyphs[5] = {45, 44, 48, 46, 47};
            a.setAccPosition(h.position);
            a.setAccValue(h.accidental);
            a.setSymbolCode(Glyphs[std::clamp(h.accidental, -2, 2) + 2]);
            add(a);
        }
        const bool withStem = i == stemmedHead && e.stem != StemNone;
        ScoreObject o = makeObject(ObjectKind::Note, x + offset[i], y);
        o.setDuration(e.duration);
        o.setStaffPosition(h.position);
        o.setDots(e.dots);
        o.setStem(withStem ? e.stem : StemNone);
        o.setSymbolCode(NoteGlyphTable(e.duration, withStem ? e.stem : StemNone, 0));
        if (withStem) {
            o.setStemExtra(std::min(span, 60));
            o.setAccent(e.accent);
            o.setStaccato(e.staccato);
        }
        const int index = add(o);
        if (index == 0) return;
        if (withStem || (stemmed == 0 && i == stemmedHead)) stemmed = index;
        // Ties: the later note says on which side its tie is drawn.
        if (h.tieStop) {
            const auto from = openTies_.find(h.position);
            const auto carried = std::find_if(carriedTies_.begin(), carriedTies_.end(),
                                              [&](const OpenSlur& t) { return t.position == h.position; });
            if (from == openTies_.end() && carried != carriedTies_.end()) {
                curve(carried->start, Point{x + offset[i], y}, carried->above, TieLift);
                carriedTies_.erase(carried);
            }
            if (from != openTies_.end()) {
                at(from->second).setTiedTo(index);
                at(index).setTiedFrom(from->second);
                const bool over = n > 1 ? 2 * i >= n : down;
                at(index).setTieOverhand(over);
                at(from->second).setTieOverhand(over);
                openTies_.erase(from);
            }
        }
        if (h.tieStart) openTies_[h.position] = index;
    }
}

void StaveBuilder::curve(Point a, Point b, bool above, int slurLift) {
    if (b.x - a.x < ShortestSlur) return;
    if (!room(3)) {
        note("slurs beyond a stave's capacity were left out");
        return;
    }
    const int lift = above ? -slurLift : slurLift;
    const Point p1{a.x + 3, a.y + lift}, p3{b.x - 3, b.y + lift};
    const int arch = 6 + std::min(10, (b.x - a.x) / 40);
    const Point p2{(p1.x + p3.x) / 2, above ? std::min(p1.y, p3.y) - arch : std::max(p1.y, p3.y) + arch};
    const int first = stave_.Nobjec + 1;
    const Point points[3] = {p1, p2, p3};
    for (int k = 0; k < 3; ++k) {
        ScoreObject o = makeObject(ObjectKind::CurvePoint, points[k].x, points[k].y);
        o.setCurveThickness(1);
        o.setCurveNext(k < 2 ? first + k + 1 : 0);
        o.setCurvePrev(k > 0 ? first + k - 1 : 0);
        if (k == 0) {
            // The reach that the stave's extent takes from the curve.
            o.setCurveTop(std::min({p1.y, p2.y, p3.y}) - 7);
            o.setCurveBottom(std::max({p1.y, p2.y, p3.y}) + 7);
        }
        add(o);
    }
}

void StaveBuilder::slurs(const PlannedEvent& e, int x) {
    const int top = e.heads.empty() ? -8 : -4 * e.heads.back().position;
    const int bottom = e.heads.empty() ? 8 : -4 * e.heads.front().position;
    for (const int number : e.slurStops) {
        const auto open = std::find_if(openSlurs_.rbegin(), openSlurs_.rend(),
                                       [&](const OpenSlur& s) { return s.number == number; });
        if (open == openSlurs_.rend()) continue;
        curve(open->start, Point{x, open->above ? top : bottom}, open->above);
        openSlurs_.erase(std::next(open).base());
    }
    for (const int number : e.slurStarts) {
        // A number starts a new slur only once the last of that number has ended.
        std::erase_if(openSlurs_, [&](const OpenSlur& s) { return s.number == number; });
        openSlurs_.push_back(OpenSlur{number, Point{x, e.slurAbove ? top : bottom}, e.slurAbove});
    }
}

void StaveBuilder::event(const PlannedEvent& e, int x, bool centre, int barX) {
    int stemmed = 0;
    if (e.rest) {
        ScoreObject o = makeObject(ObjectKind::Note, centre ? std::max(x, barX / 2) : x, 0);
        o.setRest(true);
        o.setDuration(e.duration);
        o.setDots(e.dots);
        stemmed = add(o);
        beamPrevious_ = 0;
    } else {
        heads(e, x, stemmed);
        const bool beamable = e.duration >= 4 && e.stem != StemNone && stemmed != 0;
        if (beamable && e.beam == mx::Beam::Begin) {
            beamPrevious_ = stemmed;
        } else if (beamable && beamPrevious_ != 0 &&
                   (e.beam == mx::Beam::Continue || e.beam == mx::Beam::End)) {
            at(beamPrevious_).setBeamForward(stemmed);
            at(stemmed).setBeamBack(beamPrevious_);
            beamPrevious_ = e.beam == mx::Beam::End ? 0 : stemmed;
        } else {
            beamPrevious_ = 0;
        }
    }
    slurs(e, x);
}

StaveBuilder::Carried StaveBuilder::breakSlurs(int endX) {
    Carried carried;
    carried.slurs = std::move(openSlurs_);
    openSlurs_.clear();
    for (const OpenSlur& s : carried.slurs) curve(s.start, Point{endX, s.start.y}, s.above);
    for (const auto& [position, index] : openTies_) {
        const ScoreObject& o = at(index);
        // Opposite the stem; a stemless head of a chord by its side of the stave.
        const bool above = o.stem() == StemDown || (o.stem() == StemNone && position > 0);
        curve(Point{o.x(), o.y()}, Point{endX, o.y()}, above, TieLift);
        carried.ties.push_back(OpenSlur{0, Point{0, o.y()}, above, position});
    }
    openTies_.clear();
    carriedTies_.clear();
    beamPrevious_ = 0;
    return carried;
}

void StaveBuilder::resumeSlurs(const Carried& carried, int startX) {
    for (OpenSlur s : carried.slurs) {
        s.start.x = startX;
        openSlurs_.push_back(s);
    }
    for (OpenSlur t : carried.ties) {
        t.start.x = startX;
        carriedTies_.push_back(t);
    }
}

} // namespace

namespace {

Stave emptyStave(const ImportPlan& plan, std::size_t s, int index, int right) {
    const PlannedStave& ps = plan.staves[s];
    const std::size_t n = plan.staves.size();
    const bool samePartBelow = s + 1 < n && plan.staves[s + 1].part == ps.part;
    const bool severalParts = plan.staves.front().part != plan.staves.back().part;
    Stave st;
    st.LeftX = ImportLeftX;
    st.RightX = static_cast<std::int16_t>(right);
    st.lineValue = 5;
    st.paramA = st.paramB = 20;
    st.PageNum = 1;
    st.staveNumber = static_cast<std::uint16_t>(index);
    st.joinToNext = s + 1 < n;
    st.brace = ps.staff == 1 && ps.partStaves > 1;
    st.barLineThrough = samePartBelow;
    st.bracket = severalParts;
    st.bracketWithNext = severalParts && s + 1 < n;
    return st;
}

ScoreObject barline(int x, int type) {
    ScoreObject o = makeObject(ObjectKind::Barline, x, 0);
    o.setBarType(type);
    o.setSymbolCode(BarlineGlyph(type, 39));
    return o;
}

// How far the notes of a column reach above and below the stave's middle line,
// stems included.
struct Reach {
    int top = 0;
    int bottom = 0;
};
Reach columnReach(const StaveMeasure& sm, int column) {
    constexpr int Stem = 28, Head = 6;
    Reach r;
    for (const PlannedEvent& e : sm.events) {
        if (e.column != column || e.heads.empty()) continue;
        const int high = -4 * e.heads.back().position, low = -4 * e.heads.front().position;
        r.top = std::min(r.top, high - (e.stem == 0 ? Stem : Head));
        r.bottom = std::max(r.bottom, low + (e.stem == 1 ? Stem : Head));
    }
    return r;
}

// Dynamics and words below the stave clear the lowest note of their column, chord
// symbols and words above clear the highest.
void marks(StaveBuilder& b, const StaveMeasure& sm, const MeasureLayout& ml, int x, const ImportFonts& fonts) {
    constexpr int TextHeight = 14, GlyphHalf = 8;
    for (const PlannedMark& k : sm.marks) {
        const int mx = x + ml.columnX[static_cast<std::size_t>(k.column)];
        const Reach r = columnReach(sm, k.column);
        const int below = r.bottom + 4, above = r.top - 4 - TextHeight;
        switch (k.role) {
        case TextRole::Dynamic:
            if (k.glyph) {
                // The sign stands centred on its x: a little right, so it starts under its note.
                ScoreObject o = makeObject(ObjectKind::Symbol, mx + GlyphHalf / 2, std::max(DynamicGlyphY, below + GlyphHalf));
                o.setSymbolCode(k.glyph);
                b.add(o);
            } else {
                b.text(mx, std::max(DynamicTextY, below), fonts.dynamics, 0, k.text);
            }
            break;
        case TextRole::Chord: b.text(mx, std::min(ChordY, above), fonts.chords, TextTransposable, k.text); break;
        default:
            b.text(mx, k.above ? std::min(WordsAboveY, above) : std::max(WordsBelowY, below), fonts.words, 0, k.text);
            break;
        }
    }
}

// The clef, key and time changes at the start of a measure inside a system.
void prefix(std::vector<StaveBuilder>& builders, const ImportPlan& plan, int m, int grade, int x) {
    const MeasurePlan& mp = plan.measures[static_cast<std::size_t>(m)];
    int clefWidth = 0, keyWidth = 0;
    for (const StaveMeasure& sm : mp.staves) {
        if (sm.clefChanged) clefWidth = SmallClefAdvance;
        if (sm.keyChanged) keyWidth = std::max(keyWidth, keyAdvance(sm.previousKey, sm.key, grade));
    }
    for (std::size_t s = 0; s < builders.size(); ++s) {
        const StaveMeasure& sm = mp.staves[s];
        if (sm.clefChanged) builders[s].clef(x + 4, sm.clef, true);
        if (sm.keyChanged) builders[s].key(x + clefWidth, sm.key);
        if (mp.time) builders[s].time(x + clefWidth + keyWidth, *mp.time);
    }
}

struct SystemSpan {
    int first = 0; // measures [first, end)
    int end = 0;
    int base = 0;  // the stave before the system's first
    bool last = false;
};

void buildSystem(Score& score, const ImportPlan& plan, const ImportFit& fit, const SystemSpan& span,
                 const ImportFonts& fonts, std::vector<StaveBuilder::Carried>& carried,
                 std::vector<std::string>& simplified) {
    const std::size_t n = plan.staves.size();
    const int right = score.stave(span.base + 1).RightX;
    const int grade = fit.grade;
    std::vector<StaveBuilder> builders;
    for (std::size_t s = 0; s < n; ++s) builders.emplace_back(score.stave(span.base + 1 + static_cast<int>(s)), simplified);

    // The header: clef, key, time and a repeat sign.
    const MeasurePlan& opening = plan.measures[static_cast<std::size_t>(span.first)];
    const int c = systemMusicStart(plan, span.first, grade);
    int widestKey = 0;
    for (std::size_t s = 0; s < n; ++s) {
        const StaveMeasure& sm = opening.staves[s];
        builders[s].clef(HeaderClefX, sm.clef, false);
        if (sm.key != 0) builders[s].key(HeaderClefX + FullClefAdvance, sm.key);
        if (sm.key != 0) widestKey = std::max(widestKey, keyAdvance(0, sm.key, grade));
    }
    int x = HeaderClefX + FullClefAdvance + widestKey;
    if (opening.time)
        for (StaveBuilder& b : builders) b.time(x, *opening.time);
    if (opening.time) x += timeAdvance(*opening.time, grade);
    if (opening.repeatStart) builders[0].add(barline(x, 2));
    for (std::size_t s = 0; s < n; ++s) builders[s].resumeSlurs(carried[s], c - ResumedCurveGap);

    x = c;
    int lastBar = c;
    for (int m = span.first; m < span.end; ++m) {
        const MeasurePlan& mp = plan.measures[static_cast<std::size_t>(m)];
        const MeasureLayout& ml = fit.layout[static_cast<std::size_t>(m)];
        if (m != span.first) {
            prefix(builders, plan, m, grade, x);
            x += measurePrefix(plan, m, grade);
        }
        for (std::size_t s = 0; s < n; ++s) {
            StaveBuilder& b = builders[s];
            const StaveMeasure& sm = mp.staves[s];
            for (const PlannedClef& k : sm.clefs)
                b.clef(x + ml.columnX[static_cast<std::size_t>(k.column)] - SmallClefAdvance + 4, k.type, true);
            for (const PlannedEvent& e : sm.events) {
                const int ex = x + ml.columnX[static_cast<std::size_t>(e.column)];
                const bool alone = e.rest && sm.events.size() == 1 && e.column == 0;
                b.event(e, ex, alone, x + ml.barX);
                if (e.tuplet) b.text(ex, e.stem == 1 ? TupletBelowY : TupletAboveY, fonts.tuplets, 0, std::to_string(e.tuplet));
            }
            marks(b, sm, ml, x, fonts);
        }
        int type = mp.endBar;
        if (m + 1 < span.end && plan.measures[static_cast<std::size_t>(m + 1)].repeatStart)
            type = type == 3 ? 4 : type == 0 ? 2 : type;
        lastBar = x + ml.barX;
        builders[0].add(barline(lastBar, type));
        x += ml.width;
    }
    for (std::size_t s = 0; s < n; ++s) carried[s] = builders[s].breakSlurs(lastBar - 2);
    const SystemRange range{span.base + 1, span.base + static_cast<int>(n)};
    if (!span.last || lastBar - c >= JustifyFill * (right - c)) {
        justifyObjects(score, range, c, right);
    } else {
        // A short last system keeps its natural spacing, its staves ending at its bar line.
        for (int i = range.first; i <= range.last; ++i)
            score.stave(i).RightX = static_cast<std::int16_t>(std::max(lastBar, rightmostX(score, range)));
    }
    for (std::size_t s = 0; s < n; ++s) {
        const int i = span.base + 1 + static_cast<int>(s);
        TidyStave(score.stave(i));
        StaveExtent(score, i);
    }
}

// Every stave built at a middle line of 0 is moved to its place in one strip down
// page 1: staves of a part close, parts and systems further apart, and never
// closer than their extents allow.
void stackStaves(Score& score, const ImportPlan& plan) {
    const std::size_t n = plan.staves.size();
    int previousY = 0, previousBottom = 0;
    for (int i = 1; i <= score.Nstaves; ++i) {
        const Stave& st = score.stave(i);
        const std::size_t s = static_cast<std::size_t>(i - 1) % n;
        const int top = st.MinY, bottom = st.MaxY; // relative to a middle line at 0
        int y = FirstTop - top;
        if (i > 1 && s == 0) {
            y = previousY + std::max(BetweenSystemsGap, previousBottom + SystemClearance - top);
        } else if (i > 1) {
            const int gap = plan.staves[s].part == plan.staves[s - 1].part ? WithinPartGap : BetweenPartsGap;
            y = previousY + std::max(gap, previousBottom + ExtentClearance - top);
        }
        ShiftStave(score, i, y);
        previousY = y;
        previousBottom = bottom;
    }
}

} // namespace

bool appendLongText(Stave& stave, int x, int y, int font, int attributes, const std::string& text) {
    if (text.empty()) return true;
    if (stave.Nobjec + textObjects(text) > MaxObjects) return false;
    int previous = 0;
    for (std::size_t from = 0; from < text.size(); from += ChunkCapacity) {
        ScoreObject chunk = makeObject(ObjectKind::LongText, previous ? 0 : x, previous ? 0 : y);
        chunk.setFontNumber(font);
        chunk.setTextAttributes(static_cast<std::uint8_t>(attributes | (previous ? TextContinuation : 0)));
        chunk.setChunkText(text.substr(from, ChunkCapacity));
        stave.object(++stave.Nobjec) = chunk;
        if (previous) stave.object(previous).setTextNext(stave.Nobjec);
        previous = stave.Nobjec;
    }
    return true;
}

void buildImport(Score& score, const ImportPlan& plan, const ImportFit& fit, const ImportFonts& fonts,
                 std::vector<std::string>& simplified) {
    const int n = static_cast<int>(plan.staves.size());
    const int systems = static_cast<int>(fit.systemStarts.size());
    score.setStaveCount(systems * n);
    const int right = usableStaveWidth(score) - NewStaveRightMargin;
    for (int k = 0; k < systems; ++k)
        for (int s = 0; s < n; ++s) {
            const int index = k * n + s + 1;
            score.setStave(index, emptyStave(plan, static_cast<std::size_t>(s), index, right));
        }
    std::vector<StaveBuilder::Carried> carried(static_cast<std::size_t>(n));
    const int measures = static_cast<int>(plan.measures.size());
    for (int k = 0; k < systems; ++k) {
        const int first = fit.systemStarts[static_cast<std::size_t>(k)];
        const int end = k + 1 < systems ? fit.systemStarts[static_cast<std::size_t>(k + 1)] : measures;
        buildSystem(score, plan, fit, SystemSpan{first, end, k * n, k + 1 == systems}, fonts, carried, simplified);
    }
    stackStaves(score, plan);
}

} // namespace qv
