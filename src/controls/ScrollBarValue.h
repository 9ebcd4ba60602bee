#pragma once

#include <cstdint>

#include "widgets/Geometry.h"

namespace nebulark {

// The pages of a scroll bar for one track length. A range that is empty, or
// a track that is not longer than zero, makes a single page with no slots to
// click, so that nothing divides by zero.
struct ScrollPages {
    int64_t count = 1;      // at least 1
    int64_t slot = 0;       // length of a page slot: the track divided by the count
    int64_t remainder = 0;  // what the division leaves; the last slot takes it
    int64_t current = 0;    // the page of the position, within 0 … count − 1
};

// A stretch of the track, from its start.
struct ScrollThumb {
    bool shown = false;
    int64_t offset = 0;
    int64_t length = 0;
};

// The position of a scroll bar and the arithmetic of its track, with no
// drawing: the track is split into one slot per page, and the position is
// always the minimum plus a whole number of track lengths.
class ScrollBarValue {
public:
    ScrollBarValue(int32_t minimum, int32_t maximum) : minimum(minimum), maximum(maximum) {}

    int32_t Minimum() const { return minimum; }
    int32_t Maximum() const { return maximum; }
    int32_t Position() const { return position; }
    void SetRange(int32_t newMinimum, int32_t newMaximum);
    // Stored as given: a position off the pages counts as the nearest page.
    void SetPosition(int32_t p) { position = p; }

    // The size the bar is painted at: 21 across and at least 52 along.
    static Size Fit(Size asked, bool vertical);
    // The room between the two arrow zones of 21 pixels each.
    static int32_t TrackLength(Size size, bool vertical);

    ScrollPages PagesFor(int32_t track) const;
    // Where the thumb lies; a range of one page shows none.
    ScrollThumb ThumbFor(int32_t track) const;
    // -1 when the offset lies before the first slot, +1 when past the end of
    // the last one, 0 on the track.
    int ZoneOf(int64_t offset, int32_t track) const;
    // One page forward (+1) or back (-1), stopping at the first and the last
    // page; true when the position changed.
    bool StepPage(int direction, int32_t track);
    // To the first page whose slot ends at or after the offset; a point past
    // the last slot changes nothing. True when the position changed.
    bool MoveToOffset(int64_t offset, int32_t track);

private:
    int32_t minimum;
    int32_t maximum;
    int32_t position = 0;

    bool MoveToPage(int64_t page, int32_t track);
};

}  // namespace nebulark
