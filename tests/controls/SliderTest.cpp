// The slider on a shown form: its size and picture read back from the server,
// and clicks, drags and keys sent through XTEST.
#include <X11/keysym.h>

#include "ControlFixture.h"
#include "controls/Slider.h"

namespace nebulark {
namespace {

using test::kBlack;
using test::kGrey;
using test::kLight;

constexpr uint32_t kFace = 0x3060A0;

std::vector<int32_t>& Slides() {
    static std::vector<int32_t> slides;
    return slides;
}
int valueChanges = 0;

// A horizontal 0 … 10 slider at (20, 30), asked to be 100 wide: its track runs
// along y = 48 with the ticks of 0 … 9 at x = 40 + 8 × value and the tick of
// 10 at x = 122.
class SliderOnForm : public test::ControlFixture {
protected:
    void SetUp() override {
        ControlFixture::SetUp();
        slider.SetPosition(20, 30);
        slider.SetSize(100, 20);
        slider.setOnSlide([](Slider*, int32_t value) { Slides().push_back(value); });
        slider.setOnValueChanged([](GUIElement*) { ++valueChanges; });
        slider.Show();
    }
    Slider slider{&form, false, 0, 10};
};

TEST_F(SliderOnForm, IsWidenedToWholeStepsAndDrawsTrackTicksThumbAndLimits) {
    EXPECT_EQ(slider.GetWidth(), 120);
    EXPECT_EQ(slider.GetHeight(), 36);
    slider.SetBackColor(kFace);
    EXPECT_EQ(Pixel(44, 48), kBlack);  // the track, edged light below
    EXPECT_EQ(Pixel(44, 49), kLight);
    EXPECT_EQ(Pixel(60, 40), kFace);
    for (int y = 45; y <= 51; ++y) {  // the tick of 3, edged light on the right
        EXPECT_EQ(Pixel(64, y), kBlack) << y;
        EXPECT_EQ(Pixel(65, y), kLight) << y;
    }
    EXPECT_EQ(Pixel(40, 38), kBlack);   // the thumb above the tick of 0
    EXPECT_EQ(Pixel(122, 46), kBlack);  // the last tick, at the end of the track

    slider.setValue(77);  // clamped to 10
    EXPECT_EQ(slider.getValue(), 10);
    EXPECT_EQ(Pixel(40, 38), kFace);
    EXPECT_EQ(Pixel(122, 38), kBlack);
    EXPECT_GT(Count(20, 30, 20, 36, kBlack), 0);  // the label "0"
    slider.setShowLimits(false);
    EXPECT_EQ(Count(20, 30, 20, 36, kBlack), 0);
    slider.setEnabledAndRepaint(false);
    EXPECT_EQ(Pixel(44, 48), 0x9B9B9Bu);
    EXPECT_TRUE(Slides().empty());  // the program's own changes call nothing

    // Moving a shown slider leaves nothing behind at its old place.
    slider.SetPosition(150, 100);
    EXPECT_EQ(Count(20, 30, 121, 37, kGrey), 121 * 37);
    EXPECT_EQ(Pixel(174, 118), 0x9B9B9Bu);
}

TEST_F(SliderOnForm, AVerticalSliderHasItsThumbRightOfTheTrack) {
    Slider upright(&form, true, 0, 4);  // 40 × 68 at (200, 20): ticks at y = 38 + 8 × value
    upright.SetPosition(200, 20);
    upright.SetSize(10, 10);
    upright.setValue(2);
    upright.Show();
    EXPECT_EQ(upright.GetWidth(), 40);
    EXPECT_EQ(upright.GetHeight(), 68);
    EXPECT_EQ(Pixel(220, 42), kBlack);  // the track, edged light on the right
    EXPECT_EQ(Pixel(221, 42), kLight);
    EXPECT_EQ(Pixel(232, 54), kBlack);  // the thumb beside the tick of 2
    EXPECT_EQ(Pixel(232, 40), kGrey);
}

TEST_F(SliderOnForm, ADragGoesOnOutsideTheSliderUntilTheButtonIsReleased) {
    Press(65, 50);
    EXPECT_EQ(Application::FocusedElement(), &slider);
    EXPECT_EQ(slider.getValue(), 3);
    MoveTo(100, 150);  // below the slider
    EXPECT_EQ(slider.getValue(), 8);
    MoveTo(5, 150);  // left of it and below
    EXPECT_EQ(slider.getValue(), 0);
    MoveTo(250, 150);  // past the last tick: nothing changes
    EXPECT_EQ(slider.getValue(), 0);
    MoveTo(90, 50);
    Release(90, 50);
    EXPECT_EQ(slider.getValue(), 6);
    MoveTo(40, 50);  // still focused, but no longer dragging
    EXPECT_EQ(slider.getValue(), 6);
    EXPECT_EQ(Slides(), (std::vector<int32_t>{3, 8, 0, 6}));
    EXPECT_EQ(valueChanges, 4);

    // Released outside, the slider loses the focus and the drag ends.
    Press(65, 50);
    MoveTo(100, 190);
    Release(100, 190);
    EXPECT_EQ(Application::FocusedElement(), nullptr);
    EXPECT_EQ(slider.getValue(), 8);
}

// 0 … 10,000 at 8 pixels a value would reach past what X can draw: the slider
// keeps its range on the 200 pixels it was given, ticked at its two ends.
TEST_F(SliderOnForm, AWideRangeKeepsItsValuesOnTheLengthItWasGiven) {
    Slider wide(&form, false, 0, 10000);  // track from x = 40 to 202 along y = 118
    wide.SetPosition(20, 100);
    wide.SetSize(200, 20);
    wide.Show();
    EXPECT_EQ(wide.GetWidth(), 200);
    wide.setValue(9000);
    EXPECT_EQ(wide.getValue(), 9000);
    EXPECT_EQ(Pixel(185, 110), kBlack) << "the thumb above 9,000";
    EXPECT_EQ(Pixel(121, 117), kGrey) << "no tick between the ends";
    EXPECT_EQ(Pixel(202, 116), kBlack) << "the tick of 10,000";
    Click(202, 118);
    EXPECT_EQ(wide.getValue(), 10000);
}

TEST_F(SliderOnForm, KeysStepAndWrapAtTheEndsWhileFocused) {
    Key(XK_Right);  // not focused: nothing
    EXPECT_EQ(slider.getValue(), 0);
    Click(123, 50);
    EXPECT_EQ(slider.getValue(), 10);
    EXPECT_EQ(Count(20, 31, 120, 1, kBlack) + Count(20, 31, 120, 1, kGrey), 120);
    EXPECT_GT(Count(20, 31, 120, 1, kBlack), 20);  // the dashed focus line

    Key(XK_Right);
    EXPECT_EQ(slider.getValue(), 0);
    Key(XK_Left);
    EXPECT_EQ(slider.getValue(), 10);
    Key(XK_Up);
    Key(XK_space);  // as Down
    Key(XK_Down);
    EXPECT_EQ(Slides(), (std::vector<int32_t>{10, 0, 10, 9, 10, 0}));
}

}  // namespace
}  // namespace nebulark
