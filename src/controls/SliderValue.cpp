#include "controls/SliderValue.h"

#include <algorithm>

namespace nebulark {

namespace {

constexpr int64_t kMinStepLength = 8;
// How far a point may lie past a tick and still pick it.
constexpr int64_t kReach = 2;

// A vertical slider keeps 18 pixels for a label at each end, a horizontal one
// 20; they are at least 40 wide or 36 high.
int32_t Ends(bool vertical) {
    return vertical ? 36 : 40;
}

// A length made of whole steps plus the fixed ends, at least 8 pixels a step.
int32_t WholeStepLength(int32_t asked, int64_t steps, int32_t ends) {
    const int64_t shortest = kMinStepLength * steps + ends;
    if (steps == 0) return std::max<int32_t>(asked, ends);
    if (asked < shortest) return static_cast<int32_t>(shortest);
    return static_cast<int32_t>(steps * ((asked - ends) / steps) + ends);
}

}  // namespace

SliderValue::SliderValue(int32_t minimum, int32_t maximum)
    : minimum(minimum), maximum(std::max(minimum, maximum)), value(minimum) {}

bool SliderValue::WholeSteps(bool vertical) const {
    return kMinStepLength * Steps() + Ends(vertical) <= kLongest;
}

bool SliderValue::SetValue(int32_t v) {
    v = std::clamp(v, minimum, maximum);
    if (v == value) return false;
    value = v;
    return true;
}

bool SliderValue::StepBy(int direction) {
    if (direction == 0) return false;
    const int64_t next = int64_t{value} + (direction > 0 ? 1 : -1);
    if (next > maximum) return SetValue(minimum);
    if (next < minimum) return SetValue(maximum);
    return SetValue(static_cast<int32_t>(next));
}

Size SliderValue::Fit(Size asked, bool vertical) const {
    const int32_t ends = Ends(vertical);
    const int32_t along = vertical ? asked.height : asked.width;
    const int32_t length =
        WholeSteps(vertical)
            ? WholeStepLength(along, Steps(), ends)
            : std::clamp(along, ends + static_cast<int32_t>(kMinStepLength), kLongest);
    if (vertical) return Size{std::max(asked.width, 40), length};
    return Size{length, std::max(asked.height, 36)};
}

// A slider of one value has its one tick at the start of the track.
SliderTrack SliderValue::TrackFor(Size fitted, bool vertical) const {
    SliderTrack track =
        vertical ? SliderTrack{18, fitted.height - 17, 0} : SliderTrack{20, fitted.width - 18, 0};
    if (Steps() > 0 && WholeSteps(vertical))
        track.step = static_cast<int32_t>((track.last - track.first) / Steps());
    return track;
}

bool SliderValue::SharesPixels(const SliderTrack& track) const {
    return track.step == 0 && Steps() > 0;
}

int64_t SliderValue::TickOffset(const SliderTrack& track, int64_t tick) const {
    const int64_t steps = Steps();
    tick = std::clamp<int64_t>(tick, 0, steps);
    if (tick == steps && tick > 0) return track.last;
    if (!SharesPixels(track)) return track.first + tick * track.step;
    return track.first + tick * (int64_t{track.last} - track.first) / steps;
}

std::optional<int32_t> SliderValue::ValueAt(const SliderTrack& track, int64_t offset) const {
    const int64_t steps = Steps();
    if (offset > TickOffset(track, steps) + kReach) return std::nullopt;
    if (!SharesPixels(track)) {
        int64_t tick = 0;
        while (tick < steps && TickOffset(track, tick) + kReach < offset)
            ++tick;
        return static_cast<int32_t>(minimum + tick);
    }
    const int64_t span = std::max<int64_t>(int64_t{track.last} - track.first, 1);
    const int64_t along = std::clamp<int64_t>(offset - track.first, 0, span);
    return static_cast<int32_t>(minimum + (along * steps + span / 2) / span);
}

}  // namespace nebulark
