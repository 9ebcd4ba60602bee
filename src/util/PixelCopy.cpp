#include "util/PixelCopy.h"

#include <algorithm>
#include <limits>

namespace nebulark {

namespace {

// One axis of a copy: where it starts on the side being clipped, its length
// and where it starts on the other side.
struct Span {
    int64_t at;
    int64_t length;
    int64_t other;
};

// Clips the span to 0 … limit − 1 on its own side; the other side's start
// moves by as much as its own does.
void clipAxis(Span& span, int64_t limit) {
    if (span.at < 0) {  // the block starts before the edge: cut its start
        span.length += span.at;
        span.other -= span.at;
        span.at = 0;
    }
    span.length = std::min(span.length, limit - span.at);  // it reaches past the far edge
}

bool fitsInt(int64_t value) {
    return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}

// Clips both axes on the source side and, with a target size, on the target
// side after that; writes the copy back only when something is left.
bool clip(PixelCopy& copy, int sourceW, int sourceH, const int* targetW, const int* targetH) {
    Span x{copy.sourceX, copy.at.w, copy.at.x}, y{copy.sourceY, copy.at.h, copy.at.y};
    clipAxis(x, sourceW);
    clipAxis(y, sourceH);
    if (targetW != nullptr) {
        Span tx{x.other, x.length, x.at}, ty{y.other, y.length, y.at};
        clipAxis(tx, *targetW);
        clipAxis(ty, *targetH);
        x = Span{tx.other, tx.length, tx.at};
        y = Span{ty.other, ty.length, ty.at};
    }
    if (x.length <= 0 || y.length <= 0 || !fitsInt(x.other) || !fitsInt(y.other)) {
        copy = PixelCopy{};
        return false;
    }
    copy = PixelCopy{PixelRect{static_cast<int>(x.other), static_cast<int>(y.other),
                               static_cast<int>(x.length), static_cast<int>(y.length)},
                     static_cast<int>(x.at), static_cast<int>(y.at)};
    return true;
}

}  // namespace

bool clipToSource(PixelCopy& copy, int sourceW, int sourceH) {
    return clip(copy, sourceW, sourceH, nullptr, nullptr);
}

bool clipCopy(PixelCopy& copy, int targetW, int targetH, int sourceW, int sourceH) {
    return clip(copy, sourceW, sourceH, &targetW, &targetH);
}

}  // namespace nebulark
