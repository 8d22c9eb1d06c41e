#pragma once
// Glyph outlines from font files (FreeType), turned into Qt painter paths, and the
// monochrome rasteriser that every bitmap goes through.

#include <QImage>
#include <QPainterPath>
#include <QRectF>

#include <string>
#include <vector>

struct FT_LibraryRec_;
struct FT_FaceRec_;

// One font file. Paths come back in font units, y up, origin at the glyph origin.
class OutlineFont {
public:
    OutlineFont(FT_LibraryRec_* lib, const std::string& file);
    ~OutlineFont();
    OutlineFont(const OutlineFont&) = delete;
    OutlineFont& operator=(const OutlineFont&) = delete;

    bool ok() const { return face_ != nullptr; }
    int unitsPerEm() const;
    // By PostScript glyph name (music font) or by character code (text fonts).
    // Throws std::runtime_error when the font has no such glyph.
    QPainterPath byName(const std::string& name, double* advance = nullptr) const;
    QPainterPath byChar(char32_t ch, double* advance = nullptr) const;
    double kerning(char32_t left, char32_t right) const;

private:
    QPainterPath load(unsigned index, double* advance) const;
    FT_FaceRec_* face_ = nullptr;
    std::string file_;
};

// A drawing in "cell units": screen pixels, x to the right, y downward, origin at
// the reference point of the glyph (see main.cpp for how that maps to pixels).
// Each part is filled on its own, so outlines from different fonts may overlap.
struct Shape {
    std::vector<QPainterPath> parts;
    std::vector<bool> ruled; // true: a ruled stroke (stem, bar line), never thickened

    void add(const QPainterPath& p, bool isRuled = false)
    {
        parts.push_back(p);
        ruled.push_back(isRuled);
    }
    void addRuled(const QPainterPath& p) { add(p, true); }
    void add(const Shape& s)
    {
        parts.insert(parts.end(), s.parts.begin(), s.parts.end());
        ruled.insert(ruled.end(), s.ruled.begin(), s.ruled.end());
    }
    QRectF bounds() const;
    Shape translated(double dx, double dy) const;
    bool empty() const { return parts.empty(); }
};

// Font-unit path (y up) to cell units: origin at (x, y), `scale` cell units per font unit.
QPainterPath place(const QPainterPath& fontPath, double x, double y, double scale);

// Fill `shape` into a white w x h one-bit image: cell point (0, 0) lands on pixel
// position (ox, oy) (pixel corners are integers), cell units are multiplied by k.
// A pixel is black when at least `threshold` of it is covered.
// `clipped` is set when ink falls outside the image. With outlinePen > 0 every outline is
// also traced with a pen that many pixels wide, so hairlines survive at small sizes.
QImage rasterise(const Shape& shape, int w, int h, double ox, double oy, double k, double threshold,
                 bool* clipped, double outlinePen = 0);
