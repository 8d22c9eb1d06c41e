#include "render/notes.h"

#include "render/curves.h"
#include "render/glyphcatalogue.h"
#include "render/glyphinkbox.h"
#include "render/glyphs.h"
#include "render/primitives.h"

#include <algorithm>
#include <array>

namespace qv {

namespace {

constexpr int FilledHead = 25;
constexpr int HollowHead = 22;
constexpr int SmallHead = 90;
constexpr int CrossHead = 103;
constexpr int DiamondHead = 104;

constexpr int StyleNormal = 0;
constexpr int StyleSmall = 1;
constexpr int StyleStroke1 = 2;
constexpr int StyleStroke2 = 3;
constexpr int StyleX = 4;

constexpr int Minim = 2;
constexpr int Crotchet = 3;
constexpr int Quaver = 4;

// Which of the two note drawers is at work: the stored form resolves automatic
// stems; the edit form shows the stem as stored and has stem rules of its own.
enum class Form { Stored, Edit };

bool isBeamed(const ScoreObject& n) {
    return n.beamBack() != 0 || n.beamForward() != 0;
}

// How much shorter than an octave a stem is when it points away from the side of
// the middle line its note is on: a stem crossing the stave must not overshoot.
int stemShortening(int step) {
    static constexpr std::array<int, 6> table{1, 3, 4, 5, 7, 8};
    if (step < 1) return 0;
    return step > 6 ? 8 : table[static_cast<std::size_t>(step - 1)];
}

// The head of a beamed note: the beam drawer adds the stem.
int bareHead(int headStyle, Form form) {
    switch (headStyle) {
    case StyleSmall:
        return SmallHead;
    case StyleStroke1:
    case StyleStroke2:
        return HollowHead;
    case StyleX:
        return form == Form::Edit ? DiamondHead : CrossHead;
    default:
        return FilledHead;
    }
}

// What a note draws besides its first glyph: a stem line ending at `end`, and for
// a flagged note the glyph that carries its flags, placed at the stem's end.
struct StemPlan {
    int head = 0;
    bool separate = false;
    int second = -1;
    int end = 0;
};

struct NoteGeometry {
    int x = 0;
    int y = 0;
    int step = 0;
    int add = 0;
    int ycoord = 0;
};

void headOnly(StemPlan& p, int duration, int end) {
    p.head = duration == Minim ? HollowHead : FilledHead;
    p.separate = true;
    p.end = end;
}

// Minim and crotchet stems of the stored form.
void plainStem(StemPlan& p, int duration, int stem, const NoteGeometry& g) {
    const int y1 = g.y + 1;
    if (stem == StemUp) {
        if (g.step < -7)
            headOnly(p, duration, g.ycoord - 4 * g.add);
        else if (g.step <= 0 && g.add != 0)
            headOnly(p, duration, y1 - 4 * (g.add + 7));
        else if (g.step >= 1)
            headOnly(p, duration, g.y - 27 + stemShortening(g.step) - 4 * g.add);
    } else if (stem == StemDown) {
        if (g.step < 0)
            headOnly(p, duration, g.y + 29 - stemShortening(-g.step) + 4 * g.add);
        else if (g.step <= 7 && g.add != 0)
            headOnly(p, duration, y1 + 4 * (g.add + 7));
        else if (g.step >= 8)
            headOnly(p, duration, g.ycoord + 4 * g.add);
    }
}

// Minim and crotchet stems of the edit form: high notes keep a short stem up to
// above the stave, low notes one down to below it.
void editPlainStem(StemPlan& p, int duration, int stem, const NoteGeometry& g) {
    const int y1 = g.y + 1;
    if (stem == StemUp && g.step >= 5) {
        headOnly(p, duration, std::min(y1 - 20, g.ycoord - 44) - 4 * g.add);
    } else if (stem == StemDown && g.step < -4) {
        headOnly(p, duration, std::max(y1 + 20, g.ycoord + 44) + 4 * g.add);
    } else if (stem == StemUp && g.step < -7) {
        headOnly(p, duration, g.ycoord - 4 * g.add);
    } else if (stem == StemDown && g.step >= 8) {
        headOnly(p, duration, g.ycoord + 4 * g.add);
    } else if ((stem == StemUp || stem == StemDown) && g.add != 0 && g.step >= -7 && g.step <= 7) {
        const int sign = stem == StemUp ? -1 : 1;
        headOnly(p, duration, y1 + sign * 4 * (g.add + 7));
    }
}

// A flag glyph drawn away from the head when the stem must reach the middle line
// or is lengthened; a shortening is ignored, the flags need the room.
void flaggedStem(StemPlan& p, int stem, const NoteGeometry& g) {
    const int add = std::max(g.add, 0);
    const int y1 = g.y + 1;
    int end = 0;
    if (stem == StemUp && (g.step < -7 || g.add > 0)) {
        end = (g.step < -7 ? g.ycoord + 28 : y1) - 4 * add;
    } else if (stem == StemDown && (g.step > 7 || g.add > 0)) {
        end = (g.step > 7 ? g.ycoord - 28 : y1) + 4 * add;
    } else {
        return;
    }
    p.second = p.head;
    p.head = FilledHead;
    p.separate = true;
    p.end = end;
}

StemPlan planStem(const ScoreObject& n, const NoteGeometry& g, Form form) {
    StemPlan p;
    const bool beamed = isBeamed(n);
    p.head = beamed ? bareHead(n.headStyle(), form) : NoteGlyphTable(n.duration(), n.stem(), n.headStyle());
    if (n.headStyle() != StyleNormal) return p;
    if (n.duration() == Minim || n.duration() == Crotchet) {
        if (form == Form::Stored)
            plainStem(p, n.duration(), n.stem(), g);
        else
            editPlainStem(p, n.duration(), n.stem(), g);
    } else if (n.duration() >= Quaver && !beamed) {
        flaggedStem(p, n.stem(), g);
    }
    return p;
}

void drawStemLine(DrawContext& dc, const StemPlan& p, int stem, const NoteGeometry& g, Form form,
                  ColourValue colour, bool xorMode) {
    const bool up = stem == StemUp;
    const int sx = up ? g.x + 5 : g.x - (form == Form::Edit ? 5 : 4);
    const int y1 = g.y + 1;
    // The line to end - 1 leaves out its last point. Going up that is the point past
    // the stem's end; going down it would be the stem's own last pixel, and the stem
    // would stop one short of the stems in the note glyphs, so it runs one further.
    const int last = up ? p.end - 1 : p.end;
    if (dc.HighResMode && form == Form::Stored) {
        // The stem is laid beside the head's edge at three times, not centred on it.
        const int u = up ? 1 : 0;
        FillHiResRect(dc, 3 * sx + u, 3 * y1, 3 * sx + u + 2, 3 * last, xorMode, colour);
        return;
    }
    // The screen flag glyphs' stems stop one pixel short of their point; reach one
    // further so that the stem is not broken between the head and the flags.
    const int reach = (up && p.second >= 0) ? p.end - 2 : last;
    DrawLine(dc, sx, y1, sx, xorMode, colour, -1, reach);
}

int tieDirection(const ScoreObject& n) {
    return n.tieOverhand() ? -1 : 1;
}

// The last note of the beam group that `index` belongs to.
int lastOfGroup(const Stave& s, int index) {
    for (int guard = 0; guard < ObjectSlots; ++guard) {
        const int next = s.object(index).beamForward();
        if (next < 1 || next >= ObjectSlots || !s.object(next).isNote()) break;
        index = next;
    }
    return index;
}

void drawNoteForm(DrawContext& dc, Score& score, int stave, int index, ColourValue colour, bool xorMode,
                  Form form) {
    Stave& s = score.stave(stave);
    ScoreObject n = s.object(index);
    if (form == Form::Stored) ResolveStem(n);
    const NoteGeometry g{n.x(), n.y(), n.staffPosition(), n.stemExtra(), s.Ycoord};
    const int y1 = g.y + 1;
    const StemPlan p = planStem(n, g, form);

    DrawGlyph(dc, p.head, g.x, y1, xorMode, colour);
    if (p.separate) {
        if (p.second >= 0) DrawGlyph(dc, p.second, g.x, p.end, xorMode, colour);
        drawStemLine(dc, p, n.stem(), g, form, colour, xorMode);
    } else if (n.duration() >= Quaver && n.headStyle() == StyleNormal && !isBeamed(n)) {
        // The table glyph of a flagged note is only its stem and flags.
        DrawGlyph(dc, FilledHead, g.x, y1, xorMode, colour);
    }
    DrawNoteExtras(dc, n, s.Ycoord, g.x, xorMode, colour, y1);

    if (n.tiedFrom() != 0) DrawTie(dc, score, stave, colour, xorMode, n.tiedFrom(), index, tieDirection(n));
    if (form == Form::Edit && n.tiedTo() != 0)
        DrawTie(dc, score, stave, colour, xorMode, index, n.tiedTo(), tieDirection(n));

    if (form == Form::Stored && n.beamBack() != 0 && n.beamForward() == 0)
        DrawBeamGroup(dc, score, stave, index, colour, xorMode);
    else if (form == Form::Edit && isBeamed(n))
        DrawBeamGroup(dc, score, stave, lastOfGroup(s, index), colour, xorMode);
}

int dotGlyph(int dots) {
    static constexpr std::array<int, 3> glyphs{37, 38, 179};
    return glyphs[static_cast<std::size_t>(std::clamp(dots, 1, 3) - 1)];
}

// Where a glyph's ink reaches on the screen page, from the point it is drawn at.
InkBox inkReach(int code) {
    const InkBox b = GlyphInkBox(code);
    const GlyphShift s = GlyphOffset(code);
    return InkBox{b.left + s.dx - 21, b.right + s.dx - 21, b.top + s.dy - 32, b.bottom + s.dy - 32};
}

// The distance right of `code`'s point at which dots leave one clear column after
// its ink.
int clearOf(int code, int dots) { return inkReach(code).right - inkReach(dotGlyph(dots)).left + 2; }

// A stem-up flag reaches further right than the head: the dots of a flagged note
// stand clear of it, where they can be read. A flag drawn up at a lengthened stem's
// end is out of their way.
int flagClearance(const ScoreObject& n) {
    if (n.duration() < Quaver || isBeamed(n) || n.stem() != StemUp || n.stemExtra() > 0) return 0;
    if (n.staffPosition() < -7) return 0;
    return clearOf(NoteGlyphTable(n.duration(), StemUp, n.headStyle()), n.dots());
}

// How far right of the head the dots stand: clear of a flag when there is one.
// Only dotted notes use it, so it is worked out afresh for each and never kept.
int dotDistance(const ScoreObject& n) {
    const bool beamed = isBeamed(n);
    int d = 1;
    switch (n.duration()) {
    case 0:
        d = 7;
        break;
    case 1:
        d = 2;
        break;
    case 2:
    case 3:
        d = 1;
        break;
    case 4:
    case 5:
        d = beamed ? 1 : 5;
        break;
    default:
        d = beamed ? 1 : 6;
        break;
    }
    return std::max(n.headStyle() == StyleSmall ? d - 3 : d, flagClearance(n));
}

void drawDots(DrawContext& dc, const ScoreObject& n, int x, int y, bool xorMode, ColourValue colour) {
    if (n.dots() == 0) return;
    // A head on a line has its dot in the space above.
    const bool inSpace = (n.staffPosition() & 1) != 0;
    DrawGlyph(dc, dotGlyph(n.dots()), x + dotDistance(n), inSpace ? y + 3 : y - 1, xorMode, colour);
}

void drawArticulations(DrawContext& dc, const ScoreObject& n, int x, int y, bool xorMode,
                       ColourValue colour) {
    const int step = n.staffPosition();
    const bool up = n.stem() == StemUp;
    const bool down = n.stem() == StemDown; // a note without a stem moves neither way
    const int stacc = n.staccato();
    if (!n.accent() && stacc == 0) return;
    int pos = y;
    // Beside a head on a line the mark would sit on the next line: move it into the space.
    if ((n.accent() || stacc == 1) && (step & 1) == 0) {
        if (up && step >= -2)
            pos += 4;
        else if (down && step < 3)
            pos -= 4;
    }
    if (n.accent() && stacc == 1 && up)
        pos -= 2;
    else if (stacc == 1 && !n.accent() && down)
        pos -= 2;

    if (n.accent()) DrawGlyph(dc, up ? 77 : 78, x, pos, xorMode, colour);
    if (stacc == 0) return;
    if (n.accent()) pos += up ? 4 : -4;
    const int glyph = stacc == 1 ? (up ? 71 : 72) : (up ? 73 : 74);
    DrawGlyph(dc, glyph, x + 6, pos, xorMode, colour);
}

bool narrowHead(const ScoreObject& n) {
    if (n.duration() == 0) return false;
    return n.headStyle() == StyleSmall || (n.duration() == Quaver && n.headStyle() == StyleStroke1);
}

void drawNoteLedgers(DrawContext& dc, const ScoreObject& n, int ycoord, int x, bool xorMode,
                     ColourValue colour) {
    const int step = n.staffPosition();
    const int half = narrowHead(n) ? 5 : 8;
    for (int k = 6; k <= step; k += 2)
        DrawLedgerLine(dc, ycoord, x, half, xorMode, colour, k);
    for (int k = -6; k >= step; k -= 2)
        DrawLedgerLine(dc, ycoord, x, half, xorMode, colour, k);
}

int restGlyph(int duration) {
    static constexpr std::array<int, 8> glyphs{50, 49, 51, 52, 53, 54, 55, 56};
    return glyphs[static_cast<std::size_t>(std::clamp(duration, 0, 7))];
}

// A run of ledger lines from k = `first` in steps of `by` while within `limit`;
// the first line is drawn even when the limit is not reached.
void ledgerRun(DrawContext& dc, int ycoord, int x, bool xorMode, ColourValue colour, int first, int by,
               int limit) {
    int k = first;
    do {
        DrawLedgerLine(dc, ycoord, x, 8, xorMode, colour, k);
        k += by;
    } while (by > 0 ? k <= limit : k >= limit);
}

// How far below a short rest's point its dots go to sit level with its top hook.
int restDotRise(int restCode, int dotCode) {
    const InkBox rest = inkReach(restCode), dot = inkReach(dotCode);
    return rest.top + 2 - (dot.top + dot.bottom) / 2;
}

// Only the whole-bar shapes (breve, semibreve and minim rests) hang off a line
// and need one when moved off the stave.
void drawRestLedgers(DrawContext& dc, const ScoreObject& r, int ycoord, bool xorMode, ColourValue colour) {
    const int d = r.duration();
    if (d > Minim) return;
    const int s = r.staffPosition();
    // A breve rest fills the space from its own line up to the next, so it needs a
    // line at both edges; a semibreve hangs from the line above, a minim sits on its own.
    const int above = d == 1 ? 3 : 5;
    if (s > above) ledgerRun(dc, ycoord, r.x(), xorMode, colour, 6, 2, d == Minim ? s : s + 2);
    const int below = d == Minim ? -5 : -7;
    if (s < below) ledgerRun(dc, ycoord, r.x(), xorMode, colour, -6, -2, d == 1 ? s + 2 : s);
}

} // namespace

int BeamCount(const ScoreObject& note) {
    return note.duration() >= Quaver ? note.duration() - 3 : 0;
}

void ResolveStem(ScoreObject& note) {
    if (note.stem() == StemAuto) note.setStem(note.staffPosition() > 0 ? StemDown : StemUp);
}

void DrawLedgerLine(DrawContext& dc, int staveYcoord, int x, int halfWidth, bool xorMode, ColourValue colour,
                    int step) {
    const int y = staveYcoord - 4 * step;
    if (dc.HighResMode) {
        FillHiResRect(dc, 3 * (x - halfWidth), 3 * y - 1, 3 * (x + halfWidth + 1), 3 * y + 1, xorMode, colour);
        return;
    }
    // On the screen the stave lines lie one pixel above their y, where the heads'
    // drawings centre: the ledger lines share that grid, 8 pixels on from the stave.
    DrawLine(dc, x - halfWidth, y - 1, x + halfWidth + 1, xorMode, colour, 1, y - 1);
}

void DrawNoteExtras(DrawContext& dc, const ScoreObject& note, int staveYcoord, int x, bool xorMode,
                    ColourValue colour, int y) {
    drawDots(dc, note, x, y, xorMode, colour);
    drawArticulations(dc, note, x, y, xorMode, colour);
    drawNoteLedgers(dc, note, staveYcoord, x, xorMode, colour);
}

void DrawNote(DrawContext& dc, Score& score, int stave, int index, ColourValue colour, bool xorMode) {
    drawNoteForm(dc, score, stave, index, colour, xorMode, Form::Stored);
}

void DrawEditNote(DrawContext& dc, Score& score, int stave, int index, ColourValue colour, bool xorMode) {
    drawNoteForm(dc, score, stave, index, colour, xorMode, Form::Edit);
}

void DrawRest(DrawContext& dc, const ScoreObject& rest, int staveYcoord, ColourValue colour, bool xorMode) {
    const int x = rest.x(), y = rest.y();
    DrawGlyph(dc, restGlyph(rest.duration()), x, y, xorMode, colour);
    if (rest.dots() > 0) {
        // Short rests lean right; their dot goes up beside the top hook. Every dot
        // keeps a clear column after the rest's ink.
        const int code = restGlyph(rest.duration()), dot = dotGlyph(rest.dots());
        const bool short_ = rest.duration() >= 5;
        const int dotY = short_ ? y + restDotRise(code, dot) : y - 1;
        DrawGlyph(dc, dot, x + std::max(short_ ? 4 : 0, clearOf(code, rest.dots())), dotY, xorMode, colour);
    }
    drawRestLedgers(dc, rest, staveYcoord, xorMode, colour);
}

} // namespace qv
