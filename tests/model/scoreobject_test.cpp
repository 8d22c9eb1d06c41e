// Byte layouts of the 20-byte object and the packed stave flags: files and undo
// records depend on these positions.

#include "model/scoreobject.h"
#include "model/stave.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(ScoreObject, CommonFieldsAreLittleEndianAtTheirBytes) {
    ScoreObject o;
    o.setX(-5);
    o.setY(0x1234);
    o.setSymbolCode(SymbolSelf);
    o.setKind(ObjectKind::Hairpin);
    EXPECT_EQ(o.bytes[0], 0xFB);
    EXPECT_EQ(o.bytes[1], 0xFF);
    EXPECT_EQ(o.bytes[2], 0x34);
    EXPECT_EQ(o.bytes[3], 0x12);
    EXPECT_EQ(o.bytes[4], 244);
    EXPECT_EQ(o.bytes[5], 17);
    EXPECT_EQ(o.x(), -5);
    EXPECT_EQ(o.y(), 0x1234);
}

TEST(ScoreObject, NoteFieldsUseBytesSixToNineteen) {
    ScoreObject n = makeObject(ObjectKind::Note);
    n.setDuration(4);
    n.setStaffPosition(-3);
    n.setDots(1);
    n.setStem(StemAuto);
    n.setBeamBack(7);
    n.setBeamForward(9);
    n.setAccent(true);
    n.setStaccato(2);
    n.setTiedFrom(11);
    n.setTiedTo(12);
    n.setTieOverhand(true);
    n.setHeadStyle(4);
    n.setStemExtra(-2);
    const std::array<std::uint8_t, 14> expected{4, 0xFD, 1, 3, 7, 9, 0, 1, 2, 11, 12, 1, 4, 0xFE};
    for (int i = 0; i < 14; ++i) EXPECT_EQ(n.bytes[6 + i], expected[i]) << "byte " << 6 + i;
    EXPECT_EQ(n.staffPosition(), -3);
    EXPECT_EQ(n.stemExtra(), -2);
    EXPECT_TRUE(n.isNote());
    n.setRest(true);
    EXPECT_FALSE(n.isNote());
}

TEST(ScoreObject, SixteenBitFieldsOfLinesCurvesSymbolsAndShapes) {
    ScoreObject line = makeObject(ObjectKind::Line);
    line.setLineDx(-300);
    line.setLineDy(513);
    EXPECT_EQ(getI16(&line.bytes[6]), -300);
    EXPECT_EQ(getI16(&line.bytes[8]), 513);

    ScoreObject curve = makeObject(ObjectKind::CurvePoint);
    curve.setCurveTop(-40);
    curve.setCurveBottom(90);
    curve.bytes[13] = 0x80;
    curve.setCurveDotted(true);
    EXPECT_EQ(curve.bytes[13], 0x81) << "the dotted bit leaves the other bits of byte 13 alone";
    EXPECT_EQ(getI16(&curve.bytes[9]), -40);
    EXPECT_EQ(getI16(&curve.bytes[11]), 90);

    ScoreObject symbol = makeObject(ObjectKind::Symbol);
    symbol.setRepeats(3);
    symbol.setStepDx(12);
    symbol.setStepDy(-1);
    EXPECT_EQ(symbol.bytes[7], 3);
    EXPECT_EQ(getI16(&symbol.bytes[8]), 12);
    EXPECT_EQ(getI16(&symbol.bytes[10]), -1);

    ScoreObject shape = makeObject(ObjectKind::Shape);
    shape.setShapeSize1(1000);
    shape.setShapeSize2(-7);
    EXPECT_EQ(getI16(&shape.bytes[9]), 1000);
    EXPECT_EQ(getI16(&shape.bytes[11]), -7);
}

TEST(ScoreObject, TextsAreLengthPrefixedAndClippedToTheirField) {
    ScoreObject t = makeObject(ObjectKind::ShortText);
    t.setShortText("Allegro molto vivace");
    EXPECT_EQ(t.shortText(), "Allegro molt");
    EXPECT_EQ(t.bytes[7], 12);

    t.setShortText("pp");
    EXPECT_EQ(t.bytes[7], 2);
    for (int i = 10; i < 20; ++i) EXPECT_EQ(t.bytes[i], 0) << "the rest of the field is zero-filled";

    ScoreObject chunk = makeObject(ObjectKind::LongText);
    chunk.setChunkText("0123456789ABC");
    EXPECT_EQ(chunk.chunkText(), "0123456789");
    // A damaged length byte never reads past the object.
    chunk.bytes[9] = 200;
    EXPECT_EQ(chunk.chunkText().size(), 10u);
}

TEST(Stave, BindingFlagsPackIntoCFlagAndBack) {
    for (int bits = 0; bits < 64; ++bits) {
        Stave s;
        s.setCFlag(static_cast<std::uint8_t>(bits));
        EXPECT_EQ(s.CFlag(), bits);
    }
    Stave s;
    s.setCFlag(CFlagBrace | CFlagJoinToNext);
    EXPECT_TRUE(s.brace);
    EXPECT_TRUE(s.joinToNext);
    EXPECT_FALSE(s.bracket);
    EXPECT_FALSE(s.fullEndBar);
}

} // namespace
} // namespace qv
