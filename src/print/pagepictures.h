#pragma once
// Every page of a range as a PNG picture of its print image, one file a page:
// PREFIX-N.png for page N. The pictures are what the print run sends the printer,
// ink black on white, and each goes through writeFileSafely.

#include "print/printrun.h"

#include <string>

namespace qv {

class Ui;

// The file page `page` goes to: PREFIX-N.png.
std::string pagePictureName(const std::string& prefix, int page);

// Why writing the pictures stopped; `path` names the picture, `error` is the
// system's error code.
struct PagePicturesResult {
    bool ok = true;
    std::string path;
    int error = 0;
};

// Writes the pages of `range` from first towards last. The folder the prefix
// names is checked first, so a refused place costs no drawing and leaves nothing.
// No page is begun once a picture could not be written (the result names the
// first such in the range's order), nor after the page in progress when the
// progress window is aborted (ECANCELED, `path` the last picture written).
PagePicturesResult writePagePictures(const PrintSource& source, const PrintRequest& range,
                                     const std::string& prefix, Ui& ui);

} // namespace qv
