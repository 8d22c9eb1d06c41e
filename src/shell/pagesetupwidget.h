#pragma once
// The "Page setup" dialog: paper size, margins, gutter, header and footer, facing
// pages, orientation and units, "Large&st" and the printable area, with OK and
// Cancel. The rules live in the PageSetupDialog model; the widget shows it and
// forwards what the user does.

#include "print/pagesetup.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace qv {

inline const char* const LargestHint = "Press to make the largest possible printing area";

class PageSetupWidget : public QDialog {
  public:
    explicit PageSetupWidget(PageSetupDialog& model, QWidget* parent = nullptr);

    // OK: closes only when the model lets it.
    void accept() override;
    // Cancel, Esc and the close box.
    void reject() override;

    QLineEdit* field(PageSetupDialog::Field f) const { return edits_[f]; }

  private:
    QLayout* makeFields();
    QLayout* makeSwitches();
    void orientationChosen(bool landscape);
    void unitChosen(bool millimetres);
    void largest();
    // Every control shown again from the model.
    void refresh();
    void refreshPrintable();

    PageSetupDialog& model_;
    std::array<QLineEdit*, PageSetupDialog::FieldCount> edits_{};
    QCheckBox* facing_ = nullptr;
    QRadioButton* portrait_ = nullptr;
    QRadioButton* landscape_ = nullptr;
    QRadioButton* inches_ = nullptr;
    QRadioButton* millimetres_ = nullptr;
    QLabel* printableWidth_ = nullptr;
    QLabel* printableHeight_ = nullptr;
};

} // namespace qv
