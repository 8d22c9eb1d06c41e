// The desktop's Ui through its real widgets: message boxes with exactly the buttons
// asked for and the button pressed as the answer, input boxes, the busy pointer,
// the progress window, the file choosers, and the two dialogs whose controls drive
// the models of tests/files ("Save Part of Score", the template selection).

#include "drivenui.h"

#include "files/partialsave.h"
#include "files/templates.h"
#include "model/settings.h"
#include "support/scorebuilder.h"
#include "support/scratchfolder.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QSpinBox>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace qv {
namespace {

namespace fs = std::filesystem;
using test::clickButton;
using test::DrivenUi;

TEST(QtUi, MessageBoxesShowTheTypeTextAndButtonsAndAnswerTheButtonPressed) {
    using B = QMessageBox;
    struct Case {
        MessageType type;
        Buttons buttons;
        B::Icon icon;
        B::StandardButtons shown;
        B::StandardButton press;
        Button answer;
    };
    const Case cases[] = {
        {MessageType::Error, ButtonOk, B::Critical, B::Ok, B::Ok, ButtonOk},
        {MessageType::Warning, ButtonOk | ButtonCancel, B::Warning, B::Ok | B::Cancel, B::Ok, ButtonOk},
        {MessageType::Information, ButtonNone, B::Information, B::Ok, B::Ok, ButtonOk}, // always a way out
        {MessageType::Confirmation, ButtonYes | ButtonNo, B::Question, B::Yes | B::No, B::No, ButtonNo},
        {MessageType::Confirmation, ButtonYes | ButtonNo | ButtonCancel | ButtonHelp, B::Question,
         B::Yes | B::No | B::Cancel | B::Help, B::Cancel, ButtonCancel},
        {MessageType::Error, ButtonAbort | ButtonRetry | ButtonIgnore, B::Critical,
         B::Abort | B::Retry | B::Ignore, B::Retry, ButtonRetry},
        {MessageType::Confirmation, ButtonYes | ButtonAbort, B::Question, B::Yes | B::Abort, B::NoButton,
         ButtonAbort},
        {MessageType::Confirmation, ButtonYes | ButtonNo, B::Question, B::Yes | B::No, B::NoButton, ButtonNo},
    };
    for (const Case& c : cases) {
        DrivenUi ui;
        QString title, text;
        Qt::TextFormat format{};
        ui.steps.push_back([&](QDialog& d) {
            auto* box = qobject_cast<QMessageBox*>(&d);
            EXPECT_EQ(box->icon(), c.icon);
            EXPECT_EQ(box->standardButtons(), c.shown) << "exactly the buttons asked for";
            title = box->windowTitle();
            text = box->text();
            format = box->textFormat();
            if (c.press == B::NoButton)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                QTest::mouseClick(box->button(c.press), Qt::LeftButton);
        });
        EXPECT_EQ(ui.message(c.type, "About \"<b>x</b>\"\n\nline two", c.buttons), c.answer)
            << int(c.buttons);
        EXPECT_EQ(title, "Quaverly");
        EXPECT_EQ(text, "About \"<b>x</b>\"\n\nline two");
        EXPECT_EQ(format, Qt::PlainText) << "markup in a name is shown as typed";
    }
}

TEST(QtUi, InputBoxReturnsWhatWasTypedOrNothingOnCancel) {
    DrivenUi ui;
    QString title, prompt, initial;
    ui.steps.push_back([&](QDialog& d) {
        auto* input = qobject_cast<QInputDialog*>(&d);
        ASSERT_NE(input, nullptr);
        title = input->windowTitle();
        prompt = input->labelText();
        initial = input->textValue();
        QLineEdit* edit = d.findChild<QLineEdit*>();
        edit->clear();
        QTest::keyClicks(edit, "Hymn tunes");
        QTest::keyClick(edit, Qt::Key_Return);
    });
    EXPECT_EQ(ui.inputBox("Quaverly Template", "Give a description:", "old"),
              std::optional<std::string>("Hymn tunes"));
    EXPECT_EQ(title, "Quaverly Template");
    EXPECT_EQ(prompt, "Give a description:");
    EXPECT_EQ(initial, "old");
    ui.steps.push_back([](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); });
    EXPECT_EQ(ui.inputBox("Set stave height", "New stave height (mm):", "8.5"), std::nullopt);
    EXPECT_EQ(ui.unscripted, 0);
}

TEST(QtUi, TheWaitPointerIsBalancedAndNeverLeftBehind) {
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    {
        QtUi ui;
        ui.setBusy(true);
        ui.setBusy(true); // a long operation inside another
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        ui.setBusy(false);
        EXPECT_NE(QApplication::overrideCursor(), nullptr) << "the outer operation is still running";
        ui.setBusy(false);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        QApplication::setOverrideCursor(Qt::CrossCursor);
        ui.setBusy(false); // one too many: must not pop a pointer someone else set
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::CrossCursor);
        QApplication::restoreOverrideCursor();
        ui.setBusy(true);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "a Ui going away clears the busy pointer it set";
}

