#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "widgets/Geometry.h"

namespace nebulark {

class TextLayout;

// What one cell of a text box shows.
struct CellLook {
    char shown = ' ';
    int32_t ink = 0;
    int32_t paper = 0;

    bool operator==(const CellLook&) const = default;
};

// The colours a text box paints its cells in; a caret paper of -1 shows no
// caret.
struct CellColours {
    int32_t ink = 0;
    int32_t paper = 0;
    int32_t caretPaper = -1;
};

// The cells of a text box: their geometry inside the box, and a cache of what
// each cell shows on screen, so that a repaint draws only the cells whose
// character or colours changed.
class TextGrid {
public:
    // Cells are measured from the font: a character's width + 2 by the
    // font's height + 4.
    void measure(int charWidth, int fontHeight);
    // Columns and rows for a box of this size; the cache starts blank.
    void fit(int boxWidth, int boxHeight, const CellLook& blank);
    int cellWidth() const { return width; }
    int cellHeight() const { return height; }
    int columns() const { return columnCount; }
    int rows() const { return rowCount; }
    // The cell under a point given relative to the box, or -1.
    int cellAt(int boxX, int boxY) const;
    // The top-left corner of a cell, relative to the box.
    Point cellOrigin(int cell) const;

    // Stores the new looks and answers the cells to draw: every cell for a
    // full repaint, else those that changed.
    std::vector<int> update(const std::vector<CellLook>& looks, bool full);

    // What every cell of a layout shows: line breaks as blanks, a password's
    // characters as "*", the caret's cell on the caret paper.
    static std::vector<CellLook> looks(const TextLayout& layout, const std::string& buffer,
                                       int caret, bool password, const CellColours& colours);

private:
    int width = 9;
    int height = 18;
    int columnCount = 0;
    int rowCount = 0;
    std::vector<CellLook> cache;
};

}  // namespace nebulark
