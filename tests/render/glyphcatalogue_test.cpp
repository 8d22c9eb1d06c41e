// The glyph catalogue's names and lookups, which every drawer and the layout rely on.

#include "render/glyphcatalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace qv {
namespace {

TEST(GlyphCatalogue, EveryCodeNamesOneBitmapInEachSet) {
    std::set<std::string> stems;
    for (int code = 0; code <= LastDrawnGlyph; ++code) {
        ASSERT_NE(GlyphStem(code), nullptr) << code;
        stems.insert(GlyphStem(code));
    }
    EXPECT_EQ(stems.size(), 230u) << "no two codes share a drawing";
    EXPECT_EQ(GlyphResourceName(3, false), "bmGCLEF");
    EXPECT_EQ(GlyphResourceName(3, true), "hbmGCLEF");
    // Spot checks across the list, where a slip would shift every later name.
    EXPECT_STREQ(GlyphStem(25), "4_");
    EXPECT_STREQ(GlyphStem(49), "0Z");
    EXPECT_STREQ(GlyphStem(103), "0X");
    EXPECT_STREQ(GlyphStem(156), "SEMIBREV");
    EXPECT_STREQ(GlyphStem(180), "horitwid");
    EXPECT_STREQ(GlyphStem(213), "dc");
    EXPECT_STREQ(GlyphStem(224), "dottedbarline");
    EXPECT_STREQ(GlyphStem(229), "2DX");
    for (int code : {230, 244, 245, 255, -1}) EXPECT_STREQ(GlyphStem(code), "NOTHING") << code;
}

TEST(GlyphCatalogue, PlacementCorrections) {
    EXPECT_EQ(GlyphOffset(0), (GlyphShift{0, 1}));
    EXPECT_EQ(GlyphOffset(34), (GlyphShift{1, -16}));
    EXPECT_EQ(GlyphOffset(114), (GlyphShift{0, 12}));
    EXPECT_EQ(GlyphOffset(179), (GlyphShift{6, -2}));
    EXPECT_EQ(GlyphOffset(25), (GlyphShift{0, 0}));
    EXPECT_EQ(GlyphOffset(244), (GlyphShift{0, 0}));
    EXPECT_EQ(GlyphHiResOffset(23), (GlyphShift{-1, 0}));
    EXPECT_EQ(GlyphHiResOffset(51), (GlyphShift{0, 4}));
    EXPECT_EQ(GlyphHiResOffset(24), (GlyphShift{0, 0}));
}

TEST(GlyphCatalogue, NoteGlyphsByDurationStemAndHead) {
    EXPECT_EQ(NoteGlyphTable(4, 0, 0), 28) << "quaver, stem up: the flag glyph (the head is drawn apart)";
    EXPECT_EQ(NoteGlyphTable(3, 1, 1), 58) << "small crotchet, stem down";
    EXPECT_EQ(NoteGlyphTable(2, 2, 4), 104) << "stemless minim with an X head is a diamond";
    EXPECT_EQ(NoteGlyphTable(7, 3, 1), 95);
    EXPECT_EQ(NoteGlyphTable(0, 1, 4), 103);
    EXPECT_EQ(NoteGlyphTable(1, 0, 2), 117);
    EXPECT_EQ(NoteGlyphTable(8, 0, 0), 230) << "a damaged duration draws nothing";
    EXPECT_EQ(NoteGlyphTable(3, 4, 0), 230);
    EXPECT_EQ(NoteGlyphTable(3, 0, 5), 230);
}

TEST(GlyphCatalogue, ClefsAndBarLines) {
    EXPECT_EQ(ClefGlyph(0, false), 3);
    EXPECT_EQ(ClefGlyph(0, true), 7);
    EXPECT_EQ(ClefGlyph(1, false), 2);
    EXPECT_EQ(ClefGlyph(2, true), 4);
    EXPECT_EQ(ClefGlyph(3, false), 1);
    const int expected[6] = {39, 40, 67, 68, 69, 41};
    for (int type = 0; type < 6; ++type) {
        EXPECT_EQ(BarlineGlyph(type, 7), expected[type]);
        EXPECT_EQ(BarlineGlyph(type | 0x80, 7), expected[type]) << "only the low seven bits count";
    }
    EXPECT_EQ(BarlineGlyph(6, 42), 42);
}

TEST(GlyphCatalogue, TextAccidentalsBySize) {
    EXPECT_EQ(AccidentalBitmapName(20, 141, false), "bmFLAT026");
    EXPECT_EQ(AccidentalBitmapName(19, 142, false), "bmNAT015");
    EXPECT_EQ(AccidentalBitmapName(7, 143, false), "bmSHARP006");
    EXPECT_EQ(AccidentalBitmapName(8, 143, false), "bmSHARP010");
    EXPECT_EQ(AccidentalBitmapName(35, 141, false), "bmFLAT032");
    EXPECT_EQ(AccidentalBitmapName(36, 141, false), "bmFLAT040");
    EXPECT_EQ(AccidentalBitmapName(45, 141, false), "bmFLAT050");
    EXPECT_EQ(AccidentalBitmapName(60, 141, true), "hbmFLAT026") << "three times 20 points";
    for (int size = 0; size < 100; ++size)
        EXPECT_EQ(AccidentalBitmapName(size, 141, false).find("020"), std::string::npos);
}

} // namespace
} // namespace qv
