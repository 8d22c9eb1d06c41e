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
