#include "pieces.h"

#include <QTransform>

#include <algorithm>
#include <cmath>
#include <map>

namespace pieces {

const Fonts* F = nullptr;
std::string* sources = nullptr;

namespace {
const char* kDigitNames[] = {"zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine"};
} // namespace

void note(const std::string& what)
{
    if (sources && (", " + *sources + ", ").find(", " + what + ", ") == std::string::npos) {
        if (!sources->empty())
            *sources += ", ";
        *sources += what;
    }
}

QPainterPath music(const std::string& name, double x, double y, double size)
{
    note(name);
    return place(F->music->byName(name), x, y, kMusicScale * size);
}

// A music glyph with its ink box centred horizontally on cx and its origin at y.
QPainterPath musicCentredX(const std::string& name, double cx, double y, double size)
{
    QPainterPath p = music(name, 0, y, size);
    return p.translated(cx - p.boundingRect().center().x(), 0);
}

// A music glyph with its ink box centred on (cx, cy).
QPainterPath musicCentred(const std::string& name, double cx, double cy, double size)
{
    QPainterPath p = music(name, 0, 0, size);
    const QPointF c = p.boundingRect().center();
    return p.translated(cx - c.x(), cy - c.y());
}

// An augmentation or repeat dot: a disc the size of the music font's dot (0.45 space), drawn
// without the screen outline pen so it comes out as a solid 3 x 3 block there.
QPainterPath dot(double cx, double cy)
{
    note("dot");
    QPainterPath p;
    p.addEllipse(QPointF(cx, cy), 1.75, 1.75);
    return p;
}

QPainterPath rect(double x0, double y0, double x1, double y1)
{
    QPainterPath p;
    p.addRect(QRectF(QPointF(std::min(x0, x1), std::min(y0, y1)), QPointF(std::max(x0, x1), std::max(y0, y1))));
    return p;
}

QPainterPath polygon(std::initializer_list<QPointF> pts)
{
    QPainterPath p;
    bool first = true;
    for (const auto& pt : pts) {
        if (first)
            p.moveTo(pt);
        else
            p.lineTo(pt);
        first = false;
    }
    p.closeSubpath();
    return p;
}

// A straight stroke of the given width from a to b.
QPainterPath stroke(QPointF a, QPointF b, double width)
{
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double len = std::hypot(dx, dy);
    const double nx = -dy / len * width / 2, ny = dx / len * width / 2;
    return polygon({{a.x() + nx, a.y() + ny}, {b.x() + nx, b.y() + ny}, {b.x() - nx, b.y() - ny}, {a.x() - nx, a.y() - ny}});
}

QPainterPath ring(double cx, double cy, double r, double width)
{
    QPainterPath p;
    p.addEllipse(QPointF(cx, cy), r, r);
    p.addEllipse(QPointF(cx, cy), r - width, r - width);
    p.setFillRule(Qt::OddEvenFill);
    return p;
}

// A line of text with its ink box centred on (cx, cy); em is the font size in cell units.
Shape text(const OutlineFont* font, const std::u32string& s, double em, double cx, double cy,
           const char* fontName)
{
    note(std::string(fontName) + " text");
    Shape out;
    const double scale = em / font->unitsPerEm();
    double pen = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        double adv = 0;
        QPainterPath g = font->byChar(s[i], &adv);
        out.add(place(g, pen * scale, 0, scale));
        pen += adv;
        if (i + 1 < s.size())
            pen += font->kerning(s[i], s[i + 1]);
    }
    const QPointF c = out.bounds().center();
    return out.translated(cx - c.x(), cy - c.y());
}

// A row of music-font letters (dynamics), centred on (cx, cy).
Shape musicWord(const std::vector<std::string>& names, double cx, double cy)
{
    Shape out;
    double pen = 0;
    for (const auto& n : names) {
        double adv = 0;
        note(n);
        QPainterPath g = F->music->byName(n, &adv);
        out.add(place(g, pen * kMusicScale, 0, kMusicScale));
        pen += adv;
    }
    const QPointF c = out.bounds().center();
    return out.translated(cx - c.x(), cy - c.y());
}

// ---- notes -------------------------------------------------------------------------------



const char* headName(Head h)
{
    switch (h) {
    case Head::Black: return "noteheads.s2";
    case Head::Hollow: return "noteheads.s1";
    case Head::Whole: return "noteheads.s0";
    case Head::Breve: return "noteheads.sM1";
    case Head::Cross: return "noteheads.s2cross";
    case Head::DiamondHalf: return "noteheads.s1diamond";
    case Head::DiamondWhole: return "noteheads.s0diamond";
    case Head::None: break;
    }
    return "";
}

