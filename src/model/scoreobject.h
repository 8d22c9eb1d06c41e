#pragma once
// The 20-byte object that stands on a stave. The bytes are the truth: files, undo
// records and block copies move them unchanged, so every field is an accessor over
// a byte position. Multi-byte fields are little-endian.

#include "model/bytes.h"

#include <array>
#include <cstdint>
#include <string>
#include <type_traits>

namespace qv {

enum class ObjectKind : std::uint8_t {
    Clef = 0,
    KeySignature = 1,
    Glyph = 2,
    TimeSignature = 3,
    Barline = 4,
    Note = 5, // note or rest
    Unused6 = 6,
    Accidental = 7,
    Deleted = 8,
    ShortText = 9,
    TieLink = 10,
    Line = 11,
    CurvePoint = 12,
    Symbol = 13,
    Arpeggio = 14,
    Unused15 = 15,
    LongText = 16,
    Hairpin = 17,
    Shape = 18,
};

// SymbolCode meaning "the kind chooses its own glyphs".
inline constexpr std::uint8_t SymbolSelf = 244;

// Attribute bits of a long text (byte 8).
inline constexpr std::uint8_t TextUniversal = 1;
inline constexpr std::uint8_t TextImmobile = 2;
inline constexpr std::uint8_t TextTransposable = 4;
inline constexpr std::uint8_t TextBoxed = 8;
inline constexpr std::uint8_t TextNonPrinting = 16;
inline constexpr std::uint8_t TextContinuation = 128;

inline constexpr int ShortTextCapacity = 12; // characters in bytes 7..19
inline constexpr int ChunkCapacity = 10;     // characters in bytes 9..19

// Stem byte of a note.
inline constexpr std::uint8_t StemUp = 0;
inline constexpr std::uint8_t StemDown = 1;
inline constexpr std::uint8_t StemNone = 2;
inline constexpr std::uint8_t StemAuto = 3;

struct ScoreObject {
    std::array<std::uint8_t, 20> bytes{};

    bool operator==(const ScoreObject&) const = default;

    std::uint8_t u8(int i) const { return bytes[i]; }
    std::int8_t s8(int i) const { return static_cast<std::int8_t>(bytes[i]); }
    std::int16_t i16(int i) const { return getI16(&bytes[i]); }
    void setU8(int i, int v) { bytes[i] = static_cast<std::uint8_t>(v); }
    void setI16(int i, int v) { putI16(&bytes[i], static_cast<std::int16_t>(v)); }

    // Common to every kind: position in page units, glyph and kind.
    int x() const { return i16(0); }
    int y() const { return i16(2); }
    int symbolCode() const { return u8(4); }
    ObjectKind kind() const { return static_cast<ObjectKind>(bytes[5]); }
    void setX(int v) { setI16(0, v); }
    void setY(int v) { setI16(2, v); }
    void setSymbolCode(int v) { setU8(4, v); }
    void setKind(ObjectKind k) { bytes[5] = static_cast<std::uint8_t>(k); }
    bool is(ObjectKind k) const { return kind() == k; }

    // Clef.
    int clefType() const { return u8(6); }
    bool clefSmall() const { return u8(7) == 1; }
    void setClefType(int v) { setU8(6, v); }
    void setClefSmall(bool v) { setU8(7, v ? 1 : 0); }

    // Key signature: +1..+7 sharps, -1..-7 flats.
    int keyCount() const { return s8(6); }
    void setKeyCount(int v) { setU8(6, v); }

    // Time signature type 0..14; bar line type 0..5.
    int timeType() const { return u8(6); }
    void setTimeType(int v) { setU8(6, v); }
    int barType() const { return u8(6); }
    void setBarType(int v) { setU8(6, v); }

    // Note or rest.
    int duration() const { return u8(6); }
    int staffPosition() const { return s8(7); }
    int dots() const { return u8(8); }
    int stem() const { return u8(9); }
    int beamBack() const { return u8(10); }
    int beamForward() const { return u8(11); }
    bool isRest() const { return u8(12) != 0; }
    bool accent() const { return u8(13) != 0; }
    int staccato() const { return u8(14); }
    int tiedFrom() const { return u8(15); }
    int tiedTo() const { return u8(16); }
    bool tieOverhand() const { return u8(17) == 1; }
    int headStyle() const { return u8(18); }
    int stemExtra() const { return s8(19); }
    void setDuration(int v) { setU8(6, v); }
    void setStaffPosition(int v) { setU8(7, v); }
    void setDots(int v) { setU8(8, v); }
    void setStem(int v) { setU8(9, v); }
    void setBeamBack(int v) { setU8(10, v); }
    void setBeamForward(int v) { setU8(11, v); }
    void setRest(bool v) { setU8(12, v ? 1 : 0); }
    void setAccent(bool v) { setU8(13, v ? 1 : 0); }
    void setStaccato(int v) { setU8(14, v); }
    void setTiedFrom(int v) { setU8(15, v); }
    void setTiedTo(int v) { setU8(16, v); }
    void setTieOverhand(bool v) { setU8(17, v ? 1 : 0); }
    void setHeadStyle(int v) { setU8(18, v); }
    void setStemExtra(int v) { setU8(19, v); }
    bool isNote() const { return is(ObjectKind::Note) && !isRest(); }

