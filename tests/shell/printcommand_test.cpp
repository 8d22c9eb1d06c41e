// Printing from the window: the range the print dialog leaves on the printer, the
// printer check before it, and the progress window's abort button.

#include "files/loader.h"
#include "model/tpagedata.h"
#include "print/fakeprinter.h" // tests/print: a printer of a given sheet
#include "print/printrun.h"
#include "shell/printcommand.h"
#include "shell/qtui.h"
#include "support/scratchfolder.h"
#include "support/scriptedui.h"

#include <QProgressDialog>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdio>

namespace qv {
namespace {

int pdfPages(const std::string& path) {
    int pages = -1;
    if (FILE* info = popen(("pdfinfo " + path + " 2>/dev/null").c_str(), "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, info))
            std::sscanf(line, "Pages: %d", &pages);
        pclose(info);
    }
    return pages;
}

class PrintCommand : public ::testing::Test {
  protected:
    PrintCommand() {
        EXPECT_TRUE(loadScore(QUAVERLY_DEMO, LoadOptions{}, ui, score));
        context.score = &score;
        context.currentPage = 2;
        context.captionName = "demo.QVR";
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(QString::fromStdString(dir.at("out.pdf")));
    }
    // The print dialog as the user leaves it: a range, and OK or Cancel.
    AskPrintRange answer(QPrinter::PrintRange range, int from, int to, bool ok = true) {
        return [this, range, from, to, ok](QPrinter& printer, int pages, int) {
            ++asked;
            EXPECT_EQ(pages, 2);
            printer.setPrintRange(range);
            printer.setFromTo(from, to);
            return ok;
        };
    }
    test::ScratchFolder dir;
    test::ScriptedUi ui;
    Score score;
    PrintCommandContext context;
    QPrinter pdf{QPrinter::HighResolution};
    int asked = 0;
};

TEST_F(PrintCommand, TheDialogsChoicePrintsThosePages) {
    printCommand(context, pdf, nullptr, ui, answer(QPrinter::PageRange, 2, 2));
    EXPECT_EQ(pdfPages(dir.at("out.pdf")), 1);
    EXPECT_EQ(ui.abortable.front(), "Printing | Preparing page 1 of 1.");

    printCommand(context, pdf, nullptr, ui, answer(QPrinter::AllPages, 0, 0));
    EXPECT_EQ(pdfPages(dir.at("out.pdf")), 2);

    std::remove(dir.at("out.pdf").c_str());
    printCommand(context, pdf, nullptr, ui, answer(QPrinter::AllPages, 0, 0, false));
    EXPECT_EQ(pdfPages(dir.at("out.pdf")), -1) << "cancelled: nothing printed";
}

TEST_F(PrintCommand, RangeCopiesAndCollationAsTheDialogLeftThem) {
    pdf.setCopyCount(3);
    pdf.setCollateCopies(true);
    pdf.setPrintRange(QPrinter::CurrentPage);
    const PrintRequest current = requestFromPrinter(pdf, 4, 3);
    EXPECT_EQ(current.first, 3);
    EXPECT_EQ(current.last, 3);
    EXPECT_EQ(current.copies, 3);
    EXPECT_FALSE(asPrinted(current).collate);
    pdf.setPrintRange(QPrinter::PageRange);
    pdf.setFromTo(2, 9);
    const PrintRequest range = requestFromPrinter(pdf, 4, 3);
    EXPECT_EQ(range.first, 2);
    EXPECT_EQ(range.last, 4) << "kept within the score";
    EXPECT_TRUE(range.collate);
}

TEST_F(PrintCommand, APageBeyondThePrinterIsPrintedOnlyWhenTheUserSaysSo) {
    test::FakePrinter small(8.0, 11.0, 0.25, 600); // the demo is 8.25 inches wide
    Tpagedata printer(&small);
    ui.buttonAnswers = {ButtonNo};
    printCommand(context, pdf, &printer, ui, answer(QPrinter::AllPages, 0, 0));
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(pdfPages(dir.at("out.pdf")), -1);
    EXPECT_NE(ui.lastText().find("Your page width is 8.250\", printer maximum is 8.000\"."), std::string::npos)
        << ui.lastText();

    ui.buttonAnswers = {ButtonYes};
    printCommand(context, pdf, &printer, ui, answer(QPrinter::AllPages, 0, 0));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(pdfPages(dir.at("out.pdf")), 2);
}

TEST(QtUiProgress, TheAbortButtonIsSeenByTheWorkThatAsks) {
    QWidget frame;
    QtUi ui(&frame);
    ui.abortableProgress("Printing", "Preparing page 1 of 3.");
    auto* window = frame.findChild<QProgressDialog*>();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Printing");
    EXPECT_EQ(window->labelText(), "Preparing page 1 of 3.");
    EXPECT_FALSE(ui.progressAborted());
    ui.abortableProgress("Printing copy 2 of 2", "Printing page 3 of 3.", 40);
    EXPECT_EQ(window->value(), 40);
    window->findChild<QPushButton*>()->click();
    EXPECT_TRUE(ui.progressAborted());
    ui.closeAbortableProgress();
    EXPECT_EQ(frame.findChild<QProgressDialog*>(), nullptr);
}

} // namespace
} // namespace qv
