#pragma once
// TClefDialog: the "Clef attributes" and "Accidental attributes" dialog over its model.

#include <QDialog>

namespace qv {

struct ClefAttributes;
class RadioGroup;
class PreviewLabel;

class ClefAttributesWidget : public QDialog {
  public:
    ClefAttributesWidget(ClefAttributes& model, QWidget* parent);
    void done(int result) override;

  private:
    void showPreview();
    ClefAttributes& model_;
    RadioGroup* type_ = nullptr;
    RadioGroup* size_ = nullptr;
    PreviewLabel* preview_ = nullptr;
};

} // namespace qv
