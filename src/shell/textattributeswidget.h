#pragma once
// The "Text Attributes" dialog: a memo with the text in its font, "  &Font" for the
// font dialog, and the boxes "&Transposable", "&Immobile" and "&Boxed". For a block
// of several texts the memo gives way to "More than one" / "selected. Only
// attributes can be changed." and the boxes can be grey. OK writes the memo, the
// font and the boxes back into the TextAttributes model.

#include <QDialog>
#include <QString>

#include <string>

class QCheckBox;
class QPlainTextEdit;

namespace qv {

struct TextAttributes;
class Ui;

// A text's 8-bit characters as the memo shows them: the flat, natural and sharp
// inside text as the music signs, the blank of width "d" as an open box; and back.
// Characters the text cannot hold become "?"; line breaks become spaces.
QString memoText(const std::string& text);
std::string storedText(const QString& memo);

class TextAttributesWidget : public QDialog {
  public:
    // `ui` opens the font dialog.
    TextAttributesWidget(TextAttributes& model, Ui& ui, QWidget* parent = nullptr);

    void accept() override;

  private:
    void chooseFont();

    TextAttributes& model_;
    Ui& ui_;
    QPlainTextEdit* memo_ = nullptr;
    QCheckBox* transposable_ = nullptr;
    QCheckBox* immobile_ = nullptr;
    QCheckBox* boxed_ = nullptr;
};

} // namespace qv
