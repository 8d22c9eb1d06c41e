#pragma once
// The main frame of the desktop program.

#include <QMainWindow>

namespace qv {

class MainFrame : public QMainWindow {
  public:
    explicit MainFrame(QWidget* parent = nullptr);
};

} // namespace qv
