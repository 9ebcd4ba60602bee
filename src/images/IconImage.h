#pragma once

#include <cstdint>

namespace nebulark {

// One size of a window icon: width × height pixels, rows top to bottom, each
// 0xAARRGGBB with straight (not premultiplied) alpha, as window managers read
// them. The pixels are not owned: they are the program's static arrays.
struct IconImage {
    int32_t width;
    int32_t height;
    const uint32_t* argb;
};

}  // namespace nebulark
