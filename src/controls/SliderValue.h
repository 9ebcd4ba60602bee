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
    // Between two ticks, the last tick taking up the rest; 0 when the values
    // share the track's pixels.
    int32_t step = 0;
};

// The value of a slider and the arithmetic of its track, with no drawing: the
// range, the clamped value, the key rules, the painted size, the tick
// positions and the mapping of a pointer position to a value.
//
// A slider is as long as its range needs for a step of at least 8 whole
// pixels per value. X coordinates end at 32767, so a range too long for that
// keeps the length the slider was given (no longer than X can draw) and its
// values are spread evenly along the track, several to a pixel.
class SliderValue {
public:
    static constexpr int32_t kLongest = 32767;

    // A maximum below the minimum is raised to it: such a slider has the one
    // value of its minimum.
    SliderValue(int32_t minimum, int32_t maximum);

    int32_t Minimum() const { return minimum; }
    int32_t Maximum() const { return maximum; }
    int32_t Value() const { return value; }
    int64_t Steps() const { return int64_t{maximum} - minimum; }
    // True when every value has a tick of its own, at least 8 pixels from
    // the next.
    bool WholeSteps(bool vertical) const;

    // Clamps to the range; true when the value changed.
    bool SetValue(int32_t v);
    // One step forward (+1) or back (-1), wrapping at both ends; true when the
    // value changed.
    bool StepBy(int direction);

    // The size the slider is painted at, given the size it was asked for.
    Size Fit(Size asked, bool vertical) const;
    SliderTrack TrackFor(Size fitted, bool vertical) const;
    // Where the tick of minimum + tick lies; always on the track.
    int64_t TickOffset(const SliderTrack& track, int64_t tick) const;
    // With whole steps, the value of the first tick that the offset does not
    // pass by more than two pixels; with shared pixels, the value placed
    // nearest the offset. None when the offset lies more than two pixels
    // beyond the last tick.
    std::optional<int32_t> ValueAt(const SliderTrack& track, int64_t offset) const;

private:
    int32_t minimum;
    int32_t maximum;
    int32_t value;

    bool SharesPixels(const SliderTrack& track) const;
};

}  // namespace nebulark
