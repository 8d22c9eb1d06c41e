// glyphgen: renders the glyph bitmaps of the catalogue from font outlines.
//
//   glyphgen [--out DIR] [--sheet PREFIX] [--list]
//
// Writes bm<stem>.png (41 x 64) and hbm<stem>.png (123 x 192) for every stem, the anchor mark
// and the sized text accidentals, plus glyphs.qrc, into DIR (default resources/glyphs).
// --sheet also writes contact sheets PREFIX-screen-N.png and PREFIX-hires-N.png: every glyph
// placed as the drawing code places it, on a faint stave through its point.
// --list prints which font glyphs each bitmap is made from.

#include "catalogue.h"
#include "outline.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QString>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Cell sizes and where the reference point lies. DrawGlyph puts the bitmap's top-left corner
// at X - (w div 2 + 1), Y - h div 2: column 21, row 32 on the screen (41 x 64), column 62,
// row 96 in high resolution (123 x 192). A screen stave line through Y is drawn on pixel row
// Y - 1, a high-resolution one on rows 3Y - 1 and 3Y; the cell origin sits on those lines.
struct Geometry {
    int w, h;
    double ox, oy, k, threshold;
};
constexpr Geometry kScreen{41, 64, 21.0, 31.5, 1.0, 0.45};
constexpr Geometry kHires{123, 192, 62.0, 96.0, 3.0, 0.5};

const char* kMusicFont = "/usr/share/lilypond/2.24.1/fonts/otf/emmentaler-20.otf";
const char* kLiberation = "/usr/share/fonts/truetype/liberation/";

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

} // namespace

int main(int argc, char** argv)
{
    fs::path outDir = "resources/glyphs";
    std::string sheet;
    bool list = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--out" && i + 1 < argc)
            outDir = argv[++i];
        else if (a == "--sheet" && i + 1 < argc)
            sheet = argv[++i];
        else if (a == "--list")
            list = true;
        else {
            std::cerr << "usage: glyphgen [--out DIR] [--sheet PREFIX] [--list]\n";
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
    auto sansBold = font(lib_ + "LiberationSans-Bold.ttf");
    Fonts fonts{music.get(), serif.get(), serifItalic.get(), serifBoldItalic.get(), sans.get(), sansBold.get()};

    std::vector<GlyphSpec> specs;
    std::vector<FreeBitmap> free;
    try {
        specs = buildCatalogue(fonts);
        free = buildFreeBitmaps(fonts);
    } catch (const std::exception& e) {
        std::cerr << "glyphgen: " << e.what() << "\n";
        return 1;
    }

    fs::create_directories(outDir);
    std::vector<Rendered> rendered;
    int problems = 0;
    std::vector<std::string> empty;
    for (const auto& g : specs) {
        Rendered r;
        r.stem = g.stem;
        r.code = g.code;
        r.drawnBelow = g.drawnBelow;
        const Offset off = g.code >= 0 ? glyphOffset(g.code) : Offset{};
        const Offset hoff = g.code >= 0 ? glyphHiResOffset(g.code) : Offset{};
        bool clipS = false, clipH = false;
        r.screen = rasterise(g.shape.translated(-off.dx, -off.dy), kScreen.w, kScreen.h, kScreen.ox, kScreen.oy,
                             kScreen.k, kScreen.threshold, &clipS);
        const Shape& hs = g.hiresShape.empty() ? g.shape : g.hiresShape;
        r.hires = rasterise(hs.translated(-off.dx - hoff.dx / 3.0, -off.dy - hoff.dy / 3.0), kHires.w, kHires.h,
                            kHires.ox, kHires.oy, kHires.k, kHires.threshold, &clipH);
        if (clipS || clipH) {
            std::cerr << "glyphgen: " << g.stem << " does not fit its cell" << (clipS ? " (screen)" : "")
                      << (clipH ? " (high resolution)" : "") << "\n";
            ++problems;
        }
        if (!g.drawn && g.stem != "NOTHING")
            empty.push_back(g.stem);
        if (list)
            std::cout << (g.code >= 0 ? std::to_string(g.code) : "-") << "\t" << g.stem << "\t"
                      << (g.drawn ? g.source : std::string("(empty)")) << "\n";
        rendered.push_back(std::move(r));
    }
    for (const auto& f : free) {
        Rendered r;
        r.stem = f.stem;
        r.screen = rasterise(f.shape, f.width, f.height, 0, 0, 1, kScreen.threshold, nullptr);
        if (!f.screenOnly)
            r.hires = rasterise(f.shape, 3 * f.width, 3 * f.height, 0, 0, 3, kHires.threshold, nullptr);
        rendered.push_back(std::move(r));
    }

    std::ofstream qrc(outDir / "glyphs.qrc");
    qrc << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/glyphs\">\n";
    for (const auto& r : rendered) {
        const std::string s = "bm" + r.stem + ".png", h = "hbm" + r.stem + ".png";
        if (!save(r.screen, outDir / s))
            return 1;
        qrc << "  <file alias=\"bm" << r.stem << "\">" << s << "</file>\n";
        if (!r.hires.isNull()) {
            if (!save(r.hires, outDir / h))
                return 1;
            qrc << "  <file alias=\"hbm" << r.stem << "\">" << h << "</file>\n";
        }
    }
    qrc << "</qresource>\n</RCC>\n";

    if (!sheet.empty()) {
        writeSheets(rendered, sheet, false, *sans);
        writeSheets(rendered, sheet, true, *sans);
    }
    if (!empty.empty()) {
        std::cerr << "glyphgen: left empty:";
        for (const auto& s : empty)
            std::cerr << " " << s;
        std::cerr << "\n";
    }
    fonts = Fonts{};
    for (auto* f : {&music, &serif, &serifItalic, &serifBoldItalic, &sans, &sansBold})
        f->reset();
    FT_Done_FreeType(lib);
    return problems == 0 ? 0 : 1;
}
