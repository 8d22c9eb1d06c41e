#pragma once
// The glyph bitmaps, found by resource name without regard to case. Each bitmap is
// decoded once, on first use, into runs of ink per row, so drawing a glyph is a few
// short loops and never decodes an image.

#include <QImage>

#include <array>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace qv {

class GlyphBitmap {
  public:
    struct Run {
        int row;
        int first; // first inked column
        int end;   // one past the last inked column
    };

    GlyphBitmap() = default;
    // Ink is every pixel darker than mid-grey.
    explicit GlyphBitmap(const QImage& image);
    // Runs found elsewhere, in row order, within a width x height cell.
    GlyphBitmap(int width, int height, std::vector<Run> runs);

    // Ink where the mask is not transparent (a text set on a transparent scratch).
    static GlyphBitmap fromMask(const QImage& argb);
    // Ink where the picture has exactly this colour (0xAARRGGBB).
    static GlyphBitmap fromColour(const QImage& argb, QRgb colour);

    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<Run>& runs() const { return runs_; }
    bool empty() const { return runs_.empty(); }
    // Each pixel as `factor` by `factor` pixels.
    GlyphBitmap magnified(int factor) const;

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Run> runs_;
};

class GlyphStore {
  public:
    // An empty store; bitmaps are added with insert (tests) or come from a folder.
    GlyphStore() = default;
    // The bitmaps compiled into the program, shared and read-only.
    static const GlyphStore& builtIn();
    // Every PNG in a folder (a resource folder such as ":/glyphs" or a real one).
    static std::unique_ptr<GlyphStore> fromFolder(const QString& folder);

    void insert(const std::string& name, const QImage& image);
    // The bitmap of that name; an empty 0 by 0 bitmap when there is none.
    const GlyphBitmap& find(const std::string& name) const;
    // The bitmap of a SymbolCode in the screen or the three-times set, without
    // building its name: the lookup on every glyph drawn.
    const GlyphBitmap& glyph(int code, bool highRes) const;
    std::size_t size() const { return bitmaps_.size(); }

  private:
    // A bitmap from a file is decoded on first use (a page needs a few dozen of
    // the five hundred, and the three-times ones are large); once only, whichever
    // thread asks first. One inserted has no file and is decoded already.
    struct Entry {
        QString file;
        mutable std::once_flag decoding;
        mutable GlyphBitmap bitmap;
        const GlyphBitmap& get() const;
    };
    void indexCodes();

    std::map<std::string, Entry> bitmaps_; // by lower-case name
    std::array<const Entry*, 256> screen_{};
    std::array<const Entry*, 256> highRes_{};
};

} // namespace qv
