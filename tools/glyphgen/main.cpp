// glyphgen: renders the glyph bitmaps of the catalogue from font outlines.
//
//   glyphgen [--out DIR] [--sheet PREFIX] [--staff PREFIX] [--list]
//
// Writes bm<stem>.png (41 x 64) and hbm<stem>.png (123 x 192) for every stem, the anchor mark
// and the sized text accidentals into DIR (default resources/glyphs).
// --sheet also writes contact sheets PREFIX-screen-N.png and PREFIX-hires-N.png: every glyph
// placed as the drawing code places it, on a faint stave through its point.
// --staff writes PREFIX-screen.png and PREFIX-hires.png: a short passage set as the drawers set it.
// --list prints each screen bitmap's ink box (left, right, top, bottom) and which font glyphs it
// is made from.

#include "catalogue.h"
#include "outline.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Cell sizes and where the reference point lies. DrawGlyph puts the bitmap's top-left corner
// at X - (w div 2 + 1), Y - h div 2: column 21, row 32 on the screen (41 x 64), column 62,
// row 96 in high resolution (123 x 192). A screen stave line through Y is drawn on pixel row
// Y - 1, a high-resolution one on rows 3Y - 1 and 3Y; the cell origin sits on those lines.
// On the screen thin strokes are traced with a pen a fraction of a pixel wide so they stay visible.
struct Geometry {
    int w, h;
    double ox, oy, k, threshold, pen;
};
constexpr Geometry kScreen{41, 64, 21.0, 31.5, 1.0, 0.5, 0.5};
constexpr Geometry kHires{123, 192, 62.0, 96.0, 3.0, 0.5, 0.0};

const char* kMusicFont = "/usr/share/lilypond/2.24.1/fonts/otf/emmentaler-20.otf";
const char* kLiberation = "/usr/share/fonts/truetype/liberation/";

// Inclusive extent of the black pixels: left, right, top, bottom (all -1 when blank).
struct InkBox {
    int left = -1, right = -1, top = -1, bottom = -1;
};

InkBox inkBox(const QImage& img)
{
    InkBox b;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelIndex(x, y) == 1) {
                if (b.left < 0 || x < b.left)
                    b.left = x;
                if (x > b.right)
                    b.right = x;
                if (b.top < 0)
                    b.top = y;
                b.bottom = y;
            }
    return b;
}

struct Rendered {
    std::string stem;
    int code = -1;
    int drawnBelow = 0;
    QImage screen, hires; // hires null for screen-only bitmaps
};

bool save(const QImage& img, const fs::path& file)
{
    if (!img.save(QString::fromStdString(file.string()), "PNG")) {
        std::cerr << "glyphgen: cannot write " << file << "\n";
        return false;
    }
    return true;
}

// Places one glyph bitmap as DrawGlyph does, at target (X, Y) on `page`.
void blit(QImage& page, const QImage& glyph, int X, int Y, QRgb ink)
{
    const int left = X - (glyph.width() / 2 + 1), top = Y - glyph.height() / 2;
    for (int y = 0; y < glyph.height(); ++y)
        for (int x = 0; x < glyph.width(); ++x)
            if (glyph.pixelIndex(x, y) == 1 && page.rect().contains(left + x, top + y))
                page.setPixel(left + x, top + y, ink);
}

void label(QImage& page, const OutlineFont& font, const std::string& s, int x, int y, double em)
{
    Shape shape;
    const double scale = em / font.unitsPerEm();
    double pen = 0;
    for (char c : s) {
        double adv = 0;
        shape.add(place(font.byChar(char32_t(c), &adv), pen * scale, 0, scale));
        pen += adv;
    }
    QImage img = rasterise(shape, int(pen * scale) + 2, int(em * 1.3), 1, em, 1, 0.5, nullptr);
    for (int yy = 0; yy < img.height(); ++yy)
        for (int xx = 0; xx < img.width(); ++xx)
            if (img.pixelIndex(xx, yy) == 1 && page.rect().contains(x + xx, y + yy))
                page.setPixel(x + xx, y + yy, qRgb(90, 90, 90));
}

