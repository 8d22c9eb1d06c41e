// The desktop's Ui through its real widgets: message boxes with exactly the buttons
// asked for and the button pressed as the answer, input boxes, the busy pointer,
// the progress window and the file choosers.

#include "drivenui.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include <gtest/gtest.h>

namespace qv {
namespace {

namespace fs = std::filesystem;
using test::DrivenUi;

struct SeenBox {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    Qt::TextFormat format = Qt::AutoText;
};

// A step that notes what the message box shows, then presses `press` (Esc when
// it is NoButton).
test::DialogStep pressInBox(SeenBox& seen, QMessageBox::StandardButton press) {
    return [&seen, press](QDialog& d) {
        auto* box = qobject_cast<QMessageBox*>(&d);
        ASSERT_NE(box, nullptr);
        seen = {box->icon(), box->windowTitle(), box->text(), box->standardButtons(), box->textFormat()};
        if (press == QMessageBox::NoButton)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            QTest::mouseClick(box->button(press), Qt::LeftButton);
    };
}

TEST(QtUiMessage, ShowsTheTypeTextAndButtonsAndAnswersTheButtonPressed) {
    struct Case {
        MessageType type;
        Buttons buttons;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons shown;
        QMessageBox::StandardButton press;
        Button answer;
    };
    const Case cases[] = {
        {MessageType::Error, ButtonOk, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok, ButtonOk},
        {MessageType::Warning, ButtonOk, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok, ButtonOk},
        {MessageType::Information, ButtonOk, QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok,
         ButtonOk},
        {MessageType::Confirmation, ButtonYes | ButtonNo, QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::No, QMessageBox::No, ButtonNo},
        {MessageType::Confirmation, ButtonYes | ButtonNo, QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, ButtonYes},
        {MessageType::Confirmation, ButtonYes | ButtonAbort, QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::Abort, QMessageBox::Abort, ButtonAbort},
        {MessageType::Confirmation, ButtonYes | ButtonNo | ButtonCancel, QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel, ButtonCancel},
        {MessageType::Error, ButtonAbort | ButtonRetry | ButtonIgnore, QMessageBox::Critical,
         QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore, QMessageBox::Retry, ButtonRetry},
        {MessageType::Warning, ButtonOk | ButtonCancel, QMessageBox::Warning,
         QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, ButtonOk},
    };
    for (const Case& c : cases) {
        DrivenUi ui;
        SeenBox seen;
        ui.steps.push_back(pressInBox(seen, c.press));
        EXPECT_EQ(ui.message(c.type, "Line one\n\nline two", c.buttons), c.answer);
        EXPECT_EQ(seen.icon, c.icon);
        EXPECT_EQ(seen.title, "Quaverly");
        EXPECT_EQ(seen.text, "Line one\n\nline two");
        EXPECT_EQ(seen.buttons, c.shown) << "exactly the buttons asked for";
        EXPECT_EQ(ui.unscripted, 0);
    }
}

TEST(QtUiMessage, EscapeAnswersTheCancellingButtonAndMarkupStaysText) {
    DrivenUi ui;
    SeenBox seen;
    ui.steps.push_back(pressInBox(seen, QMessageBox::NoButton));
    EXPECT_EQ(ui.message(MessageType::Confirmation, "About to delete template \"<b>x</b>\". Are you sure?",
                         ButtonYes | ButtonNo),
              ButtonNo);
    EXPECT_EQ(seen.format, Qt::PlainText) << "a description holding markup is shown as typed";

    ui.steps.push_back(pressInBox(seen, QMessageBox::NoButton));
    EXPECT_NE(ui.message(MessageType::Confirmation, "Include these?", ButtonYes | ButtonAbort), ButtonYes);

    // A box asked for without buttons still has a way out.
    ui.steps.push_back(pressInBox(seen, QMessageBox::Ok));
    EXPECT_EQ(ui.message(MessageType::Information, "Done", ButtonNone), ButtonOk);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
}

TEST(QtUiInputBox, ReturnsWhatWasTypedOrNothingOnCancel) {
    DrivenUi ui;
    QString title, prompt, initial;
    ui.steps.push_back([&](QDialog& d) {
        auto* input = qobject_cast<QInputDialog*>(&d);
        ASSERT_NE(input, nullptr);
        title = input->windowTitle();
        prompt = input->labelText();
        initial = input->textValue();
        QLineEdit* edit = d.findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        edit->clear();
        QTest::keyClicks(edit, "Hymn tunes");
        QTest::keyClick(edit, Qt::Key_Return);
    });
    EXPECT_EQ(ui.inputBox("Quaverly Template", "Please give a description for this template :", "old"),
              std::optional<std::string>("Hymn tunes"));
    EXPECT_EQ(title, "Quaverly Template");
    EXPECT_EQ(prompt, "Please give a description for this template :");
    EXPECT_EQ(initial, "old");

    ui.steps.push_back([](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); });
    EXPECT_EQ(ui.inputBox("Set stave height", "New stave height (mm):", "8.5"), std::nullopt);
    ui.steps.push_back([](QDialog& d) { test::clickButton(d, "Cancel"); });
    EXPECT_EQ(ui.inputBox("Set stave height", "New stave height (mm):", "8.5"), std::nullopt);
    EXPECT_EQ(ui.unscripted, 0);
}

TEST(QtUiBusy, TheWaitPointerIsBalancedAndNeverLeftBehind) {
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    {
        QtUi ui;
        ui.setBusy(true);
        ui.setBusy(true); // a long operation inside another
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        ui.setBusy(false);
        EXPECT_NE(QApplication::overrideCursor(), nullptr) << "the outer operation is still running";
        ui.setBusy(false);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        ui.setBusy(false); // one too many: must not pop a pointer someone else set
        EXPECT_EQ(ui.busyDepth(), 0);

        QApplication::setOverrideCursor(Qt::CrossCursor);
        ui.setBusy(false);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::CrossCursor);
        QApplication::restoreOverrideCursor();
        ui.setBusy(true);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "a Ui going away clears the busy pointer it set";
}

QStringList labelTexts(const QWidget& w) {
    QStringList texts;
    for (const QLabel* l : w.findChildren<QLabel*>())
        texts << l->text();
    return texts;
}

TEST(QtUiProgress, OneSmallModelessWindowWithTheTextAndPleaseWait) {
    QWidget frame;
    frame.resize(600, 400);
    frame.show();
    QtUi ui(&frame);
    EXPECT_EQ(ui.progressWindow(), nullptr);
    ui.showProgress("Score saved as /tmp/Minuet.QVR");
    QWidget* window = ui.progressWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    EXPECT_TRUE(labelTexts(*window).contains("Score saved as /tmp/Minuet.QVR"));
    EXPECT_TRUE(labelTexts(*window).contains("Please wait"));

    ui.showProgress("Staves 3-4 saved as <part>.QVR");
    EXPECT_EQ(ui.progressWindow(), window) << "the same window, with the new line";
    EXPECT_TRUE(labelTexts(*window).contains("Staves 3-4 saved as <part>.QVR"));
    EXPECT_FALSE(labelTexts(*window).contains("Score saved as /tmp/Minuet.QVR"));

    ui.closeProgress();
    EXPECT_EQ(ui.progressWindow(), nullptr);
    ui.closeProgress(); // closing twice is harmless
    ui.showProgress("Template saved as Hymn.QVT");
    EXPECT_NE(ui.progressWindow(), nullptr);
}

class QtUiFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "qvqtuiXXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

TEST(QtUiDefaultExtension, AddedOnlyWhenTheNameHasNone) {
    EXPECT_EQ(withDefaultExtension("/music/song", "QVR"), "/music/song.QVR");
    EXPECT_EQ(withDefaultExtension("/music/song.qvr", "QVR"), "/music/song.qvr");
    EXPECT_EQ(withDefaultExtension("/music.d/song", "QVR"), "/music.d/song.QVR") << "a dot in a folder";
    EXPECT_EQ(withDefaultExtension("/music/song", ""), "/music/song");
    EXPECT_EQ(withDefaultExtension("", "QVR"), "");
}

TEST_F(QtUiFiles, SaveChooserStartsWhereAskedAndAddsTheExtension) {
    DrivenUi ui;
    QString title, folder, typed;
    ui.steps.push_back([&](QDialog& d) {
        auto* chooser = qobject_cast<QFileDialog*>(&d);
        ASSERT_NE(chooser, nullptr);
        title = chooser->windowTitle();
        folder = chooser->directory().absolutePath();
        EXPECT_EQ(chooser->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_TRUE(chooser->nameFilters().contains("Quaverly files (*.QVR)"));
        d.accept(); // QFileDialog::accept, as the chooser's own button does
    });
    FileDialogRequest request{"Save Part of Score", dir.string(), "part", "Quaverly files (*.QVR)", "QVR"};
    const auto chosen = ui.saveFileName(request);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(fs::path(*chosen), dir / "part.QVR");
    EXPECT_EQ(title, "Save Part of Score");
    EXPECT_EQ(fs::path(folder.toStdString()), fs::canonical(dir));

    ui.steps.push_back([](QDialog& d) { d.reject(); });
    EXPECT_EQ(ui.saveFileName(request), std::nullopt);
}

TEST_F(QtUiFiles, OpenChooserGivesTheFileChosenOrNothing) {
    std::ofstream(dir / "Minuet.QVR") << "x";
    DrivenUi ui;
    ui.steps.push_back([&](QDialog& d) {
        auto* chooser = qobject_cast<QFileDialog*>(&d);
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(chooser->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(chooser->fileMode(), QFileDialog::ExistingFile);
        chooser->selectFile("Minuet.QVR");
        d.accept(); // QFileDialog::accept, as the chooser's own button does
    });
    const FileDialogRequest request{"Open", dir.string(), "", "Quaverly files (*.QVR)", "QVR"};
    EXPECT_EQ(ui.openFileName(request), std::optional<std::string>((dir / "Minuet.QVR").string()));
    ui.steps.push_back([](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); });
    EXPECT_EQ(ui.openFileName(request), std::nullopt);
}

} // namespace
} // namespace qv
