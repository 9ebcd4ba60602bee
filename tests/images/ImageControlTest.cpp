// The image control on a shown form: pictures, repaints, border and
// background, read back from the server.
#include <gtest/gtest.h>

#include "DisplayKit.h"
#include "controls/MyImage.h"
#include "images/EmbeddedImage.h"
#include "support/TempDir.h"
#include "widgets/XImageConversion.h"

namespace nebulark {
namespace {

using AppScreen = nebulark::Screen;
using test::CountingForm;
using test::RgbPicture;
using test::TempDir;
using test::WindowPixels;

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kGrey = 0xAAAAAA;

// A 4 × 2 compiled-in picture: palette entries 1 and 2, rows bottom first.
std::vector<unsigned char> embeddedBytes(uint32_t one, uint32_t two, unsigned char bottom,
                                         unsigned char top) {
    std::vector<unsigned char> bytes(52, 0);
    for (int c = 0; c < 3; ++c) {
        bytes[3 + c] = static_cast<unsigned char>(one >> (16 - 8 * c));
        bytes[6 + c] = static_cast<unsigned char>(two >> (16 - 8 * c));
    }
    bytes[48] = bytes[49] = bottom;
    bytes[50] = bytes[51] = top;
    return bytes;
}

class ImageControl : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(test::ShowExposed(form, screen, 100, 80)); }
    std::vector<uint32_t> pixels(int x, int y, int w, int h) {
        return WindowPixels(form, x, y, w, h);
    }

    TempDir dir;
    AppScreen screen{"t"};
    CountingForm form;
};

TEST_F(ImageControl, ANewEmbeddedImageRepaintsWithTheNewPicture) {
    const std::vector<unsigned char> checkered = embeddedBytes(kRed, kBlue, 0x12, 0x21);
    const std::vector<unsigned char> plain = embeddedBytes(kGreen, kGreen, 0x11, 0x11);
    const EmbeddedImage first(checkered.data(), checkered.size());
    const EmbeddedImage second(plain.data(), plain.size());
    const std::vector<uint32_t> firstPixels = {kBlue, kRed, kBlue, kRed, kRed, kBlue, kRed, kBlue};

    MyImage image(&form, &first, 4, 2);
    image.SetPosition(10, 12);
    image.Show();
    EXPECT_EQ(pixels(10, 12, 4, 2), firstPixels);
    image.setEmbeddedImage(&second);
    EXPECT_EQ(pixels(10, 12, 4, 2), std::vector<uint32_t>(8, kGreen));
    image.setEmbeddedImage(&first);
    EXPECT_EQ(pixels(10, 12, 4, 2), firstPixels);

    // A caller's image is shown but stays the caller's: replacing it by a
    // compiled-in picture neither frees nor keeps it.
    XImage* own = createXImageFromRgb(&form, RgbPicture(4, 2, std::vector<uint32_t>(8, kBlue)));
    image.setXImage(own);
    EXPECT_EQ(pixels(10, 12, 4, 2), std::vector<uint32_t>(8, kBlue));
    image.setEmbeddedImage(&second);
    EXPECT_EQ(pixels(10, 12, 4, 2), std::vector<uint32_t>(8, kGreen));
    destroyXImage(own);

    // An exposure of the form paints the control again.
    XClearArea(screen.GetDisplay(), form.GetWindow(), 0, 0, 0, 0, True);
    test::DrainEvents(screen.GetDisplay());
    EXPECT_EQ(pixels(10, 12, 4, 2), std::vector<uint32_t>(8, kGreen));
}

