#include "controls/TextLayout.h"

#include <algorithm>
#include <cstdint>

namespace nebulark {

TextLayout::TextLayout(const std::string& buffer, int columns, int rows)
    : columnCount(std::max(columns, 0)), end(static_cast<int>(buffer.size())) {
    const int64_t cells = int64_t{columnCount} * std::max(rows, 0);
    cellIndex.assign(static_cast<size_t>(std::min<int64_t>(cells, kMaxCells)), end);
    indexCell.assign(buffer.size() + 1, -1);
    const int count = cellCount();
    int cell = 0;
    for (int index = 0; index <= end && cell < count; ++index) {
        cellIndex[static_cast<size_t>(cell)] = index;
        indexCell[static_cast<size_t>(index)] = cell;
        if (index == end || buffer[static_cast<size_t>(index)] != '\r') {
            ++cell;
            continue;
        }
        const int nextRow = std::min((cell / columnCount + 1) * columnCount, count);
        for (int rest = cell + 1; rest < nextRow; ++rest)
            cellIndex[static_cast<size_t>(rest)] = index;
        cell = nextRow;
    }
}

int TextLayout::indexOfCell(int cell) const {
    if (cell < 0 || cell >= cellCount()) return end;
    return cellIndex[static_cast<size_t>(cell)];
}

int TextLayout::cellOfIndex(int index) const {
    if (index < 0 || index > end) return -1;
    return indexCell[static_cast<size_t>(index)];
}

bool TextLayout::holdsAllText(const std::string& buffer) const {
    for (size_t index = 0; index < buffer.size(); ++index)
        if (buffer[index] != ' ' && cellOfIndex(static_cast<int>(index)) < 0) return false;
    return true;
}

}  // namespace nebulark
