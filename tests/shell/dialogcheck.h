#pragma once
// What every dialog test checks of a dialog: its buttons found by caption and
// clicked as a user clicks them, each accelerator used once, no button narrower
// than its caption, the Tab order, and (with QUAVERLY_SHOTS set to a folder) a
// picture of it kept there to look at.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv::test {

// The shown button with this caption (accelerator marks included).
inline QAbstractButton* button(QWidget& dialog, const QString& caption) {
    for (QAbstractButton* b : dialog.findChildren<QAbstractButton*>())
        if (b->text() == caption && b->isVisible()) return b;
    ADD_FAILURE() << "no button \"" << caption.toStdString() << "\"";
    return nullptr;
}

// A click on the button's left end: a check box reacts to its box and caption only.
inline void click(QWidget& dialog, const QString& caption) {
    if (QAbstractButton* b = button(dialog, caption))
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
}

// The accelerator letters of the shown buttons, labels and group titles, lower case.
inline std::vector<QChar> accelerators(QWidget& dialog) {
    std::vector<QChar> keys;
    const auto letter = [&keys](const QString& text) {
        for (qsizetype at = text.indexOf(u'&'); at >= 0 && at + 1 < text.size(); at = text.indexOf(u'&', at + 2))
            if (text[at + 1] != u'&') return keys.push_back(text[at + 1].toLower());
    };
    for (QAbstractButton* b : dialog.findChildren<QAbstractButton*>())
        if (b->isVisible()) letter(b->text());
    for (QLabel* l : dialog.findChildren<QLabel*>())
        if (l->isVisible()) letter(l->text());
    for (QGroupBox* g : dialog.findChildren<QGroupBox*>())
        if (g->isVisible()) letter(g->title());
    return keys;
}

// Shown, each accelerator once, every button as wide as its caption; kept as
// `name`.png in $QUAVERLY_SHOTS when that is set.
inline void expectTidy(QWidget& dialog, const std::string& name) {
    if (!dialog.isVisible()) {
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
    const std::vector<QChar> keys = accelerators(dialog);
    EXPECT_EQ(std::set<QChar>(keys.begin(), keys.end()).size(), keys.size()) << name;
    for (QAbstractButton* b : dialog.findChildren<QAbstractButton*>()) {
        if (b->isVisible()) {
            EXPECT_GE(b->width(), b->minimumSizeHint().width()) << b->text().toStdString();
        }
    }
    if (const QByteArray dir = qgetenv("QUAVERLY_SHOTS"); !dir.isEmpty())
        dialog.grab().save(QString::fromUtf8(dir) + "/" + QString::fromStdString(name) + ".png");
}

// Tab from the first control visits these, in this order.
inline void expectTabOrder(QWidget& dialog, const std::vector<QWidget*>& order) {
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    order.front()->setFocus();
    for (std::size_t k = 1; k < order.size(); ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), order[k]) << k;
    }
}

} // namespace qv::test
