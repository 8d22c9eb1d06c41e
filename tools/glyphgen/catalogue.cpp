#include "catalogue.h"
#include "pieces.h"

#include <QTransform>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <stdexcept>

using namespace pieces;

namespace {

const std::map<int, Offset>& offsetTable()
{
    static const std::map<int, Offset> t = [] {
        std::map<int, Offset> m;
        auto set = [&m](std::initializer_list<int> codes, int dx, int dy) {
            for (int c : codes)
                m[c] = {dx, dy};
        };
        set({0, 1, 2}, 0, 1);
        set({13}, 2, 0);
        set({17}, 0, -1);
        set({21, 28, 30, 46}, 1, 0);
        set({32}, 1, -6);
        set({33}, 0, 3);
        set({34}, 1, -16);
        set({35, 102, 114}, 0, 12);
        set({37, 38}, 4, -2);
        set({39, 41}, 1, 1);
        set({40}, -2, 1);
        set({42}, 2, 0);
        set({43}, 2, 2);
        set({44, 48}, 3, 0);
        set({45}, -2, 0);
        set({47}, -1, -1);
        set({49, 52, 54, 56, 76}, 8, 0);
        set({50, 55, 67}, 8, 1);
        set({51, 53}, 8, -1);
        set({68}, 3, 1);
        set({69}, 0, 1);
        set({77, 78}, 9, 0);
        set({91}, 3, 0);
        set({92}, 7, 0);
        set({101}, 0, -16);
        set({104}, 5, 0);
        set({111}, 0, -6);
        set({112}, 0, 6);
        set({113}, 1, -9);
        set({119, 120}, -4, 0);
        set({156}, 1, -1);
        set({179}, 6, -2);
        return m;
    }();
    return t;
}


} // namespace

Offset glyphOffset(int code)
{
    const auto& t = offsetTable();
    auto it = t.find(code);
    return it == t.end() ? Offset{} : it->second;
}

Offset glyphHiResOffset(int code)
{
    switch (code) {
    case 23:
    case 26: return {-1, 0};
    case 49: return {0, 3};
    case 51: return {0, 4};
    default: return {};
    }
}

const std::vector<std::string>& catalogueStems()
{
    static const std::vector<std::string> stems = {
        "ACLEF", "TCLEF", "FCLEF", "GCLEF", "ACLEF2", "TCLEF2", "FCLEF2", "GCLEF2", "0", "1",
        "2", "3", "4", "5", "6", "7", "8", "9", "16", "COMMON",
        "COMMON2", "BREVE", "1_", "2U", "2D", "4_", "4U", "4D", "8U", "8D",
        "16U", "16D", "32U", "32D", "64U", "64D", "DIAGLINE", "DOT", "DOT2", "BARLINE",
        "2BARLINE", "3BARLINE", "STAVE1", "STAVE2", "FLAT", "2FLAT", "SHARP", "2SHARP", "NATURAL", "0Z",
        "1Z", "2Z", "4Z", "8Z", "16Z", "32Z", "64Z", "4U2", "4D2", "8U2",
        "8D2", "16U2", "16D2", "32U2", "32D2", "HOLDUP", "HOLDDN", "REPBAR1", "REPBAR2", "REPBAR3",
        "REPEAT", "STACCUP", "STACCDN", "STACCCUP", "STACCCDN", "HATUP", "GREATER", "LINEUP", "LINEDN", "2U2",
        "2D2", "2U3", "2D3", "2U4", "2D4", "4U3", "4D3", "4U4", "4D4", "1_2",
        "4_2", "8U3", "8D3", "8U0", "8D0", "64U2", "64D2", "16U0", "16D0", "32U0",
        "32D0", "64U0", "64D0", "0X", "1X", "4UX", "4DX", "8UX", "8DX", "16UX",
        "16DX", "32UX", "32DX", "64UX", "64DX", "SEGNO1", "SEGNO2", "1U3", "1D3", "1U4",
        "1D4", "TINYFLAT", "TINYSHAR", "TINYNATU", "USER1", "USER2", "USER3", "USER4", "USER5", "USER6",
        "USER7", "USER8", "USER9", "USER0", "PED", "STAR", "TURN", "BARSREST", "PP", "P",
        "MP", "MF", "F", "FF", "SF", "FZ", "8VA", "DIVISI", "8us", "8ds",
        "16us", "16ds", "32us", "32ds", "64us", "64ds", "SEMIBREV", "TWIDDLE", "SEGNO3", "PPP",
        "FFF", "MM", "MINEQAL", "CROTEQAL", "MORDENT", "8VB", "TR", "SFZ", "TURNLINE", "I0",
        "I1", "I2", "I3", "I4", "I5", "I6", "I7", "I8", "I9", "DOT3",
        "horitwid", "circle1", "circle2", "circle3", "circle4", "circle5", "circle6", "circle7", "circle8", "circle9",
        "fb0", "fb1", "fb2", "fb3", "fb4", "fb5", "fb6", "fb7", "fb8", "fb9",
        "fb2x", "fb4x", "fb5x", "fb6x", "fb7x", "fb42", "fb53", "fb64", "fb63", "fb73",
        "fb4x2", "fb42x", "fb4x2x", "dc", "ds", "U", "Diamond", "downarrow", "uparrow", "combiup",
        "combidn", "V", "Vdot", "invertvdot", "dottedbarline", "halfbarline", "halfbarline2", "slash2", "2UX", "2DX"};
    return stems;
}


