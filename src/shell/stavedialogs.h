#pragma once
// The dialogs of staves and blocks: "Stave Attributes and System Construction" over
// its model, the "Block Mode Action" buttons and the "Object type selection" list.

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

namespace qv {

class BindingDialog;

class BindingWidget : public QDialog {
  public:
    BindingWidget(BindingDialog& model, QWidget* parent = nullptr);
};

// The buttons of "Specify action on marked block"; exec() returns the BlockAction code.
class BlockActionWidget : public QDialog {
  public:
    explicit BlockActionWidget(QWidget* parent = nullptr);
};

// The object kinds a block caught, offered by name; the chosen kind, nothing when aborted.
std::optional<int> chooseObjectKind(const std::vector<int>& kinds, QWidget* parent,
                                    const std::function<int(QDialog&)>& exec);

} // namespace qv
