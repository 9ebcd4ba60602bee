#include <gtest/gtest.h>

#include <climits>

#include "util/PixelCopy.h"

namespace nebulark {
namespace {

PixelCopy copyOf(int x, int y, int w, int h, int sourceX, int sourceY) {
    return PixelCopy{PixelRect{x, y, w, h}, sourceX, sourceY};
}

TEST(PixelCopy, ANegativeOriginCutsTheStartAndMovesTheOtherCorner) {
    PixelCopy onTarget = copyOf(-3, -2, 10, 10, 5, 6);
    ASSERT_TRUE(clipCopy(onTarget, 100, 100, INT_MAX, INT_MAX));
    EXPECT_EQ(onTarget, copyOf(0, 0, 7, 8, 8, 8));

    PixelCopy fromSource = copyOf(20, 30, 10, 10, -4, -1);
    ASSERT_TRUE(clipToSource(fromSource, 100, 100));
    EXPECT_EQ(fromSource, copyOf(24, 31, 6, 9, 0, 0));
}

TEST(PixelCopy, TheFarEdgesCutTheSize) {
    PixelCopy c = copyOf(95, 0, 10, 10, 0, 58);
    ASSERT_TRUE(clipCopy(c, 100, 100, 45, 63));
    EXPECT_EQ(c, copyOf(95, 0, 5, 5, 0, 58));
}

TEST(PixelCopy, NothingIsLeftWhenTheBlockMissesEitherSide) {
    const PixelCopy cases[] = {copyOf(100, 0, 5, 5, 0, 0), copyOf(0, -5, 5, 5, 0, 0),
                               copyOf(0, 0, 0, 5, 0, 0),   copyOf(0, 0, 5, 5, 45, 0),
                               copyOf(0, 0, 5, 5, 0, -5),  copyOf(-9, 0, 4, 5, 0, 0)};
    for (PixelCopy c : cases) {
        EXPECT_FALSE(clipCopy(c, 100, 100, 45, 63));
        EXPECT_TRUE(c.at.Empty());
    }
}

// A block whose source start is cut must not then be placed where the cut
// target start would read before the source.
TEST(PixelCopy, ClippingBothSidesNeverReadsOutsideTheSource) {
    for (int x = -50; x <= 50; x += 7)
        for (int sourceX = -50; sourceX <= 50; sourceX += 9) {
            PixelCopy c = copyOf(x, 0, 40, 1, sourceX, 0);
            if (!clipCopy(c, 30, 1, 20, 1)) continue;
            EXPECT_GE(c.at.x, 0);
            EXPECT_GE(c.sourceX, 0);
            EXPECT_LE(c.at.Right(), 30);
            EXPECT_LE(c.sourceX + c.at.w, 20);
            EXPECT_EQ(c.at.x - x, c.sourceX - sourceX);
        }
}

// Sizes and corners at the ends of the int range neither overflow nor leave
// a block outside either picture.
TEST(PixelCopy, ExtremeCoordinatesNeitherOverflowNorEscape) {
    PixelCopy huge = copyOf(INT_MAX - 5, INT_MIN, INT_MAX, INT_MAX, INT_MIN, 3);
    EXPECT_FALSE(clipCopy(huge, 100, 100, 45, 63));
    PixelCopy wide = copyOf(-10, 0, INT_MAX, 1, 0, 0);
    ASSERT_TRUE(clipCopy(wide, 100, 1, 45, 1));
    EXPECT_EQ(wide, copyOf(0, 0, 35, 1, 10, 0));
    PixelCopy far = copyOf(INT_MAX, 0, 30, 1, -20, 0);
    EXPECT_FALSE(clipToSource(far, 45, 1)) << "the target corner would leave the int range";
}

}  // namespace
}  // namespace nebulark
