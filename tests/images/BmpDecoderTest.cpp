#include <gtest/gtest.h>

#include "images/ImageFiles.h"
#include "support/BmpWriter.h"
#include "support/TempDir.h"
#include "util/FileUtils.h"

using namespace nebulark;
using nebulark::test::BmpPicture;
using nebulark::test::TempDir;

namespace {

std::vector<unsigned char> bytesOf(const RgbBuffer& image) {
    return {image.data(), image.data() + image.size()};
}

RgbBuffer readAtDepth(int bits, const std::string& path) {
    if (bits == 24) return readBmp24(path);
    if (bits == 8) return readBmp8(path);
    return readBmp4(path);
}

void expectDecodes(const BmpPicture& picture, const RgbBuffer& image) {
    EXPECT_EQ(image.width(), picture.width);
    EXPECT_EQ(image.height(), picture.height);
    EXPECT_EQ(bytesOf(image), nebulark::test::expectedRgb(picture));
}

}  // namespace

TEST(BmpDecoding, TwentyFourBitRowsArePaddedAndStoredBottomUp) {
    TempDir dir;
    BmpPicture picture(24, 3, 2, {}, {0xFF0000, 0x00FF00, 0x0000FF, 0x102030, 0x405060, 0x708090});
    picture.filler = 0xEE;
    writeBmp("p.bmp", picture);
    ASSERT_EQ(fileSize("p.bmp"), 54 + 2 * 12);  // rows of 9 bytes padded to 12
    const RgbBuffer image = readBmp24("p.bmp");
    expectDecodes(picture, image);
    int width = -1, height = -1, offset = -1;
    EXPECT_TRUE(readBmpHeader("p.bmp", width, height, offset));
    EXPECT_EQ(std::vector<int>({width, height, offset}), std::vector<int>({3, 2, 54}));

    // The pixels are taken to follow the header whatever the offset field says.
    std::string bytes = TempDir::Read("p.bmp");
    nebulark::test::patchLe32(bytes, 10, 1000);
    TempDir::Write("p.bmp", bytes);
    expectDecodes(picture, readBmp24("p.bmp"));
    EXPECT_EQ(TempDir::Read("log.txt"), "");
}

TEST(BmpDecoding, EightBitWithAShortPaletteAndPartialEntry) {
    TempDir dir;
    // Three palette entries plus two stray bytes: only full 4-byte entries count.
    BmpPicture picture(8, 5, 3, {0x112233, 0x445566, 0x778899},
                       {0, 1, 2, 1, 0, 2, 2, 1, 1, 0, 0, 0, 0, 2, 2});
    picture.filler = 0xEE;
    picture.paletteSlack = 2;
    writeBmp("p.bmp", picture);
    expectDecodes(picture, readBmp8("p.bmp"));
    EXPECT_EQ(TempDir::Read("log.txt"), "");
}

TEST(BmpDecoding, EightBitWithTheLargestPalette) {
    TempDir dir;
    BmpPicture picture(8, 2, 2, {}, {255, 0, 128, 7});
    for (uint32_t i = 0; i < 256; ++i)
        picture.palette.push_back(i * 0x010101u ^ 0x00FF00u);
    writeBmp("p.bmp", picture);
    expectDecodes(picture, readBmp8("p.bmp"));
}

TEST(BmpDecoding, FourBitOddWidthIgnoresTheLastLowNibble) {
    TempDir dir;
    // The unused nibble is 15, far beyond the two palette entries: it is not a
    // pixel, so it must neither be drawn nor refused.
    BmpPicture picture(4, 5, 2, {0x000000, 0xFFFFFF}, {0, 1, 0, 1, 1, 1, 1, 0, 0, 1});
    picture.filler = 0xFF;
    writeBmp("p.bmp", picture);
    expectDecodes(picture, readBmp4("p.bmp"));
    EXPECT_EQ(TempDir::Read("log.txt"), "");
}

// Every row-padding remainder and odd and even widths, at each depth.
TEST(BmpDecoding, EveryWidthPadsAndOrdersRowsAtEveryDepth) {
    TempDir dir;
    for (int bits : {24, 8, 4}) {
        for (int width = 1; width <= 9; ++width) {
            SCOPED_TRACE("depth " + std::to_string(bits) + " width " + std::to_string(width));
            BmpPicture picture(bits, width, 3);
            picture.filler = 0xA5;
            if (bits != 24) picture.palette = {0x0000FF, 0x00FF00, 0xFF0000, 0x123456, 0xFEDCBA};
            for (int i = 0; i < width * 3; ++i)
                picture.pixels.push_back(bits == 24 ? 0x030507u * i : (i * 3 + 1) % 5);
            writeBmp("p.bmp", picture);
            expectDecodes(picture, readAtDepth(bits, "p.bmp"));
        }
    }
    EXPECT_EQ(TempDir::Read("log.txt"), "");
}