// Contact sheets: cells of the given size, each with a stave whose middle line is Ycoord
// (page row 32 of the cell), the glyph drawn at (21, 32 + drawnBelow) plus its offsets.
void writeSheets(const std::vector<Rendered>& all, const std::string& prefix, bool hires, const OutlineFont& font)
{
    const int cols = 8, rows = 6, perSheet = cols * rows;
    const int k = hires ? 3 : 1;
    const int cw = 41 * k + 6, ch = 64 * k + 14 * (hires ? 2 : 1);
    const int zoom = hires ? 1 : 3;
    std::vector<const Rendered*> items;
    for (const auto& r : all)
        if (r.code >= 0)
            items.push_back(&r);
    for (size_t start = 0, n = 1; start < items.size(); start += perSheet, ++n) {
        QImage sheet(cols * cw, rows * ch, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        for (size_t i = start; i < std::min(items.size(), start + perSheet); ++i) {
            const Rendered& r = *items[i];
            const int cx = int((i - start) % cols) * cw + 3, cy = int((i - start) / cols) * ch;
            // stave lines
            for (int line = -2; line <= 2; ++line) {
                for (int x = 0; x < 41 * k; ++x) {
                    if (hires) {
                        sheet.setPixel(cx + x, cy + 3 * (32 + 8 * line) - 1, qRgb(150, 190, 255));
                        sheet.setPixel(cx + x, cy + 3 * (32 + 8 * line), qRgb(150, 190, 255));
                    } else {
                        sheet.setPixel(cx + x, cy + 32 + 8 * line - 1, qRgb(150, 190, 255));
                    }
                }
            }
            // the point's column
            for (int y = 0; y < 64 * k; y += 2)
                sheet.setPixel(cx + 21 * k, cy + y, qRgb(255, 170, 170));
            const Offset off = glyphOffset(r.code);
            QImage cell = sheet.copy(cx, cy, 41 * k, 64 * k);
            if (hires) {
                const Offset h = glyphHiResOffset(r.code);
                blit(cell, r.hires, 3 * (21 + off.dx) + h.dx, 3 * (32 + r.drawnBelow + off.dy) + h.dy, qRgb(0, 0, 0));
            } else {
                blit(cell, r.screen, 21 + off.dx, 32 + r.drawnBelow + off.dy, qRgb(0, 0, 0));
            }
            QPainter p(&sheet);
            p.drawImage(cx, cy, cell);
            p.end();
            label(sheet, font, std::to_string(r.code) + " " + r.stem, cx, cy + 64 * k, hires ? 18 : 9);
        }
        QImage out = sheet.scaled(sheet.width() * zoom, sheet.height() * zoom);
        save(out, prefix + (hires ? "-hires-" : "-screen-") + std::to_string(n) + ".png");
    }
}


// A short passage set the way the drawing code sets it (same placement rules, offsets and
// stave-line rows), on the screen and in high resolution, for looking at glyphs in context.
class Page {
public:
    Page(const std::vector<Rendered>& all, bool hires, int w, int h) : hires_(hires), img_(w * k(), h * k(), QImage::Format_RGB32)
    {
        img_.fill(Qt::white);
        for (const auto& r : all)
            if (r.code >= 0)
                byCode_[r.code] = &r;
    }
    int k() const { return hires_ ? 3 : 1; }
    void glyph(int code, int x, int y)
    {
        const Rendered* r = byCode_.at(code);
        const Offset o = glyphOffset(code);
        x += o.dx;
        y += o.dy;
        if (hires_) {
            const Offset h = glyphHiResOffset(code);
            blit(img_, r->hires, 3 * x + h.dx, 3 * y + h.dy, qRgb(0, 0, 0));
        } else {
            blit(img_, r->screen, x, y, qRgb(0, 0, 0));
        }
    }
    void fill(int x0, int y0, int x1, int y1) // page pixels of this image, inclusive
    {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (img_.rect().contains(x, y))
                    img_.setPixel(x, y, qRgb(0, 0, 0));
    }
    void staveLines(int Y, int L, int R)
    {
        for (int k8 = -16; k8 <= 16; k8 += 8) {
            if (hires_)
                fill(3 * L + 1, 3 * (Y + k8) - 1, 3 * R, 3 * (Y + k8));
            else
                fill(L, Y + k8 - 1, R, Y + k8 - 1);
        }
    }
    void ledger(int Y, int x, int hw, int step)
    {
        const int y = Y - 4 * step;
        if (hires_)
            fill(3 * (x - hw) + 1, 3 * y - 1, 3 * (x + hw + 1), 3 * y);
        else
            fill(x - hw, y, x + hw, y);
    }
    void stem(int x, int yTop, int yBottom, bool up) // a separate stem line, as the note drawer
    {
        if (hires_)
            fill(3 * x + (up ? 1 : 0) + 1, 3 * yTop, 3 * x + (up ? 1 : 0) + 2, 3 * yBottom);
        else
            fill(x, yTop, x, yBottom);
    }
    // A note at staff position step: head and stem as the note drawer chooses for the plain cases.
    void note(int Y, int x, int step, int code, int flagCode = -1, int dots = 0, int dotDistance = 1)
    {
        const int y = Y - 4 * step;
        glyph(code, x, y + 1);
        if (flagCode >= 0)
            glyph(flagCode, x, y + 1);
        for (int s = 6; s <= step; s += 2)
            ledger(Y, x, 8, s);
        for (int s = -6; s >= step; s -= 2)
            ledger(Y, x, 8, s);
        if (dots > 0)
            glyph(dots == 1 ? 37 : dots == 2 ? 38 : 179, x + dotDistance, (step % 2 != 0) ? y + 1 + 3 : y + 1 - 1);
    }
    QImage& image() { return img_; }

private:
    bool hires_;
    QImage img_;
    std::map<int, const Rendered*> byCode_;
};

void writeStaff(const std::vector<Rendered>& all, const std::string& prefix)
{
    for (bool hires : {false, true}) {
        Page p(all, hires, 640, 300);
        const int Y1 = 60, Y2 = 150, Y3 = 240;
        for (int Y : {Y1, Y2, Y3})
            p.staveLines(Y, 5, 635);
        // Treble stave: clef, three sharps, 4/4, notes of every kind.
        p.glyph(3, 20, Y1);
        int cx = 42;
        for (int step : {4, 1, 5}) {
            p.glyph(46, cx, Y1 - 4 * step);
            cx += 8;
        }
        p.glyph(12, 76, Y1);
        p.glyph(12, 76, Y1 + 16);
        p.note(Y1, 98, -4, 26);
        p.note(Y1, 116, 4, 27);
        p.note(Y1, 134, -2, 25, 28);
        p.note(Y1, 152, 3, 25, 31);
        p.note(Y1, 170, -3, 23, -1, 1, 1);
        p.note(Y1, 192, 2, 24, -1, 1, 1);
        p.note(Y1, 214, -1, 25, 32);
        p.note(Y1, 232, 5, 25, 35);
        p.note(Y1, 252, 0, 21, -1, 1, 7);
        p.note(Y1, 282, -2, 156, -1, 1, 2);
        p.glyph(39, 300, Y1);
        p.note(Y1, 316, -6, 26);
        p.note(Y1, 336, 7, 27);
        p.note(Y1, 356, -8, 25, 34);
        // accidentals before notes (free accidentals are drawn at x - 3)
        p.glyph(44, 372 - 3, Y1 - 4 * -1);
        p.note(Y1, 384, -1, 26);
        p.glyph(48, 398 - 3, Y1 - 4 * 0);
        p.note(Y1, 410, 0, 26);
        p.glyph(46, 424 - 3, Y1 - 4 * 3);
        p.note(Y1, 436, 3, 27);
        // staccato and accent below a stem-up note on a line, above a stem-down one in a space
        p.note(Y1, 458, -2, 26);
        p.glyph(71, 458 + 6, Y1 + 8 + 1 + 4);
        p.note(Y1, 478, 3, 27);
        p.glyph(72, 478 + 6, Y1 - 12 + 1);
        p.note(Y1, 498, -1, 26);
        p.glyph(77, 498, Y1 + 4 + 1);
        // cue notes and a grace note
        p.note(Y1, 520, -1, 57);
        p.note(Y1, 534, 1, 91);
        p.note(Y1, 550, 2, 60);
        p.glyph(68, 572, Y1);
        p.glyph(41, 620, Y1);

        // Bass stave: clef, four flats, 3/4, rests.
        p.glyph(2, 20, Y2);
        cx = 42;
        for (int step : {-2, 1, -3, 0}) {
            p.glyph(44, cx, Y2 - 4 * step);
            cx += 8;
        }
        p.glyph(11, 84, Y2);
        p.glyph(12, 84, Y2 + 16);
        p.glyph(67, 100, Y2);
        int x = 124;
        for (int code : {50, 49, 51, 52, 53, 54, 55, 56}) {
            p.glyph(code, x, Y2);
            x += 22;
        }
        p.glyph(52, x, Y2);
        p.glyph(37, x, Y2 - 1);
        x += 22;
        p.glyph(54, x, Y2);
        p.glyph(37, x + 4, Y2 - 9);
        p.glyph(40, 340, Y2);
        p.glyph(19, 360, Y2);
        p.glyph(20, 384, Y2);
        p.glyph(14, 408, Y2);
        p.glyph(16, 408, Y2 + 16);
        p.glyph(9, 428, Y2);
        p.glyph(10, 438, Y2);
        p.glyph(16, 433, Y2 + 16);
        p.note(Y2, 460, 0, 103);
        p.note(Y2, 480, -2, 105);
        p.note(Y2, 500, 2, 108);
        p.note(Y2, 520, 0, 85);
        p.note(Y2, 540, 0, 88);
        p.glyph(69, 566, Y2);
        p.glyph(137, 600, Y2);

        // Alto and tenor clefs, small clefs, dynamics and signs.
        p.glyph(0, 20, Y3);
        p.glyph(1, 48, Y3);
        p.glyph(4, 72, Y3);
        p.glyph(5, 90, Y3);
        p.glyph(6, 108, Y3);
        p.glyph(7, 126, Y3);
        p.glyph(42, 5, Y3);
        p.glyph(43, 5, Y3);
        x = 150;
        for (int code : {65, 115, 116, 158, 136, 164, 166, 138, 141, 143, 146, 147, 213, 214}) {
            p.glyph(code, x, Y3 - 28);
            x += 34;
        }
        x = 150;
        for (int code : {134, 135, 161, 162, 163, 181, 205, 212, 169, 172, 157, 180, 70}) {
            p.glyph(code, x, Y3 + 30);
            x += 34;
        }
        // An arpeggio of four segments (as the arpeggio drawer places them) and a wavy trill
        // line of three copies of horitwid repeated at its ink width (as symbols repeat).
        for (int k = 0; k < 4; ++k)
            p.glyph(157, 610 + 2, Y3 + 12 + 6 - 8 * k);
        const InkBox w = inkBox(all.at(180).screen);
        for (int k = 0; k < 3; ++k)
            p.glyph(180, 480 + k * (w.right - w.left), Y3 - 50);
        QImage out = hires ? p.image() : p.image().scaled(p.image().width() * 2, p.image().height() * 2);
        save(out, prefix + (hires ? "-hires.png" : "-screen.png"));
        // Close-ups: screen four times enlarged, high resolution as it is.
        const int z = hires ? 3 : 4, tw = 160 * p.k(), th = 100 * p.k();
        for (int ty = 0; ty < 3; ++ty)
            for (int tx = 0; tx < 4; ++tx)
                save(p.image().copy(tx * tw, ty * th, tw, th).scaled(tw * z / p.k(), th * z / p.k()),
                     prefix + (hires ? "-hires-zoom-" : "-zoom-") + std::to_string(ty) + std::to_string(tx) + ".png");
    }
}

} // namespace

