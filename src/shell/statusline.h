#pragma once
// The status line under the score: it shows the position and, dragged up or down
// with the left button, resizes the tutorial pane below it, whose height stays
// between 100 pixels and two thirds of the frame's client height.

#include <QLabel>

namespace qv {

inline constexpr int MinTutorialHeight = 100;

// The pane height for a wish, held within its limits for a client of `clientHeight`.
int clampTutorialHeight(int wanted, int clientHeight);

class StatusLine : public QLabel {
  public:
    StatusLine(QWidget* pane, QWidget* client, QWidget* parent = nullptr);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QWidget* pane_;
    QWidget* client_;
    int pressY_ = -1;
    int paneAtPress_ = 0;
};

} // namespace qv
