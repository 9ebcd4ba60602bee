#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "gameframework/FrameImage.h"

namespace nebulark {

// A picture in memory of 4-byte pixels in the usual layout, filled from a
// seed: a quarter of its pixels black (transparent in a blend), the rest
// random colours.
struct RandomPicture {
    RandomPicture(int w, int h, uint32_t seed) : bytes(static_cast<size_t>(w) * h * 4) {
        view = FrameImage(bytes.data(), w, h, w * 4, PixelChannels{});
        std::mt19937 random(seed);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                view.SetPixel(x, y, random() % 4 == 0 ? 0 : (random() & 0xFFFFFF) | 1);
    }
    std::vector<uint8_t> bytes;
    FrameImage view;
};

}  // namespace nebulark
