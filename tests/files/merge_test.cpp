// Merging a file into the open score: where the merged staves go, the questions and
// refusals before anything changes, the fonts joined, damaged files refused with the
// open score as it was, and one Undo taking the whole merge back.

#include "files/merge.h"
#include "files/mergeread.h"
#include "files/scorefilewrite.h"
#include "model/bytes.h"
#include "model/pagegeometry.h"
#include "support/randomscore.h"
#include "support/scorebuilder.h"
#include "support/scratchfolder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace qv;
using namespace qv::test;

namespace {
using Bytes = std::vector<std::uint8_t>;

Score withNotes(int staves, int x0 = 100) { // staves 48 apart, a note each at x0 + its number
    Score s = makeScore(staves);
    for (int i = 1; i <= staves; ++i)
        append(s.stave(i), makeNote(x0 + i, i % 5 - 2, 3, s.stave(i).Ycoord));
    return s;
}
Bytes fileOf(Score score) {
    return encodeScore(score, {0, score.Nstaves}, {});
}
Score sentinel() {
    std::mt19937 rng(7);
    return randomScore(rng, {3, 3, 20, 3});
}

struct Merge : ::testing::Test {
    ScratchFolder dir;
    ScriptedUi ui;
    PageState state;
    std::string put(const Bytes& b, const std::string& name = "MERGED.QVR") {
        return writeBytes(dir.at(name), b), dir.at(name);
    }
    bool merge(Score& open, int p, const std::string& path, std::deque<Button> answers = {}) {
        ui.messages.clear(), ui.buttonAnswers = std::move(answers);
        return mergeFile(open, p, path, musicAreaHeight(open.page, open.StvSiz), ui, state);
    }
};

TEST_F(Merge, StavesGoInAsWholeSystemsUpToTheLimit) {
    const std::string three = put(fileOf(withNotes(3, 200)));
    Score full = makeScore(253);
    EXPECT_FALSE(merge(full, 10, three));
    EXPECT_EQ(ui.lastText(), "The current score has 253 staves, and the one to be merged has 3.\n\n"
                             "This is greater than the 255 allowed: file cannot be merged.");
    EXPECT_TRUE(full.sameContent(makeScore(253)));
    Score room = makeScore(252);
    ASSERT_TRUE(merge(room, 252, three));
    EXPECT_EQ(room.Nstaves, 255);

    Score top = withNotes(2); // before stave 1: the top extent at 10, the old staves below
    ASSERT_TRUE(merge(top, 0, three));
    EXPECT_EQ(top.stave(1).MinY, 10);
    EXPECT_EQ(top.stave(2).Ycoord - top.stave(1).Ycoord, 48) << "the file's spacing";
    EXPECT_EQ(top.stave(4).MinY, top.stave(3).MaxY + 10);
    EXPECT_EQ(top.stave(4).object(1).x(), 101);

    Score file = withNotes(3, 200); // its last stave alone on its second page, joined to nothing
    file.stave(3).PageNum = 2, file.stave(3).joinToNext = true, file.stave(2).ForcedBk = true;
    Score after = withNotes(3);
    ASSERT_TRUE(merge(after, 1, put(fileOf(std::move(file)))));
    EXPECT_EQ(after.stave(2).MinY, after.stave(1).MaxY) << "touching the stave above";
    EXPECT_EQ(after.stave(4).MinY, after.stave(3).MaxY + 10) << "the file's pages glued";
    EXPECT_FALSE(after.stave(3).ForcedBk || after.stave(4).joinToNext);
}

TEST_F(Merge, AnotherStaveSizeIsAskedAboutOnceAndDecliningLeavesTheScoreAlone) {
    Score file = withNotes(2);
    file.StvSiz = 0.4;
    const std::string path = put(fileOf(std::move(file)));
    Score open = withNotes(3);
    EXPECT_FALSE(merge(open, 1, path, {ButtonCancel}));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text,
              "The file you are merging differs in the stave size from the one you are working "
              "on and may cause objects to be off the paper or otherwise distorted.\n\n"
              "Do you wish to continue?");
    EXPECT_EQ(ui.messages[1].text, "File read error in " + path);
    EXPECT_TRUE(open.sameContent(withNotes(3)));
    EXPECT_TRUE(merge(open, 1, path, {ButtonOk}));
    EXPECT_EQ(open.Nstaves, 5);
}

