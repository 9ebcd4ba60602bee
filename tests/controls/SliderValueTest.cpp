// The slider's arithmetic without a display: sizes, ticks, the mapping of a
// pointer position to a value and the key rules.
#include <gtest/gtest.h>

#include <climits>

#include "controls/SliderValue.h"

namespace nebulark {
namespace {

TEST(SliderValue, EveryStepIsAWholeNumberOfPixelsAndAtLeastEight) {
    EXPECT_EQ(SliderValue(0, 10).Fit(Size{100, 20}, false).width, 120);
    EXPECT_EQ(SliderValue(0, 10).Fit(Size{100, 20}, false).height, 36);
    EXPECT_EQ(SliderValue(0, 10).Fit(Size{20, 100}, true).height, 116);
    EXPECT_EQ(SliderValue(0, 10).Fit(Size{20, 100}, true).width, 40);
    for (const bool vertical : {false, true}) {
        for (const int32_t steps : {1, 2, 3, 7, 10, 250}) {
            for (const int32_t asked : {-5, 0, 61, 199, 1000, 5003}) {
                const SliderValue value(-3, -3 + steps);
                const Size size = value.Fit(Size{asked, asked}, vertical);
                const int32_t along = (vertical ? size.height - 36 : size.width - 40);
                SCOPED_TRACE(testing::Message() << vertical << " " << steps << " " << asked);
                EXPECT_EQ(along % steps, 0);
                EXPECT_GE(along / steps, 8);
                EXPECT_EQ(value.Fit(size, vertical).width, size.width);  // fits once
                EXPECT_EQ(value.Fit(size, vertical).height, size.height);

                // Ticks run from the first to the last offset, at least 8
                // pixels apart, and each maps back to its own value.
                const SliderTrack track = value.TrackFor(size, vertical);
                EXPECT_EQ(value.TickOffset(track, 0), vertical ? 18 : 20);
                EXPECT_EQ(value.TickOffset(track, steps),
                          vertical ? size.height - 17 : size.width - 18);
                for (int32_t tick = 0; tick <= steps; ++tick) {
                    if (tick > 0) {
                        EXPECT_GE(value.TickOffset(track, tick) - value.TickOffset(track, tick - 1),
                                  8);
                    }
                    EXPECT_EQ(value.ValueAt(track, value.TickOffset(track, tick)), -3 + tick);
                }
            }
        }
    }
}

TEST(SliderValue, APointPicksTheFirstTickItDoesNotPassByMoreThanTwoPixels) {
    const SliderValue value(0, 10);
    const SliderTrack track = value.TrackFor(Size{120, 36}, false);  // ticks 20, 28, … 92, 102
    EXPECT_EQ(value.ValueAt(track, -500), 0);
    EXPECT_EQ(value.ValueAt(track, 22), 0);
    EXPECT_EQ(value.ValueAt(track, 23), 1);
    EXPECT_EQ(value.ValueAt(track, 95), 10);
    EXPECT_EQ(value.ValueAt(track, 104), 10);
    EXPECT_EQ(value.ValueAt(track, 105), std::nullopt);
}

TEST(SliderValue, DegenerateRangesStayDrawableAndNeverDivideByZero) {
    // One value: one tick at the start, keys change nothing.
    SliderValue single(5, 5);
    EXPECT_EQ(single.Fit(Size{10, 10}, false).width, 40);
    EXPECT_EQ(single.Fit(Size{10, 10}, true).height, 36);
    EXPECT_EQ(single.Fit(Size{90, 90}, false).width, 90);
    const SliderTrack track = single.TrackFor(Size{40, 36}, false);
    EXPECT_EQ(single.TickOffset(track, 0), 20);
    EXPECT_EQ(single.ValueAt(track, 0), 5);
    EXPECT_EQ(single.ValueAt(track, 22), 5);
    EXPECT_EQ(single.ValueAt(track, 23), std::nullopt);
    EXPECT_FALSE(single.StepBy(1));
    EXPECT_FALSE(single.StepBy(-1));

    // A maximum below the minimum makes a slider of one value.
    EXPECT_EQ(SliderValue(9, 1).Maximum(), 9);

    SliderValue top(INT32_MAX - 1, INT32_MAX);
    EXPECT_TRUE(top.StepBy(-1));
    EXPECT_EQ(top.Value(), INT32_MAX);
}

// X coordinates end at 32,767: a range needing more at 8 pixels a step keeps
// every value, the length it was given and all its ticks on the track.
TEST(SliderValue, ARangeTooLongForWholeStepsSpreadsItsValuesAlongTheTrack) {
    EXPECT_EQ(SliderValue(0, 4090).Fit(Size{0, 0}, false).width, 32760);
    const SliderValue wide(0, 10000);
    const SliderTrack track = wide.TrackFor(wide.Fit(Size{200, 20}, false), false);  // 20 … 182
    EXPECT_EQ(wide.ValueAt(track, 101), 5000);
    EXPECT_EQ(wide.ValueAt(track, 184), 10000);
    EXPECT_EQ(wide.ValueAt(track, 185), std::nullopt);

    const SliderValue widest(INT32_MIN, INT32_MAX);
    for (const bool vertical : {false, true}) {
        for (const int32_t asked : {INT32_MIN, 300, INT32_MAX}) {
            const Size fitted = widest.Fit(Size{asked, asked}, vertical);
            EXPECT_LE(vertical ? fitted.height : fitted.width, 32767);
            const SliderTrack along = widest.TrackFor(fitted, vertical);
            for (const int64_t tick : {int64_t{1}, widest.Steps() - 1}) {
                EXPECT_GE(widest.TickOffset(along, tick), along.first);
                EXPECT_LE(widest.TickOffset(along, tick), along.last);
            }
            EXPECT_EQ(widest.ValueAt(along, along.first), INT32_MIN);
            EXPECT_EQ(widest.ValueAt(along, along.last), INT32_MAX);
        }
    }
}

}  // namespace
}  // namespace nebulark