    // Accidental: staff position, value -2..+2, small flag.
    int accPosition() const { return s8(6); }
    int accValue() const { return s8(7); }
    bool accSmall() const { return u8(8) == 1; }
    void setAccPosition(int v) { setU8(6, v); }
    void setAccValue(int v) { setU8(7, v); }
    void setAccSmall(bool v) { setU8(8, v ? 1 : 0); }

    // Short text and long text share the font byte.
    int fontNumber() const { return u8(6); }
    void setFontNumber(int v) { setU8(6, v); }
    std::string shortText() const { return lpString(7, ShortTextCapacity); }
    void setShortText(const std::string& s) { setLpString(7, ShortTextCapacity, s); }

    // Tie link: the two notes it joins.
    int tieFirst() const { return u8(6); }
    int tieSecond() const { return u8(7); }
    void setTieFirst(int v) { setU8(6, v); }
    void setTieSecond(int v) { setU8(7, v); }

    // Line.
    int lineDx() const { return i16(6); }
    int lineDy() const { return i16(8); }
    int lineThickness() const { return u8(10); }
    int lineStyle() const { return u8(11); }
    void setLineDx(int v) { setI16(6, v); }
    void setLineDy(int v) { setI16(8, v); }
    void setLineThickness(int v) { setU8(10, v); }
    void setLineStyle(int v) { setU8(11, v); }

    // Curve point; the reach fields are meaningful on a curve's first point.
    int curveThickness() const { return u8(6); }
    int curveNext() const { return u8(7); }
    int curvePrev() const { return u8(8); }
    int curveTop() const { return i16(9); }
    int curveBottom() const { return i16(11); }
    bool curveDotted() const { return (u8(13) & 1) != 0; }
    void setCurveThickness(int v) { setU8(6, v); }
    void setCurveNext(int v) { setU8(7, v); }
    void setCurvePrev(int v) { setU8(8, v); }
    void setCurveTop(int v) { setI16(9, v); }
    void setCurveBottom(int v) { setI16(11, v); }
    void setCurveDotted(bool v) { setU8(13, (u8(13) & ~1) | (v ? 1 : 0)); }

    // Symbol: extra repetitions and the step between them.
    int repeats() const { return u8(7); }
    int stepDx() const { return i16(8); }
    int stepDy() const { return i16(10); }
    void setRepeats(int v) { setU8(7, v); }
    void setStepDx(int v) { setI16(8, v); }
    void setStepDy(int v) { setI16(10, v); }

    // Arpeggio: wavy segments 0..127.
    int segments() const { return u8(6); }
    void setSegments(int v) { setU8(6, v); }

    // Long text chunk.
    int textNext() const { return u8(7); }
    int textAttributes() const { return u8(8); }
    bool isContinuation() const { return (u8(8) & TextContinuation) != 0; }
    std::string chunkText() const { return lpString(9, ChunkCapacity); }
    void setTextNext(int v) { setU8(7, v); }
    void setTextAttributes(int v) { setU8(8, v); }
    void setChunkText(const std::string& s) { setLpString(9, ChunkCapacity, s); }

    // Hairpin: vertex at (x, y), open ends at (x + dx, y +- dy).
    int hairpinDx() const { return i16(6); }
    int hairpinDy() const { return i16(8); }
    int hairpinThickness() const { return u8(10); }
    void setHairpinDx(int v) { setI16(6, v); }
    void setHairpinDy(int v) { setI16(8, v); }
    void setHairpinThickness(int v) { setU8(10, v); }

    // Shape: 0 circle, 1 square, 2 rectangle, 3 ellipse.
    bool shapeFilled() const { return u8(6) == 1; }
    bool shapeBlanking() const { return u8(7) == 1; }
    int shapeType() const { return u8(8); }
    int shapeSize1() const { return i16(9); }
    int shapeSize2() const { return i16(11); }
    void setShapeFilled(bool v) { setU8(6, v ? 1 : 0); }
    void setShapeBlanking(bool v) { setU8(7, v ? 1 : 0); }
    void setShapeType(int v) { setU8(8, v); }
    void setShapeSize1(int v) { setI16(9, v); }
    void setShapeSize2(int v) { setI16(11, v); }

    // A length-prefixed string in bytes [at, at + 1 + capacity). A length byte larger
    // than the field (a damaged file) is read as the full field, never beyond it.
    std::string lpString(int at, int capacity) const;
    // Stores at most `capacity` characters and zero-fills the rest of the field.
    void setLpString(int at, int capacity, const std::string& s);
};

static_assert(sizeof(ScoreObject) == 20, "a ScoreObject is exactly 20 bytes");
static_assert(std::is_trivially_copyable_v<ScoreObject>);

// An object of the given kind with SymbolCode 244 and every other byte zero.
ScoreObject makeObject(ObjectKind kind, int x = 0, int y = 0);

// Kinds placed freely (texts, lines, curve points, symbols, arpeggios, hairpins,
// shapes): they move up and down as well as across, where notes and signs keep
// their place on the stave.
bool placedFreely(ObjectKind kind);

} // namespace qv
