#include "render/glyphcatalogue.h"

#include <array>

namespace qv {

namespace {

constexpr int EmptyGlyph = 230;

constexpr std::array<const char*, LastDrawnGlyph + 1> Stems{
    "ACLEF",    "TCLEF",    "FCLEF",    "GCLEF",    "ACLEF2",   "TCLEF2",   "FCLEF2",   "GCLEF2",
    "0",        "1",        "2",        "3",        "4",        "5",        "6",        "7",
    "8",        "9",        "16",       "COMMON",   "COMMON2",  "BREVE",    "1_",       "2U",
    "2D",       "4_",       "4U",       "4D",       "8U",       "8D",       "16U",      "16D",
    "32U",      "32D",      "64U",      "64D",      "DIAGLINE", "DOT",      "DOT2",     "BARLINE",
    "2BARLINE", "3BARLINE", "STAVE1",   "STAVE2",   "FLAT",     "2FLAT",    "SHARP",    "2SHARP",
    "NATURAL",  "0Z",       "1Z",       "2Z",       "4Z",       "8Z",       "16Z",      "32Z",
    "64Z",      "4U2",      "4D2",      "8U2",      "8D2",      "16U2",     "16D2",     "32U2",
    "32D2",     "HOLDUP",   "HOLDDN",   "REPBAR1",  "REPBAR2",  "REPBAR3",  "REPEAT",   "STACCUP",
    "STACCDN",  "STACCCUP", "STACCCDN", "HATUP",    "GREATER",  "LINEUP",   "LINEDN",   "2U2",
    "2D2",      "2U3",      "2D3",      "2U4",      "2D4",      "4U3",      "4D3",      "4U4",
    "4D4",      "1_2",      "4_2",      "8U3",      "8D3",      "8U0",      "8D0",      "64U2",
    "64D2",     "16U0",     "16D0",     "32U0",     "32D0",     "64U0",     "64D0",     "0X",
    "1X",       "4UX",      "4DX",      "8UX",      "8DX",      "16UX",     "16DX",     "32UX",
    "32DX",     "64UX",     "64DX",     "SEGNO1",   "SEGNO2",   "1U3",      "1D3",      "1U4",
    "1D4",      "TINYFLAT", "TINYSHAR", "TINYNATU", "USER1",    "USER2",    "USER3",    "USER4",
    "USER5",    "USER6",    "USER7",    "USER8",    "USER9",    "USER0",    "PED",      "STAR",
    "TURN",     "BARSREST", "PP",       "P",        "MP",       "MF",       "F",        "FF",
    "SF",       "FZ",       "8VA",      "DIVISI",   "8us",      "8ds",      "16us",     "16ds",
    "32us",     "32ds",     "64us",     "64ds",     "SEMIBREV", "TWIDDLE",  "SEGNO3",   "PPP",
    "FFF",      "MM",       "MINEQAL",  "CROTEQAL", "MORDENT",  "8VB",      "TR",       "SFZ",
    "TURNLINE", "I0",       "I1",       "I2",       "I3",       "I4",       "I5",       "I6",
    "I7",       "I8",       "I9",       "DOT3",     "horitwid", "circle1",  "circle2",  "circle3",
    "circle4",  "circle5",  "circle6",  "circle7",  "circle8",  "circle9",  "fb0",      "fb1",
    "fb2",      "fb3",      "fb4",      "fb5",      "fb6",      "fb7",      "fb8",      "fb9",
    "fb2x",     "fb4x",     "fb5x",     "fb6x",     "fb7x",     "fb42",     "fb53",     "fb64",
    "fb63",     "fb73",     "fb4x2",    "fb42x",    "fb4x2x",   "dc",       "ds",       "U",
    "Diamond",  "downarrow", "uparrow", "combiup",  "combidn",  "V",        "Vdot",     "invertvdot",
    "dottedbarline", "halfbarline", "halfbarline2", "slash2", "2UX", "2DX",
};

struct ShiftEntry {
    int code;
    GlyphShift shift;
};

// Corrections that suit our own drawings; every other code has none.
constexpr ShiftEntry OffsetEntries[] = {
    {0, {0, 1}},    {1, {0, 1}},    {2, {0, 1}},    {13, {2, 0}},   {17, {0, -1}},  {21, {1, 0}},
    {28, {1, 0}},   {30, {1, 0}},   {46, {1, 0}},   {32, {1, -6}},  {33, {0, 3}},   {34, {1, -16}},
    {35, {0, 12}},  {102, {0, 12}}, {114, {0, 12}}, {37, {4, -2}},  {38, {4, -2}},  {39, {1, 1}},
    {41, {1, 1}},   {40, {-2, 1}},  {42, {2, 0}},   {43, {2, 2}},   {44, {3, 0}},   {48, {3, 0}},
    {45, {-2, 0}},  {47, {-1, -1}}, {49, {8, 0}},   {52, {8, 0}},   {54, {8, 0}},   {56, {8, 0}},
    {76, {8, 0}},   {50, {8, 1}},   {55, {8, 1}},   {67, {8, 1}},   {51, {8, -1}},  {53, {8, -1}},
    {68, {3, 1}},   {69, {0, 1}},   {77, {9, 0}},   {78, {9, 0}},   {91, {3, 0}},   {92, {7, 0}},
    {101, {0, -16}}, {104, {5, 0}}, {111, {0, -6}}, {112, {0, 6}},  {113, {1, -9}}, {119, {-4, 0}},
    {120, {-4, 0}}, {156, {1, -1}}, {179, {6, -2}},
};

constexpr ShiftEntry HiResOffsetEntries[] = {
    {23, {-1, 0}}, {26, {-1, 0}}, {49, {0, 3}}, {51, {0, 4}},
};

// Every glyph drawn looks its corrections up, so the lists become tables by code.
using ShiftTable = std::array<GlyphShift, 256>;

template <std::size_t N> constexpr ShiftTable tableOf(const ShiftEntry (&entries)[N]) {
    ShiftTable table{};
    for (const ShiftEntry& e : entries) table[static_cast<std::size_t>(e.code)] = e.shift;
    return table;
}

constexpr ShiftTable Offsets = tableOf(OffsetEntries);
constexpr ShiftTable HiResOffsets = tableOf(HiResOffsetEntries);

GlyphShift lookup(const ShiftTable& table, int code) {
    if (code < 0 || code >= static_cast<int>(table.size())) return {};
    return table[static_cast<std::size_t>(code)];
}

// Rows by duration; each cell the five head styles; columns up, down, none, as stored.
constexpr int NoteGlyphs[8][4][5] = {
    {{21, 21, 21, 21, 103}, {21, 21, 21, 21, 103}, {21, 21, 21, 21, 103}, {21, 21, 21, 21, 103}},
    {{156, 89, 117, 119, 104}, {156, 89, 118, 120, 104}, {156, 89, 156, 156, 104}, {156, 89, 156, 156, 104}},
    {{23, 79, 81, 83, 228}, {24, 80, 82, 84, 229}, {22, 89, 22, 22, 104}, {23, 79, 23, 23, 105}},
    {{26, 57, 85, 87, 105}, {27, 58, 86, 88, 106}, {25, 90, 25, 25, 104}, {26, 57, 25, 25, 105}},
    {{28, 59, 91, 93, 107}, {29, 60, 92, 94, 108}, {25, 90, 25, 25, 104}, {28, 59, 93, 93, 107}},
    {{30, 61, 97, 97, 109}, {31, 62, 98, 98, 110}, {25, 90, 22, 22, 104}, {30, 61, 97, 97, 109}},
    {{32, 63, 99, 99, 111}, {33, 64, 100, 100, 112}, {25, 90, 22, 22, 104}, {32, 63, 99, 99, 111}},
    {{34, 95, 101, 101, 113}, {35, 96, 102, 102, 114}, {25, 90, 22, 22, 104}, {34, 95, 22, 22, 113}},
};

} // namespace

const char* GlyphStem(int code) {
    if (code < 0 || code > LastDrawnGlyph) return "NOTHING";
    return Stems[static_cast<std::size_t>(code)];
}

std::string GlyphResourceName(int code, bool highRes) {
    return std::string(highRes ? "hbm" : "bm") + GlyphStem(code);
}

GlyphShift GlyphOffset(int code) { return lookup(Offsets, code); }

GlyphShift GlyphHiResOffset(int code) { return lookup(HiResOffsets, code); }

int NoteGlyphTable(int duration, int stemForm, int headStyle) {
    if (duration < 0 || duration > 7 || stemForm < 0 || stemForm > 3 || headStyle < 0 || headStyle > 4)
        return EmptyGlyph;
    return NoteGlyphs[duration][stemForm][headStyle];
}

int ClefGlyph(int clefType, bool small) {
    static constexpr int Normal[4] = {3, 2, 0, 1};
    if (clefType < 0 || clefType > 3) clefType = 0; // an unknown clef shows as treble
    return Normal[clefType] + (small ? 4 : 0);
}

int BarlineGlyph(int barType, int code) {
    static constexpr int Glyphs[6] = {39, 40, 67, 68, 69, 41};
    const int type = barType & 0x7F;
    return type <= 5 ? Glyphs[type] : code;
}

std::string AccidentalBitmapName(int size, int character, bool highRes) {
    if (highRes) size /= 3;
    const char* digits = size < 8    ? "006"
                         : size <= 10 ? "010"
                         : size <= 19 ? "015"
                         : size <= 28 ? "026"
                         : size <= 35 ? "032"
                         : size <= 44 ? "040"
                                      : "050";
    const char* sign = character == 141 ? "FLAT" : character == 142 ? "NAT" : "SHARP";
    return std::string(highRes ? "hbm" : "bm") + sign + digits;
}

} // namespace qv
