#pragma once
// A QtUi whose modal dialogs a test drives: each dialog, once its event loop runs,
// gets the next step of the script, which clicks and types as a person would. A
// dialog without a step is cancelled; one left open by its step fails the test
// after a while instead of hanging it.

#include "shell/qtui.h"

#include <QAbstractButton>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>

#include <gtest/gtest.h>

namespace qv::test {

using DialogStep = std::function<void(QDialog&)>;

class DrivenUi : public QtUi {
  public:
    using QtUi::QtUi;

    std::deque<DialogStep> steps;
    int shown = 0;      // dialogs run so far
    int unscripted = 0; // of which found no step and were cancelled

  protected:
    int execDialog(QDialog& dialog) override {
        ++shown;
        DialogStep step;
        if (steps.empty()) {
            ++unscripted;
        } else {
            step = std::move(steps.front());
            steps.pop_front();
        }
        QPointer<QDialog> open(&dialog);
        QTimer::singleShot(0, &dialog, [open, step] {
            if (!open) return;
            if (step)
                step(*open);
            else
                open->reject();
        });
        QTimer::singleShot(5000, &dialog, [open] {
            if (!open || !open->isVisible()) return;
            ADD_FAILURE() << "a dialog was left open: " << open->windowTitle().toStdString();
            open->reject();
        });
        return QtUi::execDialog(dialog);
    }
};

// The child button with exactly this caption; fails the test when there is none.
inline QAbstractButton* buttonCalled(QWidget& parent, const QString& caption) {
    for (QAbstractButton* b : parent.findChildren<QAbstractButton*>())
        if (b->text() == caption) return b;
    ADD_FAILURE() << "no button \"" << caption.toStdString() << "\" in "
                  << parent.windowTitle().toStdString();
    return nullptr;
}

// Clicks it with the mouse, as the user would (nothing happens when it is disabled).
inline void clickButton(QWidget& parent, const QString& caption) {
    if (QAbstractButton* b = buttonCalled(parent, caption)) QTest::mouseClick(b, Qt::LeftButton);
}

} // namespace qv::test
