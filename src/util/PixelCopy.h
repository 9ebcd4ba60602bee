#pragma once

#include <cstdint>

#include "util/PixelRect.h"

namespace nebulark {

// A block copied from a source picture: written at `at` of the target, its
// top-left pixel read at (sourceX, sourceY) of the source.
struct PixelCopy {
    PixelRect at;
    int sourceX = 0;
    int sourceY = 0;

    bool operator==(const PixelCopy&) const = default;
};

// Cuts the block to what lies inside a source of sourceW × sourceH; the
// target corner moves with the source corner. False, with the copy left
// empty, when nothing is left. The sums are taken in 64 bits, so no
// coordinate or size overflows them.
bool clipToSource(PixelCopy& copy, int sourceW, int sourceH);
// The same for both sides, the source first, so that a block reaching past
// the end of a picture never reads outside it: what is left lies inside a
// target of targetW × targetH and a source of sourceW × sourceH.
bool clipCopy(PixelCopy& copy, int targetW, int targetH, int sourceW, int sourceH);

}  // namespace nebulark
