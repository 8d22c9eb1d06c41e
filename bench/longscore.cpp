#include "longscore.h"

#include "files/loader.h"
#include "layout/pagination.h"
#include "model/pagegeometry.h"

namespace bench {

namespace {

constexpr double Millimetre = 1.0 / 25.4;
constexpr int Systems = 127;

// Every position across the stave moves by the same factor, so the demo's bars
// fill the wider music area; heights stay as they were.
void spreadAcross(qv::Stave& stave, double factor) {
    const auto across = [factor](int x) { return int(x * factor + 0.5); };
    for (int i = 1; i <= stave.Nobjec; ++i) {
        qv::ScoreObject& o = stave.object(i);
        if (o.x() == 0 && o.y() == 0) continue; // text chunks and links have no position
        o.setX(across(o.x()));
    }
    stave.LeftX = across(stave.LeftX);
    stave.RightX = across(stave.RightX);
}

// The header/footer stave's texts: spread like the music, and what stood in the
// lower half of the demo's page kept as far from the bottom of the taller one.
void placeHeaderAndFooter(qv::Stave& stave, double factor, int oldHeight, int newHeight) {
    spreadAcross(stave, factor);
    for (int i = 1; i <= stave.Nobjec; ++i) {
        qv::ScoreObject& o = stave.object(i);
        if (o.y() > oldHeight / 2) o.setY(o.y() + newHeight - oldHeight);
    }
}

} // namespace

bool buildLongPianoScore(const std::string& demoPath, qv::Ui& ui, qv::Score& score) {
    qv::Score demo;
    if (!qv::loadScore(demoPath, {}, ui, demo) || !qv::loadScore(demoPath, {}, ui, score)) return false;
    const int demoWidth = qv::musicAreaWidth(demo.page, demo.StvSiz);
    score.page = qv::PageData{};
    score.page.Width = 210 * Millimetre;
    score.page.Length = 297 * Millimetre;
    score.page.TopM = score.page.BotM = score.page.LeftM = score.page.RightM = 15 * Millimetre;
    score.StvSiz = 7 * Millimetre;
    const double factor = double(qv::musicAreaWidth(score.page, score.StvSiz)) / demoWidth;
    placeHeaderAndFooter(score.stave(0), factor, qv::printedHeight(demo.page, demo.StvSiz),
                         qv::printedHeight(score.page, score.StvSiz));
    score.setStaveCount(2 * Systems);
    for (int s = 1; s <= 2 * Systems; ++s) {
        qv::Stave stave = demo.stave((s - 1) % demo.Nstaves + 1);
        stave.ForcedBk = false;
        spreadAcross(stave, factor);
        score.setStave(s, stave);
    }
    qv::PageState state;
    qv::repaginate(score, qv::musicAreaHeight(score.page, score.StvSiz), ui, state);
    return qv::pageCount(score) > 1;
}

} // namespace bench
