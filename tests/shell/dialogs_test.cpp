// "Save Part of Score" and "Quaverly Template Selection" driven through their
// widgets: what they show, how the controls reach the models, and what the Ui
// returns for each way out.

#include "drivenui.h"

#include "files/partialsave.h"
#include "files/templates.h"
#include "model/settings.h"
#include "support/scorebuilder.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QSpinBox>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include <gtest/gtest.h>

namespace qv {
namespace {

namespace fs = std::filesystem;
using test::clickButton;
using test::DrivenUi;

// Six staves in three systems of two: 1-2, 3-4, 5-6.
Score threeSystemsOfTwo() {
    Score score = test::makeScore(6);
    for (int s : {1, 3, 5})
        score.stave(s).joinToNext = true;
    return score;
}

QSpinBox* spin(QDialog& d, const char* name) {
    return d.findChild<QSpinBox*>(name);
}
QString label(QDialog& d, const char* name) {
    return d.findChild<QLabel*>(name)->text();
}

bool hasLabel(QDialog& d, const QString& text) {
    for (const QLabel* l : d.findChildren<QLabel*>())
        if (l->text() == text) return true;
    return false;
}

TEST(SavePartWidget, ShowsTheCurrentSystemAndCouplesTheNumbersThroughTheArrows) {
    const Score score = threeSystemsOfTwo();
    DrivenUi ui;
    SavePartDialog model(score, 4, ui);
    ui.steps.push_back([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Save Part of Score");
        EXPECT_TRUE(hasLabel(d, "Start at"));
        EXPECT_TRUE(hasLabel(d, "End at"));
        for (const char* caption : {"OK", "Let me show you!", "Cancel"})
            EXPECT_NE(test::buttonCalled(d, caption), nullptr);
        QSpinBox* start = spin(d, "startSystem");
        QSpinBox* end = spin(d, "endSystem");
        EXPECT_EQ(start->value(), 2);
        EXPECT_EQ(end->value(), 2);
        EXPECT_EQ(start->maximum(), 3);
        EXPECT_EQ(label(d, "startStave"), "Stave 3");
        EXPECT_EQ(label(d, "endStave"), "Stave 4");

        QTest::keyClick(start, Qt::Key_Up); // above the end: the end follows
        EXPECT_EQ(end->value(), 3);
        EXPECT_EQ(label(d, "startStave"), "Stave 5");
        EXPECT_EQ(label(d, "endStave"), "Stave 6");
        QTest::keyClick(end, Qt::Key_Down);
        QTest::keyClick(end, Qt::Key_Down); // below the start: the start follows
        EXPECT_EQ(start->value(), 1);
        EXPECT_EQ(end->value(), 1);
        QTest::keyClick(end, Qt::Key_Up);
        EXPECT_EQ(start->value(), 1) << "within the range the start stays";
        EXPECT_EQ(label(d, "endStave"), "Stave 4");
        clickButton(d, "OK");
    });
    ASSERT_TRUE(ui.runSavePartDialog(model));
    ASSERT_TRUE(model.chosen().has_value());
    EXPECT_EQ(model.chosen()->first, 1);
    EXPECT_EQ(model.chosen()->last, 4);
    EXPECT_EQ(ui.unscripted, 0);
}

TEST(SavePartWidget, StartTypedAboveTheEndIsRefusedOnOkAndTheDialogStaysOpen) {
    const Score score = threeSystemsOfTwo();
    DrivenUi ui;
    SavePartDialog model(score, 1, ui);
    QString refusal;
    QDialog* outer = nullptr;
    ui.steps.push_back([&](QDialog& d) {
        outer = &d;
        QLineEdit* editor = spin(d, "startSystem")->findChild<QLineEdit*>();
        editor->selectAll();
        QTest::keyClicks(editor, "3"); // typed, not yet committed: the end does not follow
        EXPECT_EQ(label(d, "startStave"), "Stave 5");
        EXPECT_EQ(spin(d, "endSystem")->value(), 1);
        d.accept(); // OK before the entry reached the other box
        EXPECT_TRUE(d.isVisible()) << "the dialog stays open after the refusal";
        clickButton(d, "Cancel");
    });
    ui.steps.push_back([&](QDialog& d) {
        refusal = qobject_cast<QMessageBox*>(&d)->text();
        EXPECT_EQ(d.parentWidget(), outer) << "the refusal stands over the dialog it refuses";
        d.accept();
    });
    EXPECT_FALSE(ui.runSavePartDialog(model));
    EXPECT_EQ(refusal, "Start system number must not be greater than end system number.");
    EXPECT_FALSE(model.chosen().has_value());
}

TEST(SavePartWidget, LetMeShowYouTakesEveryStaveAndEscapeNone) {
    const Score score = threeSystemsOfTwo();
    DrivenUi ui;
    SavePartDialog shown(score, 3, ui);
    ui.steps.push_back([](QDialog& d) { clickButton(d, "Let me show you!"); });
    ASSERT_TRUE(ui.runSavePartDialog(shown));
    EXPECT_EQ(shown.chosen()->first, 1);
    EXPECT_EQ(shown.chosen()->last, 6);

    SavePartDialog escaped(score, 3, ui);
    ui.steps.push_back([](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); });
    EXPECT_FALSE(ui.runSavePartDialog(escaped));
    EXPECT_FALSE(escaped.isOpen());
    EXPECT_FALSE(escaped.chosen().has_value());
}

class TemplateSelectionWidgetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "qvtemplatesXXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        for (const auto& [description, file] :
             {std::pair{"Hymn", "hymn.QVT"}, std::pair{"Piano <solo>", "piano.QVT"},
              std::pair{"String quartet", "quartet.QVT"}}) {
            settings.templates.push_back(templateEntry(description, file));
            std::ofstream(folder / file) << "x";
        }
    }
    void TearDown() override { fs::remove_all(folder); }

    static QListWidget* list(QDialog& d) { return d.findChild<QListWidget*>(); }
    static QStringList items(QDialog& d) {
        QStringList texts;
        for (int i = 0; i < list(d)->count(); ++i)
            texts << list(d)->item(i)->text();
        return texts;
    }
    static void clickRow(QDialog& d, int row) {
        QListWidget* l = list(d);
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
    }

    fs::path folder;
    Settings settings;
};

