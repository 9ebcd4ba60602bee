// The pixel-layout probe and the conversions to server images, on real Xvfb
// servers of depth 24 and 16.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "DisplayKit.h"
#include "controls/MyImage.h"
#include "support/TempDir.h"
#include "support/XvfbServer.h"
#include "util/StringUtils.h"
#include "widgets/DrawingSurface.h"
#include "widgets/XImageConversion.h"

namespace nebulark {
namespace {

using AppScreen = nebulark::Screen;
using test::CountingForm;
using test::LogLines;
using test::RgbPicture;
using test::TempDir;
using test::WindowPixels;

const std::vector<uint32_t> kSixPixels = {0x102030, 0x405060, 0x708090,
                                          0xA0B0C0, 0xD0E0F0, 0x0A0B0C};

std::vector<int> channels() {
    return {MyImage::ixRosso, MyImage::ixVerde, MyImage::ixBlu};
}

TEST(PixelLayoutProbe, RunsOnceOnTheFormAndLogsNothingAtDepth24) {
    TempDir dir;
    AppScreen screen("t");
    CountingForm form;
    ASSERT_TRUE(test::ShowExposed(form, screen, 120, 80));

    XImage* first = createXImageFromRgb(&form, RgbPicture(3, 2, kSixPixels));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(MyImage::depth, 24);
    EXPECT_EQ(MyImage::bitsPerPixel, 32);
    EXPECT_EQ(MyImage::bitmapPad, 32);
    EXPECT_EQ(channels(), std::vector<int>({2, 1, 0}));
    // The probe point stays where it was drawn.
    EXPECT_EQ(WindowPixels(form, 0, 0, 1, 1), std::vector<uint32_t>{0xCF3B76});

    DrawingSurface(&form).DrawPoint(0, 0, 0x123456);
    XImage* second = createXImageFromRgb(&form, RgbPicture(3, 2, kSixPixels));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(WindowPixels(form, 0, 0, 1, 1), std::vector<uint32_t>{0x123456});
    EXPECT_EQ(second->bytes_per_line, 12);
    EXPECT_EQ(0, std::memcmp(first->data, second->data, 24));
    EXPECT_EQ(LogLines(), std::vector<std::string>{});
    destroyXImage(first);
    destroyXImage(second);
    destroyXImage(nullptr);
}

// Controls make their pictures while the form runs its OnLoad, before the
// window is mapped and can be read back.
XImage* loadedImage = nullptr;

void convertOnLoad(GUIElement* element, uint64_t) {
    loadedImage = createXImageFromRgb(element, RgbPicture(3, 2, kSixPixels));
}

TEST(PixelLayoutProbe, WorksBeforeTheWindowIsMapped) {
    TempDir dir;
    AppScreen screen("t");
    CountingForm form;
    form.setOnLoad(convertOnLoad);
    ASSERT_TRUE(test::ShowExposed(form, screen, 60, 40));
    ASSERT_NE(loadedImage, nullptr);
    EXPECT_EQ(MyImage::depth, 24);
    EXPECT_EQ(channels(), std::vector<int>({2, 1, 0}));
    const auto* bytes = reinterpret_cast<const unsigned char*>(loadedImage->data);
    EXPECT_EQ(std::vector<int>(bytes, bytes + 4), std::vector<int>({0x30, 0x20, 0x10, 0}));
    EXPECT_EQ(LogLines(), std::vector<std::string>{});
    destroyXImage(loadedImage);
}

// A probe pixel that comes back with red in byte 0 and blue in byte 2.
XImage* swappedProbe(Display* display, AppScreen& screen) {
    auto* data = static_cast<char*>(std::malloc(4));
    const unsigned char pixel[4] = {0xCF, 0x3B, 0x76, 0x00};
    std::memcpy(data, pixel, 4);
    return XCreateImage(display, screen.GetVisualInfo()->visual, 24, ZPixmap, 0, data, 1, 1, 32, 4);
}

TEST(PixelLayoutProbe, SwappedChannelsAreReportedAndUsedByConversions) {
    TempDir dir;
    AppScreen screen("t");
    CountingForm form;
    form.SetScreen(&screen);
    XImage* probe = swappedProbe(screen.GetDisplay(), screen);
    ASSERT_NE(probe, nullptr);
    MyImage::adoptProbeImage(*probe);
    XDestroyImage(probe);
    EXPECT_EQ(channels(), std::vector<int>({0, 1, 2}));
    EXPECT_EQ(LogLines(), std::vector<std::string>(
                              {"WARNING MyImage::ixRosso: 0", "WARNING MyImage::ixBlu: 2"}));

    // The layout is known now, so the form needs no window.
    XImage* image = createXImageFromRgb(&form, RgbPicture(1, 1, {0x112233}));
    ASSERT_NE(image, nullptr);
    const auto* bytes = reinterpret_cast<const unsigned char*>(image->data);
    EXPECT_EQ(std::vector<int>(bytes, bytes + 4), std::vector<int>({0x11, 0x22, 0x33, 0}));
    destroyXImage(image);
}

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(PixelLayoutProbe, ShallowServerIsReportedAndDrawingSurvives) {
    TempDir dir;
    test::XvfbServer shallow;
    ASSERT_TRUE(shallow.Start(16));
    setenv("DISPLAY", shallow.DisplayName().c_str(), 1);
    AppScreen screen("t");
    CountingForm form;
    ASSERT_TRUE(test::ShowExposed(form, screen, 60, 40));

    XImage* image = createXImageFromRgb(&form, RgbPicture(3, 2, kSixPixels));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(MyImage::bitsPerPixel, 16);
    EXPECT_EQ(image->bytes_per_line, 8);  // 6 bytes of pixels padded to 32 bits
    const std::vector<std::string> log = LogLines();
    EXPECT_TRUE(contains(log, "WARNING img->depth: 16"));
    EXPECT_TRUE(contains(log, "WARNING img->bits_per_pixel: 16"));
    EXPECT_TRUE(contains(log, "WARNING img width: 3 - bytes_per_line_Pad != bytes_per_line: 8 6"));
    EXPECT_TRUE(contains(log, "WARNING MyImage::ixRosso: " + toText(MyImage::ixRosso)));

    // Whatever the channel positions, nothing is written outside the image
    // and every drawing path still works.
    DrawingSurface surface(&form);
    surface.DrawImage(5, 5, 0, 0, image);
    surface.DrawImageKeyed(10, 10, 0, 0, image);
    surface.DrawImagePartKeyed(20, 20, 2, 2, image, 1, 0);
    XImage* capture = surface.CaptureArea(0, 0, 8, 8);
    ASSERT_NE(capture, nullptr);
    XDestroyImage(capture);
    MyImage control(&form, image);
    control.SetPosition(30, 10);
    control.SetSize(3, 2);
    control.setBorder(1);
    control.Show();
    destroyXImage(image);
}

}  // namespace
}  // namespace nebulark
