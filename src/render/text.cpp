#include "render/text.h"

#include "model/bounds.h"
#include "model/staveops.h"
#include "render/glyphcatalogue.h"
#include "render/glyphstore.h"
#include "render/primitives.h"
#include "render/stencils.h"
#include "render/textmetrics.h"

#include <QFontMetrics>

#include <algorithm>
#include <array>
#include <map>
#include <tuple>
#include <vector>

namespace qv {

namespace {

constexpr unsigned char Blank = 30, Flat = 141, Natural = 142, Sharp = 143;

// The most runs of set text kept: 6 MB, a few hundred texts of a page on paper.
constexpr std::size_t TextRunLimit = std::size_t(1) << 19;

bool isSpecial(unsigned char c) {
    return c == Blank || (c >= Flat && c <= Sharp);
}
bool isAccidental(unsigned char c) {
    return c >= Flat && c <= Sharp;
}

// Texts are stored in the Windows western code page; 0x80..0x9F differ from Latin-1.
QChar decode(unsigned char c) {
    static constexpr std::array<char16_t, 32> high{
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    return (c >= 0x80 && c < 0xA0) ? QChar(high[c - 0x80]) : QChar(c);
}

QString decode(const std::string& text) {
    QString s;
    for (char c : text)
        s += decode(static_cast<unsigned char>(c));
    return s;
}

// The measuring copy: every special character becomes "d".
QString measuringCopy(const std::string& text) {
    QString s;
    for (char c : text)
        s += isSpecial(static_cast<unsigned char>(c)) ? QChar('d') : decode(static_cast<unsigned char>(c));
    return s;
}

std::string describeText(const std::string& text) {
    std::string s;
    for (char ch : text) {
        switch (static_cast<unsigned char>(ch)) {
        case Blank:
            s += "<blank>";
            break;
        case Flat:
            s += "<flat>";
            break;
        case Natural:
            s += "<natural>";
            break;
        case Sharp:
            s += "<sharp>";
            break;
        default:
            s += ch;
        }
    }
    return s;
}

} // namespace

QFont TextFont(const FontDesc& f, int scale) {
    QFont font(QString::fromLatin1(f.name.c_str()));
    // A font table filled by other means than the font dialog may hold any size.
    const int points = std::clamp(f.size, 0, MaxFontPoints);
    font.setPixelSize(screenPixelSize(scale == 3 ? 3 * points - 2 : points));
    font.setBold(f.style & FontBold);
    font.setItalic(f.style & FontItalic);
    font.setUnderline(f.style & FontUnderline);
    font.setStrikeOut(f.style & FontStrikeOut);
    // The scratch bitmap is monochrome: every pixel is ink or not.
    font.setStyleStrategy(QFont::NoAntialias);
    // Monochrome glyphs land on whole pixels. Fitted to the pixel grid across as
    // well as down, every letter advances by whole pixels and is drawn to match;
    // otherwise each letter is rounded to its pixel on its own, and the gaps
    // between letters wander by a pixel or two ("All egretto").
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

int TextWidthSpecial(const QFont& font, const std::string& text) {
    return QFontMetrics(font).horizontalAdvance(measuringCopy(text));
}

namespace {

// Letters first..end-1 of a text: the ones that can show where a text runs far off
// its surface.
struct LetterRange {
    std::size_t first = 0;
    std::size_t end = 0;
};

LetterRange allLetters(const std::string& text) {
    return {0, text.size()};
}

// Draws the letters of `letters` as DrawTextSpecial draws the whole text.
void drawLetters(QPainter& painter, int x, int y, const std::string& text, LetterRange letters) {
    painter.setBackgroundMode(Qt::TransparentMode);
    const QFontMetrics metrics(painter.font());
    const int baseline = y + metrics.ascent();
    bool special = false;
    for (char c : text)
        special = special || isSpecial(static_cast<unsigned char>(c));
    if (!special) {
        painter.drawText(QPoint(x, baseline), decode(text)); // the painter leaves out what does not show
        return;
    }
    // Each run of ordinary characters in one piece where the measuring copy puts it,
    // so that it is spaced exactly as the text without special characters would be
    // and the accidentals stamped later line up with their cells.
    // A run is drawn from its beginning even where its first letters cannot show:
    // large glyphs are placed at fractions of a pixel along their run.
    const QString copy = measuringCopy(text);
    std::size_t from = letters.first;
    while (from > 0 && !isSpecial(static_cast<unsigned char>(text[from - 1]))) --from;
    for (std::size_t i = from; i < letters.end;) {
        if (isSpecial(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < letters.end && !isSpecial(static_cast<unsigned char>(text[end]))) ++end;
        const int at = x + metrics.horizontalAdvance(copy.left(static_cast<int>(i)));
        painter.drawText(QPoint(at, baseline), decode(text.substr(i, end - i)));
        i = end;
    }
}

} // namespace

void DrawTextSpecial(QPainter& painter, int x, int y, const std::string& text) {
    drawLetters(painter, x, y, text, allLetters(text));
}

namespace {

const GlyphStore& glyphsOf(const DrawContext& dc) {
    return dc.glyphs ? *dc.glyphs : GlyphStore::builtIn();
}

// ANDs a bitmap's ink into the scratch: its black pixels become ink.
void stamp(QImage& scratch, const GlyphBitmap& bitmap, int left, int top) {
    for (const GlyphBitmap::Run& run : bitmap.runs())
        for (int x = left + run.first; x < left + run.end; ++x)
            if (scratch.rect().contains(x, top + run.row)) scratch.setPixel(x, top + run.row, 0xFF000000);
}

// The inked rows and columns of a bitmap.
QRect inkRect(const GlyphBitmap& bitmap) {
    QRect ink;
    for (const GlyphBitmap::Run& run : bitmap.runs())
        ink |= QRect(run.first, run.row, run.end - run.first, 1);
    return ink;
}

// A sized accidental of a text: its bitmap and where the bitmap's top-left goes,
// from the text's top-left (the "M" margin included).
struct PlacedAccidental {
    std::string name;
    const GlyphBitmap* bitmap = nullptr;
    QPoint at;
};

const GlyphBitmap& accidentalBitmap(const DrawContext& dc, unsigned char c, const FontDesc& desc, int scale) {
    return glyphsOf(dc).find(AccidentalBitmapName(scale * desc.size, c, scale == 3));
}

// The row of the text's line where an accidental's ink starts. It stands on the
// line like a letter: a flat's bowl rests on the baseline; a sharp or natural is
// centred on the middle of the capitals, as beside the letter it follows.
int accidentalInkTop(const QFontMetrics& metrics, const QRect& ink, unsigned char c) {
    const int baseline = metrics.ascent();
    return c == Flat ? baseline - ink.height() : baseline - (metrics.capHeight() + ink.height() + 1) / 2;
}

// How far left of its cell an accidental's ink starts: over the blank the letter
// before it leaves at its right (its side bearing, which grows with the size), so
// that the sign follows the letter's ink by no more than a screen pixel (on paper,
// one of its pixels). Never right of the cell, so that the next letter keeps clear.
int closeUp(const QFontMetrics& metrics, const std::string& text, std::size_t i, int scale) {
    if (i == 0 || isSpecial(static_cast<unsigned char>(text[i - 1]))) return 0;
    const QChar before = decode(static_cast<unsigned char>(text[i - 1]));
    if (before.isSpace()) return 0;
    return std::max(0, metrics.rightBearing(before) - scale / 3);
}

// The accidentals among `letters`, set as a musician writes a chord name: the sign's
// ink starts at its cell (the width of "d"), drawn back over its letter's side
// bearing, and stands on the line as above.
// Placed by the ink of our bitmaps, so that it holds in every size band and on paper.
std::vector<PlacedAccidental> placeAccidentals(const DrawContext& dc, const QFont& font, const std::string& text,
                                               LetterRange letters, const FontDesc& desc, int scale, int mW) {
    const QFontMetrics metrics(font);
    const QString copy = measuringCopy(text);
    std::vector<PlacedAccidental> placed;
    for (std::size_t i = letters.first; i < letters.end; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!isAccidental(c)) continue;
        PlacedAccidental a;
        a.name = AccidentalBitmapName(scale * desc.size, c, scale == 3);
        a.bitmap = &glyphsOf(dc).find(a.name);
        const QRect ink = inkRect(*a.bitmap);
        if (ink.isEmpty()) continue;
        const int cell = mW + metrics.horizontalAdvance(copy.left(static_cast<int>(i)));
        a.at = QPoint(cell - closeUp(metrics, text, i, scale) - ink.left(), accidentalInkTop(metrics, ink, c) - ink.top());
        placed.push_back(a);
    }
    return placed;
}

// The rows the accidentals of a text reach above the top of its line and below its
// bottom: a sign drawn for the top of its size band can be taller than the line of a
// font at the bottom of the band, and the text's scratch grows so that none is cut.
std::pair<int, int> accidentalOverhang(const DrawContext& dc, const QFont& font, const std::string& text,
                                       const FontDesc& desc, int scale) {
    const QFontMetrics metrics(font);
    int above = 0, below = 0;
    for (const unsigned char c : {Flat, Natural, Sharp}) {
        if (text.find(static_cast<char>(c)) == std::string::npos) continue;
        const QRect ink = inkRect(accidentalBitmap(dc, c, desc, scale));
        if (ink.isEmpty()) continue;
        const int top = accidentalInkTop(metrics, ink, c);
        above = std::max(above, -top);
        below = std::max(below, top + ink.height() - metrics.height());
    }
    return {above, below};
}

// ANDs the accidentals into a scratch whose (0, 0) lies at `origin` of the set text.
// `record` lists each stamp when drawing is recorded.
void stampAccidentals(DrawContext& dc, QImage& scratch, QPoint origin, const std::vector<PlacedAccidental>& placed,
                      bool record) {
    for (const PlacedAccidental& a : placed) {
        if (record && dc.record)
            dc.note("accidental " + a.name + " at (" + std::to_string(a.at.x()) + ", " + std::to_string(a.at.y()) + ")");
        stamp(scratch, *a.bitmap, a.at.x() - origin.x(), a.at.y() - origin.y());
    }
}

// A text of up to this many pixels is set whole and kept, in bands of rows when it
// is larger than one scratch: a page's texts are drawn again and again. A larger one
// (a long text in a large font, wider than any page) is set anew each time it is
// drawn, and only where it meets the page.
constexpr qint64 WholeTextArea = 16 * ScratchBudget;

// A text set in its font: its ink, with the "M" wide margin left of it, or for a
// text too large to keep only its measures.
struct SetText {
    GlyphBitmap ink;
    int mW = 0;
    int above = 0;    // rows of accidentals above the top of the line
    QSize size;       // of the whole text, margins and accidentals included
    bool kept = true; // false: too large to keep, and `ink` is empty

    std::size_t cost() const { return ink.runs().size() + 1; }
};

// The text in black on transparent scratches, an "M" wide margin either side.
SetText setText(DrawContext& dc, const std::string& text, const FontDesc& desc, int scale) {
    const QFont font = TextFont(desc, scale);
    const QFontMetrics metrics(font);
    SetText set;
    set.mW = metrics.horizontalAdvance(QChar('M'));
    const int w = metrics.horizontalAdvance(QStringLiteral("M") + measuringCopy(text) + QStringLiteral("M"));
    // Plain names, not a structured binding: the bands below capture them.
    const std::pair<int, int> overhang = accidentalOverhang(dc, font, text, desc, scale);
    const int above = overhang.first, below = overhang.second;
    set.above = above;
    set.size = QSize(std::max(1, w), std::max(1, above + metrics.height() + below));
    set.kept = qint64(set.size.width()) * set.size.height() <= WholeTextArea;
    if (!set.kept) return set;
    const std::vector<PlacedAccidental> accidentals =
        placeAccidentals(dc, font, text, allLetters(text), desc, scale, set.mW);
    std::vector<GlyphBitmap::Run> runs;
    paintInBands(
        QRect(QPoint(0, -above), set.size),
        [&](QPainter& p) {
            p.setFont(font);
            p.setPen(Qt::black);
            DrawTextSpecial(p, set.mW, 0, text);
        },
        [&](QImage& band, QPoint at) {
            // Bands run the whole width: only the row tells them apart.
            stampAccidentals(dc, band, at, accidentals, at.y() == -above);
            const GlyphBitmap ink = GlyphBitmap::fromMask(band);
            for (GlyphBitmap::Run run : ink.runs()) {
                run.row += at.y() + above;
                runs.push_back(run);
            }
        });
    set.ink = GlyphBitmap(set.size.width(), set.size.height(), std::move(runs));
    return set;
}

// Setting text is the dear part of drawing a page, and a page shows the same texts
// every time it is drawn: they are kept once set. While drawing is recorded the
// text is set afresh so that every step is listed.
const SetText& cachedText(DrawContext& dc, const std::string& text, const FontDesc& desc, int scale) {
    using Key = std::tuple<const GlyphStore*, std::string, std::string, int, int, int>;
    static StencilCache<Key, SetText> cache(TextRunLimit);
    return cache.get(Key{&glyphsOf(dc), text, desc.name, desc.size, desc.style, scale},
                     [&] { return setText(dc, text, desc, scale); });
}

// The letters of a text set from x = `start` that can show on a target `width`
// pixels wide: those whose cells lie wholly outside it, by more than two "M"s (for
// overhangs and the stamped accidentals), are left out. Found by halving, so that
// a text of thousands of letters costs a few measures rather than one a letter.
LetterRange visibleLetters(const QFont& font, const std::string& text, int start, int width) {
    const QFontMetrics metrics(font);
    const QString copy = measuringCopy(text);
    const int n = static_cast<int>(copy.size());
    const int slack = 2 * metrics.horizontalAdvance(QChar('M'));
    // The first k in 0..n + 1 whose cell starts right of `limit`: cells start further
    // right the further on they are.
    const auto firstBeyond = [&](int limit) {
        int lo = 0, hi = n + 1;
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (mid <= n && metrics.horizontalAdvance(copy.left(mid)) <= limit)
                lo = mid + 1;
            else
                hi = mid;
        }
        return lo;
    };
    // The letter before the first that starts beyond the left edge may reach onto it.
    const int first = std::max(0, firstBeyond(-start - slack) - 1);
    const int end = std::min(n, firstBeyond(width - start + slack));
    return {static_cast<std::size_t>(first), static_cast<std::size_t>(std::max(first, end))};
}

// A text too large to keep is set again where it meets the target, a band of rows
// at a time, and only its letters that can show are set.
void drawInBands(DrawContext& dc, QImage& target, const std::string& text, const FontDesc& desc, int scale,
                 const SetText& set, QPoint at, ColourValue colour, PenMode mode) {
    const QFont font = TextFont(desc, scale);
    const LetterRange letters = visibleLetters(font, text, at.x() + set.mW, target.width());
    const std::vector<PlacedAccidental> accidentals = placeAccidentals(dc, font, text, letters, desc, scale, set.mW);
    const QPoint line = at + QPoint(0, set.above); // the top-left of the text's line
    paintInBands(
        QRect(at, set.size) & target.rect(),
        [&](QPainter& p) {
            p.setFont(font);
            p.setPen(Qt::black);
            drawLetters(p, line.x() + set.mW, line.y(), text, letters);
        },
        [&](QImage& band, QPoint bandAt) {
            stampAccidentals(dc, band, bandAt - line, accidentals, false);
            applyRuns(target, GlyphBitmap::fromMask(band), bandAt, colour, mode);
        });
}

void drawText(DrawContext& dc, const std::string& text, const FontDesc& desc, const std::string& fontLabel,
              bool xorMode, int scale, ColourValue colour, int y, int x) {
    if (dc.record) dc.note("text \"" + describeText(text) + "\" at (" + std::to_string(x) + ", " + std::to_string(y) + ") " +
            fontLabel + (scale == 3 ? " scale 3" : describeColour(xorMode, colour)));
    const SetText fresh = dc.record ? setText(dc, text, desc, scale) : SetText{};
    const SetText& set = dc.record ? fresh : cachedText(dc, text, desc, scale);
    // On paper the black ink is ANDed onto the page; a zoomed screen draws the
    // paper's letters in the screen's colours.
    QImage& target = scale == 3 ? dc.Printimage : dc.MainImage;
    const QPoint at = scale == 3 ? QPoint(3 * x, 3 * y) + dc.HiResOrigin - QPoint(set.mW, set.above)
                                 : QPoint(x, y) + dc.ScreenOrigin - QPoint(set.mW, set.above);
    const bool paper = scale == 3 && !dc.ZoomedScreen;
    const ColourValue ink = paper ? 0x000000 : colour;
    const PenMode mode = paper ? PenMode::Mask : (xorMode ? PenMode::NotXor : PenMode::Copy);
    if (set.kept)
        applyRuns(target, set.ink, at, ink, mode);
    else
        drawInBands(dc, target, text, desc, scale, set, at, ink, mode);
}

std::string fontLabel(int number) {
    return "font " + std::to_string(number);
}

} // namespace

void DrawText(DrawContext& dc, const std::string& text, const FontDesc& font, bool xorMode, int scale,
              ColourValue colour, int y, int x) {
    drawText(dc, text, font, "size " + std::to_string(font.size), xorMode, scale, colour, y, x);
}

void DrawShortText(DrawContext& dc, Score& score, int /*stave*/, const ScoreObject& text, ColourValue colour,
                   bool xorMode) {
    const int n = text.fontNumber();
    drawText(dc, text.shortText(), score.fonts.font(n), fontLabel(n), xorMode, dc.scale(), colour, text.y(),
             text.x());
}

namespace {

// Universal and non-printing texts show in their own colours where the text is
// drawn as it stands (in Ink, or in the universal text colour the header/footer
// page draws its stave in); a selection or rubber-band colour wins so that it shows.
ColourValue longTextColour(const DrawContext& dc, int attributes, ColourValue colour) {
    if (colour != dc.colours.Ink && colour != dc.colours.UniversalText) return colour;
    if (attributes & TextNonPrinting) return Lime;
    if (attributes & TextUniversal) return dc.colours.UniversalText;
    return colour;
}

// What the frame of a boxed text is measured by, in the screen font.
struct BoxMetrics {
    int space = 0; // width of " "
    int text = 0;  // TextWidthSpecial
    int height = 0;
};

BoxMetrics measureBox(const FontDesc& desc, const std::string& text) {
    const QFont font = TextFont(desc, 1);
    const QFontMetrics metrics(font);
    return {metrics.horizontalAdvance(QChar(' ')), TextWidthSpecial(font, text), metrics.height()};
}

// Measuring is as dear as setting the text, and the same boxes are drawn on every
// drawing of a page, so the measures are kept like the set texts.
const BoxMetrics& boxMetrics(const FontDesc& desc, const std::string& text) {
    using Key = std::tuple<std::string, std::string, int, int>;
    static std::map<Key, BoxMetrics> cache;
    constexpr std::size_t MaxCached = 1024;
    const Key key{text, desc.name, desc.size, desc.style};
    const auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    if (cache.size() >= MaxCached) cache.clear();
    return cache.emplace(key, measureBox(desc, text)).first->second;
}

// The frame of a boxed text, a space wide either side, measured in the screen font.
void drawBox(DrawContext& dc, const FontDesc& desc, const std::string& text, int x, int y, ColourValue colour,
             bool xorMode) {
    const BoxMetrics& m = boxMetrics(desc, text);
    DrawRectOutline(dc, x - m.space, y, x + m.text + m.space, y + m.height, xorMode, colour);
}

} // namespace

void DrawLongText(DrawContext& dc, Score& score, int stave, int index, ColourValue colour, bool xorMode) {
    const Stave& s = score.stave(stave);
    const ScoreObject& head = s.object(index);
    const int attributes = head.textAttributes();
    if (attributes & TextContinuation) return;
    if (dc.onPaper() && (attributes & TextNonPrinting)) return;
    const std::string text = longTextOf(s, index);
    const int n = head.fontNumber();
    const FontDesc& font = score.fonts.font(n);
    if (dc.onPaper()) {
        drawText(dc, text, font, fontLabel(n), false, 3, 0x000000, head.y(), head.x());
        if (attributes & TextBoxed) drawBox(dc, font, text, head.x(), head.y(), 0x000000, false);
        return;
    }
    colour = longTextColour(dc, attributes, colour);
    drawText(dc, text, font, fontLabel(n), xorMode, dc.scale(), colour, head.y(), head.x());
    if (attributes & TextBoxed) drawBox(dc, font, text, head.x(), head.y(), colour, xorMode);
}

} // namespace qv
