// Picture files, keyed parts and captures drawn through the drawing surface
// and read back from the server.
#include <gtest/gtest.h>

#include "DisplayKit.h"
#include "controls/MyImage.h"
#include "support/BmpWriter.h"
#include "support/TempDir.h"
#include "util/FileUtils.h"
#include "widgets/DrawingSurface.h"
#include "widgets/XImageConversion.h"

namespace nebulark {
namespace {

using AppScreen = nebulark::Screen;
using test::BmpPicture;
using test::CountingForm;
using test::LogLines;
using test::RgbPicture;
using test::TempDir;

constexpr uint32_t kGrey = 0xAAAAAA, kRed = 0xFF0000;

std::vector<uint32_t> expectedColours(const BmpPicture& picture) {
    const std::vector<unsigned char> rgb = test::expectedRgb(picture);
    std::vector<uint32_t> colours;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3)
        colours.push_back(uint32_t{rgb[i]} << 16 | uint32_t{rgb[i + 1]} << 8 | rgb[i + 2]);
    return colours;
}

class PictureDrawing : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(test::ShowExposed(form, screen, 120, 60)); }
    std::vector<uint32_t> pixels(int x, int y, int w, int h) {
        return test::WindowPixels(form, x, y, w, h);
    }

    TempDir dir;
    AppScreen screen{"t"};
    CountingForm form;
    const BmpPicture truecolour{
        24, 3, 2, {}, {0xFF0000, 0x00FF00, 0x0000FF, 0x000000, 0x405060, 0x708090}};
};

TEST_F(PictureDrawing, EachDepthIsDecodedAndDrawnAsStored) {
    const BmpPicture indexed(8, 5, 3, {0x112233, 0x445566, 0x778899},
                             {0, 1, 2, 1, 0, 2, 2, 1, 1, 0, 0, 0, 0, 2, 2});
    const BmpPicture sixteen(4, 3, 2, {0xABCDEF, 0x123456, 0x00FF00}, {2, 1, 0, 0, 1, 2});
    writeBmp("p24.bmp", truecolour);
    writeBmp("p8.bmp", indexed);
    writeBmp("p4.bmp", sixteen);

    DrawingSurface surface(&form);
    surface.DrawImageFile(5, 5, 3, 2, 24, "p24.bmp");
    surface.DrawImageFile(20, 5, 5, 3, 8, "p8.bmp");
    surface.DrawImageFile(40, 5, 3, 2, 4, "p4.bmp");
    EXPECT_EQ(pixels(5, 5, 3, 2), expectedColours(truecolour));
    EXPECT_EQ(pixels(20, 5, 5, 3), expectedColours(indexed));
    EXPECT_EQ(pixels(40, 5, 3, 2), expectedColours(sixteen));
    EXPECT_TRUE(fileExists("p4.bmp.c"));
    EXPECT_EQ(LogLines(), std::vector<std::string>{});
}

TEST_F(PictureDrawing, OnlyThePartBothPictureAndRectangleCoverIsDrawn) {
    writeBmp("p.bmp", truecolour);
    DrawingSurface surface(&form);
    surface.DrawImageFile(5, 5, 10, 10, 24, "p.bmp");
    EXPECT_EQ(pixels(5, 5, 3, 2), expectedColours(truecolour));
    EXPECT_EQ(pixels(8, 5, 1, 2), std::vector<uint32_t>(2, kGrey));
    EXPECT_EQ(pixels(5, 7, 3, 1), std::vector<uint32_t>(3, kGrey));

    surface.DrawImageFile(20, 5, 2, 1, 24, "p.bmp");
    EXPECT_EQ(pixels(20, 5, 3, 2),
              std::vector<uint32_t>({0xFF0000, 0x00FF00, kGrey, kGrey, kGrey, kGrey}));
    surface.DrawImageFile(30, 5, 0, 0, 24, "p.bmp");
    EXPECT_EQ(pixels(30, 5, 3, 2), expectedColours(truecolour));
}

TEST_F(PictureDrawing, MissingOrUndecodableFilesDrawNothing) {
    writeBmp("p.bmp", truecolour);
    TempDir::Write("cut.bmp", TempDir::Read("p.bmp").substr(0, 60));
    DrawingSurface surface(&form);
    surface.DrawImageFile(5, 5, 3, 2, 24, "missing.bmp");
    surface.DrawImageFileKeyed(5, 5, 3, 2, 24, "missing.bmp");
    surface.DrawImageFile(5, 5, 3, 2, 16, "p.bmp");  // no decoder for 16 bits
    EXPECT_EQ(LogLines(), std::vector<std::string>{});
    surface.DrawImageFile(5, 5, 3, 2, 24, "cut.bmp");
    EXPECT_EQ(LogLines(), std::vector<std::string>{"cut.bmp: dati troncati"});
    EXPECT_EQ(pixels(5, 5, 3, 2), std::vector<uint32_t>(6, kGrey));
}

TEST_F(PictureDrawing, KeyedDrawingLeavesBlackPixelsToTheWindow) {
    writeBmp("p.bmp", truecolour);
    DrawingSurface surface(&form);
    surface.FillRect(0, 0, 61, 31, 0, -1, kRed);
    surface.DrawImageFileKeyed(5, 5, 3, 2, 24, "p.bmp");
    std::vector<uint32_t> keyed = expectedColours(truecolour);
    keyed[3] = kRed;  // the black pixel
    EXPECT_EQ(pixels(5, 5, 3, 2), keyed);

    // A part reaching past the image is cut at its edge.
    XImage* image = createXImageFromRgb(&form, RgbPicture(3, 2, expectedColours(truecolour)));
    surface.DrawImagePartKeyed(20, 5, 5, 5, image, 1, 1);
    EXPECT_EQ(pixels(20, 5, 3, 2),
              std::vector<uint32_t>({0x405060, 0x708090, kRed, kRed, kRed, kRed}));
    surface.DrawImagePartKeyed(30, 5, 2, 2, image, 3, 0);  // wholly outside
    EXPECT_EQ(pixels(30, 5, 2, 2), std::vector<uint32_t>(4, kRed));
    destroyXImage(image);
}

TEST_F(PictureDrawing, ACaptureHoldsTheWindowPixelsInTheProbedLayout) {
    writeBmp("p.bmp", truecolour);
    DrawingSurface surface(&form);
    surface.DrawImageFile(5, 5, 3, 2, 24, "p.bmp");
    XImage* capture = surface.CaptureArea(5, 5, 3, 2);
    ASSERT_NE(capture, nullptr);
    EXPECT_EQ(capture->bits_per_pixel, MyImage::bitsPerPixel);
    std::vector<uint32_t> colours;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const auto* pixel = reinterpret_cast<const unsigned char*>(capture->data) +
                                y * capture->bytes_per_line + 4 * x;
            colours.push_back(uint32_t{pixel[MyImage::ixRosso]} << 16 |
                              uint32_t{pixel[MyImage::ixVerde]} << 8 | pixel[MyImage::ixBlu]);
        }
    EXPECT_EQ(colours, expectedColours(truecolour));
    XDestroyImage(capture);
}

}  // namespace
}  // namespace nebulark
