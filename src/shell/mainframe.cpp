#include "shell/mainframe.h"

#include <QAction>
#include <QKeySequence>
#include <QMenuBar>

namespace qv {

MainFrame::MainFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Quaverly 32"));
    resize(1000, 750);
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* exit = file->addAction(QStringLiteral("E&xit"));
    exit->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    connect(exit, &QAction::triggered, this, &QWidget::close);
}

} // namespace qv
