#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace nebulark {

// A decoded picture: width × height pixels of three bytes each (red, green,
// blue), left to right, rows top to bottom, no row padding. The buffer carries
// its own size so that no reader can be handed dimensions it does not hold.
class RgbBuffer {
public:
    // Limits on what any decoder will produce; larger pictures are refused
    // rather than allocated.
    static constexpr int kMaxSide = 16384;
    static constexpr size_t kMaxBytes = size_t{256} << 20;

    RgbBuffer() = default;

    // True when width and height are both in 1 … kMaxSide and the picture
    // takes at most kMaxBytes.
    static bool fits(int64_t width, int64_t height);
    // A zero-filled buffer, or an empty one when the size does not fit or the
    // memory cannot be had.
    static RgbBuffer allocate(int width, int height);

    bool empty() const { return bytes.empty(); }
    int width() const { return pixelWidth; }
    int height() const { return pixelHeight; }
    size_t size() const { return bytes.size(); }
    const unsigned char* data() const { return bytes.data(); }
    unsigned char* data() { return bytes.data(); }
    // First byte of row y (0 = top); y must be below height().
    unsigned char* row(int y) { return bytes.data() + rowOffset(y); }
    const unsigned char* row(int y) const { return bytes.data() + rowOffset(y); }

private:
    size_t rowOffset(int y) const {
        return static_cast<size_t>(y) * static_cast<size_t>(pixelWidth) * 3;
    }

    int pixelWidth = 0;
    int pixelHeight = 0;
    std::vector<unsigned char> bytes;
};

}  // namespace nebulark
