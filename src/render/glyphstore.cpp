#include "render/glyphstore.h"

#include "render/glyphcatalogue.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cctype>
#include <utility>

namespace qv {

namespace {

std::string lowerCase(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

} // namespace

GlyphBitmap::GlyphBitmap(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    width_ = image.width();
    height_ = image.height();
    for (int y = 0; y < height_; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int x = 0;
        while (x < width_) {
            while (x < width_ && qGray(row[x]) >= 128) ++x;
            const int first = x;
            while (x < width_ && qGray(row[x]) < 128) ++x;
            if (x > first) runs_.push_back({y, first, x});
        }
    }
}

GlyphBitmap::GlyphBitmap(int width, int height, std::vector<Run> runs)
    : width_(width), height_(height), runs_(std::move(runs)) {}

GlyphBitmap GlyphBitmap::magnified(int factor) const {
    std::vector<Run> runs;
    runs.reserve(runs_.size() * static_cast<std::size_t>(factor));
    for (const Run& run : runs_)
        for (int k = 0; k < factor; ++k)
            runs.push_back({factor * run.row + k, factor * run.first, factor * run.end});
    // Runs stay in row order: a row's runs are followed by the next row's.
    std::stable_sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.row < b.row; });
    return GlyphBitmap(factor * width_, factor * height_, std::move(runs));
}

namespace {

// Runs of the pixels of an ARGB32 picture that `inked` accepts.
template <class Inked> std::vector<GlyphBitmap::Run> runsWhere(const QImage& picture, Inked inked) {
    std::vector<GlyphBitmap::Run> runs;
    for (int y = 0; y < picture.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        int x = 0;
        while (x < picture.width()) {
            while (x < picture.width() && !inked(row[x])) ++x;
            const int first = x;
            while (x < picture.width() && inked(row[x])) ++x;
            if (x > first) runs.push_back({y, first, x});
        }
    }
    return runs;
}

} // namespace

GlyphBitmap GlyphBitmap::fromMask(const QImage& argb) {
    const QImage mask = argb.convertToFormat(QImage::Format_ARGB32);
    return {mask.width(), mask.height(), runsWhere(mask, [](QRgb p) { return qAlpha(p) != 0; })};
}

GlyphBitmap GlyphBitmap::fromColour(const QImage& argb, QRgb colour) {
    const QImage picture = argb.convertToFormat(QImage::Format_ARGB32);
    return {picture.width(), picture.height(), runsWhere(picture, [colour](QRgb p) { return p == colour; })};
}

const GlyphStore& GlyphStore::builtIn() {
    static const std::unique_ptr<GlyphStore> store = fromFolder(QStringLiteral(":/glyphs"));
    return *store;
}

std::unique_ptr<GlyphStore> GlyphStore::fromFolder(const QString& folder) {
    auto store = std::make_unique<GlyphStore>();
    const QDir dir(folder);
    for (const QFileInfo& file : dir.entryInfoList({QStringLiteral("*.png")}, QDir::Files))
        store->bitmaps_[lowerCase(file.completeBaseName().toStdString())].file = file.filePath();
    store->indexCodes();
    return store;
}

const GlyphBitmap& GlyphStore::Entry::get() const {
    if (!file.isEmpty()) std::call_once(decoding, [this] { bitmap = GlyphBitmap(QImage(file)); });
    return bitmap;
}

void GlyphStore::insert(const std::string& name, const QImage& image) {
    const std::string key = lowerCase(name);
    bitmaps_.erase(key);
    bitmaps_[key].bitmap = GlyphBitmap(image);
    indexCodes();
}

void GlyphStore::indexCodes() {
    const auto entry = [this](const std::string& name) -> const Entry* {
        const auto it = bitmaps_.find(lowerCase(name));
        return it == bitmaps_.end() ? nullptr : &it->second;
    };
    for (int code = 0; code < 256; ++code) {
        screen_[static_cast<std::size_t>(code)] = entry(GlyphResourceName(code, false));
        highRes_[static_cast<std::size_t>(code)] = entry(GlyphResourceName(code, true));
    }
}

const GlyphBitmap& GlyphStore::glyph(int code, bool highRes) const {
    if (code < 0 || code > 255) code = 255; // the empty glyph
    const Entry* g = (highRes ? highRes_ : screen_)[static_cast<std::size_t>(code)];
    return g ? g->get() : find("");
}

const GlyphBitmap& GlyphStore::find(const std::string& name) const {
    static const GlyphBitmap none;
    const auto it = bitmaps_.find(lowerCase(name));
    return it == bitmaps_.end() ? none : it->second.get();
}

} // namespace qv
