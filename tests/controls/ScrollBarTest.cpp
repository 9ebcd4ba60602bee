// The scroll bar on a shown form: its picture read back from the server, and
// clicks, drags and keys sent through XTEST.
#include <X11/keysym.h>

#include <utility>

#include "ControlFixture.h"
#include "controls/ScrollBar.h"

namespace nebulark {
namespace {

using test::kBlack;
using test::kGrey;
using test::kLight;

std::vector<std::pair<int64_t, int32_t>>& Scrolls() {
    static std::vector<std::pair<int64_t, int32_t>> scrolls;
    return scrolls;
}

// A horizontal 0 … 100 bar at (20, 100), 80 × 21: its track runs from x = 41
// to 79 in three pages of 12 pixels, the last one 14, at positions 0, 38, 76.
class ScrollBarOnForm : public test::ControlFixture {
protected:
    void SetUp() override {
        ControlFixture::SetUp();
        bar.SetPosition(20, 100);
        bar.setOnScroll([](ScrollBar*, int64_t tenTimes, int32_t position) {
            Scrolls().emplace_back(tenTimes, position);
        });
        bar.Show();
    }
    bool ThumbAt(int x) const { return Pixel(x, 110) == kBlack; }
    ScrollBar bar{&form, 0, 100};
};

TEST_F(ScrollBarOnForm, PagesWithKeysAndStopsAtTheLastPage) {
    EXPECT_EQ(bar.GetHeight(), 21);
    EXPECT_EQ(Pixel(20, 100), kLight);  // the frame, light at the top and left
    EXPECT_EQ(Pixel(100, 110), kBlack);
    EXPECT_EQ(Pixel(60, 121), kBlack);
    EXPECT_EQ(Pixel(33, 110), kBlack);  // the arrowheads
    EXPECT_EQ(Pixel(88, 110), kBlack);
    EXPECT_TRUE(ThumbAt(45));
    EXPECT_FALSE(ThumbAt(60));

    Click(45, 110);  // on the first page's slot: focused, nothing changes
    for (int press = 0; press < 3; ++press)
        Key(XK_Right);
    EXPECT_EQ(bar.getScrollPosition(), 76);
    EXPECT_EQ(Scrolls(), (std::vector<std::pair<int64_t, int32_t>>{{380, 38}, {760, 76}}));
    EXPECT_FALSE(ThumbAt(45));
    EXPECT_TRUE(ThumbAt(75));  // the last page's thumb takes the remainder too
    Key(XK_Up);
    EXPECT_EQ(bar.getScrollPosition(), 38);
    EXPECT_TRUE(ThumbAt(60));
}

TEST_F(ScrollBarOnForm, ArrowZonesPageAndTheTrackFollowsTheDragOutsideTheBar) {
    Click(90, 110);  // right arrow zone
    EXPECT_EQ(bar.getScrollPosition(), 38);
    Click(25, 110);  // left arrow zone
    EXPECT_EQ(bar.getScrollPosition(), 0);
    Press(70, 110);
    EXPECT_EQ(bar.getScrollPosition(), 76);
    MoveTo(55, 180);  // below the bar, over the second slot
    EXPECT_EQ(bar.getScrollPosition(), 38);
    MoveTo(5, 20);  // before the track: the first page
    EXPECT_EQ(bar.getScrollPosition(), 0);
    Release(5, 20);
    MoveTo(70, 110);
    EXPECT_EQ(bar.getScrollPosition(), 0);
    EXPECT_EQ(Scrolls().size(), 5u);
    EXPECT_EQ(Scrolls().back(), (std::pair<int64_t, int32_t>{0, 0}));
}

TEST_F(ScrollBarOnForm, ARangeOfOnePageShowsNoThumbAndHidingLeavesNoFrame) {
    bar.setRange(0, 30);
    EXPECT_EQ(Count(41, 102, 38, 19, kBlack), 0);
    Click(60, 110);
    Key(XK_Right);
    EXPECT_EQ(bar.getScrollPosition(), 0);
    EXPECT_TRUE(Scrolls().empty());

    bar.setVertical(true);  // 80 × 52: the track runs down from y = 121
    EXPECT_FALSE(bar.isHorizontal());
    EXPECT_EQ(bar.GetHeight(), 52);
    bar.setRange(0, 76);
    bar.SetSize(21, 80);  // a 38-pixel track: two slots of 19
    bar.setScrollPosition(38);
    EXPECT_EQ(Pixel(30, 125), kGrey);
    EXPECT_EQ(Pixel(30, 145), kBlack);
    EXPECT_EQ(Count(42, 100, 60, 53, kGrey), 60 * 53);  // the wider bar's place is cleared

    bar.Hide();
    EXPECT_EQ(Count(20, 100, 22, 81, kGrey), 22 * 81);
}

}  // namespace
}  // namespace nebulark
