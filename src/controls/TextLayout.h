#pragma once

#include <string>
#include <vector>

namespace nebulark {

// Where each character of a text box's edit buffer falls in its grid of
// cells, row by row. A carriage return ends its row; a character that would
// pass the last column continues on the next row; what finds no cell falls
// outside the grid. Positions run from 0 to the buffer's length, the last one
// being the place after the final character, where the caret may stand.
class TextLayout {
public:
    // At most this many cells are laid out, however large the box.
    static constexpr int kMaxCells = 1600;

    TextLayout() = default;
    TextLayout(const std::string& buffer, int columns, int rows);

    int columns() const { return columnCount; }
    int cellCount() const { return static_cast<int>(cellIndex.size()); }
    // The buffer position a cell shows: the rest of a row ended by a carriage
    // return shows the return's position, cells after the text the end.
    int indexOfCell(int cell) const;
    // The cell of a buffer position, or -1 when it falls outside the grid.
    int cellOfIndex(int index) const;
    // True when every character that is not a blank has a cell.
    bool holdsAllText(const std::string& buffer) const;

private:
    int columnCount = 0;
    int end = 0;
    std::vector<int> cellIndex;
    std::vector<int> indexCell;
};

}  // namespace nebulark
