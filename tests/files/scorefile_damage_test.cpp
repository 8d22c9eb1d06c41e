// Damaged files: every refusal leaves the score it was to replace untouched, and
// every accepted file gives a score that keeps the model's bounds and saves cleanly.

#include "files/scorefileread.h"
#include "files/scorefilewrite.h"
#include "model/bytes.h"
#include "support/randomscore.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>

using namespace qv;
using namespace qv::test;

namespace {

const std::string FileName = "DAMAGED.QVR";

// The score a refused read must leave alone, made twice to compare.
Score sentinel() {
    std::mt19937 rng(99);
    return randomScore(rng, {1, 4, 20, 3});
}

std::vector<std::uint8_t> encodeWhole(Score& score) {
    return encodeScore(score, {0, score.Nstaves}, {});
}

// Saves a score and reads the file back, which must be accepted without a word.
std::vector<std::uint8_t> saveAndReload(Score& score, Score& reloaded, const std::string& label) {
    const auto saved = encodeWhole(score);
    ScriptedUi ui;
    EXPECT_EQ(readScore(saved, FileName, {}, ui, reloaded).status, ReadStatus::Ok) << label;
    EXPECT_TRUE(ui.messages.empty()) << label;
    return saved;
}

// An accepted file's score stays within the model and saves to files that read
// back cleanly. The first save may still change on reloading (a stave created
// empty for an old or partial file stores 0 where a read gives 20 and 5), so
// the fixed point is checked from the second save on.
void expectSoundScore(Score& score, const std::string& label) {
    ASSERT_GE(score.Nstaves, 1) << label;
    for (int s = 0; s <= score.Nstaves; ++s)
        EXPECT_LE(score.stave(s).Nobjec, MaxObjects) << label;
    Score once, twice, thrice;
    saveAndReload(score, once, label);
    const auto second = saveAndReload(once, twice, label);
    const auto third = saveAndReload(twice, thrice, label);
    const auto [a, b] = std::mismatch(second.begin(), second.end(), third.begin(), third.end());
    EXPECT_TRUE(a == second.end() && b == third.end())
        << label << ": saved again, record " << (a - second.begin()) / RecordSize << " byte "
        << (a - second.begin()) % RecordSize << " differs";
}

// Reads `bytes` over a sentinel score and checks the contract for the outcome.
ReadResult attempt(const std::vector<std::uint8_t>& bytes, const std::string& label) {
    Score out = sentinel();
    const Score twin = sentinel();
    ScriptedUi ui;
    const ReadResult result = readScore(bytes, FileName, {}, ui, out);
    if (result.status == ReadStatus::Ok) {
        expectSoundScore(out, label);
    } else {
        EXPECT_TRUE(out.sameContent(twin)) << label;
        EXPECT_EQ(out.description, twin.description) << label;
        EXPECT_TRUE(ui.messages.empty()) << label;
        EXPECT_FALSE(result.message.empty()) << label;
    }
    return result;
}

// A plain whole file of two empty staves: header, page, font 1, staves 0..2.
std::vector<std::uint8_t> plainFile() {
    Score score = makeScore(2);
    return encodeWhole(score);
}

std::uint8_t* record(std::vector<std::uint8_t>& bytes, int k) {
    return bytes.data() + static_cast<std::size_t>(k) * RecordSize;
}

void appendObject(std::vector<std::uint8_t>& bytes, int stave, int index) {
    const ScoreObject o = makeObject(ObjectKind::Barline, 10 * index, 40);
    bytes.push_back(static_cast<std::uint8_t>(stave));
    bytes.push_back(static_cast<std::uint8_t>(index));
    bytes.insert(bytes.end(), o.bytes.begin(), o.bytes.end());
}

std::vector<std::uint8_t> truncated(std::vector<std::uint8_t> bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
}

// Records before the objects: header, page, description, font pairs and staves.
int announcedRecords(const std::vector<std::uint8_t>& bytes) {
    const FileHeader h = decodeHeader(bytes.data());
    return 2 + (h.hasDescription() ? 1 : 0) + 2 * h.NumFonts + h.Nstaves + (h.partial() ? 0 : 1);
}

int between(std::mt19937& rng, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

} // namespace

TEST(DamagedScoreFile, FilesEndingTooSoonAreReadErrors) {
    const auto plain = plainFile();
    auto noDescription = truncated(plain, 2 * RecordSize);
    record(noDescription, 0)[3] = FlagDescription;
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> cases = {
        {"empty", {}},
        {"21 bytes", truncated(plain, 21)},
        {"23 bytes", truncated(plain, 23)},
        {"header only", truncated(plain, 22)},
        {"no font records", truncated(plain, 2 * RecordSize)},
        {"half a font pair", truncated(plain, 3 * RecordSize)},
        {"a stave short", truncated(plain, 6 * RecordSize)},
        {"no description", noDescription},
    };
    for (const auto& [label, bytes] : cases) {
        const ReadResult r = attempt(bytes, label);
        EXPECT_EQ(r.status, ReadStatus::ReadError) << label;
        EXPECT_EQ(r.message, "File read error in DAMAGED.QVR") << label;
    }
}

TEST(DamagedScoreFile, CountsAndIndexesOutOfBoundsAreBad) {
    struct Case {
        std::string label;
        std::vector<std::uint8_t> bytes;
        std::string message;
    };
    std::vector<Case> cases;
    const auto add = [&](std::string label, std::string message, auto damage) {
        auto bytes = plainFile();
        damage(bytes);
        cases.push_back({std::move(label), std::move(bytes), std::move(message) + "\nFile is bad."});
    };
    add("no staves", "Problem with the header: no staves", [](auto& b) { b[0] = 0; });
    add("font 0", "Problem with font 0 in font pair 1", [](auto& b) { record(b, 2)[0] = 0; });
    add("256 fonts", "Problem with the font count 256", [](auto& b) { putU16(&b[20], 256); });
    add("250 objects", "Problem with stave 1: 250 objects", [](auto& b) { record(b, 5)[7] = 250; });
    add("stave above the stored ones", "Problem with stave 9 at object 3",
        [](auto& b) { appendObject(b, 9, 3); });
    add("object 0", "Problem with stave 1 at object 0", [](auto& b) { appendObject(b, 1, 0); });
    add("object 250", "Problem with stave 2 at object 250", [](auto& b) { appendObject(b, 2, 250); });
    add("recoverable then bad", "Problem with stave 3 at object 1", [](auto& b) {
        appendObject(b, 1, 4); // would be recovered with a message, but the file is refused
        appendObject(b, 3, 1);
    });
    add("partial file's stave 4", "Problem with stave 4 at object 1", [](auto& b) {
        b[0] = 3;
        b[3] = FlagPartial; // the three stave records become stored staves 1..3
        appendObject(b, 4, 1);
    });
    for (const auto& c : cases) {
        const ReadResult r = attempt(c.bytes, c.label);
        EXPECT_EQ(r.status, ReadStatus::Bad) << c.label;
        EXPECT_EQ(r.message, c.message) << c.label;
    }
}

TEST(DamagedScoreFile, NotOursOrNoteWorthyLeavesTheScoreAlone) {
    auto wrongMagic = plainFile();
    wrongMagic[2] = 'v';
    EXPECT_EQ(attempt(wrongMagic, "magic").status, ReadStatus::NotScoreFile);
    auto old = plainFile();
    putU16(&old[8], 300);
    EXPECT_EQ(attempt(old, "version 300").status, ReadStatus::NoteWorthy);
}

TEST(DamagedScoreFile, TruncatedAtEveryRecordIsRefusedOrReadToTheEnd) {
    std::mt19937 rng(11);
    for (int k = 0; k < 12; ++k) {
        Score score = randomScore(rng, {1, 5, 15, 4});
        const auto bytes = encodeWhole(score);
        const int announced = announcedRecords(bytes);
        const int records = static_cast<int>(bytes.size()) / RecordSize;
        for (int n = 1; n < records; ++n) {
            const std::string label = "score " + std::to_string(k) + " cut to " + std::to_string(n);
            const ReadStatus expected = n >= announced ? ReadStatus::Ok : ReadStatus::ReadError;
            EXPECT_EQ(attempt(truncated(bytes, static_cast<std::size_t>(n) * RecordSize), label).status,
                      expected)
                << label;
            EXPECT_EQ(attempt(truncated(bytes, static_cast<std::size_t>(n) * RecordSize + 7), label).status,
                      ReadStatus::ReadError)
                << label;
        }
    }
}

TEST(DamagedScoreFile, FlippedBitsAreRefusedOrRecovered) {
    std::mt19937 rng(2026);
    std::set<ReadStatus> seen;
    for (int k = 0; k < 400; ++k) {
        Score score = randomScore(rng, {1, 6, 20, 5});
        auto bytes = encodeWhole(score);
        // Half the flips land in the records that give counts and indexes.
        const int limit = k % 2 ? announcedRecords(bytes) * RecordSize : static_cast<int>(bytes.size());
        for (int f = between(rng, 1, 6); f > 0; --f)
            bytes[static_cast<std::size_t>(between(rng, 0, limit - 1))] ^=
                static_cast<std::uint8_t>(1 << between(rng, 0, 7));
        seen.insert(attempt(bytes, "flipped file " + std::to_string(k)).status);
    }
    EXPECT_TRUE(seen.count(ReadStatus::Ok) && seen.count(ReadStatus::ReadError) &&
                seen.count(ReadStatus::Bad));
}

TEST(DamagedScoreFile, GarbageIsRefusedOrRecovered) {
    std::mt19937 rng(404);
    std::map<ReadStatus, int> seen;
    for (int k = 0; k < 400; ++k) {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(between(rng, 1, 30)) * RecordSize);
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(between(rng, 0, 255));
        if (k % 4 != 0) { // most get far enough to reach the counts and indexes
            bytes[1] = 'q';
            bytes[2] = 'V';
            putU16(&bytes[8], static_cast<std::uint16_t>(between(rng, 301, 304)));
            bytes[0] = static_cast<std::uint8_t>(between(rng, 0, 4));
            putU16(&bytes[20], static_cast<std::uint16_t>(between(rng, 0, 3)));
            if (k % 3 == 0) bytes[3] &= 0x1F; // no description, whole file
        }
        ++seen[attempt(bytes, "garbage " + std::to_string(k)).status];
    }
    for (ReadStatus s : {ReadStatus::Ok, ReadStatus::ReadError, ReadStatus::Bad, ReadStatus::NotScoreFile})
        EXPECT_GT(seen[s], 0) << "no garbage file ended with status " << static_cast<int>(s);
}