TEST_F(Merge, TextsTakeTheOpenScoresNumberForEachFont) {
    const FontDesc courier{"Courier New", 14, FontBold, 0xFF}, arial{"Arial", 10, FontItalic, 0};
    Score file = withNotes(1);
    file.fonts.setFont(2, courier), file.fonts.setFont(3, arial), file.fonts.markInUse(2),
        file.fonts.markInUse(3);
    append(file.stave(1), makeShortText(50, 10, 2, "Allegro"));
    append(file.stave(1), makeTextHead(60, 20, 3, "rit."));
    Score open = withNotes(1);
    for (int n = 2; n <= 5; ++n)
        open.fonts.setFont(n, {"Face", n, 0, 0}), open.fonts.markInUse(n);
    open.fonts.setFont(5, courier);
    ASSERT_TRUE(merge(open, 1, put(fileOf(std::move(file)))));
    const Stave& merged = open.stave(2);
    EXPECT_EQ(merged.object(1).fontNumber(), 5) << "the file's font 2 is the open score's font 5";
    EXPECT_EQ(merged.object(2).fontNumber(), 6) << "a font the open score lacks takes the next number";
    EXPECT_EQ(open.fonts.font(6), arial);
}

TEST_F(Merge, OnlyThisProgramsScoreFilesAreMerged) {
    Bytes old = fileOf(withNotes(1)), later = fileOf(withNotes(1));
    putU16(&old[8], 200), putU16(&later[8], 304);
    Score open = withNotes(2);
    EXPECT_FALSE(merge(open, 1, put(fileOf(withNotes(1)), "SONG.NWC")));
    EXPECT_EQ(ui.lastText(), NotNormalFileMessage);
    EXPECT_FALSE(merge(open, 1, put(old)));
    EXPECT_EQ(ui.lastText(), NotNormalFileMessage);
    EXPECT_FALSE(merge(open, 1, put(later), {ButtonCancel}));
    EXPECT_EQ(ui.lastText(), "File read error in " + dir.at("MERGED.QVR"));
    EXPECT_TRUE(open.sameContent(withNotes(2)));
    EXPECT_TRUE(merge(open, 1, put(fileOf(withNotes(1)), "lower.qvr")));
}

TEST_F(Merge, OneUndoTakesTheWholeMergeBack) {
    const auto twoPages = [] { // staves 4 and 5 on page 2
        Score s = withNotes(5);
        for (int t = 4; t <= 5; ++t)
            s.stave(t).PageNum = 2, ShiftStave(s, t, -100);
        return s;
    };
    for (int p : {0, 1, 3, 5}) {
        Score open = twoPages();
        open.undo.open(3); // shallower than the step
        ASSERT_TRUE(merge(open, p, put(fileOf(withNotes(4)))));
        open.undo.undoStep(open, ui);
        EXPECT_TRUE(open.sameContent(twoPages())) << "merged after stave " << p;
    }
}

// Cut, bit-flipped and miscounted files, every question agreed to: a refusal says why
// in the reader's words and leaves the open score as it was; what is merged is whole.
TEST_F(Merge, DamagedFilesAreRefusedWithTheOpenScoreAsItWas) {
    std::mt19937 rng(21);
    std::vector<Bytes> damaged;
    for (const auto& seed : std::filesystem::directory_iterator(QUAVERLY_FUZZ_CORPUS)) {
        const Bytes b = fileBytes(seed.path().string());
        for (std::size_t cut = RecordSize; cut < b.size(); cut += 3 * RecordSize + 5)
            damaged.emplace_back(b.begin(), b.begin() + long(cut));
        for (int k = 0; k < 12; ++k)
            damaged.push_back(b), damaged.back()[rng() % b.size()] ^= std::uint8_t(1u << rng() % 8);
        damaged.push_back(b), damaged.back()[0] += 3;   // more staves than stored
        damaged.push_back(b), damaged.back()[20] += 40; // more fonts than stored
    }
    int refused = 0;
    for (const Bytes& bytes : damaged) {
        Score open = sentinel();
        open.undo.open(10);
        if (merge(open, 2, put(bytes), std::deque<Button>(20, ButtonOk))) {
            EXPECT_LE(open.stave(3).Nobjec, MaxObjects);
            continue;
        }
        ++refused;
        EXPECT_TRUE(open.sameContent(sentinel()) && open.undo.live() == 0);
        const std::string why = ui.lastText();
        EXPECT_TRUE(why.starts_with("File read error in ") || why.ends_with("File is bad.") ||
                    why.starts_with("File has impossible size") || why.starts_with("File load failed.") ||
                    why.starts_with("File has later version number") || why == NotNormalFileMessage)
            << why;
    }
    EXPECT_GT(refused, int(damaged.size()) / 4);
}

} // namespace
