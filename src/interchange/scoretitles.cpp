#include "interchange/scoretitles.h"

#include "model/pagegeometry.h"
#include "model/staveops.h"
#include "render/text.h"

#include <algorithm>
#include <cstdlib>

namespace qv {

namespace {

struct TopText {
    int stave = 0;
    int index = 0;
    std::string text;
    int left = 0, right = 0, y = 0; // page units of the music area, or of the header
    int size = 0;                   // points
    std::uint8_t style = 0;
};

// Where a text of the title block stands on the paper, in inches.
ExportCredit creditOf(const Score& score, const TopText& t, std::string type, bool right) {
    const double scale = score.StvSiz / 32;
    const double top = score.page.TopM + (t.stave == 0 ? 0 : score.page.Header);
    const double x = right ? t.right : (t.left + t.right) / 2.0;
    return {std::move(type),
            textToUtf8(t.text),
            right,
            score.page.LeftM + x * scale,
            top + t.y * scale,
            t.size,
            (t.style & FontBold) != 0,
            (t.style & FontItalic) != 0};
}

// The printing texts of stave s whose top lies above `limit`.
void collect(const Score& score, int s, int limit, std::vector<TopText>& out) {
    const Stave& stave = score.stave(s);
    for (int i = 1; i <= stave.Nobjec; ++i) {
        const ScoreObject& o = stave.object(i);
        std::string text;
        if (o.is(ObjectKind::ShortText)) {
            text = o.shortText();
        } else if (o.is(ObjectKind::LongText) && !o.isContinuation()) {
            const int bits = o.textAttributes();
            if (bits & (TextNonPrinting | TextTransposable)) continue;
            text = longTextOf(stave, i);
        } else {
            continue;
        }
        // Header fields ("@p", dates) are filled in per page: not a title.
        if (o.y() >= limit || text.find_first_not_of(' ') == std::string::npos ||
            text.find('@') != std::string::npos)
            continue;
        const FontDesc& font = score.fonts.font(std::clamp(o.fontNumber(), 1, MaxFonts));
        const int width = TextWidthSpecial(TextFont(font, 1), text);
        out.push_back({s, i, text, o.x(), o.x() + width, o.y(), font.size, font.style});
    }
}

} // namespace

ScoreTitles findTitles(const Score& score) {
    ScoreTitles titles;
    if (score.Nstaves < 1) return titles;
    std::vector<TopText> texts;
    collect(score, 1, score.stave(1).Ycoord - TitleBlockAbove, texts);
    const int headerHeight = static_cast<int>(toPageUnits(score.page.Header, score.StvSiz));
    collect(score, 0, headerHeight, texts);
    const int width = musicAreaWidth(score.page, score.StvSiz);
    const auto centred = [&](const TopText& t) { return std::abs((t.left + t.right) - width) <= width / 5; };
    const auto rightAligned = [&](const TopText& t) {
        return t.left >= width / 2 && t.right * 5 >= width * 4;
    };

    const TopText* title = nullptr;
    const TopText* composer = nullptr;
    for (const TopText& t : texts) {
        if (centred(t) && (!title || t.size > title->size || (t.size == title->size && t.y < title->y)))
            title = &t;
        if (rightAligned(t) && (!composer || t.y < composer->y)) composer = &t;
    }
    for (const TopText& t : texts) {
        const bool isTitle = &t == title, isComposer = &t == composer;
        if (isTitle)
            titles.title = textToUtf8(t.text);
        else if (isComposer)
            titles.composer = textToUtf8(t.text);
        else if (!centred(t) && !rightAligned(t))
            continue;
        titles.used.insert({t.stave, t.index});
        const ExportCredit credit = creditOf(score, t,
                                             isTitle      ? "title"
                                             : isComposer ? "composer"
                                                          : "",
                                             !isTitle && rightAligned(t));
        // Readers set each credit at its own anchor, so lines of one side would
        // overprint one another: the lines of one side are one credit, top first.
        const auto side =
            std::find_if(titles.credits.begin(), titles.credits.end(), [&](const ExportCredit& c) {
                return c.right == credit.right && c.type != "title" && !isTitle;
            });
        if (side == titles.credits.end()) {
            titles.credits.push_back(credit);
            continue;
        }
        const bool above = credit.y < side->y;
        side->text = above ? credit.text + "\n" + side->text : side->text + "\n" + credit.text;
        if (above) side->y = credit.y;
        if (!credit.type.empty()) side->type = credit.type;
    }
    std::sort(titles.credits.begin(), titles.credits.end(),
              [](const ExportCredit& a, const ExportCredit& b) { return a.y < b.y; });
    return titles;
}

} // namespace qv
