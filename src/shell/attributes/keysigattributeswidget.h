#pragma once
// TKeysigDialog: the "Key Signature" dialog over its model.

#include <QDialog>

class QLabel;

namespace qv {

struct KeysigAttributes;
class RadioGroup;
class PreviewLabel;

class KeysigAttributesWidget : public QDialog {
  public:
    KeysigAttributesWidget(KeysigAttributes& model, QWidget* parent);
    void done(int result) override;

  private:
    void showKey();
    KeysigAttributes& model_;
    RadioGroup* type_ = nullptr;
    RadioGroup* number_ = nullptr;
    QLabel* name_ = nullptr;
    PreviewLabel* preview_ = nullptr;
};

} // namespace qv
