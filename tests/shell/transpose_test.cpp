// "&Transpose/Change clef..." from the real window's Stave menu, through the
// "Transposing" dialog's own widgets, taken back by one Undo.

#include "model/staveops.h"
#include "shell/transposewidget.h"
#include "transpose/transposedialog.h"
#include "dialogcheck.h"
#include "windowfixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QTest>

#include <set>

#include <gtest/gtest.h>

namespace qv {
namespace {

// Two staves in C with three crotchets each; "Am7" after them on the first.
void inC(Score& score) {
    for (int s : {1, 2}) {
        Stave& st = score.stave(s);
        test::append(st, makeObject(ObjectKind::KeySignature, 60, st.Ycoord)); // no sharps or flats
        for (int i = 0; i < 3; ++i)
            test::append(st, test::makeNote(100 + 30 * i, i - 1, 3, st.Ycoord));
    }
    test::append(score.stave(1),
                 test::makeTextHead(200, score.stave(1).Ycoord - 40, 1, "Am7", TextTransposable));
}


TEST(TransposeWindow, TheWholeScoreUpAToneWithStemsFromTheStaveMenuIsUndoneWhole) {
    test::Entry e(3, 2, inC);
    const Stave before[] = {e.stave(1), e.stave(2)};
    e.ui.transposeScript = [&e](TransposeDialog& model) {
        TransposeWidget dialog(model, &e.window());
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), "Transposing");
        test::expectTidy(dialog, "transpose");
        EXPECT_EQ(test::accelerators(dialog).size(), 12u);
        auto* interval = dialog.findChild<QComboBox*>("cbinterval");
        auto* distance = dialog.findChild<QSpinBox*>("seDistance");
        interval->setCurrentIndex(15);
        EXPECT_EQ(distance->value(), -3) << "Minor 3rd down";
        distance->setValue(1);
        QTest::keyClick(distance, Qt::Key_Up);
        EXPECT_EQ(interval->currentText(), "Major 2nd up (1 tone)");
        test::click(dialog, "To bass (&F) clef");
        test::click(dialog, "&Whole score");
        EXPECT_EQ(e.ui.lastText(), OneStaveWithClefChange);
        EXPECT_TRUE(test::button(dialog, "&Current stave")->isChecked()) << "the extent falls back";
        test::click(dialog, "&No change");
        test::click(dialog, "&Whole score");
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(dialog.windowHandle(), Qt::Key_M, Qt::AltModifier); // "Adjust ste&m directions"
        QAbstractButton* stems = test::button(dialog, "Adjust ste&m directions");
        EXPECT_TRUE(QTest::qWaitFor([stems] { return stems->isChecked(); }))
            << "an accelerator clicks a moment later";
        test::click(dialog, "Explain");
        EXPECT_EQ(e.ui.captions.back() + e.ui.lastText(),
                  TransposeCaption + std::string(TransposeDialog::explanation()));
        e.ui.buttonAnswers = {ButtonYes, ButtonYes};
        test::click(dialog, "&Do it!");
        return dialog.result() == QDialog::Accepted && !dialog.isVisible();
    };
    e.window().action("Transpose")->trigger();
    EXPECT_EQ(e.ui.lastText(), StemsQuestion);
    for (int s : {1, 2}) {
        EXPECT_EQ(e.stave(s).object(1).keyCount(), 2) << "C to D major";
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(std::pair(e.stave(s).object(i + 2).staffPosition(), e.stave(s).object(i + 2).stem()),
                      std::pair(i, int(i > 0 ? StemDown : StemUp)));
    }
    EXPECT_EQ(longTextOf(e.stave(1), 5), "Bm7");
    e.window().action("Undo1")->trigger();
    EXPECT_TRUE(e.stave(1) == before[0] && e.stave(2) == before[1]);
}

} // namespace
} // namespace qv
