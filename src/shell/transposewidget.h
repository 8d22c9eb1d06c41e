#pragma once
// The "Transposing" dialog: the interval and the distance in semitones, the extent,
// the clef change and the stem option, with "&Do it!", "Explain" and Cancel. The
// rules (the two distance controls following each other, the clef change kept to
// one stave, the questions of "&Do it!") live in the TransposeDialog model; the
// widget shows it and forwards what the user does.

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QSpinBox;

namespace qv {

class TransposeDialog;

class TransposeWidget : public QDialog {
  public:
    explicit TransposeWidget(TransposeDialog& model, QWidget* parent = nullptr);

    // Cancel, Esc and the close box.
    void reject() override;

  private:
    void doIt();
    // Every control shows the model again, without reporting back.
    void refresh();

    TransposeDialog& model_;
    QComboBox* interval_ = nullptr;
    QSpinBox* distance_ = nullptr;
    QButtonGroup* extent_ = nullptr;
    QButtonGroup* clef_ = nullptr;
    QCheckBox* stems_ = nullptr;
};

} // namespace qv
