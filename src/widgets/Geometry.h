#pragma once

#include <cstdint>

namespace nebulark {

// A position in pixels, x first.
struct Point {
    int32_t x = 0;
    int32_t y = 0;
};

// An extent in pixels, width first.
struct Size {
    int32_t width = 0;
    int32_t height = 0;
};

}  // namespace nebulark
