// "&Transpose/Change clef..." from the real window's Stave menu, through the
// "Transposing" dialog's own widgets, taken back by one Undo.

#include "model/staveops.h"
#include "shell/transposewidget.h"
#include "transpose/transposedialog.h"
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

QAbstractButton* button(QWidget& dialog, const char* caption) {
    for (QAbstractButton* b : dialog.findChildren<QAbstractButton*>())
        if (b->text() == QString::fromUtf8(caption)) return b;
    ADD_FAILURE() << "no button \"" << caption << "\"";
    return nullptr;
}

// A click on the button's left end: a check box reacts to its box and caption only.
void click(QWidget& dialog, const char* caption) {
    if (QAbstractButton* b = button(dialog, caption))
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
}

// Each of the twelve accelerators once, and no button narrower than its caption.
void expectTidy(QWidget& dialog) {
    std::multiset<QChar> keys;
    const auto letter = [&keys](const QString& text) {
        if (const qsizetype at = text.indexOf(u'&'); at >= 0 && at + 1 < text.size())
            keys.insert(text[at + 1].toLower());
    };
    for (QAbstractButton* b : dialog.findChildren<QAbstractButton*>()) {
        letter(b->text());
        EXPECT_GE(b->width(), b->minimumSizeHint().width()) << b->text().toStdString();
    }
    for (QLabel* l : dialog.findChildren<QLabel*>())
        letter(l->text());
    EXPECT_EQ(std::set<QChar>(keys.begin(), keys.end()).size(), 12u);
    EXPECT_EQ(keys.size(), 12u);
}

TEST(TransposeWindow, TheWholeScoreUpAToneWithStemsFromTheStaveMenuIsUndoneWhole) {
    test::Entry e(3, 2, inC);
    const Stave before[] = {e.stave(1), e.stave(2)};
    e.ui.transposeScript = [&e](TransposeDialog& model) {
        TransposeWidget dialog(model, &e.window());
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), "Transposing");
        expectTidy(dialog);
        auto* interval = dialog.findChild<QComboBox*>("cbinterval");
        auto* distance = dialog.findChild<QSpinBox*>("seDistance");
        interval->setCurrentIndex(15);
        EXPECT_EQ(distance->value(), -3) << "Minor 3rd down";
        distance->setValue(1);
        QTest::keyClick(distance, Qt::Key_Up);
        EXPECT_EQ(interval->currentText(), "Major 2nd up (1 tone)");
        click(dialog, "To bass (&F) clef");
        click(dialog, "&Whole score");
        EXPECT_EQ(e.ui.lastText(), OneStaveWithClefChange);
        EXPECT_TRUE(button(dialog, "&Current stave")->isChecked()) << "the extent falls back";
        click(dialog, "&No change");
        click(dialog, "&Whole score");
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(dialog.windowHandle(), Qt::Key_M, Qt::AltModifier); // "Adjust ste&m directions"
        QAbstractButton* stems = button(dialog, "Adjust ste&m directions");
        EXPECT_TRUE(QTest::qWaitFor([stems] { return stems->isChecked(); }))
            << "an accelerator clicks a moment later";
        click(dialog, "Explain");
        EXPECT_EQ(e.ui.captions.back() + e.ui.lastText(),
                  TransposeCaption + std::string(TransposeDialog::explanation()));
        e.ui.buttonAnswers = {ButtonYes, ButtonYes};
        click(dialog, "&Do it!");
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