// A tremolo stroke centred on (cx, cy).
QPainterPath tremoloStroke(double cx, double cy, double size)
{
    const double hw = 4.5 * size, th = 2.4 * size, rise = 2.0 * size;
    return polygon({{cx - hw, cy + rise / 2 - th / 2},
                    {cx + hw, cy - rise / 2 - th / 2},
                    {cx + hw, cy - rise / 2 + th / 2},
                    {cx - hw, cy + rise / 2 + th / 2}});
}

// A flag stretched sideways (kFlagWidth) from the stem's left edge.
QPainterPath widen(const QPainterPath& p, double stemLeft)
{
    return QTransform().translate(stemLeft, 0).scale(kFlagWidth, 1).translate(-stemLeft, 0).map(p);
}

Shape noteShape(const NoteForm& n)
{
    Shape s;
    const double size = n.small ? kSmall : 1.0;
    if (n.head != Head::None)
        s.add(musicCentred(headName(n.head), kHeadCentre, kPitch, size));

    if (n.stem == Stem::None) {
        // Strokes of a stemless (semibreve) note stand above or below it; handled by caller.
        return s;
    }
    // Stem columns: up at the head's right edge, down at its left edge.
    const double upLeft = n.small ? 3.0 : 5.0;
    const double downLeft = n.small ? -2.0 : -4.0;
    // Stem length from the pitch, longer with more flags so the flags clear the head.
    static const double normalUp[] = {26.5, 26.5, 29.5, 35.5, 43.5};
    static const double normalDown[] = {29.0, 29.0, 31.0, 36.0, 44.0};
    static const double smallLen[] = {18.0, 18.0, 20.0, 23.5, 27.5};
    const int f = std::clamp(n.flags, 0, 4);
    double len = n.small ? smallLen[f] : (n.stem == Stem::Up ? normalUp[f] : normalDown[f]);
    if (n.strokes > 0 && !n.small)
        len += 2;
    // Keep the stem inside the cell once the drawing code's offset has moved it.
    const Offset off = n.code >= 0 ? glyphOffset(n.code) : Offset{};
    if (n.stem == Stem::Up)
        len = std::min(len, kPitch - (off.dy - 30.5));
    else
        len = std::min(len, (off.dy + 31.0) - kPitch);

    double x0, tip;
    if (n.stem == Stem::Up) {
        x0 = upLeft;
        tip = kPitch - len;
        s.addRuled(rect(x0, tip, x0 + 1, kPitch));
        if (f > 0)
            s.add(widen(music("flags.u" + std::to_string(f + 2), x0 + 0.5, tip, size), x0));
    } else {
        x0 = downLeft;
        tip = kPitch + len;
        s.addRuled(rect(x0, kPitch, x0 + 1, tip));
        if (f > 0)
            s.add(widen(music("flags.d" + std::to_string(f + 2), x0 + 0.5, tip, size), x0));
    }
    const double sx = x0 + 0.5;
    if (n.strokes > 0) {
        // Strokes sit on the free part of the stem, nearer the head than the flags.
        const double dir = n.stem == Stem::Up ? -1.0 : 1.0;
        const double first = kPitch + dir * (n.small ? 9.0 : 13.0);
        for (int i = 0; i < n.strokes; ++i)
            s.add(tremoloStroke(sx + (n.stem == Stem::Up ? -1.0 : 1.0), first + dir * 5.0 * i, size));
    }
    if (n.slash) {
        // Grace-note slash across stem and flag, rising to the right.
        const double dir = n.stem == Stem::Up ? 1.0 : -1.0;
        const double y = tip + dir * 8.0;
        s.add(stroke({sx - 4.5, y + 3.0}, {sx + 5.5, y - 3.0}, 1.1));
    }
    return s;
}

Shape semibreveWithStrokes(bool above, int strokes, bool small)
{
    NoteForm n;
    n.head = Head::Whole;
    n.small = small;
    Shape s = noteShape(n);
    const double dir = above ? -1.0 : 1.0;
    for (int i = 0; i < strokes; ++i)
        s.add(tremoloStroke(kHeadCentre, kPitch + dir * (11.0 + 5.0 * i), 1.0));
    return s;
}

// ---- rests -------------------------------------------------------------------------------

