#include "support/randomscore.h"

#include "model/bounds.h"

#include <algorithm>
#include <string>

namespace qv::test {

namespace {

class Dice {
  public:
    explicit Dice(std::mt19937& rng) : rng_(rng) {}
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    int nonZero(int lo, int hi) {
        int v = 0;
        while (v == 0)
            v = between(lo, hi);
        return v;
    }
    std::string text(int length) {
        static const std::string letters =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 #b-";
        std::string s;
        for (int i = 0; i < length; ++i)
            s += letters[static_cast<std::size_t>(between(0, static_cast<int>(letters.size()) - 1))];
        return s;
    }

  private:
    std::mt19937& rng_;
};

// Page lengths as a reader gives them back: whole thousandths of an inch.
double thousandths(int k) {
    return k * 0.001;
}

// Face names of every length that matters to the two-record split: short ones,
// exactly 20 (all in the first record), 21 (one character in the second) and the
// longest a face name may be.
std::string faceName(Dice& d) {
    static const int lengths[] = {1, 5, 11, 15, 19, 20, 20, 21, 21, 22, 26, 31, 31};
    return d.text(lengths[d.between(0, static_cast<int>(std::size(lengths)) - 1)]);
}

void randomFonts(Dice& d, Score& score, int count) {
    score.fonts.clearInUse();
    for (int n = 1; n <= count; ++n) {
        const std::uint32_t colour = static_cast<std::uint32_t>(d.between(0, 0xFFFFFF));
        score.fonts.setFont(
            n, FontDesc{faceName(d), d.between(6, 72), static_cast<std::uint8_t>(d.between(0, 15)), colour});
        score.fonts.markInUse(n);
    }
    score.NumFonts = count;
}

void randomPage(Dice& d, Score& score) {
    PageData& p = score.page;
    p.Width = thousandths(d.between(4000, 17000));
    p.Length = thousandths(d.between(4000, 17000));
    p.TopM = thousandths(d.between(0, 1500));
    p.BotM = thousandths(d.between(0, 1500));
    p.LeftM = thousandths(d.between(0, 1500));
    p.RightM = thousandths(d.between(0, 1500));
    p.GutM = thousandths(d.between(0, 500));
    p.Header = thousandths(d.between(0, 1000));
    p.Footer = thousandths(d.between(0, 1000));
    p.landscape = d.chance(30);
    score.StvSiz = thousandths(d.between(200, 600));
    score.Facing = d.chance(50);
    score.LeftStv = d.between(-1000, 30000);
    score.RightStv = d.between(-1000, 30000);
    // Within the largest page, with music area left, as a reader accepts without a
    // word; brought there without another throw of the dice, so that the objects
    // that follow are the same as ever.
    boundPaper(p);
    boundMargins(p);
}

void randomHeader(Dice& d, Score& score) {
    score.naturalsInKeyChange = d.chance(50);
    score.Spacing = d.between(1, 5);
    score.Pulse = d.between(1, 6);
    score.setBeamang(d.between(0, 60));
    score.description = d.text(d.between(1, 21));
}

// Appends objects to one stave; x grows from object to object as a tidy leaves it.
class StaveFiller {
  public:
    StaveFiller(Dice& d, Stave& s, int fonts) : d_(d), s_(s), fonts_(fonts) {}
    void fill(int count) {
        while (s_.Nobjec < count)
            addItem(count - s_.Nobjec);
    }
    void fillHeaderFooter(int count) {
        while (s_.Nobjec < count)
            addHeaderFooterItem(count - s_.Nobjec);
    }

