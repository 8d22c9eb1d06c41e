// Damaged files: a refusal leaves the score untouched and says nothing; an accepted file
// keeps the model's bounds and saves cleanly; what was mended is told, once a stave.

#include "files/scoredump.h"
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
#include <sstream>

using namespace qv;
using namespace qv::test;

namespace {
using Bytes = std::vector<std::uint8_t>;
using Status = ReadStatus;
const std::string FileName = "DAMAGED.QVR";

Bytes encodeWhole(Score& score) { return encodeScore(score, {0, score.Nstaves}, {}); }

Score sentinel() { // the score a refused read must leave alone, made twice to compare
    std::mt19937 rng(99);
    return randomScore(rng, {1, 4, 20, 3});
}

struct Attempt { ReadResult result; Score score; std::string shown; }; // shown: messages joined by " / "

Attempt readOver(const Bytes& bytes, Score score, double fontFactor = 1.0) {
    Attempt a{{}, std::move(score), {}};
    ScriptedUi ui;
    a.result = readScore(bytes, FileName, {fontFactor, 96}, ui, a.score);
    for (const auto& m : ui.messages)
        a.shown += (a.shown.empty() ? "" : " / ") + m.text;
    return a;
}

// An accepted score stays within the model and saves to files that read back without a word.
// The first save may change on reloading (a stave made empty for an old or partial file stores
// 0 where a read gives 20 and 5), so the fixed point is checked from the second save on.
void expectSoundScore(Score& score, const std::string& label) {
    ASSERT_GE(score.Nstaves, 1) << label;
    for (int s = 0; s <= score.Nstaves; ++s)
        EXPECT_LE(score.stave(s).Nobjec, MaxObjects) << label;
    Bytes saved[3];
    Attempt again;
    for (int k = 0; k < 3; ++k) {
        saved[k] = encodeWhole(k == 0 ? score : again.score);
        again = readOver(saved[k], Score{});
        ASSERT_EQ(again.result.status, Status::Ok) << label;
        EXPECT_EQ(again.shown, "") << label;
    }
    EXPECT_TRUE(saved[1] == saved[2]) << label << ": saved again, the file changes";
}

// Reads over a sentinel and checks the contract for whatever the outcome.
Attempt attempt(const Bytes& bytes, const std::string& label, double fontFactor = 1.0) {
    Attempt a = readOver(bytes, sentinel(), fontFactor);
    if (a.result.status == Status::Ok) {
        expectSoundScore(a.score, label);
    } else {
        const Score twin = sentinel();
        EXPECT_TRUE(a.score.sameContent(twin) && a.score.description == twin.description) << label;
        EXPECT_TRUE(a.shown.empty() && !a.result.message.empty()) << label << ": " << a.shown;
    }
    return a;
}

Bytes plainFile() { // two empty staves: header, page, font 1 pair, staves 0..2 in records 4..6
    Score score = makeScore(2);
    return encodeWhole(score);
}

void put16(Bytes& b, int record, int offset, int value) {
    putU16(&b[static_cast<std::size_t>(record * RecordSize + offset)], static_cast<std::uint16_t>(value));
}

// An object record as stored, whatever the stave's count says.
void objectRecord(Bytes& b, int stave, int index,
                  const ScoreObject& o = makeObject(ObjectKind::Barline, 10, 40)) {
    b.push_back(static_cast<std::uint8_t>(stave));
    b.push_back(static_cast<std::uint8_t>(index));
    b.insert(b.end(), o.bytes.begin(), o.bytes.end());
}

// The next object of a stave of the plain file, counted in its stave record.
void add(Bytes& b, int stave, const ScoreObject& o) {
    objectRecord(b, stave, ++b[static_cast<std::size_t>((4 + stave) * RecordSize + 7)], o);
}

ScoreObject shape(int size1, int size2) {
    ScoreObject o = makeObject(ObjectKind::Shape, 10, 10);
    o.setShapeType(3), o.setShapeSize1(size1), o.setShapeSize2(size2);
    return o;
}

ScoreObject line(ObjectKind kind, int dx, int dy) {
    ScoreObject o = makeObject(kind, 10, 40);
    o.setI16(6, dx), o.setI16(8, dy), o.setU8(10, 255);
    return o;
}

ScoreObject linked(ScoreObject o, int at, int to, int alsoAt = 0) {
    o.setU8(at, to);
    if (alsoAt) o.setU8(alsoAt, to);
    return o;
}

ScoreObject text(int next, int attributes = 0) {
    return linked(makeTextHead(10, 20, 1, "ABCDEFGHIJ", attributes), 7, next);
}

ScoreObject arpeggio(int segments) {
    ScoreObject o = makeObject(ObjectKind::Arpeggio, 10, 48);
    return o.setSegments(segments), o;
}

// Two objects whose links at `forward` and `back` point at each other: a chain without end.
void loopOfTwo(Bytes& b, int stave, ObjectKind kind, int forward, int back) {
    add(b, stave, linked(makeObject(kind, 10, 40), forward, 2, back));
    add(b, stave, linked(makeObject(kind, 30, 40), forward, 1, back));
}

// The paper, the margins on both sides and at top and bottom, in thousandths.
void page(Bytes& b, int width, int length, int side, int top, bool landscape = false) {
    for (const auto& [at, v] : {std::pair{2, width}, {0, length}, {6, side}, {8, side}, {4, top}, {10, top}})
        put16(b, 1, at, v);
    b[RecordSize + 21] = landscape;
}

std::string problem(const std::string& what) { return "Problem with " + what + "\nFile is bad."; }
const std::string ReadError = "File read error in DAMAGED.QVR";
// The plain file's longer side, 11 inches at a stave size stored as 0.333 inch: 11 x 32 / 0.333 page units.
constexpr int Reach = 1057;

struct Case {
    std::string label;
    std::function<void(Bytes&)> damage;
    Status status;
    std::string message; // the refusal, or every message an accepted file shows
    std::function<bool(const Score&)> holds = nullptr;
    double fontFactor = 1.0;
};
} // namespace

