#pragma once
// The widget that shows the page bitmap one page unit per pixel, turns mouse
// events into page positions and shows the outline of a stave being dragged.

#include <QColor>
#include <QImage>
#include <QLine>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include <functional>
#include <vector>

namespace qv {

class PageView : public QWidget {
  public:
    explicit PageView(QWidget* parent = nullptr);

    // The page bitmap and where page position (0, 0) lies on it.
    void setPage(const QImage* image, QPoint origin);
    QPoint toPage(QPoint widgetPoint) const { return widgetPoint - origin_; }
    QPoint toWidget(QPoint pagePoint) const { return pagePoint + origin_; }

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

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    MouseEvent translate(const QMouseEvent& event) const;

    const QImage* image_ = nullptr;
    QPoint origin_;
    QRect outline_;
    std::vector<QLine> strings_;
    QColor stringsColour_;
};

} // namespace qv
