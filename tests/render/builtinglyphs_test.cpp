// The glyph bitmaps compiled into the program: every name of the catalogue in both
// sets at its size, and the placement the other drawers rely on.

#include "render/glyphcatalogue.h"
#include "render/glyphinkbox.h"
#include "render/glyphstore.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(BuiltInGlyphs, EveryCodeHasAScreenAndAThreeTimesBitmap) {
    const GlyphStore& store = GlyphStore::builtIn();
    for (int code = 0; code <= 230; ++code) {
        const GlyphBitmap& screen = store.find(GlyphResourceName(code, false));
        const GlyphBitmap& print = store.find(GlyphResourceName(code, true));
        ASSERT_EQ(screen.width(), 41) << GlyphResourceName(code, false);
        ASSERT_EQ(screen.height(), 64) << GlyphResourceName(code, false);
        ASSERT_EQ(print.width(), 123) << GlyphResourceName(code, true);
        ASSERT_EQ(print.height(), 192) << GlyphResourceName(code, true);
    }
    EXPECT_TRUE(store.find("bmNOTHING").empty());
    EXPECT_EQ(store.find("bmAnchor").width(), 12);
    EXPECT_EQ(store.find("BMANCHOR").height(), 12) << "names match whatever their case";
    for (const char* sign : {"FLAT", "NAT", "SHARP"})
        for (const char* size : {"006", "010", "015", "026", "032", "040", "050"}) {
            EXPECT_FALSE(store.find(std::string("bm") + sign + size).empty()) << sign << size;
            EXPECT_FALSE(store.find(std::string("hbm") + sign + size).empty()) << sign << size;
        }
}

TEST(BuiltInGlyphs, HeadsSitOnTheirPitchAndAQuaversBoxCoversItsHead) {
    const InkBox head = GlyphInkBox(25);
    // The head covers the reference point (column 21, row 32) of its cell.
    EXPECT_LE(head.left, 21);
    EXPECT_GE(head.right, 21);
    EXPECT_LE(head.top, 32);
    EXPECT_GE(head.bottom, 32);
    EXPECT_LE(head.bottom - head.top + 1, 9) << "a head fits in a stave space";
    const InkBox quaver = GlyphInkBox(28);
    EXPECT_EQ(quaver.left, 17);
    EXPECT_EQ(quaver.right, 34);
}

} // namespace
} // namespace qv
