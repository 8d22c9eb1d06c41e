// Merging a file into the open score: where the merged staves go, the questions and
// refusals before anything changes, the fonts joined, damaged files refused with
// the open score as it was, and one Undo taking the whole merge back.

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
#include <functional>
#include <random>

using namespace qv;
using namespace qv::test;

namespace {
using Bytes = std::vector<std::uint8_t>;

// Staves 48 apart with a note each at x0 + its number, all on page 1.
Score withNotes(int staves, int x0 = 100) {
    Score s = makeScore(staves);
    for (int i = 1; i <= staves; ++i)
        append(s.stave(i), makeNote(x0 + i, i % 5 - 2, 3, s.stave(i).Ycoord));
    return s;
}

ScoreObject firstText(const Stave& st) {
    for (int i = 1; i <= st.Nobjec; ++i)
        if (st.object(i).is(ObjectKind::ShortText) || st.object(i).is(ObjectKind::LongText)) return st.object(i);
    ADD_FAILURE() << "no text on stave " << st.staveNumber;
    return makeObject(ObjectKind::Deleted);
}

// The same music staves, whatever the font table holds.
bool sameStaves(const Score& a, const Score& b) {
    if (a.Nstaves != b.Nstaves) return false;
    for (int s = 0; s <= a.Nstaves; ++s)
        if (!(a.stave(s) == b.stave(s))) return false;
    return true;
}

Bytes fileOf(Score score) {
    return encodeScore(score, {0, score.Nstaves}, {});
}

class Merge : public ::testing::Test {
  protected:
    ScratchFolder dir;
    ScriptedUi ui;
    PageState state;

    void fresh() {
        ui.messages.clear();
        ui.buttonAnswers.clear();
    }