std::vector<GlyphDrawing> buildCatalogue(const Fonts& fonts)
{
    pieces::F = &fonts;
    std::vector<GlyphDrawing> out;
    const auto& stems = catalogueStems();
    std::map<int, std::function<Shape()>> make;
    std::map<int, std::function<Shape()>> makeHires;
    std::map<int, int> below; // drawn one pixel below their pitch

    // Clefs, drawn at the stave's middle line.
    make[0] = [] { return single(musicCentredX("clefs.C", 0.5, 0)); };
    make[1] = [] { return single(musicCentredX("clefs.C", 0.5, -kSpace)); };
    make[2] = [] { return single(musicCentredX("clefs.F", 0.5, -kSpace)); };
    make[3] = [] { return single(musicCentredX("clefs.G", 0.5, kSpace)); };
    make[4] = [] { return single(musicCentredX("clefs.C_change", 0.5, 0)); };
    make[5] = [] { return single(musicCentredX("clefs.C_change", 0.5, -kSpace)); };
    make[6] = [] { return single(musicCentredX("clefs.F_change", 0.5, -kSpace)); };
    make[7] = [] { return single(musicCentredX("clefs.G_change", 0.5, kSpace)); };

    // Time signatures.
    for (int d = 0; d <= 9; ++d)
        make[8 + d] = [d] { return timeFigure(std::to_string(d)); };
    make[18] = [] { return timeFigure("16"); };
    make[19] = [] { return single(musicCentred("timesig.C44", 0.5, 0)); };
    make[20] = [] { return single(musicCentred("timesig.C22", 0.5, 0)); };

    // Notes and heads (drawn one pixel below their pitch).
    auto noteCode = [&](int code, std::function<Shape()> f) {
        make[code] = std::move(f);
        below[code] = 1;
    };
    noteCode(21, [] { return noteOf(Head::Breve, Stem::None, 0, false, 21); });
    noteCode(22, [] { return noteOf(Head::Hollow, Stem::None, 0, false, 22); });
    noteCode(23, [] { return noteOf(Head::Hollow, Stem::Up, 0, false, 23); });
    noteCode(24, [] { return noteOf(Head::Hollow, Stem::Down, 0, false, 24); });
    noteCode(25, [] { return noteOf(Head::Black, Stem::None, 0, false, 25); });
    noteCode(26, [] { return noteOf(Head::Black, Stem::Up, 0, false, 26); });
    noteCode(27, [] { return noteOf(Head::Black, Stem::Down, 0, false, 27); });
    for (int f = 1; f <= 4; ++f) {
        const int up = 28 + 2 * (f - 1);
        noteCode(up, [f, up] { return noteOf(Head::None, Stem::Up, f, false, up); });
        noteCode(up + 1, [f, up] { return noteOf(Head::None, Stem::Down, f, false, up + 1); });
    }
    noteCode(156, [] { return noteOf(Head::Whole, Stem::None, 0, false, 156); });

    // Cue-size notes and heads.
    noteCode(57, [] { return noteOf(Head::Black, Stem::Up, 0, true, 57); });
    noteCode(58, [] { return noteOf(Head::Black, Stem::Down, 0, true, 58); });
    noteCode(59, [] { return noteOf(Head::Black, Stem::Up, 1, true, 59); });
    noteCode(60, [] { return noteOf(Head::Black, Stem::Down, 1, true, 60); });
    noteCode(61, [] { return noteOf(Head::Black, Stem::Up, 2, true, 61); });
    noteCode(62, [] { return noteOf(Head::Black, Stem::Down, 2, true, 62); });
    noteCode(63, [] { return noteOf(Head::Black, Stem::Up, 3, true, 63); });
    noteCode(64, [] { return noteOf(Head::Black, Stem::Down, 3, true, 64); });
    noteCode(95, [] { return noteOf(Head::Black, Stem::Up, 4, true, 95); });
    noteCode(96, [] { return noteOf(Head::Black, Stem::Down, 4, true, 96); });
    noteCode(79, [] { return noteOf(Head::Hollow, Stem::Up, 0, true, 79); });
    noteCode(80, [] { return noteOf(Head::Hollow, Stem::Down, 0, true, 80); });
    noteCode(89, [] { return noteOf(Head::Whole, Stem::None, 0, true, 89); });
    noteCode(90, [] { return noteOf(Head::Black, Stem::None, 0, true, 90); });
    noteCode(91, [] { return noteOf(Head::Black, Stem::Up, 1, true, 91, 0, true); });
    noteCode(92, [] { return noteOf(Head::Black, Stem::Down, 1, true, 92, 0, true); });

    // Stroke (tremolo) styles.
    noteCode(81, [] { return noteOf(Head::Hollow, Stem::Up, 0, false, 81, 1); });
    noteCode(82, [] { return noteOf(Head::Hollow, Stem::Down, 0, false, 82, 1); });
    noteCode(83, [] { return noteOf(Head::Hollow, Stem::Up, 0, false, 83, 2); });
    noteCode(84, [] { return noteOf(Head::Hollow, Stem::Down, 0, false, 84, 2); });
    noteCode(85, [] { return noteOf(Head::Black, Stem::Up, 0, false, 85, 1); });
    noteCode(86, [] { return noteOf(Head::Black, Stem::Down, 0, false, 86, 1); });
    noteCode(87, [] { return noteOf(Head::Black, Stem::Up, 0, false, 87, 2); });
    noteCode(88, [] { return noteOf(Head::Black, Stem::Down, 0, false, 88, 2); });
    noteCode(117, [] { return semibreveWithStrokes(true, 1); });
    noteCode(118, [] { return semibreveWithStrokes(false, 1); });
    noteCode(119, [] { return semibreveWithStrokes(true, 2); });
    noteCode(120, [] { return semibreveWithStrokes(false, 2); });

    // Hollow heads with flags.
    for (int f = 1; f <= 4; ++f) {
        const int up = f == 1 ? 93 : 97 + 2 * (f - 2);
        noteCode(up, [f, up] { return noteOf(Head::Hollow, Stem::Up, f, false, up); });
        noteCode(up + 1, [f, up] { return noteOf(Head::Hollow, Stem::Down, f, false, up + 1); });
    }

    // Cross and diamond heads.
    noteCode(103, [] { return noteOf(Head::Cross, Stem::None, 0, false, 103); });
    noteCode(104, [] { return noteOf(Head::DiamondWhole, Stem::None, 0, false, 104); });
    for (int f = 0; f <= 4; ++f) {
        const int up = 105 + 2 * f;
        noteCode(up, [f, up] { return noteOf(Head::Cross, Stem::Up, f, false, up); });
        noteCode(up + 1, [f, up] { return noteOf(Head::Cross, Stem::Down, f, false, up + 1); });
    }
    noteCode(228, [] { return noteOf(Head::DiamondHalf, Stem::Up, 0, false, 228); });
    noteCode(229, [] { return noteOf(Head::DiamondHalf, Stem::Down, 0, false, 229); });

    // Complete flagged notes (head, stem and flags in one glyph).
    for (int f = 1; f <= 4; ++f) {
        const int up = 148 + 2 * (f - 1);
        noteCode(up, [f, up] { return noteOf(Head::Black, Stem::Up, f, false, up); });
        noteCode(up + 1, [f, up] { return noteOf(Head::Black, Stem::Down, f, false, up + 1); });
    }

    // Rests, drawn at the object's point: 1Z breve, 0Z semibreve, 2Z minim, then 4Z..64Z.
    make[49] = [] { return rest(1); };
    make[50] = [] { return rest(0); };
    make[51] = [] { return rest(2); };
    for (int d = 3; d <= 7; ++d)
        make[52 + d - 3] = [d] { return rest(d); };

    // Dots: the dot stands right of the point and half a space up from its line.
    make[37] = [] { return ruledSingle(dot(8.5, -3)); };
    make[38] = [] {
        Shape s;
        s.addRuled(dot(8.5, -3));
        s.addRuled(dot(13.5, -3));
        return s;
    };
    make[179] = [] {
        Shape s;
        for (int i = 0; i < 3; ++i)
            s.addRuled(dot(8.5 + 5 * i, -3));
        return s;
    };

    // Bar lines at the stave's middle line; strokes as the joining strokes between staves.
    make[39] = [] { return ruledSingle(barStroke(0, 2)); };
    makeHires[39] = [] { return ruledSingle(barStroke(0, 1)); };
    make[40] = [] {
        Shape s;
        s.addRuled(barStroke(-5, 2));
        s.addRuled(barStroke(-1, 2));
        return s;
    };
    make[41] = [] {
        Shape s;
        s.addRuled(barStroke(-7, 2));
        s.addRuled(barStroke(-2, 5));
        return s;
    };
    make[67] = [] {
        Shape s;
        s.addRuled(barStroke(-2, 5));
        s.addRuled(barStroke(4, 1));
        s.add(repeatDots(8.5));
        return s;
    };
    make[68] = [] {
        Shape s;
        s.addRuled(barStroke(-2, 1));
        s.addRuled(barStroke(3, 5));
        s.add(repeatDots(-5.5));
        return s;
    };
    make[69] = [] {
        Shape s;
        s.addRuled(barStroke(-5, 1));
        s.addRuled(barStroke(0, 5));
        s.addRuled(barStroke(6, 1));
        s.add(repeatDots(-8.5));
        s.add(repeatDots(10.5));
        return s;
    };
    make[224] = [] {
        Shape s;
        for (double y = -16.5; y < 16.5; y += 4)
            s.addRuled(rect(0, y, 1, y + 2));
        return s;
    };
    make[225] = [] { return ruledSingle(barStroke(0, 2, -8.5, 8.5)); };
    make[226] = [] { return ruledSingle(barStroke(0, 2, -20.5, -11.5)); };

    // System bracket ends, drawn at the stave's left end and middle line.
    make[42] = [] {
        Shape s;
        s.addRuled(rect(-5, -16.5, -1, 16.5));
        s.add(music("brackettips.up", -5, -16.5));
        return s;
    };
    make[43] = [] {
        Shape s;
        s.addRuled(rect(-5, -16.5, -1, 16.5));
        s.add(music("brackettips.down", -5, 16.5));
        return s;
    };

    // Accidentals, centred on the point's column, on its pitch.
    make[44] = [] { return single(musicCentredX("accidentals.flat", 0.5, 0)); };
    make[45] = [] { return single(musicCentredX("accidentals.flatflat", 0.5, 0)); };
    make[46] = [] { return single(musicCentredX("accidentals.sharp", 0.5, 0)); };
    make[47] = [] { return single(musicCentredX("accidentals.doublesharp", 0.5, 0)); };
    make[48] = [] { return single(musicCentredX("accidentals.natural", 0.5, 0)); };
    make[121] = [] { return single(musicCentredX("accidentals.flat", 0.5, 0, kSmall)); };
    make[122] = [] { return single(musicCentredX("accidentals.sharp", 0.5, 0, kSmall)); };
    make[123] = [] { return single(musicCentredX("accidentals.natural", 0.5, 0, kSmall)); };

    // Articulations. The note drawer puts staccato marks at x + 6 and accent marks at x, at
    // a height that already chooses the space; the marks are drawn centred on the head.
    make[65] = [] { return single(musicCentred("scripts.ufermata", 0.5, 0)); };
    make[66] = [] { return single(musicCentred("scripts.dfermata", 0.5, 0)); };
    make[71] = [] { return single(musicCentred("scripts.staccato", kHeadCentre - 6 + 0.5, 7, kDot)); };
    make[72] = [] { return single(musicCentred("scripts.staccato", kHeadCentre - 6 + 0.5, -9, kDot)); };
    make[73] = [] { return single(musicCentred("scripts.dstaccatissimo", kHeadCentre - 6 + 0.5, 8)); };
    make[74] = [] { return single(musicCentred("scripts.ustaccatissimo", kHeadCentre - 6 + 0.5, -10)); };
    make[75] = [] { return single(musicCentred("scripts.umarcato", 0.5, 0)); };
    make[76] = [] { return single(musicCentred("scripts.sforzato", 0.5, 0)); };
    make[77] = [] { return single(musicCentred("scripts.tenuto", kHeadCentre, 7)); };
    make[78] = [] { return single(musicCentred("scripts.tenuto", kHeadCentre, -9)); };

    make[36] = [] { return single(stroke({-7.5, 8.0}, {8.5, -8.0}, 1.2)); };
    make[70] = [] {
        Shape s;
        s.add(stroke({-6.0, 8.0}, {7.0, -8.0}, 3.0));
        s.addRuled(dot(-4.5, -4.5));
        s.addRuled(dot(5.5, 4.5));
        return s;
    };
    make[115] = [] { return single(musicCentred("scripts.segno", 0.5, 0)); };
    make[116] = [] { return single(musicCentred("scripts.coda", 0.5, 0)); };
    make[158] = [] { return single(musicCentred("scripts.varcoda", 0.5, 0)); };

    make[134] = [] { return single(musicCentred("pedal.Ped", 0.5, 0)); };
    make[135] = [] { return single(musicCentred("pedal.*", 0.5, 0)); };
    make[136] = [] { return single(musicCentred("scripts.turn", 0.5, 0)); };
    make[137] = [] {
        Shape s;
        s.addRuled(rect(-15, -2.5, 16, 2.5));
        s.addRuled(rect(-16, -8.5, -15, 8.5));
        s.addRuled(rect(16, -8.5, 17, 8.5));
        return s;
    };
    make[157] = [] { return single(musicCentredX("scripts.arpeggio", 0.5, 0)); };
    make[164] = [] { return single(musicCentred("scripts.mordent", 0.5, 0)); };
    make[166] = [] { return single(musicCentred("scripts.trill", 0.5, 0)); };
    make[168] = [] { return single(musicCentred("scripts.slashturn", 0.5, 0)); };
    // The wavy trill line: three waves (one per space) cut from a longer run, one pixel more
    // than three waves wide, so that copies placed at its ink width join without a kink.
    make[180] = [] {
        QPainterPath run;
        run.setFillRule(Qt::WindingFill);
        for (int i = -3; i < 4; ++i)
            run.addPath(music("scripts.trill_element", i * kSpace, 0));
        QPainterPath window;
        window.addRect(QRectF(-12.0, -20.0, 3 * kSpace + 1, 40.0));
        QPainterPath cut = run.intersected(window);
        const QRectF b = cut.boundingRect();
        return single(cut.translated(0, -b.center().y()));
    };

    // Dynamics from the music font's letters.
    auto dyn = [&](int code, std::vector<std::string> letters) {
        make[code] = [letters] { return musicWord(letters, 0.5, 0); };
    };
    dyn(138, {"p", "p"});
    dyn(139, {"p"});
    dyn(140, {"m", "p"});
    dyn(141, {"m", "f"});
    dyn(142, {"f"});
    dyn(143, {"f", "f"});
    dyn(144, {"s", "f"});
    dyn(145, {"f", "z"});
    dyn(159, {"p", "p", "p"});
    dyn(160, {"f", "f", "f"});
    dyn(167, {"s", "f", "z"});

    // Lettered signs from Liberation.
    make[146] = [] { return text(F->serifBoldItalic, U"8va", 15.0, 0.5, 0, "Liberation Serif Bold Italic"); };
    make[165] = [] { return text(F->serifBoldItalic, U"8vb", 15.0, 0.5, 0, "Liberation Serif Bold Italic"); };
    make[147] = [] { return text(F->serifItalic, U"div.", 15.0, 0.5, 0, "Liberation Serif Italic"); };
    make[161] = [] { return text(F->serif, U"M.M.", 13.0, 0.5, 0, "Liberation Serif"); };
    make[162] = [] { return metronomeEquals(Head::Hollow); };
    make[163] = [] { return metronomeEquals(Head::Black); };
    for (int d = 0; d <= 9; ++d)
        make[169 + d] = [d] {
            return text(F->serifItalic, std::u32string(1, char32_t(U'0' + d)), 15.0, 0.5, 0, "Liberation Serif Italic");
        };
    for (int d = 1; d <= 9; ++d)
        make[180 + d] = [d] {
            Shape s;
            s.add(ring(0.5, 0, 7.5, 1.0));
            s.add(text(F->sans, std::u32string(1, char32_t(U'0' + d)), 12.0, 0.5, 0, "Liberation Sans"));
            return s;
        };
    make[213] = [] { return text(F->serifBoldItalic, U"D.C.", 15.0, 0.5, 0, "Liberation Serif Bold Italic"); };
    make[214] = [] { return text(F->serifBoldItalic, U"D.S.", 15.0, 0.5, 0, "Liberation Serif Bold Italic"); };

    // Figured bass.
    for (int d = 0; d <= 9; ++d)
        make[190 + d] = [d] { return figures({std::string(1, char('0' + d))}); };
    make[200] = [] { return figures({"2x"}); };
    make[201] = [] { return figures({"4x"}); };
    make[202] = [] { return figures({"5x"}); };
    make[203] = [] { return figures({"6x"}); };
    make[204] = [] { return figures({"7x"}); };
    make[205] = [] { return figures({"4", "2"}); };
    make[206] = [] { return figures({"5", "3"}); };
    make[207] = [] { return figures({"6", "4"}); };
    make[208] = [] { return figures({"6", "3"}); };
    make[209] = [] { return figures({"7", "3"}); };
    make[210] = [] { return figures({"4x", "2"}); };
    make[211] = [] { return figures({"4", "2x"}); };
    make[212] = [] { return figures({"4x", "2x"}); };

    // Marks of uncertain use, drawn as their names say.
    make[215] = [] { return single(musicCentred("scripts.upedalheel", 0.5, 0)); };
    make[216] = [] { return single(musicCentred("noteheads.s0harmonic", 0.5, 0)); };
    make[217] = [] { return arrow(false); };
    make[218] = [] { return arrow(true); };
    make[219] = [] {
        Shape s;
        s.add(musicCentred("scripts.upedaltoe", 0.5, -5));
        s.add(musicCentred("scripts.upedalheel", 0.5, 5));
        return s;
    };
    make[220] = [] {
        Shape s;
        s.add(musicCentred("scripts.upedalheel", 0.5, -5));
        s.add(musicCentred("scripts.dpedaltoe", 0.5, 5));
        return s;
    };
    make[221] = [] { return single(musicCentred("scripts.upbow", 0.5, 0)); };
    make[222] = [] {
        Shape s;
        s.add(musicCentred("scripts.upbow", 0.5, -2));
        s.add(musicCentred("scripts.staccato", 0.5, 8, kDot));
        return s;
    };
    make[223] = [] {
        Shape s;
        QPainterPath v = musicCentred("scripts.upbow", 0, 0);
        s.add(QTransform(1, 0, 0, -1, 0.5, 2).map(v));
        s.add(musicCentred("scripts.staccato", 0.5, -8, kDot));
        return s;
    };
    make[227] = [] { return single(musicCentred("scripts.caesura.straight", 0.5, 0)); };

    for (int code = 0; code < int(stems.size()); ++code) {
        GlyphDrawing g;
        g.code = code;
        g.stem = stems[code];
        g.drawnBelow = below.count(code) ? below[code] : 0;
        g.screenPen = code != 4 && code != 5;
        auto it = make.find(code);
        if (it == make.end()) {
            g.drawn = false;
        } else {
            pieces::sources = &g.source;
            try {
                g.shape = it->second();
                auto hi = makeHires.find(code);
                if (hi != makeHires.end())
                    g.hiresShape = hi->second();
            } catch (const std::exception& e) {
                throw std::runtime_error("glyph " + std::to_string(code) + " " + g.stem + ": " + e.what());
            }
            pieces::sources = nullptr;
        }
        out.push_back(std::move(g));
    }
    GlyphDrawing nothing;
    nothing.stem = "NOTHING";
    nothing.drawn = false;
    out.push_back(nothing);
    return out;
}

