#include "render/pageimage.h"

#include "model/pagegeometry.h"
#include "render/page.h"

namespace qv {

QImage renderScreenPage(Score& score, int page) {
    DrawContext dc;
    const PageData& p = score.page;
    const int height = page == 0 ? printedHeight(p, score.StvSiz) : musicAreaHeight(p, score.StvSiz);
    dc.newScreenPage(musicAreaWidth(p, score.StvSiz), height);
    DrawPage(dc, score, page);
    return dc.MainImage;
}

QPoint printImageOrigin(const Score& score) {
    return QPoint(0, 3 * roundHalfEven(score.page.Header * pageUnitsPerInch(score.StvSiz)));
}

QImage renderPrintPage(Score& score, int page, const std::string& filePath, const QDateTime& clock) {
    PrintPageDrawer drawer;
    return drawer.draw(score, page, filePath, clock);
}

const QImage& PrintPageDrawer::draw(Score& score, int page, const std::string& filePath, const QDateTime& clock) {
    const PageData& p = score.page;
    dc_.HighResMode = true;
    // DrawPage clears the surface first, so the one kept needs no clearing here.
    dc_.keepPrintPage(musicAreaWidth(p, score.StvSiz), printedHeight(p, score.StvSiz));
    dc_.HiResOrigin = printImageOrigin(score);
    PageOptions options;
    options.filePath = filePath;
    options.clock = clock;
    DrawPage(dc_, score, page, options);
    DrawBlankingShapes(dc_, score, page);
    return dc_.Printimage;
}

} // namespace qv
