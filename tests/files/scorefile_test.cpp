// The score file both ways: one table of where every field lives, the rules around
// it, and round trips of random scores and the largest one.

#include "files/scorefileread.h"
#include "files/scorefilewrite.h"
#include "model/bytes.h"
#include "support/randomscore.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

using namespace qv;
using namespace qv::test;

namespace {
using Bytes = std::vector<std::uint8_t>;

// A field of the file: little-endian in `width` bytes, or (width 0) a text after its
// length byte; `set` gives layoutScore() the value that the field holds.
struct Field {
    const char* name;
    int record, offset, width;
    long value;
    std::function<void(Score&)> set;
    std::string text = {};
};

using S = Score&;

// The file of layoutScore(): header, page, fonts 1 and 2, staves 0 and 1, then objects.
const std::vector<Field> Layout = {
    {"stave count", 0, 0, 1, 1, nullptr}, {"magic qV", 0, 1, 2, 'q' | 'V' << 8, nullptr},
    {"flags", 0, 3, 1, FlagNaturalsInKeyChange, [](S s) { s.naturalsInKeyChange = true; }},
    {"magic K", 0, 4, 1, 'K', nullptr}, {"Spacing", 0, 5, 1, 4, [](S s) { s.Spacing = 4; }},
    {"Pulse", 0, 6, 1, 5, [](S s) { s.Pulse = 5; }}, {"Beamang", 0, 7, 1, 17, [](S s) { s.setBeamang(17); }},
    {"version", 0, 8, 2, 303, nullptr}, {"Page1", 0, 10, 1, 1, nullptr},
    {"Header", 0, 11, 2, 750, [](S s) { s.page.Header = 0.75; }},
    {"Footer", 0, 13, 2, 1250, [](S s) { s.page.Footer = 1.25; }},
    {"screen resolution", 0, 17, 1, 120, nullptr}, {"NumFonts", 0, 20, 2, 2, [](S s) { s.NumFonts = 2; }},
    {"Length", 1, 0, 2, 11000, [](S s) { s.page.Length = 11.0; }},
    {"Width", 1, 2, 2, 8500, [](S s) { s.page.Width = 8.5; }},
    {"TopM", 1, 4, 2, 600, [](S s) { s.page.TopM = 0.6; }},
    {"RightM", 1, 6, 2, 500, [](S s) { s.page.RightM = 0.5; }},
    {"LeftM", 1, 8, 2, 800, [](S s) { s.page.LeftM = 0.8; }},
    {"BotM", 1, 10, 2, 900, [](S s) { s.page.BotM = 0.9; }},
    {"GutM", 1, 12, 2, 125, [](S s) { s.page.GutM = 0.125; }},
    {"LeftStv", 1, 14, 2, 0xFFF4, [](S s) { s.LeftStv = -12; }},
    {"RightStv", 1, 16, 2, 640, [](S s) { s.RightStv = 640; }},
    {"Facing", 1, 18, 1, 1, [](S s) { s.Facing = true; }},
    {"StvSiz, at an odd offset", 1, 19, 2, 400, [](S s) { s.StvSiz = 0.4; }},
    {"landscape", 1, 21, 1, 1, [](S s) { s.page.landscape = true; }}, {"font 1 number", 2, 0, 1, 1, nullptr},
    {"font 1 name", 2, 1, 0, 0, [](S s) { s.fonts.setFont(1, {"Arial", 10, 0, 0}); }, "Arial"},
    {"font 1 size", 3, 13, 2, 10, nullptr}, {"font 2 number", 4, 0, 1, 2, [](S s) { s.fonts.markInUse(2); }},
    {"font 2 name, first twenty", 4, 1, 0, 0, nullptr, "ABCDEFGHIJKLMNOPQRST"},
    {"font 2 name, the rest", 5, 0, 0, 0, nullptr, "UVWXYZabcde"}, {"font 2 size", 5, 13, 2, 14, nullptr},
    {"font 2 style", 5, 15, 1, FontItalic | FontUnderline, nullptr},
    {"font 2 colour", 5, 16, 4, 0x00336699, [](S s) {
         s.fonts.setFont(2, {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcde", 14, FontItalic | FontUnderline, 0x336699});}},
    {"stave 0 CFlag", 6, 6, 1, 22, [](S s) { s.stave(0).setCFlag(22); }},
    {"stave 0 objects", 6, 7, 1, 1, nullptr},
    {"stave 0 LeftX", 6, 8, 2, 3, [](S s) { s.stave(0).LeftX = 3; }},
    {"stave 0 bits: header/footer, line value 5", 6, 15, 1, 0x80 | 5 << 1, [](S s) {
         Stave& z = s.stave(0);
         z.invisible = false, z.lineValue = 5, z.paramA = z.paramB = 20; }},
    {"stave 0 paramA and paramB", 6, 18, 2, 20 | 20 << 8, nullptr},
    {"stave 1 Ycoord", 7, 0, 2, 0xFFFB, [](S s) { s.stave(1).Ycoord = -5; }},
    {"stave 1 MaxY", 7, 2, 2, 300, [](S s) { s.stave(1).MaxY = 300; }},
    {"stave 1 MinY", 7, 4, 2, 0xFFC4, [](S s) { s.stave(1).MinY = -60; }},
    {"stave 1 CFlag", 7, 6, 1, 41, [](S s) { s.stave(1).setCFlag(41); }},
    {"stave 1 objects", 7, 7, 1, 2, nullptr},
    {"stave 1 LeftX", 7, 8, 2, 0xFFFC, [](S s) { s.stave(1).LeftX = -4; }},
    {"stave 1 RightX", 7, 10, 2, 700, [](S s) { s.stave(1).RightX = 700; }},
    {"stave 1 ForcedBk", 7, 13, 1, 1, [](S s) { s.stave(1).ForcedBk = true; }},
    {"stave 1 PageNum", 7, 14, 1, 9, [](S s) { s.stave(1).PageNum = 9; }},
    {"stave 1 bits: invisible, line value 15", 7, 15, 1, 1 | 15 << 1,
     [](S s) { s.stave(1).invisible = true, s.stave(1).lineValue = 15; }},
    {"stave 1 word", 7, 16, 2, 0xABCD, [](S s) { s.stave(1).staveWord = 0xABCD; }},
    {"stave 1 paramA", 7, 18, 1, 0xFD, [](S s) { s.stave(1).paramA = -3; }},
    {"stave 1 paramB", 7, 19, 1, 127, [](S s) { s.stave(1).paramB = 127; }},
};

// Records 8 on: the objects of staves 0 and 1 in order.
const ScoreObject Objects[] = {makeShortText(5, 5, 1, "page"), makeShortText(9, 30, 2, "dolce"),
                               makeNote(30, 2, 3, -5)};
constexpr int ObjectStave[] = {0, 1, 1}, ObjectIndex[] = {1, 1, 2};

Score layoutScore() {
    Score s = makeScore(1);
    for (const Field& f : Layout)
        if (f.set) f.set(s);
    for (int k = 0; k < 3; ++k)
        append(s.stave(ObjectStave[k]), Objects[k]);
    return s;
}

Bytes layoutFile() {
    Bytes file(8 * RecordSize, 0);
    for (const Field& f : Layout) {
        std::uint8_t* at = file.data() + f.record * RecordSize + f.offset;
        if (f.width == 0) putRecordString(at, RecordSize - 1 - f.offset, f.text);
        for (int b = 0; b < f.width; ++b)
            at[b] = static_cast<std::uint8_t>(f.value >> 8 * b);
    }
    for (int k = 0; k < 3; ++k) {
        file.insert(file.end(), {std::uint8_t(ObjectStave[k]), std::uint8_t(ObjectIndex[k])});
        file.insert(file.end(), Objects[k].bytes.begin(), Objects[k].bytes.end());
    }
    return file;
}

std::string firstDifference(const Bytes& a, const Bytes& b) { // for failure messages
    const long at = std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin();
    return "record " + std::to_string(at / RecordSize) + ", byte " + std::to_string(at % RecordSize);
}

struct Read { ReadResult result; Score score; ScriptedUi ui; };

std::unique_ptr<Read> read(const Bytes& bytes, ReadOptions options = {}) {
    auto r = std::make_unique<Read>();
    r->result = readScore(bytes, "TEST.QVR", options, r->ui, r->score);
    return r;
}

Bytes encodeWhole(Score& score, int resolution = 96) {
    return encodeScore(score, {0, score.Nstaves}, {false, resolution});
}

const std::uint8_t* record(const Bytes& file, int k) { return file.data() + k * RecordSize; }
} // namespace

TEST(ScoreFileLayout, TheWriterPutsAndTheReaderTakesEveryFieldWhereTheTableSays) {
    Score score = layoutScore();
    const Bytes file = encodeWhole(score, 120);
    EXPECT_EQ(file, layoutFile()) << firstDifference(file, layoutFile());
    const auto r = read(layoutFile());
    ASSERT_EQ(r->result.status, ReadStatus::Ok) << r->result.message;
    EXPECT_TRUE(r->ui.messages.empty()) << r->ui.lastText();
    const Score expected = layoutScore();
    EXPECT_EQ(r->score.stave(0).staveNumber + r->score.stave(1).staveNumber, 1);
    EXPECT_TRUE(r->score.sameContent(expected))
        << "written again: " << firstDifference(encodeWhole(r->score, 120), layoutFile());
    EXPECT_DOUBLE_EQ(r->score.beamSlopeLimit, beamSlopeFor(17));
    EXPECT_EQ(r->result.screenResolution, 120);
    const auto scaled = read(layoutFile(), {1.25, 96}); // font sizes scaled, halves to even
    const FontTable& fonts = scaled->score.fonts;
    EXPECT_EQ(std::pair(fonts.font(1).size, fonts.font(2).size), std::pair(12, 18));
}

TEST(ScoreFileLayout, ValuesTheFieldsCannotHoldAsTheyAre) {
    Score score = makeScore(1);
    score.page.Header = 0.0025, score.page.Footer = 0.0035; // thousandths: halves go to even
    score.page.Width = 70.0, score.page.GutM = -0.5;         // held at the field's limits
    score.stave(0).Ycoord = 12, score.stave(1).MaxY = 70000; // not stored for stave 0; the low 16 bits
    const Bytes file = encodeWhole(score);
    for (const auto& [at, value] :
         {std::pair{11, 2}, {13, 4}, {22 + 2, 65535}, {22 + 12, 0}, {88, 0}, {112, 4464}})
        EXPECT_EQ(getU16(&file[at]), value) << "byte " << at;
    // Read: the stave size is held to 0.2 to 0.6 inches; zero line values and stave
    // parameters mean 5 and 20; only 1 is a page break; the header/footer bit wins.
    for (const auto& [stored, inches] : {std::pair{150, 0.2}, {700, 0.6}, {200, 0.2}, {600, 0.6}}) {
        Bytes f = layoutFile();
        putU16(&f[RecordSize + 19], static_cast<std::uint16_t>(stored));
        EXPECT_DOUBLE_EQ(read(f)->score.StvSiz, inches) << stored;
    }
    Bytes f = layoutFile();
    std::uint8_t* one = &f[7 * RecordSize];
    one[13] = 2, one[15] = 0x80, one[18] = one[19] = 0;
    const auto r = read(f);
    const Stave& s = r->score.stave(1);
    EXPECT_FALSE(s.ForcedBk || s.invisible);
    EXPECT_EQ((std::vector<int>{s.Ycoord, s.lineValue, s.paramA, s.paramB}), (std::vector{0, 5, 20, 20}));
}

TEST(ScoreFileWrite, OnlyFontsThatTextsUseAreWrittenRenumberedInOrder) {
    Score score = makeScore(1);
    for (int n = 2; n <= 4; ++n)
        score.fonts.setFont(n, FontDesc{"Face " + std::to_string(n), 10 + n, 0, 0}), score.fonts.markInUse(n);
    score.NumFonts = 4;
    append(score.stave(0), makeShortText(5, 5, 0, "damaged: counts as font 1"));
    const int head = append(score.stave(1), makeTextHead(10, 20, 4, "first part"));
    score.stave(1).object(head).setTextNext(
        append(score.stave(1), makeTextHead(0, 0, 4, "more", TextContinuation)));
    const Bytes file = encodeWhole(score);
    EXPECT_TRUE(score.NumFonts == 2 && score.fonts.font(3) == FontDesc{} && !score.fonts.inUse(3));
    EXPECT_EQ(getU16(&file[20]), 2);
    EXPECT_EQ(recordString(record(file, 4) + 1, 20), "Face 4");
    // Objects after header, page, two font pairs and staves 0 and 1; the font is byte 6.
    for (const auto& [k, font] : {std::pair{8, 1}, {9, 2}, {10, 2}})
        EXPECT_EQ(record(file, k)[2 + 6], font) << "record " << k;
}

TEST(ScoreFileRead, OlderAndLaterVersions) {
    // 301 stores no header/footer stave and no resolution byte; 302 stores the stave
    // unless the file is partial; a later version is read as far as it follows the format.
    struct Case { int version, flags; bool staveZeroStored; int resolution; };
    for (const Case c : {Case{301, 0, false, 144}, Case{302, 0, true, 144},
                         Case{302, FlagPartial, false, 144}, Case{304, 0, true, 120}}) {
        Bytes f = layoutFile();
        putU16(&f[8], static_cast<std::uint16_t>(c.version));
        f[3] = static_cast<std::uint8_t>(c.flags);
        if (!c.staveZeroStored) { // its record and its object's
            f.erase(f.begin() + 8 * RecordSize, f.begin() + 9 * RecordSize);
            f.erase(f.begin() + 6 * RecordSize, f.begin() + 7 * RecordSize);
        }
        const auto r = read(f, {1.0, 144});
        ASSERT_EQ(r->result.status, ReadStatus::Ok) << c.version;
        EXPECT_EQ(r->score.FileVer, c.version);
        EXPECT_EQ(r->result.screenResolution, c.resolution) << c.version;
        EXPECT_EQ(r->score.stave(0).Nobjec, c.staveZeroStored ? 1 : 0) << c.version;
        EXPECT_EQ(r->score.stave(0).invisible, !c.staveZeroStored) << c.version;
        EXPECT_EQ(r->score.stave(1).object(2), Objects[2]) << c.version;
    }
    Bytes noK = layoutFile(); // reading looks at "qV" alone
    noK[4] = 'x';
    EXPECT_EQ(read(noK)->result.status, ReadStatus::Ok);
}

TEST(ScoreFileRoundTrip, RandomScoresPartsAndTemplatesComeBackAndRewriteByteForByte) {
    std::mt19937 rng(20261206);
    std::set<int> kinds;
    std::set<std::size_t> nameLengths;
    for (int k = 0; k < 300; ++k) {
        Score score = randomScore(rng);
        const int n = score.Nstaves;
        const int first = k % 3 == 0 ? 0 : std::uniform_int_distribution<int>(1, n)(rng);
        const int last = k % 3 == 0 ? n : std::uniform_int_distribution<int>(first, n)(rng);
        const WriteOptions options{k % 3 == 2, k % 2 ? 96 : 120};
        for (int s = 0; s <= n; ++s)
            for (int i = 1; i <= score.stave(s).Nobjec; ++i) {
                ScoreObject& o = score.stave(s).object(i);
                kinds.insert(static_cast<int>(o.kind()));
                // Texts outside a part move to font 1, so that the fonts written are the part's own.
                const bool outside = first > 0 && (s < first || s > last);
                if (outside && (o.is(ObjectKind::ShortText) || o.is(ObjectKind::LongText)))
                    o.setFontNumber(1);
            }
        for (int f = 1; f <= score.NumFonts; ++f)
            nameLengths.insert(score.fonts.font(f).name.size());
        const std::string label = "score " + std::to_string(k);
        const Bytes file = encodeScore(score, {first, last}, options);
        const auto back = read(file);
        ASSERT_EQ(back->result.status, ReadStatus::Ok) << label << ": " << back->result.message;
        EXPECT_TRUE(back->ui.messages.empty()) << label;
        EXPECT_EQ(back->result.screenResolution, options.screenResolution) << label;
        EXPECT_TRUE(first > 0 || back->score.sameContent(score)) << label;
        const int from = std::max(first, 1);
        ASSERT_EQ(back->score.Nstaves, last - from + 1) << label;
        for (int s = from; s <= last; ++s) {
            Stave expected = score.stave(s);
            expected.staveNumber = static_cast<std::uint16_t>(s - from + 1);
            EXPECT_TRUE(back->score.stave(s - from + 1) == expected) << label << ", stave " << s;
        }
        EXPECT_EQ(back->score.description, options.isTemplate ? score.description : "") << label;
        const Bytes again = encodeScore(back->score, {first > 0, back->score.Nstaves}, options);
        EXPECT_EQ(again, file) << label << ": " << firstDifference(again, file);
    }
    // Meaningful only if the scores hold every kind of object and names needing both font records.
    EXPECT_EQ(kinds, (std::set<int>{0, 1, 2, 3, 4, 5, 7, 9, 10, 11, 12, 13, 14, 16, 17, 18}));
    for (std::size_t length : {20u, 21u, 31u})
        EXPECT_TRUE(nameLengths.count(length)) << length;
    Score largest = largestScore(5);
    const Bytes file = encodeWhole(largest);
    const std::size_t records = 2 + 2 * largest.NumFonts + 256 + MaxStaves * MaxObjects;
    EXPECT_EQ(file.size(), (records + largest.stave(0).Nobjec) * RecordSize);
    const auto back = read(file);
    ASSERT_EQ(back->result.status, ReadStatus::Ok);
    EXPECT_TRUE(back->score.sameContent(largest));
}
