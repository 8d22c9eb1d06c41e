#pragma once
// What the drawing tests share: the calls a drawing records and looks at its pixels.

#include "render/drawcontext.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace qv::test {

using Calls = std::vector<std::string>;

// The recorded calls that start with `prefix`, in order.
inline Calls only(const Calls& calls, const std::string& prefix) {
    Calls out;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(out),
                 [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
    return out;
}

inline bool has(const Calls& calls, const std::string& call) {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

inline QRgb rgb(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

// The pixels of `rect` that are not white, or only those of colour `only`.
inline int inked(const QImage& image, QRect rect, int only = -1) {
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QRgb c = rgb(image, x, y);
            n += c != 0xFFFFFF && (only < 0 || c == static_cast<QRgb>(only));
        }
    return n;
}

// A white screen page and print image of `width` x `height` page units whose
// drawing is recorded.
struct Recording {
    DrawContext dc;
    Calls calls;
    explicit Recording(int width = 300, int height = 200) {
        dc.newScreenPage(width, height);
        dc.newPrintPage(width, height);
        dc.record = &calls;
    }
};

} // namespace qv::test
