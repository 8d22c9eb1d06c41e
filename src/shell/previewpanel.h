#pragma once
// The print preview: two pages side by side (an even page left, the following odd
// page right) under a row of buttons and a label naming the pages.

#include "edit/previewpages.h"
#include "model/score.h"
#include "render/drawcontext.h"

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QPushButton;

namespace qv {

class PreviewPanel : public QWidget {
  public:
    PreviewPanel(Score& score, const Colours& colours, QWidget* parent = nullptr);

    // Shows the spread that holds page `current`.
    void open(int current, bool details);
    void previous();
    void next();

    QString label() const;
    QLabel* leftImage() const { return left_; }
    QLabel* rightImage() const { return right_; }
    QPushButton* previousButton() const { return previous_; }
    QPushButton* nextButton() const { return next_; }
    bool details() const;
    QPushButton* detailsButton() const { return details_; }

    std::function<void()> onCancel; // "C&ancel" and Esc: back to Music

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void show();
    QImage drawPage(int page, bool gutterLeft) const;
    double pixelsPerInch() const;
    QSize pageSize() const; // of one page's image

    Score& score_;
    const Colours& colours_;
    std::optional<PreviewPages> pages_;
    bool margins_ = false;
    QLabel* caption_ = nullptr;
    QLabel* left_ = nullptr;
    QLabel* right_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* details_ = nullptr;
};

} // namespace qv
