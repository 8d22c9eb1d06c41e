#pragma once
// TSingleDialog: the bar line, time signature and thickness dialog over its model.

#include <QDialog>

class QCheckBox;

namespace qv {

struct SingleAttributes;
class RadioGroup;
class PreviewLabel;

class SingleAttributesWidget : public QDialog {
  public:
    SingleAttributesWidget(SingleAttributes& model, QWidget* parent);
    void done(int result) override;

  private:
    void showPreview();
    SingleAttributes& model_;
    RadioGroup* items_ = nullptr;
    QCheckBox* dotted_ = nullptr;
    PreviewLabel* preview_ = nullptr;
};

} // namespace qv
