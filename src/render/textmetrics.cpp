#include "render/textmetrics.h"

#include "model/bounds.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace qv {

int screenPixelSize(int points) { return std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))); }

namespace {

// The pixel size a font-table entry is drawn at: sizes past the font dialog's are
// drawn at its largest.
int drawnPixelSize(const FontDesc& f) {
    return screenPixelSize(std::clamp(f.size, 0, MaxFontPoints));
}

QFont screenFont(const FontDesc& f) {
    QFont font(QString::fromLatin1(f.name.c_str()));
    font.setPixelSize(drawnPixelSize(f));
    font.setBold(f.style & FontBold);
    font.setItalic(f.style & FontItalic);
    font.setUnderline(f.style & FontUnderline);
    font.setStrikeOut(f.style & FontStrikeOut);
    font.setHintingPreference(QFont::PreferFullHinting); // as the text is drawn
    return font;
}

int measureHeight(const FontDesc& f) {
    // Fonts need the GUI side of Qt; without it (a tool that never draws) the
    // usual proportion of a serif face stands in.
    if (!QGuiApplication::instance()) return static_cast<int>(std::lround(drawnPixelSize(f) * 1.15));
    return QFontMetrics(screenFont(f)).height();
}

} // namespace

int TextHeight(const FontDesc& font, const std::string& /*text*/) {
    using Key = std::tuple<std::string, int, int>;
    static std::map<Key, int> cache;
    const Key key{font.name, font.size, font.style};
    const auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    // A score has at most 255 fonts, but one file after another may bring new ones
    // for as long as the program runs.
    constexpr std::size_t MaxCached = 4096;
    if (cache.size() >= MaxCached) cache.clear();
    const int height = measureHeight(font);
    cache.emplace(key, height);
    return height;
}

} // namespace qv
