// The push button on a shown form: pressing, releasing and Return through
// XTEST, read back as the button's pixels and its clicks.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <algorithm>

#include "ControlKit.h"
#include "controls/ButtonCustom.h"
#include "images/RgbBuffer.h"
#include "widgets/XImageConversion.h"

namespace nebulark {
namespace {

constexpr int64_t kBlack = 0x000000, kWhite = 0xFFFFFF, kGrey = 0xAAAAAA;

int clicks = 0;

void CountClick(GUIElement*) {
    ++clicks;
}

// A single-colour picture of w × h.
RgbBuffer Plain(int w, int h, unsigned char r, unsigned char g, unsigned char b) {
    RgbBuffer rgb = RgbBuffer::allocate(w, h);
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) {
        rgb.data()[i] = r;
        rgb.data()[i + 1] = g;
        rgb.data()[i + 2] = b;
    }
    return rgb;
}

class Button : public test::ControlBench {
protected:
    void SetUp() override {
        ControlBench::SetUp();
        clicks = 0;
        button.SetPosition(20, 20);
        button.setClickHandler(CountClick);
        button.Show();
        Settle();
    }
    bool DrawnPushed() { return Pixel(40, 20) == kBlack && Pixel(99, 40) == kWhite; }
    bool DrawnRaised() { return Pixel(40, 20) == kWhite && Pixel(99, 40) == kBlack; }
    bool FocusMarkShown() { return Pixel(24, 23) == button.getTextColor(); }

    ButtonCustom button{&form, "OK"};
};

TEST_F(Button, APressReleasedElsewhereFiresNothing) {
    EXPECT_TRUE(DrawnRaised());
    EXPECT_EQ(Pixel(30, 30), kGrey) << "face of the form's default colour";
    driver.MoveTo(form.GetWindow(), 50, 35);
    driver.ButtonDown(1);
    Settle();
    EXPECT_TRUE(button.isPressed());
    EXPECT_TRUE(DrawnPushed());
    driver.MoveTo(form.GetWindow(), 200, 150);
    driver.ButtonUp(1);
    Settle();
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(DrawnRaised());
    EXPECT_FALSE(button.HasFocus());

    Click(form.GetWindow(), 50, 35);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(DrawnRaised());
    EXPECT_TRUE(FocusMarkShown());
}

TEST_F(Button, ReturnHeldShowsItPushedAndTheReleaseFires) {
    Tap(XK_Tab);
    ASSERT_TRUE(button.HasFocus());
    EXPECT_TRUE(FocusMarkShown());
    driver.KeyDown(XK_Return);
    Settle();
    EXPECT_TRUE(DrawnPushed());
    EXPECT_FALSE(FocusMarkShown());
    EXPECT_EQ(clicks, 0);
    driver.KeyUp(XK_Return);
    Settle();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(DrawnRaised());
    Tap(XK_space);
    Tap(XK_Escape);
    EXPECT_EQ(clicks, 1);

    // Hidden, the button keeps the focus it had but no longer fires.
    button.Hide();
    Tap(XK_Return);
    EXPECT_EQ(clicks, 1);
}

TEST_F(Button, ADisabledButtonIsGreyedAndDeaf) {
    button.Focus();
    XImage* image = createXImageFromRgb(&form, Plain(6, 6, 255, 0, 0));
    XImage* dimmed = createXImageFromRgb(&form, Plain(6, 6, 0, 255, 0));
    button.setImage(image);
    button.setDisabledImage(dimmed);
    button.setEnabledAndRepaint(false);

    const std::vector<uint32_t> face = Pixels(21, 21, 78, 28);
    EXPECT_NE(std::find(face.begin(), face.end(), 0x9B9B9B), face.end()) << "greyed caption";
    EXPECT_EQ(std::find(face.begin(), face.end(), kBlack), face.end()) << "no focus mark";
    EXPECT_EQ(Pixel(30, 35), 0x00FF00) << "the disabled picture";
    EXPECT_FALSE(button.OnKeyChar('\r'));
    Click(form.GetWindow(), 50, 35);
    EXPECT_EQ(clicks, 0);

    button.setEnabledAndRepaint(true);
    EXPECT_EQ(Pixel(30, 35), 0xFF0000);
    button.setContentHidden(true);
    EXPECT_EQ(Pixel(30, 35), kGrey);
    button.SetPosition(150, 100);
    EXPECT_EQ(Pixel(40, 20), kGrey) << "the old place is cleared";
    EXPECT_EQ(Pixel(170, 100), kWhite);
    destroyXImage(image);
    destroyXImage(dimmed);
}

}  // namespace
}  // namespace nebulark