    std::string put(const Bytes& bytes, const std::string& name = "MERGED.QVR") {
        writeBytes(dir.at(name), bytes);
        return dir.at(name);
    }
    int height(const Score& s) const { return musicAreaHeight(s.page, s.StvSiz); }
    bool merge(Score& open, int p, const std::string& path) {
        return mergeFile(open, p, path, height(open), ui, state);
    }
    // A refused or declined merge: exactly these messages, and the open score as it was.
    void expectRefused(Score& open, const Score& twin, int p, const std::string& path,
                       const std::vector<std::string>& shown) {
        EXPECT_FALSE(merge(open, p, path));
        std::vector<std::string> texts;
        for (const auto& m : ui.messages)
            texts.push_back(m.text);
        EXPECT_EQ(texts, shown);
        EXPECT_TRUE(open.sameContent(twin));
        EXPECT_EQ(open.undo.live(), twin.undo.live());
    }
};

TEST_F(Merge, TheStaveLimitIsCheckedBeforeAnythingChanges) {
    const std::string path = put(fileOf(withNotes(3)));
    Score full = makeScore(253);
    expectRefused(full, makeScore(253), 10, path,
                  {"The current score has 253 staves, and the one to be merged has 3.\n\n"
                   "This is greater than the 255 allowed: file cannot be merged."});
    Score room = makeScore(252);
    ui.messages.clear();
    ASSERT_TRUE(merge(room, 252, path));
    EXPECT_EQ(room.Nstaves, 255);
    EXPECT_EQ(room.stave(255).Nobjec, 1);
    EXPECT_EQ(room.stave(255).staveNumber, 255);
}

TEST_F(Merge, BeforeTheFirstStaveTheMergedTopExtentIsAtTenAndTheOldStavesFollowBelow) {
    Score open = withNotes(2);
    const Stave oldFirst = open.stave(1);
    ASSERT_TRUE(merge(open, 0, put(fileOf(withNotes(2)))));
    ASSERT_EQ(open.Nstaves, 4);
    EXPECT_EQ(open.stave(1).MinY, 10);
    EXPECT_EQ(open.stave(2).Ycoord - open.stave(1).Ycoord, 48) << "the file's spacing";
    EXPECT_EQ(open.stave(3).MinY, open.stave(2).MaxY + 10);
    // The old first stave moved whole: its objects with it.
    const int moved = open.stave(3).Ycoord - oldFirst.Ycoord;
    EXPECT_EQ(open.stave(3).object(1).y(), oldFirst.object(1).y() + moved);
    EXPECT_EQ(open.stave(4).Ycoord - open.stave(3).Ycoord, 48);
    for (int s = 1; s <= 4; ++s)
        EXPECT_EQ(open.stave(s).PageNum, 1);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Merge, AfterAStaveTheFileKeepsItsSpacingAndItsPagesAreGluedTenApart) {
    Score file = withNotes(3, 200);
    file.stave(2).ForcedBk = true;
    file.stave(3).joinToNext = true; // the file's last stave: ends its system all the same
    file.stave(3).PageNum = 2;       // on the file's second page, at the top
    ShiftStave(file, 3, 40 - file.stave(3).Ycoord);
    Score open = withNotes(3);
    ASSERT_TRUE(merge(open, 1, put(fileOf(std::move(file)))));
    ASSERT_EQ(open.Nstaves, 6);
    EXPECT_EQ(open.stave(2).MinY, open.stave(1).MaxY) << "touching the stave above";
    EXPECT_EQ(open.stave(3).Ycoord - open.stave(2).Ycoord, 48);
    EXPECT_EQ(open.stave(4).MinY, open.stave(3).MaxY + 10) << "the file's page boundary";
    EXPECT_EQ(open.stave(5).MinY, open.stave(4).MaxY + 10) << "the old stave 2 below the merged ones";
    EXPECT_FALSE(open.stave(3).ForcedBk);
    EXPECT_FALSE(open.stave(4).joinToNext);
    EXPECT_EQ(open.stave(5).object(1).x(), 102) << "the old stave 2 itself";
}

TEST_F(Merge, EachDifferenceOfPageIsAskedAboutAndDecliningLeavesTheScoreAlone) {
    struct Case {
        std::function<void(Score&)> change;
        std::string name;
    };
    const std::vector<Case> cases = {
        {[](Score& s) { s.page.Length += 1; }, "page length"},
        {[](Score& s) { s.page.Width -= 0.5; }, "page width"},
        {[](Score& s) { s.page.TopM += 0.1; }, "top margin"},
        {[](Score& s) { s.page.BotM += 0.1; }, "bottom margin"},
        {[](Score& s) { s.page.LeftM += 0.1; }, "left margin"},
        {[](Score& s) { s.page.RightM += 0.1; }, "right margin"},
        {[](Score& s) { s.page.GutM += 0.1; }, "gutter margin"},
        {[](Score& s) { s.StvSiz = 0.4; }, "stave size"},
    };
    for (const Case& c : cases) {
        Score file = withNotes(2);
        c.change(file);
        const std::string path = put(fileOf(std::move(file)));
        const std::string question = "The file you are merging differs in the " + c.name +
                                     " from the one you are working on and may cause objects to be off the "
                                     "paper or otherwise distorted.\n\nDo you wish to continue?";
        Score open = withNotes(3);
        open.undo.open(10);
        fresh();
        ui.buttonAnswers = {ButtonCancel};
        Score twin = withNotes(3);
        twin.undo.open(10);
        expectRefused(open, twin, 1, path, {question, "File read error in " + path});
        EXPECT_EQ(ui.messages.front().buttons, ButtonOk | ButtonCancel) << c.name;
    }
}

TEST_F(Merge, AgreeingToEveryDifferenceMerges) {
    Score file = withNotes(2);
    file.StvSiz = 0.4;
    file.page.TopM += 0.25;
    const std::string path = put(fileOf(std::move(file)));
    Score open = withNotes(1);
    ui.buttonAnswers = {ButtonOk, ButtonOk};
    ASSERT_TRUE(merge(open, 1, path));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[0].text.find("top margin"), std::string::npos);
    EXPECT_NE(ui.messages[1].text.find("stave size"), std::string::npos);
    EXPECT_EQ(open.Nstaves, 3);
    EXPECT_EQ(open.StvSiz, 1.0 / 3.0) << "the open score's page stays";
}

