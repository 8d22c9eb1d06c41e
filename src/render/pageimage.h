#pragma once
// One page drawn whole onto a fresh surface, as the command line renders it and as
// the checks of hostile files draw it: the screen page of the music area, and the
// print image with its header and footer.

#include "model/score.h"
#include "render/drawcontext.h"

#include <QDateTime>
#include <QImage>

#include <string>

namespace qv {

// The screen page: the music area, one pixel per page unit. The header/footer page
// also shows the header and footer strips above and below the music area.
QImage renderScreenPage(Score& score, int page);

// Where page position (0, 0), the music area's corner, lies on the print image:
// below the header zone.
QPoint printImageOrigin(const Score& score);

// The print image: the paper inside its margins and gutter at three pixels per page
// unit, the header zone above the music and the footer zone below it, with the
// fields of `filePath` at the time `clock` (now when invalid) and the blanking
// shapes drawn again over everything.
QImage renderPrintPage(Score& score, int page, const std::string& filePath, const QDateTime& clock = {});

// Print images of page after page drawn onto one surface kept between them: a long
// score costs one allocation of the print image, not one a page.
class PrintPageDrawer {
  public:
    // The print image, valid until the next page is drawn.
    const QImage& draw(Score& score, int page, const std::string& filePath, const QDateTime& clock = {});
    // Its one-bit picture (onebitpicture.h); the surface is left white, so the
    // next page is not cleared first.
    QImage drawOneBit(Score& score, int page, const std::string& filePath, const QDateTime& clock = {});

  private:
    void drawOn(Score& score, int page, const std::string& filePath, const QDateTime& clock);
    DrawContext dc_;
    bool white_ = false; // the kept surface is all white
};

} // namespace qv
