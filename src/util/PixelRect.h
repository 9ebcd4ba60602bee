#pragma once

#include <algorithm>
#include <cstdint>

namespace nebulark {

// A block of w × h pixels whose top-left pixel is (x, y). Sizes of 0 or less
// make an empty block, which covers nothing and meets nothing.
struct PixelRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;

    bool Empty() const { return w <= 0 || h <= 0; }
    int64_t Area() const { return Empty() ? 0 : int64_t{w} * h; }
    int Right() const { return x + w; }
    int Bottom() const { return y + h; }
    bool operator==(const PixelRect&) const = default;

    // What the two blocks have in common; empty when they do not meet. The
    // far edges are summed in 64 bits, so no block overflows them.
    PixelRect Intersection(const PixelRect& other) const {
        const int left = std::max(x, other.x), top = std::max(y, other.y);
        const int64_t right = std::min(int64_t{x} + w, int64_t{other.x} + other.w);
        const int64_t bottom = std::min(int64_t{y} + h, int64_t{other.y} + other.h);
        if (right <= left || bottom <= top) return PixelRect{};
        return PixelRect{left, top, static_cast<int>(std::min<int64_t>(right - left, INT32_MAX)),
                         static_cast<int>(std::min<int64_t>(bottom - top, INT32_MAX))};
    }
    bool Meets(const PixelRect& other) const { return !Intersection(other).Empty(); }
    // The smallest block holding both; an empty block adds nothing.
    PixelRect Bounds(const PixelRect& other) const {
        if (Empty()) return other;
        if (other.Empty()) return *this;
        const int left = std::min(x, other.x), top = std::min(y, other.y);
        return PixelRect{left, top, std::max(Right(), other.Right()) - left,
                         std::max(Bottom(), other.Bottom()) - top};
    }
};

}  // namespace nebulark
