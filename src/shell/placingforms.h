#pragma once
// The two forms of the placing modes: the symbol palette ("Select Symbol"), a grid
// of glyphs drawn by the glyph drawer, picked with a click, with "&More than one";
// and the drawing tools form ("Drawing Tools") that chooses a shape and its colour.
// The models keep the choices; the widgets show them and forward the clicks.

#include <QDialog>
#include <QImage>

class QCheckBox;
class QLabel;

namespace qv {

class SymbolPalette;
struct DrawingTools;

class SymbolPaletteWidget : public QDialog {
  public:
    explicit SymbolPaletteWidget(SymbolPalette& model, QWidget* parent = nullptr);
    // A click on the palette image at (x, y): a cell's symbol closes the form with OK.
    void clickAt(int x, int y);
    const QImage& image() const { return image_; }
    void done(int result) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    SymbolPalette& model_;
    QImage image_;
    QLabel* picture_ = nullptr;
    QCheckBox* many_ = nullptr;
};

class DrawingToolsWidget : public QDialog {
  public:
    explicit DrawingToolsWidget(DrawingTools& model, QWidget* parent = nullptr);

  private:
    DrawingTools& model_;
};

} // namespace qv