namespace {

// Flat (0), natural (1) or sharp (2) ruled on the pixel grid, h pixels tall, 5 wide, for the
// smallest text sizes.
Shape tinyAccidental(int kind, int h)
{
    Shape s;
    const double bar = h >= 12 ? 2 : 1;
    const double upper = std::round(h * 0.3), lower = std::round(h * 0.62);
    switch (kind) {
    case 0: // flat: stem and a bowl on its lower part
        s.addRuled(rect(0, 0, 1, h));
        s.addRuled(rect(1, upper + 1, 3, upper + 2));
        s.addRuled(rect(3, upper + 2, 4, h - 2));
        s.addRuled(rect(2, h - 2, 3, h - 1));
        s.addRuled(rect(1, h - 1, 2, h));
        break;
    case 1: // natural
        s.addRuled(rect(0, 0, 1, lower + bar));
        s.addRuled(rect(3, upper, 4, h));
        s.addRuled(rect(0, upper, 4, upper + bar));
        s.addRuled(rect(0, lower, 4, lower + bar));
        break;
    default: // sharp
        s.addRuled(rect(1, 0, 2, h));
        s.addRuled(rect(3, 0, 4, h));
    {
        const double a = std::round(h * 0.25), b = std::round(h * 0.65) - bar;
        s.addRuled(rect(0, a, 5, a + bar));
        s.addRuled(rect(0, b, 5, b + bar));
    }
        break;
    }
    return s;
}

} // namespace

