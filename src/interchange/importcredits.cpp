#include "interchange/importcredits.h"

#include "interchange/barlayout.h"
#include "interchange/importbuild.h"
#include "layout/staveextent.h"
#include "model/pagegeometry.h"
#include "model/staveops.h"
#include "render/text.h"
#include "render/textmetrics.h"

#include <algorithm>

namespace qv {

namespace {

constexpr int TitlePoints = 20;
constexpr int SubtitlePoints = 14;
constexpr int ComposerPoints = 11;
constexpr int HeaderGap = 6; // page units below the last header text
constexpr int TitleGap = 10; // page units between the title block and the music below it

struct Line {
    std::string text;
    FontDesc font;
    bool centred = true;
};

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

} // namespace

void placeCredits(Score& score, const mx::Document& doc, Ui& ui) {
    std::string title = creditOf(doc, "title");
    if (title.empty()) title = doc.title;
    std::string composer = creditOf(doc, "composer");
    if (composer.empty()) composer = doc.composer;
    const Line lines[] = {
        {title, FontDesc{"Times New Roman", pointsOf(doc, "title", TitlePoints), FontBold, 0}, true},
        {creditOf(doc, "subtitle"), FontDesc{"Times New Roman", pointsOf(doc, "subtitle", SubtitlePoints), 0, 0}, true},
        {composer, FontDesc{"Times New Roman", pointsOf(doc, "composer", ComposerPoints), FontItalic, 0}, false},
    };
    int chunks = 0, height = 0;
    for (const Line& line : lines) {
        if (line.text.empty()) continue;
        chunks += textObjects(line.text);
        height += TextHeight(line.font, line.text);
    }
    if (chunks == 0) return;

    // The title block belongs to the first page only, so it stands above the
    // first stave and moves with it (immobile, so respacing leaves it centred);
    // only a first stave too full to hold it sends it to the header, which
    // prints on every page.
    const int width = musicAreaWidth(score.page, score.StvSiz);
    const bool onFirstStave = score.Nstaves >= 1 && score.stave(1).Nobjec + chunks <= MaxObjects;
    int y = 0;
    if (onFirstStave) {
        // The music moves down to make room: page 1 keeps the staves where
        // they stand, so the title block takes the first stave's old top.
        StaveExtent(score, 1);
        y = score.stave(1).MinY;
        for (int s = 1; s <= score.Nstaves; ++s)
            ShiftStave(score, s, height + TitleGap);
    }
    Stave& st = score.stave(onFirstStave ? 1 : 0);
    for (const Line& line : lines) {
        if (line.text.empty()) continue;
        const int number = score.fonts.registerFont(line.font, ui);
        const int w = TextWidthSpecial(TextFont(line.font, 1), line.text);
        const int x = line.centred ? std::max(0, (width - w) / 2) : std::max(0, width - w);
        appendLongText(st, x, y, number, onFirstStave ? TextImmobile : TextUniversal, line.text);
        y += TextHeight(line.font, line.text);
    }
    if (onFirstStave)
        StaveExtent(score, 1);
    else
        score.page.Header = fromPageUnits(y + HeaderGap, score.StvSiz);
}

} // namespace qv