TEST(DamagedScoreFile, EachDamageIsRefusedOrMendedWithItsMessage) {
    using S = const Score&;
    using B = Bytes&;
    const auto at = [](S s, int stave, int i) -> const ScoreObject& { return s.stave(stave).object(i); };
    const Status Ok = Status::Ok, Refused = Status::Bad, Short = Status::ReadError;
    const auto font1 = [](int size) { return [size](S s) { return s.fonts.font(1).size == size; }; };
    const auto bad = [](int stave, int object) {
        return problem("stave " + std::to_string(stave) + " at object " + std::to_string(object));
    };
    const std::vector<Case> cases = {
        {"empty", [](B b) { b.clear(); }, Short, ReadError},
        {"21 bytes", [](B b) { b.resize(21); }, Short, ReadError},
        {"a stave short", [](B b) { b.resize(6 * RecordSize); }, Short, ReadError},
        {"no description", [](B b) { b.resize(2 * RecordSize), b[3] = FlagDescription; }, Short, ReadError},
        {"not ours", [](B b) { b[2] = 'v'; }, Status::NotScoreFile, NotScoreFileMessage},
        {"version 300", [](B b) { put16(b, 0, 8, 300); }, Status::NoteWorthy,
         "NoteWorthy 2 files cannot be read by this version of Quaverly 32."},
        {"no staves", [](B b) { b[0] = 0; }, Refused, problem("the header: no staves")},
        {"font 0", [](B b) { b[2 * RecordSize] = 0; }, Refused, problem("font 0 in font pair 1")},
        {"256 fonts", [](B b) { put16(b, 0, 20, 256); }, Refused, problem("the font count 256")},
        {"250 objects", [](B b) { b[5 * RecordSize + 7] = 250; }, Refused, problem("stave 1: 250 objects")},
        {"stave above the stored ones", [](B b) { objectRecord(b, 9, 3); }, Refused, bad(9, 3)},
        {"object 0", [](B b) { objectRecord(b, 1, 0); }, Refused, bad(1, 0)},
        {"object 250", [](B b) { objectRecord(b, 2, 250); }, Refused, bad(2, 250)},
        {"mendable, then bad", [](B b) { objectRecord(b, 1, 4), objectRecord(b, 3, 1); }, Refused, bad(3, 1)},
        {"partial file's stave 4", // its three stave records are music staves 1..3
         [](B b) { b[0] = 3, b[3] = FlagPartial, objectRecord(b, 4, 1); }, Refused, bad(4, 1)},
        {"a stave's objects missing before a later stave's",
         [](B b) { b[5 * RecordSize + 7] = 2, add(b, 2, makeObject(ObjectKind::Barline, 10, 40)); }, Short,
         ReadError},
        {"object 4 of none", [](B b) { objectRecord(b, 1, 4); }, Ok,
         bad(1, 4) + " / " + problem("stave 1: 3 objects missing"), [&](S s) {
             return s.stave(1).Nobjec == 4 && at(s, 1, 3) == makeObject(ObjectKind::Deleted) &&
                    at(s, 1, 4).is(ObjectKind::Barline); }},
        {"object 2 of 1", [](B b) { b[5 * RecordSize + 7] = 1, objectRecord(b, 1, 2); }, Ok,
         bad(1, 2) + " / " + problem("stave 1: 1 object missing")},
        {"12000 pt", [](B b) { put16(b, 3, 13, 12000); }, Ok, problem("font 1: 12000 points"), font1(255)},
        {"300 pt halved", [](B b) { put16(b, 3, 13, 300); }, Ok, problem("font 1: 300 points"), font1(128),
         0.5},
        {"250 points scaled up", [](B b) { put16(b, 3, 13, 250); }, Ok, "", font1(255), 1.25},
        {"200 points scaled up", [](B b) { put16(b, 3, 13, 200); }, Ok, "", font1(250), 1.25},
        {"paper 65.5 inches square", [](B b) { put16(b, 1, 0, 65535), put16(b, 1, 2, 65535); }, Ok,
         problem("the page size"), [](S s) { return s.page.Width == 12.0 && s.page.Length == 24.0; }},
        {"paper 30 inches wide", [](B b) { put16(b, 1, 2, 30000); }, Ok, problem("the page size"),
         [](S s) { return s.page.Width == 24.0 && s.page.Length == 11.0; }},
        {"paper a tenth of an inch long", [](B b) { put16(b, 1, 0, 100); }, Ok, problem("the page size"),
         [](S s) { return s.page.Length == 3.0; }},
        {"side margins wider than the paper",
         [](B b) { put16(b, 1, 6, 4500), put16(b, 1, 8, 4500), put16(b, 1, 12, 1000); }, Ok,
         problem("the page margins"),
         [](S s) { return s.page.LeftM == 0.5 && s.page.RightM == 0.5 && s.page.GutM == 0.0; }},
        {"margins, header and footer taller than the paper", [](B b) { put16(b, 1, 4, 6000), put16(b, 1, 10, 6000),
         put16(b, 0, 11, 300), put16(b, 0, 13, 300); }, Ok, problem("the page margins"), [](S s) {
             return s.page.Header == 0.0 && s.page.Footer == 0.0 && s.page.TopM == 0.5 && s.page.BotM == 0.5; }},
        {"largest paper upright", [](B b) { page(b, 12000, 24000, 0, 0); }, Ok, "",
         [](S s) { return s.page.Width == 12.0 && s.page.Length == 24.0 && s.page.LeftM == 0.0; }},
        {"largest paper turned", [](B b) { page(b, 24000, 12000, 0, 0, true); }, Ok, "",
         [](S s) { return s.page.Width == 24.0 && s.page.Length == 12.0 && s.page.landscape; }},
        {"smallest paper, an inch of margins", [](B b) { page(b, 3000, 3000, 1000, 1000); }, Ok, "",
         [](S s) { return s.page.Width == 3.0 && s.page.LeftM == 1.0 && s.page.TopM == 1.0; }},
        {"margins leaving an inch of music", [](B b) { page(b, 8250, 11000, 3625, 5000); }, Ok, "",
         [](S s) { return s.page.RightM == 3.625 && s.page.BotM == 5.0; }},
        {"shape of 8000 units", [](B b) { add(b, 1, shape(8000, -8000)); }, Ok, bad(1, 1),
         [&](S s) { return at(s, 1, 1).shapeSize1() == Reach && at(s, 1, 1).shapeSize2() == -Reach; }},
        {"line across all coordinates", [](B b) { add(b, 2, line(ObjectKind::Line, -32768, 32767)); }, Ok,
         bad(2, 1), [&](S s) {
             const ScoreObject& o = at(s, 2, 1);
             return o.lineDx() == -Reach && o.lineDy() == Reach && o.lineThickness() == 255; }},
        {"hairpin 20000 open", [](B b) { add(b, 1, line(ObjectKind::Hairpin, 40, 20000)); }, Ok, bad(1, 1),
         [&](S s) { return at(s, 1, 1).hairpinDx() == 40 && at(s, 1, 1).hairpinDy() == Reach; }},
        {"arpeggio of 200 segments after a barline",
         [](B b) { add(b, 1, makeObject(ObjectKind::Barline, 5, 40)), add(b, 1, arpeggio(200)); }, Ok,
         bad(1, 2), [&](S s) { return at(s, 1, 2).segments() == 127; }},
        {"text continued by itself", [](B b) { add(b, 1, text(1)); }, Ok, bad(1, 1),
         [&](S s) { return at(s, 1, 1).textNext() == 0; }},
        {"text whose chunk leads back to its head",
         [](B b) { add(b, 0, text(2)), add(b, 0, text(1, TextContinuation)); }, Ok, bad(0, 2),
         [&](S s) { return at(s, 0, 1).textNext() == 2 && at(s, 0, 2).textNext() == 0; }},
        {"curve points leading round each other", [](B b) { loopOfTwo(b, 1, ObjectKind::CurvePoint, 7, 8); },
         Ok, bad(1, 2), [&](S s) { return at(s, 1, 2).curveNext() == 0 && at(s, 1, 2).curvePrev() == 0; }},
        {"beam group that leads round itself", [](B b) { loopOfTwo(b, 2, ObjectKind::Note, 11, 10); }, Ok,
         bad(2, 2), [&](S s) { return at(s, 2, 2).beamForward() == 0 && at(s, 2, 2).beamBack() == 0; }},
    };
    for (const Case& c : cases) {
        Bytes bytes = plainFile();
        c.damage(bytes);
        const Attempt a = attempt(bytes, c.label, c.fontFactor);
        EXPECT_EQ(a.result.status, c.status) << c.label;
        EXPECT_EQ(a.result.status == Status::Ok ? a.shown : a.result.message, c.message) << c.label;
        EXPECT_TRUE(!c.holds || c.holds(a.score)) << c.label;
    }
}

