#pragma once
// The "Save Part of Score" dialog: two system numbers with the staves they stand
// for beside them, and OK, "Let me show you!" and Cancel. The rules (coupling of the
// two numbers, the order check on OK, what each button chooses) live in the
// SavePartDialog model; the widget shows it and forwards the user's actions.

#include <QDialog>

class QGridLayout;
class QLabel;
class QSpinBox;

namespace qv {

class SavePartDialog;

inline const char* const SavePartTitle = "Save Part of Score";
inline const char* const ShowAllCaption = "Let me show you!";

class SavePartWidget : public QDialog {
  public:
    explicit SavePartWidget(SavePartDialog& model, QWidget* parent = nullptr);

    // OK: closes only when the model accepts the range.
    void accept() override;
    // Cancel, Esc and the close box.
    void reject() override;

  private:
    QSpinBox* addSystemRow(QGridLayout* grid, int row, const char* caption, QLabel*& staveLabel);
    void showAll();
    void startTyped(const QString& text);
    void endTyped(const QString& text);
    void refresh();

    SavePartDialog& model_;
    QSpinBox* start_ = nullptr;
    QSpinBox* end_ = nullptr;
    QLabel* startStave_ = nullptr;
    QLabel* endStave_ = nullptr;
};

} // namespace qv