namespace {

// What a recovered read shows, one entry per message.
std::vector<std::string> shownTexts(const ScriptedUi& ui) {
    std::vector<std::string> texts;
    for (const auto& shown : ui.messages)
        texts.push_back(shown.text);
    return texts;
}

// A plain score of two staves on the default page: 8.25 x 11 inches at a stave size
// stored as 0.333 inch, so the longer side reaches 11 x 32 / 0.333 = 1057 page units.
constexpr int PaperReach = 1057;

ScoreObject shape(int size1, int size2) {
    ScoreObject o = makeObject(ObjectKind::Shape, 10, 10);
    o.setShapeType(3);
    o.setShapeFilled(true);
    o.setShapeSize1(size1);
    o.setShapeSize2(size2);
    return o;
}

ScoreObject line(ObjectKind kind, int dx, int dy) {
    ScoreObject o = makeObject(kind, 10, 40);
    o.setI16(6, dx);
    o.setI16(8, dy);
    o.setU8(10, 255);
    return o;
}

// Two objects of `kind` whose links at bytes `forward` and `back` point at each other
// both ways round: a chain that never ends.
void loopOfTwo(Stave& s, ObjectKind kind, int forward, int back) {
    ScoreObject a = makeObject(kind, 10, 40), b = makeObject(kind, 30, 40);
    a.setU8(forward, 2);
    a.setU8(back, 2);
    b.setU8(forward, 1);
    b.setU8(back, 1);
    append(s, a);
    append(s, b);
}

} // namespace

