#pragma once
// Pieces the attribute dialogs share: a titled group of radio buttons whose choice
// is an index (or none), the OK/Cancel row, and a preview label that shows an
// object as the page draws it, on five stave lines.

#include "model/scoreobject.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>

#include <string>
#include <vector>

class QDialog;
class QDialogButtonBox;

namespace qv {

// A group box of radio buttons laid out in `columns` columns, top to bottom; the
// buttons are numbered from 0 in the order given. With `noChange` a last button
// "No change" (number NoChange) is added.
class RadioGroup : public QGroupBox {
  public:
    RadioGroup(const QString& title, const std::vector<std::string>& items, int columns, bool noChange,
               QWidget* parent);
    // The chosen number; NoChange for "No change" or when nothing is chosen.
    int choice() const;
    // Checks button `number`; NoChange checks "No change" when there is one, else nothing.
    void setChoice(int number);
    QButtonGroup* buttons() { return &group_; }

  private:
    QButtonGroup group_;
};

// A label showing `object` drawn by the page's drawers, at twice the screen size.
// The object's x and y are measured from the middle of the stave's middle line.
class PreviewLabel : public QLabel {
  public:
    explicit PreviewLabel(QWidget* parent);
    void showObject(const ScoreObject& object, bool staveLines);
};

// OK and Cancel at the bottom of `dialog`, accepting and rejecting it.
QDialogButtonBox* okCancel(QDialog* dialog);

} // namespace qv
