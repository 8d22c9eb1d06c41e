// "&Information..." from the real window's File items: the five pages of the
// information window as shown, and a font redefined through "&Change" and the
// "Change font" dialog.

#include "edit/information.h"
#include "shell/changefontdialog.h"
#include "shell/infowindow.h"
#include "windowfixture.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <array>
#include <cstdlib>

#include <gtest/gtest.h>

namespace qv {
namespace {

const FontDesc Sans{"Liberation Sans", 14, FontBold, 0};
const FontDesc Mono{"Liberation Mono", 16, FontItalic, 0};

// Long texts in fonts 1 and 3; font 2 serves a short text only, so the window does
// not list it and font 3 is on the list's second line.
void withTexts(Score& score) {
    score.fonts.setFont(2, FontDesc{"Liberation Serif", 10, 0, 0});
    score.fonts.setFont(3, Sans);
    Stave& one = score.stave(1);
    test::append(one, test::makeTextHead(60, one.Ycoord - 30, 1, "Allegro"));
    test::append(one, test::makeShortText(120, one.Ycoord - 30, 2, "pp"));
    test::append(one, test::makeTextHead(200, one.Ycoord + 30, 3, "dolce"));
}

// The captions and values of a page in their order, joined by " | ".
QString textsOf(QWidget* page) {
    QStringList texts;
    for (QLabel* label : page->findChildren<QLabel*>())
        if (!label->text().isEmpty()) texts << label->text();
    return texts.join(QStringLiteral(" | "));
}

QAbstractButton* button(QWidget& dialog, const char* caption) {
    for (QAbstractButton* b : dialog.findChildren<QAbstractButton*>())
        if (b->text() == QString::fromUtf8(caption)) return b;
    ADD_FAILURE() << "no button \"" << caption << "\"";
    return nullptr;
}

void click(QWidget& dialog, const char* caption) {
    if (QAbstractButton* b = button(dialog, caption)) QTest::mouseClick(b, Qt::LeftButton);
}

// Pictures for looking at, when QUAVERLY_SHOTS names a folder.
void shot(QWidget& widget, const std::string& name) {
    if (const char* dir = std::getenv("QUAVERLY_SHOTS"))
        widget.grab().save(QString::fromStdString(std::string(dir) + "/" + name + ".png"));
}

TEST(InformationWindow, ShowsEveryPageAndRedefinesTheFontOfTheChosenLine) {
    test::Entry e(3, 2, withTexts);
    QAction* item = e.window().action("Information");
    ASSERT_TRUE(item && item->isEnabled());
    e.ui.fontAnswers.push_back(Mono);
    e.ui.changeFontScript = [&e](ChangeFontDialog& model) {
        ChangeFontWidget dialog(model, QApplication::activeWindow());
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), "Change font");
        auto* panel = dialog.findChild<QLabel*>("Panel1");
        EXPECT_EQ(panel->text(), "Font 3: Liberation Sans, size 14, Bold");
        click(dialog, "&Change this font");
        EXPECT_EQ(e.ui.fontsOffered.back(), Sans);
        EXPECT_EQ(panel->text(), "Font 3: Liberation Mono, size 16, Italic");
        EXPECT_EQ(e.score().fonts.font(3), Sans) << "only OK stores the copy";
        shot(dialog, "changefont");
        click(dialog, "&OK");
        return dialog.result() == QDialog::Accepted;
    };
    e.ui.informationScript = [&e](InformationDialog& model) {
        InfoWindow window(model, &e.window());
        window.show();
        EXPECT_EQ(window.windowTitle(), "Quaverly 32 Information");
        QTabWidget* tabs = window.tabs();
        QStringList titles;
        for (int i = 0; i < tabs->count(); ++i)
            titles << tabs->tabText(i);
        EXPECT_EQ(titles.join(","), "&Document,&Fonts,&Page size,&Settings,P&rinter");
        EXPECT_EQ(tabs->currentIndex(), 0) << "the first time on the document";
        const char* const names[] = {"document", "fonts", "pagesize", "settings", "printer"};
        QStringList texts;
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            texts << textsOf(tabs->widget(i));
            shot(window, std::string("info-") + names[i]);
        }
        const QString document = texts[0];
        for (const char* shown : {"Staves: | 2 |", "Systems: | 2 |", "Total objects: | 3 |", "Pages: | 1 |",
                                  "Fonts used: | 2 |", "File size when saved: | 264 |",
                                  "Objects on header & footer | 0 |", "| MAXIMA | Staves | 1 | per system |",
                                  "Objects | 3 | on stave 1 |", "Drive free space: |"})
            EXPECT_TRUE(document.contains(QString::fromUtf8(shown))) << shown << "\n" << document.toStdString();
        EXPECT_TRUE(document.contains(QString::fromStdString(e.window().document().fileName)));
        EXPECT_TRUE(texts[2].startsWith("Inches | mm | Width | 8.25 | 209.5"));
        EXPECT_TRUE(texts[2].contains("Facing Pages? | No")) << texts[2].toStdString();
        EXPECT_EQ(texts[3], "Spacing | Normal | Pulse | Crotchet | Minimum Beaming angle | 10 degrees");
        EXPECT_TRUE(texts[4].startsWith("Printer name | ")) << texts[4].toStdString();

        tabs->setCurrentIndex(1);
        QListWidget* list = window.fontList();
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->item(1)->text(), "Font   3: Liberation Sans, size 14, Bold.     Word count =   1");
        click(window, "&Change");
        EXPECT_EQ(e.ui.lastText(), ChooseAFontFirst) << "the caret is on no line";
        EXPECT_FALSE(e.score().modified);
        list->setCurrentRow(1);
        click(window, "&Change");
        EXPECT_EQ(list->item(1)->text(), "Font   3: Liberation Mono, size 16, Italic.     Word count =   1");
        window.accept();
    };
    item->trigger();
    EXPECT_EQ(e.ui.informationShown, 1);
    EXPECT_EQ(e.score().fonts.font(3), Mono);
    EXPECT_EQ(e.score().fonts.font(2).name, "Liberation Serif") << "the second line is not font 2";
    EXPECT_TRUE(e.score().modified);

    // Opened again, on the page it was closed on, where the keyboard goes from the
    // tabs to the list, its button and OK; Abort in the dialog keeps the font.
    e.ui.fontAnswers.push_back(Sans);
    e.ui.changeFontScript = [](ChangeFontDialog& model) {
        ChangeFontWidget dialog(model, QApplication::activeWindow());
        dialog.show();
        click(dialog, "&Change this font");
        click(dialog, "&Abort");
        return dialog.result() == QDialog::Accepted;
    };
    e.ui.informationScript = [&e](InformationDialog& model) {
        InfoWindow window(model, &e.window());
        window.show();
        EXPECT_EQ(window.tabs()->currentIndex(), 1);
        QWidget* w = window.tabs()->tabBar();
        const std::array<const QWidget*, 4> order{window.fontList(), button(window, "&Change"),
                                                  button(window, "OK"), window.tabs()->tabBar()};
        for (const QWidget* next : order) {
            do w = w->nextInFocusChain();
            while (w->focusPolicy() == Qt::NoFocus || w->focusProxy() || !w->isVisibleTo(&window));
            EXPECT_EQ(w, next) << w->metaObject()->className();
        }
        window.fontList()->setCurrentRow(1);
        click(window, "&Change");
        window.accept();
    };
    item->trigger();
    EXPECT_EQ(e.score().fonts.font(3), Mono);
}

} // namespace
} // namespace qv
