#pragma once
// The "Quaverly Template Selection" dialog offered on File | New: the list of
// template descriptions with OK, "No template" and "Delete". The choice and the
// deleting are the TemplateSelectionDialog model's; the widget shows the list and
// forwards the user's actions.

#include <QDialog>

class QListWidget;
class QPushButton;

namespace qv {

class TemplateSelectionDialog;

inline const char* const NoTemplateCaption = "No template";
inline const char* const DeleteTemplateCaption = "Delete";

class TemplateSelectionWidget : public QDialog {
  public:
    explicit TemplateSelectionWidget(TemplateSelectionDialog& model, QWidget* parent = nullptr);

    // OK and a double click: the selected template is chosen.
    void accept() override;
    // "No template", Esc and the close box: an empty score.
    void reject() override;

  private:
    void deleteSelected();
    void refill();

    TemplateSelectionDialog& model_;
    QListWidget* list_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* delete_ = nullptr;
};

} // namespace qv