// Values a file can carry that would make drawing take memory or time without end
// are cut to what the page can show or the font dialog offers, each with a message,
// and reading goes on; the score then saves and reads back without a word.
TEST(DamagedScoreFile, HostileSizesAndLoopsAreCutWithAMessage) {
    struct Case {
        std::string label;
        std::function<void(Score&)> damage;
        std::string message;
        std::function<bool(const Score&)> bounded;
    };
    const std::vector<Case> cases = {
        {"font of 12000 points",
         [](Score& s) {
             s.fonts.setFont(1, {"Times New Roman", 12000, 0, 0});
         },
         "Problem with font 1: 12000 points", [](const Score& s) { return s.fonts.font(1).size == 255; }},
        {"paper of 65.5 inches square", [](Score& s) { s.page.Width = s.page.Length = 65.535; },
         "Problem with the page size",
         [](const Score& s) { return s.page.Width == 12.0 && s.page.Length == 24.0; }},
        {"paper 30 inches wide", [](Score& s) { s.page.Width = 30.0; }, "Problem with the page size",
         [](const Score& s) { return s.page.Width == 24.0 && s.page.Length == 11.0; }},
        {"paper a tenth of an inch long", [](Score& s) { s.page.Length = 0.1; }, "Problem with the page size",
         [](const Score& s) { return s.page.Length == 3.0; }},
        {"side margins wider than the paper",
         [](Score& s) {
             s.page.LeftM = s.page.RightM = 4.5;
             s.page.GutM = 1.0;
         },
         "Problem with the page margins",
         [](const Score& s) { return s.page.LeftM == 0.5 && s.page.RightM == 0.5 && s.page.GutM == 0.0; }},
        {"header and footer taller than the paper",
         [](Score& s) {
             s.page.Header = 6.0;
             s.page.Footer = 6.0;
         },
         "Problem with the page margins",
         [](const Score& s) { return s.page.Header == 0.0 && s.page.Footer == 0.0 && s.page.TopM == 0.5; }},
        {"shape of 8000 units", [](Score& s) { append(s.stave(1), shape(8000, -8000)); },
         "Problem with stave 1 at object 1",
         [](const Score& s) {
             const ScoreObject& o = s.stave(1).object(1);
             return o.shapeSize1() == PaperReach && o.shapeSize2() == -PaperReach;
         }},
        {"line across the whole coordinate range",
         [](Score& s) { append(s.stave(2), line(ObjectKind::Line, -32768, 32767)); },
         "Problem with stave 2 at object 1",
         [](const Score& s) {
             const ScoreObject& o = s.stave(2).object(1);
             return o.lineDx() == -PaperReach && o.lineDy() == PaperReach && o.lineThickness() == 255;
         }},
        {"hairpin 20000 units open",
         [](Score& s) { append(s.stave(1), line(ObjectKind::Hairpin, 40, 20000)); },
         "Problem with stave 1 at object 1",
         [](const Score& s) {
             return s.stave(1).object(1).hairpinDx() == 40 && s.stave(1).object(1).hairpinDy() == PaperReach;
         }},
        {"arpeggio of 200 segments",
         [](Score& s) {
             ScoreObject o = makeObject(ObjectKind::Arpeggio, 10, 48);
             o.setSegments(200);
             append(s.stave(1), o);
         },
         "Problem with stave 1 at object 1",
         [](const Score& s) { return s.stave(1).object(1).segments() == 127; }},
        {"long text continued by itself",
         [](Score& s) {
             ScoreObject head = makeTextHead(10, 20, 1, "ABCDEFGHIJ");
             head.setTextNext(1);
             append(s.stave(1), head);
         },
         "Problem with stave 1 at object 1",
         [](const Score& s) { return s.stave(1).object(1).textNext() == 0; }},
        {"long text whose chunk leads back to its head",
         [](Score& s) {
             ScoreObject head = makeTextHead(10, 20, 1, "ABCDEFGHIJ");
             head.setTextNext(2);
             ScoreObject chunk = makeTextHead(0, 0, 1, "KLMNOPQRST", TextContinuation);
             chunk.setTextNext(1);
             append(s.stave(0), head);
             append(s.stave(0), chunk);
         },
         "Problem with stave 0 at object 2",
         [](const Score& s) {
             return s.stave(0).object(1).textNext() == 2 && s.stave(0).object(2).textNext() == 0;
         }},
        {"curve whose points lead round each other",
         [](Score& s) { loopOfTwo(s.stave(1), ObjectKind::CurvePoint, 7, 8); },
         "Problem with stave 1 at object 2",
         [](const Score& s) {
             return s.stave(1).object(2).curveNext() == 0 && s.stave(1).object(2).curvePrev() == 0;
         }},
        {"beam group that leads round itself",
         [](Score& s) { loopOfTwo(s.stave(2), ObjectKind::Note, 11, 10); },
         "Problem with stave 2 at object 2",
         [](const Score& s) {
             return s.stave(2).object(2).beamForward() == 0 && s.stave(2).object(2).beamBack() == 0;
         }},
    };
    for (const Case& c : cases) {
        Score score = makeScore(2);
        c.damage(score);
        const auto bytes = encodeWhole(score);
        Score out;
        ScriptedUi ui;
        ASSERT_EQ(readScore(bytes, FileName, {}, ui, out).status, ReadStatus::Ok) << c.label;
        EXPECT_EQ(shownTexts(ui), std::vector<std::string>{c.message + "\nFile is bad."}) << c.label;
        EXPECT_TRUE(c.bounded(out)) << c.label;
        expectSoundScore(out, c.label);
    }
}

