#include "controls/TextGrid.h"

#include <algorithm>

#include "controls/TextLayout.h"

namespace nebulark {

namespace {

// The text starts this far inside the box, clear of the two-line frame.
constexpr int kTextLeft = 3;
constexpr int kTextTop = 2;
// The frame and a margin take this much of the box's width and height.
constexpr int kFrame = 6;

}  // namespace

void TextGrid::measure(int charWidth, int fontHeight) {
    width = std::max(charWidth, 1) + 2;
    height = std::max(fontHeight, 1) + 4;
}

void TextGrid::fit(int boxWidth, int boxHeight, const CellLook& blank) {
    columnCount = std::max((boxWidth - kFrame) / width, 0);
    rowCount = std::max((boxHeight - kFrame) / height, 0);
    const int64_t cells = int64_t{columnCount} * rowCount;
    cache.assign(static_cast<size_t>(std::min<int64_t>(cells, TextLayout::kMaxCells)), blank);
}

int TextGrid::cellAt(int boxX, int boxY) const {
    const int left = boxX - kTextLeft, top = boxY - kTextTop;
    if (left < 0 || top < 0) return -1;
    const int column = left / width, row = top / height;
    if (column >= columnCount || row >= rowCount) return -1;
    const int64_t cell = int64_t{row} * columnCount + column;
    return cell < static_cast<int64_t>(cache.size()) ? static_cast<int>(cell) : -1;
}

Point TextGrid::cellOrigin(int cell) const {
    const int column = columnCount > 0 ? cell % columnCount : 0;
    const int row = columnCount > 0 ? cell / columnCount : 0;
    return Point{kTextLeft + column * width, kTextTop + row * height};
}

std::vector<int> TextGrid::update(const std::vector<CellLook>& looks, bool full) {
    std::vector<int> drawn;
    const size_t count = std::min(looks.size(), cache.size());
    for (size_t cell = 0; cell < count; ++cell) {
        if (!full && cache[cell] == looks[cell]) continue;
        cache[cell] = looks[cell];
        drawn.push_back(static_cast<int>(cell));
    }
    return drawn;
}

std::vector<CellLook> TextGrid::looks(const TextLayout& layout, const std::string& buffer,
                                      int caret, bool password, const CellColours& colours) {
    std::vector<CellLook> result(static_cast<size_t>(layout.cellCount()),
                                 CellLook{' ', colours.ink, colours.paper});
    const int caretCell = colours.caretPaper != -1 ? layout.cellOfIndex(caret) : -1;
    for (int cell = 0; cell < layout.cellCount(); ++cell) {
        const size_t index = static_cast<size_t>(layout.indexOfCell(cell));
        char shown = index < buffer.size() ? buffer[index] : ' ';
        if (shown == '\n' || shown == '\r') shown = ' ';
        if (password && shown != ' ') shown = '*';
        CellLook& look = result[static_cast<size_t>(cell)];
        look.shown = shown;
        if (cell == caretCell) look.paper = colours.caretPaper;
    }
    return result;
}

}  // namespace nebulark
