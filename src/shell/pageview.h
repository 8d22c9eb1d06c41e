#pragma once
// The widget that shows the page bitmap at the zoom, turns mouse events into page
// positions and shows the outline of a stave being dragged. The bitmap holds one
// or three pixels per page unit; the widget shows `zoom` pixels per page unit,
// scaling the bitmap smoothly when the two differ on the screen's device pixels.

#include <QColor>
#include <QImage>
#include <QLine>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QWidget>

#include <functional>
#include <vector>

namespace qv {

class PageView : public QWidget {
  public:
    explicit PageView(QWidget* parent = nullptr);

    // The page bitmap, where page position (0, 0) lies on it in page units, and how
    // many of its pixels make one page unit.
    void setPage(const QImage* image, QPoint origin, int pixelsPerUnit = 1);
    // Widget pixels per page unit.
    void setZoom(double zoom);
    double zoom() const { return zoom_; }
    // The page size in page units, margins included.
    QSize pageSize() const;

    // The page unit under a widget point, and the widget point at the middle of a
    // page unit (which maps back to it at every zoom).
    QPoint toPage(QPointF widgetPoint) const;
    QPoint toWidget(QPoint pagePoint) const;

    // An outline drawn over the page (a stave being dragged); empty for none.
    void setOutline(const QRect& pageRect);
    // Lines drawn over the page in `colour` (which stave each object belongs to);
    // none to hide them.
    void setStrings(std::vector<QLine> pageLines, const QColor& colour);
    const std::vector<QLine>& strings() const { return strings_; }

    struct MouseEvent {
        QPoint page;
        Qt::MouseButton button;     // the button that changed (press, release)
        Qt::MouseButtons buttons;   // the buttons held
        Qt::KeyboardModifiers modifiers;
        QPoint global;
    };
    std::function<void(const MouseEvent&)> onPress, onMove, onRelease, onDoubleClick;
    // Ctrl with the wheel: steps (positive away from the user) at a widget point.
    std::function<void(int steps, QPointF at)> onZoomWheel;
    // The screen's device pixel ratio changed under the page (a move to another screen).
    std::function<void()> onDeviceScaleChanged;

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    MouseEvent translate(const QMouseEvent& event) const;
    QSize widgetSize() const;
    void drawPage(QPainter& painter, const QRect& area);
    const QImage& downscaled(QSize deviceSize);

    const QImage* image_ = nullptr;
    QPoint origin_;
    int pixelsPerUnit_ = 1;
    double zoom_ = 1.0;
    double drawnRatio_ = 1.0; // the device pixel ratio the page was last shown at
    QRect outline_;
    std::vector<QLine> strings_;
    QColor stringsColour_;
    // The whole page scaled down by averaging, for steps below one half that
    // bilinear filtering would alias; kept until the page changes.
    QImage downscaled_;
    qint64 downscaledKey_ = 0;
    int wheelRest_ = 0; // eighths of a degree not yet a whole step
};

} // namespace qv