std::vector<FreeBitmap> buildFreeBitmaps(const Fonts& fonts)
{
    pieces::F = &fonts;
    std::vector<FreeBitmap> out;

    // Anchor mark of curve points: 12 x 12, centre at column 7, row 6 (where DrawGlyph's
    // centring puts the point), a hollow square with the centre pixel set.
    FreeBitmap anchor;
    anchor.stem = "Anchor";
    anchor.width = anchor.height = 12;
    anchor.screenOnly = true;
    anchor.shape.addRuled(rect(3, 2, 12, 3));
    anchor.shape.addRuled(rect(3, 10, 12, 11));
    anchor.shape.addRuled(rect(3, 2, 4, 11));
    anchor.shape.addRuled(rect(11, 2, 12, 11));
    anchor.shape.addRuled(rect(7, 6, 8, 7));
    out.push_back(anchor);

    // Sized accidentals for text. The text drawer stamps them with their top-left corner
    // (dx, dy) from the left of the character cell and the bottom of the text line; the
    // bitmaps put the sign's centre about 0.57 em above that bottom and make it 0.85 em tall
    // (em = the point size at 96 pixels per inch).
    struct Band {
        const char* size;
        int points;
        int flatDy, naturalDy, sharpDy;
    };
    const Band bands[] = {{"006", 6, 10, 10, 10},   {"010", 10, 23, 24, 24},  {"015", 15, 35, 38, 38},
                          {"026", 26, 60, 63, 63},  {"032", 32, 77, 80, 80},  {"040", 40, 90, 95, 95},
                          {"050", 50, 115, 125, 125}};
    struct Kind {
        const char* stem;
        const char* glyph;
    };
    const Kind kinds[] = {{"FLAT", "accidentals.flat"}, {"NAT", "accidentals.natural"}, {"SHARP", "accidentals.sharp"}};
    for (const auto& b : bands) {
        const double em = b.points * 96.0 / 72.0;
        // A sharp is three spaces (24 pixels) at size 1; below nine pixels it would not read.
        const double size = std::max(0.85 * em, 9.0) / 24.0;
        for (int k = 0; k < 3; ++k) {
            const int dy = k == 0 ? b.flatDy : k == 1 ? b.naturalDy : b.sharpDy;
            FreeBitmap a;
            a.stem = std::string(kinds[k].stem) + b.size;
            a.height = dy + std::max(2, int(std::ceil(em * 0.1)));
            if (b.points <= 10) {
                // Too small for the font's outlines to survive: ruled pixel drawings.
                const int h = b.points <= 6 ? 9 : 12;
                const double top = std::max(1.0, std::round(dy - 0.57 * em - h / 2.0));
                a.shape = tinyAccidental(k, h).translated(1, top);
                a.width = 7;
            } else {
                const double centreY = dy - 0.57 * em;
                QPainterPath p = musicCentred(kinds[k].glyph, 0, 0, size);
                const QRectF box = p.boundingRect();
                // The flat's centre of interest is its bowl, a little below the ink box centre.
                const double lower = k == 0 ? box.height() * 0.12 : 0.0;
                a.width = int(std::ceil(box.width())) + 2;
                a.shape.add(p.translated(1 - box.left(), centreY - lower));
            }
            out.push_back(a);
        }
    }
    return out;
}
