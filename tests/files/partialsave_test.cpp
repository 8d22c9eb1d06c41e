// Saving part of a score: the range dialog's coupling and check, and the partial
// file with its progress text.

#include "files/partialsave.h"
#include "model/settings.h"
#include "support/scratchfolder.h"
#include "support/scorebuilder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace qv {
namespace {

namespace fs = std::filesystem;

// Six staves in three systems of two: 1-2, 3-4, 5-6.
Score threeSystemsOfTwo() {
    Score score = test::makeScore(6);
    for (int s : {1, 3, 5})
        score.stave(s).joinToNext = true;
    return score;
}

TEST(SavePartDialog, OpensOnTheCurrentSystemAndCouplesStartAndEnd) {
    const Score score = threeSystemsOfTwo();
    test::ScriptedUi ui;
    SavePartDialog dialog(score, 4, ui);
    EXPECT_EQ(dialog.systemCount(), 3);
    EXPECT_EQ(dialog.start(), 2);
    EXPECT_EQ(dialog.end(), 2);
    EXPECT_EQ(dialog.startStave(), 3);
    EXPECT_EQ(dialog.endStave(), 4);

    dialog.setStart(3); // above the end: the end follows
    EXPECT_EQ(dialog.end(), 3);
    EXPECT_EQ(dialog.endStave(), 6);
    dialog.setEnd(1); // below the start: the start follows
    EXPECT_EQ(dialog.start(), 1);
    EXPECT_EQ(dialog.startStave(), 1);
    dialog.setStart(2); // within the range: the end stays
    EXPECT_EQ(dialog.end(), 2);
    dialog.setEnd(3);
    EXPECT_EQ(dialog.start(), 2);

    dialog.setStart(0);
    EXPECT_EQ(dialog.start(), 1) << "limited to 1..number of systems";
    dialog.setEnd(40);
    EXPECT_EQ(dialog.end(), 3);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(SavePartDialog, OkWithStartAboveEndKeepsTheDialogOpen) {
    const Score score = threeSystemsOfTwo();
    test::ScriptedUi ui;
    SavePartDialog dialog(score, 1, ui);
    dialog.typeEnd(2);
    dialog.typeStart(3);
    EXPECT_FALSE(dialog.accept());
    EXPECT_TRUE(dialog.isOpen());
    EXPECT_FALSE(dialog.chosen());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.lastText(), StartAboveEndMessage);

    dialog.setEnd(3);
    EXPECT_TRUE(dialog.accept());
    EXPECT_FALSE(dialog.isOpen());
    ASSERT_TRUE(dialog.chosen());
    EXPECT_EQ(dialog.chosen()->first, 5);
    EXPECT_EQ(dialog.chosen()->last, 6);
}

TEST(SavePartDialog, LetMeShowYouTakesEveryStaveAndCancelTakesNone) {
    const Score score = threeSystemsOfTwo();
    test::ScriptedUi ui;
    SavePartDialog shown(score, 3, ui);
    shown.showAll();
    ASSERT_TRUE(shown.chosen());
    EXPECT_EQ(shown.chosen()->first, 1);
    EXPECT_EQ(shown.chosen()->last, 6);

    SavePartDialog cancelled(score, 3, ui);
    cancelled.cancel();
    EXPECT_FALSE(cancelled.isOpen());
    EXPECT_FALSE(cancelled.chosen());
}

TEST(SavePartDialog, ProgressTextForOneOrSeveralStaves) {
    EXPECT_EQ(partialSaveProgress(3, 4, "a/b.QVR"), "Staves 3-4 saved as a/b.QVR");
    EXPECT_EQ(partialSaveProgress(2, 2, "x.QVR"), "Stave 2 saved as x.QVR");
    EXPECT_EQ(partialSaveProgress(0, 5, "x.QVR"), "Staves 1-5 saved as x.QVR") << "never below 1";
    EXPECT_EQ(partialSaveProgress(1, 2, "%d.QVR"), "Staves 1-2 saved as %d.QVR")
        << "a file name is not a template";
}

class SavePart : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("quaverly-partial-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        settings.Directory = "/somewhere/else";
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path dir;
    Settings settings;
    test::ScriptedUi ui;
};

TEST_F(SavePart, OneSystemOfTwoStavesFromStaveThree) {
    Score score = threeSystemsOfTwo();
    test::append(score.stave(4), test::makeNote(40, 2, 3, score.stave(4).Ycoord));
    score.modified = true;
    ui.savePartScript = [](SavePartDialog& d) { return d.accept(); };
    const std::string path = (dir / "middle.QVR").string();
    ui.fileAnswers.push_back(path);

    ASSERT_TRUE(savePartOfScore(score, 3, settings, ui));
    ASSERT_EQ(ui.fileRequests.size(), 1u);
    EXPECT_EQ(ui.fileRequests[0].folder, "/somewhere/else") << "the chooser opens in the last directory";
    EXPECT_EQ(ui.progress, std::vector<std::string>{"Staves 3-4 saved as " + path});
    EXPECT_EQ(ui.progressClosed, 1);
    EXPECT_TRUE(score.modified) << "a partial save leaves the modified flag alone";
    EXPECT_EQ(settings.Directory, dir.string());

    const auto bytes = test::fileBytes(path);
    // header, page, one font pair, two stave records, one object
    ASSERT_EQ(bytes.size(), 7u * RecordSize);
    EXPECT_EQ(bytes[0], 2) << "Nstaves of the stored range";
    EXPECT_EQ(bytes[3] & (FlagPartial | FlagTemplate), FlagPartial);
    EXPECT_EQ(bytes[6 * RecordSize], 2) << "the note's stave is the second stored";
    EXPECT_FALSE(fs::exists(dir / "middle.QVB")) << "no backup";
}

TEST_F(SavePart, NothingHappensWhenTheDialogOrTheChooserIsCancelled) {
    Score score = threeSystemsOfTwo();
    EXPECT_FALSE(savePartOfScore(score, 1, settings, ui)) << "no script: the dialog is cancelled";
    EXPECT_TRUE(ui.fileRequests.empty());

    ui.savePartScript = [](SavePartDialog& d) {
        d.showAll();
        return true;
    };
    EXPECT_FALSE(savePartOfScore(score, 1, settings, ui)) << "the chooser is cancelled";
    EXPECT_EQ(ui.fileRequests.size(), 1u);
    EXPECT_TRUE(ui.progress.empty());
    EXPECT_EQ(settings.Directory, "/somewhere/else");
    EXPECT_TRUE(fs::is_empty(dir));
}

} // namespace
} // namespace qv
