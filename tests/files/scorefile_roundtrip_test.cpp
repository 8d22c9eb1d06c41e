// Writing and reading agree: random scores come back equal, and the files this
// program writes come back byte for byte when read and written again.

#include "files/scorefileread.h"
#include "files/scorefilewrite.h"
#include "support/randomscore.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace qv;
using namespace qv::test;

namespace {

struct Loaded {
    ReadResult result;
    Score score;
    ScriptedUi ui;
};

std::unique_ptr<Loaded> load(const std::vector<std::uint8_t>& bytes) {
    auto l = std::make_unique<Loaded>();
    l->result = readScore(bytes, "ROUND.QVR", {}, l->ui, l->score);
    return l;
}

int between(std::mt19937& rng, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

bool isText(const ScoreObject& o) {
    return o.is(ObjectKind::ShortText) || o.is(ObjectKind::LongText);
}

// Texts outside the range move to font 1, so that the fonts written with the
// range are exactly the ones its own texts use.
void keepFontsInside(Score& score, int first, int last) {
    for (int s = 0; s <= score.Nstaves; ++s) {
        if (s >= first && s <= last) continue;
        for (int i = 1; i <= score.stave(s).Nobjec; ++i)
            if (isText(score.stave(s).object(i))) score.stave(s).object(i).setFontNumber(1);
    }
}

// Stave `from` of the original as it is expected at index `to` of a file's score.
void expectStaveMoved(const Score& original, int from, const Score& read, int to) {
    Stave expected = original.stave(from);
    expected.staveNumber = static_cast<std::uint16_t>(to);
    EXPECT_TRUE(read.stave(to) == expected) << "stave " << from << " stored as " << to;
}

// Equal files, or where the first difference lies.
::testing::AssertionResult sameBytes(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    const auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    if (ia == a.end() && ib == b.end()) return ::testing::AssertionSuccess();
    const auto at = ia - a.begin();
    return ::testing::AssertionFailure()
           << "sizes " << a.size() << " and " << b.size() << ", first difference in record "
           << at / RecordSize << " at byte " << at % RecordSize;
}

} // namespace

TEST(ScoreFileRoundTrip, WholeScoresComeBackEqualAndRewriteByteForByte) {
    std::mt19937 rng(20261206);
    for (int k = 0; k < 200; ++k) {
        Score score = randomScore(rng);
        const WriteRange whole{0, score.Nstaves};
        const WriteOptions options{false, k % 2 ? 96 : 120};
        const auto bytes = encodeScore(score, whole, options);
        const auto back = load(bytes);
        ASSERT_EQ(back->result.status, ReadStatus::Ok) << "score " << k << ": " << back->result.message;
        EXPECT_TRUE(back->ui.messages.empty());
        EXPECT_TRUE(back->score.sameContent(score)) << "score " << k;
        EXPECT_EQ(back->result.screenResolution, options.screenResolution);
        EXPECT_TRUE(sameBytes(encodeScore(back->score, whole, {false, back->result.screenResolution}), bytes))
            << "score " << k;
    }
}

TEST(ScoreFileRoundTrip, PartialFilesHoldTheirRangeAndRewriteByteForByte) {
    std::mt19937 rng(7);
    for (int k = 0; k < 150; ++k) {
        Score score = randomScore(rng, {2, 12, 40, 6});
        const int first = between(rng, 1, score.Nstaves);
        const int last = between(rng, first, score.Nstaves);
        keepFontsInside(score, first, last);
        const auto bytes = encodeScore(score, {first, last}, {});
        const auto back = load(bytes);
        ASSERT_EQ(back->result.status, ReadStatus::Ok) << "score " << k;
        ASSERT_EQ(back->score.Nstaves, last - first + 1);
        for (int s = first; s <= last; ++s)
            expectStaveMoved(score, s, back->score, s - first + 1);
        EXPECT_TRUE(sameBytes(encodeScore(back->score, {1, back->score.Nstaves}, {}), bytes))
            << "score " << k;
    }
}

TEST(ScoreFileRoundTrip, TemplatesKeepTheirDescriptionAndRewriteByteForByte) {
    std::mt19937 rng(303);
    for (int k = 0; k < 100; ++k) {
        Score score = randomScore(rng, {1, 8, 20, 4});
        const WriteRange staves{1, score.Nstaves};
        keepFontsInside(score, 1, score.Nstaves); // the header/footer texts are not in a template
        const auto bytes = encodeScore(score, staves, WriteOptions{true, 96});
        const auto back = load(bytes);
        ASSERT_EQ(back->result.status, ReadStatus::Ok) << "score " << k;
        EXPECT_TRUE(back->result.header.isTemplate());
        EXPECT_EQ(back->score.description, score.description);
        for (int s = 1; s <= score.Nstaves; ++s)
            expectStaveMoved(score, s, back->score, s);
        EXPECT_TRUE(sameBytes(encodeScore(back->score, staves, WriteOptions{true, 96}), bytes))
            << "score " << k;
    }
}

TEST(ScoreFileRoundTrip, LargestScoreComesBackEqual) {
    Score score = largestScore(5);
    ASSERT_EQ(score.Nstaves, MaxStaves);
    for (int s = 1; s <= MaxStaves; ++s)
        ASSERT_EQ(score.stave(s).Nobjec, MaxObjects);
    const auto bytes = encodeScore(score, {0, MaxStaves}, {});
    const std::size_t records = 2 + 2 * static_cast<std::size_t>(score.NumFonts) + 256 +
                                MaxStaves * MaxObjects + score.stave(0).Nobjec;
    EXPECT_EQ(bytes.size(), records * RecordSize);
    const auto back = load(bytes);
    ASSERT_EQ(back->result.status, ReadStatus::Ok);
    EXPECT_TRUE(back->score.sameContent(score));
}

// Compaction looks at every stave, so a partial file also carries fonts that only
// texts outside its range use; saving what was read from it drops them.
TEST(ScoreFileRoundTrip, FontsUsedOnlyOutsideAPartialRangeLastOneGeneration) {
    Score score = makeScore(3);
    score.fonts.setFont(2, FontDesc{"Elsewhere", 11, 0, 0});
    score.fonts.markInUse(2);
    score.NumFonts = 2;
    append(score.stave(1), makeShortText(5, 5, 1, "here"));
    append(score.stave(3), makeShortText(5, 5, 2, "there"));
    const auto bytes = encodeScore(score, {1, 2}, {});
    const auto back = load(bytes);
    ASSERT_EQ(back->result.status, ReadStatus::Ok);
    EXPECT_EQ(back->score.NumFonts, 2);
    EXPECT_EQ(back->score.fonts.font(2).name, "Elsewhere");
    encodeScore(back->score, {1, 2}, {});
    EXPECT_EQ(back->score.NumFonts, 1);
}

// The round trips above mean something only if the scores they use hold every
// kind of object and the face names that need both font records.
TEST(ScoreFileRoundTrip, RandomScoresHoldEveryKindAndEveryNameSplit) {
    std::mt19937 rng(20261206);
    std::set<int> kinds;
    std::set<std::size_t> nameLengths;
    for (int k = 0; k < 200; ++k) {
        const Score score = randomScore(rng);
        for (int s = 0; s <= score.Nstaves; ++s)
            for (int i = 1; i <= score.stave(s).Nobjec; ++i)
                kinds.insert(static_cast<int>(score.stave(s).object(i).kind()));
        for (int n = 1; n <= score.NumFonts; ++n)
            nameLengths.insert(score.fonts.font(n).name.size());
    }
    EXPECT_EQ(kinds, (std::set<int>{0, 1, 2, 3, 4, 5, 7, 9, 10, 11, 12, 13, 14, 16, 17, 18}));
    for (std::size_t length : {20u, 21u, 31u})
        EXPECT_TRUE(nameLengths.count(length)) << length;
}