int main(int argc, char** argv)
{
    fs::path outDir = "resources/glyphs";
    std::string sheet, staff;
    bool list = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--out" && i + 1 < argc)
            outDir = argv[++i];
        else if (a == "--sheet" && i + 1 < argc)
            sheet = argv[++i];
        else if (a == "--staff" && i + 1 < argc)
            staff = argv[++i];
        else if (a == "--list")
            list = true;
        else {
            std::cerr << "usage: glyphgen [--out DIR] [--sheet PREFIX] [--staff PREFIX] [--list]\n";
            return 2;
        }
    }

    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) {
        std::cerr << "glyphgen: cannot start FreeType\n";
        return 1;
    }
    const std::string lib_ = kLiberation;
    auto font = [&](const std::string& file) {
        auto f = std::make_unique<OutlineFont>(lib, file);
        if (!f->ok()) {
            std::cerr << "glyphgen: cannot open " << file
                      << " (install the Debian packages lilypond-fonts and fonts-liberation)\n";
            std::exit(1);
        }
        return f;
    };
    auto music = font(kMusicFont);
    auto serif = font(lib_ + "LiberationSerif-Regular.ttf");
    auto serifItalic = font(lib_ + "LiberationSerif-Italic.ttf");
    auto serifBoldItalic = font(lib_ + "LiberationSerif-BoldItalic.ttf");
    auto sans = font(lib_ + "LiberationSans-Regular.ttf");
    Fonts fonts{music.get(), serif.get(), serifItalic.get(), serifBoldItalic.get(), sans.get()};

    std::vector<GlyphDrawing> drawings;
    std::vector<FreeBitmap> free;
    try {
        drawings = buildCatalogue(fonts);
        free = buildFreeBitmaps(fonts);
    } catch (const std::exception& e) {
        std::cerr << "glyphgen: " << e.what() << "\n";
        return 1;
    }

    fs::create_directories(outDir);
    std::vector<Rendered> rendered;
    int problems = 0;
    std::vector<std::string> empty;
    for (const auto& g : drawings) {
        Rendered r;
        r.stem = g.stem;
        r.code = g.code;
        r.drawnBelow = g.drawnBelow;
        const Offset off = g.code >= 0 ? glyphOffset(g.code) : Offset{};
        const Offset hoff = g.code >= 0 ? glyphHiResOffset(g.code) : Offset{};
        bool clipS = false, clipH = false;
        r.screen = rasterise(g.shape.translated(-off.dx, -off.dy), kScreen.w, kScreen.h, kScreen.ox, kScreen.oy,
                             kScreen.k, kScreen.threshold, &clipS, g.screenPen ? kScreen.pen : 0.0);
        const Shape& hs = g.hiresShape.empty() ? g.shape : g.hiresShape;
        r.hires = rasterise(hs.translated(-off.dx - hoff.dx / 3.0, -off.dy - hoff.dy / 3.0), kHires.w, kHires.h,
                            kHires.ox, kHires.oy, kHires.k, kHires.threshold, &clipH, kHires.pen);
        if (clipS || clipH) {
            std::cerr << "glyphgen: " << g.stem << " does not fit its cell" << (clipS ? " (screen)" : "")
                      << (clipH ? " (high resolution)" : "") << "\n";
            ++problems;
        }
        if (!g.drawn && g.stem != "NOTHING")
            empty.push_back(g.stem);
        if (list) {
            const InkBox b = inkBox(r.screen);
            std::cout << (g.code >= 0 ? std::to_string(g.code) : "-") << "\t" << g.stem << "\tink " << b.left << " "
                      << b.right << " " << b.top << " " << b.bottom << "\t"
                      << (g.drawn ? g.source : std::string("(empty)")) << "\n";
        }
        rendered.push_back(std::move(r));
    }
    for (const auto& f : free) {
        Rendered r;
        r.stem = f.stem;
        r.screen = rasterise(f.shape, f.width, f.height, 0, 0, 1, kScreen.threshold, nullptr, kScreen.pen);
        if (!f.screenOnly)
            r.hires = rasterise(f.shape, 3 * f.width, 3 * f.height, 0, 0, 3, kHires.threshold, nullptr, kHires.pen);
        rendered.push_back(std::move(r));
    }

    // Checks the drawing code relies on: names resolve without regard to case, and the quaver
    // made of head 4_ and flag 8U covers columns 17 to 34 (its ink box in the glyph tables).
    {
        std::map<std::string, int> seen;
        for (const auto& r : rendered) {
            std::string lower = r.stem;
            for (auto& c : lower)
                c = char(std::tolower(static_cast<unsigned char>(c)));
            if (seen[lower]++ > 0) {
                std::cerr << "glyphgen: two bitmaps named " << r.stem << " (names are matched without case)\n";
                ++problems;
            }
        }
        // Crotchet stems end where the note drawer's own stem lines end (y - 27 up, y + 28 down,
        // the glyph drawn at y + 1) and stand in its columns (x + 5 up, x - 4 down); a bar line
        // covers the stave from its top line (row Y - 17) to its bottom line (row Y + 15).
        auto longestRun = [](const QImage& img, int col) {
            int best = 0, run = 0;
            for (int y = 0; y < img.height(); ++y) {
                run = img.pixelIndex(col, y) == 1 ? run + 1 : 0;
                best = std::max(best, run);
            }
            return best;
        };
        const InkBox up = inkBox(rendered.at(26).screen), down = inkBox(rendered.at(27).screen);
        const InkBox bar = inkBox(rendered.at(39).screen);
        if (up.top != 4 || longestRun(rendered.at(26).screen, 26) < 20 || down.bottom != 59 ||
            longestRun(rendered.at(27).screen, 17) < 20 || bar.top != 14 || bar.bottom != 46) {
            std::cerr << "glyphgen: crotchet stems or bar line out of place (4U top " << up.top << ", 4D bottom "
                      << down.bottom << ", bar rows " << bar.top << ".." << bar.bottom << ")\n";
            ++problems;
        }
        const InkBox head = inkBox(rendered.at(25).screen), flag = inkBox(rendered.at(28).screen);
        if (head.left != 17 || flag.right != 34) {
            std::cerr << "glyphgen: quaver 4_ + 8U covers columns " << head.left << " to " << flag.right
                      << ", expected 17 to 34\n";
            ++problems;
        }
    }

    // The build compiles in every PNG of the folder; no list of them is kept.
    for (const auto& r : rendered) {
        if (!save(r.screen, outDir / ("bm" + r.stem + ".png")))
            return 1;
        if (!r.hires.isNull() && !save(r.hires, outDir / ("hbm" + r.stem + ".png")))
            return 1;
    }

    if (!sheet.empty()) {
        writeSheets(rendered, sheet, false, *sans);
        writeSheets(rendered, sheet, true, *sans);
    }
    if (!staff.empty())
        writeStaff(rendered, staff);
    if (!empty.empty()) {
        std::cerr << "glyphgen: left empty:";
        for (const auto& s : empty)
            std::cerr << " " << s;
        std::cerr << "\n";
    }
    fonts = Fonts{};
    for (auto* f : {&music, &serif, &serifItalic, &serifBoldItalic, &sans})
        f->reset();
    FT_Done_FreeType(lib);
    return problems == 0 ? 0 : 1;
}
