#include "render/pageimage.h"

#include "model/pagegeometry.h"
#include "render/onebitpicture.h"
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
    drawOn(score, page, filePath, clock);
    white_ = false;
    return dc_.Printimage;
}

QImage PrintPageDrawer::drawOneBit(Score& score, int page, const std::string& filePath, const QDateTime& clock) {
    drawOn(score, page, filePath, clock);
    QImage picture = takeOneBitPicture(dc_.Printimage);
    white_ = true;
    return picture;
}

void PrintPageDrawer::drawOn(Score& score, int page, const std::string& filePath, const QDateTime& clock) {
    const PageData& p = score.page;
    dc_.HighResMode = true;
    // A surface made afresh is white; one kept is white after drawOneBit and is
    // otherwise cleared by DrawPage.
    const bool made = dc_.keepPrintPage(musicAreaWidth(p, score.StvSiz), printedHeight(p, score.StvSiz));
    dc_.HiResOrigin = printImageOrigin(score);
    PageOptions options;
    options.surfaceWhite = white_ || made;
    options.filePath = filePath;
    options.clock = clock;
    white_ = false; // until the page is read off again: a drawer that throws leaves ink
    DrawPage(dc_, score, page, options);
    DrawBlankingShapes(dc_, score, page);
}

} // namespace qv
