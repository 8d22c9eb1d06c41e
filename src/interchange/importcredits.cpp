#include "interchange/importcredits.h"

#include "model/pagegeometry.h"
#include "render/text.h"
#include "render/textmetrics.h"

#include <algorithm>

namespace qv {

namespace {

constexpr int TitlePoints = 20;
constexpr int SubtitlePoints = 14;
constexpr int ComposerPoints = 11;
constexpr int HeaderGap = 6; // page units below the last header text

std::string creditOf(const mx::Document& doc, const char* type) {
    for (const mx::Credit& c : doc.credits)
        if (c.type == type) return c.words;
    return {};
}

int pointsOf(const mx::Document& doc, const char* type, int fallback) {
    for (const mx::Credit& c : doc.credits)
        if (c.type == type && c.fontSize > 0) return std::clamp(c.fontSize, 6, 48);
    return fallback;
}

// Appends a universal long text with its chunks to the header/footer stave.
void addHeaderText(Stave& st, int x, int y, int font, const std::string& text) {
    const int chunks = 1 + (static_cast<int>(text.size()) - 1) / ChunkCapacity;
    if (text.empty() || st.Nobjec + chunks > MaxObjects) return;
    int previous = 0;
    for (int k = 0; k < chunks; ++k) {
        ScoreObject o = makeObject(ObjectKind::LongText, k == 0 ? x : 0, k == 0 ? y : 0);
        o.setFontNumber(font);
        o.setTextAttributes(TextUniversal | (k > 0 ? TextContinuation : 0));
        o.setChunkText(text.substr(static_cast<std::size_t>(k * ChunkCapacity), ChunkCapacity));
        st.object(++st.Nobjec) = o;
        if (previous) st.object(previous).setTextNext(st.Nobjec);
        previous = st.Nobjec;
    }
}

} // namespace

void placeCredits(Score& score, const mx::Document& doc, Ui& ui) {
    std::string title = creditOf(doc, "title");
    if (title.empty()) title = doc.title;
    const std::string subtitle = creditOf(doc, "subtitle");
    std::string composer = creditOf(doc, "composer");
    if (composer.empty()) composer = doc.composer;
    if (title.empty() && subtitle.empty() && composer.empty()) return;

    const int width = musicAreaWidth(score.page, score.StvSiz);
    Stave& st = score.stave(0);
    int y = 0;
    const auto place = [&](const std::string& text, FontDesc font, bool centred) {
        if (text.empty()) return;
        const int number = score.fonts.registerFont(font, ui);
        const int w = TextWidthSpecial(TextFont(font, 1), text);
        addHeaderText(st, centred ? std::max(0, (width - w) / 2) : std::max(0, width - w), y, number, text);
        y += TextHeight(font, text);
    };
    place(title, FontDesc{"Times New Roman", pointsOf(doc, "title", TitlePoints), FontBold, 0}, true);
    place(subtitle, FontDesc{"Times New Roman", pointsOf(doc, "subtitle", SubtitlePoints), 0, 0}, true);
    place(composer, FontDesc{"Times New Roman", pointsOf(doc, "composer", ComposerPoints), FontItalic, 0}, false);
    score.page.Header = fromPageUnits(y + HeaderGap, score.StvSiz);
}

} // namespace qv
