#pragma once
// The models of the two forms the placing modes open: the symbol palette ("Select
// Symbol") with its cells in their fixed order, and the drawing tools form
// ("Drawing Tools") with the shape and its colour. The window shows them with
// widgets through the Ui; the arithmetic of the cells lives here.

#include <vector>

namespace qv {

class SymbolPalette {
  public:
    // The SymbolCodes of the cells, cell 1 first.
    static const std::vector<int>& order();

    explicit SymbolPalette(int imageWidth = 760) : imageWidth_(imageWidth) {}
    static constexpr int CellWidth = 48;
    static constexpr int CellHeight = 56;
    static constexpr int Left = 10; // the first cell of each row starts here

    int imageWidth() const { return imageWidth_; }
    // Cells in a full row: a row ends when the next cell would reach past the right
    // edge of the image less one cell width.
    int columns() const;
    int rows() const;
    // The top left corner of cell n (1-based).
    int cellX(int n) const;
    int cellY(int n) const;
    // The cell a click at (x, y) on the image picks, 0 for none.
    int cellAt(int x, int y) const;
    // A click at (x, y): the cell's symbol becomes the choice; false when no cell is there.
    bool click(int x, int y);

    int chosen = 0;           // the chosen SymbolCode, 0 for none
    bool manySymbols = false; // "&More than one", read when the form closes

  private:
    int imageWidth_;
};

struct DrawingTools {
    // 0 rectangle, 1 solid rectangle, 2 circle, 3 solid circle, 4 ellipse, 5 solid
    // ellipse, 6 square, 7 solid square
    int shapeChoice = 0;
    int shapeColour = 0; // 0 black, 1 white (erase)
};

} // namespace qv
