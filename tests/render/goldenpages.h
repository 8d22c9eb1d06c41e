#pragma once
// Pages built in code whose drawings are kept as approved images in
// tests/data/golden: the dense benchmark page and a page of hand-built edge cases,
// each on the screen and on paper. `render-goldens` writes them (./qv goldens) and
// the golden test compares its output with the approved images.

#include <QImage>

#include <string>
#include <vector>

namespace qv::test {

struct GoldenPage {
    std::string name; // file name in tests/data/golden
    bool print = false;
};

// Every page the tool writes, in a fixed order.
std::vector<GoldenPage> builtGoldenPages();

// The drawing of one of them: the screen page, or the three-times print image with
// the blanking shapes drawn again last, as printing does.
QImage renderGoldenPage(const GoldenPage& page);

} // namespace qv::test
