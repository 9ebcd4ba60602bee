#include "controls/ScrollBarValue.h"

#include <algorithm>

namespace nebulark {

namespace {

constexpr int32_t kArrowZone = 21;

}  // namespace

void ScrollBarValue::SetRange(int32_t newMinimum, int32_t newMaximum) {
    minimum = newMinimum;
    maximum = newMaximum;
}

Size ScrollBarValue::Fit(Size asked, bool vertical) {
    if (vertical) return Size{std::max(asked.width, 21), std::max(asked.height, 52)};
    return Size{std::max(asked.width, 52), std::max(asked.height, 21)};
}

int32_t ScrollBarValue::TrackLength(Size size, bool vertical) {
    const int64_t along = vertical ? size.height : size.width;
    return static_cast<int32_t>(std::max<int64_t>(along - 2 * kArrowZone, INT32_MIN));
}

ScrollPages ScrollBarValue::PagesFor(int32_t track) const {
    ScrollPages pages;
    if (track <= 0) return pages;
    const int64_t range = int64_t{maximum} - minimum;
    if (range > 0) pages.count = (range + track - 1) / track;
    pages.slot = track / pages.count;
    pages.remainder = track % pages.count;
    pages.current = std::clamp((int64_t{position} - minimum) / track, int64_t{0}, pages.count - 1);
    return pages;
}

ScrollThumb ScrollBarValue::ThumbFor(int32_t track) const {
    const ScrollPages pages = PagesFor(track);
    if (pages.count <= 1) return ScrollThumb{};
    const bool last = pages.current == pages.count - 1;
    return ScrollThumb{true, pages.slot * pages.current, pages.slot + (last ? pages.remainder : 0)};
}

int ScrollBarValue::ZoneOf(int64_t offset, int32_t track) const {
    const ScrollPages pages = PagesFor(track);
    if (offset < 0) return -1;
    if (offset > pages.slot * pages.count + pages.remainder) return 1;
    return 0;
}

bool ScrollBarValue::StepPage(int direction, int32_t track) {
    if (track <= 0 || direction == 0) return false;
    const ScrollPages pages = PagesFor(track);
    const int64_t page = direction > 0 ? std::min(pages.current + 1, pages.count - 1)
                                       : std::max(pages.current - 1, int64_t{0});
    return MoveToPage(page, track);
}

// Slot i covers the offsets up to (i + 1) × slot; with slots shorter than a
// pixel every slot ends at the track's start.
bool ScrollBarValue::MoveToOffset(int64_t offset, int32_t track) {
    if (track <= 0) return false;
    const ScrollPages pages = PagesFor(track);
    int64_t page = 0;
    if (pages.slot == 0) {
        if (offset > 0) return false;
    } else if (offset > pages.slot) {
        page = (offset - 1) / pages.slot;
    }
    if (page >= pages.count) return false;
    return MoveToPage(page, track);
}

// The page is within the range, so the new position lies between the minimum
// and the maximum.
bool ScrollBarValue::MoveToPage(int64_t page, int32_t track) {
    const auto next = static_cast<int32_t>(minimum + int64_t{track} * page);
    if (next == position) return false;
    position = next;
    return true;
}

}  // namespace nebulark
