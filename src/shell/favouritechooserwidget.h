#pragma once
// The chooser of a favourite font: its title, the label above, and the six
// favourites as "&1 " + description ... under the list's caption. None is chosen
// at first; OK writes the number chosen (0 for none) back into the model.

#include <QDialog>

class QButtonGroup;

namespace qv {

struct FavouriteChooser;

class FavouriteChooserWidget : public QDialog {
  public:
    explicit FavouriteChooserWidget(FavouriteChooser& model, QWidget* parent = nullptr);

    void accept() override;

  private:
    FavouriteChooser& model_;
    QButtonGroup* numbers_ = nullptr;
};

} // namespace qv
