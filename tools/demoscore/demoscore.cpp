#include "demoscore.h"

#include "layout/pagination.h"
#include "layout/spacing.h"
#include "layout/tidystave.h"
#include "minuet.h"
#include "model/pagegeometry.h"
#include "render/text.h"
#include "model/staveops.h"
#include "render/glyphcatalogue.h"

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace demo {

using namespace qv;

Button SilentUi::message(MessageType, const std::string& text, Buttons) {
    std::fprintf(stderr, "quaverly-demoscore: %s\n", text.c_str());
    spoke_ = true;
    return ButtonOk;
}

std::optional<std::string> SilentUi::inputBox(const std::string&, const std::string&, const std::string&) {
    spoke_ = true;
    return std::nullopt;
}

namespace {

constexpr double StaveSize = 0.4;    // inches per 32 page units
constexpr int BarsPerSystem = 4;
constexpr int Systems = MinuetBars / BarsPerSystem;
constexpr int FirstTrebleY = 130;    // room above for the title lines
constexpr int BassBelowTreble = 72;
constexpr int SystemStep = 150;
constexpr int StaveLeft = 17;
constexpr int DynamicsBelow = 36;    // dynamics sit between the two staves
constexpr int ChordAbove = 50;

constexpr int GlyphP = 139;
constexpr int GlyphMF = 141;
constexpr int GlyphF = 142;

struct Note {
    int position = 0; // staff position on its stave
    int sharp = 0;    // 1 when written with a sharp
    int duration = 3;
    int dots = 0;
    int halfBeats = 2; // length in quavers
};

// Diatonic step count from C0, so positions are differences of steps.
int diatonicStep(char letter, int octave) {
    static const std::string letters = "CDEFGAB";
    return octave * 7 + static_cast<int>(letters.find(letter));
}

// "F#5:8" -> a quaver F sharp at its position relative to the middle line's step.
Note parseNote(const std::string& word, int middleStep) {
    Note n;
    const std::size_t colon = word.find(':');
    const std::string pitch = word.substr(0, colon);
    const std::string length = word.substr(colon + 1);
    n.sharp = pitch.find('#') != std::string::npos ? 1 : 0;
    n.position = diatonicStep(pitch[0], pitch.back() - '0') - middleStep;
    if (length == "8") n = {n.position, n.sharp, 4, 0, 1};
    else if (length == "4") n = {n.position, n.sharp, 3, 0, 2};
    else if (length == "2") n = {n.position, n.sharp, 2, 0, 4};
    else n = {n.position, n.sharp, 2, 1, 6}; // "2.": the cadence bars
    return n;
}

std::vector<Note> parseBar(const char* bar, int middleStep) {
    std::vector<Note> notes;
    std::istringstream words(bar);
    for (std::string w; words >> w;) notes.push_back(parseNote(w, middleStep));
    return notes;
}

void add(Score& score, int stave, const ScoreObject& object, Ui& ui) {
    if (!addObject(score, stave, object, ui)) std::exit(1);
}

// Index of the first object of `kind` at (x, y); tidying reorders, so look it up.
int findObject(const Stave& stave, ObjectKind kind, int x, int y) {
    for (int i = 1; i <= stave.Nobjec; ++i) {
        const ScoreObject& o = stave.object(i);
        if (o.is(kind) && o.x() == x && o.y() == y) return i;
    }
    return 0;
}

void addText(Score& score, int stave, int x, int y, const std::string& text, int attributes, int font, Ui& ui) {
    ScoreObject head = makeObject(ObjectKind::LongText, x, y);
    head.setFontNumber(font);
    head.setTextAttributes(attributes);
    add(score, stave, head, ui);
    Stave& s = score.stave(stave);
    storeLongText(s, findObject(s, ObjectKind::LongText, x, y), text, TextStoreContext::EditingText, ui);
    StaveChanged(score, stave);
}

void addSymbol(Score& score, int stave, int x, int y, int code, Ui& ui) {
    ScoreObject sym = makeObject(ObjectKind::Symbol, x, y);
    sym.setSymbolCode(code);
    sym.setStepDx(GlyphWidth(code));
    add(score, stave, sym, ui);
}

// One stave's clef, key and (on the first system) time; returns where bars start.
int addSignatures(Score& score, int stave, int clef, bool withTime, Ui& ui) {
    const int y = score.stave(stave).Ycoord;
    ScoreObject c = makeObject(ObjectKind::Clef, StaveLeft + 14, y); // clear of the brace
    c.setClefType(clef);
    c.setSymbolCode(ClefGlyph(clef, false));
    add(score, stave, c, ui);
    ScoreObject key = makeObject(ObjectKind::KeySignature, StaveLeft + 40, y);
    key.setKeyCount(1);
    add(score, stave, key, ui);
    if (!withTime) return StaveLeft + 58;
    ScoreObject time = makeObject(ObjectKind::TimeSignature, StaveLeft + 56, y);
    time.setTimeType(6);
    add(score, stave, time, ui);
    return StaveLeft + 74;
}

void addBarline(Score& score, int stave, int x, int type, Ui& ui) {
    ScoreObject bar = makeObject(ObjectKind::Barline, x, score.stave(stave).Ycoord);
    bar.setBarType(type);
    bar.setSymbolCode(BarlineGlyph(type, 39));
    add(score, stave, bar, ui);
}

struct Placed {
    int x;
    Note note;
};

// A run of beamed quavers: their x positions on one stave.
using BeamGroup = std::vector<Placed>;

int noteX(int barX, int barWidth, int halfBeatOffset) { return barX + 14 + halfBeatOffset * (barWidth - 18) / 6; }

// Places the notes of one bar, a sharp before each note whose sharp the key (F
// sharp) does not give and the bar has not already had; collects quaver runs.
void addBar(Score& score, int stave, const std::vector<Note>& notes, int barX, int barWidth,
            std::vector<BeamGroup>& groups, Ui& ui) {
    const int y0 = score.stave(stave).Ycoord;
    std::vector<int> sharpened;
    int offset = 0;
    BeamGroup run;
    for (const Note& n : notes) {
        int x = noteX(barX, barWidth, offset);
        const bool keySharp = ((n.position % 7) + 7) % 7 == (stave % 2 == 1 ? 4 : 2); // F on either clef
        bool already = false;
        for (int p : sharpened) already = already || p == n.position;
        if (n.sharp && !keySharp && !already) {
            x += 5; // the sharp needs room between this head and the one before
            ScoreObject acc = makeObject(ObjectKind::Accidental, x - 8, y0 - 4 * n.position);
            acc.setAccPosition(n.position);
            acc.setAccValue(1);
            add(score, stave, acc, ui);
            sharpened.push_back(n.position);
        }
        ScoreObject o = makeObject(ObjectKind::Note, x, y0 - 4 * n.position);
        o.setDuration(n.duration);
        o.setStaffPosition(n.position);
        o.setDots(n.dots);
        o.setStem(n.position > 0 ? StemDown : StemUp);
        o.setSymbolCode(NoteGlyphTable(n.duration, o.stem(), 0));
        add(score, stave, o, ui);
        if (n.duration == 4) run.push_back({x, n});
        if (n.duration != 4 && !run.empty()) groups.push_back(std::move(run)), run.clear();
        offset += n.halfBeats;
    }
    if (!run.empty()) groups.push_back(std::move(run));
}

// A beam group shares one stem direction: down when its notes lie mostly above
// the middle line.
int groupStem(const BeamGroup& g) {
    int sum = 0;
    for (const Placed& p : g) sum += p.note.position;
    return sum > 0 ? StemDown : StemUp;
}

void beamGroup(Stave& s, const BeamGroup& g) {
    const int stem = groupStem(g);
    int previous = 0;
    for (const Placed& p : g) {
        const int index = findObject(s, ObjectKind::Note, p.x, s.Ycoord - 4 * p.note.position);
        ScoreObject& o = s.object(index);
        o.setStem(stem);
        o.setSymbolCode(NoteGlyphTable(o.duration(), stem, 0));
        if (previous != 0) {
            o.setBeamBack(previous);
            s.object(previous).setBeamForward(index);
        }
        previous = index;
    }
}

// A slur over a run, on the side of the heads away from the stems.
void slurGroup(Score& score, int stave, const BeamGroup& g, Ui& ui) {
    const int y0 = score.stave(stave).Ycoord;
    const int side = groupStem(g) == StemUp ? 1 : -1;
    const int firstY = y0 - 4 * g.front().note.position + side * 10;
    const int lastY = y0 - 4 * g.back().note.position + side * 10;
    int extreme = side > 0 ? std::max(firstY, lastY) : std::min(firstY, lastY);
    for (const Placed& p : g) {
        const int y = y0 - 4 * p.note.position + side * 12;
        extreme = side > 0 ? std::max(extreme, y) : std::min(extreme, y);
    }
    CurveCollector curve;
    curve.add(g.front().x + 2, firstY, score.stave(stave).Nobjec, ui);
    curve.add((g.front().x + g.back().x) / 2 + 2, extreme + side * 3, score.stave(stave).Nobjec, ui);
    curve.add(g.back().x + 2, lastY, score.stave(stave).Nobjec, ui);
    curve.store(score.stave(stave), 1, false);
    StaveChanged(score, stave);
}

void setUpStave(Score& score, int s, int y, bool joinToNext) {
    Stave& st = score.stave(s);
    st.Ycoord = y;
    st.LeftX = StaveLeft;
    st.RightX = static_cast<std::int16_t>(musicAreaWidth(score.page, score.StvSiz) - 5);
    st.PageNum = 1;
    st.staveNumber = static_cast<std::uint16_t>(s);
    st.lineValue = 5;
    st.paramA = st.paramB = 20;
    st.joinToNext = joinToNext;
    st.brace = joinToNext;
    st.barLineThrough = joinToNext; // a grand staff's bar lines run through both staves
}

// How far right of its x an end repeat's thick line reaches.
constexpr int EndRepeatReach = 8;

// The bar line ending bar `bar` (0-based): repeat marks close each half.
int barlineType(int bar) { return bar == 15 || bar == 31 ? 3 : 0; }

void addDynamics(Score& score, int treble, int bar, int barX, int barWidth, Ui& ui) {
    const int y = score.stave(treble).Ycoord + DynamicsBelow;
    const int x = barX + 4;
    if (bar == 0 || bar == 16) addSymbol(score, treble, x, y, GlyphMF, ui);
    if (bar == 8 || bar == 24) addSymbol(score, treble, x, y, GlyphP, ui);
    if (bar == 29) addSymbol(score, treble, x, y, GlyphF, ui);
    if (bar == 28) { // the rising scale swells into the last phrase
        ScoreObject pin = makeObject(ObjectKind::Hairpin, x + 6, y + 10); // below the slur
        pin.setHairpinDx(barWidth - 16);
        pin.setHairpinDy(5);
        pin.setHairpinThickness(1);
        add(score, treble, pin, ui);
    }
}

void buildSystem(Score& score, int system, Ui& ui) {
    const int treble = 2 * system + 1;
    const int bass = treble + 1;
    const bool first = system == 0;
    int start = addSignatures(score, treble, 0, first, ui);
    addSignatures(score, bass, 1, first, ui);
    const int right = score.stave(treble).RightX;
    if (system == 4) { // the second half opens with a repeat mark
        addBarline(score, treble, start + 2, 2, ui);
        addBarline(score, bass, start + 2, 2, ui);
        start += 14;
    }
    const int barWidth = (right - start) / BarsPerSystem;
    std::vector<BeamGroup> trebleGroups, bassGroups;
    for (int b = 0; b < BarsPerSystem; ++b) {
        const int bar = system * BarsPerSystem + b;
        const int barX = start + b * barWidth;
        addBar(score, treble, parseBar(MinuetTreble[bar], diatonicStep('B', 4)), barX, barWidth, trebleGroups, ui);
        addBar(score, bass, parseBar(MinuetBass[bar], diatonicStep('D', 3)), barX, barWidth, bassGroups, ui);
        // An end repeat's thick line stands right of its x: at the system's end it
        // must still end with the stave.
        const bool last = b == BarsPerSystem - 1;
        const int endX = last ? right - (barlineType(bar) == 3 ? EndRepeatReach : 0) : barX + barWidth;
        addBarline(score, treble, endX, barlineType(bar), ui);
        addBarline(score, bass, endX, barlineType(bar), ui);
        if (MinuetChords[bar] != nullptr)
            addText(score, treble, noteX(barX, barWidth, 0) - 2, score.stave(treble).Ycoord - ChordAbove,
                    MinuetChords[bar], TextTransposable, 1, ui);
        addDynamics(score, treble, bar, barX, barWidth, ui);
    }
    for (const BeamGroup& g : trebleGroups) beamGroup(score.stave(treble), g);
    for (const BeamGroup& g : bassGroups) beamGroup(score.stave(bass), g);
    StaveChanged(score, treble);
    StaveChanged(score, bass);
    for (const BeamGroup& g : trebleGroups)
        if (g.size() >= 4) slurGroup(score, treble, g, ui);
}

void addHeadings(Score& score, Ui& ui) {
    const int titleFont = score.fonts.registerFont({"Liberation Serif", 20, FontBold, 0}, ui);
    const int creditFont = score.fonts.registerFont({"Liberation Serif", 10, FontItalic, 0}, ui);
    const int y = score.stave(1).Ycoord;
    const int width = musicAreaWidth(score.page, score.StvSiz);
    addText(score, 1, width / 2 - 70, y - 110, "Minuet in G", 0, titleFont, ui);
    addText(score, 1, width - 130, y - 84, "J. S. Bach (attr.)", 0, creditFont, ui);
    addText(score, 1, width - 130, y - 70, "BWV Anh. 114", 0, creditFont, ui);
    addText(score, 1, StaveLeft, y - 62, "Allegretto", 0, 1, ui);
}

// The footer on every page: "Page" and the page-number field, centred.
void addFooter(Score& score, Ui& ui) {
    const int width = musicAreaWidth(score.page, score.StvSiz);
    const int bottom = static_cast<int>(toPageUnits(score.page.Length - score.page.TopM - score.page.BotM, score.StvSiz));
    // The page number is a field of its own, so it follows "Page" and a space.
    const int x = width / 2 - 22;
    addText(score, 0, x, bottom - 18, "Page", TextUniversal, 1, ui);
    addText(score, 0, x + TextWidthSpecial(TextFont(score.fonts.font(1), 1), "Page "), bottom - 18, "@P", TextUniversal,
            1, ui);
}

} // namespace

Score buildDemoScore(Ui& ui) {
    Score score;
    score.StvSiz = StaveSize;
    score.page.Footer = 0.3;
    score.Spacing = 3;
    score.Pulse = 3;
    score.setBeamang(10);
    score.setStaveCount(2 * Systems);
    installLayoutHooks(score);
    for (int system = 0; system < Systems; ++system) {
        const int y = FirstTrebleY + system * SystemStep;
        setUpStave(score, 2 * system + 1, y, true);
        setUpStave(score, 2 * system + 2, y + BassBelowTreble, false);
    }
    for (int s = 1; s <= score.Nstaves; ++s) StaveChanged(score, s);
    for (int system = 0; system < Systems; ++system) buildSystem(score, system, ui);
    addHeadings(score, ui);
    addFooter(score, ui);
    PageState state;
    repaginate(score, musicAreaHeight(score.page, score.StvSiz), ui, state);
    score.modified = false;
    return score;
}

} // namespace demo