TEST_F(TemplateSelectionWidgetTest, ListsTheDescriptionsAndOkChoosesTheRowClicked) {
    DrivenUi ui;
    TemplateSelectionDialog model(settings, ui, folder.string());
    ui.steps.push_back([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Quaverly Template Selection");
        EXPECT_TRUE(hasLabel(d, "List of available templates"));
        EXPECT_EQ(items(d), QStringList({"Hymn", "Piano <solo>", "String quartet"}));
        EXPECT_EQ(list(d)->currentRow(), 0);
        clickRow(d, 2);
        clickButton(d, "OK");
    });
    ASSERT_TRUE(ui.runTemplateSelection(model));
    EXPECT_EQ(model.chosenFile(), std::optional<std::string>((folder / "quartet.QVT").string()));

    TemplateSelectionDialog again(settings, ui, folder.string());
    ui.steps.push_back([](QDialog& d) {
        clickRow(d, 1);
        QListWidget* l = list(d);
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(1)).center());
    });
    ASSERT_TRUE(ui.runTemplateSelection(again)) << "a double click chooses too";
    EXPECT_EQ(again.chosenFile(), std::optional<std::string>((folder / "piano.QVT").string()));
}

TEST_F(TemplateSelectionWidgetTest, NoTemplateAndEscapeChooseNothing) {
    DrivenUi ui;
    for (const auto& way :
         std::vector<test::DialogStep>{[](QDialog& d) { clickButton(d, "No template"); },
                                       [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }}) {
        TemplateSelectionDialog model(settings, ui, folder.string());
        ui.steps.push_back([way](QDialog& d) {
            clickRow(d, 1);
            way(d);
        });
        EXPECT_FALSE(ui.runTemplateSelection(model));
        EXPECT_FALSE(model.chosenFile().has_value());
    }
    EXPECT_EQ(settings.templates.size(), 3u);
}

TEST_F(TemplateSelectionWidgetTest, DeleteAsksThenRefillsTheListWithTheFirstSelected) {
    DrivenUi ui;
    TemplateSelectionDialog model(settings, ui, folder.string());
    QStringList questions;
    auto answer = [&questions](QMessageBox::StandardButton press) {
        return [&questions, press](QDialog& d) {
            auto* box = qobject_cast<QMessageBox*>(&d);
            questions << box->text();
            QTest::mouseClick(box->button(press), Qt::LeftButton);
        };
    };
    ui.steps.push_back([](QDialog& d) {
        clickRow(d, 2);
        clickButton(d, "Delete"); // answered No
        EXPECT_EQ(items(d).size(), 3);
        EXPECT_EQ(list(d)->currentRow(), 2);
        clickButton(d, "Delete"); // answered Yes
        EXPECT_EQ(items(d), QStringList({"Hymn", "Piano <solo>"}));
        EXPECT_EQ(list(d)->currentRow(), 0);
        clickButton(d, "Delete"); // Hymn
        clickButton(d, "Delete"); // Piano
        EXPECT_TRUE(items(d).isEmpty());
        EXPECT_FALSE(test::buttonCalled(d, "OK")->isEnabled());
        EXPECT_FALSE(test::buttonCalled(d, "Delete")->isEnabled());
        clickButton(d, "OK"); // nothing to choose: stays open
        EXPECT_TRUE(d.isVisible());
        clickButton(d, "No template");
    });
    ui.steps.push_back(answer(QMessageBox::No));
    ui.steps.push_back(answer(QMessageBox::Yes));
    ui.steps.push_back(answer(QMessageBox::Yes));
    ui.steps.push_back(answer(QMessageBox::Yes));
    EXPECT_FALSE(ui.runTemplateSelection(model));
    EXPECT_EQ(questions, QStringList({"About to delete template \"String quartet\". Are you sure?",
                                      "About to delete template \"String quartet\". Are you sure?",
                                      "About to delete template \"Hymn\". Are you sure?",
                                      "About to delete template \"Piano <solo>\". Are you sure?"}));
    EXPECT_TRUE(settings.templates.empty());
    EXPECT_FALSE(fs::exists(folder / "quartet.QVT"));
    EXPECT_FALSE(fs::exists(folder / "hymn.QVT"));
    EXPECT_EQ(ui.unscripted, 0);
}

} // namespace
} // namespace qv
