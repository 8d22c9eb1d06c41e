// render-goldens --out DIR: writes the dense benchmark page and a page of edge cases, on the screen and on
// paper, as PNGs into DIR, from which ./qv goldens refreshes tests/data/golden and the golden test compares.

#include "densepage.h"
#include "drawtest.h"
#include "render/page.h"

#include <QGuiApplication>
#include <QString>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

namespace qv::test {
namespace {

struct StaveWriter {
    Stave& s;
    int add(const ScoreObject& o) { return append(s, o); }
    int note(int x, int position, int duration, int stem, int headStyle = 0) {
        ScoreObject o = makeNote(x, position, duration, s.Ycoord);
        return o.setStem(stem), o.setHeadStyle(headStyle), add(o);
    }
    int rest(int x, int position, int duration, int dots = 0) {
        ScoreObject o = makeRest(x, duration);
        return o.setY(s.Ycoord - 4 * position), o.setStaffPosition(position), o.setDots(dots), add(o);
    }
    void beam(std::initializer_list<int> notes) {
        for (auto i = notes.begin(); i + 1 < notes.end(); ++i)
            s.object(*i).setBeamForward(i[1]), s.object(i[1]).setBeamBack(*i);
    }
    void tie(int from, int to, bool overhand) { // the later note draws the tie in its own direction
        s.object(from).setTiedTo(to), s.object(to).setTiedFrom(from), s.object(to).setTieOverhand(overhand);
    }
    void clef(int x, int type) { add(makeClef(x, type, s.Ycoord)); }
    void key(int x, int count) { add(makeKey(x, s.Ycoord, count)); }
    void bar(int x, int kind) { add(makeBar(x, s.Ycoord, kind)); }
    void time(int x, int type) {
        ScoreObject o = makeObject(ObjectKind::TimeSignature, x, s.Ycoord - 8);
        o.setTimeType(type), add(o);
    }
};

// A bracketed system of three staves with bar lines through it: beams with stubs, key changes with
// cancelling naturals, stems drawn apart from their heads, ties on both sides, flags, rests, dots, marks.
void bracketedSystem(Score& score) {
    for (int s = 1; s <= 3; ++s) {
        Stave& st = placeStave(score.stave(s), 60 + 70 * (s - 1), 40);
        st.bracket = true, st.bracketWithNext = st.joinToNext = st.barLineThrough = st.fullEndBar = s < 3;
    }
    StaveWriter a{score.stave(1)};
    a.clef(52, 0), a.key(72, 2), a.time(100, 7);
    a.beam({a.note(125, 0, 4, StemAuto), a.note(148, 2, 5, StemAuto)}); // dotted quaver, semiquaver
    a.s.object(a.s.Nobjec - 1).setDots(1);
    a.beam({a.note(172, -2, 5, StemAuto), a.note(192, -1, 4, StemAuto)});
    a.s.object(a.s.Nobjec).setDots(1);
    a.beam({a.note(218, -3, 5, StemAuto), a.note(236, -1, 4, StemAuto), a.note(254, 1, 6, StemAuto),
            a.note(272, 3, 5, StemAuto)});
    a.bar(284, 0);
    a.beam({a.note(300, 4, 4, StemUp, 1), a.note(314, 6, 5, StemUp, 1)}); // small notes
    a.beam({a.note(334, -4, 4, StemAuto), a.note(352, 5, 4, StemAuto)});  // steep: held at 0.5
    a.bar(386, 1), a.key(392, -3), a.bar(434, 2); // two sharps to three flats: naturals first
    a.beam({a.note(450, 1, 7, StemAuto), a.note(466, 2, 7, StemAuto), a.note(482, 1, 4, StemAuto)});
    a.bar(507, 3), a.note(525, 0, 3, StemAuto), a.bar(544, 4), a.note(575, 4, 2, StemDown), a.bar(656, 5);
    StaveWriter b{score.stave(2)}; // minims and crotchets whose stems are drawn apart from the head
    b.clef(52, 2), b.key(72, -4);
    b.note(120, 1, 3, StemUp), b.note(136, 3, 2, StemUp), b.note(152, -1, 3, StemDown), b.note(168, -3, 2, StemDown);
    b.note(184, 0, 3, StemUp), b.note(200, -9, 3, StemUp), b.note(216, 9, 2, StemDown); // whole; to the middle
    b.s.object(b.note(232, -2, 3, StemUp)).setStemExtra(2);
    b.s.object(b.note(248, 2, 3, StemDown)).setStemExtra(-1);
    b.key(300, -1), b.note(350, 0, 1, StemNone); // four flats to one: naturals after
    b.key(400, 3), b.key(470, 0); // one flat to three sharps: naturals first; back to no key
    b.note(560, -6, 0, StemNone), b.note(610, 7, 1, StemNone);
    StaveWriter c{score.stave(3)};
    c.clef(52, 1);
    c.tie(c.note(90, -2, 3, StemUp), c.note(118, -2, 3, StemUp), true);     // stem side, above
    c.tie(c.note(140, -2, 3, StemUp), c.note(168, -2, 3, StemUp), false);   // head side, below
    c.tie(c.note(190, 3, 3, StemDown), c.note(218, 3, 3, StemDown), false); // stem side, below
    c.tie(c.note(240, 1, 2, StemDown), c.note(268, 2, 2, StemDown), true);  // heads at two heights
    c.tie(c.note(300, 0, 4, StemUp), c.note(372, 0, 4, StemUp), false);     // a long tie
    c.tie(c.note(394, -4, 7, StemUp), c.note(410, -4, 7, StemUp), true);    // stem side, hemidemisemiquavers
    c.note(444, -9, 4, StemUp), c.note(458, 9, 5, StemDown); // flags moved to the middle line
    c.s.object(c.note(472, 0, 5, StemUp)).setStemExtra(2);
    c.s.object(c.note(490, 1, 6, StemDown)).setStemExtra(1);
    ScoreObject& marked = c.s.object(c.note(510, 2, 3, StemDown));
    marked.setAccent(true), marked.setStaccato(1), marked.setDots(2);
    ScoreObject& tenuto = c.s.object(c.note(524, -1, 3, StemUp));
    tenuto.setStaccato(2), tenuto.setDots(1);
    c.rest(556, 7, 0), c.rest(570, -9, 1), c.rest(584, 7, 2, 1), c.rest(600, 0, 3, 1), c.rest(616, 0, 5, 1);
    c.note(634, 8, 3, StemDown, 1), c.note(646, -8, 4, StemUp); // a small head with short ledger lines
}

// A braced pair whose upper stave is invisible: its joins show on the screen only.
void invisiblePair(Score& score) {
    Stave& top = placeStave(score.stave(4), 290, 40);
    top.brace = top.joinToNext = top.barLineThrough = top.invisible = true;
    placeStave(score.stave(5), 360, 40);
    StaveWriter a{top};
    a.clef(52, 0), a.note(120, 0, 3, StemAuto), a.bar(200, 0), a.note(260, 5, 2, StemAuto), a.bar(650, 5);
    StaveWriter b{score.stave(5)};
    b.clef(52, 1), b.beam({b.note(120, -1, 4, StemAuto), b.note(140, 1, 4, StemAuto), b.note(160, 3, 4, StemAuto)});
    b.note(260, -5, 2, StemAuto);
}

// A braced and bracketed pair: the brace stands further out.
void bracedBracketedPair(Score& score) {
    Stave& top = placeStave(score.stave(6), 450, 40);
    top.brace = top.bracket = top.bracketWithNext = top.joinToNext = top.fullEndBar = true;
    placeStave(score.stave(7), 520, 40).bracket = true;
    StaveWriter a{top};
    a.clef(52, 3), a.time(80, 14);
    a.beam({a.note(120, 2, 4, StemAuto, 2), a.note(140, 4, 4, StemAuto, 2)}); // stroke heads, then X and others
    a.note(170, 0, 3, StemUp, 4), a.note(190, 0, 2, StemUp, 2), a.note(210, 0, 1, StemUp, 3), a.bar(240, 0);
    StaveWriter b{score.stave(7)};
    b.clef(52, 0), b.time(80, 1), b.key(100, 7), b.key(200, -7);
}

// Curves, lines, hairpins, shapes, symbols and texts on a stave of their own.
void freeObjects(Score& score) {
    Stave& st = placeStave(score.stave(8), 620, 40);
    const int y = st.Ycoord;
    appendCurve(st, {{50, y - 20}, {90, y - 34}, {140, y - 22}}, 3);
    appendCurve(st, {{60, y + 24}, {170, y + 24}}, 2, true);
    appendCurve(st, {{160, y - 24}, {190, y - 40}, {230, y - 44}, {270, y - 30}, {300, y - 26}}, 4);
    appendCurve(st, {{180, y + 20}, {240, y + 34}, {290, y + 22}}, 1, true);
    ScoreObject arpeggio = makeObject(ObjectKind::Arpeggio, 580, y + 8);
    ScoreObject trill = makeGlyph(560, y - 32, 166, ObjectKind::Symbol);
    arpeggio.setSegments(3), trill.setRepeats(2), trill.setStepDx(14);
    // The blanking rectangle hides the head after it on paper, where blanking shapes come last.
    for (const ScoreObject& o :
         {makeHairpin(320, y + 30, 60, 6, 1), makeHairpin(450, y + 30, -50, 5, 2), makeLine(320, y - 30, 70, 0, 1, 1),
          makeLine(320, y - 36, 70, -8, 2, 2), makeLine(400, y - 30, 60, 0, 1, 3), makeLine(400, y - 40, 60, 6, 3, 4),
          makeLine(470, y - 20, 0, 40, 3), makeLine(480, y - 20, 40, 10, 3), arpeggio, trill,
          makeGlyph(640, y + 30, 141) /* mf */, makeShape(0, 70, y, 6, 0, false), makeShape(1, 100, y, 5, 0, true),
          makeShape(2, 130, y - 6, 40, 10, false), makeShape(3, 600, y - 4, 40, 16, true),
          makeShape(2, 534, y - 14, 14, 10, false, true), makeNote(540, 2, 3, y),
          makeShortText(240, y - 4, 1, "F\x8f B\x8d E\x8e"), makeShortText(330, y - 16, 2, "a tempo\x1e!"),
          makeTextHead(500, y + 22, 1, "boxed", TextBoxed), makeTextHead(40, y + 40, 2, "universal", TextUniversal),
          makeTextHead(200, y + 40, 1, "no print", TextNonPrinting)})
        append(st, o);
}

// The sized accidentals of texts in every size band but the 12-point text's above.
void accidentalTexts(Score& score) {
    int x = 40;
    for (const int font : {3, 4, 2, 5, 6, 7}) {
        append(score.stave(8), makeShortText(x, 700, font, "C\x8d\x8e\x8f"));
        x += 3 * score.fonts.font(font).size + 10;
    }
}

void useFonts(Score& score) {
    score.fonts.setFont(1, FontDesc{"Times New Roman", 12, 0, 0});
    score.fonts.setFont(2, FontDesc{"Times New Roman", 20, FontBold | FontItalic, 0});
    for (const auto& [font, size] : {std::pair{3, 7}, {4, 10}, {5, 30}, {6, 40}, {7, 50}})
        score.fonts.setFont(font, FontDesc{"Times New Roman", size, 0, 0});
    for (int font = 1; font <= 7; ++font) score.fonts.markInUse(font);
    score.NumFonts = 7;
}

Score edgeCasePage() {
    Score score;
    score.setStaveCount(8), score.naturalsInKeyChange = true;
    useFonts(score), bracketedSystem(score), invisiblePair(score), bracedBracketedPair(score);
    freeObjects(score), accidentalTexts(score);
    return score;
}

// What a player reads first: chord names, dotted flags, ledger lines, ties, thick
// hairpins and dotted rests, each in every form it takes.
void chordNames(Score& score) {
    Stave& st = placeStave(score.stave(1), 120, 40);
    int y = 10;
    for (const int font : {4, 1, 2}) { // 10, 12 and 20 points
        int x = 50;
        for (const char* word : {"F\x8fm7", "B\x8d" "7", "E\x8e", "C\x8f\x8f", "A\x8d\x8dmaj7", "G\x8e" "9"}) {
            appendLongText(st, x, y, font, word);
            x += 4 * score.fonts.font(font).size + 30;
        }
        y += 2 * score.fonts.font(font).size + 4;
    }
}

void dottedFlags(Score& score) {
    StaveWriter a{placeStave(score.stave(2), 210, 40)};
    int x = 60;
    for (const int stem : {StemUp, StemDown})
        for (const int position : {0, 1, -3, 4})
            for (const int duration : {4, 7}) {
                a.s.object(a.note(x, position, duration, stem)).setDots(duration == 4 ? 1 : 2);
                x += 36;
            }
}

void ledgerLines(Score& score) {
    StaveWriter a{placeStave(score.stave(3), 310, 40)};
    int x = 60;
    for (const int position : {6, 7, 8, 9, 11, -6, -7, -8, -9, -11}) {
        a.note(x, position, 3, position > 0 ? StemDown : StemUp);
        x += 26;
    }
    for (const int position : {8, 10, -8, -10})
        for (const int duration : {0, 1, 2}) {
            a.rest(x, position, duration);
            x += 24;
        }
}

// Ties between every value from semibreve to semiquaver, short and long, over and under.
void ties(Score& score) {
    StaveWriter a{placeStave(score.stave(4), 410, 40)};
    int x = 50;
    for (const int duration : {1, 2, 3, 4, 5}) {
        const int stem = duration % 2 ? StemUp : StemDown;
        a.tie(a.note(x, 0, duration, stem), a.note(x + 16, 0, duration, stem), true);
        a.tie(a.note(x + 40, -1, duration, stem), a.note(x + 80, -1, duration, stem), false);
        x += 110;
    }
    StaveWriter b{placeStave(score.stave(5), 480, 40)};
    b.tie(b.note(60, 1, 1, StemUp), b.note(330, 1, 1, StemUp), true);
    b.tie(b.note(360, -2, 3, StemUp), b.note(620, -2, 3, StemUp), false);
    b.tie(b.note(80, 3, 2, StemDown), b.note(300, 3, 2, StemDown), false); // stem side, below
}

void hairpinsAndDottedRests(Score& score) {
    StaveWriter a{placeStave(score.stave(6), 590, 40)};
    const int y = a.s.Ycoord;
    for (const int thickness : {1, 2, 3}) {
        append(a.s, makeHairpin(50 + 100 * (thickness - 1), y + 30, 80, 7, thickness));
        append(a.s, makeHairpin(130 + 100 * (thickness - 1), y - 34, -80, 7, thickness));
    }
    int x = 360;
    for (const int duration : {0, 1, 2, 3, 4, 5, 6}) {
        a.rest(x, duration == 1 ? 2 : 0, duration, duration % 2 + 1);
        x += 40;
    }
    StaveWriter b{placeStave(score.stave(7), 690, 40)};
    b.beam({b.note(60, -2, 4, StemUp), b.note(90, 0, 4, StemUp), b.note(120, 1, 5, StemUp)});
    b.beam({b.note(160, 3, 4, StemDown), b.note(190, 1, 4, StemDown), b.note(220, 0, 5, StemDown)});
}

Score engravingPage() {
    Score score;
    score.setStaveCount(7);
    useFonts(score), chordNames(score), dottedFlags(score), ledgerLines(score), ties(score);
    hairpinsAndDottedRests(score);
    return score;
}

// The screen page, or the three-times print image with the blanking shapes again last, as printing does.
QImage render(Score score, int width, int height, bool print) {
    DrawContext dc;
    dc.HighResMode = print;
    print ? dc.newPrintPage(width, height) : dc.newScreenPage(width, height);
    DrawPage(dc, score, 1);
    if (print) DrawBlankingShapes(dc, score, 1);
    return print ? dc.Printimage : dc.MainImage;
}

} // namespace
} // namespace qv::test

int main(int argc, char* argv[]) {
    using namespace qv::test;
    if (argc != 3 || std::strcmp(argv[1], "--out") != 0)
        return std::fputs("usage: render-goldens --out DIR\n", stderr), 2;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // texts need the GUI side of Qt
    // File names are stem-page1-screen.png and stem-page1-print.png.
    for (const auto& [stem, build, width, height] : {std::tuple{"dense", &densePage, DensePageWidth, DensePageHeight},
                                                     {"edges", &edgeCasePage, 696, 790},
                                                     {"engraving", &engravingPage, 696, 760}})
        for (const bool print : {false, true}) {
            const std::string path =
                std::string(argv[2]) + "/" + stem + "-page1-" + (print ? "print" : "screen") + ".png";
            if (!render(build(), width, height, print).save(QString::fromStdString(path), "PNG"))
                return std::fprintf(stderr, "render-goldens: cannot write %s\n", path.c_str()), 1;
        }
    return 0;
}
