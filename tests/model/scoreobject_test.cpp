// Byte layouts of the 20-byte object and the packed stave flags: files and undo
// records depend on these positions.

#include "model/scoreobject.h"
#include "model/stave.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// Every field lands little-endian at its bytes and nowhere else, and reads back.
TEST(ScoreObject, EveryFieldHasItsOwnBytes) {
    using O = ScoreObject;
    struct Field {
        const char* name;
        void (O::*set)(int);
        int (O::*get)() const;
        int at, width, value;
    };
    const Field fields[] = {
        {"x", &O::setX, &O::x, 0, 2, -5},
        {"y", &O::setY, &O::y, 2, 2, 0x1234},
        {"symbol", &O::setSymbolCode, &O::symbolCode, 4, 1, 244},
        {"duration", &O::setDuration, &O::duration, 6, 1, 4},
        {"staff position", &O::setStaffPosition, &O::staffPosition, 7, 1, -3},
        {"dots", &O::setDots, &O::dots, 8, 1, 1},
        {"stem", &O::setStem, &O::stem, 9, 1, 3},
        {"beam back", &O::setBeamBack, &O::beamBack, 10, 1, 7},
        {"beam forward", &O::setBeamForward, &O::beamForward, 11, 1, 9},
        {"staccato", &O::setStaccato, &O::staccato, 14, 1, 2},
        {"tied from", &O::setTiedFrom, &O::tiedFrom, 15, 1, 11},
        {"tied to", &O::setTiedTo, &O::tiedTo, 16, 1, 12},
        {"head style", &O::setHeadStyle, &O::headStyle, 18, 1, 4},
        {"stem extra", &O::setStemExtra, &O::stemExtra, 19, 1, -2},
        {"clef type", &O::setClefType, &O::clefType, 6, 1, 2},
        {"key count", &O::setKeyCount, &O::keyCount, 6, 1, -3},
        {"accidental position", &O::setAccPosition, &O::accPosition, 6, 1, -4},
        {"accidental value", &O::setAccValue, &O::accValue, 7, 1, -2},
        {"font", &O::setFontNumber, &O::fontNumber, 6, 1, 5},
        {"tie first", &O::setTieFirst, &O::tieFirst, 6, 1, 8},
        {"tie second", &O::setTieSecond, &O::tieSecond, 7, 1, 9},
        {"line dx", &O::setLineDx, &O::lineDx, 6, 2, -300},
        {"line dy", &O::setLineDy, &O::lineDy, 8, 2, 513},
        {"line thickness", &O::setLineThickness, &O::lineThickness, 10, 1, 3},
        {"line style", &O::setLineStyle, &O::lineStyle, 11, 1, 2},
        {"curve thickness", &O::setCurveThickness, &O::curveThickness, 6, 1, 2},
        {"curve next", &O::setCurveNext, &O::curveNext, 7, 1, 5},
        {"curve previous", &O::setCurvePrev, &O::curvePrev, 8, 1, 4},
        {"curve top", &O::setCurveTop, &O::curveTop, 9, 2, -40},
        {"curve bottom", &O::setCurveBottom, &O::curveBottom, 11, 2, 90},
        {"repeats", &O::setRepeats, &O::repeats, 7, 1, 3},
        {"step dx", &O::setStepDx, &O::stepDx, 8, 2, 12},
        {"step dy", &O::setStepDy, &O::stepDy, 10, 2, -1},
        {"segments", &O::setSegments, &O::segments, 6, 1, 100},
        {"text next", &O::setTextNext, &O::textNext, 7, 1, 6},
        {"text attributes", &O::setTextAttributes, &O::textAttributes, 8, 1, 0x84},
        {"hairpin dx", &O::setHairpinDx, &O::hairpinDx, 6, 2, -150},
        {"hairpin dy", &O::setHairpinDy, &O::hairpinDy, 8, 2, 6},
        {"hairpin thickness", &O::setHairpinThickness, &O::hairpinThickness, 10, 1, 2},
        {"shape type", &O::setShapeType, &O::shapeType, 8, 1, 3},
        {"shape size 1", &O::setShapeSize1, &O::shapeSize1, 9, 2, 1000},
        {"shape size 2", &O::setShapeSize2, &O::shapeSize2, 11, 2, -7},
    };
    for (const Field& f : fields) {
        O o;
        (o.*f.set)(f.value);
        EXPECT_EQ((o.*f.get)(), f.value) << f.name;
        for (int b = 0; b < 20; ++b) {
            const bool inside = b >= f.at && b < f.at + f.width;
            const int expected = inside ? (f.value >> (8 * (b - f.at))) & 0xFF : 0;
            EXPECT_EQ(o.bytes[b], expected) << f.name << ", byte " << b;
        }
    }
    struct Flag {
        const char* name;
        void (O::*set)(bool);
        bool (O::*get)() const;
        int at;
    };
    const Flag flags[] = {{"rest", &O::setRest, &O::isRest, 12},
                          {"accent", &O::setAccent, &O::accent, 13},
                          {"overhand", &O::setTieOverhand, &O::tieOverhand, 17},
                          {"small clef", &O::setClefSmall, &O::clefSmall, 7},
                          {"small accidental", &O::setAccSmall, &O::accSmall, 8},
                          {"filled", &O::setShapeFilled, &O::shapeFilled, 6},
                          {"blanking", &O::setShapeBlanking, &O::shapeBlanking, 7}};
    for (const Flag& f : flags) {
        O o;
        (o.*f.set)(true);
        EXPECT_TRUE((o.*f.get)()) << f.name;
        EXPECT_EQ(o.bytes[f.at], 1) << f.name;
        (o.*f.set)(false);
        EXPECT_EQ(o, O{}) << f.name;
    }
    O curve;
    curve.bytes[13] = 0x80;
    curve.setCurveDotted(true);
    EXPECT_EQ(curve.bytes[13], 0x81) << "the dotted bit leaves the other bits of byte 13 alone";
    EXPECT_TRUE(curve.curveDotted());
    O note = makeObject(ObjectKind::Note);
    EXPECT_TRUE(note.isNote());
    note.setRest(true);
    EXPECT_FALSE(note.isNote());
}

TEST(ScoreObject, TextsAreClippedToTheirFieldAndStaveFlagsPackIntoTheirByte) {
    ScoreObject t = makeObject(ObjectKind::ShortText);
    t.setShortText("Allegro molto vivace");
    EXPECT_EQ(t.shortText(), "Allegro molt");
    EXPECT_EQ(t.bytes[7], 12);
    t.setShortText("pp");
    EXPECT_EQ(t.bytes[7], 2);
    for (int i = 10; i < 20; ++i)
        EXPECT_EQ(t.bytes[i], 0) << "the rest of the field is zero-filled";
    ScoreObject chunk = makeObject(ObjectKind::LongText);
    chunk.setChunkText("0123456789ABC");
    EXPECT_EQ(chunk.chunkText(), "0123456789");
    chunk.bytes[9] = 200; // a damaged length byte never reads past the object
    EXPECT_EQ(chunk.chunkText().size(), 10u);
    for (int bits = 0; bits < 64; ++bits) { // a stave's binding flags pack into CFlag and back
        Stave s;
        s.setCFlag(static_cast<std::uint8_t>(bits));
        EXPECT_EQ(s.CFlag(), bits);
    }
    Stave s;
    s.setCFlag(CFlagBrace | CFlagJoinToNext);
    EXPECT_TRUE(s.brace && s.joinToNext);
    EXPECT_FALSE(s.bracket || s.fullEndBar || s.bracketWithNext || s.barLineThrough);
}

} // namespace
} // namespace qv
