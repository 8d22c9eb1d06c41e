// Page setup on the real window: the sheet read from a Qt printer, "Page &Layout..."
// from the Page menu through the dialog's widgets, and "Default &Page Setup" kept
// in the settings file.

#include "print/pagesetup.h"
#include "shell/pagesetupwidget.h"
#include "shell/printerchoice.h"
#include "shell/qtprinter.h"
#include "windowfixture.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace qv {
namespace {

using F = PageSetupDialog::Field;

// A PDF printer of US Legal paper (8.5 x 14 inches), which prints to the sheet's
// edges: the same answers whatever printers this machine has, and room for the
// default A4 page.
std::unique_ptr<QPrinter> legalPrinter() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageSize(QPageSize(QPageSize::Legal));
    return printer;
}

TEST(PageSetupWindow, TheQtPrinterGivesItsSheetUprightInEitherOrientation) {
    auto printer = legalPrinter();
    QtPrinterDevice device(*printer);
    Tpagedata capacities(&device);
    for (bool landscape : {false, true}) {
        ASSERT_TRUE(capacities.setLandscape(landscape));
        EXPECT_EQ(capacities.landscape(), landscape);
        EXPECT_DOUBLE_EQ(capacities.value(PageValue::PhysicalWidth, PageUnit::Inches), 8.5);
        EXPECT_DOUBLE_EQ(capacities.value(PageValue::PhysicalLength, PageUnit::Inches), 14.0);
        EXPECT_DOUBLE_EQ(capacities.value(PageValue::UnprintableRight, PageUnit::Dots), 0.0);
    }
}

// Types into one field of the real dialog and presses one of its buttons.
std::function<bool(PageSetupDialog&)> typeAndPress(QWidget* owner, F field, const char* text,
                                                   const char* button) {
    return [=](PageSetupDialog& model) {
        PageSetupWidget dialog(model, owner);
        dialog.show();
        QLineEdit* edit = dialog.field(field);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
        return dialog.result() == QDialog::Accepted;
    };
}

TEST(PageSetupWindow, PageLayoutAndTheDefaultPageSetupGoThroughTheDialogFromTheMenus) {
    test::Entry e;
    e.frame.printerChoice().choose(legalPrinter());
    const int before = e.page().width();
    e.ui.pageSetupScript = typeAndPress(&e.window(), F::Left, "1", "OKBtn");
    e.window().action("PageLayout")->trigger();
    EXPECT_DOUBLE_EQ(e.score().page.LeftM, 1.0);
    EXPECT_TRUE(e.ui.messages.empty()) << e.ui.lastText();
    EXPECT_EQ(e.page().width(), musicAreaWidth(e.score().page, e.score().StvSiz)) << "drawn anew";
    EXPECT_LT(e.page().width(), before);
    e.ui.pageSetupScript = typeAndPress(&e.window(), F::Left, "2", "CancelBtn");
    e.window().action("PageLayout")->trigger();
    EXPECT_DOUBLE_EQ(e.score().page.LeftM, 1.0);

    QAction* item = nullptr;
    for (QAction* a : e.frame.fileMenu()->actions())
        if (a->text() == QStringLiteral("Default &Page Setup")) item = a;
    ASSERT_TRUE(item && item->isEnabled());
    e.ui.pageSetupScript = typeAndPress(&e.frame, F::Top, "0.75", "OKBtn");
    item->trigger();
    EXPECT_DOUBLE_EQ(e.frame.settings().defaultPage.TopM, 0.75);
    EXPECT_DOUBLE_EQ(e.score().page.TopM, 0.5) << "the score keeps its own page";
    std::stringstream ini;
    ini << std::ifstream(e.dir.at("QUAVLY.INI")).rdbuf();
    EXPECT_NE(ini.str().find("Top=750"), std::string::npos) << "kept in the settings file at once";
}

} // namespace
} // namespace qv
