#include "render/headerfooter.h"

#include "model/pagegeometry.h"
#include "model/staveops.h"
#include "render/dispatch.h"
#include "render/primitives.h"

#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace qv {

namespace {

std::string cut(const QString& text, std::size_t most) {
    return text.toStdString().substr(0, most);
}
std::string cut(const std::string& text, std::size_t most) {
    return text.substr(0, most);
}

bool sameIgnoringCase(const std::string& a, const char* b) {
    return a.size() == 2 && std::toupper(static_cast<unsigned char>(a[0])) == b[0] &&
           std::toupper(static_cast<unsigned char>(a[1])) == b[1];
}

// Writes `text` into the chunk chain of the long text at `head`: the chunks it has
// are reused, further ones go into free slots after the stave's last object.
void rewriteLongText(Stave& st, int head, const std::string& text) {
    int index = head;
    std::size_t pos = 0;
    for (;;) {
        ScoreObject& chunk = st.object(index);
        chunk.setChunkText(text.substr(pos, ChunkCapacity));
        pos += ChunkCapacity;
        if (pos >= text.size()) {
            chunk.setTextNext(0);
            return;
        }
        int next = chunk.textNext();
        // Only a chunk of long text is written over; a link to anything else is
        // damage, and the text goes on in a chunk of its own.
        if (next <= 0 || next > st.Nobjec || !st.object(next).is(ObjectKind::LongText)) {
            if (st.Nobjec >= MaxObjects) return; // no room: the text is cut short
            next = ++st.Nobjec;
            ScoreObject extra = makeObject(ObjectKind::LongText);
            extra.setTextAttributes(chunk.textAttributes() | TextContinuation);
            st.object(next) = extra;
            chunk.setTextNext(next);
        }
        index = next;
    }
}

// Puts stave 0 back as it was however drawing ends.
class StaveRestorer {
  public:
    explicit StaveRestorer(Score& score) : score_(score), saved_(score.stave(0)) {}
    ~StaveRestorer() { score_.setStave(0, saved_); }
    StaveRestorer(const StaveRestorer&) = delete;
    StaveRestorer& operator=(const StaveRestorer&) = delete;

  private:
    Score& score_;
    Stave saved_;
};

const std::array<const char*, 6> GuideLines = {
    "This is the \"header/footer\" page. This area in grey is your music page.",
    "The small white area(s) at the top and bottom are your Header and Footer respectively.",
    "Enter Text or Lines into these areas and they will appear on every page printout.",
    "",
    "Enter Text Mode or Line Mode in the usual way, eg speedbutton or F9/F11.",
    "Move around this page in your usual way, eg grab-and-drop, or by scrollbar",
};

// The old platform's MulDiv(a, 3, 2): rounded, halves away from zero.
int oneAndAHalf(int a) {
    return (3 * a + (a >= 0 ? 1 : -1)) / 2;
}

// The painter draws in page units on whichever surface the screen is drawn.
void inPageUnits(QPainter& painter, const DrawContext& dc) {
    painter.translate(dc.origin());
    painter.scale(dc.scale(), dc.scale());
}

QFont guideFont(const QImage& image, int limit) {
    QFont font("Times New Roman");
    for (int points = 15; points > 1; --points) {
        font.setPointSize(points);
        if (QFontMetrics(font, &image).horizontalAdvance(GuideLines[1]) <= limit) break;
    }
    return font;
}

void drawGuideText(DrawContext& dc, int width, int headerBottom, int screenWidth) {
    const int limit = screenWidth > 0 ? std::min(width, screenWidth) : width;
    const QFont font = guideFont(dc.surface(), limit);
    const QFontMetrics metrics(font, &dc.surface());
    const int step = oneAndAHalf(metrics.height()); // the cell height of "M"
    QPainter painter(&dc.surface());
    inPageUnits(painter, dc);
    painter.setFont(font);
    painter.setPen(Qt::black);
    int y = headerBottom + 40;
    for (const char* line : GuideLines) {
        const int x = (width - metrics.horizontalAdvance(line)) / 2;
        // The old text output placed a line by the top of its cell, not its baseline.
        painter.drawText(x, y + metrics.ascent(), line);
        if (dc.record) dc.note("text \"" + std::string(line) + "\" at (" + std::to_string(x) + ", " + std::to_string(y) +
                ") size " + std::to_string(font.pointSize()));
        y += step;
    }
}

// The score file's full path: a name given relative to the working folder (as on
// the command line) is completed from it.
std::string fullPathOf(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path p(path);
    if (path.empty() || p.is_absolute() || !fs::exists(p, error)) return path;
    const fs::path full = fs::absolute(p, error).lexically_normal();
    return error ? path : full.string();
}

} // namespace

