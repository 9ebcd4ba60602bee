#pragma once

#include <cstdint>

namespace nebulark {

// A copy of a w × h block whose top-left corner is read at (sourceX, sourceY)
// of a source and written at (x, y) of a target. 64-bit, so that no sum of
// 32-bit coordinates and sizes overflows.
struct Blit {
    int64_t x = 0;
    int64_t y = 0;
    int64_t w = 0;
    int64_t h = 0;
    int64_t sourceX = 0;
    int64_t sourceY = 0;
};

// Cuts the block to what lies inside a source of sourceW × sourceH; the
// target corner moves with the source corner. False when nothing is left.
bool clipToSource(Blit& blit, int64_t sourceW, int64_t sourceH);
// Cuts the block to what lies inside a target of targetW × targetH; the
// source corner moves with the target corner. False when nothing is left.
bool clipToTarget(Blit& blit, int64_t targetW, int64_t targetH);
// Both, the source first, so that a block reaching past the end of a picture
// never reads outside it.
bool clipBlit(Blit& blit, int64_t targetW, int64_t targetH, int64_t sourceW, int64_t sourceH);

}  // namespace nebulark
