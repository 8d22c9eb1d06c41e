#pragma once
// TNoteAttForm: the "Note Attributes" ("Rest attributes") dialog over its model.

#include <QDialog>

class QCheckBox;
class QListWidget;
class QSpinBox;
class QLabel;

namespace qv {

struct NoteAttributes;
class RadioGroup;
class PreviewLabel;

class NoteAttributesWidget : public QDialog {
  public:
    NoteAttributesWidget(NoteAttributes& model, QWidget* parent);
    void done(int result) override;

  private:
    void showStyle();
    NoteAttributes& model_;
    QListWidget* duration_ = nullptr;
    RadioGroup* dots_ = nullptr;
    QCheckBox* accent_ = nullptr;
    RadioGroup* staccato_ = nullptr;
    RadioGroup* stem_ = nullptr;
    QCheckBox* beam_ = nullptr;
    RadioGroup* style_ = nullptr;
    PreviewLabel* preview_ = nullptr;
    RadioGroup* tie_ = nullptr;
    QSpinBox* stemLength_ = nullptr;
    QCheckBox* keepStemLength_ = nullptr;
};

} // namespace qv
