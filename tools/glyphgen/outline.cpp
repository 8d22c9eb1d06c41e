#include "outline.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <QPainter>
#include <QPen>
#include <QTransform>

#include <stdexcept>

namespace {

struct Walker {
    QPainterPath path;
};

int moveTo(const FT_Vector* to, void* user)
{
    auto* w = static_cast<Walker*>(user);
    w->path.closeSubpath();
    w->path.moveTo(to->x, to->y);
    return 0;
}

int lineTo(const FT_Vector* to, void* user)
{
    static_cast<Walker*>(user)->path.lineTo(to->x, to->y);
    return 0;
}

int conicTo(const FT_Vector* c, const FT_Vector* to, void* user)
{
    static_cast<Walker*>(user)->path.quadTo(c->x, c->y, to->x, to->y);
    return 0;
}

int cubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user)
{
    static_cast<Walker*>(user)->path.cubicTo(c1->x, c1->y, c2->x, c2->y, to->x, to->y);
    return 0;
}

} // namespace

OutlineFont::OutlineFont(FT_LibraryRec_* lib, const std::string& file) : file_(file)
{
    FT_Face face = nullptr;
    if (FT_New_Face(lib, file.c_str(), 0, &face) == 0)
        face_ = face;
}

OutlineFont::~OutlineFont()
{
    if (face_)
        FT_Done_Face(face_);
}

int OutlineFont::unitsPerEm() const { return face_->units_per_EM; }

QPainterPath OutlineFont::load(unsigned index, double* advance) const
{
    if (FT_Load_Glyph(face_, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0)
        throw std::runtime_error(file_ + ": cannot load glyph " + std::to_string(index));
    if (advance)
        *advance = double(face_->glyph->metrics.horiAdvance);
    Walker w;
    FT_Outline_Funcs funcs{moveTo, lineTo, conicTo, cubicTo, 0, 0};
    FT_Outline_Decompose(&face_->glyph->outline, &funcs, &w);
    w.path.closeSubpath();
    w.path.setFillRule(Qt::WindingFill);
    return w.path;
}

QPainterPath OutlineFont::byName(const std::string& name, double* advance) const
{
    FT_UInt index = FT_Get_Name_Index(face_, name.c_str());
    if (index == 0)
        throw std::runtime_error(file_ + ": no glyph named " + name);
    return load(index, advance);
}

QPainterPath OutlineFont::byChar(char32_t ch, double* advance) const
{
    FT_UInt index = FT_Get_Char_Index(face_, FT_ULong(ch));
    if (index == 0)
        throw std::runtime_error(file_ + ": no glyph for character " + std::to_string(unsigned(ch)));
    return load(index, advance);
}

double OutlineFont::kerning(char32_t left, char32_t right) const
{
    if (!FT_HAS_KERNING(face_))
        return 0;
    FT_Vector k{};
    FT_Get_Kerning(face_, FT_Get_Char_Index(face_, left), FT_Get_Char_Index(face_, right),
                   FT_KERNING_UNSCALED, &k);
    return double(k.x);
}

QRectF Shape::bounds() const
{
    QRectF r;
    for (const auto& p : parts)
        r = r.isNull() ? p.boundingRect() : r.united(p.boundingRect());
    return r;
}

Shape Shape::translated(double dx, double dy) const
{
    Shape s;
    for (size_t i = 0; i < parts.size(); ++i)
        s.add(parts[i].translated(dx, dy), ruled[i]);
    return s;
}

QPainterPath place(const QPainterPath& fontPath, double x, double y, double scale)
{
    QTransform t(scale, 0, 0, -scale, x, y);
    QPainterPath p = t.map(fontPath);
    p.setFillRule(Qt::WindingFill);
    return p;
}

QImage rasterise(const Shape& shape, int w, int h, double ox, double oy, double k, double threshold,
                 bool* clipped, double outlinePen)
{
    // Draw with a margin so that ink outside the cell can be noticed.
    const int m = 64;
    QImage grey(w + 2 * m, h + 2 * m, QImage::Format_ARGB32_Premultiplied);
    grey.fill(Qt::white);
    {
        QPainter p(&grey);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.translate(ox + m, oy + m);
        p.scale(k, k);
        const QPen pen(Qt::black, outlinePen / k, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setBrush(Qt::black);
        for (size_t i = 0; i < shape.parts.size(); ++i) {
            if (outlinePen > 0 && !shape.ruled[i])
                p.setPen(pen);
            else
                p.setPen(Qt::NoPen);
            p.drawPath(shape.parts[i]);
        }
    }
    QImage mono(w, h, QImage::Format_Mono);
    mono.setColorCount(2);
    mono.setColor(0, qRgb(255, 255, 255));
    mono.setColor(1, qRgb(0, 0, 0));
    mono.fill(0);
    const int limit = int((1.0 - threshold) * 255.0 + 0.5);
    bool outside = false;
    for (int y = 0; y < grey.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(grey.constScanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            if (qRed(row[x]) > limit)
                continue;
            const int cx = x - m, cy = y - m;
            if (cx < 0 || cy < 0 || cx >= w || cy >= h)
                outside = true;
            else
                mono.setPixel(cx, cy, 1);
        }
    }
    if (clipped)
        *clipped = outside;
    return mono;
}
