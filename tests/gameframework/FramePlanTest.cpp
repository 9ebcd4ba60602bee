#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "RandomPicture.h"
#include "gameframework/FramePlan.h"

using namespace nebulark;

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;

using Picture = RandomPicture;

// A sprite as the plan sees it: a frame of a strip blended at a place, or a
// few dots.
struct Drawn {
    int id;
    int x, y, frame;
    bool dots;
};

// Records one frame of `sprites` into the plan and draws the same frame whole
// into `whole`, the way a full composition does.
void Record(FramePlan& plan, const std::vector<Drawn>& sprites, const Picture& strip,
            const Picture& background, Picture& whole) {
    plan.BeginFrame();
    whole.view.CopyAllFrom(background.view);
    for (const Drawn& s : sprites) {
        plan.BeginSprite(s.id);
        if (s.dots) {
            for (const int d : {0, 2, 4})
                if (s.x + d >= 0 && s.x + d < kWidth && s.y >= 0 && s.y < kHeight) {
                    plan.AddPixel(s.x + d, s.y, 0xFFFFFF);
                    whole.view.SetPixel(s.x + d, s.y, 0xFFFFFF);
                }
            continue;
        }
        const PixelRect rect{0, s.frame * 20, 30, 20};
        plan.AddBlend(strip.view, whole.view.ClipBlend(strip.view, s.x, s.y, rect), true);
        whole.view.Blend(strip.view, s.x, s.y, rect, true);
    }
}

}  // namespace

// Frame after frame, sprites move, change frames, come, go and change places
// in the list; the frame drawn again only where the plan finds changes always
// equals the frame composed whole, and so does a window given only the parts
// whose pixels changed.
TEST(FramePlan, AFrameDrawnWhereItChangedEqualsTheWholeFrame) {
    const Picture background(kWidth, kHeight, 1), strip(30, 80, 2);
    Picture shown(kWidth, kHeight, 3), whole(kWidth, kHeight, 4), window(kWidth, kHeight, 3);
    std::mt19937 random(5);
    std::vector<Drawn> sprites;
    int nextId = 1;
    FramePlan plan;
    int64_t drawnAgain = 0, given = 0;
    for (int frame = 0; frame < 400; ++frame) {
        for (Drawn& s : sprites) {
            const int change = static_cast<int>(random() % 8);
            if (change == 0) s.x += static_cast<int>(random() % 11) - 5;
            if (change == 1) s.y += static_cast<int>(random() % 11) - 5;
            if (change == 2) s.frame = static_cast<int>(random() % 4);
        }
        if (sprites.size() < 12 && random() % 3 == 0)
            sprites.push_back(Drawn{nextId++, static_cast<int>(random() % 190) - 30,
                                    static_cast<int>(random() % 150) - 30,
                                    static_cast<int>(random() % 4), random() % 4 == 0});
        if (!sprites.empty() && random() % 6 == 0)
            sprites.erase(sprites.begin() + random() % sprites.size());
        if (sprites.size() > 1 && random() % 10 == 0)
            std::swap(sprites[random() % sprites.size()], sprites[random() % sprites.size()]);

        Record(plan, sprites, strip, background, whole);
        DamageRegion damage(kWidth, kHeight);
        plan.CollectChanges(damage);
        drawnAgain += damage.Area();
        for (const PixelRect& area : damage.CollapseToRects()) {
            const PixelRect part = plan.Compose(shown.view, background.view, area, true);
            EXPECT_EQ(part.Intersection(area), part);
            window.view.CopyRectFrom(shown.view, part);
            given += part.Area();
        }
        ASSERT_EQ(shown.bytes, whole.bytes) << "frame " << frame;
        ASSERT_EQ(window.bytes, whole.bytes) << "frame " << frame;
    }
    EXPECT_LT(given, drawnAgain);
    EXPECT_LT(drawnAgain, 400 * kWidth * kHeight / 3) << "far less than every frame whole";
}

TEST(FramePlan, ChangesCoverExactlyTheSpritesThatDrewOtherwise) {
    const Picture background(kWidth, kHeight, 1), strip(30, 80, 2);
    Picture whole(kWidth, kHeight, 4);
    FramePlan plan;
    const auto changes = [&](const std::vector<Drawn>& sprites) {
        Record(plan, sprites, strip, background, whole);
        DamageRegion damage(kWidth, kHeight);
        plan.CollectChanges(damage);
        return damage.Whole() ? std::vector<PixelRect>{{-1, -1, -1, -1}} : damage.CollapseToRects();
    };
    const Drawn a{1, 10, 10, 0, false}, b{2, 20, 20, 0, false}, c{3, 100, 50, 0, false};
    EXPECT_EQ(changes({a, b, c}), (std::vector<PixelRect>{{-1, -1, -1, -1}}))
        << "the frame before is not known";
    EXPECT_TRUE(changes({a, b, c}).empty());
    EXPECT_EQ(changes({b, a, c}), (std::vector<PixelRect>{{10, 10, 30, 20}}))
        << "a now lies over b where they overlap";
    EXPECT_EQ(changes({b, a}), (std::vector<PixelRect>{{100, 50, 30, 20}}));
    EXPECT_EQ(changes({b, Drawn{1, 10, 10, 3, false}}), (std::vector<PixelRect>{{10, 10, 30, 20}}))
        << "another frame of the strip at the same place";
    EXPECT_EQ(changes({b, Drawn{1, 10, 10, 3, false}, Drawn{1, 150, 110, 3, false}}),
              (std::vector<PixelRect>{{150, 110, 10, 10}}))
        << "a sprite drawn twice, the second time cut at the frame's edge";

    plan.RecordEmptyFrame();
    EXPECT_EQ(changes({c}), (std::vector<PixelRect>{{100, 50, 30, 20}}));
    plan.ForgetLastFrame();
    EXPECT_EQ(changes({c}), (std::vector<PixelRect>{{-1, -1, -1, -1}}));
}
