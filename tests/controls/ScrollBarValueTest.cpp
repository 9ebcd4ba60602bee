// The scroll bar's arithmetic without a display: pages, thumb, zones and the
// key rules.
#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "controls/ScrollBarValue.h"

namespace nebulark {
namespace {

// 0 … 100 on the 38-pixel track of an 80-pixel bar: three pages of 12 pixels,
// the last one 14.
constexpr int32_t kTrack = 38;

TEST(ScrollBarValue, TheTrackIsSplitIntoOneSlotPerPage) {
    EXPECT_EQ(ScrollBarValue::TrackLength(ScrollBarValue::Fit(Size{80, 13}, false), false), 38);
    EXPECT_EQ(ScrollBarValue::Fit(Size{10, 10}, true).width, 21);
    EXPECT_EQ(ScrollBarValue::Fit(Size{10, 10}, true).height, 52);

    ScrollBarValue value(0, 100);
    const ScrollPages pages = value.PagesFor(kTrack);
    EXPECT_EQ(pages.count, 3);
    EXPECT_EQ(pages.slot, 12);
    EXPECT_EQ(pages.remainder, 2);
    EXPECT_EQ(value.ThumbFor(kTrack).offset, 0);
    EXPECT_EQ(value.ThumbFor(kTrack).length, 12);
    value.SetPosition(76);
    EXPECT_EQ(value.ThumbFor(kTrack).offset, 24);
    EXPECT_EQ(value.ThumbFor(kTrack).length, 14);

    // Offsets map to the slot that reaches them; the last slot's remainder
    // and everything past it change nothing.
    const int32_t expected[][2] = {{-9, 0}, {12, 0}, {13, 38}, {24, 38}, {25, 76}, {36, 76}};
    for (const auto& [offset, position] : expected) {
        value.SetPosition(50);
        EXPECT_TRUE(value.MoveToOffset(offset, kTrack)) << offset;
        EXPECT_EQ(value.Position(), position) << offset;
    }
    EXPECT_FALSE(value.MoveToOffset(37, kTrack));
    EXPECT_EQ(value.ZoneOf(-1, kTrack), -1);
    EXPECT_EQ(value.ZoneOf(38, kTrack), 0);
    EXPECT_EQ(value.ZoneOf(39, kTrack), 1);
}

TEST(ScrollBarValue, PagingStopsAtTheFirstAndTheLastPage) {
    ScrollBarValue value(10, 110);
    EXPECT_TRUE(value.StepPage(1, kTrack));  // from 0, below the range, to the second page
    EXPECT_EQ(value.Position(), 48);
    EXPECT_TRUE(value.StepPage(1, kTrack));
    EXPECT_EQ(value.Position(), 86);
    EXPECT_FALSE(value.StepPage(1, kTrack));
    EXPECT_TRUE(value.StepPage(-1, kTrack));
    EXPECT_TRUE(value.StepPage(-1, kTrack));
    EXPECT_EQ(value.Position(), 10);
    EXPECT_FALSE(value.StepPage(-1, kTrack));

    // A position set far past the pages counts as the last page.
    value.SetPosition(5000);
    EXPECT_EQ(value.PagesFor(kTrack).current, 2);
    EXPECT_TRUE(value.StepPage(-1, kTrack));
    EXPECT_EQ(value.Position(), 48);
}

TEST(ScrollBarValue, OnePageEmptyRangesAndShortTracksShowNoThumbAndNeverDivideByZero) {
    for (const auto& [low, high, track] :
         {std::tuple{0, 38, kTrack}, {5, 5, kTrack}, {9, 1, kTrack}, {0, 100, 0}, {0, 100, -7}}) {
        SCOPED_TRACE(testing::Message() << low << " " << high << " " << track);
        ScrollBarValue value(low, high);
        value.SetPosition(low);
        EXPECT_EQ(value.PagesFor(track).count, 1);
        EXPECT_FALSE(value.ThumbFor(track).shown);
        EXPECT_FALSE(value.StepPage(1, track));
        EXPECT_FALSE(value.StepPage(-1, track));
        EXPECT_FALSE(value.MoveToOffset(0, track));
        EXPECT_EQ(value.Position(), low);
    }

    // More pages than pixels: slots shorter than a pixel, positions in range.
    ScrollBarValue widest(INT32_MIN, INT32_MAX);
    widest.SetPosition(INT32_MIN);
    EXPECT_EQ(widest.PagesFor(10).slot, 0);
    EXPECT_TRUE(widest.StepPage(1, 10));
    EXPECT_EQ(widest.Position(), INT32_MIN + 10);
    widest.SetPosition(INT32_MAX);
    EXPECT_TRUE(widest.StepPage(1, 10));  // onto the start of the last page
    EXPECT_EQ(widest.Position(), INT32_MAX - 5);
    EXPECT_FALSE(widest.StepPage(1, 10));
    EXPECT_TRUE(widest.MoveToOffset(-3, 10));
    EXPECT_EQ(widest.Position(), INT32_MIN);
    EXPECT_FALSE(widest.MoveToOffset(1, 10));
}

}  // namespace
}  // namespace nebulark
