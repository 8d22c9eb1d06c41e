#include "shell/contrast.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

// The sRGB channel made linear, then weighted as the eye weights red, green and blue.
double luminance(const QColor& c) {
    const auto linear = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor groundFor(const QColor& text) {
    const QColor black(Qt::black), white(Qt::white);
    return contrastRatio(text, black) > contrastRatio(text, white) ? black : white;
}

} // namespace qv
