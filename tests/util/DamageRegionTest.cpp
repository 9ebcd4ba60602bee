#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "util/DamageRegion.h"

namespace nebulark {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

bool Covered(const std::vector<PixelRect>& rects, int x, int y) {
    for (const PixelRect& r : rects)
        if (x >= r.x && x < r.Right() && y >= r.y && y < r.Bottom()) return true;
    return false;
}

// Whatever is added, the rectangles stay inside the picture, never overlap,
// stay under the cap, and cover every pixel added.
TEST(DamageRegion, RectanglesCoverWhatWasAddedWithoutOverlapOrExcess) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        DamageRegion region(kWidth, kHeight);
        std::vector<PixelRect> added;
        const int count = 1 + static_cast<int>(random() % 60);
        for (int i = 0; i < count; ++i) {
            const PixelRect rect{static_cast<int>(random() % 900) - 50,
                                 static_cast<int>(random() % 700) - 50,
                                 static_cast<int>(random() % 70), static_cast<int>(random() % 90)};
            region.Add(rect);
            added.push_back(rect.Intersection({0, 0, kWidth, kHeight}));
        }
        const std::vector<PixelRect> rects = region.CollapseToRects();
        ASSERT_LE(rects.size(), DamageRegion::kMaxRects);
        for (size_t i = 0; i < rects.size(); ++i) {
            EXPECT_FALSE(rects[i].Empty());
            EXPECT_EQ(rects[i].Intersection({0, 0, kWidth, kHeight}), rects[i]);
            for (size_t j = i + 1; j < rects.size(); ++j)
                ASSERT_FALSE(rects[i].Meets(rects[j])) << "round " << round;
        }
        for (const PixelRect& rect : added) {
            if (rect.Empty()) continue;
            for (int y = rect.y; y < rect.Bottom(); y += 7)
                for (int x = rect.x; x < rect.Right(); x += 5)
                    ASSERT_TRUE(Covered(rects, x, y)) << "round " << round;
            ASSERT_TRUE(Covered(rects, rect.Right() - 1, rect.Bottom() - 1));
        }
    }
}

TEST(DamageRegion, OverlappingAndNearRectanglesMergeDistantOnesDoNot) {
    DamageRegion region(kWidth, kHeight);
    EXPECT_TRUE(region.Empty());
    region.Add({10, 10, 45, 63});
    region.Add({10, 20, 45, 63});  // the same sprite, moved down
    region.Add({400, 300, 40, 40});
    region.Add({-30, 590, 40, 40});  // cut at the picture's edges
    region.Add({500, 500, 0, 10});
    const std::vector<PixelRect> expected = {
        {10, 10, 45, 73}, {400, 300, 40, 40}, {0, 590, 10, 10}};
    EXPECT_EQ(region.CollapseToRects(), expected);
    EXPECT_EQ(region.Area(), 45 * 73 + 40 * 40 + 10 * 10);

    // Side by side, their bounding box wastes nothing.
    region.Add({440, 300, 20, 40});
    const std::vector<PixelRect> joined = {{10, 10, 45, 73}, {400, 300, 60, 40}, {0, 590, 10, 10}};
    EXPECT_EQ(region.CollapseToRects(), joined) << "top to bottom";
    region.Clear();
    EXPECT_TRUE(region.Empty());
}

// A cluster of rectangles too far apart to merge two by two costs more as a
// list than as its bounding box; a region marked whole is the whole picture.
TEST(DamageRegion, ClusteredRectanglesBecomeOneBoxAndWholeMeansEverything) {
    DamageRegion region(kWidth, kHeight);
    for (int i = 0; i < 9; ++i)
        region.Add({100 + 27 * (i % 3), 100 + 27 * (i / 3), 20, 20});
    EXPECT_EQ(region.CollapseToRects(), (std::vector<PixelRect>{{100, 100, 74, 74}}));

    region.AddWhole();
    region.Add({5, 5, 5, 5});
    EXPECT_TRUE(region.Whole());
    EXPECT_EQ(region.CollapseToRects(), (std::vector<PixelRect>{{0, 0, kWidth, kHeight}}));
    region.Clear();
    region.Resize(200, 100);
    EXPECT_EQ(region.Area(), 200 * 100);
}

}  // namespace
}  // namespace nebulark