std::string fileNameOnly(const std::string& path) {
    const auto slash = path.find_last_of(":\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

HeaderFooterFields headerFooterFields(int page, const std::string& filePath, const QDateTime& now) {
    const QLocale locale;
    HeaderFooterFields f;
    f.page = cut(std::to_string(page), 5);
    f.fullPath = cut(fullPathOf(filePath), 144);
    f.name = cut(fileNameOnly(filePath), 32);
    f.longDate = cut(locale.toString(now.date(), QLocale::LongFormat), 32);
    f.shortDate = cut(locale.toString(now.date(), QLocale::ShortFormat), 16);
    f.time = cut(locale.toString(now.time(), QLocale::ShortFormat), 16);
    return f;
}

std::string substituteField(const std::string& text, const HeaderFooterFields& fields) {
    if (text == "@D") return fields.longDate;
    if (text == "@d") return fields.shortDate;
    if (sameIgnoringCase(text, "@P")) return fields.page;
    if (sameIgnoringCase(text, "@F")) return fields.fullPath;
    if (sameIgnoringCase(text, "@N")) return fields.name;
    if (sameIgnoringCase(text, "@T")) return fields.time;
    return text;
}

Stave withFieldsFilledIn(const Stave& stave0, const HeaderFooterFields& fields) {
    Stave filled = stave0;
    for (int i = 1; i <= stave0.Nobjec; ++i) {
        const ScoreObject& o = stave0.object(i);
        if (!o.is(ObjectKind::LongText) || o.isContinuation()) continue;
        const std::string text = longTextOf(stave0, i);
        const std::string value = substituteField(text, fields);
        if (value != text) rewriteLongText(filled, i, value);
    }
    return filled;
}

void DrawHeaderFooter(DrawContext& dc, Score& score, const HeaderFooterFields& fields) {
    if (!dc.onPaper()) return;
    const StaveRestorer restore(score);
    const int originY = dc.HiResOrigin.y();
    dc.HiResOrigin.setY(0);
    // Chunks added for long values are reached through their heads, not drawn alone.
    const int count = score.stave(0).Nobjec;
    score.setStave(0, withFieldsFilledIn(score.stave(0), fields));
    try {
        for (int i = 1; i <= count; ++i) {
            const ScoreObject& o = score.stave(0).object(i);
            if (o.is(ObjectKind::Line) || o.is(ObjectKind::LongText))
                DrawObject(dc, score, 0, i, 0x000000, false);
        }
    } catch (...) {
        dc.HiResOrigin.setY(originY);
        throw;
    }
    dc.HiResOrigin.setY(originY);
}

void DrawHeaderFooterScreenGuide(DrawContext& dc, const Score& score, int screenWidth) {
    const double s = pageUnitsPerInch(score.StvSiz);
    const PageData& p = score.page;
    const int headerBottom = roundHalfEven(p.Header * s);
    const int width = musicAreaWidth(p, score.StvSiz);
    const int footerTop = roundHalfEven((p.Length - p.TopM - p.BotM - p.Footer) * s);
    DrawLine(dc, 0, headerBottom, width, false, 0x0000FF, 1, headerBottom);
    {
        QPainter painter(&dc.surface());
        inPageUnits(painter, dc);
        painter.fillRect(QRect(QPoint(0, headerBottom + 1), QPoint(width, footerTop - 2)), toQColor(0xC0C0C0));
    }
    if (dc.record) dc.note("fill (0, " + std::to_string(headerBottom + 1) + ")-(" + std::to_string(width) + ", " +
            std::to_string(footerTop - 2) + ") colour C0C0C0");
    drawGuideText(dc, width, headerBottom, screenWidth);
}

} // namespace qv
