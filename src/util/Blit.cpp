#include "util/Blit.h"

#include <algorithm>

namespace nebulark {

namespace {

// Clips one axis: `at` and `length` describe the block on the side being
// clipped to 0 … limit − 1, and `other` is its corner on the other side,
// which moves by as much as `at` does.
void clipAxis(int64_t& at, int64_t& length, int64_t& other, int64_t limit) {
    if (at < 0) {  // (a) the block starts before the edge: cut its start
        length += at;
        other -= at;
        at = 0;
    }
    length = std::min(length, limit - at);  // (b) it reaches past the far edge
}

}  // namespace

bool clipToSource(Blit& blit, int64_t sourceW, int64_t sourceH) {
    clipAxis(blit.sourceX, blit.w, blit.x, sourceW);
    clipAxis(blit.sourceY, blit.h, blit.y, sourceH);
    return blit.w > 0 && blit.h > 0;
}

bool clipToTarget(Blit& blit, int64_t targetW, int64_t targetH) {
    clipAxis(blit.x, blit.w, blit.sourceX, targetW);
    clipAxis(blit.y, blit.h, blit.sourceY, targetH);
    return blit.w > 0 && blit.h > 0;
}

bool clipBlit(Blit& blit, int64_t targetW, int64_t targetH, int64_t sourceW, int64_t sourceH) {
    return clipToSource(blit, sourceW, sourceH) && clipToTarget(blit, targetW, targetH);
}

}  // namespace nebulark