TEST_F(ImageControl, TheBorderIsASunkenFrameOnTheOutermostPixels) {
    XImage* picture =
        createXImageFromRgb(&form, RgbPicture(6, 5, std::vector<uint32_t>(30, kBlue)));
    MyImage image(&form, picture);
    image.SetPosition(20, 10);
    image.SetSize(6, 5);
    image.setBorder(1);
    image.Show();
    EXPECT_EQ(pixels(20, 10, 1, 1)[0], 0x000000u);  // top-left corner
    EXPECT_EQ(pixels(22, 10, 1, 1)[0], 0x000000u);  // top
    EXPECT_EQ(pixels(20, 12, 1, 1)[0], 0x000000u);  // left
    EXPECT_EQ(pixels(25, 12, 1, 1)[0], 0xFFFFFFu);  // right
    EXPECT_EQ(pixels(22, 14, 1, 1)[0], 0xFFFFFFu);  // bottom
    EXPECT_EQ(pixels(25, 14, 1, 1)[0], 0xFFFFFFu);  // bottom-right corner
    EXPECT_EQ(pixels(21, 11, 4, 3), std::vector<uint32_t>(12, kBlue));
    EXPECT_EQ(pixels(26, 12, 1, 1)[0], kGrey);  // nothing outside the control

    image.setBorder(0);
    EXPECT_EQ(pixels(20, 10, 6, 5), std::vector<uint32_t>(30, kBlue));
    destroyXImage(picture);
}

// A container inside the form with a colour of its own.
class Container : public Child {
public:
    Container(GUIElement* form, int64_t colour) {
        typeName = "panel";
        parent = form;
        backColor = colour;
        x = 30;
        y = 20;
    }
    void Create() override { created = true; }
    void SetColour(int64_t colour) { backColor = colour; }
};

TEST_F(ImageControl, WithoutAPictureTheContainersColourIsPainted) {
    Container panel(&form, kGreen);
    XImage* picture =
        createXImageFromRgb(&form, RgbPicture(5, 4, std::vector<uint32_t>(20, kBlue)));
    MyImage image(&panel, picture);
    image.SetPosition(5, 6);
    image.SetSize(5, 4);
    image.Show();
    EXPECT_EQ(pixels(35, 26, 5, 4), std::vector<uint32_t>(20, kBlue));

    image.setXImage(nullptr);
    EXPECT_EQ(pixels(35, 26, 5, 4), std::vector<uint32_t>(20, kGreen));
    panel.SetColour(-1);
    form.StoreBackColor(0x224466);
    image.setBorder(0);
    EXPECT_EQ(pixels(35, 26, 5, 4), std::vector<uint32_t>(20, 0x224466u));
    destroyXImage(picture);
}

TEST_F(ImageControl, MovingOrHidingClearsTheOldPlace) {
    XImage* picture = createXImageFromRgb(&form, RgbPicture(4, 3, std::vector<uint32_t>(12, kRed)));
    MyImage image(&form, picture);
    image.SetPosition(10, 10);
    image.SetSize(4, 3);
    image.Show();
    const uint32_t id = image.GetId();
    EXPECT_EQ(pixels(10, 10, 4, 3), std::vector<uint32_t>(12, kRed));

    image.SetPosition(50, 10);
    EXPECT_EQ(pixels(10, 10, 4, 3), std::vector<uint32_t>(12, kGrey));
    EXPECT_EQ(pixels(50, 10, 4, 3), std::vector<uint32_t>(12, kRed));
    image.SetSize(2, 2);
    EXPECT_EQ(pixels(52, 10, 2, 3), std::vector<uint32_t>(6, kGrey));
    EXPECT_EQ(pixels(50, 10, 2, 2), std::vector<uint32_t>(4, kRed));

    image.Hide();
    EXPECT_FALSE(image.IsCreated());
    EXPECT_EQ(pixels(50, 10, 2, 2), std::vector<uint32_t>(4, kGrey));
    image.setBorder(1);  // not shown: nothing is painted
    EXPECT_EQ(pixels(50, 10, 2, 2), std::vector<uint32_t>(4, kGrey));
    image.Reveal();
    EXPECT_EQ(image.GetId(), id);
    EXPECT_EQ(pixels(50, 10, 1, 1)[0], 0x000000u);
    destroyXImage(picture);
}

}  // namespace
}  // namespace nebulark
