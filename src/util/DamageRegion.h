#pragma once

#include <cstdint>
#include <vector>

#include "util/PixelRect.h"

namespace nebulark {

// The parts of a picture that have changed and must be drawn again, kept as
// a handful of disjoint rectangles.
//
// Each rectangle added is clipped to the picture and merged with those it
// overlaps or lies close to (when their bounding box wastes few pixels), so
// the list stays short and no pixel is listed twice. Past a cap, the pair
// whose merge wastes least is merged; and where one bounding box costs less
// than the list, counting a fixed cost per rectangle, the region becomes
// that box. A region may also be the whole picture.
class DamageRegion {
public:
    // The cost counted per rectangle, in pixels: about what the handling of
    // one more put request costs beside copying that many pixels.
    static constexpr int64_t kRectCost = 256;
    // Two rectangles are merged at once when their bounding box wastes no
    // more pixels than this; a whole cluster may still become one box.
    static constexpr int64_t kMergeSlack = kRectCost / 2;
    static constexpr size_t kMaxRects = 16;

    DamageRegion() = default;
    DamageRegion(int width, int height) : width(width), height(height) {}

    // A picture of another size: the region becomes the whole of it.
    void Resize(int newWidth, int newHeight);
    void Add(const PixelRect& rect);
    void AddWhole();
    void Clear();

    bool Empty() const { return !whole && rects.empty(); }
    bool Whole() const { return whole; }
    // Collapses the region into its bounding box where that is cheaper,
    // sorts it top to bottom (so that it is drawn going one way through
    // memory) and answers the rectangles to draw again: one covering the
    // picture when the region is whole, else the disjoint list.
    const std::vector<PixelRect>& CollapseToRects();
    // Pixels covered.
    int64_t Area() const;

private:
    int width = 0;
    int height = 0;
    bool whole = false;
    std::vector<PixelRect> rects;
    std::vector<PixelRect> wholeList;

    void MergeCheapestPair();
    void CollapseWhenCheaper();
};

}  // namespace nebulark
