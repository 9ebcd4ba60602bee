#include "controls/SliderValue.h"

#include <algorithm>

namespace nebulark {

namespace {

constexpr int32_t kMinStepLength = 8;

int32_t LimitedMaximum(int32_t minimum, int32_t maximum) {
    const int64_t highest = int64_t{minimum} + SliderValue::kMaxSteps;
    return static_cast<int32_t>(std::clamp(int64_t{maximum}, int64_t{minimum}, highest));
}

// A length made of whole steps plus the fixed ends, at least 8 pixels a step.
int32_t WholeSteps(int32_t asked, int32_t steps, int32_t ends) {
    const int32_t shortest = kMinStepLength * steps + ends;
    if (steps == 0) return std::max(asked, shortest);
    if (asked < shortest) return shortest;
    return steps * ((asked - ends) / steps) + ends;
}

}  // namespace

SliderValue::SliderValue(int32_t minimum, int32_t maximum)
    : minimum(minimum), maximum(LimitedMaximum(minimum, maximum)), value(minimum) {}

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

// A vertical slider keeps 18 pixels for a label at each end, a horizontal one
// 20; they are at least 40 wide or 36 high.
Size SliderValue::Fit(Size asked, bool vertical) const {
    if (vertical) return Size{std::max(asked.width, 40), WholeSteps(asked.height, Steps(), 36)};
    return Size{WholeSteps(std::max(asked.width, kMinStepLength * Steps() + 40), Steps(), 40),
                std::max(asked.height, 36)};
}

// A slider of one value has its one tick at the start of the track.
SliderTrack SliderValue::TrackFor(Size fitted, bool vertical) const {
    const int32_t steps = Steps();
    if (vertical)
        return SliderTrack{18, fitted.height - 17, steps > 0 ? (fitted.height - 35) / steps : 0};
    return SliderTrack{20, fitted.width - 18, steps > 0 ? (fitted.width - 38) / steps : 0};
}

int32_t SliderValue::TickOffset(const SliderTrack& track, int32_t tick) const {
    if (tick == Steps() && tick > 0) return track.last;
    return track.first + tick * track.step;
}

std::optional<int32_t> SliderValue::ValueAt(const SliderTrack& track, int64_t offset) const {
    for (int32_t tick = 0; tick <= Steps(); ++tick)
        if (TickOffset(track, tick) + 2 >= offset) return minimum + tick;
    return std::nullopt;
}

}  // namespace nebulark
