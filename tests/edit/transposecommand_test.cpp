// "&Transpose/Change clef..." with a scripted dialog: what it changes, that one
// Undo takes it all back, what a cancelled dialog leaves, and what is drawn again.

#include "edit/transposecommand.h"
#include "layout/staveextent.h"
#include "recordinghost.h"
#include "transpose/transposedialog.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// Three staves in C: a treble clef, a key signature, an F sharp and the notes F, B and E.
struct Fixture : test::Session {
    std::vector<Stave> before;
    Fixture() : Session(3) {
        editor.mode = ModeMusic;
        editor.page.currentStave = editor.page.currentPage = 1;
        score.undo.open(100);
        for (int s = 1; s <= 3; ++s) {
            Stave& st = score.stave(s);
            test::append(st, test::makeClef(10, ClefTreble, st.Ycoord));
            test::append(st, makeObject(ObjectKind::KeySignature, 20, st.Ycoord)); // no sharps or flats
            ScoreObject sharp = makeObject(ObjectKind::Accidental, 26, st.Ycoord + 12);
            sharp.setAccPosition(-3), sharp.setAccValue(1);
            test::append(st, sharp);
            for (int p : {-3, 0, 4})
                test::append(st, test::makeNote(40 + 10 * p, p, 3, st.Ycoord));
            StaveExtent(score, s);
        }
        before = staves();
    }
    std::vector<Stave> staves() const {
        std::vector<Stave> all;
        for (int s = 0; s <= score.Nstaves; ++s)
            all.push_back(score.stave(s));
        return all;
    }
    // The dialog set to `distance` over `extent` and "&Do it!" pressed.
    void transpose(int distance, TransposeExtent extent, std::optional<int> clef = {}) {
        ui.transposeScript = [=](TransposeDialog& d) {
            d.setDistance(distance), d.chooseExtent(extent), d.chooseClef(clef);
            d.doIt();
            return d.chosen().has_value();
        };
        host.take();
        transposeCommand(session);
    }
};

TEST(TransposeCommand, TheWholeScoreUpAToneRedrawsThePageAndOneUndoPutsEveryStaveBack) {
    Fixture f;
    f.transpose(2, TransposeExtent::WholeScore);
    for (int s = 1; s <= 3; ++s) {
        const Stave& st = f.score.stave(s);
        EXPECT_EQ(st.object(2).keyCount(), 2) << "C to D major";
        EXPECT_EQ(std::pair(st.object(3).accPosition(), st.object(3).accValue()), std::pair(-2, 1))
            << "G sharp";
        EXPECT_EQ(std::tuple(st.object(4).staffPosition(), st.object(5).staffPosition(),
                             st.object(6).staffPosition()),
                  std::tuple(-2, 1, 5));
    }
    EXPECT_EQ(f.host.take(), "cursor off; redraw; cursor on; tools");
    f.score.undo.undoStep(f.score, f.ui);
    EXPECT_TRUE(f.staves() == f.before) << "one step for every stave";
}

TEST(TransposeCommand, TheCurrentStaveAloneIsDrawnAgainUnlessItNowReachesLessFar) {
    Fixture f;
    f.editor.page.currentStave = 2;
    f.transpose(-1, TransposeExtent::CurrentStave);
    EXPECT_EQ(f.host.take(), "stave 2 lit; tools");
    EXPECT_TRUE(f.score.stave(1) == f.before[1] && f.score.stave(3) == f.before[3]) << "the others stay";

    // A low note taken up by a clef change leaves its old place to be cleared.
    ScoreObject low = test::makeNote(200, -14, 3, f.score.stave(3).Ycoord);
    low.setStem(StemDown);
    test::append(f.score.stave(3), low);
    StaveExtent(f.score, 3);
    f.editor.page.currentStave = 3;
    f.transpose(0, TransposeExtent::CurrentStave, ClefBass);
    EXPECT_EQ(f.score.stave(3).object(7).staffPosition(), -2);
    EXPECT_EQ(f.host.take(), "cursor off; redraw; cursor on; tools");
}

TEST(TransposeCommand, ACancelledOrRefusedDialogChangesNothing) {
    Fixture f;
    f.ui.transposeScript = [](TransposeDialog& d) { return d.setDistance(3), false; }; // Cancel
    transposeCommand(f.session);
    f.ui.buttonAnswers = {ButtonNo}; // the confirmation refused
    f.transpose(5, TransposeExtent::WholeScore);
    EXPECT_TRUE(f.staves() == f.before && f.score.undo.live() == 0 && !f.score.modified);
    EXPECT_EQ(f.host.take(), "");

    int opened = 0; // outside Music mode, or with a provisional object, it does not open
    f.ui.transposeScript = [&opened](TransposeDialog&) { return ++opened, false; };
    f.editor.mode = ModeEdit;
    transposeCommand(f.session);
    f.editor.mode = ModeMusic;
    f.score.provisional.present = true;
    transposeCommand(f.session);
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(f.ui.lastText(), FinishProvisionalFirst);
}

} // namespace
} // namespace qv
