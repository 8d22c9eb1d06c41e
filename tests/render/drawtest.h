#pragma once
// What the drawing tests and the golden pages share: objects, a recorded page, its pixels.

#include "render/drawcontext.h"
#include "support/scorebuilder.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

namespace qv::test {

using Calls = std::vector<std::string>;

// The recorded calls that start with `prefix`, in order.
inline Calls only(Calls calls, const std::string& prefix) {
    std::erase_if(calls, [&](const std::string& c) { return !c.starts_with(prefix); });
    return calls;
}
inline bool has(const Calls& calls, const std::string& call) { return std::ranges::count(calls, call) > 0; }
inline QRgb rgb(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

// The pixels of `rect` (all of them unless given) that are not white, or only those of colour `only`.
inline int inked(const QImage& image, QRect rect = {}, int only = -1) {
    if (rect.isNull()) rect = image.rect();
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            n += rgb(image, x, y) != 0xFFFFFF && (only < 0 || rgb(image, x, y) == QRgb(only));
    return n;
}

// A white screen page and print image of `width` x `height` page units whose drawing is recorded.
struct Recording {
    DrawContext dc;
    Calls calls;
    explicit Recording(int width = 300, int height = 200) {
        dc.newScreenPage(width, height), dc.newPrintPage(width, height), dc.record = &calls;
    }
};

inline ScoreObject makeGlyph(int x, int y, int code, ObjectKind kind = ObjectKind::Glyph) {
    ScoreObject o = makeObject(kind, x, y);
    return o.setSymbolCode(code), o;
}
inline ScoreObject makeKey(int x, int y, int count) {
    ScoreObject o = makeObject(ObjectKind::KeySignature, x, y);
    return o.setKeyCount(count), o;
}
inline ScoreObject makeBar(int x, int y, int type) {
    ScoreObject o = makeObject(ObjectKind::Barline, x, y);
    return o.setBarType(type), o;
}
inline ScoreObject makeLine(int x, int y, int dx, int dy, int thickness, int style = 0) {
    ScoreObject o = makeObject(ObjectKind::Line, x, y);
    return o.setLineDx(dx), o.setLineDy(dy), o.setLineThickness(thickness), o.setLineStyle(style), o;
}
inline ScoreObject makeHairpin(int x, int y, int dx, int dy, int thickness) {
    ScoreObject o = makeObject(ObjectKind::Hairpin, x, y);
    return o.setHairpinDx(dx), o.setHairpinDy(dy), o.setHairpinThickness(thickness), o;
}
inline ScoreObject makeShape(int type, int x, int y, int size1, int size2, bool filled, bool blanking = false) {
    ScoreObject o = makeObject(ObjectKind::Shape, x, y);
    o.setShapeType(type), o.setShapeSize1(size1), o.setShapeSize2(size2);
    return o.setShapeFilled(filled), o.setShapeBlanking(blanking), o;
}
// Appends a long text from (x, y) in chunks linked as an edit stores them; returns its head.
inline int appendLongText(Stave& s, int x, int y, int font, const std::string& text) {
    const int head = s.Nobjec + 1;
    for (std::size_t at = 0; at == 0 || at < text.size(); at += ChunkCapacity) {
        const int i = append(s, makeTextHead(at ? 0 : x, at ? 0 : y, font, text.substr(at, ChunkCapacity),
                                             at ? TextContinuation : 0));
        if (i > head) s.object(i - 1).setTextNext(i);
    }
    return head;
}
// Appends a curve through `points`, each point linked to its neighbours.
inline void appendCurve(Stave& s, std::initializer_list<QPoint> points, int thickness, bool dotted = false) {
    const int first = s.Nobjec + 1;
    for (const QPoint& p : points) {
        ScoreObject o = makeObject(ObjectKind::CurvePoint, p.x(), p.y());
        o.setCurveThickness(thickness), o.setCurveDotted(dotted), o.setCurvePrev(s.Nobjec < first ? 0 : s.Nobjec);
        const int i = append(s, o);
        if (i > first) s.object(i - 1).setCurveNext(i);
    }
}

} // namespace qv::test
