#pragma once
// The "Change font" dialog (TChangefont): the font being redefined shown in a panel,
// "&Change this font" for the platform's font dialog on a working copy, "&OK" to keep
// the copy and "&Abort" to drop it. The ChangeFontDialog model holds the copy.

#include <QDialog>

class QLabel;

namespace qv {

class ChangeFontDialog;

class ChangeFontWidget : public QDialog {
  public:
    explicit ChangeFontWidget(ChangeFontDialog& model, QWidget* parent = nullptr);

  private:
    ChangeFontDialog& model_;
    QLabel* panel_ = nullptr;
};

} // namespace qv
