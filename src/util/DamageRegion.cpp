#include "util/DamageRegion.h"

#include <algorithm>
#include <limits>

namespace nebulark {

namespace {

// Pixels the bounding box of two disjoint-or-overlapping rectangles covers
// beyond the two themselves.
int64_t Waste(const PixelRect& a, const PixelRect& b) {
    const int64_t covered = a.Area() + b.Area() - a.Intersection(b).Area();
    return a.Bounds(b).Area() - covered;
}

// Overlapping rectangles are always merged, so that the list stays disjoint.
// Between two rectangles a gap wider or taller than the slack leaves at least
// that many pixels of their bounding box uncovered, which settles most pairs
// without working out the waste.
bool WorthMerging(const PixelRect& a, const PixelRect& b) {
    const int gapX = std::max(a.x, b.x) - std::min(a.Right(), b.Right());
    const int gapY = std::max(a.y, b.y) - std::min(a.Bottom(), b.Bottom());
    if (gapX > DamageRegion::kMergeSlack || gapY > DamageRegion::kMergeSlack) return false;
    return a.Meets(b) || Waste(a, b) <= DamageRegion::kMergeSlack;
}

}  // namespace

void DamageRegion::Resize(int newWidth, int newHeight) {
    width = newWidth;
    height = newHeight;
    AddWhole();
}

// A merged rectangle may now reach others passed over before, so the list is
// gone through again until a pass merges nothing.
void DamageRegion::Add(const PixelRect& rect) {
    if (whole) return;
    PixelRect merged = rect.Intersection(PixelRect{0, 0, width, height});
    if (merged.Empty()) return;
    for (bool grew = true; grew;) {
        grew = false;
        for (size_t i = 0; i < rects.size();) {
            if (!WorthMerging(rects[i], merged)) {
                ++i;
                continue;
            }
            merged = merged.Bounds(rects[i]);
            rects[i] = rects.back();
            rects.pop_back();
            grew = true;
        }
    }
    rects.push_back(merged);
    if (rects.size() > kMaxRects) MergeCheapestPair();
}

void DamageRegion::AddWhole() {
    whole = width > 0 && height > 0;
    rects.clear();
}

void DamageRegion::Clear() {
    whole = false;
    rects.clear();
}

const std::vector<PixelRect>& DamageRegion::CollapseToRects() {
    if (whole) {
        wholeList.assign(1, PixelRect{0, 0, width, height});
        return wholeList;
    }
    CollapseWhenCheaper();
    std::sort(rects.begin(), rects.end(), [](const PixelRect& a, const PixelRect& b) {
        return a.y != b.y ? a.y < b.y : a.x < b.x;
    });
    return rects;
}

int64_t DamageRegion::Area() const {
    if (whole) return int64_t{width} * height;
    int64_t area = 0;
    for (const PixelRect& rect : rects)
        area += rect.Area();
    return area;
}

// The merged pair is added back through Add, which merges it further where
// it now overlaps another rectangle.
void DamageRegion::MergeCheapestPair() {
    size_t first = 0, second = 1;
    int64_t least = std::numeric_limits<int64_t>::max();
    for (size_t i = 0; i < rects.size(); ++i)
        for (size_t j = i + 1; j < rects.size(); ++j) {
            const int64_t waste = Waste(rects[i], rects[j]);
            if (waste >= least) continue;
            least = waste;
            first = i;
            second = j;
        }
    const PixelRect merged = rects[first].Bounds(rects[second]);
    rects.erase(rects.begin() + static_cast<std::ptrdiff_t>(second));
    rects.erase(rects.begin() + static_cast<std::ptrdiff_t>(first));
    Add(merged);
}

void DamageRegion::CollapseWhenCheaper() {
    if (rects.size() < 2) return;
    PixelRect box;
    for (const PixelRect& rect : rects)
        box = box.Bounds(rect);
    const int64_t listCost = Area() + static_cast<int64_t>(rects.size()) * kRectCost;
    if (box.Area() + kRectCost <= listCost) rects.assign(1, box);
}

}  // namespace nebulark