// Rests drawn at a staff position: centred on the column of the point, the breve rest filling
// the space above the point's line, the semibreve rest hanging from the line above, the minim
// rest sitting on the point's line, the others with their font origin on that line.
Shape rest(int duration)
{
    Shape s;
    const double cx = 0.5;
    switch (duration) {
    case 0: {
        QPainterPath p = music("rests.M1", 0, 0);
        const QRectF b = p.boundingRect();
        s.add(p.translated(cx - b.center().x(), -kSpace - b.top()));
        break;
    }
    case 1: s.add(musicCentredX("rests.0", cx, -kSpace)); break;
    case 2: s.add(musicCentredX("rests.1", cx, 0)); break;
    default: s.add(musicCentredX("rests." + std::to_string(duration - 1), cx, 0)); break;
    }
    return s;
}

// ---- bar lines ---------------------------------------------------------------------------

// A vertical stroke of DrawLine thickness t at x: it covers [x - t div 2, x + t - t div 2).
QPainterPath barStroke(double x, int t, double top, double bottom)
{
    const int h = t / 2;
    return rect(x - h, top, x + t - h, bottom);
}

QPainterPath repeatDot(double cx, double cy) { return dot(cx, cy); }

Shape repeatDots(double cx)
{
    Shape s;
    s.addRuled(repeatDot(cx, -4.0));
    s.addRuled(repeatDot(cx, 4.0));
    return s;
}

// ---- tables ------------------------------------------------------------------------------



// A time-signature figure: centred on the column, standing on the point's line, so that a
// numerator drawn at the middle line fills the upper half of the stave.
Shape timeFigure(const std::string& digits)
{
    Shape s;
    double pen = 0;
    for (char d : digits) {
        double adv = 0;
        const std::string name = kDigitNames[d - '0'];
        note(name);
        s.add(place(F->music->byName(name, &adv), pen * kMusicScale, 0, kMusicScale));
        pen += adv;
    }
    const QRectF b = s.bounds();
    return s.translated(0.5 - b.center().x(), 0);
}

// Figured-bass figure: one or two rows, each a digit or an altered figure.
QPainterPath figure(const std::string& f, double cy)
{
    constexpr double size = 0.62;
    if (f.size() == 1)
        return musicCentred(kDigitNames[f[0] - '0'], 0.5, cy, size);
    static const std::map<std::string, std::string> altered = {
        {"2x", "figbass.twoplus"}, {"4x", "figbass.fourplus"}, {"5x", "figbass.fiveplus"},
        {"6x", "figbass.sixstroked"}, {"7x", "figbass.sevenstroked"}};
    return musicCentred(altered.at(f), 0.5, cy, size);
}

Shape figures(std::initializer_list<std::string> rows)
{
    Shape s;
    const double gap = 11.0;
    double y = -(double(rows.size()) - 1) * gap / 2;
    for (const auto& r : rows) {
        s.add(figure(r, y));
        y += gap;
    }
    return s;
}

Shape single(const QPainterPath& p)
{
    Shape s;
    s.add(p);
    return s;
}

Shape ruledSingle(const QPainterPath& p)
{
    Shape s;
    s.add(p, true);
    return s;
}

Shape noteOf(Head head, Stem stem, int flags, bool small, int code, int strokes, bool slash)
{
    NoteForm n;
    n.head = head;
    n.stem = stem;
    n.flags = flags;
    n.small = small;
    n.code = code;
    n.strokes = strokes;
    n.slash = slash;
    return noteShape(n);
}

// Arrow: a vertical shaft with a closed arrow head, pointing up or down, centred on the point.
Shape arrow(bool up)
{
    Shape s;
    const double half = 8.0;
    s.addRuled(rect(0, -half + (up ? 2 : 0), 1, half - (up ? 0 : 2)));
    if (up)
        s.add(musicCentred("arrowheads.close.11", 0.5, -half + 2.5));
    else
        s.add(musicCentred("arrowheads.close.1M1", 0.5, half - 2.5));
    return s;
}

Shape metronomeEquals(Head head)
{
    Shape s;
    // A small note at the left and an equals sign at the right.
    NoteForm n;
    n.head = head;
    n.stem = Stem::Up;
    n.small = true;
    Shape nt = noteShape(n).translated(-9.0, 7.0);
    s.add(nt);
    s.add(text(F->sans, U"=", 14.0, 7.5, 1.0, "Liberation Sans"));
    return s;
}

} // namespace pieces