  private:
    Dice& d_;
    Stave& s_;
    int fonts_;
    int x_ = 10;
    int nextX() { return x_ += d_.between(4, 30); }
    int add(const ScoreObject& o) {
        ++s_.Nobjec;
        s_.object(s_.Nobjec) = o;
        return s_.Nobjec;
    }
    int font() { return d_.between(1, fonts_); }
    void addItem(int room) {
        switch (d_.between(0, 16)) {
        case 0: return clef();
        case 1: return keySignature();
        case 2: return glyph();
        case 3: return timeSignature();
        case 4: return barline();
        case 5: return single(note(d_.between(-8, 8)));
        case 6: return beamGroup(room);
        case 7: return tiedPair(room);
        case 8: return accidental();
        case 9: return shortText();
        case 10: return line();
        case 11: return curve(room);
        case 12: return symbol();
        case 13: return arpeggio();
        case 14: return longText(room, 0);
        case 15: return hairpin();
        default: return shape();
        }
    }
    void addHeaderFooterItem(int room) {
        switch (d_.between(0, 3)) {
        case 0: return shortText();
        case 1: return line();
        case 2: return symbol();
        default: return longText(room, TextUniversal);
        }
    }
    void single(const ScoreObject& o) { add(o); }
    void clef() {
        static const int glyphs[2][4] = {{3, 2, 0, 1}, {7, 6, 4, 5}};
        ScoreObject o = makeObject(ObjectKind::Clef, nextX(), s_.Ycoord);
        o.setClefType(d_.between(0, 3));
        o.setClefSmall(d_.chance(30));
        o.setSymbolCode(glyphs[o.clefSmall() ? 1 : 0][o.clefType()]);
        add(o);
    }
    void keySignature() {
        ScoreObject o = makeObject(ObjectKind::KeySignature, nextX(), s_.Ycoord);
        o.setKeyCount(d_.between(-7, 7));
        add(o);
    }
    void glyph() {
        ScoreObject o = makeObject(ObjectKind::Glyph, nextX(), s_.Ycoord + (d_.chance(50) ? 16 : 0));
        o.setSymbolCode(d_.between(8, 18));
        add(o);
    }
    void timeSignature() {
        ScoreObject o = makeObject(ObjectKind::TimeSignature, nextX(), s_.Ycoord);
        o.setTimeType(d_.between(0, 14));
        add(o);
    }
    void barline() {
        static const int glyphs[] = {39, 40, 67, 68, 69, 41};
        ScoreObject o = makeObject(ObjectKind::Barline, nextX(), s_.Ycoord);
        o.setBarType(d_.between(0, 5));
        o.setSymbolCode(glyphs[o.barType()]);
        add(o);
    }
    ScoreObject note(int position, int duration = -1) {
        ScoreObject o = makeObject(ObjectKind::Note, nextX(), s_.Ycoord - 4 * position);
        o.setDuration(duration < 0 ? d_.between(0, 7) : duration);
        if (duration < 0 && d_.chance(20)) { // a rest
            o.setY(s_.Ycoord);
            o.setRest(true);
            return o;
        }
        o.setSymbolCode(d_.between(19, 38));
        o.setStaffPosition(position);
        o.setDots(d_.between(0, 1));
        o.setStem(d_.between(0, 3));
        o.setAccent(d_.chance(20));
        o.setStaccato(d_.between(0, 2));
        o.setHeadStyle(d_.between(0, 4));
        o.setStemExtra(d_.between(-3, 3));
        return o;
    }
    // Notes of a quaver or shorter joined by beam links both ways.
    void beamGroup(int room) {
        if (room < 2) return single(note(d_.between(-8, 8)));
        const int count = d_.between(2, std::min(room, 5));
        const int stem = d_.between(0, 1);
        for (int k = 0; k < count; ++k) {
            ScoreObject o = note(d_.between(-6, 6), d_.between(4, 7));
            o.setStem(stem);
            const int index = s_.Nobjec + 1;
            if (k > 0) o.setBeamBack(index - 1);
            if (k < count - 1) o.setBeamForward(index + 1);
            add(o);
        }
    }
    // Two notes of one pitch tied, sometimes with a tie link object naming them.
    void tiedPair(int room) {
        if (room < 2) return single(note(d_.between(-8, 8)));
        const int position = d_.between(-8, 8);
        ScoreObject first = note(position, 3);
        ScoreObject second = note(position, 3);
        const int a = s_.Nobjec + 1;
        first.setTiedTo(a + 1);
        second.setTiedFrom(a);
        second.setTieOverhand(d_.chance(50));
        add(first);
        add(second);
        if (room >= 3 && d_.chance(40)) {
            ScoreObject link = makeObject(ObjectKind::TieLink, second.x(), second.y());
            link.setTieFirst(a);
            link.setTieSecond(a + 1);
            add(link);
        }
    }
    // An accidental's staff position is what its height truncates to, as a
    // reader works it out: up to 3 page units off the line, away from the middle.
    void accidental() {
        const int position = d_.between(-8, 8);
        const int off = d_.between(0, 3);
        const int y = position > 0   ? s_.Ycoord - 4 * position - off
                      : position < 0 ? s_.Ycoord - 4 * position + off
                                     : s_.Ycoord + d_.between(-3, 3);
        ScoreObject o = makeObject(ObjectKind::Accidental, nextX(), y);
        o.setAccPosition(position);
        o.setAccValue(d_.between(-2, 2));
        o.setAccSmall(d_.chance(30));
        add(o);
    }
    void shortText() {
        ScoreObject o = makeObject(ObjectKind::ShortText, nextX(), s_.Ycoord + d_.between(-60, 60));
        o.setFontNumber(font());
        o.setShortText(d_.text(d_.between(1, ShortTextCapacity)));
        add(o);
    }
    void line() {
        ScoreObject o = makeObject(ObjectKind::Line, nextX(), s_.Ycoord + d_.between(-40, 40));
        o.setLineDx(d_.between(-200, 200));
        o.setLineDy(d_.between(-50, 50));
        o.setLineThickness(d_.between(1, 4));
        o.setLineStyle(d_.between(0, 4));
        add(o);
    }
    // Points in consecutive slots, by increasing x, linked both ways; the first
    // carries the curve's reach above and below the stave's middle line.
    void curve(int room) {
        if (room < 2) return line();
        const int count = d_.between(2, std::min(room, 6));
        const int thickness = d_.between(1, 3);
        const bool dotted = d_.chance(30);
        const int first = s_.Nobjec + 1;
        int top = 32767, bottom = -32768;
        for (int k = 0; k < count; ++k) {
            ScoreObject o = makeObject(ObjectKind::CurvePoint, nextX(), s_.Ycoord + d_.between(-40, 40));
            o.setCurveThickness(thickness);
            o.setCurveDotted(dotted);
            if (k > 0) o.setCurvePrev(first + k - 1);
            if (k < count - 1) o.setCurveNext(first + k + 1);
            top = std::min(top, o.y());
            bottom = std::max(bottom, o.y());
            add(o);
        }
        s_.object(first).setCurveTop(top - 7 - s_.Ycoord);
        s_.object(first).setCurveBottom(bottom + 7 - s_.Ycoord);
    }
    void symbol() {
        ScoreObject o = makeObject(ObjectKind::Symbol, nextX(), s_.Ycoord + d_.between(-40, 40));
        o.setSymbolCode(d_.between(50, 200));
        o.setRepeats(d_.between(0, 5));
        o.setStepDx(d_.between(5, 20));
        o.setStepDy(d_.between(-3, 3));
        add(o);
    }
    void arpeggio() {
        ScoreObject o = makeObject(ObjectKind::Arpeggio, nextX(), s_.Ycoord + 8);
        o.setSegments(d_.between(0, 127));
        add(o);
    }
    // A head and its continuation chunks, each chunk full but the last.
    void longText(int room, int requiredBits) {
        static const int bits[] = {TextUniversal, TextImmobile, TextTransposable, TextBoxed, TextNonPrinting};
        int attributes = requiredBits;
        for (int b : bits)
            if (d_.chance(25)) attributes |= b;
        const int chunks = d_.between(0, std::min(room - 1, 3));
        const int fontNumber = font();
        ScoreObject head = makeObject(ObjectKind::LongText, nextX(), s_.Ycoord + d_.between(-60, 60));
        for (int k = 0; k <= chunks; ++k) {
            ScoreObject o = k == 0 ? head : makeObject(ObjectKind::LongText);
            o.setFontNumber(fontNumber);
            o.setTextAttributes(k == 0 ? attributes : attributes | TextContinuation);
            o.setChunkText(d_.text(k < chunks ? ChunkCapacity : d_.between(1, ChunkCapacity)));
            if (k < chunks) o.setTextNext(s_.Nobjec + 2);
            add(o);
        }
    }
    void hairpin() {
        ScoreObject o = makeObject(ObjectKind::Hairpin, nextX(), s_.Ycoord + 30);
        o.setHairpinDx(d_.between(-150, 150));
        o.setHairpinDy(d_.between(2, 8));
        o.setHairpinThickness(d_.between(1, 3));
        add(o);
    }
    void shape() {
        ScoreObject o = makeObject(ObjectKind::Shape, nextX(), s_.Ycoord + d_.between(-40, 40));
        o.setShapeFilled(d_.chance(50));
        o.setShapeBlanking(d_.chance(30));
        o.setShapeType(d_.between(0, 3));
        o.setShapeSize1(d_.between(2, 40));
        o.setShapeSize2(d_.between(2, 40));
        add(o);
    }
};

// Every stored stave field with values a read gives back: parameters and line
// value never 0 (0 reads as 20 and 5), last position 0 (not stored).
void randomStaveFields(Dice& d, Stave& s, int index) {
    s.Ycoord = index == 0 ? 0 : d.between(-40, 3000);
    s.MaxY = s.Ycoord + 16 + d.between(0, 60);
    s.MinY = s.Ycoord - 16 - d.between(0, 60);
    s.LeftX = static_cast<std::int16_t>(d.between(-20, 40));
    s.RightX = static_cast<std::int16_t>(d.between(400, 2000));
    s.bracketWithNext = d.chance(30);
    s.fullEndBar = d.chance(30);
    s.bracket = d.chance(30);
    s.barLineThrough = d.chance(30);
    s.brace = d.chance(30);
    s.joinToNext = d.chance(40);
    s.ForcedBk = !s.joinToNext && d.chance(30);
    s.invisible = d.chance(20);
    s.PageNum = static_cast<std::uint8_t>(d.between(1, 40));
    s.staveNumber = static_cast<std::uint16_t>(index);
    s.staveWord = static_cast<std::uint16_t>(d.between(0, 65535));
    s.paramA = d.nonZero(-128, 127);
    s.paramB = d.nonZero(-128, 127);
    s.lineValue = static_cast<std::uint8_t>(d.between(1, 15));
}

Score buildScore(Dice& d, const RandomScoreOptions& options, bool fillEveryStave) {
    Score score;
    randomHeader(d, score);
    randomPage(d, score);
    const int fonts = d.between(1, std::clamp(options.maxFonts, 1, MaxFonts));
    randomFonts(d, score, fonts);
    const int lo = std::clamp(options.minStaves, 1, MaxStaves);
    score.setStaveCount(d.between(lo, std::clamp(options.maxStaves, lo, MaxStaves)));
    const int most = std::clamp(options.maxObjectsPerStave, 0, MaxObjects);
    for (int i = 0; i <= score.Nstaves; ++i) {
        Stave s;
        randomStaveFields(d, s, i);
        StaveFiller filler(d, s, fonts);
        if (i == 0)
            filler.fillHeaderFooter(d.between(0, std::min(most, 12)));
        else
            filler.fill(fillEveryStave ? most : d.between(0, most));
        score.setStave(i, s);
    }
    return score;
}

} // namespace

Score randomScore(std::mt19937& rng, const RandomScoreOptions& options) {
    Dice d(rng);
    return buildScore(d, options, false);
}

Score largestScore(std::uint32_t seed) {
    std::mt19937 rng(seed);
    Dice d(rng);
    return buildScore(d, RandomScoreOptions{MaxStaves, MaxStaves, MaxObjects, 8}, true);
}

} // namespace qv::test
