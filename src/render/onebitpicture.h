#pragma once
// The print image at one bit a pixel, as printers and picture files take it: ink
// where a pixel is darker than mid grey (Qt's threshold conversion draws the same
// line), black first in the colours, which Qt's PDF writer and ours need to keep a
// picture at one bit. The page is drawn in pure black on white, so nothing is lost.

#include <QImage>

namespace qv {

QImage oneBitPicture(const QImage& printImage);

// The same for an RGB32 print image held nowhere else, which is left all white:
// the next page drawn on it needs no clearing, and reading and clearing the
// surface become one pass in which only the pixels with ink are written.
QImage takeOneBitPicture(QImage& printImage);

} // namespace qv