TEST(QtUi, ProgressIsOneModelessWindowWithTheLatestTextAndPleaseWait) {
    QWidget frame;
    frame.show();
    QtUi ui(&frame);
    ui.showProgress("Score saved as /tmp/Minuet.QVR");
    QWidget* window = ui.progressWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    ui.showProgress("Staves 3-4 saved as <part>.QVR");
    EXPECT_EQ(ui.progressWindow(), window);
    QStringList texts;
    for (const QLabel* l : window->findChildren<QLabel*>())
        texts << l->text();
    EXPECT_EQ(texts, QStringList({"Staves 3-4 saved as <part>.QVR", "Please wait"}));
    ui.closeProgress();
    ui.closeProgress(); // closing twice is harmless
    EXPECT_EQ(ui.progressWindow(), nullptr);
}

TEST(QtUi, FileChoosersStartWhereAskedAndAddTheExtension) {
    EXPECT_EQ(withDefaultExtension("/music/song.qvr", "QVR"), "/music/song.qvr");
    EXPECT_EQ(withDefaultExtension("/music.d/song", "QVR"), "/music.d/song.QVR") << "a dot in a folder";
    EXPECT_EQ(withDefaultExtension("/music/song", ""), "/music/song");
    EXPECT_EQ(withDefaultExtension("", "QVR"), "");

    const test::ScratchFolder dir;
    std::ofstream(dir.at("Minuet.QVR")) << "x";
    DrivenUi ui;
    for (bool saving : {true, false}) {
        ui.steps.push_back([&](QDialog& d) {
            auto* chooser = qobject_cast<QFileDialog*>(&d);
            ASSERT_NE(chooser, nullptr);
            EXPECT_EQ(chooser->windowTitle(), "Part");
            EXPECT_EQ(fs::path(chooser->directory().absolutePath().toStdString()), fs::canonical(dir.path()));
            EXPECT_EQ(chooser->acceptMode(), saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
            EXPECT_EQ(chooser->fileMode(), saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
            EXPECT_TRUE(chooser->nameFilters().contains("Quaverly files (*.QVR)"));
            if (!saving) chooser->selectFile("Minuet.QVR");
            d.accept(); // QFileDialog::accept, as the chooser's own button does
        });
        ui.steps.push_back([](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); });
        const FileDialogRequest request{"Part", dir.path(), "part", "Quaverly files (*.QVR)", "QVR"};
        const auto chosen = saving ? ui.saveFileName(request) : ui.openFileName(request);
        EXPECT_EQ(chosen, dir.at(saving ? "part.QVR" : "Minuet.QVR"));
        EXPECT_EQ(saving ? ui.saveFileName(request) : ui.openFileName(request), std::nullopt);
    }
}

// Six staves in three systems of two: 1-2, 3-4, 5-6.
Score threeSystemsOfTwo() {
    Score score = test::makeScore(6);
    for (int s : {1, 3, 5})
        score.stave(s).joinToNext = true;
    return score;
}

TEST(SavePartWidget, TheArrowsTypingAndButtonsReachTheModel) {
    const Score score = threeSystemsOfTwo();
    DrivenUi ui;
    SavePartDialog model(score, 4, ui);
    QDialog* outer = nullptr;
    ui.steps.push_back([&](QDialog& d) {
        outer = &d;
        auto* start = d.findChild<QSpinBox*>("startSystem");
        auto* end = d.findChild<QSpinBox*>("endSystem");
        EXPECT_EQ(d.windowTitle(), "Save Part of Score");
        EXPECT_EQ(start->value(), 2);
        EXPECT_EQ(start->maximum(), 3);
        EXPECT_EQ(d.findChild<QLabel*>("startStave")->text(), "Stave 3");
        QTest::keyClick(start, Qt::Key_Up); // above the end: the end follows
        EXPECT_EQ(end->value(), 3);
        EXPECT_EQ(d.findChild<QLabel*>("endStave")->text(), "Stave 6");
        QTest::keyClick(end, Qt::Key_Down);
        QTest::keyClick(end, Qt::Key_Down); // below the start: the start follows
        EXPECT_EQ(start->value(), 1);
        QLineEdit* typed = end->findChild<QLineEdit*>();
        typed->selectAll();
        QTest::keyClicks(typed, "2"); // typed, not committed: the start stays
        EXPECT_EQ(d.findChild<QLabel*>("endStave")->text(), "Stave 4");
        typed = start->findChild<QLineEdit*>();
        typed->selectAll();
        QTest::keyClicks(typed, "3");
        EXPECT_EQ(d.findChild<QLabel*>("startStave")->text(), "Stave 5");
        d.accept(); // OK with the start above the end: refused, the dialog stays open
        EXPECT_TRUE(d.isVisible());
        typed->selectAll();
        QTest::keyClicks(typed, "1");
        // The refusal took the focus and so may have committed the start's 3, which
        // moves the end along; the end is typed again.
        typed = end->findChild<QLineEdit*>();
        typed->selectAll();
        QTest::keyClicks(typed, "2");
        clickButton(d, "OK");
    });
    QString refusal;
    ui.steps.push_back([&](QDialog& d) {
        refusal = qobject_cast<QMessageBox*>(&d)->text();
        EXPECT_EQ(d.parentWidget(), outer) << "the refusal stands over the dialog it refuses";
        d.accept();
    });
    ASSERT_TRUE(ui.runSavePartDialog(model));
    EXPECT_EQ(refusal, "Start system number must not be greater than end system number.");
    EXPECT_EQ(model.chosen()->first, 1);
    EXPECT_EQ(model.chosen()->last, 4);

    for (const char* way : {"Let me show you!", "Cancel"}) {
        SavePartDialog again(score, 3, ui);
        ui.steps.push_back([way](QDialog& d) { clickButton(d, way); });
        EXPECT_EQ(ui.runSavePartDialog(again), way[0] == 'L');
        EXPECT_EQ(again.chosen().has_value(), way[0] == 'L');
        if (again.chosen()) {
            EXPECT_EQ(again.chosen()->last, 6);
        }
    }
    EXPECT_EQ(ui.unscripted, 0);
}

TEST(TemplateSelectionWidget, TheListAndButtonsReachTheModel) {
    const test::ScratchFolder folder;
    Settings settings;
    for (const char* name : {"Hymn", "Piano <solo>", "Quartet"}) {
        settings.templates.push_back(templateEntry(name, std::string(name, 4) + ".QVT"));
        std::ofstream(folder.at(std::string(name, 4) + ".QVT")) << "x";
    }
    DrivenUi ui;
    const auto list = [](QDialog& d) { return d.findChild<QListWidget*>(); };
    const auto clickRow = [list](QDialog& d, int row) {
        QTest::mouseClick(list(d)->viewport(), Qt::LeftButton, {},
                          list(d)->visualItemRect(list(d)->item(row)).center());
    };
    const std::function<void(QDialog&)> ways[] = {
        [&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Quaverly Template Selection");
            EXPECT_EQ(list(d)->item(1)->text(), "Piano <solo>");
            clickRow(d, 2);
            clickButton(d, "OK");
        },
        [&](QDialog& d) {
            clickRow(d, 1); // a double click is a click and then the second press
            QTest::mouseDClick(list(d)->viewport(), Qt::LeftButton, {},
                               list(d)->visualItemRect(list(d)->item(1)).center());
        },
        [&](QDialog& d) {
            clickRow(d, 1);
            clickButton(d, "No template");
        },
        [&](QDialog& d) {
            clickRow(d, 2);
            clickButton(d, "Delete"); // answered No
            EXPECT_EQ(list(d)->count(), 3);
            clickButton(d, "Delete"); // answered Yes
            EXPECT_EQ(list(d)->count(), 2);
            EXPECT_EQ(list(d)->currentRow(), 0);
            clickButton(d, "Delete");
            clickButton(d, "Delete");
            EXPECT_FALSE(test::buttonCalled(d, "OK")->isEnabled());
            EXPECT_FALSE(test::buttonCalled(d, "Delete")->isEnabled());
            QTest::keyClick(&d, Qt::Key_Escape);
        },
    };
    const char* chosen[] = {"Quar.QVT", "Pian.QVT", nullptr, nullptr};
    for (int i = 0; i < 4; ++i) {
        TemplateSelectionDialog model(settings, ui, folder.path());
        ui.steps.push_back(ways[i]);
        for (auto press : {QMessageBox::No, QMessageBox::Yes, QMessageBox::Yes, QMessageBox::Yes})
            if (i == 3)
                ui.steps.push_back(
                    [press](QDialog& d) { qobject_cast<QMessageBox*>(&d)->button(press)->click(); });
        EXPECT_EQ(ui.runTemplateSelection(model), chosen[i] != nullptr) << i;
        EXPECT_EQ(model.chosenFile(), chosen[i] ? std::optional(folder.at(chosen[i])) : std::nullopt) << i;
    }
    EXPECT_TRUE(settings.templates.empty());
    EXPECT_EQ(folder.names(), std::vector<std::string>{});
    EXPECT_EQ(ui.unscripted, 0);
}

} // namespace
} // namespace qv