TEST_F(Merge, TextsFollowTheOpenScoresFontNumbers) {
    const FontDesc courier{"Courier New", 14, FontBold, 0x0000FF};
    const FontDesc arial{"Arial", 10, FontItalic, 0};
    Score file = withNotes(2);
    file.fonts.setFont(2, courier), file.fonts.markInUse(2);
    file.fonts.setFont(3, arial), file.fonts.markInUse(3);
    append(file.stave(1), makeShortText(50, 10, 2, "Allegro"));
    append(file.stave(2), makeTextHead(60, 20, 3, "rit."));
    append(file.stave(0), makeShortText(70, 5, 3, "Footer")); // the file's footer is not merged
    const std::string path = put(fileOf(std::move(file)));

    Score open = withNotes(1);
    for (int n = 2; n <= 5; ++n)
        open.fonts.setFont(n, FontDesc{"Face " + std::to_string(n), 10 + n, 0, 0}), open.fonts.markInUse(n);
    open.fonts.setFont(5, courier);
    ASSERT_TRUE(merge(open, 1, path));
    EXPECT_EQ(firstText(open.stave(2)).fontNumber(), 5) << "the file's font 2 equals the open score's font 5";
    EXPECT_EQ(firstText(open.stave(3)).fontNumber(), 6) << "a font the open score lacks takes the next number";
    EXPECT_EQ(open.fonts.font(6), arial);
    EXPECT_TRUE(open.fonts.inUse(6));
    EXPECT_EQ(open.stave(0).Nobjec, 0);
}

TEST_F(Merge, AFullFontTableShowsTheMergedTextInTheStandardFont) {
    Score file = withNotes(1);
    file.fonts.setFont(2, FontDesc{"Courier New", 9, 0, 0}), file.fonts.markInUse(2);
    append(file.stave(1), makeShortText(50, 10, 2, "pp"));
    const std::string path = put(fileOf(std::move(file)));
    Score open = withNotes(1);
    for (int n = 2; n <= MaxFonts; ++n)
        open.fonts.setFont(n, FontDesc{"Face", n, 0, 0}), open.fonts.markInUse(n);
    ASSERT_TRUE(merge(open, 1, path));
    EXPECT_EQ(ui.lastText(), TooManyFontsMessage);
    EXPECT_EQ(firstText(open.stave(2)).fontNumber(), 1);
}

TEST_F(Merge, TheFileMustBeAScoreFileOfThisProgram) {
    Bytes noteworthy = fileOf(withNotes(1));
    putU16(&noteworthy[8], 200);
    Bytes notOurs = fileOf(withNotes(1));
    notOurs[1] = 'x';
    putU16(&notOurs[8], 302); // an older version: the check on disk lets it through
    struct Case {
        std::string name;
        Bytes bytes;
        std::string message; // {} for the name's read error
    };
    const std::vector<Case> cases = {
        {"SONG.NWC", fileOf(withNotes(1)), NotNormalFileMessage},
        {"SONGQVR", fileOf(withNotes(1)), NotNormalFileMessage},
        {"OLD.QVR", noteworthy, NotNormalFileMessage},
        {"ODD.QVR", notOurs, "File load failed.\n\nFile is not a Quaverly or NoteWorthy 2 file."},
        {"EMPTY.QVR", {}, "File has zero size: "},
        {"SHORT.QVR", Bytes(21), "File has impossible size: "},
        {"HEADER.QVR", Bytes(22), "File read error in "},
    };
    for (const Case& c : cases) {
        const std::string path = put(c.bytes, c.name);
        fresh();
        Score open = withNotes(2);
        std::string expected = c.message;
        if (expected.ends_with(" ")) expected += path;
        expectRefused(open, withNotes(2), 1, path, {expected});
    }
    fresh();
    Score open = withNotes(2);
    EXPECT_TRUE(merge(open, 2, put(fileOf(withNotes(1)), "lower.qvr"))) << "the extension in any case";
}

TEST_F(Merge, ALaterVersionIsMergedOnlyWhenTheUserAgrees) {
    Bytes later = fileOf(withNotes(2));
    putU16(&later[8], 304);
    const std::string path = put(later);
    ui.buttonAnswers = {ButtonCancel};
    Score open = withNotes(2);
    EXPECT_FALSE(merge(open, 2, path));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[0].text.find("later version of Quaverly 32"), std::string::npos);
    EXPECT_EQ(ui.messages[1].text, "File read error in " + path);
    EXPECT_TRUE(open.sameContent(withNotes(2)));
    ui.buttonAnswers = {ButtonOk};
    EXPECT_TRUE(merge(open, 2, path));
    EXPECT_EQ(open.Nstaves, 4);
}

