// Placing RGB pictures into server pixel layouts, without a display.
#include <gtest/gtest.h>

#include <vector>

#include "images/PixelPlacement.h"

namespace nebulark {
namespace {

// A 3 × 2 picture whose bytes are 1, 2, 3 … 18.
RgbBuffer countingPicture() {
    RgbBuffer rgb = RgbBuffer::allocate(3, 2);
    for (size_t i = 0; i < rgb.size(); ++i)
        rgb.data()[i] = static_cast<unsigned char>(i + 1);
    return rgb;
}

// The target starts dirty so that every byte the placement leaves alone shows.
std::vector<int> place(const PixelChannels& placement, size_t stride) {
    std::vector<unsigned char> target(stride * 2, 0xEE);
    placeRgbPixels(countingPicture(), placement, target.data(), stride);
    return {target.begin(), target.end()};
}

TEST(PixelChannels, FourBytePixelsCarryTheChannelsAndAZeroByte) {
    EXPECT_EQ(place(PixelChannels{4, 2, 1, 0}, 12),
              std::vector<int>({3,  2,  1,  0, 6,  5,  4,  0, 9,  8,  7,  0,
                                12, 11, 10, 0, 15, 14, 13, 0, 18, 17, 16, 0}));
    EXPECT_EQ(place(PixelChannels{4, 1, 2, 3}, 12),
              std::vector<int>({0, 1,  2,  3,  0, 4,  5,  6,  0, 7,  8,  9,
                                0, 10, 11, 12, 0, 13, 14, 15, 0, 16, 17, 18}));
    RgbBuffer single = RgbBuffer::allocate(1, 1);
    single.data()[0] = 0xAB;
    unsigned char word[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    placeRgbPixels(single, PixelChannels{4, 2, 1, 0}, word, 4);
    EXPECT_EQ(std::vector<int>(word, word + 4), std::vector<int>({0, 0, 0xAB, 0}));
    // Row padding is cleared as well.
    EXPECT_EQ(place(PixelChannels{4, 0, 1, 2}, 16),
              std::vector<int>({1,  2,  3,  0, 4,  5,  6,  0, 7,  8,  9,  0, 0, 0, 0, 0,
                                10, 11, 12, 0, 13, 14, 15, 0, 16, 17, 18, 0, 0, 0, 0, 0}));
}

TEST(PixelChannels, OtherLayoutsWriteOnlyInsideEachPixel) {
    // Three-byte pixels with rows padded to 12 bytes.
    EXPECT_EQ(place(PixelChannels{3, 0, 1, 2}, 12),
              std::vector<int>({1,  2,  3,  4,  5,  6,  7,  8,  9,  0, 0, 0,
                                10, 11, 12, 13, 14, 15, 16, 17, 18, 0, 0, 0}));
    // Two-byte pixels have no room for red at byte 2: it is left out rather
    // than written over the next pixel or past the last row.
    EXPECT_EQ(place(PixelChannels{2, 2, 1, 0}, 8),
              std::vector<int>({3, 2, 6, 5, 9, 8, 0, 0, 12, 11, 15, 14, 18, 17, 0, 0}));
    // Two channels that share a byte: the later one wins, the other byte is 0.
    EXPECT_EQ(place(PixelChannels{4, 0, 0, 3}, 12),
              std::vector<int>(
                  {2, 0, 0, 3, 5, 0, 0, 6, 8, 0, 0, 9, 11, 0, 0, 12, 14, 0, 0, 15, 17, 0, 0, 18}));
}

// Wide rows are placed several pixels at a time; every width up to a few
// such groups, every four-byte layout and a padded stride must come out as
// placing each channel on its own does.
TEST(PixelChannels, WideRowsMatchChannelByChannelPlacement) {
    const std::vector<PixelChannels> layouts = {
        {4, 2, 1, 0}, {4, 0, 1, 2}, {4, 1, 2, 3}, {4, 3, 0, 1}};
    for (const PixelChannels& layout : layouts)
        for (int width = 1; width <= 13; ++width)
            for (size_t padding : {size_t{0}, size_t{8}}) {
                RgbBuffer rgb = RgbBuffer::allocate(width, 3);
                for (size_t i = 0; i < rgb.size(); ++i)
                    rgb.data()[i] = static_cast<unsigned char>(7 * i + 1);
                const size_t stride = 4 * static_cast<size_t>(width) + padding;
                std::vector<unsigned char> expected(stride * 3, 0), placed(stride * 3, 0xEE);
                for (int y = 0; y < 3; ++y)
                    for (int x = 0; x < width; ++x) {
                        const unsigned char* source = rgb.row(y) + 3 * x;
                        unsigned char* pixel = expected.data() + y * stride + 4 * x;
                        pixel[layout.red] = source[0];
                        pixel[layout.green] = source[1];
                        pixel[layout.blue] = source[2];
                    }
                placeRgbPixels(rgb, layout, placed.data(), stride);
                EXPECT_EQ(placed, expected)
                    << "red at " << layout.red << ", width " << width << ", padding " << padding;
            }
}

}  // namespace
}  // namespace nebulark
