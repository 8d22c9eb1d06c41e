#pragma once
// The pieces glyphs are built from: font glyphs placed in cell units, ruled strokes, notes
// (head, stem, flags, strokes), rests, bar strokes, figures and lettering. Cell units are screen
// pixels, y down, origin at the glyph's reference point (see catalogue.h).

#include "catalogue.h"
#include "outline.h"

#include <QPainterPath>
#include <QPointF>

#include <initializer_list>
#include <string>
#include <vector>

namespace pieces {

// One stave space is 8 cell units; the music font is drawn with 250 units to the space.
constexpr double kSpace = 8.0;
constexpr double kMusicScale = kSpace / 250.0;
constexpr double kSmall = 0.65; // cue notes, small clefs, tiny accidentals
// Size of staccato dots; with the screen outline pen they come out as solid 3 x 3 blocks.
constexpr double kDot = 1.0;
// Notes are drawn one pixel below their pitch, so in a note glyph the pitch line is at -1.
constexpr double kPitch = -1.0;
// Horizontal centre of a note head: the head covers columns -4..5 of the cell.
constexpr double kHeadCentre = 1.0;
// Flags are drawn wider than the font has them: at eight pixels to the space the font's narrow
// flags close up into a blot, and a quaver's flag should reach 13 pixels right of its point.
constexpr double kFlagWidth = 1.35;

extern const Fonts* F;          // the fonts in use while glyphs are built
extern std::string* sources;    // when set, the font glyphs used are noted here

// Music font glyph by name: origin at (x, y); its ink box centred on cx; centred on (cx, cy).
QPainterPath music(const std::string& name, double x, double y, double size = 1.0);
QPainterPath musicCentredX(const std::string& name, double cx, double y, double size = 1.0);
QPainterPath musicCentred(const std::string& name, double cx, double cy, double size = 1.0);
// A row of music-font letters (dynamics), centred on (cx, cy).
Shape musicWord(const std::vector<std::string>& names, double cx, double cy);
// A line of text from a text font, ink box centred on (cx, cy); em is the size in cell units.
Shape text(const OutlineFont* font, const std::u32string& s, double em, double cx, double cy,
           const char* fontName);

QPainterPath dot(double cx, double cy); // augmentation or repeat dot
QPainterPath rect(double x0, double y0, double x1, double y1);
QPainterPath polygon(std::initializer_list<QPointF> pts);
QPainterPath stroke(QPointF a, QPointF b, double width);
QPainterPath ring(double cx, double cy, double r, double width);
Shape single(const QPainterPath& p);
Shape ruledSingle(const QPainterPath& p);

enum class Head { None, Black, Hollow, Whole, Breve, Cross, DiamondHalf, DiamondWhole };
enum class Stem { None, Up, Down };

struct NoteForm {
    Head head = Head::Black;
    Stem stem = Stem::None;
    int flags = 0;
    bool small = false;
    int strokes = 0;      // strokes across the stem (tremolo)
    bool slash = false;   // grace-note slash
    int code = -1;        // for fitting a long stem into the cell after the offset
};

// A note: head centred on the pitch (cell y -1), stem at column 5 (up) or -4 (down).
Shape noteShape(const NoteForm& n);
Shape noteOf(Head head, Stem stem, int flags, bool small, int code, int strokes = 0, bool slash = false);
Shape semibreveWithStrokes(bool above, int strokes, bool small = false);
// Rest by duration (0 breve .. 7 hemidemisemiquaver), drawn at a staff position.
Shape rest(int duration);

// A vertical stroke of DrawLine thickness t at x: it covers [x - t div 2, x + t - t div 2).
QPainterPath barStroke(double x, int t, double top = -16.5, double bottom = 16.5);
Shape repeatDots(double cx);

Shape timeFigure(const std::string& digits);
Shape figures(std::initializer_list<std::string> rows);
Shape arrow(bool up);
Shape metronomeEquals(Head head);

} // namespace pieces
