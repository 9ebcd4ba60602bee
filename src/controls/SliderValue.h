#pragma once

#include <cstdint>
#include <optional>

#include "widgets/Geometry.h"

namespace nebulark {

// Where the ticks of a slider lie, in pixels from the slider's top edge when
// it is vertical, from its left edge otherwise.
struct SliderTrack {
    int32_t first = 0;  // the tick of the minimum
    int32_t last = 0;   // the tick of the maximum
    int32_t step = 0;   // between two ticks; the last tick takes up the rest
};

// The value of a slider and the arithmetic of its track, with no drawing: the
// range, the clamped value, the key rules, the painted size, the tick
// positions and the mapping of a pointer position to a value.
class SliderValue {
public:
    // Every step is at least 8 pixels long, and X coordinates end at 32767:
    // a longer range could not be drawn, so the maximum is lowered to this
    // many steps above the minimum.
    static constexpr int32_t kMaxSteps = 4090;

    // A maximum below the minimum is raised to it: such a slider has the one
    // value of its minimum.
    SliderValue(int32_t minimum, int32_t maximum);

    int32_t Minimum() const { return minimum; }
    int32_t Maximum() const { return maximum; }
    int32_t Value() const { return value; }
    int32_t Steps() const { return maximum - minimum; }

    // Clamps to the range; true when the value changed.
    bool SetValue(int32_t v);
    // One step forward (+1) or back (-1), wrapping at both ends; true when the
    // value changed.
    bool StepBy(int direction);

    // The size the slider is painted at, given the size it was asked for: the
    // track is a whole number of steps of at least 8 pixels.
    Size Fit(Size asked, bool vertical) const;
    SliderTrack TrackFor(Size fitted, bool vertical) const;
    int32_t TickOffset(const SliderTrack& track, int32_t tick) const;
    // The value of the first tick that the offset does not pass by more than
    // two pixels; none when the offset lies beyond the last tick.
    std::optional<int32_t> ValueAt(const SliderTrack& track, int64_t offset) const;

private:
    int32_t minimum;
    int32_t maximum;
    int32_t value;
};

}  // namespace nebulark
