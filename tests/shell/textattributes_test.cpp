// The text attributes dialog and the favourite-font chooser as the user meets them:
// Ctrl+A while typing, the Fonts menu's commands, and the widgets' own order.

#include "edit/attributes/textattributes.h"
#include "edit/fontcommands.h"
#include "model/staveops.h"
#include "shell/favouritechooserwidget.h"
#include "shell/textattributeswidget.h"
#include "dialogcheck.h"
#include "windowfixture.h"

#include <QCheckBox>
#include <QCursor>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <set>

#include <gtest/gtest.h>

namespace qv {
namespace {

// A click on the box itself (a check box takes clicks on its box and caption only).
void tick(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

void pressOk(QDialog& dialog) {
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

struct TextWindow : test::Entry {
    TextWindow() : Entry(3, 2) {}
    Editor& editor() { return window().editor(); }
    void pointTo(int x, int y) {
        PageView& view = *window().pageView();
        QCursor::setPos(view.mapToGlobal(view.toWidget(QPoint(x, y))));
        QTest::mouseMove(&view, view.toWidget(QPoint(x, y)));
    }
    QAction* fontsItem(int k) { return frame.fontsMenu()->actions().at(k); }
};

const FontDesc SerifItalic{"Liberation Serif", 16, FontItalic, 0};

TEST(TextAttributesWindow, CtrlAWhileTypingChangesTheTextItsBoxesAndFontAndOneUndoTakesTheTextBack) {
    TextWindow w;
    const Stave before = w.stave(1);
    w.pointTo(300, 160);
    w.key(Qt::Key_F9);
    ASSERT_EQ(w.editor().mode, ModeText);
    w.pointTo(300, 160);
    w.type("Lento");
    w.frame.settings().favourites[0] = {"Liberation Mono", 12, ""};
    w.ui.favouriteScript = [](FavouriteChooser& c) {
        c.chosen = 1;
        return true;
    };
    w.key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.frame.currentFont(), (FontDesc{"Liberation Mono", 12, 0, 0})) << "Ctrl+V: a favourite";
    w.ui.textAttributesScript = [&w](TextAttributes& model) {
        EXPECT_EQ(model.font.name, "Liberation Mono");
        TextAttributesWidget dialog(model, w.ui, &w.window());
        test::expectTidy(dialog, "text-attributes");
        EXPECT_EQ(dialog.windowTitle(), "Text Attributes");
        auto* memo = dialog.findChild<QPlainTextEdit*>("memo");
        EXPECT_EQ(memo->toPlainText(), "Lento");
        auto* transposable = qobject_cast<QCheckBox*>(test::button(dialog, "&Transposable"));
        auto* immobile = qobject_cast<QCheckBox*>(test::button(dialog, "&Immobile"));
        auto* boxed = qobject_cast<QCheckBox*>(test::button(dialog, "&Boxed"));
        QAbstractButton* font = test::button(dialog, "  &Font");
        auto* box = dialog.findChild<QDialogButtonBox*>();
        test::expectTabOrder(dialog, {memo, font, transposable, immobile, boxed, box->button(QDialogButtonBox::Ok),
                                box->button(QDialogButtonBox::Cancel)});
        memo->selectAll();
        QTest::keyClicks(memo, "Lento assai");
        tick(transposable);
        tick(boxed);
        tick(boxed);
        tick(boxed);
        EXPECT_EQ(boxed->checkState(), Qt::Checked) << "one text: no grey state";
        w.ui.fontAnswers = {SerifItalic};
        font->click();
        EXPECT_TRUE(memo->font().italic()) << "the memo shows the chosen font";
        pressOk(dialog);
        return dialog.result() == QDialog::Accepted;
    };
    w.key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(w.editor().drawing.textBuffer, "Lento assai");
    EXPECT_EQ(w.frame.currentFont(), SerifItalic);
    w.key(Qt::Key_Return);
    ASSERT_EQ(w.stave(1).Nobjec, 2);
    const ScoreObject& lento = w.stave(1).object(1);
    EXPECT_EQ(lento.chunkText(), "Lento");
    EXPECT_EQ(w.stave(1).object(2).chunkText(), "assai");
    EXPECT_EQ(lento.textAttributes(), TextTransposable | TextBoxed);
    EXPECT_EQ(w.score().fonts.font(lento.fontNumber()), SerifItalic);
    w.frame.speedAction(SpeedButton::sbundo)->trigger();
    EXPECT_TRUE(w.stave(1) == before) << "one Undo takes the typed text away";
}

// In Edit mode '?' opens the current text's dialog through the same dispatcher as
// every other kind; the longer text takes a chunk, and one Undo after Enter takes
// the edit back.
TEST(TextAttributesWindow, QuestionMarkInEditModeOpensTheCurrentTextsDialog) {
    test::Entry w(3, 2, [](Score& score) {
        test::append(score.stave(1), test::makeTextHead(150, score.stave(1).Ycoord - 30, 1, "Lento", 0));
    });
    const Stave before = w.stave(1);
    w.key(Qt::Key_F10);
    w.click(152, w.stave(1).Ycoord - 32);
    ASSERT_EQ(w.window().editor().mode, int(ModeEdit));
    w.ui.textAttributesScript = [](TextAttributes& model) {
        EXPECT_EQ(model.text, "Lento");
        model.text = "Lento assai e molto";
        model.boxed = TriState::Ticked;
        return true;
    };
    w.type("?");
    ASSERT_EQ(w.ui.textDialogsOpened.size(), 1u);
    w.key(Qt::Key_Return);
    ASSERT_EQ(w.stave(1).Nobjec, 2);
    const int head = w.stave(1).object(1).textAttributes() & TextContinuation ? 2 : 1;
    EXPECT_EQ(longTextOf(w.stave(1), head), "Lento assai e molto");
    EXPECT_EQ(w.stave(1).object(head).textAttributes(), TextBoxed);
    w.window().action("Undo1")->trigger();
    EXPECT_TRUE(w.stave(1) == before);
}

TEST(TextAttributesWindow, SeveralTextsHideTheMemoAndGreyTheBoxesWhereTheyDiffer) {
    TextWindow w;
    TextAttributes model;
    model.several = true;
    model.transposable = TriState::Grey;
    model.immobile = TriState::Ticked;
    TextAttributesWidget dialog(model, w.ui, &w.window());
    test::expectTidy(dialog, "text-attributes-block");
    EXPECT_EQ(dialog.findChild<QPlainTextEdit*>(), nullptr);
    QStringList labels;
    for (QLabel* l : dialog.findChildren<QLabel*>())
        labels << l->text();
    EXPECT_TRUE(labels.contains("More than one") &&
                labels.contains("selected. Only attributes can be changed."));
    auto* transposable = qobject_cast<QCheckBox*>(test::button(dialog, "&Transposable"));
    EXPECT_EQ(transposable->checkState(), Qt::PartiallyChecked);
    tick(qobject_cast<QCheckBox*>(test::button(dialog, "&Immobile")));
    pressOk(dialog);
    EXPECT_EQ(model.transposable, TriState::Grey) << "left grey, left alone";
    EXPECT_EQ(model.immobile, TriState::Clear);
    EXPECT_FALSE(model.fontChosen);
}

TEST(TextAttributesWindow, TheMemoShowsTheSignsInsideTextAndGivesThemBack) {
    const std::string text = "B\x8D Dm7 \x8F\x8E\x1E \xA9";
    EXPECT_EQ(memoText(text), QString::fromUtf8("B\u266D Dm7 \u266F\u266E\u2423 \u00A9"));
    EXPECT_EQ(storedText(memoText(text)), text);
    EXPECT_EQ(storedText(QString::fromUtf8("a\nb\u20ACc")), "a b?c");
}

TEST(FontsMenu, TheFavouritesAreChosenInTheirChooserAndTheCurrentFontOutlivesTheScore) {
    TextWindow w;
    w.frame.setLevel(1);
    w.frame.settings().favourites[1] = {"Liberation Mono", 10, "BU"};
    // Each chooser opened picks `entry` and answers OK.
    const auto chooseEntry = [&w](const QString& entry, const char* shot) {
        w.ui.favouriteScript = [&w, entry, shot](FavouriteChooser& model) {
            FavouriteChooserWidget dialog(model, &w.frame);
            test::expectTidy(dialog, shot);
            EXPECT_EQ(dialog.windowTitle().toStdString(), model.title);
            EXPECT_EQ(dialog.findChild<QGroupBox*>()->title().toStdString(), model.listCaption);
            EXPECT_EQ(dialog.findChildren<QRadioButton*>().size(), 6);
            for (QRadioButton* r : dialog.findChildren<QRadioButton*>())
                EXPECT_FALSE(r->isChecked());
            QTest::mouseClick(test::button(dialog, entry), Qt::LeftButton);
            pressOk(dialog);
            return dialog.result() == QDialog::Accepted;
        };
    };
    chooseEntry("&2 Liberation Mono (10)", "favourite-use");
    w.fontsItem(1)->trigger();
    EXPECT_EQ(w.frame.currentFont(), (FontDesc{"Liberation Mono", 10, FontBold | FontUnderline, 0}));
    EXPECT_EQ(w.ui.lastText(), "Current font set to:\n\nLiberation Mono\nSize 10\nBold, Underline");

    chooseEntry("&3 (Undefined)", "favourite-save");
    w.fontsItem(3)->trigger();
    EXPECT_EQ(w.frame.settings().favourites[2], (NamedFont{"Liberation Mono", 10, "BU"}));
    EXPECT_EQ(w.ui.choosersOpened.back().label, "Saving Liberation Mono (10) as");

    w.ui.fontAnswers = {SerifItalic};
    EXPECT_TRUE(w.frame.speedAction(SpeedButton::sbfont)->isEnabled());
    w.frame.speedAction(SpeedButton::sbfont)->trigger();
    EXPECT_EQ(w.frame.currentFont(), SerifItalic);

    ASSERT_TRUE(w.frame.closeScore());
    EXPECT_EQ(w.frame.currentFont(), SerifItalic);
    EXPECT_TRUE(w.frame.speedAction(SpeedButton::sbfavfont)->isEnabled()) << "also without a score";
    EXPECT_TRUE(w.fontsItem(0)->isEnabled());
}

} // namespace
} // namespace qv
