#include <gtest/gtest.h>

#include "util/Blit.h"

namespace nebulark {
namespace {

bool same(const Blit& a, const Blit& b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h && a.sourceX == b.sourceX &&
           a.sourceY == b.sourceY;
}

TEST(Blit, ANegativeOriginCutsTheStartAndMovesTheOtherCorner) {
    Blit onTarget{-3, -2, 10, 10, 5, 6};
    ASSERT_TRUE(clipToTarget(onTarget, 100, 100));
    EXPECT_TRUE(same(onTarget, Blit{0, 0, 7, 8, 8, 8}));

    Blit fromSource{20, 30, 10, 10, -4, -1};
    ASSERT_TRUE(clipToSource(fromSource, 100, 100));
    EXPECT_TRUE(same(fromSource, Blit{24, 31, 6, 9, 0, 0}));
}

TEST(Blit, TheFarEdgesCutTheSize) {
    Blit b{95, 0, 10, 10, 0, 58};
    ASSERT_TRUE(clipBlit(b, 100, 100, 45, 63));
    EXPECT_TRUE(same(b, Blit{95, 0, 5, 5, 0, 58}));
}

TEST(Blit, NothingIsLeftWhenTheBlockMissesEitherSide) {
    const Blit cases[] = {{100, 0, 5, 5, 0, 0}, {0, -5, 5, 5, 0, 0}, {0, 0, 0, 5, 0, 0},
                          {0, 0, 5, 5, 45, 0},  {0, 0, 5, 5, 0, -5}, {-9, 0, 4, 5, 0, 0}};
    for (Blit b : cases)
        EXPECT_FALSE(clipBlit(b, 100, 100, 45, 63));
}

// A block whose source start is cut must not then be placed where the cut
// target start would read before the source.
TEST(Blit, ClippingBothSidesNeverReadsOutsideTheSource) {
    for (int64_t x = -50; x <= 50; x += 7)
        for (int64_t sourceX = -50; sourceX <= 50; sourceX += 9) {
            Blit b{x, 0, 40, 1, sourceX, 0};
            if (!clipBlit(b, 30, 1, 20, 1)) continue;
            EXPECT_GE(b.x, 0);
            EXPECT_GE(b.sourceX, 0);
            EXPECT_LE(b.x + b.w, 30);
            EXPECT_LE(b.sourceX + b.w, 20);
            EXPECT_EQ(b.x - x, b.sourceX - sourceX);
        }
}

}  // namespace
}  // namespace nebulark