namespace {
int announcedRecords(const Bytes& bytes) {
    const FileHeader h = decodeHeader(bytes.data());
    return 2 + (h.hasDescription() ? 1 : 0) + 2 * h.NumFonts + h.Nstaves + (h.partial() ? 0 : 1);
}

// The listing shows each whole record once, in order, all of them when it says it is
// complete; the sanitizer build checks it reads nothing beyond.
bool listsEveryRecord(const Bytes& bytes, const std::string& label) {
    const DumpResult dump = dumpScoreFile(bytes, "x");
    std::istringstream text(dump.text);
    std::size_t listed = 0;
    for (std::string line; std::getline(text, line);) {
        if (line.rfind("Record ", 0) != 0) continue;
        EXPECT_EQ(std::stoul(line.substr(7, 4)), listed++) << label;
        EXPECT_EQ(line.size(), 12u + 22 * 3) << label;
    }
    EXPECT_LE(listed, bytes.size() / RecordSize) << label;
    const bool complete = dump.complete && bytes.size() >= RecordSize && getU16(&bytes[8]) > 300;
    EXPECT_TRUE(!complete || listed == bytes.size() / RecordSize) << label;
    EXPECT_TRUE(bytes.size() % RecordSize == 0 || !dump.complete) << label;
    return complete;
}

int between(std::mt19937& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
} // namespace

TEST(DamagedScoreFile, TruncatedAtEveryRecordIsRefusedOrReadToTheEnd) {
    std::mt19937 rng(11);
    for (int k = 0; k < 12; ++k) {
        Score score = randomScore(rng, {1, 5, 15, 4});
        const Bytes bytes = encodeWhole(score);
        const int announced = announcedRecords(bytes);
        for (std::size_t n = 1; n < bytes.size() / RecordSize; ++n) {
            const std::string label = "score " + std::to_string(k) + " cut to " + std::to_string(n);
            const Bytes whole(bytes.begin(), bytes.begin() + static_cast<long>(n * RecordSize));
            const Status expected = int(n) >= announced ? Status::Ok : Status::ReadError;
            EXPECT_EQ(attempt(whole, label).result.status, expected) << label;
            const Bytes ragged(bytes.begin(), bytes.begin() + static_cast<long>(n * RecordSize + 7));
            EXPECT_EQ(attempt(ragged, label).result.status, Status::ReadError) << label;
        }
    }
}

TEST(DamagedScoreFile, FlippedBitsAndGarbageAreRefusedOrRecoveredAndListed) {
    std::mt19937 rng(2026);
    std::map<Status, int> flipped, garbage;
    int listedToTheEnd = 0;
    for (int k = 0; k < 400; ++k) {
        Score score = randomScore(rng, {1, 6, 20, 5});
        Bytes bytes = encodeWhole(score);
        const int limit = k % 2 ? announcedRecords(bytes) * RecordSize : static_cast<int>(bytes.size());
        for (int f = between(rng, 1, 6); f > 0; --f)
            bytes[static_cast<std::size_t>(between(rng, 0, limit - 1))] ^=
                static_cast<std::uint8_t>(1 << between(rng, 0, 7));
        const std::string label = "flipped file " + std::to_string(k);
        ++flipped[attempt(bytes, label).result.status], listedToTheEnd += listsEveryRecord(bytes, label);
    }
    for (int k = 0; k < 400; ++k) {
        Bytes bytes(static_cast<std::size_t>(between(rng, 1, 30)) * RecordSize);
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(between(rng, 0, 255));
        if (k % 4 != 0) { // most get far enough to reach the counts and indexes
            bytes[1] = 'q', bytes[2] = 'V';
            putU16(&bytes[8], static_cast<std::uint16_t>(between(rng, 301, 304)));
            bytes[0] = static_cast<std::uint8_t>(between(rng, 0, 4));
            putU16(&bytes[20], static_cast<std::uint16_t>(between(rng, 0, 3)));
            if (k % 3 == 0) bytes[3] &= 0x1F; // no description, whole file
        }
        const std::string label = "garbage " + std::to_string(k);
        ++garbage[attempt(bytes, label).result.status], listedToTheEnd += listsEveryRecord(bytes, label);
    }
    for (Status s : {Status::Ok, Status::ReadError, Status::Bad}) {
        EXPECT_GT(flipped[s], 0) << "no flipped file ended with status " << static_cast<int>(s);
        EXPECT_GT(garbage[s], 0) << "no garbage file ended with status " << static_cast<int>(s);
    }
    EXPECT_GT(garbage[Status::NotScoreFile], 0);
    EXPECT_GT(listedToTheEnd, 400) << "the listings must reach the object records often enough to matter";
}