TEST(DamagedScoreFile, FontsScaledForThisScreenStopAtTheLargestSize) {
    struct Case {
        int stored;
        double factor;
        int expected;
        std::size_t messages;
    };
    for (const Case c : {Case{250, 1.25, 255, 0}, Case{200, 1.25, 250, 0}, Case{300, 0.5, 128, 1},
                         Case{255, 255.0, 255, 0}}) {
        Score score = makeScore(1);
        score.fonts.setFont(1, {"Arial", c.stored, 0, 0});
        Score out;
        ScriptedUi ui;
        ASSERT_EQ(readScore(encodeWhole(score), FileName, {c.factor, 96}, ui, out).status, ReadStatus::Ok);
        EXPECT_EQ(out.fonts.font(1).size, c.expected) << c.stored << " x " << c.factor;
        EXPECT_EQ(ui.messages.size(), c.messages) << c.stored << " x " << c.factor;
    }
}

// The largest paper either way round, the smallest, and margins that leave an inch
// of music each way are all a page may be: they load without a word.
TEST(DamagedScoreFile, TheLargestAndSmallestLegalPagesLoadAsStored) {
    struct Case {
        double width, length, side, top;
        bool landscape;
    };
    for (const Case c : {Case{12.0, 24.0, 0.0, 0.0, false}, Case{24.0, 12.0, 0.0, 0.0, true},
                         Case{3.0, 3.0, 1.0, 1.0, false}, Case{8.25, 11.0, 3.625, 5.0, false}}) {
        Score score = makeScore(1);
        score.page.Width = c.width;
        score.page.Length = c.length;
        score.page.LeftM = score.page.RightM = c.side;
        score.page.TopM = score.page.BotM = c.top;
        score.page.landscape = c.landscape;
        Score out;
        ScriptedUi ui;
        ASSERT_EQ(readScore(encodeWhole(score), FileName, {}, ui, out).status, ReadStatus::Ok);
        EXPECT_TRUE(ui.messages.empty()) << c.width << " x " << c.length;
        EXPECT_EQ(out.page, score.page) << c.width << " x " << c.length;
    }
}
