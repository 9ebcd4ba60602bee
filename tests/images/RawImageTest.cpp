// Raw RGB picture files loaded into server images.
#include <gtest/gtest.h>

#include "DisplayKit.h"
#include "controls/MyImage.h"
#include "support/TempDir.h"
#include "widgets/DrawingSurface.h"
#include "widgets/XImageConversion.h"

namespace nebulark {
namespace {

using AppScreen = nebulark::Screen;
using test::CountingForm;
using test::LogLines;
using test::TempDir;

const std::vector<uint32_t> kSixPixels = {0x102030, 0x405060, 0x708090,
                                          0xA0B0C0, 0xD0E0F0, 0x0A0B0C};

// The colour of pixel i of a 32-bit image, read from its channel bytes.
uint32_t colourAt(const XImage& image, int i) {
    const auto* pixel = reinterpret_cast<const unsigned char*>(image.data) + 4 * i;
    return uint32_t{pixel[MyImage::ixRosso]} << 16 | uint32_t{pixel[MyImage::ixVerde]} << 8 |
           pixel[MyImage::ixBlu];
}

TEST(RawImage, ThreeByTwoFileConvertsTopLeftFirstAndDrawsAsStored) {
    TempDir dir;
    TempDir::Write("p.bin", test::RawBytes(kSixPixels));
    AppScreen screen("t");
    CountingForm form;
    ASSERT_TRUE(test::ShowExposed(form, screen, 60, 40));

    XImage* image = nullptr;
    unsigned size = 0;
    loadRawImage(&form, "p.bin", 3, 2, image, size);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(size, 18u);
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(colourAt(*image, 0), 0x102030u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(colourAt(*image, i), kSixPixels[i]);
        EXPECT_EQ(image->data[4 * i + 3], 0) << "fourth byte of pixel " << i;
    }

    DrawingSurface(&form).DrawImage(10, 20, 0, 0, image);
    EXPECT_EQ(test::WindowPixels(form, 10, 20, 3, 2), kSixPixels);
    EXPECT_EQ(LogLines(), std::vector<std::string>{});
    destroyXImage(image);
}

TEST(RawImage, RefusedFilesLeaveTheOutputUntouched) {
    TempDir dir;
    TempDir::Write("short.bin", std::string(17, '\x01'));
    AppScreen screen("t");
    CountingForm form;
    ASSERT_TRUE(test::ShowExposed(form, screen, 60, 40));
    XImage sentinel{};
    XImage* out = &sentinel;
    unsigned size = 99;

    loadRawImage(&form, "Data/missing.bin", 3, 2, out, size);
    EXPECT_EQ(out, &sentinel);
    EXPECT_EQ(size, 99u);
    loadRawImage(&form, "short.bin", 3, 2, out, size);
    EXPECT_EQ(out, &sentinel);
    EXPECT_EQ(size, 17u);
    EXPECT_EQ(LogLines(), std::vector<std::string>(
                              {"Data/missing.bin: non trovato", "short.bin: file troppo corto"}));
}

}  // namespace
}  // namespace nebulark