TEST_F(Merge, OneUndoTakesTheWholeMergeBack) {
    // The open score over two pages, so that page numbers and positions must come back.
    for (int p : {0, 1, 3, 5}) {
        Score open = withNotes(5);
        for (int s = 4; s <= 5; ++s)
            open.stave(s).PageNum = 2, ShiftStave(open, s, -100);
        open.undo.open(3); // shallower than the step
        Score twin = withNotes(5);
        for (int s = 4; s <= 5; ++s)
            twin.stave(s).PageNum = 2, ShiftStave(twin, s, -100);
        ASSERT_TRUE(merge(open, p, put(fileOf(withNotes(4))))) << p;
        ASSERT_EQ(open.Nstaves, 9);
        fresh();
        open.undo.undoStep(open, ui);
        EXPECT_TRUE(ui.messages.empty()) << p;
        EXPECT_TRUE(open.sameContent(twin)) << "merged after stave " << p;
    }
}

// Damaged inputs, as a user may pick them: every one is refused with a message the
// reading of score files gives, and the open score stays as it was; one that the
// reader can mend is merged whole.
TEST_F(Merge, DamagedFilesAreRefusedWithTheOpenScoreAsItWas) {
    std::mt19937 rng(21);
    std::vector<Bytes> seeds;
    for (const auto& entry : std::filesystem::directory_iterator(QUAVERLY_FUZZ_CORPUS))
        seeds.push_back(fileBytes(entry.path().string()));
    seeds.push_back(fileOf(randomScore(rng, {2, 6, 30, 4})));
    ASSERT_GE(seeds.size(), 5u);

    std::vector<Bytes> damaged;
    for (const Bytes& seed : seeds) {
        for (std::size_t cut = RecordSize; cut < seed.size(); cut += 3 * RecordSize + 5)
            damaged.emplace_back(seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(cut));
        for (int k = 0; k < 12; ++k) {
            Bytes b = seed;
            b[rng() % b.size()] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
            damaged.push_back(b);
        }
        Bytes counts = seed;
        counts[0] = static_cast<std::uint8_t>(counts[0] + 3); // more staves than stored
        damaged.push_back(counts);
        counts = seed;
        putU16(&counts[20], static_cast<std::uint16_t>(getU16(&counts[20]) + 40)); // more fonts than stored
        damaged.push_back(counts);
    }

    const std::vector<std::string> forms = {"File read error in ", "File is bad.", "File has impossible size",
                                            "File load failed.", "Cannot merge a which", "The current score has",
                                            "The file you are merging differs"};
    int refused = 0;
    for (std::size_t k = 0; k < damaged.size(); ++k) {
        const std::string path = put(damaged[k]);
        std::mt19937 same(7);
        Score open = randomScore(same, {3, 3, 20, 3});
        open.undo.open(10);
        const std::string label = "damaged file " + std::to_string(k);
        fresh();
        ui.buttonAnswers.assign(20, ButtonOk); // every question agreed to: the damage alone decides
        const int before = open.Nstaves;
        if (merge(open, 2, path)) {
            const int n = open.Nstaves - before;
            EXPECT_GE(n, 1) << label;
            for (int s = 1; s <= open.Nstaves; ++s)
                EXPECT_LE(open.stave(s).Nobjec, MaxObjects) << label;
            ScriptedUi quiet;
            open.undo.undoStep(open, quiet);
            std::mt19937 again(7);
            EXPECT_TRUE(sameStaves(open, randomScore(again, {3, 3, 20, 3}))) << label;
            continue;
        }
        ++refused;
        std::mt19937 again(7);
        EXPECT_TRUE(open.sameContent(randomScore(again, {3, 3, 20, 3}))) << label;
        EXPECT_EQ(open.undo.live(), 0) << label;
        ASSERT_FALSE(ui.messages.empty()) << label;
        const std::string& last = ui.messages.back().text;
        EXPECT_TRUE(std::any_of(forms.begin(), forms.end(),
                                [&](const std::string& f) { return last.find(f) != std::string::npos; }))
            << label << ": " << last;
    }
    EXPECT_GT(refused, static_cast<int>(damaged.size()) / 4);
}

} // namespace
